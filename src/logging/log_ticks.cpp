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

LogInputs LogInputsFromState(const dryer::DryerState& state) {
    const auto lock = state.hold();
    const auto& status = state.status;
    const int select = status.grainTempSelect().get();
    LogInputs in;
    // A selector the controller should never send falls back to the first grain temperature.
    in.values.grainColumnTemp =
        static_cast<uint16_t>(status.grainTemp(select >= 0 && select <= 2 ? select : 0).get());
    in.values.grainTempIn = static_cast<int16_t>(status.grainTempIn().get());
    in.values.moistureIn = static_cast<uint16_t>(status.moistureIn().get());
    in.values.grainTempOut = static_cast<int16_t>(status.grainTempOut().get());
    in.values.moistureOut = static_cast<uint16_t>(status.moistureOut().get());
    in.values.meterRollSpeed = static_cast<uint8_t>(status.meterRollSpeed().get());
    in.values.bushelRate = static_cast<uint16_t>(status.bushelRate().get());
    in.dayLoggerOn = status.dayDataLoggerSetup().get() == 1;
    in.dryerRunning = status.statusFlags172().bit(0) || status.statusFlags171().bit(6);
    in.cycledSampler = status.samplerOptions().bit(7);
    in.samplerStatus = static_cast<uint8_t>(status.statusByte292().get());
    return in;
}

void RunLogTickSteps(const LogInputs& inputs, const platform::LocalTime& now,
                     const LogHooks& hooks) {
    LongTermLogTick(inputs, now, hooks);
    UpdateDryerRunningForLog(inputs.dryerRunning);
    GraphLogTick(inputs, now, hooks);
}

void RunLogTickSteps(const dryer::DryerState& state, const platform::LocalTime& now,
                     const LogHooks& hooks) {
    RunLogTickSteps(LogInputsFromState(state), now, hooks);
}

}  // namespace logging
