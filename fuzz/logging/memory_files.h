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

    // Bytes [begin, begin + length) of the file.
    void copy(uint64_t begin, uint64_t length, uint8_t* to) const {
        if (repeats && patternSize > 0) {
            repeat(begin, length, to);
            return;
        }
        std::fill_n(to, length, uint8_t{0});
        if (begin < patternSize)
            std::copy_n(pattern + begin, std::min<uint64_t>(patternSize - begin, length), to);
    }

    // One period of the pattern, then the bytes already written copied on, twice as many each
    // time: a window of a one-byte pattern takes a few copies, not one per byte.
    void repeat(uint64_t begin, uint64_t length, uint8_t* to) const {
        const uint64_t start = begin % patternSize;
        const uint64_t head = std::min<uint64_t>(patternSize - start, length);
        std::copy_n(pattern + start, head, to);
        std::copy_n(pattern, std::min<uint64_t>(start, length - head), to + head);
        for (uint64_t done = patternSize; done < length; done *= 2)
            std::copy_n(to, std::min(done, length - done), to + done);
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
