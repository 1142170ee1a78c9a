#pragma once
// Turns the bytes of one direction of the controller line into frames: status frames from the
// controller; idle, resync and command frames from the display. A frame is found by its own
// layout and CRC, so one split over several reads is joined and stray bytes in front of it are
// told apart; what is left when the line falls quiet is reported as a length or CRC error.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "monitor/capture.h"

namespace monitor {

struct FieldChange {
    std::string name;  // "plenumTempSetpoint[5]"
    std::string value;
};

struct LineEvent {
    enum class Kind { Status, Idle, Resync, Command, Stray, CrcError, LengthError, Gap };
    Kind kind = Kind::Status;
    Direction direction = Direction::FromDisplay;
    uint64_t timeUs = 0;  // arrival of the frame's last byte (of the frame ending the gap)
    std::vector<uint8_t> bytes;
    std::vector<std::string> records;  // command frames: "69+2 plenumTempSetpoint[5] = BE 00"
    std::vector<FieldChange> changes;  // status frames: fields unlike the previous status frame
    bool firstStatus = false;          // no status frame before it to compare with
    uint64_t gapUs = 0;                // gaps: time since the previous frame that way
};

struct LineTiming {
    uint64_t quietUs = 20'000;  // a frame not whole after this long is an error
    uint64_t gapUs = 500'000;   // frames further apart than this are reported as a gap
};

class LineDecoder {
  public:
    using Sink = std::function<void(const LineEvent&)>;
    LineDecoder(Direction direction, Sink sink, LineTiming timing = {})
        : direction_(direction), sink_(std::move(sink)), timing_(timing) {}

    // Bytes as they arrived.
    void feed(uint64_t timeUs, const uint8_t* bytes, size_t size);
    // The time has come with nothing more: ends a frame that is not whole.
    void quietUntil(uint64_t timeUs);
    // The line is done (the end of a capture or of a live run): ends a frame that is not whole,
    // however recent its last byte.
    void finish();

  private:
    // The length of a whole frame at place k of the buffer, 0 while it may still be one, -1
    // when it cannot be.
    long frameAt(size_t k);
    // The CRC over the status data at place k: slid on from the place before when that was the
    // last one looked at, as the search for a status frame goes along the buffer.
    uint16_t statusCrcAt(size_t k);
    void scan(uint64_t timeUs);
    void emitFrame(uint64_t timeUs, size_t length);
    void emitBytes(LineEvent::Kind kind, uint64_t timeUs, size_t length);
    // Moves the first `length` bytes of the buffer into `to`.
    void take(size_t length, std::vector<uint8_t>& to);
    void noteFrameTime(uint64_t timeUs);
    void describeStatus(LineEvent& event);

    Direction direction_;
    Sink sink_;
    LineTiming timing_;
    std::vector<uint8_t> buffer_;
    // The first bytes of buffer_ known to start no frame. Whether one does is settled by the
    // bytes from it on as far as its frame would reach, so more bytes arriving behind it never
    // change that: each place is looked at once, not again with every read.
    size_t noFrameBefore_ = 0;
    static constexpr size_t kNoPlace = SIZE_MAX;
    size_t crcAt_ = kNoPlace;  // the place whose status data statusCrc_ is the CRC of
    uint16_t statusCrc_ = 0;
    uint64_t lastByteUs_ = 0;
    uint64_t lastFrameUs_ = 0;
    bool anyFrame_ = false;
    std::vector<uint8_t> lastStatus_;
};

// Feeds the chunks of a capture to a decoder per direction, in order, ending each frame the
// line left unfinished.
void decodeChunks(const std::vector<Chunk>& chunks, const LineDecoder::Sink& sink,
                  LineTiming timing = {});

}  // namespace monitor
