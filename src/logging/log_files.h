#pragma once
// File handling shared by the short-term and graph logs: dated file names, the listing of a
// log's files, and appends that survive a cut at any point.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "logging/dryer_sample.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"

namespace logging {

// The files (not folders) matching the pattern, oldest first by creation time.
std::vector<platform::FileInfo> listLogFiles(std::string_view pattern);

// Deletes all but the two newest of `files` (in `folder`) and returns the listing afterwards.
std::vector<platform::FileInfo> keepTwoNewest(std::string_view folder, std::string_view pattern,
                                              const std::vector<platform::FileInfo>& files);

// prefix + "yy_MM_dd_" + "HH_mm_ss" + ".DAT"
std::string datedLogName(std::string_view prefix, const platform::LocalTime& now);

// Cuts a torn tail back to the last whole sample, appends the sample and flushes it to the disk.
// A failed write is cut away again, so the file keeps only whole samples.
bool appendSample(std::string_view path, const DryerSample& sample);

enum class SampleRead { Ok, CannotOpen, Short };

// Reads `count` samples starting at sample `first` of the file into `out`.
SampleRead readSamples(std::string_view path, uint64_t first, uint64_t count, uint8_t* out);

inline uint64_t wholeSamples(const platform::FileInfo& file) {
    return wholeSampleBytes(file.size) / kDryerSampleSize;
}

// The one or two files a sample log is read from, oldest first, as its reader sees them: their
// sizes in bytes and a way to read whole samples. The panel's files, or bytes in memory, so that
// the readers' window arithmetic runs without a file system (fuzzing).
struct SampleFiles {
    std::vector<uint64_t> sizes;
    std::function<SampleRead(size_t file, uint64_t first, uint64_t count, uint8_t* out)> read;

    uint64_t totalSampleBytes() const;
};

// `files` in `folder` as listed.
SampleFiles sampleFilesOnDisk(std::string_view folder,
                              const std::vector<platform::FileInfo>& files);
// The spans must outlive the result.
SampleFiles sampleFilesInMemory(std::vector<std::span<const uint8_t>> files);

}  // namespace logging
