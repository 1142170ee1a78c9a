// The graph log's reader over arbitrary files held in memory: the window arithmetic across one
// or two files, the averaging and the axis scaling.
#include <cstdlib>

#include "fuzz/logging/memory_files.h"
#include "logging/graph_log.h"
#include "logging/view_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzing::MemoryFiles input;
    fuzzing::fillMemoryFiles(data, size, input);
    logging::GraphScale = input.control[0] & 3;
    const int offset = input.control[1] - 8;

    if (!logging::ReadGraphWindowFrom(input.sampleFiles, offset)) std::abort();  // all in memory
    const uint64_t total = input.sampleFiles.totalSampleBytes();
    const int pages = logging::GraphPagesFor(total);
    const int maxOffset = logging::GraphMaxPageOffsetFor(total);
    if (pages < 0 || pages > logging::kGraphMaxPages || maxOffset < 0) std::abort();
    const size_t first = logging::GraphFirstLoggedPoint;
    if (first > logging::kGraphPoints) std::abort();
    if (total >= logging::kGraphPageBytes * logging::GraphScaleFactor() && first != 0) std::abort();
    for (const auto& series : logging::GraphSeriesSet) {
        if (series.ticks.step < 1) std::abort();
        // Every logged point lies on or above the lowest tick.
        for (size_t i = first; i < logging::kGraphPoints; ++i) {
            if (series.heights[i] < 0) std::abort();
        }
    }
    return 0;
}
