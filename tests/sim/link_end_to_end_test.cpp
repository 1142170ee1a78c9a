#include <gtest/gtest.h>

#include <vector>

#include "link/controller_link.h"
#include "platform/clock/clock.h"
#include "sim/simulator.h"

namespace {

// The display's link and the simulator on the two ends of a pseudo-terminal, each with its own
// thread, paced by the test the way the 175 ms tick paces the display.
class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(platform::openPtyPair(pty));
        ASSERT_TRUE(simulator.start(std::move(pty.controller)));
        ASSERT_TRUE(link.openControllerLink(pty.devicePath));
        state.hooks.setShutdownRecorder(
            [this](uint8_t node, uint8_t warning) { recorded.emplace_back(node, warning); });
    }
    void TearDown() override {
        link.stop();
        simulator.stop();
    }

    // One exchange: the link sends, the simulator answers, the answer reaches the link's port.
    void cycle() {
        const uint64_t before = link.completedCycles();
        const uint64_t answered = simulator.framesAnswered();
        link.signalExchange();
        while (link.completedCycles() == before)
            link.inputWaiting(1);
        for (int i = 0; i < 2000 && simulator.framesAnswered() == answered; ++i) {
            link.inputWaiting(1);
        }
        link.inputWaiting(1000);
    }

    dryer::DryerState state;
    dryer::ControllerLink link{state};
    platform::PtyPair pty;
    sim::Simulator simulator;
    std::vector<std::pair<int, int>> recorded;
};

TEST_F(EndToEnd, EditsRoundTripShutdownsAreRecordedAndBadFramesAreDropped) {
    for (int i = 0; i < 3; ++i)
        cycle();
    EXPECT_EQ(link.goodFrames(), 2u);
    EXPECT_EQ(state.status.fanHeaterCountCode().get(), 3);
    EXPECT_EQ(state.status.plenumTempSetpoint(5).get(), 180);

    state.beginEdit(state.status.plenumTempSetpoint(5));
    state.edit.plenumTempSetpoint(5).set(200);
    state.commitEdit(state.pending.plenumTempSetpoint(5));
    cycle();  // sent
    cycle();  // answer read
    EXPECT_FALSE(state.pending.plenumTempSetpoint(5).raised());
    EXPECT_EQ(state.status.plenumTempSetpoint(5).get(), 200);

    simulator.command("refuse 149");
    state.edit.grainTempSetpoint().set(100);
    state.commitEdit(state.pending.grainTempSetpoint());
    for (int i = 0; i < 4; ++i)
        cycle();
    EXPECT_TRUE(state.pending.grainTempSetpoint().raised());

    simulator.command("shutdown 5 3");
    cycle();
    cycle();
    simulator.command("clear");
    cycle();
    cycle();
    simulator.command("shutdown 5 3");
    cycle();
    cycle();
    EXPECT_EQ(recorded, (std::vector<std::pair<int, int>>{{5, 3}}));

    const uint64_t good = link.goodFrames();
    simulator.command("badcrc 1");
    simulator.command("short 1");
    simulator.command("stray 1");
    for (int i = 0; i < 4; ++i)
        cycle();
    EXPECT_EQ(link.goodFrames(), good + 1);
}

// Paced one exchange at a time, a simulator without a frame gap answers each frame whole at once.
class PacedEndToEnd : public EndToEnd {
  protected:
    void SetUp() override {
        simulator.setFrameGap(0);
        EndToEnd::SetUp();
    }
};

TEST_F(PacedEndToEnd, WithoutAFrameGapEveryFrameIsAnsweredAndEditsRoundTrip) {
    for (int i = 0; i < 3; ++i)
        cycle();
    EXPECT_EQ(simulator.framesAnswered(), 3u);
    state.beginEdit(state.status.plenumTempSetpoint(5));
    state.edit.plenumTempSetpoint(5).set(200);
    state.commitEdit(state.pending.plenumTempSetpoint(5));
    cycle();
    cycle();
    EXPECT_EQ(simulator.framesAnswered(), 5u);
    EXPECT_EQ(link.goodFrames(), 4u);
    EXPECT_EQ(state.status.plenumTempSetpoint(5).get(), 200);
    EXPECT_FALSE(state.pending.plenumTempSetpoint(5).raised());
}

// Edits from the user-interface thread while both threads run: the controller never sees a
// value that was not edited whole (TSan checks the sharing).
TEST_F(EndToEnd, ConcurrentEditsNeverReachTheControllerTorn) {
    std::atomic<bool> done{false};
    std::thread ui([&] {
        for (int i = 0; !done.load(); ++i) {
            auto hold = state.hold();
            state.edit.plenumTempSetpoint(5).set(i % 2 ? 0x0100 : 0x00FF);
            state.commitEdit(state.pending.plenumTempSetpoint(5));
        }
    });
    for (int i = 0; i < 30; ++i) {
        cycle();
        const int value = simulator.parameter(69) | (simulator.parameter(70) << 8);
        EXPECT_TRUE(value == 180 || value == 0x0100 || value == 0x00FF) << value;
    }
    done.store(true);
    ui.join();
}

}  // namespace
