#pragma once
// Turns fuzz input into the files a sample log is read from, held in memory: any size, torn
// tails included.
//
// Input: two control bytes, then entries of [kind][size: 3 bytes, little-endian][n][n bytes].
// kind & 3: 0 or 2 a file of the n bytes cut or padded with zeros to the size, 1 skipped (a
// folder among the files), 3 a file filled with repeats of its bytes. The last two files count.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "logging/log_files.h"

namespace fuzzing {

struct MemoryFiles {
    uint8_t control[2] = {0, 0};
    std::vector<std::vector<uint8_t>> contents;
    logging::SampleFiles files;
};

inline void fillMemoryFiles(const uint8_t* data, size_t size, MemoryFiles& out) {
    size_t at = 0;
    for (int i = 0; i < 2 && at < size; ++i)
        out.control[i] = data[at++];
    out.contents.clear();
    for (int index = 0; index < 6 && at + 5 <= size; ++index) {
        const uint8_t kind = data[at] & 3;
        const size_t fileSize = data[at + 1] | data[at + 2] << 8 | (data[at + 3] & 0x07) << 16;
        const size_t n = std::min<size_t>(data[at + 4], size - at - 5);
        const uint8_t* bytes = data + at + 5;
        at += 5 + n;
        if (kind == 1) continue;
        std::vector<uint8_t> file(fileSize, 0);
        if (kind == 3 && n > 0) {
            for (size_t i = 0; i < fileSize; ++i)
                file[i] = bytes[i % n];
        } else {
            std::copy_n(bytes, std::min(n, fileSize), file.begin());
        }
        out.contents.push_back(std::move(file));
    }
    if (out.contents.size() > 2) out.contents.erase(out.contents.begin(), out.contents.end() - 2);
    std::vector<std::span<const uint8_t>> spans(out.contents.begin(), out.contents.end());
    out.files = logging::sampleFilesInMemory(std::move(spans));
}

}  // namespace fuzzing
