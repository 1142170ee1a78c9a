// The shutdown history volume as found on the flash disk: any bytes must mount as a volume, be
// set aside as damaged, or fail cleanly, and every history operation must then work or fail
// without harm.
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files/files.h"
#include "platform/store/store.h"
#include "screens/warnings/shutdown_history.h"

namespace {

std::filesystem::path gRoot;

void removeRoot() {
    std::error_code ignored;
    std::filesystem::remove_all(gRoot, ignored);
}

const std::filesystem::path& flashDisk() {
    static const std::filesystem::path disk = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orvane-store-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        gRoot = pattern;
        std::atexit(removeRoot);
        platform::configureDevicePaths(pattern, "");
        return gRoot / "Hard Disk";
    }();
    return disk;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path& disk = flashDisk();
    std::error_code ignored;
    std::filesystem::remove_all(disk, ignored);
    std::filesystem::create_directories(disk);
    std::ofstream(disk / "ShutdownHistoryDB", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), size);

    {
        platform::Volume volume;
        platform::DatabaseId id = 0;
        if (volume.mount(warnings::kHistoryVolume) == platform::kStoreOk &&
            volume.findDatabase(warnings::kHistoryDatabase, id) == platform::kStoreOk) {
            uint32_t count = 0;
            volume.recordCount(id, count);
            for (size_t order = 0; order < 4; ++order)
                volume.readRecords(id, order, [](const platform::Record&) {});
        }
    }
    if (warnings::openShutdownHistory()) {
        for (int order :
             {warnings::kSortByWarning, warnings::kSortByNodeId, warnings::kSortByDateTime}) {
            warnings::listShutdownHistory(order);
        }
        warnings::shutdownHistoryCount();
        warnings::recordOperatorEvent();
        warnings::listShutdownHistory(warnings::kSortByDateTime);
    }
    return 0;
}
