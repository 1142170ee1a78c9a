#pragma once
// The logs' part of the one-second tick: the long-term record step, the running flag, then the
// short-term and graph samples, in that order.

#include "logging/log_inputs.h"
#include "platform/clock/clock.h"

namespace logging {

// The logs' state at program start: header pending, warning armed, first long-term step on the
// first tick, first short-term sample on the first running tick, first graph sample on the
// eleventh.
void ResetLogStateForRun();

void UpdateDryerRunningForLog(bool running);

// Steps 6 to 8 of the one-second tick.
void RunLogTickSteps(const LogInputs& inputs, const platform::LocalTime& now,
                     const LogHooks& hooks);

}  // namespace logging
