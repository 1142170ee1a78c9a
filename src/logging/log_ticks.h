#pragma once
// The logs' part of the one-second tick: the long-term record step, the running flag, then the
// short-term and graph samples, in that order.

#include "link/dryer_state.h"
#include "logging/log_inputs.h"
#include "platform/clock/clock.h"

namespace logging {

// The logs' state at program start: header pending, warning armed, first long-term step on the
// first tick, first short-term sample on the first running tick, first graph sample on the
// eleventh.
void ResetLogStateForRun();

void UpdateDryerRunningForLog(bool running);

// What the logs read from the dryer state, taken under its lock so that one record never mixes
// two status frames.
LogInputs LogInputsFromState(const dryer::DryerState& state);

// The logs' steps of the one-second tick, in order: the long-term step (it sees the running flag
// of the previous tick), the running flag, then the short-term and graph samples.
void RunLogTickSteps(const LogInputs& inputs, const platform::LocalTime& now,
                     const LogHooks& hooks);
void RunLogTickSteps(const dryer::DryerState& state, const platform::LocalTime& now,
                     const LogHooks& hooks);

}  // namespace logging
