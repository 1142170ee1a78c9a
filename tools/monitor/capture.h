#pragma once
// Capture files of the controller line: what each direction carried, in the pieces it arrived
// in, with the time of arrival, so that a capture decodes later exactly as it did live.
//
//   "ORVCAP1\n", then chunks: direction (1 byte: 'D' display to controller, 'C' controller to
//   display), microseconds since the start (8 bytes, little-endian), length n (2 bytes,
//   little-endian, 1 to 4096), n bytes.

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

namespace monitor {

enum class Direction : uint8_t { FromDisplay, FromController };

struct Chunk {
    Direction direction = Direction::FromDisplay;
    uint64_t timeUs = 0;
    std::vector<uint8_t> bytes;
};

inline constexpr size_t kMaxChunkBytes = 4096;

struct CaptureRead {
    std::vector<Chunk> chunks;  // every whole chunk before the fault
    bool ok = true;
    size_t faultOffset = 0;  // where the capture stops making sense
    std::string fault;       // empty when ok
};

// Reads a capture held in memory; a bad or cut file keeps the chunks before the fault.
CaptureRead parseCapture(std::span<const uint8_t> bytes);

// The capture's header and one chunk, as the file holds them.
std::vector<uint8_t> captureHeader();
std::vector<uint8_t> encodeChunk(const Chunk& chunk);

// Appends to a capture file as the line carries bytes; each chunk is written and flushed at
// once, so a monitor stopped with ^C leaves a whole file.
class CaptureWriter {
  public:
    CaptureWriter() = default;
    ~CaptureWriter();
    CaptureWriter(const CaptureWriter&) = delete;
    CaptureWriter& operator=(const CaptureWriter&) = delete;

    bool open(const std::string& path);
    bool write(const Chunk& chunk);

  private:
    std::FILE* file_ = nullptr;
};

}  // namespace monitor
