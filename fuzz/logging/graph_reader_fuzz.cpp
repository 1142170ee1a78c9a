// The graph log's reader and file choice over arbitrary folder contents.
#include <cstdlib>

#include "fuzz/logging/folder_input.h"
#include "logging/graph_log.h"
#include "logging/view_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto& root = fuzzing::scratchRoot();
    const auto input =
        fuzzing::fillFolder(root / "Hard Disk" / "GraphDataLog", "GRAPH_DATA_LOG_24HR", data, size);
    logging::GraphScale = input.control[0] & 3;
    const int offset = input.control[1] - 8;

    logging::ReadGraphWindow(offset);
    const int pages = logging::GraphPagesAvailable();
    const int maxOffset = logging::GraphMaxPageOffset();
    if (pages < 0 || pages > logging::kGraphMaxPages || maxOffset < 0) std::abort();
    for (const auto& series : logging::GraphSeriesSet) {
        if (series.ticks.step < 1) std::abort();
        for (int h : series.heights) {
            if (h < 0) std::abort();  // every point lies on or above the lowest tick
        }
    }

    logging::AppendGraphSample(logging::DryerSample{});
    if (logging::ScanGraphFiles() > 2) std::abort();  // the writer leaves at most two files
    return 0;
}
