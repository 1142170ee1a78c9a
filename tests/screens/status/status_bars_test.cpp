// The right status bar's choice of line, its colours and blinking, and the left bar's notice.
#include "screens/status/status_fixture.h"

namespace statustest {
namespace {

class RightBar : public StatusScreens {
  protected:
    void SetUp() override {
        StatusScreens::SetUp();
        status().statusFlags171().set(0xA0);  // loading and unloading both off, as at start
        blink(true);
    }
    // The bar's one line, or "" when it drew nothing.
    std::string line() {
        const auto t = only(Screen::RightStatusBar);
        return t ? t->text : "";
    }
    gfx::Color colour() {
        const auto t = only(Screen::RightStatusBar);
        return t ? t->color : gfx::Color{};
    }
    void expectLine(std::string_view text, gfx::Color color) {
        const auto t = only(Screen::RightStatusBar);
        ASSERT_TRUE(t) << "expected " << text;
        EXPECT_EQ(t->text, text);
        EXPECT_EQ(t->color, color) << text;
    }
};

TEST_F(RightBar, TheFirstStateThatHoldsIsShownInOrder) {
    auto& s = status();
    // Every state's condition at once.
    s.rightBarFlags(5).set(0x20);
    s.hardwareOptions().set(0x01);
    ticks([](shell::PeriodicState& p) { p.alertBlinkFlags |= shell::kBlinkStartupDone; });
    s.statusWord290().set(3500);
    s.alarmFlags().set(0x40);
    s.dryingOptions().set(0x88);
    s.moistureControlMode().set(4);
    s.mcLearningMinutes().set(6);
    s.operatingModeFlags().set(0x04);
    s.statusFlags171().set(0xA8);
    expectLine("CHECK DRYER!", kRed);
    s.rightBarFlags(5).set(0);
    expectLine("AUTO-START", kWhite);
    s.hardwareOptions().set(0);
    expectLine("MC RESET [01:40]", kRed);
    s.moistureControlMode().set(3);
    expectLine("MC LEARNING 6 Minutes", gfx::rgb(100, 255, 0));
    s.mcLearningMinutes().set(0);
    EXPECT_EQ(line().rfind("GRAIN TO SP", 0), 0u);
    s.dryingOptions().set(0);
    expectLine("DRYER IN AUTO", kGreen);
    s.statusFlags171().set(0x08);
    EXPECT_EQ(line(), "OUT OF GRAIN");
    s.statusFlags171().set(0xA0);
    s.alarmFlags().set(0);
    expectLine("DRYER READY", kBlue);
    s.statusByte271().set(0x02);
    expectLine("DRYER STOPPED", kRed);
    s.alarmFlags().set(0x40);
    s.plenumTempOptions().set(0x01);
    s.dryingMode().set(1);
    expectLine("BATCH HOLD", kRed);
    s.statusFlags172().set(0x01);
    s.timerFlags43().set(0x01);
    s.loadDelayElapsed().set(2 * 60 + 5);
    expectLine("DRYER RUNNING  2:05", kBlue);
}

TEST_F(RightBar, BlinkingStatesDrawOnlyInTheShownPhase) {
    status().rightBarFlags(5).set(0x20);
    blink(false);
    EXPECT_EQ(line(), "");
    blink(true);
    EXPECT_EQ(line(), "CHECK DRYER!");
    // The learning period: steady above 5 minutes, blinking red from 5 down.
    auto& s = status();
    s.rightBarFlags(5).set(0);
    s.moistureControlMode().set(3);
    s.operatingModeFlags().set(0x04);
    s.statusFlags171().set(0xA8);
    s.mcLearningMinutes().set(6);
    blink(false);
    expectLine("MC LEARNING 6 Minutes", gfx::rgb(100, 255, 0));
    s.mcLearningMinutes().set(5);
    EXPECT_EQ(line(), "");
    blink(true);
    expectLine("MC LEARNING 5 Minutes", gfx::rgb(200, 0, 0));
}

TEST_F(RightBar, GrainDistanceFromItsSetpoint) {
    auto& s = status();
    s.dryingOptions().set(0x08);
    s.alarmFlags().set(0x40);
    s.grainTempSetpoint().set(110);
    s.grainTemp(0).set(110);
    expectLine("GRAIN TO SP [- 0 \u00B0F]", kGreen);
    s.grainTemp(0).set(109);
    EXPECT_EQ(line(), "GRAIN TO SP [ 1 \u00B0F]");
    // In degrees C the distance converts without the offset, truncated: 9 -> 5, 1 -> 0.
    dryer::dryerState().unitsSetting = 1;
    EXPECT_EQ(line(), "GRAIN TO SP [ 0 \u00B0C]");
    s.grainTemp(0).set(101);
    EXPECT_EQ(line(), "GRAIN TO SP [ 5 \u00B0C]");
    dryer::dryerState().unitsSetting = 0;
    // Two setpoints: the high one while the sixth status byte says so, else the low one.
    s.plenumTempOptions().set(0x02);
    s.grainHiTempSetpoint().set(120);
    s.grainLoTempSetpoint().set(90);
    EXPECT_EQ(line(), "GRAIN TO SP [ -11 \u00B0F]");
    s.fanHeaterStatusD(5).set(0x10);
    EXPECT_EQ(line(), "GRAIN TO SP [ 19 \u00B0F]");
    // The incoming and outgoing sensors keep the dash, but not before a negative distance.
    s.grainTempSelect().set(2);
    s.grainTemp(2).set(105);
    EXPECT_EQ(line(), "GRAIN TO SP [- 5 \u00B0F]");
    s.grainTemp(2).set(115);
    EXPECT_EQ(line(), "GRAIN TO SP [ -5 \u00B0F]");
    s.grainTempSelect().set(3);
    EXPECT_EQ(line(), "GRAIN TO SP");
}

TEST_F(RightBar, OutOfGrainColoursAndTimeNeverGoBelowZero) {
    auto& s = status();
    s.statusFlags171().set(0);
    s.outOfGrainTimerSetpoint().set(10 * 60);
    s.outOfGrainElapsed().set(6 * 60);
    expectLine("OUT OF GRAIN", kGreen);
    s.outOfGrainElapsed().set(4 * 60);
    expectLine("OUT OF GRAIN", kYellow);
    s.outOfGrainElapsed().set(2 * 60);
    expectLine("OUT OF GRAIN", kRed);
    s.outOfGrainFlags().set(0x01);
    EXPECT_EQ(line(), "OUT OF GRAIN  8:00");
    s.outOfGrainElapsed().set(11 * 60 + 30);
    EXPECT_EQ(line(), "OUT OF GRAIN  0:00");
    // A setpoint of 0 leaves nothing to share: red, whatever has elapsed.
    s.outOfGrainTimerSetpoint().set(0);
    expectLine("OUT OF GRAIN  0:00", kRed);
    s.outOfGrainElapsed().set(0);
    expectLine("OUT OF GRAIN  0:00", kRed);
}

TEST_F(RightBar, MoistureResetCountdownAndAutoStartLines) {
    auto& s = status();
    s.alarmFlags().set(0x40);
    s.dryingOptions().set(0x80);
    s.moistureControlMode().set(5);
    s.statusWord290().set(3600 - 179);
    expectLine("MC RESET [02:59]", kRed);
    s.statusWord290().set(3600 - 180);
    EXPECT_EQ(line(), "DRYER IN AUTO");
    // A count past its end shows 00:00, not a negative time.
    s.statusWord290().set(3700);
    EXPECT_EQ(line(), "MC RESET [00:00]");
    s.alarmFlags().set(0);
    s.hardwareOptions().set(0x01);
    EXPECT_EQ(line(), "DRYER READY");  // not in the first seconds after start
    ticks([](shell::PeriodicState& p) { p.alertBlinkFlags |= shell::kBlinkStartupDone; });
    EXPECT_EQ(line(), "AUTO-START");
    s.statusFlags280().set(0x02);
    s.statusWord320().set(95);
    EXPECT_EQ(line(), "AUTO-START 1:35");
    EXPECT_EQ(only(Screen::RightStatusBar)->flags & gfx::kAlignCenter, 0u);
    s.statusFlags280().set(0x06);
    EXPECT_EQ(line(), "AUTO-START WAITING");
    s.statusFlags171().set(0);
    EXPECT_EQ(line(), "AUTO-START OUT OF GRAIN");
    blink(false);
    EXPECT_EQ(line(), "AUTO-START");
}

TEST_F(StatusScreens, LeftBarShowsClockOrTheAirflowNotice) {
    panel_->call([this] { ui::showWindow(window(Screen::LeftStatusBar), true); });
    EXPECT_TRUE(shows(Screen::LeftStatusBar, "3:08 AM"));
    EXPECT_TRUE(shows(Screen::LeftStatusBar, "VER: 2.09"));
    status().fanHeaterStatusD(2).set(0x04);
    blink(true);
    const auto notice = find(Screen::LeftStatusBar, "AIRFLOW TESTING DISABLED");
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->color, kBlack);
    blink(false);
    EXPECT_EQ(find(Screen::LeftStatusBar, "AIRFLOW TESTING DISABLED")->color,
              gfx::rgb(250, 250, 250));
    EXPECT_FALSE(shows(Screen::LeftStatusBar, "VER: 2.09"));
}

}  // namespace
}  // namespace statustest
