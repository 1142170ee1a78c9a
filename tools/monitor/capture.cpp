#include "monitor/capture.h"

#include <algorithm>
#include <cstring>

namespace monitor {
namespace {

constexpr char kMagic[] = "ORVCAP1\n";
constexpr size_t kMagicSize = sizeof kMagic - 1;
constexpr size_t kChunkHead = 1 + 8 + 2;

uint64_t readLe(const uint8_t* p, int width) {
    uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

void putLe(std::vector<uint8_t>& out, uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

CaptureRead failAt(CaptureRead read, size_t offset, std::string why) {
    read.ok = false;
    read.faultOffset = offset;
    read.fault = std::move(why);
    return read;
}

}  // namespace

CaptureRead parseCapture(std::span<const uint8_t> bytes) {
    CaptureRead read;
    if (bytes.size() < kMagicSize || std::memcmp(bytes.data(), kMagic, kMagicSize) != 0)
        return failAt(std::move(read), 0, "not a capture of the controller line");
    size_t at = kMagicSize;
    uint64_t lastTime = 0;
    while (at < bytes.size()) {
        if (bytes.size() - at < kChunkHead)
            return failAt(std::move(read), at, "cut inside a chunk");
        const uint8_t* head = bytes.data() + at;
        if (head[0] != 'D' && head[0] != 'C')
            return failAt(std::move(read), at, "unknown direction");
        const uint64_t time = readLe(head + 1, 8);
        const size_t length = readLe(head + 9, 2);
        if (length == 0 || length > kMaxChunkBytes)
            return failAt(std::move(read), at, "chunk length out of range");
        if (time < lastTime) return failAt(std::move(read), at, "time runs backwards");
        if (bytes.size() - at - kChunkHead < length)
            return failAt(std::move(read), at, "cut inside a chunk");
        Chunk chunk;
        chunk.direction = head[0] == 'D' ? Direction::FromDisplay : Direction::FromController;
        chunk.timeUs = time;
        chunk.bytes.assign(head + kChunkHead, head + kChunkHead + length);
        read.chunks.push_back(std::move(chunk));
        lastTime = time;
        at += kChunkHead + length;
    }
    return read;
}

std::vector<uint8_t> captureHeader() {
    return std::vector<uint8_t>(kMagic, kMagic + kMagicSize);
}

std::vector<uint8_t> encodeChunk(const Chunk& chunk) {
    std::vector<uint8_t> out;
    out.push_back(chunk.direction == Direction::FromDisplay ? 'D' : 'C');
    putLe(out, chunk.timeUs, 8);
    putLe(out, chunk.bytes.size(), 2);
    out.insert(out.end(), chunk.bytes.begin(), chunk.bytes.end());
    return out;
}

CaptureWriter::~CaptureWriter() {
    if (file_) std::fclose(file_);
}

bool CaptureWriter::open(const std::string& path) {
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return false;
    const std::vector<uint8_t> head = captureHeader();
    return std::fwrite(head.data(), 1, head.size(), file_) == head.size() &&
           std::fflush(file_) == 0;
}

bool CaptureWriter::write(const Chunk& chunk) {
    // The line may hand over more at once than a chunk holds.
    for (size_t at = 0; at < chunk.bytes.size(); at += kMaxChunkBytes) {
        Chunk piece{chunk.direction, chunk.timeUs, {}};
        const size_t n = std::min(kMaxChunkBytes, chunk.bytes.size() - at);
        piece.bytes.assign(chunk.bytes.begin() + at, chunk.bytes.begin() + at + n);
        const std::vector<uint8_t> out = encodeChunk(piece);
        if (std::fwrite(out.data(), 1, out.size(), file_) != out.size()) return false;
    }
    return std::fflush(file_) == 0;
}

}  // namespace monitor
