#pragma once
// Turns fuzz input into the contents of a log folder: files with matching or odd names, of any
// size (torn tails included), and folders that match the pattern.
//
// Input: two control bytes, then entries of [kind][size: 3 bytes, little-endian][n][n bytes].
// kind & 3: 0 a matching file, 1 a matching folder, 2 a name that does not match, 3 a matching
// file filled with repeats of its bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/clock/clock.h"
#include "platform/files/files.h"

namespace fuzzing {

struct FolderInput {
    uint8_t control[2] = {0, 0};
};

// A scratch folder removed when the process ends.
struct ScratchFolder {
    std::filesystem::path path;
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

// The scratch panel root, once per process; on a memory file system where there is one.
inline const std::filesystem::path& scratchRoot() {
    static const ScratchFolder root{[] {
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm")
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        const auto dir = base / ("orvane-log-fuzz-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(dir);
        platform::configureDevicePaths(dir.string(), "");
        platform::LocalTime start;
        start.year = 2024;
        start.month = 3;
        start.day = 4;
        platform::useManualClock(start);
        return dir;
    }()};
    return root.path;
}

inline std::string stampedName(const std::string& prefix, int index) {
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "24_01_%02d_00_00_%02d", 1 + index % 28, index % 60);
    return prefix + stamp + ".DAT";
}

// Fills `folder` (a path below the scratch root) and returns the control bytes.
inline FolderInput fillFolder(const std::filesystem::path& folder, const std::string& prefix,
                              const uint8_t* data, size_t size) {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    std::filesystem::create_directories(folder);
    FolderInput input;
    size_t at = 0;
    for (int i = 0; i < 2 && at < size; ++i)
        input.control[i] = data[at++];
    for (int index = 0; index < 6 && at + 5 <= size; ++index) {
        const uint8_t kind = data[at] & 3;
        const uint64_t fileSize = data[at + 1] | data[at + 2] << 8 | (data[at + 3] & 0x07) << 16;
        const size_t n = std::min<size_t>(data[at + 4], size - at - 5);
        const std::string bytes(reinterpret_cast<const char*>(data + at + 5), n);
        at += 5 + n;
        const auto path = folder / (kind == 2 ? "GRAPH_" + std::to_string(index) + ".DAT"
                                              : stampedName(prefix, index));
        if (kind == 1) {
            std::filesystem::create_directories(path, ignored);
            continue;
        }
        {
            std::ofstream out(path, std::ios::binary);
            if (kind == 3 && n > 0) {
                for (uint64_t written = 0; written < fileSize; written += n)
                    out << bytes;
            } else {
                out << bytes;
            }
        }
        std::filesystem::resize_file(path, fileSize, ignored);
    }
    return input;
}

}  // namespace fuzzing
