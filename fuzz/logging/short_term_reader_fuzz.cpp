// The short-term log's reader over arbitrary files held in memory: any count and skip across one
// or two files reads whole samples, never more than asked.
#include <cstdlib>
#include <vector>

#include "fuzz/logging/memory_files.h"
#include "logging/short_term_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzzing::MemoryFiles input;
    fuzzing::fillMemoryFiles(data, size, input);
    const int count = input.control[0] % 40 - 2;
    const int skip = input.control[1] * 2 - 10;

    std::vector<logging::DryerSample> out(static_cast<size_t>(count > 0 ? count : 0) + 1);
    const int got = logging::ReadShortTermRecordsFrom(input.sampleFiles, count, out.data(), skip);
    const uint64_t samples = input.sampleFiles.totalSampleBytes() / logging::kDryerSampleSize;
    const uint64_t expected = std::min<uint64_t>(count > 0 ? count : 0, samples);
    if (got < 0 || static_cast<uint64_t>(got) != expected) std::abort();
    return 0;
}
