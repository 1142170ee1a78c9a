// The line monitor's reading of a capture: frames found by layout and CRC whatever pieces they
// came in, what went wrong on the line, and the capture file itself.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "link/crc.h"
#include "link/dryer_state.h"
#include "monitor/capture.h"
#include "monitor/line_decoder.h"
#include "monitor/report.h"

namespace monitor {
namespace {

using Kind = LineEvent::Kind;
using Bytes = std::vector<uint8_t>;

Bytes statusFrame(int plenumSetpoint) {
    Bytes frame(dryer::kStatusFrameSize, 0);
    frame[69] = static_cast<uint8_t>(plenumSetpoint);
    dryer::appendCrc(frame.data(), dryer::kStatusDataSize);
    return frame;
}

Bytes plenumCommand() {
    Bytes frame = {9, 1, 0, 69, 2, 0xBE, 0x00, 0, 0};
    dryer::appendCrc(frame.data(), 7);
    return frame;
}

Chunk at(uint64_t ms, Direction d, Bytes bytes) {
    return Chunk{d, ms * 1000, std::move(bytes)};
}

Bytes slice(const Bytes& b, size_t from, size_t to) {
    return Bytes(b.begin() + static_cast<long>(from), b.begin() + static_cast<long>(to));
}

std::vector<LineEvent> decode(const std::vector<Chunk>& chunks) {
    std::vector<LineEvent> events;
    decodeChunks(chunks, [&](const LineEvent& e) { events.push_back(e); });
    return events;
}

std::vector<Kind> kinds(const std::vector<LineEvent>& events) {
    std::vector<Kind> out;
    for (const LineEvent& e : events)
        out.push_back(e.kind);
    return out;
}

constexpr Direction kD = Direction::FromDisplay;
constexpr Direction kC = Direction::FromController;

TEST(LineMonitor, SplitFramesStrayBytesAndBadFramesAreToldApart) {
    const Bytes first = statusFrame(180);
    Bytes badCrc = statusFrame(190);
    badCrc[330] ^= 0xFF;
    Bytes stray = {0x55, 0xAA, 0x01};
    const Bytes command = plenumCommand();
    stray.insert(stray.end(), command.begin(), command.end());
    const std::vector<Chunk> chunks = {
        at(0, kC, slice(first, 0, 100)),  // one frame in three reads
        at(2, kC, slice(first, 100, 250)),
        at(4, kC, slice(first, 250, 331)),
        at(350, kD, stray),
        at(360, kC, badCrc),
        at(700, kD, slice(command, 0, 5)),  // cut short on the line
        at(710, kC, slice(first, 0, 300)),
        at(1500, kC, statusFrame(190)),
    };
    const std::vector<LineEvent> events = decode(chunks);
    EXPECT_EQ(kinds(events),
              (std::vector<Kind>{Kind::Status, Kind::Stray, Kind::Command, Kind::CrcError,
                                 Kind::LengthError, Kind::LengthError, Kind::Gap, Kind::Status}));
    EXPECT_TRUE(events[0].firstStatus);
    EXPECT_EQ(events[0].timeUs, 4000u);
    EXPECT_EQ(events[1].bytes, (Bytes{0x55, 0xAA, 0x01}));
    EXPECT_EQ(events[2].records, (std::vector<std::string>{"69+2 plenumTempSetpoint[5] = BE 00"}));
    EXPECT_EQ(events[3].bytes.size(), 331u);
    EXPECT_EQ(events[4].direction, kD);
    EXPECT_EQ(events[5].bytes.size(), 300u);
    EXPECT_EQ(events[6].gapUs, 1'496'000u) << "since the first good status frame";
    // The bad frames in between are not compared with: the change is against the first.
    ASSERT_EQ(events[7].changes.size(), 1u);
    EXPECT_EQ(events[7].changes[0].name, "plenumTempSetpoint[5]");
    EXPECT_EQ(events[7].changes[0].value, "190");

    EXPECT_EQ(eventText(events[4]),
              "     0.700  display     length error (5 bytes, its length byte says 9)\n"
              "              09 01 00 45 02\n");
    EXPECT_EQ(eventCsv(events[2]), "0.350,display,command,9,69+2 plenumTempSetpoint[5] = BE 00\n");
}

TEST(LineMonitor, NoiseThatNeverFallsQuietIsLetGoInPieces) {
    std::vector<LineEvent> events;
    LineDecoder line(kC, [&](const LineEvent& e) { events.push_back(e); });
    const Bytes noise(512, 0x33);
    for (int i = 0; i < 40; ++i)
        line.feed(static_cast<uint64_t>(i) * 1000, noise.data(), noise.size());
    const Bytes good = statusFrame(150);
    line.feed(41'000, good.data(), good.size());
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back().kind, Kind::Status);
    for (size_t i = 0; i + 2 < events.size(); ++i)
        EXPECT_EQ(events[i].kind, Kind::LengthError);
}

TEST(LineMonitor, StatusFramesAreFoundBehindNoiseThatCameInManyReads) {
    std::vector<LineEvent> events;
    LineDecoder line(kC, [&](const LineEvent& e) { events.push_back(e); });
    Bytes noise(700);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = static_cast<uint8_t>(i * 37 + 11);
    const Bytes first = statusFrame(150), second = statusFrame(160);
    Bytes line1 = noise;
    line1.insert(line1.end(), first.begin(), first.end());
    line1.insert(line1.end(), noise.begin(), noise.begin() + 50);
    line1.insert(line1.end(), second.begin(), second.end());
    for (size_t at = 0; at < line1.size(); at += 90) {
        const size_t n = std::min<size_t>(90, line1.size() - at);
        line.feed(at, line1.data() + at, n);  // a read every microsecond: never quiet
    }
    ASSERT_EQ(kinds(events),
              (std::vector<Kind>{Kind::Stray, Kind::Status, Kind::Stray, Kind::Status}));
    EXPECT_EQ(events[0].bytes, noise);
    EXPECT_EQ(events[1].bytes, first);
    EXPECT_EQ(events[2].bytes.size(), 50u);
    EXPECT_EQ(events[3].bytes, second);
}

TEST(LineMonitor, TheEndOfTheLineEndsAnUnfinishedFrameWhateverTheClockSays) {
    const Bytes frame = statusFrame(180);
    // The clock's last microseconds: no later time could count as quiet.
    const uint64_t late = UINT64_MAX - 1000;
    const std::vector<LineEvent> events =
        decode({Chunk{kC, 0, slice(frame, 0, 100)}, Chunk{kC, late, slice(frame, 100, 124)}});
    ASSERT_EQ(kinds(events), (std::vector<Kind>{Kind::LengthError, Kind::LengthError}));
    EXPECT_EQ(events[0].bytes.size(), 100u);
    EXPECT_EQ(events[1].bytes.size(), 24u);
    EXPECT_EQ(events[1].timeUs, late);

    std::vector<LineEvent> live;
    LineDecoder line(kD, [&](const LineEvent& e) { live.push_back(e); });
    const Bytes command = plenumCommand();
    line.feed(5000, command.data(), 5);
    line.quietUntil(5000);
    EXPECT_TRUE(live.empty()) << "still within the quiet time";
    line.finish();
    ASSERT_EQ(kinds(live), (std::vector<Kind>{Kind::LengthError}));
    EXPECT_EQ(live[0].bytes, slice(command, 0, 5));
}

TEST(LineMonitor, ReportsQuoteCsvDetailsAndCutLongHex) {
    LineEvent command;
    command.kind = Kind::Command;
    command.timeUs = 1'234'567;
    command.bytes = {9, 1};
    command.records = {"say \"hi\", then", "plain"};
    EXPECT_EQ(eventCsv(command), "1.234,display,command,2,\"say \"\"hi\"\", then; plain\"\n");

    LineEvent stray;
    stray.kind = Kind::Stray;
    stray.direction = kC;
    stray.bytes = Bytes(30, 0xA5);
    std::string expected;
    for (int i = 0; i < 24; ++i)
        expected += i == 0 ? "A5" : " A5";
    EXPECT_EQ(eventCsv(stray), "0.000,controller,stray bytes,30," + expected + " ...\n");
    EXPECT_EQ(eventText(stray), "     0.000  controller  stray bytes (30 bytes)\n" +
                                    std::string(14, ' ') + expected + " ...\n");
}

TEST(LineMonitor, CaptureKeepsEveryWholeChunkBeforeAFault) {
    std::vector<uint8_t> file = captureHeader();
    const std::vector<Chunk> chunks = {at(1, kD, {7, 0, 0, 0, 0, 1, 2}),
                                       at(9, kC, statusFrame(180))};
    for (const Chunk& c : chunks) {
        const Bytes encoded = encodeChunk(c);
        file.insert(file.end(), encoded.begin(), encoded.end());
    }
    const CaptureRead whole = parseCapture(file);
    ASSERT_TRUE(whole.ok);
    ASSERT_EQ(whole.chunks.size(), 2u);
    EXPECT_EQ(whole.chunks[1].timeUs, 9000u);
    EXPECT_EQ(whole.chunks[1].bytes, chunks[1].bytes);

    const CaptureRead cut = parseCapture(std::span(file).first(file.size() - 1));
    EXPECT_FALSE(cut.ok);
    EXPECT_EQ(cut.chunks.size(), 1u);
    EXPECT_EQ(cut.faultOffset, 8u + 11 + 7);

    file[8] = 'X';
    EXPECT_EQ(parseCapture(file).fault, "unknown direction");
    EXPECT_FALSE(parseCapture(Bytes{1, 2, 3}).ok);
}

}  // namespace
}  // namespace monitor
