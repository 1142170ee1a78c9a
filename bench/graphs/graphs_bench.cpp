// The graph window's drawing from the log files at the 8-hour scale: the read of the window, the
// six series and their ticks, and the plot with every trace on, as one paint of the drawing does.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "logging/graph_log.h"
#include "logging/view_settings.h"
#include "platform/files/files.h"
#include "platform/gfx/painter.h"
#include "platform/gfx/surface.h"
#include "screens/graphs/graph_drawing.h"

namespace {

namespace fs = std::filesystem;

// A full day in the older file and eight hours in the newer one, values moving as a dryer's do.
class PanelRoot {
  public:
    PanelRoot() : path_(fs::temp_directory_path() / "orvane-graphs-bench") {
        fs::remove_all(path_);
        fs::create_directories(path_ / "Hard Disk" / "GraphDataLog");
        platform::configureDevicePaths(path_.string(), "");
        writeFile("24_05_31_00_00_00", 8640);
        writeFile("24_06_01_00_00_00", 2880);
    }
    ~PanelRoot() { fs::remove_all(path_); }

  private:
    void writeFile(const std::string& stamp, int samples) const {
        std::ofstream out(
            path_ / "Hard Disk" / "GraphDataLog" / ("GRAPH_DATA_LOG_24HR" + stamp + ".DAT"),
            std::ios::binary);
        for (int i = 0; i < samples; ++i) {
            logging::LogValues v;
            v.grainColumnTemp = static_cast<uint16_t>(110 + i % 23);
            v.grainTempIn = static_cast<int16_t>(600 + i % 97);
            v.moistureIn = static_cast<uint16_t>(220 + i % 41);
            v.grainTempOut = static_cast<int16_t>(900 + i % 211);
            v.moistureOut = static_cast<uint16_t>(150 + i % 13);
            v.meterRollSpeed = static_cast<uint8_t>(40 + i % 30);
            const auto s = logging::makeDryerSample(v, {});
            out.write(reinterpret_cast<const char*>(s.bytes.data()), s.bytes.size());
        }
    }

    fs::path path_;
};

void BM_DrawGraphEightHours(benchmark::State& state) {
    const PanelRoot root;
    logging::GraphScale = 3;
    logging::GraphTraceOn.fill(1);
    platform::gfx::Surface surface(graphs::kGraphWidth, graphs::kGraphHeight);
    for (auto _ : state) {
        platform::gfx::Painter painter(surface);
        graphs::drawGraph(painter, 0);
        benchmark::DoNotOptimize(surface);
    }
}
BENCHMARK(BM_DrawGraphEightHours)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
