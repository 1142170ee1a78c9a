#include "link/status_decoder.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

#include "frame_builder.h"
#include "link/command_frame.h"

namespace dryer {
namespace {

using testing::StatusFrameBuilder;

struct Repaint {
    bool erase;
    bool band;
};

class DecoderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int w = 0; w < kWindowCount; ++w)
            registerWindow(static_cast<Window>(w));
        state.hooks.setScreenLayoutUpdate([this] { ++layoutUpdates; });
        state.hooks.setBatchStageButtonUpdate([this] { ++batchStageUpdates; });
        state.hooks.setShutdownRecorder(
            [this](uint8_t node, uint8_t warning) { recorded.emplace_back(node, warning); });
    }
    void registerWindow(Window w) {
        state.hooks.registerWindow(w, [this, w](bool erase, const RepaintArea* area) {
            repaints[w] = Repaint{erase, area != nullptr};
        });
    }
    void decode() {
        repaints.clear();
        decodeStatusFrame(state, frame.sealed());
    }

    DryerState state;
    StatusFrameBuilder frame;
    std::map<Window, Repaint> repaints;
    int layoutUpdates = 0;
    int batchStageUpdates = 0;
    std::vector<std::pair<int, int>> recorded;
};

TEST_F(DecoderTest, ChangesAreCopiedAndRepaintedOnceAndEditsConfirmedOnlyOnAFullMatch) {
    frame.put(59, {180, 0}).put(8, {1}).put(29, {1, 2});
    frame.bytes[171] = 0xA0;
    decode();
    EXPECT_EQ(state.status.plenumTempSetpoint(0).get(), 180);
    EXPECT_EQ(state.status.statusWord29().get(), 0x0201);
    EXPECT_TRUE(repaints.count(Window::PlenumSetpoints));
    EXPECT_TRUE(repaints.at(Window::PlenumSetpoints).erase);
    EXPECT_FALSE(repaints.at(Window::BatchDrying).erase);  // the batch screen never erases
    EXPECT_FALSE(repaints.count(Window::RightStatusBar));  // 171 unchanged from its start value
    EXPECT_EQ(layoutUpdates, 1);
    EXPECT_EQ(batchStageUpdates, 1);

    // An edit of a two-byte value whose high byte already matches.
    state.edit.plenumTempSetpoint(0).set(0x1B4);
    state.commitEdit(state.pending.plenumTempSetpoint(0));
    frame.put(59, {0xB5, 0x01});
    decode();
    EXPECT_TRUE(state.pending.plenumTempSetpoint(0).raised());
    frame.put(59, {0xB4, 0x01});
    decode();
    EXPECT_FALSE(state.pending.plenumTempSetpoint(0).raised());
    uint8_t command[kMaxCommandFrame] = {};
    EXPECT_FALSE(buildCommandFrame(state, command));  // confirmed before the same cycle's build

    // The same frame again repaints nothing but still confirms an edit that already matches.
    state.edit.grainTempSetpoint().set(0);
    state.commitEdit(state.pending.grainTempSetpoint());
    decode();
    EXPECT_TRUE(repaints.empty());
    EXPECT_FALSE(state.pending.grainTempSetpoint().raised());
    EXPECT_EQ(layoutUpdates, 1);
}

TEST_F(DecoderTest, ShutdownPairIsRecordedOnceWithinTheGuard) {
    auto report = [&](int node, int warning) {
        frame.put(185, {static_cast<uint8_t>(warning), static_cast<uint8_t>(node)});
        decode();
    };
    auto seconds = [&](int n) {
        for (int i = 0; i < n; ++i)
            countDownSecond(state.recordSuppressSeconds);
    };
    report(5, 3);
    report(5, 3);  // still on the line
    report(5, 0);
    seconds(30);
    report(5, 3);
    EXPECT_EQ(recorded, (std::vector<std::pair<int, int>>{{5, 3}}));
    report(5, 0);
    seconds(101);
    report(5, 3);
    EXPECT_EQ(recorded.size(), 2u);
    report(9, 0);  // node changes with no warning: taken over, nothing recorded
    EXPECT_EQ(state.status.shutdownNodeId().get(), 9);
    EXPECT_EQ(state.lastRecordedNodeId.load(), 5);
    report(2, 4);
    report(3, 4);
    report(2, 4);
    EXPECT_EQ(recorded.size(), 5u);

    // A recorder registered late is skipped until then; windows unregistered are skipped too.
    state.hooks.setShutdownRecorder(nullptr);
    state.hooks.unregisterWindow(Window::PlenumView);
    seconds(200);
    report(7, 7);
    frame.put(71, {99, 0});
    decode();
    EXPECT_FALSE(repaints.count(Window::PlenumView));
    EXPECT_EQ(recorded.size(), 5u);
}

TEST_F(DecoderTest, Byte58EdgesGiveThePreviousLoadTimeWithoutWrapping) {
    frame.put(179, {0x10}).put(26, {8, 0});  // out-of-grain timer 8:00 = 480 s
    decode();
    frame.put(24, {2, 30});  // elapsed 2:30
    decode();
    EXPECT_EQ(state.outOfGrainMaxElapsed.load(), 150u);
    frame.put(24, {1, 0});
    decode();
    EXPECT_EQ(state.outOfGrainMaxElapsed.load(), 150u);

    frame.put(58, {0x80});  // rising: the longest elapsed starts past the set time
    decode();
    EXPECT_EQ(state.outOfGrainMaxElapsed.load(), 481u);
    EXPECT_TRUE(repaints.count(Window::OutOfGrain));
    frame.put(58, {0x00});  // falling with elapsed past the set time: 0, not 86400
    decode();
    EXPECT_EQ(state.previousLoadTime.load(), 0u);

    state.outOfGrainMaxElapsed.store(100);
    frame.put(58, {0x80});
    decode();
    state.outOfGrainMaxElapsed.store(100);
    frame.put(58, {0x08});  // falling; the other bits only copy
    decode();
    EXPECT_EQ(state.previousLoadTime.load(), 380u);
    EXPECT_EQ(state.status.statusByte58().get(), 0x08);

    frame.put(179, {0x00});  // without bit 4 the edges do nothing but copy
    decode();
    state.previousLoadTime.store(7);
    frame.put(58, {0x80});
    decode();
    frame.put(58, {0x00});
    decode();
    EXPECT_EQ(state.previousLoadTime.load(), 7u);
    EXPECT_FALSE(repaints.count(Window::OutOfGrain));
    EXPECT_EQ(state.status.statusByte58().get(), 0);
}

TEST_F(DecoderTest, MeteringRollSetpointsGoToEditUnlessTheKnobIsHeld) {
    state.hooks.unregisterWindow(Window::MeterRollSpeedDialog);
    frame.put(159, {0x82, 60, 40, 20});
    decode();
    EXPECT_EQ(state.knobSpeedChangeRequest.load(), 1);  // bit 7 toggled, dialog not open
    EXPECT_EQ(state.status.at(159), 0x82);
    EXPECT_EQ(state.status.at(160), 0);  // the setpoints never reach status
    EXPECT_EQ(state.edit.at(159), 0x02);
    EXPECT_EQ(state.edit.at(160), 60);
    EXPECT_EQ(state.edit.at(162), 20);

    // With the dialog open a toggle raises no request.
    state.knobSpeedChangeRequest.store(0);
    registerWindow(Window::MeterRollSpeedDialog);
    frame.put(159, {0x02});
    decode();
    EXPECT_EQ(state.knobSpeedChangeRequest.load(), 0);
    EXPECT_TRUE(repaints.count(Window::MeterRollSpeedDialog));

    // While the four-byte write is pending the controller's values do not overwrite it.
    state.edit.meterRollSpeedSetpoint(1).set(70);
    state.commitEdit(state.pending.meterRollSpeedSetpoint());
    frame.put(160, {61});
    decode();
    EXPECT_EQ(state.edit.at(160), 70);
    EXPECT_TRUE(state.pending.meterRollSpeedSetpoint().raised());
    frame.put(160, {70});
    decode();
    EXPECT_FALSE(state.pending.meterRollSpeedSetpoint().raised());

    // A selection on its way to the controller, with the controller's knob bit, stays in edit
    // until the controller reports the same byte; then the knob moves it again.
    state.edit.meterRollSpeedSetpoint(0).set(0x80);
    state.commitEdit(state.pending.meterRollSpeedSetpoint(0));
    frame.put(159, {0x82});
    decode();
    EXPECT_EQ(state.edit.at(159), 0x80);
    EXPECT_TRUE(state.pending.meterRollSpeedSetpoint(0).raised());
    frame.put(159, {0x80});
    decode();
    EXPECT_FALSE(state.pending.meterRollSpeedSetpoint(0).raised());
    EXPECT_EQ(state.knobSpeedChangeRequest.load(), 0);
    frame.put(159, {0x81});
    decode();
    EXPECT_EQ(state.edit.at(159), 0x01);
    frame.put(159, {0x02});
    decode();

    // Holding the knob: nothing is copied but the knob bit, which raises no request; the copy
    // record clears when the frame matches edit.
    state.hooks.unregisterWindow(Window::MeterRollSpeedDialog);
    state.knobCaptureHold.store(1);
    state.pending.knobSpeedCopyAll().raise();
    frame.put(159, {0x81, 10, 11, 12});
    decode();
    EXPECT_EQ(state.status.at(159), 0x82);
    EXPECT_EQ(state.edit.at(159), 0x02);
    EXPECT_EQ(state.edit.at(160), 70);
    EXPECT_EQ(state.knobSpeedChangeRequest.load(), 0);
    EXPECT_TRUE(state.pending.knobSpeedCopyAll().raised());
    frame.put(159, {0x02, 70, 40, 20});
    decode();
    EXPECT_FALSE(state.pending.knobSpeedCopyAll().raised());
    EXPECT_EQ(state.status.at(159), 0x02);
    // A turn made while held is not taken for a new one once the hold ends.
    state.knobCaptureHold.store(0);
    decode();
    EXPECT_EQ(state.knobSpeedChangeRequest.load(), 0);
    registerWindow(Window::MeterRollSpeedDialog);
    state.knobCaptureHold.store(1);

    // The single-byte copy to 161 clears on its own byte, whatever the hold.
    state.pending.knobSpeedCopy161().raise();
    frame.put(161, {41});
    decode();
    EXPECT_TRUE(state.pending.knobSpeedCopy161().raised());
    frame.put(161, {40});
    decode();
    EXPECT_FALSE(state.pending.knobSpeedCopy161().raised());
}

TEST_F(DecoderTest, ModeAndOptionRulesRaiseTheirRecordsAndFlags) {
    // Leaving moisture-control mode 3 with bit 7 set asks for the knob-speed copy.
    frame.put(187, {0x83}).put(155, {0, 50, 40, 30});
    decode();
    EXPECT_FALSE(state.pending.knobSpeedCopyUpper().raised());
    frame.put(187, {0x03});
    decode();
    EXPECT_TRUE(state.pending.knobSpeedCopyUpper().raised());
    ASSERT_TRUE(repaints.count(Window::LineGraph));
    EXPECT_TRUE(repaints.at(Window::LineGraph).band);
    EXPECT_FALSE(repaints.at(Window::LineGraph).erase);
    frame.put(160, {50, 40, 30});  // the controller reports the copied speeds
    decode();
    EXPECT_FALSE(state.pending.knobSpeedCopyUpper().raised());

    // Auto-start finished: the request bit is dropped from edit and sent.
    state.edit.hardwareOptions().set(0x81);
    frame.put(279, {0x81}).put(280, {0x80});
    decode();
    EXPECT_EQ(state.edit.hardwareOptions().get(), 0x80);
    EXPECT_TRUE(state.pending.hardwareOptions().raised());
    // An edit byte not waiting to be sent (0 after a restart mid-sequence) would switch the grain
    // inverter off: the controller's byte is taken. A waiting edit is kept, without bit 0.
    for (const auto& [pending, edit, sent] :
         {std::tuple{false, 0x00, 0x80}, std::tuple{true, 0x01, 0x00}}) {
        frame.put(280, {0x00});
        decode();
        state.edit.hardwareOptions().set(edit);
        if (pending) {
            state.pending.hardwareOptions().raise();
        } else {
            state.pending.hardwareOptions().clear();
        }
        frame.put(279, {0x80}).put(280, {0x80});
        decode();
        EXPECT_EQ(state.edit.hardwareOptions().get(), sent);
        EXPECT_TRUE(state.pending.hardwareOptions().raised());
        state.pending.hardwareOptions().clear();
    }

    // Bushel counter zeroing: repeated until the counter reads 0, then sent once cleared.
    state.edit.meterRollVoltageSetup(2).set(0x08);
    frame.put(164, {1, 0, 0, 0});
    decode();
    EXPECT_TRUE(state.pending.meterRollVoltageSetup(2).raised());
    EXPECT_EQ(state.edit.at(238), 0x08);
    frame.put(164, {0, 0, 0, 0}).put(238, {0x08});
    decode();
    EXPECT_EQ(state.edit.at(238), 0x00);
    EXPECT_TRUE(state.pending.meterRollVoltageSetup(2).raised());
    frame.put(238, {0x00});
    decode();
    EXPECT_FALSE(state.pending.meterRollVoltageSetup(2).raised());

    // Units follow bit 7; a change of bit 6 updates the screen layout while status screens show.
    frame.put(266, {0x80});
    decode();
    EXPECT_EQ(state.unitsSetting.load(), 1);
    EXPECT_EQ(layoutUpdates, 0);
    frame.put(266, {0xC0});
    decode();
    EXPECT_EQ(layoutUpdates, 1);
    state.statusScreensActive.store(0);
    frame.put(266, {0x00});
    decode();
    EXPECT_EQ(state.unitsSetting.load(), 0);
    EXPECT_EQ(layoutUpdates, 1);

    // The defaults event waits while its notice is open.
    state.pending.defaultsNoticeShowing().raise();
    frame.put(188, {0x20});
    decode();
    EXPECT_EQ(state.statusEvent188.load(), 0);
    state.pending.defaultsNoticeShowing().clear();
    frame.put(188, {0x21});
    decode();
    EXPECT_EQ(state.statusEvent188.load(), 1);

    // MISC lockout in staged batch.
    frame.put(8, {1}).put(257, {0x10});
    decode();
    EXPECT_EQ(state.miscLockout.load(), 1);
    frame.put(257, {0x20});
    decode();
    EXPECT_EQ(state.miscLockout.load(), 0);
    frame.put(179, {0x02});
    decode();
    EXPECT_EQ(state.miscLockout.load(), 1);
    EXPECT_EQ(state.meterRollStateRefresh.load(), 1);
    frame.put(8, {0});
    decode();
    EXPECT_EQ(state.miscLockout.load(), 0);
}

}  // namespace
}  // namespace dryer

namespace dryer {
namespace {

// The batch screen's heat buttons and its averaging note follow every value behind them.
TEST_F(DecoderTest, BatchScreenFollowsTheDualPlenumBitAndTheMoistureControlMode) {
    frame.put(8, {1});
    decode();
    const int before = batchStageUpdates;
    frame.put(257, {0x40});  // another bit: the heat buttons stay
    decode();
    EXPECT_EQ(batchStageUpdates, before);
    frame.put(257, {0x42});
    decode();
    EXPECT_EQ(batchStageUpdates, before + 1);
    frame.put(257, {0x40});
    decode();
    EXPECT_EQ(batchStageUpdates, before + 2);

    frame.put(187, {0x06});
    decode();
    EXPECT_TRUE(repaints.count(Window::BatchDrying));
}

}  // namespace
}  // namespace dryer
