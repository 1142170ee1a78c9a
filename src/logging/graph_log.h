#pragma once
// The graph data log: an 18-byte sample every 10 seconds while the dryer runs, in files of at
// most 8640 samples (24 hours) under "\Hard Disk\GraphDataLog", the two newest kept; and the
// window of samples the graph shows, averaged into six series of 360 points.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "logging/dryer_sample.h"
#include "logging/graph_scale.h"
#include "logging/log_files.h"
#include "logging/log_inputs.h"
#include "logging/view_settings.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"

namespace logging {

inline constexpr const char* kGraphLogFolder = "\\Hard Disk\\GraphDataLog";
inline constexpr const char* kGraphLogPattern =
    "\\Hard Disk\\GraphDataLog\\GRAPH_DATA_LOG_24HR??_??_??_??_??_??.DAT";
inline constexpr uint64_t kGraphFileFullBytes = 155520;
inline constexpr uint64_t kGraphPageBytes = 6480;  // one window at K = 1: 360 samples
inline constexpr size_t kGraphPoints = 360;
inline constexpr size_t kGraphWindowBytes = 51840;  // one window at K = 8
inline constexpr int kGraphMaxPages = 24;

// Up to three files from the last scan, oldest first.
extern std::vector<platform::FileInfo> GraphFileTable;
extern int GraphLogCountdown;  // running ticks to the next graph sample

struct GraphSeries {
    std::array<int, kGraphPoints> values{};
    GraphTicks ticks;
    std::array<int, kGraphPoints> heights{};
};

// By GraphTrace.
extern std::array<GraphSeries, kGraphTraceCount> GraphSeriesSet;
// The window last read, oldest sample first; only its first 6480 * K bytes are the window.
extern std::array<uint8_t, kGraphWindowBytes> GraphWindow;
// The first point of the window last read that holds logged samples only: a log shorter than the
// window fills its end, and the points before are empty (kGraphPoints when nothing is logged).
// The series' ticks are those of the logged points.
extern size_t GraphFirstLoggedPoint;

int ScanGraphFiles();
bool CreateGraphFile(std::string& path);
bool AppendGraphSample(const DryerSample& sample);

// Reads the window `pageOffset` pages back from the newest sample at the current GraphScale and
// recomputes the series. False when a file cannot be opened (the series then come from an empty
// window) or a read comes short (the series keep their former contents).
bool ReadGraphWindow(int pageOffset);
// The same over given files (oldest first).
bool ReadGraphWindowFrom(const SampleFiles& files, int pageOffset);
// Sample `index` of the window last read (0 = oldest).
DryerSample GraphWindowSample(size_t index);

// The newest `count` samples of the log (fewer when it holds fewer), oldest first. Safe beside
// the writer: a sample being written is not yet whole and is left out.
std::vector<DryerSample> ReadLatestGraphSamples(size_t count);

int GraphPagesAvailable();
int GraphMaxPageOffset();
// The same for a log of that many bytes in whole samples.
int GraphPagesFor(uint64_t totalBytes);
int GraphMaxPageOffsetFor(uint64_t totalBytes);

// While the dryer runs: hands the tick's sample to the short-term log and, every 10 running
// ticks, appends it here.
void GraphLogTick(const LogInputs& inputs, const platform::LocalTime& now, const LogHooks& hooks);

}  // namespace logging
