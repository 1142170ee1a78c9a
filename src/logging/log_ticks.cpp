#include "logging/log_ticks.h"

#include "logging/graph_log.h"
#include "logging/long_term_log.h"
#include "logging/short_term_log.h"

namespace logging {

void ResetLogStateForRun() {
    LongTermLogFillPercent = 0;
    LongTermLogHeaderPending = true;
    LongTermLogCountdown = 12;
    LongTermLogFullWarningArmed = true;
    DryerRunningForLog = false;
    ShortTermCountdown = 0;
    SamplerSampleTaken = false;
    GraphLogCountdown = 10;
}

void UpdateDryerRunningForLog(bool running) {
    DryerRunningForLog = running;
}

void RunLogTickSteps(const LogInputs& inputs, const platform::LocalTime& now,
                     const LogHooks& hooks) {
    LongTermLogTick(inputs, now, hooks);
    UpdateDryerRunningForLog(inputs.dryerRunning);
    GraphLogTick(inputs, now, hooks);
}

}  // namespace logging
