#include "monitor/line_decoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "link/crc.h"
#include "link/dryer_state.h"
#include "link/field_table.h"
#include "sim/frames.h"

namespace monitor {
namespace {

constexpr size_t kStatusFrame = dryer::kStatusFrameSize;
constexpr size_t kResyncFrame = 4;
constexpr size_t kIdleFrame = 7;
constexpr size_t kMaxDisplayFrame = 118;
// Noise that never falls quiet is let go in pieces, keeping what may still start a frame.
constexpr size_t kMaxPending = 4 * kStatusFrame;

// The length of a whole display frame at p, 0 while it may still be one, -1 when it cannot be.
long displayFrameAt(const uint8_t* p, size_t n) {
    if (p[0] == 0x06 && (n < 2 || p[1] == 0x00)) {
        if (n < kResyncFrame) return 0;
        return dryer::checkCrc(p, 2) ? kResyncFrame : -1;
    }
    const size_t length = p[0];
    if (length < kIdleFrame || length > kMaxDisplayFrame) return -1;
    if (n < length) return 0;
    const sim::DisplayFrame frame = sim::parseDisplayFrame(p, length);
    return frame.kind == sim::DisplayFrame::Kind::Bad ? -1 : static_cast<long>(length);
}

const dryer::SlidingCrc& statusDataCrc() {
    static const dryer::SlidingCrc crc(dryer::kStatusDataSize);
    return crc;
}

// The values of the status data, each of which may change.
size_t statusValueCount() {
    static const size_t count = [] {
        size_t n = 0;
        for (const dryer::FieldInfo& f : dryer::statusFields()) {
            if (f.first < dryer::kStatusDataSize) n += f.count;
        }
        return n;
    }();
    return count;
}

std::string valueText(const uint8_t* p, dryer::Kind kind) {
    if (kind != dryer::Kind::Time) return std::to_string(dryer::decodeValue(p, kind));
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", p[0], p[1]);
    return text;
}

}  // namespace

void LineDecoder::feed(uint64_t timeUs, const uint8_t* bytes, size_t size) {
    if (!buffer_.empty() && timeUs - lastByteUs_ > timing_.quietUs) quietUntil(timeUs);
    buffer_.insert(buffer_.end(), bytes, bytes + size);
    lastByteUs_ = timeUs;
    scan(timeUs);
    if (buffer_.size() > kMaxPending)
        emitBytes(LineEvent::Kind::LengthError, timeUs, buffer_.size() - kStatusFrame);
}

long LineDecoder::frameAt(size_t k) {
    const uint8_t* p = buffer_.data() + k;
    const size_t n = buffer_.size() - k;
    if (direction_ == Direction::FromDisplay) return displayFrameAt(p, n);
    if (n < kStatusFrame) return 0;
    const uint16_t crc = statusCrcAt(k);
    return p[dryer::kStatusDataSize] == static_cast<uint8_t>(crc) &&
                   p[dryer::kStatusDataSize + 1] == static_cast<uint8_t>(crc >> 8)
               ? static_cast<long>(kStatusFrame)
               : -1;
}

uint16_t LineDecoder::statusCrcAt(size_t k) {
    const uint8_t* bytes = buffer_.data();
    if (crcAt_ != kNoPlace && crcAt_ + 1 == k) {
        statusCrc_ =
            statusDataCrc().slide(statusCrc_, bytes[k - 1], bytes[k + dryer::kStatusDataSize - 1]);
    } else if (crcAt_ != k) {
        statusCrc_ = dryer::crc16(bytes + k, dryer::kStatusDataSize);
    }
    crcAt_ = k;
    return statusCrc_;
}

void LineDecoder::scan(uint64_t timeUs) {
    size_t k = noFrameBefore_;
    while (k < buffer_.size()) {
        const long length = frameAt(k);
        if (length == 0) break;  // perhaps a frame still arriving
        if (length < 0) {
            ++k;
            continue;
        }
        if (k > 0) emitBytes(LineEvent::Kind::Stray, timeUs, k);
        emitFrame(timeUs, static_cast<size_t>(length));
        k = 0;
    }
    noFrameBefore_ = k;
}

void LineDecoder::quietUntil(uint64_t timeUs) {
    if (!buffer_.empty() && timeUs - lastByteUs_ > timing_.quietUs) finish();
}

void LineDecoder::finish() {
    // The line fell quiet: a first byte that still waits for more starts no frame after all.
    while (!buffer_.empty()) {
        size_t k = std::max<size_t>(noFrameBefore_, 1);
        while (k < buffer_.size() && frameAt(k) <= 0)
            ++k;
        if (k == buffer_.size()) break;
        emitBytes(LineEvent::Kind::Stray, lastByteUs_, k);
        scan(lastByteUs_);
    }
    if (buffer_.empty()) return;
    const size_t expected =
        direction_ == Direction::FromController ? kStatusFrame : static_cast<size_t>(buffer_[0]);
    const bool crcError = buffer_.size() == expected;
    emitBytes(crcError ? LineEvent::Kind::CrcError : LineEvent::Kind::LengthError, lastByteUs_,
              buffer_.size());
}

void LineDecoder::noteFrameTime(uint64_t timeUs) {
    if (anyFrame_ && timeUs - lastFrameUs_ > timing_.gapUs) {
        LineEvent gap;
        gap.kind = LineEvent::Kind::Gap;
        gap.direction = direction_;
        gap.timeUs = timeUs;
        gap.gapUs = timeUs - lastFrameUs_;
        sink_(gap);
    }
    anyFrame_ = true;
    lastFrameUs_ = timeUs;
}

void LineDecoder::emitFrame(uint64_t timeUs, size_t length) {
    noteFrameTime(timeUs);
    LineEvent event;
    event.direction = direction_;
    event.timeUs = timeUs;
    take(length, event.bytes);
    if (direction_ == Direction::FromController) {
        event.kind = LineEvent::Kind::Status;
        describeStatus(event);
    } else {
        const sim::DisplayFrame frame = sim::parseDisplayFrame(event.bytes.data(), length);
        event.kind = frame.kind == sim::DisplayFrame::Kind::Idle     ? LineEvent::Kind::Idle
                     : frame.kind == sim::DisplayFrame::Kind::Resync ? LineEvent::Kind::Resync
                                                                     : LineEvent::Kind::Command;
        for (const sim::WriteRecord& r : frame.records)
            event.records.push_back(sim::describeRecord(r));
    }
    sink_(event);
}

void LineDecoder::emitBytes(LineEvent::Kind kind, uint64_t timeUs, size_t length) {
    LineEvent event;
    event.kind = kind;
    event.direction = direction_;
    event.timeUs = timeUs;
    take(length, event.bytes);
    sink_(event);
}

void LineDecoder::take(size_t length, std::vector<uint8_t>& to) {
    to.assign(buffer_.begin(), buffer_.begin() + static_cast<long>(length));
    buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<long>(length));
    noFrameBefore_ -= std::min(noFrameBefore_, length);
    crcAt_ = crcAt_ != kNoPlace && crcAt_ >= length ? crcAt_ - length : kNoPlace;
}

void LineDecoder::describeStatus(LineEvent& event) {
    event.firstStatus = lastStatus_.empty();
    const uint8_t* now = event.bytes.data();
    const uint8_t* before = lastStatus_.data();
    // A frame like the one before (the controller repeats itself while nothing changes) has no
    // field to look at.
    if (!event.firstStatus && std::memcmp(now, before, kStatusFrame) != 0) {
        for (const dryer::FieldInfo& f : dryer::statusFields()) {
            if (f.first >= dryer::kStatusDataSize) continue;
            const auto width = static_cast<size_t>(dryer::widthOf(f.kind));
            for (int e = 0; e < f.count; ++e) {
                const int at = f.first + e * f.stride;
                if (std::memcmp(now + at, before + at, width) == 0) continue;
                // Room for every value at the first change: a frame that changes at all often
                // changes many, and a list grown a step at a time was moved again and again.
                if (event.changes.empty()) event.changes.reserve(statusValueCount());
                std::string name = f.name;
                if (f.count > 1) name.append("[").append(std::to_string(e)).append("]");
                event.changes.push_back({std::move(name), valueText(now + at, f.kind)});
            }
        }
    }
    lastStatus_ = event.bytes;
}

void decodeChunks(const std::vector<Chunk>& chunks, const LineDecoder::Sink& sink,
                  LineTiming timing) {
    LineDecoder display(Direction::FromDisplay, sink, timing);
    LineDecoder controller(Direction::FromController, sink, timing);
    for (const Chunk& chunk : chunks) {
        display.quietUntil(chunk.timeUs);
        controller.quietUntil(chunk.timeUs);
        LineDecoder& line = chunk.direction == Direction::FromDisplay ? display : controller;
        line.feed(chunk.timeUs, chunk.bytes.data(), chunk.bytes.size());
    }
    display.finish();
    controller.finish();
}

}  // namespace monitor
