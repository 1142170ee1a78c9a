#pragma once
// The short-term log behind the status chart: one 18-byte sample per sample time (or per cycle
// of the cycled moisture sampler) in files of 144 samples in "ShortTermDataLog" on the flash
// disk; at most two files are kept.

#include <cstdint>
#include <string>

#include "logging/dryer_sample.h"
#include "logging/log_files.h"
#include "logging/log_inputs.h"

namespace logging {

inline constexpr uint64_t kShortTermFileFullBytes = 2592;
inline constexpr int kShortTermMaxRecords = 144;

extern int ShortTermCountdown;   // running ticks to the next timed sample
extern bool SamplerSampleTaken;  // the current sampler cycle has its sample

// The folder and the file pattern, placed on the flash disk.
std::string ShortTermFolder();
std::string ShortTermPattern();

bool AppendShortTermSample(const DryerSample& sample);
// Samples held in the (one or two) files, at most 144.
int ShortTermRecordsAvailable();
// Reads up to `count` samples ending `skip` samples before the newest, oldest first, into
// destination[0..]; the window is moved back inside the stored samples when it reaches past
// the oldest. Returns the number read.
int ReadShortTermRecords(int count, DryerSample* destination, int skip);
// The same over given files (oldest first).
int ReadShortTermRecordsFrom(const SampleFiles& files, int count, DryerSample* destination,
                             int skip);
// Deletes every short-term file (the operator's CLEAR TABLE).
void ClearShortTermLog();
// The next running tick writes a sample (after a new sample time).
void RestartShortTermCountdown();

// Called with the tick's sample on every tick while the dryer runs.
void ShortTermLogTick(const LogInputs& inputs, const DryerSample& sample, const LogHooks& hooks);

}  // namespace logging
