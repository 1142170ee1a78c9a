// Arbitrary bytes as the kernel's mount table: every mount point found lies below the folder.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/sys/drive_watch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view table(reinterpret_cast<const char*>(data), size);
    for (const auto& point : platform::mountPointsBelow(table, "/media")) {
        if (!point.starts_with("/media/") || point.size() <= 7) std::abort();
    }
    return 0;
}
