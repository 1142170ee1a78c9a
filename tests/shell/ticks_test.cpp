#include "shell/ticks.h"

#include "shell/layout.h"
#include "shell/shell_fixture.h"

namespace shelltest {
namespace {

using shell::tick100;
using shell::tick175;
using shell::tickSecond;

class Ticks : public ShellTest {};

TEST_F(Ticks, Tick175PacesTheExchangeAndBlinksAShutdown) {
    for (int i = 0; i < 20; ++i)
        tick175(env_);
    EXPECT_EQ(env_.exchangeSignals, 10);  // one exchange every 350 ms
    EXPECT_EQ(env_.count("invalidate RightStatusBar"), 20);
    EXPECT_EQ(env_.count("invalidate LeftStatusBar"), 20);
    EXPECT_EQ(env_.count("invalidate Warning erase"), 0);

    state().status.shutdownNodeId().set(5);
    env_.clear();
    for (int i = 0; i < 16; ++i)
        tick175(env_);
    // Three times per 8-tick blink cycle: caption and countdown off, countdown on, caption on.
    EXPECT_EQ(env_.count("invalidate Warning erase"), 6);
}

TEST_F(Ticks, Tick175RelaysOutTheButtonBarWhenTheHardwareOptionsChange) {
    tick175(env_);
    EXPECT_TRUE(env_.buttonArea.empty());  // the first tick only remembers the options
    state().status.hardwareOptions().set(0x01);
    tick175(env_);
    EXPECT_TRUE(env_.buttonVisible[MainButton::Qs]);
    EXPECT_EQ(env_.buttonArea[MainButton::Misc], (Area{470, 427, 575, 467}));
    env_.buttonArea.clear();
    tick175(env_);
    EXPECT_TRUE(env_.buttonArea.empty());
}

TEST_F(Ticks, SetupRefreshRedrawsPlenumAndGraph25TicksLater) {
    ticks().setupRefreshPending = 1;
    for (int i = 0; i < 24; ++i)
        tick175(env_);
    EXPECT_EQ(env_.count("invalidate CustomView erase"), 0);
    tick175(env_);
    EXPECT_EQ(env_.count("invalidate CustomView erase"), 1);
    EXPECT_EQ(env_.count("invalidate LineGraph erase"), 1);
    EXPECT_EQ(ticks().setupRefreshPending, 0);
    EXPECT_EQ(ticks().setupRefreshDelay, 25u);
}

TEST_F(Ticks, EverySecondTheClockRecordTheWatchdogAndTheLogs) {
    for (int second = 1; second <= 10; ++second) {
        state().pending.clock().clear();
        tickSecond(env_);
        ASSERT_TRUE(state().pending.clock().raised());
        EXPECT_EQ(env_.logSteps, second);
        EXPECT_EQ(state().linkAliveSeconds, static_cast<uint32_t>(10 - second));
        platform::advanceManualClock(1000);
    }
    // 14:35:07 on 10 September 2024, then ten seconds on: minute, hour, day, month, year.
    const auto& edit = state().edit;
    EXPECT_EQ(edit.clock(0).get(), 35);
    EXPECT_EQ(edit.clock(1).get(), 14);
    EXPECT_EQ(edit.clock(2).get(), 10);
    EXPECT_EQ(edit.clock(3).get(), 9);
    EXPECT_EQ(edit.clock(4).get(), 24);
    tickSecond(env_);
    EXPECT_EQ(state().linkAliveSeconds, 0u);  // stays at 0

    EXPECT_GE(env_.count("invalidate AverageValues erase"), 1);

    state().recordSuppressSeconds = 2;
    tickSecond(env_);
    tickSecond(env_);
    tickSecond(env_);
    EXPECT_EQ(state().recordSuppressSeconds, 0u);
}

TEST_F(Ticks, HourlyMoistureOnlyWhileTheControllerAsksForIt) {
    state().status.moistureOut().set(155);
    state().status.statusFlags171().set(0xA0);  // bit 3 clear
    tickSecond(env_);
    EXPECT_EQ(ticks().hourlyMoisture.held(), 0);
    state().status.statusFlags171().set(0x08);
    for (int i = 0; i < 3601; ++i)
        tickSecond(env_);
    EXPECT_EQ(ticks().hourlyMoisture.held(), 3600);
    EXPECT_FLOAT_EQ(ticks().hourlyMoisture.average(), 155.0f);
    EXPECT_EQ(ticks().hourlyMoisture.warmup(), 0);
}

TEST_F(Ticks, SetupMenuButtonsFollowTheConfiguration) {
    auto shown = [&](Screen screen, int id) { return env_.childVisible.at({screen, id}); };
    state().status.statusByte183().set(0x06);
    tickSecond(env_);
    EXPECT_TRUE(shown(Screen::ExtendedSetupSelection, shell::kDryerModelButton));
    EXPECT_TRUE(shown(Screen::ExtendedSetupSelection, shell::kMeterRollReverseButton));
    EXPECT_TRUE(shown(Screen::SetupSelection, shell::kBurnerModeButton));
    state().status.dryerModelFlags().set(0x20);
    state().status.statusByte183().set(0x02);
    tickSecond(env_);
    EXPECT_FALSE(shown(Screen::ExtendedSetupSelection, shell::kDryerModelButton));
    EXPECT_FALSE(shown(Screen::ExtendedSetupSelection, shell::kMeterRollReverseButton));
    EXPECT_FALSE(shown(Screen::SetupSelection, shell::kBurnerModeButton));
}

TEST_F(Ticks, HistoryExitHeldCountsDownOnlyWhileTheDialogIsOpen) {
    env_.heldDialogButtons.insert({Dialog::ShutdownHistory, shell::kHistoryExitButton});
    tickSecond(env_);
    EXPECT_EQ(ticks().historyExitHoldSeconds, 5u);  // dialog closed: untouched
    env_.openDialogs.insert(Dialog::ShutdownHistory);
    for (int i = 0; i < 7; ++i)
        tickSecond(env_);
    EXPECT_EQ(ticks().historyExitHoldSeconds, 0u);
    env_.heldDialogButtons.clear();
    tickSecond(env_);
    EXPECT_EQ(ticks().historyExitHoldSeconds, 5u);
}

TEST_F(Ticks, HeldStageButtonAsksEverySecondSecondAndYesCopiesTheSetpoint) {
    std::vector<std::string> strings(518);
    strings[513 - 1] = "Restart DRY at %d:%02d?";
    strings[514 - 1] = "Restart HI HEAT at %d:%02d?";
    strings[515 - 1] = "STAGE TIME";
    writeStrings(strings);
    state().status.heatStageTimeSetpoint().setByte(0, 45);
    state().status.heatStageTimeSetpoint().setByte(1, 5);

    env_.heldChildren.insert({Screen::BatchDrying, shell::kHiHeatButton});
    tickSecond(env_);
    EXPECT_EQ(env_.count("box STAGE TIME: Restart HI HEAT at 45:05?"), 0);
    env_.answers.push_back(MessageAnswer::No);
    tickSecond(env_);
    EXPECT_EQ(env_.count("box STAGE TIME: Restart HI HEAT at 45:05?"), 1);
    EXPECT_FALSE(state().pending.heatStageTime().raised());

    env_.heldChildren.insert({Screen::BatchDrying, shell::kDryButton});
    env_.answers.push_back(MessageAnswer::Yes);
    tickSecond(env_);
    tickSecond(env_);
    EXPECT_EQ(env_.count("box STAGE TIME: Restart DRY at 45:05?"), 1);
    EXPECT_TRUE(state().pending.heatStageTime().raised());
    EXPECT_EQ(state().edit.heatStageTime().byte(0), 45);
    EXPECT_EQ(state().edit.heatStageTime().byte(1), 5);

    // A release between two seconds starts over.
    env_.heldChildren = {{Screen::BatchDrying, shell::kCoolButton}};
    tickSecond(env_);
    env_.heldChildren.clear();
    tickSecond(env_);
    env_.heldChildren = {{Screen::BatchDrying, shell::kCoolButton}};
    tickSecond(env_);
    EXPECT_EQ(env_.count("box STAGE TIME: "), 0);
}

TEST_F(Ticks, AutoStartFinishedNoticeOncePerRun) {
    state().status.statusFlags280().set(0x80);
    env_.answers.push_back(MessageAnswer::Ok);
    tickSecond(env_);
    tickSecond(env_);
    EXPECT_EQ(env_.operatorEvents, 1);
    state().status.statusFlags280().set(0);
    tickSecond(env_);
    state().status.statusFlags280().set(0x80);
    tickSecond(env_);
    EXPECT_EQ(env_.operatorEvents, 1);
}

TEST_F(Ticks, WarningWindowFollowsTheShutdownAndTheWatchdog) {
    tick100(env_);
    EXPECT_FALSE(env_.isVisible(Screen::Warning));
    // Ten seconds without a frame: the next 100 ms tick shows the warning window.
    for (int i = 0; i < 10; ++i)
        tickSecond(env_);
    EXPECT_FALSE(env_.isVisible(Screen::Warning));
    tick100(env_);
    EXPECT_TRUE(env_.isVisible(Screen::Warning));

    // A frame arrives and nothing is wrong: hidden, and the help dialog closes with it.
    state().linkAliveSeconds = 10;
    env_.openDialogs.insert(Dialog::ShutdownHelp);
    tick100(env_);
    EXPECT_FALSE(env_.isVisible(Screen::Warning));
    EXPECT_EQ(env_.count("command ShutdownHelp 1224"), 1);
    // ... unless it was opened from the history.
    ticks().helpFromHistory = true;
    tick100(env_);
    EXPECT_EQ(env_.count("command ShutdownHelp 1224"), 1);

    state().status.shutdownNodeId().set(14);
    state().status.shutdownWarningId().set(5);
    for (int i = 0; i < 7; ++i)
        tick100(env_);
    EXPECT_TRUE(env_.isVisible(Screen::Warning));
    EXPECT_EQ(ticks().rearDischargeFrame, 0);  // seven steps, modulo 7
    EXPECT_EQ(env_.count("invalidate ShutdownHelp 150,20,400,150"), 7);
}

TEST_F(Ticks, AnimationsAdvanceWithTheOutputs) {
    state().status.fanHeaterOutputs(2).set(0x01);
    state().status.statusFlags171().set(0x80);  // load frame held
    state().status.statusFlags172().set(0x01);  // dryer running
    state().status.statusByte58().set(0x0C);    // metering roll 1 turning
    for (int i = 0; i < 7; ++i)
        tick100(env_);
    const auto& p = ticks();
    EXPECT_EQ(p.fanFrame[2], 1u);  // 0, 1, 2, 0, ...
    EXPECT_EQ(p.fanFrame[0], 0u);
    EXPECT_EQ(p.loadFrame, 0u);
    EXPECT_EQ(p.unloadFrame, 1u);
    EXPECT_EQ(p.binMotorFrame, 1u);      // every fifth running tick
    EXPECT_EQ(p.meterRollFrame[0], 2u);  // every third tick: ticks 3 and 6
    EXPECT_EQ(p.meterRollFrame[1], 0u);
    EXPECT_EQ(env_.count("invalidate DryerPic erase"), 7);
    EXPECT_EQ(env_.count("invalidate Warning 105,65,260,75"), 2);
    EXPECT_TRUE(p.alertBlinkFlags & shell::kBlinkAnimationStep);
}

TEST_F(Ticks, HeldButtonRepeatsAfterHalfASecondInTheOpenDialog) {
    env_.openDialogs.insert(Dialog::MeterRollSpeed);
    env_.heldDialogButtons.insert({Dialog::MeterRollSpeed, 1046});
    env_.heldDialogButtons.insert({Dialog::BushelSetup, 1171});  // dialog not open
    for (int i = 0; i < 5; ++i)
        tick100(env_);
    EXPECT_EQ(env_.count("command MeterRollSpeed 1046"), 0);
    for (int i = 0; i < 4; ++i)
        tick100(env_);
    EXPECT_EQ(env_.count("command MeterRollSpeed 1046"), 4);
    EXPECT_EQ(env_.count("command BushelSetup 1171"), 0);
    // The first listed button wins when two are held.
    env_.heldDialogButtons.insert({Dialog::MeterRollSpeed, 1047});
    tick100(env_);
    EXPECT_EQ(env_.count("command MeterRollSpeed 1047"), 1);
}

}  // namespace
}  // namespace shelltest
