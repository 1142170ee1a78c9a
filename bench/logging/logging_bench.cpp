// The graph's read of one window with its six series at the widest scale, and one line of the
// long-term log, each on a panel root in the host's temporary folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "logging/graph_log.h"
#include "logging/long_term_log.h"
#include "logging/view_settings.h"
#include "platform/files/files.h"

namespace {

class PanelRoot {
  public:
    PanelRoot() : path_(std::filesystem::temp_directory_path() / "orvane-logging-bench") {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_ / "Hard Disk" / "GraphDataLog");
        platform::configureDevicePaths(path_.string(), "");
    }
    ~PanelRoot() { std::filesystem::remove_all(path_); }
    void writeGraphFile(const std::string& stamp, uint64_t bytes) const {
        std::ofstream out(
            path_ / "Hard Disk" / "GraphDataLog" / ("GRAPH_DATA_LOG_24HR" + stamp + ".DAT"),
            std::ios::binary);
        for (uint64_t i = 0; i < bytes / logging::kDryerSampleSize; ++i) {
            logging::LogValues v;
            v.grainColumnTemp = static_cast<uint16_t>(100 + i % 50);
            v.moistureIn = static_cast<uint16_t>(150 + i % 30);
            v.grainTempOut = static_cast<int16_t>(900 + i % 200);
            const auto s = logging::makeDryerSample(v, {});
            out.write(reinterpret_cast<const char*>(s.bytes.data()), s.bytes.size());
        }
    }

  private:
    std::filesystem::path path_;
};

// Offset 0 reads the newest window from one file; offset 20 straddles the two files.
void BM_ReadGraphWindowScale8(benchmark::State& state) {
    PanelRoot root;
    root.writeGraphFile("24_01_01_00_00_00", logging::kGraphFileFullBytes);
    root.writeGraphFile("24_01_02_00_00_00", logging::kGraphFileFullBytes / 2);
    logging::GraphScale = 3;
    const int offset = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(logging::ReadGraphWindow(offset));
        benchmark::DoNotOptimize(logging::GraphSeriesSet.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * 51840);
}
BENCHMARK(BM_ReadGraphWindowScale8)->Arg(0)->Arg(20);

// Opens the file, appends one record (flushed to the disk) and closes it.
void BM_LongTermAppend(benchmark::State& state) {
    PanelRoot root;
    logging::DryerRunningForLog = true;
    logging::LongTermSample sample;
    sample.values = {112, 655, 152, -25, 140, 43, 1250};
    sample.time = {.year = 2024, .month = 3, .day = 4, .hour = 13, .minute = 30};
    int fill = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(logging::WriteLongTermRecord(sample, fill));
    }
}
BENCHMARK(BM_LongTermAppend)->Unit(benchmark::kMicrosecond);

}  // namespace
