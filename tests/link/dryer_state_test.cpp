#include "link/dryer_state.h"

#include <gtest/gtest.h>

#include "link/field_table.h"
#include "link/node_id.h"

namespace dryer {
namespace {

TEST(DryerState, AccessorsReadEachFieldAtItsOffsetWithItsByteOrder) {
    DryerState state;
    auto put = [&](int offset, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes)
            state.status.setAt(offset++, b);
    };
    put(59, {0x10, 0x01});  // fan/heater 6, little-endian
    put(69, {180, 0});      // fan/heater 1
    put(89, {0x22, 0});     // grainTemp[2] lies first
    put(93, {0x44, 0});
    put(173, {0x05, 0xDC});  // bushel rate, high byte first
    put(164, {0x78, 0x56, 0x34, 0x12});
    put(193, {0xFF, 0x9C});  // -10.0 degrees, signed and high byte first
    put(189, {0x00, 0x9B});
    put(26, {8, 30});  // 8:30
    put(199, {0x01, 0x2C});

    EXPECT_EQ(state.status.plenumTempSetpoint(0).get(), 0x110);
    EXPECT_EQ(state.status.plenumTempSetpoint(5).get(), 180);
    EXPECT_EQ(state.status.grainTemp(2).get(), 0x22);
    EXPECT_EQ(state.status.grainTemp(0).get(), 0x44);
    EXPECT_EQ(state.status.grainTemp(0).offset(), 93);
    EXPECT_EQ(state.status.bushelRate().get(), 1500);
    EXPECT_EQ(state.status.bushelCounter().get(), 0x12345678);
    EXPECT_EQ(state.status.grainTempOut().get(), -100);
    EXPECT_EQ(state.status.moistureOut().get(), 155);
    EXPECT_EQ(state.status.outOfGrainTimerSetpoint().get(), 8 * 60 + 30);
    EXPECT_EQ(state.status.outOfGrainTimerSetpoint().byte(0), 8);
    EXPECT_EQ(state.status.moistureSetpoint().get(), 300);
    EXPECT_EQ(state.status.statusFlags171().get(), 0xA0);  // start value

    // Writing goes back the same way, and edit is a separate image.
    state.edit.moistureSetpoint().set(155);
    EXPECT_EQ(state.edit.at(199), 0);
    EXPECT_EQ(state.edit.at(200), 155);
    state.edit.grainTempIn().set(-5);
    EXPECT_EQ(state.edit.at(195), 0xFF);
    EXPECT_EQ(state.edit.at(196), 0xFB);
    state.edit.coolDownTime().set(61 * 60 + 5);
    EXPECT_EQ(state.edit.at(269), 61);
    EXPECT_EQ(state.edit.at(270), 5);
    state.edit.userSettings().setBit(7, true);
    state.edit.userSettings().setBit(0, true);
    state.edit.userSettings().setBit(0, false);
    EXPECT_EQ(state.edit.at(266), 0x80);
    EXPECT_TRUE(state.edit.userSettings().bit(7));
    EXPECT_EQ(state.status.moistureSetpoint().get(), 300);

    const FieldArray burners = state.edit.burnerMode();
    EXPECT_EQ(burners.offset(), 101);
    EXPECT_EQ(burners.width(), 6);
    const FieldArray grain = state.edit.grainTemp();
    EXPECT_EQ(grain.offset(), 89);
    EXPECT_EQ(grain.width(), 6);
}

TEST(DryerState, FieldListCoversTheFrameOnceInOrder) {
    int next = 0;
    for (const FieldInfo& f : statusFields()) {
        const int width = widthOf(f.kind);
        const int low = f.stride < 0 ? f.first + (f.count - 1) * f.stride : f.first;
        EXPECT_EQ(low, next) << f.name;
        if (f.count > 1) {
            EXPECT_EQ(std::abs(f.stride), width) << f.name;
        }
        next = low + f.count * width;
    }
    EXPECT_EQ(next, kStatusFrameSize);
    EXPECT_EQ(fieldName(61), "plenumTempSetpoint[1]");
    EXPECT_EQ(fieldName(62), "plenumTempSetpoint[1]");
    EXPECT_EQ(fieldName(89), "grainTemp[2]");
    EXPECT_EQ(fieldName(149), "grainTempSetpoint");
    EXPECT_EQ(fieldName(331), "?");
    // The bytes the decoder never copies.
    std::string never;
    for (int a = 0; a < kStatusFrameSize; ++a) {
        const FieldInfo* f = fieldAt(a);
        if (!f->copied) never += std::to_string(a) + " ";
    }
    EXPECT_EQ(never,
              "0 1 2 33 34 35 36 37 38 48 53 54 55 56 57 107 108 109 110 111 112 119 120 121 122 "
              "123 124 159 160 161 162 170 204 205 210 211 212 213 214 215 231 256 276 286 329 "
              "330 ");
}

TEST(DryerState, BeginEditCopiesExactlyTheFieldsBytes) {
    DryerState state;
    for (int a = 0; a < kStatusFrameSize; ++a)
        state.status.setAt(a, static_cast<uint8_t>(a));
    state.beginEdit(state.status.burnerMode());
    state.beginEdit(state.edit.grainTempSetpoint());
    for (int a = 0; a < kStatusFrameSize; ++a) {
        const bool inside = (a >= 101 && a <= 106) || a == 149 || a == 150;
        EXPECT_EQ(state.edit.at(a), inside ? a : 0) << a;
    }
    state.commitEdit(state.pending.burnerMode(3));
    EXPECT_TRUE(state.pending.burnerMode(3).raised());
    EXPECT_TRUE(state.pending.record(37).raised());
    EXPECT_FALSE(state.pending.burnerMode(2).raised());
}

TEST(DryerState, BeginEditKeepsTheBytesOfARecordStillOnItsWay) {
    DryerState state;
    state.status.grainTempSetpoint().set(110);
    state.status.burnerMode(2).set(0x11);
    state.status.burnerMode(3).set(0x22);
    state.edit.grainTempSetpoint().set(120);
    state.commitEdit(state.pending.grainTempSetpoint());
    state.edit.burnerMode(3).set(0x33);
    state.commitEdit(state.pending.burnerMode(3));
    state.beginEdit(state.status.grainTempSetpoint());
    state.beginEdit(state.status.burnerMode());
    EXPECT_EQ(state.edit.grainTempSetpoint().get(), 120) << "accepted, not yet echoed";
    EXPECT_EQ(state.edit.burnerMode(3).get(), 0x33);
    EXPECT_EQ(state.edit.burnerMode(2).get(), 0x11) << "its neighbour starts from the controller";

    // Copies from status do not hold the edit bytes at their address; one-shot records do
    // while raised.
    state.status.meterRollSpeedSetpoint(1).set(40);
    state.commitEdit(state.pending.knobSpeedCopyAll());
    state.beginEdit(state.status.meterRollSpeedSetpoint());
    EXPECT_EQ(state.edit.meterRollSpeedSetpoint(1).get(), 40);
    state.status.userSettings().set(0x80);
    state.edit.userSettings().set(0x81);
    state.commitEdit(state.pending.userSettings());
    state.beginEdit(state.status.userSettings());
    EXPECT_EQ(state.edit.userSettings().get(), 0x81);

    state.pending.grainTempSetpoint().clear();
    state.beginEdit(state.status.grainTempSetpoint());
    EXPECT_EQ(state.edit.grainTempSetpoint().get(), 110) << "echoed or dropped: from status";
}

TEST(DryerState, ShutdownIsRecordedOnceUntilTheGuardRunsOut) {
    DryerState state;
    auto seconds = [&](int n) {
        for (int i = 0; i < n; ++i)
            countDownSecond(state.recordSuppressSeconds);
    };
    EXPECT_TRUE(shutdownRecordRule(state, 5, 3));
    EXPECT_EQ(state.recordSuppressSeconds.load(), 100u);
    EXPECT_FALSE(shutdownRecordRule(state, 5, 0));  // cleared: nothing, last pair kept
    EXPECT_EQ(state.lastRecordedNodeId.load(), 5);
    EXPECT_EQ(state.lastRecordedWarningId.load(), 3);
    seconds(30);
    EXPECT_FALSE(shutdownRecordRule(state, 5, 3));  // back within 100 s
    EXPECT_EQ(state.recordSuppressSeconds.load(), 70u);
    EXPECT_TRUE(shutdownRecordRule(state, 7, 3));  // another pair is always recorded
    EXPECT_TRUE(shutdownRecordRule(state, 5, 3));
    seconds(100);
    EXPECT_EQ(state.recordSuppressSeconds.load(), 0u);
    seconds(1);
    EXPECT_EQ(state.recordSuppressSeconds.load(), 0u);
    EXPECT_TRUE(shutdownRecordRule(state, 5, 3));
}

TEST(NodeId, NamesComeFromTheLowByteAndUnknownValuesLeaveTheText) {
    std::string name = "unchanged";
    nodeNameInto(16, name);
    EXPECT_EQ(name, "unchanged");
    nodeNameInto(0, name);
    EXPECT_EQ(name, "unchanged");
    nodeNameInto(0x10F, name);
    EXPECT_EQ(name, "MOISTURE CONT");
    nodeNameInto(8, name);
    EXPECT_EQ(name, "FAN/HEATER INT #1");
    nodeNameInto(14, name);
    EXPECT_EQ(name, "MAIN I/O");
    EXPECT_STREQ(nodeName(2), "FAN/HEATER #1");
    EXPECT_EQ(nodeName(200), nullptr);
}

}  // namespace
}  // namespace dryer
