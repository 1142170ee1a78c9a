// A setpoint typed on the temperature screen travels over the real line to the simulated
// controller: it goes out in every command frame until the controller reports it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "platform/serial/serial.h"
#include "screens/keypad_ids.h"
#include "screens/setpoints/screen_harness.h"
#include "sim/simulator.h"

namespace screentest {
namespace {

constexpr int kPlenum1 = 34853;
constexpr int kTempExit = 34837;
constexpr int kFanDelay = 34834;

class SetpointOverTheLine : public ScreenHarness {
  protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        ASSERT_TRUE(platform::openPtyPair(pty_));
        simulator_.setTrace([this](const std::string& frame) {
            std::lock_guard lock(mutex_);
            frames_.push_back(frame);
        });
        ASSERT_TRUE(simulator_.start(std::move(pty_.controller)));
        shell::attachControllerLink(&link_);
        shell::StartupSteps steps;
        steps.openControllerLink = [this] { link_.openControllerLink(pty_.devicePath); };
        start(steps);
        for (int i = 0; i < 3; ++i)
            cycle();
        ASSERT_EQ(state().status.plenumTempSetpoint(5).get(), 180);
        pressMainButton(shell::MainButton::Temps);
        plenum_ = windowOfClass("PLENUM_SETPOINT_CHILD_WINDOW");
    }
    void TearDown() override {
        link_.stop();
        simulator_.stop();
        ScreenHarness::TearDown();
    }

    // One exchange as the 175 ms tick paces it; returns what the controller made of the frame
    // the display sent.
    std::string cycle() {
        const uint64_t before = link_.completedCycles();
        const uint64_t answered = simulator_.framesAnswered();
        panel_->advance(350);
        while (link_.completedCycles() == before)
            link_.inputWaiting(1);
        for (int i = 0; i < 2000 && simulator_.framesAnswered() == answered; ++i)
            link_.inputWaiting(1);
        link_.inputWaiting(1000);  // the answer waits at the display's end for the next cycle
        panel_->waitIdle();
        std::lock_guard lock(mutex_);
        const std::string last = frames_.empty() ? "" : frames_.back();
        frames_.clear();
        return last;
    }

    void typeOnPlenum1(const std::vector<int>& digits) {
        press(plenum_, kPlenum1);
        pressDigits(topDialog(), kTemperatureDigits, digits);
        press(topDialog(), kTemperatureAccept);
        ASSERT_FALSE(topDialog());
    }

    // Cycles until the controller's answer has been taken in, gathering what went out.
    std::vector<std::string> cycles(int n) {
        std::vector<std::string> frames;
        for (int i = 0; i < n; ++i)
            frames.push_back(cycle());
        return frames;
    }

    static bool carries(const std::string& frame, const std::string& record) {
        return frame.find(record) != std::string::npos;
    }

    std::string plenum1Shown() {
        for (const gfx::DrawnText& t : panel_->texts(plenum_)) {
            if (t.rect.left == 180 && t.rect.top == 140) return t.text;
        }
        return "";
    }

    platform::PtyPair pty_;
    sim::Simulator simulator_;
    dryer::ControllerLink link_{dryer::dryerState()};
    std::mutex mutex_;
    std::vector<std::string> frames_;
    ui::Window plenum_;
};

TEST_F(SetpointOverTheLine, AcceptedSetpointGoesOutUntilTheControllerReportsIt) {
    typeOnPlenum1({1, 9, 0});
    // The controller's next two answers are spoilt on the line: the display does not see the
    // value taken until the third.
    simulator_.command("badcrc 2");
    ASSERT_TRUE(state().pending.plenumTempSetpoint(5).raised());
    EXPECT_EQ(plenum1Shown(), " 180 \u00B0F ") << "the controller's value until it reports";

    // Each cycle first takes in the controller's last answer, then sends: the record goes out
    // until an answer reports the value, and never after.
    std::vector<bool> carried;
    for (int i = 0; i < 8; ++i) {
        const std::string frame = cycle();
        carried.push_back(carries(frame, "69+2 "));
        if (carried.back()) {
            EXPECT_TRUE(carries(frame, "69+2 plenumTempSetpoint[5] = BE 00")) << frame;
        }
        if (state().pending.plenumTempSetpoint(5).raised()) {
            EXPECT_TRUE(carried.back()) << i;
        }
    }
    const auto firstWithout = std::find(carried.begin(), carried.end(), false);
    EXPECT_EQ(firstWithout - carried.begin(), 3) << "sent until the answer got through";
    EXPECT_EQ(std::find(firstWithout, carried.end(), true), carried.end()) << "and then no more";
    EXPECT_EQ(simulator_.parameter(69), 190);
    EXPECT_FALSE(state().pending.plenumTempSetpoint(5).raised());
    EXPECT_EQ(plenum1Shown(), " 190 \u00B0F ");
}

TEST_F(SetpointOverTheLine, RefusedSetpointKeepsGoingOutWhileTheScreenShowsTheControllers) {
    simulator_.command("refuse 69");
    typeOnPlenum1({2, 0, 0});
    for (int i = 0; i < 6; ++i) {
        const std::string frame = cycle();
        EXPECT_TRUE(carries(frame, "69+2 plenumTempSetpoint[5] = C8 00")) << i << "\n" << frame;
    }
    EXPECT_TRUE(state().pending.plenumTempSetpoint(5).raised());
    EXPECT_EQ(state().status.plenumTempSetpoint(5).get(), 180);
    EXPECT_EQ(plenum1Shown(), " 180 \u00B0F ");

    simulator_.command("accept 69");  // the controller takes it after all
    cycle();
    cycle();
    EXPECT_FALSE(state().pending.plenumTempSetpoint(5).raised());
    EXPECT_EQ(plenum1Shown(), " 200 \u00B0F ");
}

// An accepted change is never taken back: reopening the keypad on it shows the value on its
// way, and CANCEL leaves that value going out, never the controller's old one.
TEST_F(SetpointOverTheLine, ReopenedAndCancelledKeypadKeepsTheAcceptedSetpointGoingOut) {
    simulator_.command("refuse 69");
    typeOnPlenum1({1, 9, 0});
    cycles(2);
    press(plenum_, kPlenum1);
    ASSERT_TRUE(topDialog());
    EXPECT_NE(keypadValue(topDialog()).find("190"), std::string::npos) << "the value on its way";
    press(topDialog(), kTemperatureCancel);
    ASSERT_FALSE(topDialog());
    for (const std::string& frame : cycles(4)) {
        EXPECT_TRUE(carries(frame, "69+2 plenumTempSetpoint[5] = BE 00")) << frame;
    }
    simulator_.command("accept 69");
    const std::vector<std::string> after = cycles(4);
    EXPECT_EQ(simulator_.parameter(69), 190);
    EXPECT_FALSE(state().pending.plenumTempSetpoint(5).raised());
    for (const std::string& frame : after) {
        EXPECT_FALSE(carries(frame, "69+2 plenumTempSetpoint[5] = B4 00")) << frame;
    }
}

TEST_F(SetpointOverTheLine, ReopenedAndCancelledTimerScreenKeepsTheAcceptedDelayGoingOut) {
    press(shell::screenWindow(shell::Screen::TempSelect), kTempExit);
    pressMainButton(shell::MainButton::Timers);
    const ui::Window fan = windowOfClass("FAN_DELAY_CHILD_WINDOW");
    const int before = state().status.fanDelay().get();
    simulator_.command("refuse 46");
    simulator_.command("refuse 47");
    press(fan, kFanDelay);
    ASSERT_TRUE(topDialog());
    pressDigits(topDialog(), kTimerMajor, {0});
    pressDigits(topDialog(), kTimerMinor, {1, 5});
    press(topDialog(), kTimerAccept);
    ASSERT_FALSE(topDialog());
    ASSERT_TRUE(state().pending.fanDelay().raised());
    cycles(2);
    const std::vector<uint8_t> accepted = {state().edit.fanDelay().byte(0),
                                           state().edit.fanDelay().byte(1)};
    ASSERT_NE(accepted[0] * 60 + accepted[1], before);
    press(fan, kFanDelay);
    ASSERT_TRUE(topDialog());
    press(topDialog(), kTimerCancel);
    char record[64];
    std::snprintf(record, sizeof record, "46+2 fanDelay = %02X %02X", accepted[0], accepted[1]);
    for (const std::string& frame : cycles(4)) {
        EXPECT_TRUE(carries(frame, record)) << frame;
    }
    EXPECT_TRUE(state().pending.fanDelay().raised());
}

}  // namespace
}  // namespace screentest
