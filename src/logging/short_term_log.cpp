#include "logging/short_term_log.h"

#include <algorithm>
#include <vector>

#include "logging/log_files.h"
#include "logging/view_settings.h"
#include "platform/clock/clock.h"

namespace logging {

int ShortTermCountdown = 0;
bool SamplerSampleTaken = false;

namespace {

constexpr uint8_t kSamplerReady = 0x02;
constexpr uint8_t kSamplerNewCycle = 0x01;

std::string filePath(const platform::FileInfo& file) {
    return ShortTermFolder() + "\\" + file.name;
}

std::vector<platform::FileInfo> listed() {
    return listLogFiles(ShortTermPattern());
}

// With more than two files only the two newest count, and the others are deleted.
std::vector<platform::FileInfo> prunedFiles() {
    std::vector<platform::FileInfo> files =
        keepTwoNewest(ShortTermFolder(), ShortTermPattern(), listed());
    if (files.size() > 2) files.erase(files.begin(), files.end() - 2);
    return files;
}

bool createAndAppend(const DryerSample& sample) {
    if (!platform::createFolder(ShortTermFolder())) return false;
    const std::string path =
        datedLogName(ShortTermFolder() + "\\DATA_LOG_24HR", platform::localNow());
    return appendSample(path, sample);
}

}  // namespace

std::string ShortTermFolder() {
    return platform::dataRootPath("ShortTermDataLog");
}

std::string ShortTermPattern() {
    return platform::dataRootPath("ShortTermDataLog\\DATA_LOG_24HR??_??_??_??_??_??.DAT");
}

bool AppendShortTermSample(const DryerSample& sample) {
    const std::vector<platform::FileInfo> files = prunedFiles();
    for (const auto& file : files) {
        if (file.size < kShortTermFileFullBytes) return appendSample(filePath(file), sample);
    }
    if (files.size() == 2) platform::deleteFile(filePath(files.front()));
    return createAndAppend(sample);
}

int ShortTermRecordsAvailable() {
    std::vector<platform::FileInfo> files = listed();
    if (files.size() > 2) files.erase(files.begin(), files.end() - 2);
    uint64_t samples = 0;
    for (const auto& file : files)
        samples += wholeSamples(file);
    return static_cast<int>(std::min<uint64_t>(samples, kShortTermMaxRecords));
}

int ReadShortTermRecords(int count, DryerSample* destination, int skip) {
    return ReadShortTermRecordsFrom(sampleFilesOnDisk(ShortTermFolder(), prunedFiles()), count,
                                    destination, skip);
}

int ReadShortTermRecordsFrom(const SampleFiles& files, int count, DryerSample* destination,
                             int skip) {
    const uint64_t total = files.totalSampleBytes() / kDryerSampleSize;
    const uint64_t n = std::min<uint64_t>(static_cast<uint64_t>(std::max(count, 0)), total);
    const uint64_t s = std::min<uint64_t>(static_cast<uint64_t>(std::max(skip, 0)), total - n);
    // The files as one stream, older first: the window is samples [from, from + n).
    const uint64_t from = total - s - n;
    uint64_t fileStart = 0;
    uint64_t done = 0;
    for (size_t f = 0; f < files.sizes.size(); ++f) {
        const uint64_t fileEnd = fileStart + wholeSampleBytes(files.sizes[f]) / kDryerSampleSize;
        const uint64_t begin = std::max(from + done, fileStart);
        const uint64_t end = std::min(from + n, fileEnd);
        if (begin < end) {
            const SampleRead read =
                files.read(f, begin - fileStart, end - begin, destination[done].bytes.data());
            if (read != SampleRead::Ok) return static_cast<int>(done);
            done += end - begin;
        }
        fileStart = fileEnd;
    }
    return static_cast<int>(done);
}

void ClearShortTermLog() {
    for (const auto& file : listed())
        platform::deleteFile(filePath(file));
}

void RestartShortTermCountdown() {
    ShortTermCountdown = 0;
}

void ShortTermLogTick(const LogInputs& inputs, const DryerSample& sample, const LogHooks& hooks) {
    if (!inputs.cycledSampler) {
        const int before = ShortTermCountdown--;
        if (before > 0) return;
        ShortTermCountdown = 60 * ShortTermSampleMinutes;
    } else if ((inputs.samplerStatus & kSamplerReady) && (inputs.values.moistureOut & 0xFF) != 0) {
        if (SamplerSampleTaken) return;
        SamplerSampleTaken = true;
    } else {
        if (inputs.samplerStatus & kSamplerNewCycle) SamplerSampleTaken = false;
        return;
    }
    AppendShortTermSample(sample);
    if (hooks.shortTermSampleWritten) hooks.shortTermSampleWritten();
}

}  // namespace logging
