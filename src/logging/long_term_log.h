#pragma once
// The long-term CSV log: one line of dryer values every 12 seconds while the day data logger is
// on and the dryer runs, in "\Hard Disk\DataLog\LongTermDataLog.csv", up to 5 MiB.

#include <cstddef>
#include <cstdint>
#include <string>

#include "logging/dryer_sample.h"
#include "logging/log_inputs.h"
#include "platform/clock/clock.h"

namespace logging {

inline constexpr const char* kLongTermLogFolder = "\\Hard Disk\\DataLog";
inline constexpr const char* kLongTermLogPath = "\\Hard Disk\\DataLog\\LongTermDataLog.csv";
inline constexpr uint64_t kLongTermLogCapacity = 5242880;

extern int LongTermLogFillPercent;        // 0..100
extern bool LongTermLogHeaderPending;     // each run writes the header before its first record
extern int LongTermLogCountdown;          // ticks counted up to the next 12-second step
extern bool LongTermLogFullWarningArmed;  // the 70 % question is asked once per run
extern bool DryerRunningForLog;           // set at the end of each tick; the log step sees the last

struct LongTermSample {
    LogValues values;
    platform::LocalTime time;
};

enum class LongTermResult {
    Written = 0,
    NotRunning = 1,
    CannotOpen = 2,
    WriteFailed = 3,
    Full = 4
};

// CR LF, the column names, CR LF: every run's header starts with an empty line.
std::string LongTermLogHeader();
std::string FormatLongTermRecord(const LongTermSample& sample);

int LongTermLogFillLevel(uint64_t fileSize);

// The one handle of this log, held only within one step.
bool OpenLongTermLog();
void CloseLongTermLog();
// Appends at the end of the file; all bytes or nothing.
bool AppendToLongTermLog(const char* bytes, size_t count);

LongTermResult WriteLongTermRecord(const LongTermSample& sample, int& fillPercent);
// Sets LongTermLogFillPercent from the file (created when missing); keeps it when unreadable.
void RefreshLongTermFillLevel();

// Called once per one-second tick.
void LongTermLogTick(const LogInputs& inputs, const platform::LocalTime& now,
                     const LogHooks& hooks);

}  // namespace logging
