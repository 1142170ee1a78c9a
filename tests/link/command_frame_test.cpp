#include "link/command_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "link/crc.h"

namespace dryer {
namespace {

std::vector<std::pair<int, int>> recordsOf(const uint8_t* frame) {
    std::vector<std::pair<int, int>> out;
    int i = 2;
    for (int r = 0; r < frame[1]; ++r) {
        out.emplace_back(frame[i] * 256 + frame[i + 1], frame[i + 2]);
        i += 3 + frame[i + 2];
    }
    EXPECT_EQ(i + 2, frame[0]);
    return out;
}

TEST(Crc, MatchesTheLineVectors) {
    uint8_t abc[5] = {'a', 'b', 'c'};
    appendCrc(abc, 3);
    EXPECT_EQ(abc[3], 0x49);
    EXPECT_EQ(abc[4], 0x57);
    uint8_t idle[7] = {0x07, 0, 0, 0, 0};
    appendCrc(idle, 5);
    EXPECT_EQ(idle[5], 0x91);
    EXPECT_EQ(idle[6], 0xC0);
    uint8_t resync[4] = {0x06, 0x00};
    appendCrc(resync, 2);
    EXPECT_EQ(resync[2], 0x02);
    EXPECT_EQ(resync[3], 0x10);
    EXPECT_TRUE(checkCrc(resync, 2));
    resync[3] ^= 0x01;
    EXPECT_FALSE(checkCrc(resync, 2));
    uint8_t all[258];
    for (int i = 0; i < 256; ++i)
        all[i] = static_cast<uint8_t>(i);
    appendCrc(all, 256);
    EXPECT_TRUE(checkCrc(all, 256));
    all[100] ^= 0x80;
    EXPECT_FALSE(checkCrc(all, 256));
}

TEST(Crc, SlidingWindowAgreesWithTheCrcAtEveryPlace) {
    std::vector<uint8_t> run(1200);
    uint32_t seed = 12345;
    for (uint8_t& b : run) {
        seed = seed * 1103515245 + 12345;
        b = static_cast<uint8_t>(seed >> 16);
    }
    std::fill(run.begin() + 400, run.begin() + 800, uint8_t{0});  // zeros enter and leave too
    for (size_t length : {size_t{1}, size_t{2}, size_t{329}}) {
        const SlidingCrc window(length);
        uint16_t crc = crc16(run.data(), length);
        for (size_t at = 1; at + length <= run.size(); ++at) {
            crc = window.slide(crc, run[at - 1], run[at + length - 1]);
            ASSERT_EQ(crc, crc16(run.data() + at, length)) << "length " << length << " at " << at;
        }
    }
}

TEST(CommandFrame, ClockAloneIsTwelveBytesAndSentOnce) {
    DryerState state;
    uint8_t frame[kMaxCommandFrame + 2] = {};
    EXPECT_FALSE(buildCommandFrame(state, frame));
    EXPECT_EQ(frame[0], 2);
    EXPECT_EQ(frame[1], 0);

    const uint8_t clock[5] = {7, 14, 21, 3, 25};  // 14:07 on 21 March 2025
    for (int i = 0; i < 5; ++i)
        state.edit.clock(i).set(clock[i]);
    state.commitEdit(state.pending.clock());
    ASSERT_TRUE(buildCommandFrame(state, frame));
    const std::vector<uint8_t> expected = {12, 1, 0, 53, 5, 7, 14, 21, 3, 25};
    EXPECT_EQ(std::vector<uint8_t>(frame, frame + 10), expected);
    appendCrc(frame, frame[0] - 2);
    EXPECT_TRUE(checkCrc(frame, 10));
    EXPECT_FALSE(state.pending.clock().raised());
    EXPECT_FALSE(buildCommandFrame(state, frame));
}

TEST(CommandFrame, AllFlagsRaisedStopsAtTheIndexLimitButKeepsTheTwoUnlimitedRows) {
    DryerState state;
    for (int n = 1; n <= kCommandRecordCount; ++n)
        state.pending.record(n).raise();
    uint8_t frame[kMaxCommandFrame + 2] = {};
    ASSERT_TRUE(buildCommandFrame(state, frame));
    const std::vector<std::pair<int, int>> expected = {
        {3, 1},   {4, 1},   {5, 1},  {6, 1},  {7, 1},  {8, 1},  {11, 2}, {9, 2},
        {254, 2}, {252, 2}, {16, 2}, {14, 2}, {21, 2}, {19, 2}, {26, 2}, {31, 2},
        {41, 2},  {46, 2},  {49, 1}, {50, 1}, {53, 5}, {285, 1}};
    EXPECT_EQ(recordsOf(frame), expected);
    EXPECT_EQ(frame[0], 108);
    EXPECT_FALSE(state.pending.clock().raised());
    EXPECT_TRUE(state.pending.userSettings().raised());  // not sent, so not spent
    EXPECT_TRUE(state.pending.grainType().raised());

    // Without the clock the limit falls after the second plenum setpoint.
    ASSERT_TRUE(buildCommandFrame(state, frame));
    EXPECT_EQ(frame[0], 110);
    const auto second = recordsOf(frame);
    ASSERT_EQ(second.size(), 23u);
    EXPECT_EQ(second[19], (std::pair<int, int>{50, 1}));
    EXPECT_EQ(second[20], (std::pair<int, int>{59, 2}));
    EXPECT_EQ(second[21], (std::pair<int, int>{61, 2}));
    EXPECT_EQ(second[22], (std::pair<int, int>{285, 1}));

    // The longest possible frame stays within 118 bytes whatever is raised.
    for (int n = 1; n <= kCommandRecordCount; ++n) {
        for (int m = 1; m <= kCommandRecordCount; ++m)
            state.pending.record(m).clear();
        for (int m = n; m <= kCommandRecordCount; ++m)
            state.pending.record(m).raise();
        buildCommandFrame(state, frame);
        EXPECT_LE(frame[0], kMaxCommandFrame) << n;
    }
}

TEST(CommandFrame, RecordsCarryEditOrStatusBytesAndUserCommandBitsGoOnce) {
    DryerState state;
    state.edit.plenumTempSetpoint(5).set(0x0104);
    state.commitEdit(state.pending.plenumTempSetpoint(5));
    for (int i = 0; i < 4; ++i)
        state.status.meterRollKnobSpeed(i).set(10 + i);
    state.status.statusByte230().set(77);
    state.pending.knobSpeedCopyAll().raise();
    state.pending.knobSpeedCopy161().raise();
    state.pending.knobSpeedCopyUpper().raise();
    state.edit.userSettings().set(0x83);
    state.commitEdit(state.pending.userSettings());

    uint8_t frame[kMaxCommandFrame + 2] = {};
    ASSERT_TRUE(buildCommandFrame(state, frame));
    const std::vector<uint8_t> expected = {
        30, 5,                           //
        0,  69,  2, 0x04, 0x01,          // fan/heater 1 setpoint from edit
        0,  159, 4, 10,   11,   12, 13,  // knob speeds 155-158 to 159
        0,  161, 1, 77,                  // byte 230 to 161
        0,  160, 3, 11,   12,   13,      // knob speeds 156-158 to 160
        1,  10,  1, 0x83};               // user settings with its command bits
    EXPECT_EQ(std::vector<uint8_t>(frame, frame + 28), expected);
    EXPECT_EQ(state.edit.userSettings().get(), 0x80);
    EXPECT_FALSE(state.pending.userSettings().raised());
    EXPECT_TRUE(state.pending.plenumTempSetpoint(5).raised());  // until echoed

    ASSERT_TRUE(buildCommandFrame(state, frame));
    EXPECT_EQ(frame[1], 4);
}

TEST(CommandFrame, PendingNamesMatchTheAddressesTheyWrite) {
    DryerState state;
    const auto records = commandRecords();
    auto address = [&](Flag flag) { return records[flag.slot()].address; };
    EXPECT_EQ(address(state.pending.plenumTempSetpoint(3)),
              state.edit.plenumTempSetpoint(3).offset());
    EXPECT_EQ(address(state.pending.burnerDifferential(5)),
              state.edit.burnerDifferential(5).offset());
    EXPECT_EQ(address(state.pending.burnerMode(0)), state.edit.burnerMode(0).offset());
    EXPECT_EQ(address(state.pending.meterRollKnobSpeed(3)),
              state.edit.meterRollKnobSpeed(3).offset());
    EXPECT_EQ(address(state.pending.unloadRateLimits(1)), state.edit.unloadRateLimits(1).offset());
    EXPECT_EQ(address(state.pending.bracketedMcSettings(3)),
              state.edit.bracketedMcSettings(3).offset());
    EXPECT_EQ(address(state.pending.moistureSensorCalA(1)),
              state.edit.moistureSensorCalA(1).offset());
    EXPECT_EQ(address(state.pending.meterRollVoltageSetup(2)),
              state.edit.meterRollVoltageSetup(2).offset());
    EXPECT_EQ(address(state.pending.moistureSensorCalB(1)),
              state.edit.moistureSensorCalB(1).offset());
    EXPECT_EQ(address(state.pending.samplerOptions()), state.edit.samplerOptions().offset());
    EXPECT_EQ(address(state.pending.averageIncomingMoisture()),
              state.edit.averageIncomingMoisture().offset());
    EXPECT_EQ(address(state.pending.coolDownTime()), state.edit.coolDownTime().offset());
    EXPECT_EQ(address(state.pending.heatStageTime()), state.edit.heatStageTime().offset());
    EXPECT_EQ(address(state.pending.loHeatStageTimeSetpoint()),
              state.edit.loHeatStageTimeSetpoint().offset());
    // Every record writes whole fields of the frame, with the width of the field or element.
    for (const CommandRecord& r : records) {
        EXPECT_GE(r.address, 3);
        EXPECT_LE(r.address + r.count, kStatusDataSize);
        EXPECT_GE(r.count, 1);
        EXPECT_LE(r.count, 5);
    }
}

}  // namespace
}  // namespace dryer
