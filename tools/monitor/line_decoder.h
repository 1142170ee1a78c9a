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

  private:
    void scan(uint64_t timeUs);
    void emitFrame(uint64_t timeUs, size_t length);
    void emitBytes(LineEvent::Kind kind, uint64_t timeUs, size_t length);
    void noteFrameTime(uint64_t timeUs);
    void describeStatus(LineEvent& event);

    Direction direction_;
    Sink sink_;
    LineTiming timing_;
    std::vector<uint8_t> buffer_;
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
