#pragma once
// What the one-second tick hands to the logs: the dryer values and status bits they read, and
// the repaints and questions they ask of the screens.

#include <cstdint>
#include <functional>

#include "logging/dryer_sample.h"

namespace logging {

struct LogInputs {
    LogValues values;
    bool dayLoggerOn = false;    // the day data logger is switched on
    bool dryerRunning = false;   // the controller reports the dryer running
    bool cycledSampler = false;  // the cycled moisture sampler replaces timed sampling
    uint8_t samplerStatus = 0;   // bit 1: sample ready, bit 0: a new cycle started
};

struct LogHooks {
    // After a long-term record step with the logger on: the data-logger setup shows the new level.
    std::function<void()> longTermRecordStep;
    // Once per run when the long-term log passes 70 %: ask whether to open the logger setup.
    std::function<void()> logFullWarning;
    std::function<void()> shortTermSampleWritten;  // the status chart shows it
    std::function<void()> graphSampleWritten;      // the graph redraws without erasing
};

}  // namespace logging
