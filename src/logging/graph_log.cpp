#include "logging/graph_log.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "logging/log_files.h"
#include "logging/long_term_log.h"
#include "logging/short_term_log.h"

namespace logging {

std::vector<platform::FileInfo> GraphFileTable;
int GraphLogCountdown = 10;
std::array<GraphSeries, kGraphTraceCount> GraphSeriesSet;
std::array<uint8_t, kGraphWindowBytes> GraphWindow{};
size_t GraphFirstLoggedPoint = kGraphPoints;

namespace {

constexpr int kGraphSamplePeriodTicks = 10;
constexpr size_t kMaxTableEntries = 3;

std::string graphPath(const std::string& name) {
    return std::string(kGraphLogFolder) + "\\" + name;
}

// The one or two files the log is made of: with more, the two newest.
SampleFiles currentFiles() {
    std::vector<platform::FileInfo> files = listLogFiles(kGraphLogPattern);
    if (files.size() > 2) files.erase(files.begin(), files.end() - 2);
    return sampleFilesOnDisk(kGraphLogFolder, files);
}

bool createAndAppend(const DryerSample& sample) {
    std::string path;
    return CreateGraphFile(path) && appendSample(path, sample);
}

// Copies the stream bytes [from, to) (older file first, then newer) into `out`.
SampleRead readStream(const SampleFiles& files, uint64_t from, uint64_t to, uint8_t* out) {
    uint64_t fileStart = 0;
    for (size_t f = 0; f < files.sizes.size(); ++f) {
        const uint64_t fileEnd = fileStart + wholeSampleBytes(files.sizes[f]);
        const uint64_t begin = std::max(from, fileStart);
        const uint64_t end = std::min(to, fileEnd);
        if (begin < end) {
            const SampleRead read =
                files.read(f, (begin - fileStart) / kDryerSampleSize,
                           (end - begin) / kDryerSampleSize, out + (begin - from));
            if (read != SampleRead::Ok) return read;
        }
        fileStart = fileEnd;
    }
    return SampleRead::Ok;
}

void computeSeries() {
    const int k = GraphScaleFactor();
    auto& set = GraphSeriesSet;
    // k samples to a point, each summed from a plain copy of its bytes: the window's up to 2880
    // samples are most of the work of a page, and in the sanitizer builds DryerSample's
    // accessors are calls, and offsets into the window checks, of their own.
    const uint8_t* d = GraphWindow.data();
    for (size_t j = 0; j < kGraphPoints; ++j) {
        int column = 0, tempIn = 0, moistIn = 0, tempOut = 0, moistOut = 0, speed = 0;
        for (int i = 0; i < k; ++i, d += kDryerSampleSize) {
            uint8_t s[kDryerSampleSize];
            std::memcpy(s, d, kDryerSampleSize);
            column += sampleWord(s + kGrainColumnTempAt);
            tempIn += static_cast<int16_t>(sampleWord(s + kGrainTempInAt));
            moistIn += sampleWord(s + kMoistureInAt);
            tempOut += static_cast<int16_t>(sampleWord(s + kGrainTempOutAt));
            moistOut += sampleWord(s + kMoistureOutAt);
            speed += sampleWord(s + kMeterRollSpeedAt);
        }
        set[kTraceGrainColumnTemp].values[j] = column / k;
        set[kTraceGrainTempIn].values[j] = tempIn / 10 / k;
        set[kTraceMoistureIn].values[j] = moistIn / k;
        set[kTraceGrainTempOut].values[j] = tempOut / 10 / k;
        set[kTraceMoistureOut].values[j] = moistOut / k;
        set[kTraceMeterRollSpeed].values[j] = speed / k;
    }
    const size_t first = std::min(GraphFirstLoggedPoint, kGraphPoints);
    for (GraphSeries& series : GraphSeriesSet) {
        const std::span<const int> logged(series.values.data() + first, kGraphPoints - first);
        series.ticks = GraphAxisTicks(logged);
        GraphScaleHeights(series.values, series.ticks, series.heights);
    }
}

}  // namespace

int ScanGraphFiles() {
    GraphFileTable = listLogFiles(kGraphLogPattern);
    if (GraphFileTable.size() > kMaxTableEntries) {
        GraphFileTable.erase(GraphFileTable.begin(), GraphFileTable.end() - kMaxTableEntries);
    }
    return static_cast<int>(GraphFileTable.size());
}

bool CreateGraphFile(std::string& path) {
    platform::createFolder(kGraphLogFolder);
    const std::string name =
        datedLogName(std::string(kGraphLogFolder) + "\\GRAPH_DATA_LOG_24HR", platform::localNow());
    platform::File file = platform::openFile(name, platform::FileAccess::ReadWrite,
                                             platform::Disposition::OpenAlways);
    if (!file.isOpen()) return false;
    path = name;
    return true;
}

bool AppendGraphSample(const DryerSample& sample) {
    if (!platform::createFolder(kGraphLogFolder)) return false;
    // More than two files would otherwise pile up a new file on every append.
    std::vector<platform::FileInfo> files =
        keepTwoNewest(kGraphLogFolder, kGraphLogPattern, listLogFiles(kGraphLogPattern));
    if (files.size() > 2) files.erase(files.begin(), files.end() - 2);
    GraphFileTable = files;
    if (files.empty()) return createAndAppend(sample);
    const platform::FileInfo& newest = files.back();
    if (newest.size < kGraphFileFullBytes) return appendSample(graphPath(newest.name), sample);
    // The newest file is full: with two files the older goes, so at most two remain.
    if (files.size() == 2) platform::deleteFile(graphPath(files.front().name));
    return createAndAppend(sample);
}

bool ReadGraphWindow(int pageOffset) {
    return ReadGraphWindowFrom(currentFiles(), pageOffset);
}

bool ReadGraphWindowFrom(const SampleFiles& files, int pageOffset) {
    const uint64_t total = files.totalSampleBytes();
    const uint64_t window = kGraphPageBytes * static_cast<uint64_t>(GraphScaleFactor());
    const uint64_t length = std::min(total, window);
    const uint64_t back =
        std::min(static_cast<uint64_t>(std::max(pageOffset, 0)) * kGraphPageBytes, total - length);
    std::array<uint8_t, kGraphWindowBytes> buffer{};
    const SampleRead read =
        readStream(files, total - back - length, total - back, buffer.data() + (window - length));
    if (read == SampleRead::Short) return false;
    if (read == SampleRead::CannotOpen) buffer.fill(0);
    const uint64_t pointBytes = window / kGraphPoints;
    const uint64_t empty = read == SampleRead::Ok ? window - length : window;
    GraphFirstLoggedPoint = static_cast<size_t>((empty + pointBytes - 1) / pointBytes);
    GraphWindow = buffer;
    computeSeries();
    return read == SampleRead::Ok;
}

DryerSample GraphWindowSample(size_t index) {
    DryerSample sample;
    if (index < kGraphWindowBytes / kDryerSampleSize) {
        std::memcpy(sample.bytes.data(), GraphWindow.data() + index * kDryerSampleSize,
                    kDryerSampleSize);
    }
    return sample;
}

std::vector<DryerSample> ReadLatestGraphSamples(size_t count) {
    const SampleFiles files = currentFiles();
    const uint64_t total = files.totalSampleBytes();
    const uint64_t length = std::min<uint64_t>(total, count * kDryerSampleSize);
    std::vector<DryerSample> samples(length / kDryerSampleSize);
    if (samples.empty()) return samples;
    if (readStream(files, total - length, total, samples.data()->bytes.data()) != SampleRead::Ok)
        samples.clear();
    return samples;
}

int GraphPagesAvailable() {
    return GraphPagesFor(currentFiles().totalSampleBytes());
}

int GraphMaxPageOffset() {
    return GraphMaxPageOffsetFor(currentFiles().totalSampleBytes());
}

int GraphPagesFor(uint64_t totalBytes) {
    return static_cast<int>(std::min<uint64_t>(totalBytes / kGraphPageBytes, kGraphMaxPages));
}

int GraphMaxPageOffsetFor(uint64_t totalBytes) {
    const auto pages = static_cast<int>(std::min<uint64_t>(totalBytes / kGraphPageBytes, 1 << 30));
    return pages == 0 ? 0 : std::max(pages - GraphScaleFactor(), 0);
}

void GraphLogTick(const LogInputs& inputs, const platform::LocalTime& now, const LogHooks& hooks) {
    if (!DryerRunningForLog) return;
    const DryerSample sample = makeDryerSample(inputs.values, now);
    ShortTermLogTick(inputs, sample, hooks);
    if (GraphLogCountdown > 0) {
        --GraphLogCountdown;
        return;
    }
    AppendGraphSample(sample);
    GraphLogCountdown = kGraphSamplePeriodTicks - 1;
    if (hooks.graphSampleWritten) hooks.graphSampleWritten();
}

}  // namespace logging
