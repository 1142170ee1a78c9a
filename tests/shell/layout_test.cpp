#include "shell/layout.h"

#include "logging/view_settings.h"
#include "shell/commands.h"
#include "shell/shell_fixture.h"

namespace shelltest {
namespace {

class Layout : public ShellTest {};

TEST_F(Layout, ContinuousFlowShowsChartOrGraphBatchModesShowTheBatchScreen) {
    state().status.userSettings().set(0x40);
    shell::updateScreenLayout(env_);
    EXPECT_EQ(logging::ScreenViewSelection, 1);
    EXPECT_TRUE(env_.isVisible(Screen::Graph));
    EXPECT_TRUE(env_.isVisible(Screen::DrawGraph));
    EXPECT_FALSE(env_.isVisible(Screen::AverageValues));
    EXPECT_FALSE(env_.isVisible(Screen::CustomView));

    state().status.userSettings().set(0x00);
    shell::updateScreenLayout(env_);
    EXPECT_EQ(logging::ScreenViewSelection, 0);
    EXPECT_FALSE(env_.isVisible(Screen::Graph));
    EXPECT_TRUE(env_.isVisible(Screen::AverageValues));
    EXPECT_TRUE(env_.isVisible(Screen::CustomView));
    EXPECT_FALSE(env_.isVisible(Screen::BatchDrying));

    // A batch mode shows the batch screen and the plenum view whatever bit 6 says.
    for (int bits : {0x00, 0x40}) {
        state().status.userSettings().set(bits);
        state().status.dryingMode().set(1);
        shell::updateScreenLayout(env_);
        EXPECT_TRUE(env_.isVisible(Screen::BatchDrying));
        EXPECT_TRUE(env_.isVisible(Screen::CustomView));
        EXPECT_FALSE(env_.isVisible(Screen::Graph));
        EXPECT_FALSE(env_.isVisible(Screen::DrawGraph));
        EXPECT_FALSE(env_.isVisible(Screen::AverageValues));
    }
}

TEST_F(Layout, BatchStageButtonsFitTheDryingMode) {
    auto shown = [&](int id) { return env_.childVisible.at({Screen::BatchDrying, id}); };
    struct Case {
        int mode, options;
        bool twoHeat;
    };
    for (const Case& c : {Case{0, 0x02, false}, Case{3, 0x00, true}, Case{1, 0x02, true},
                          Case{1, 0x00, false}, Case{2, 0x02, true}}) {
        state().status.dryingMode().set(c.mode);
        state().status.plenumTempOptions().set(c.options);
        env_.clear();
        shell::updateBatchStageButtons(env_);
        EXPECT_EQ(shown(shell::kHiHeatButton), c.twoHeat) << c.mode;
        EXPECT_EQ(shown(shell::kLoHeatButton), c.twoHeat) << c.mode;
        EXPECT_EQ(shown(shell::kDryButton), !c.twoHeat) << c.mode;
        EXPECT_EQ(env_.count("invalidate BatchDrying/36958"), 1);
    }
}

TEST_F(Layout, QuickStartButtonClosesUpTheButtonBar) {
    shell::layoutButtonBar(env_);
    EXPECT_FALSE(env_.buttonVisible[MainButton::Qs]);
    const MainButton five[] = {MainButton::Timers, MainButton::Temps, MainButton::Setup,
                               MainButton::View, MainButton::Misc};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(env_.buttonArea[five[i]], (Area{20 + 124 * i, 427, 125 + 124 * i, 467}));
    }
    state().status.hardwareOptions().set(0x81);
    shell::layoutButtonBar(env_);
    EXPECT_TRUE(env_.buttonVisible[MainButton::Qs]);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(env_.buttonArea[five[i]], (Area{10 + 115 * i, 427, 115 + 115 * i, 467}));
    }
}

// The main view's left column is the dryer picture or the values column that tiles its place,
// as kept in the view settings; a selection screen hides either.
TEST_F(Layout, TheLeftColumnFollowsItsSetting) {
    const Screen values[] = {Screen::LeftStatusBar, Screen::LineGraph, Screen::UnloadStatus};
    for (int selection : {1, 0}) {
        logging::LeftColumnSelection = selection;
        shell::mainWindowCommand(env_, shell::kCmdExitToDryer);
        EXPECT_EQ(env_.isVisible(Screen::DryerPic), selection == 0);
        for (Screen screen : values)
            EXPECT_EQ(env_.isVisible(screen), selection == 1) << screenName(screen);
        shell::mainWindowCommand(env_, shell::kCmdTimers);
        EXPECT_FALSE(env_.isVisible(Screen::DryerPic));
        for (Screen screen : values)
            EXPECT_FALSE(env_.isVisible(screen)) << screenName(screen);
    }
}

TEST_F(Layout, NavigationHidesAndRestoresTheStatusScreens) {
    shell::mainWindowCommand(env_, shell::kCmdExitToDryer);
    EXPECT_TRUE(env_.isVisible(Screen::DryerPic));
    EXPECT_TRUE(env_.isVisible(Screen::ButtonBar));
    EXPECT_TRUE(env_.isVisible(Screen::RightStatusBar));
    EXPECT_TRUE(env_.isVisible(Screen::CustomView));
    EXPECT_TRUE(env_.buttonVisible[MainButton::Timers]);
    EXPECT_FALSE(env_.buttonVisible[MainButton::ExitToDryer]);

    shell::mainWindowCommand(env_, shell::kCmdTimers);
    EXPECT_TRUE(env_.isVisible(Screen::TimerSelect));
    for (Screen screen : {Screen::DryerPic, Screen::ButtonBar, Screen::RightStatusBar,
                          Screen::CustomView, Screen::AverageValues, Screen::BatchDrying}) {
        EXPECT_FALSE(env_.isVisible(screen)) << screenName(screen);
    }
    EXPECT_FALSE(env_.buttonVisible[MainButton::Timers]);
    EXPECT_EQ(state().statusScreensActive, 1);

    state().status.shutdownNodeId().set(2);
    env_.setVisible(Screen::Warning, true);
    shell::mainWindowCommand(env_, shell::kCmdSetup);
    EXPECT_TRUE(env_.isVisible(Screen::SetupSelection));
    EXPECT_FALSE(env_.isVisible(Screen::Warning));
    EXPECT_EQ(state().statusScreensActive, 0);

    shell::mainWindowCommand(env_, shell::kCmdView);
    EXPECT_TRUE(env_.isVisible(Screen::ViewSelection));
    EXPECT_FALSE(shell::mainWindowCommand(env_, 0x1234));
}

TEST_F(Layout, MiscOpensTheSetpointOfTheMoistureControlMode) {
    auto misc = [&] {
        env_.clear();
        shell::mainWindowCommand(env_, shell::kCmdMisc);
        return env_.events;
    };
    using Events = std::vector<std::string>;
    for (int mode : {0, 2, 6, 7}) {
        state().status.moistureControlMode().set(mode);
        EXPECT_EQ(misc(), Events{}) << mode;
    }
    state().status.moistureControlMode().set(0x85);  // mode 5, state bit set
    state().status.grainTempSetpoint().set(118);
    EXPECT_EQ(misc(), Events{"keypad grain over TempSelect"});
    EXPECT_EQ(state().edit.grainTempSetpoint().get(), 118);  // the keypad starts from status

    state().status.moistureControlMode().set(1);
    state().status.dryingMode().set(3);
    EXPECT_EQ(misc(), (Events{"keypad grainLo over TempSelect", "keypad grainHi over TempSelect"}));
    state().status.dryingMode().set(0);

    state().status.moistureControlMode().set(4);
    EXPECT_EQ(misc(), Events{"dialog 225 over LineGraph"});

    // Mode 3 during the learning period asks first and goes on only on Yes.
    state().status.moistureControlMode().set(3);
    state().status.mcLearningMinutes().set(20);
    state().status.operatingModeFlags().set(0x04);
    const Events asked = misc();
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].rfind("box MOISTURE CONTROL LEARNING PERIOD STILL ACTIVE: ", 0), 0u);
    env_.answers.push_back(MessageAnswer::Yes);
    EXPECT_EQ(misc().back(), "dialog 225 over LineGraph");

    // Knob capture: the question first; No still goes on to the setpoint.
    state().knobCaptureHold = 1;
    state().status.mcLearningMinutes().set(0);
    env_.answers.push_back(MessageAnswer::No);
    const Events captured = misc();
    ASSERT_EQ(captured.size(), 2u);
    EXPECT_EQ(captured[1], "dialog 225 over LineGraph");
    env_.answers.push_back(MessageAnswer::Yes);
    EXPECT_EQ(misc()[1], "dialog 166 over MainWindow");

    // The lockout stops everything after the knob question.
    state().miscLockout = 1;
    env_.answers.push_back(MessageAnswer::No);
    EXPECT_EQ(misc().size(), 1u);
}

TEST_F(Layout, MiscInStagedBatchPicksMoistureOrGrainSetpoint) {
    auto misc = [&] {
        env_.clear();
        shell::mainWindowCommand(env_, shell::kCmdMisc);
        return env_.events;
    };
    using Events = std::vector<std::string>;
    state().status.dryingMode().set(1);
    state().status.moistureControlMode().set(0x86);  // manual
    state().status.plenumTempOptions().set(0x40);
    EXPECT_EQ(misc(), Events{"dialog 225 over LineGraph"});
    state().status.moistureControlMode().set(0x06);
    EXPECT_EQ(misc(), Events{"keypad grain over TempSelect"});
    state().status.plenumTempOptions().set(0x12);  // dual plenum: nothing
    EXPECT_EQ(misc(), Events{});
    // Neither manual nor a plenum option: the ordinary mode rules.
    state().status.plenumTempOptions().set(0x00);
    state().status.moistureControlMode().set(0x04);
    EXPECT_EQ(misc(), Events{"dialog 225 over LineGraph"});
}

TEST_F(Layout, LoopFlagsBecomeOneCommandEach) {
    std::vector<int> sent;
    auto send = [&](int command) { sent.push_back(command); };
    state().knobSpeedChangeRequest = 1;
    state().knobSpeedChangeRequest = 1;  // raised twice before the loop looked
    shell::checkLoopFlags(send);
    shell::checkLoopFlags(send);
    EXPECT_EQ(sent, std::vector<int>{shell::kCmdKnobSpeedChange});

    sent.clear();
    state().statusEvent188 = 1;
    state().pending.defaultsNoticeShowing().raise();
    shell::checkLoopFlags(send);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(state().statusEvent188, 1);  // waits for the notice to close
    state().pending.defaultsNoticeShowing().clear();
    shell::checkLoopFlags(send);
    shell::checkLoopFlags(send);
    EXPECT_EQ(sent, std::vector<int>{shell::kCmdDefaultsNotice});
}

TEST_F(Layout, KnobSpeedCommandAsksDuringTheLearningPeriod) {
    state().status.moistureControlMode().set(3);
    state().status.mcLearningMinutes().set(5);
    state().status.operatingModeFlags().set(0x04);
    env_.answers.push_back(MessageAnswer::Cancel);
    shell::mainWindowCommand(env_, shell::kCmdKnobSpeedChange);
    EXPECT_EQ(env_.count("dialog 166 over MainWindow"), 0);
    state().status.moistureControlMode().set(4);
    shell::mainWindowCommand(env_, shell::kCmdKnobSpeedChange);
    EXPECT_EQ(env_.count("dialog 166 over MainWindow"), 1);
    shell::mainWindowCommand(env_, shell::kCmdDefaultsNotice);
    EXPECT_EQ(env_.count("dialog 179 over MainWindow"), 1);
    shell::mainWindowCommand(env_, shell::kCmdQuickStart);
    EXPECT_EQ(env_.count("dialog 612 over MainWindow"), 1);
}

}  // namespace
}  // namespace shelltest
