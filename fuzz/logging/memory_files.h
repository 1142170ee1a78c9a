#pragma once
// Turns fuzz input into the files a sample log is read from, held in memory: any size, torn
// tails included. A file is its size and a pattern its bytes repeat (or, for kind 0 and 2, the
// pattern then zeros), so a large file costs nothing until the reader reads it.
//
// Input: two control bytes, then entries of [kind][size: 3 bytes, little-endian][n][n bytes].
// kind & 3: 0 or 2 the n bytes then zeros up to the size, 1 skipped (a folder among the files),
// 3 the n bytes repeated up to the size. The last two files count.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "logging/log_files.h"

namespace fuzzing {

struct PatternFile {
    uint64_t size = 0;
    const uint8_t* pattern = nullptr;
    size_t patternSize = 0;
    bool repeats = false;

    // Bytes [begin, begin + length) of the file, a run of the pattern at a time.
    void copy(uint64_t begin, uint64_t length, uint8_t* to) const {
        std::fill_n(to, length, uint8_t{0});
        if (patternSize == 0) return;
        for (uint64_t i = begin; i < begin + length;) {
            const uint64_t inPattern = repeats ? i % patternSize : i;
            if (inPattern >= patternSize) break;  // zeros from here on
            const uint64_t run = std::min<uint64_t>(patternSize - inPattern, begin + length - i);
            std::copy_n(pattern + inPattern, run, to + (i - begin));
            i += run;
        }
    }
};

struct MemoryFiles {
    uint8_t control[2] = {0, 0};
    std::vector<PatternFile> files;
    logging::SampleFiles sampleFiles;
};

inline void fillMemoryFiles(const uint8_t* data, size_t size, MemoryFiles& out) {
    size_t at = 0;
    for (int i = 0; i < 2 && at < size; ++i)
        out.control[i] = data[at++];
    out.files.clear();
    for (int index = 0; index < 6 && at + 5 <= size; ++index) {
        const uint8_t kind = data[at] & 3;
        const uint64_t fileSize = data[at + 1] | data[at + 2] << 8 | (data[at + 3] & 0x07) << 16;
        const size_t n = std::min<size_t>(data[at + 4], size - at - 5);
        const uint8_t* bytes = data + at + 5;
        at += 5 + n;
        if (kind != 1) out.files.push_back({fileSize, bytes, n, kind == 3});
    }
    if (out.files.size() > 2) out.files.erase(out.files.begin(), out.files.end() - 2);
    out.sampleFiles.sizes.clear();
    for (const PatternFile& f : out.files)
        out.sampleFiles.sizes.push_back(f.size);
    out.sampleFiles.read = [&out](size_t file, uint64_t first, uint64_t count, uint8_t* to) {
        const PatternFile& f = out.files[file];
        const uint64_t begin = first * logging::kDryerSampleSize;
        const uint64_t length = count * logging::kDryerSampleSize;
        if (begin > f.size || f.size - begin < length) return logging::SampleRead::Short;
        f.copy(begin, length, to);
        return logging::SampleRead::Ok;
    };
}

}  // namespace fuzzing
