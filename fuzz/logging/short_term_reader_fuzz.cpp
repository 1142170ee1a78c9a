// The short-term log's reader and file choice over arbitrary folder contents.
#include <cstdlib>
#include <vector>

#include "fuzz/logging/folder_input.h"
#include "logging/log_files.h"
#include "logging/short_term_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto& root = fuzzing::scratchRoot();
    const auto input =
        fuzzing::fillFolder(root / "Hard Disk" / "ShortTermDataLog", "DATA_LOG_24HR", data, size);
    const int count = input.control[0] % 40 - 2;
    const int skip = input.control[1] * 2 - 10;

    const int available = logging::ShortTermRecordsAvailable();
    if (available < 0 || available > logging::kShortTermMaxRecords) std::abort();
    std::vector<logging::DryerSample> out(static_cast<size_t>(count > 0 ? count : 0) + 1);
    const int got = logging::ReadShortTermRecords(count, out.data(), skip);
    if (got < 0 || got > (count > 0 ? count : 0)) std::abort();

    logging::AppendShortTermSample(logging::DryerSample{});
    if (logging::listLogFiles(logging::ShortTermPattern()).size() > 2) std::abort();
    return 0;
}
