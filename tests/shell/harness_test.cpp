// The shell running in the panel harness: headless, on the manual clock, with the controller's
// frames fed to the decoder or played over a pseudo-terminal.
#include <gtest/gtest.h>

#include <vector>

#include "link/controller_link.h"
#include "link/crc.h"
#include "link/dryer_state.h"
#include "platform/serial/serial.h"
#include "platform/sys/service.h"
#include "platform/ui/controls.h"
#include "platform/ui/display.h"
#include "shell/app.h"
#include "shell/commands.h"
#include "shell/fake_env.h"
#include "shell/hooks.h"
#include "support/notify_socket.h"
#include "support/panel_fixture.h"
#include "support/pty_line.h"

namespace shelltest {
namespace {

namespace ui = platform::ui;

// 2024-06-01 is a Saturday; 03:08:00 local.
const platform::LocalTime kStart{2024, 6, 6, 1, 3, 8, 0, 0};

class ShellHarness : public testsupport::PanelFixture {
  protected:
    ShellHarness() : PanelFixture({.folders = {}, .clock = kStart}) {}

    bool visible(Screen screen) { return ui::isVisible(shell::screenWindow(screen)); }
};

TEST_F(ShellHarness, StartsWithTheMainScreenInPlace) {
    start();
    EXPECT_EQ(dryer::dryerState().status.statusFlags171().get(), 0xA0);
    for (Screen shown : {Screen::DryerPic, Screen::RightStatusBar, Screen::ButtonBar,
                         Screen::CustomView, Screen::AverageValues}) {
        EXPECT_TRUE(visible(shown)) << screenName(shown);
    }
    for (Screen hidden : {Screen::Warning, Screen::TimerSelect, Screen::Graph, Screen::LineGraph,
                          Screen::BatchDrying, Screen::ViewSelection, Screen::LeftStatusBar}) {
        EXPECT_FALSE(visible(hidden)) << screenName(hidden);
    }
    const ui::Window timers = shell::mainButtonWindow(MainButton::Timers);
    EXPECT_EQ(ui::windowRect(timers), (platform::gfx::Rect{20, 427, 125, 467}));
    EXPECT_FALSE(ui::isVisible(shell::mainButtonWindow(MainButton::Qs)));
    // The button is on top of the button bar that hosts it: a touch reaches it.
    EXPECT_EQ(ui::windowAt({72, 447}), timers);
    EXPECT_EQ(ui::windowClassName(shell::screenWindow(Screen::TimerSelect)), "TIMER_SELECT_WINDOW");
    EXPECT_EQ(ui::windowText(shell::screenWindow(Screen::Warning)),
              " WARNING - DRYER SHUTTING DOWN! - 05");
}

TEST_F(ShellHarness, ButtonsNavigateBetweenTheScreens) {
    start();
    panel_->tap(72, 447);  // TIMERS
    EXPECT_TRUE(visible(Screen::TimerSelect));
    EXPECT_FALSE(visible(Screen::DryerPic));
    EXPECT_FALSE(visible(Screen::ButtonBar));
    EXPECT_FALSE(ui::isVisible(shell::mainButtonWindow(MainButton::Setup)));

    // The timer screen's way back.
    panel_->call([] {
        ui::showWindow(shell::screenWindow(Screen::TimerSelect), false);
        shell::returnToMainView();
    });
    EXPECT_TRUE(visible(Screen::DryerPic));
    EXPECT_TRUE(ui::isVisible(shell::mainButtonWindow(MainButton::Setup)));

    panel_->tap(320, 447);  // SETUP
    EXPECT_TRUE(visible(Screen::SetupSelection));
    EXPECT_EQ(dryer::dryerState().statusScreensActive, 0);
    // A drying-mode change while the setup screens are up leaves the status screens down.
    receive({{8, 1}});
    EXPECT_FALSE(visible(Screen::BatchDrying));

    panel_->call([] {
        ui::showWindow(shell::screenWindow(Screen::SetupSelection), false);
        ui::sendMessage(shell::mainWindow(), ui::kCommand,
                        ui::commandParam(shell::kCmdExitToDryer));
    });
    EXPECT_TRUE(visible(Screen::DryerPic));
    EXPECT_TRUE(visible(Screen::ButtonBar));
    EXPECT_TRUE(visible(Screen::BatchDrying));  // the layout follows the drying mode
    EXPECT_TRUE(ui::isVisible(shell::mainButtonWindow(MainButton::Misc)));

    panel_->tap(444, 447);  // VIEW opens over the status screens
    EXPECT_TRUE(visible(Screen::ViewSelection));
    EXPECT_TRUE(visible(Screen::DryerPic));
}

TEST_F(ShellHarness, DecodedModeAndViewBitArrangeTheStatusScreens) {
    start();
    receive({{266, 0x40}});  // graph view in continuous flow
    EXPECT_TRUE(visible(Screen::Graph));
    EXPECT_FALSE(visible(Screen::AverageValues));
    EXPECT_FALSE(visible(Screen::CustomView));
    receive({{8, 1}});  // staged batch: batch screen and plenum view whatever bit 6 says
    EXPECT_TRUE(visible(Screen::BatchDrying));
    EXPECT_TRUE(visible(Screen::CustomView));
    EXPECT_FALSE(visible(Screen::Graph));
    receive({{8, 0}, {266, 0x00}});
    EXPECT_TRUE(visible(Screen::AverageValues));
    EXPECT_FALSE(visible(Screen::BatchDrying));
}

TEST_F(ShellHarness, QuickStartClosesUpTheButtonBarAtTheNextTick) {
    start();
    panel_->advance(175);
    receive({{279, 0x01}});
    panel_->advance(175);
    EXPECT_TRUE(ui::isVisible(shell::mainButtonWindow(MainButton::Qs)));
    const MainButton five[] = {MainButton::Timers, MainButton::Temps, MainButton::Setup,
                               MainButton::View, MainButton::Misc};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ui::windowRect(shell::mainButtonWindow(five[i])).left, 10 + 115 * i);
    }
    receive({{279, 0x00}});
    panel_->advance(175);
    EXPECT_FALSE(ui::isVisible(shell::mainButtonWindow(MainButton::Qs)));
    EXPECT_EQ(ui::windowRect(shell::mainButtonWindow(MainButton::Misc)).left, 20 + 124 * 4);
}

TEST_F(ShellHarness, LinkWatchdogShowsTheWarningWindowAtTheNextTenthOfASecond) {
    start();
    panel_->advance(9999);
    EXPECT_FALSE(visible(Screen::Warning));
    panel_->advance(1);
    EXPECT_TRUE(visible(Screen::Warning));
    panel_->advance(300);
    EXPECT_EQ(dryer::dryerState().resyncRequest, 1);  // the lost link asks for a resync

    // A good frame with nothing wrong: hidden within 100 ms.
    dryer::dryerState().resyncRequest = 0;
    receive({});
    panel_->advance(100);
    EXPECT_FALSE(visible(Screen::Warning));
    receive({{185, 3}, {186, 5}});  // a shutdown keeps it up with the link alive
    panel_->advance(100);
    EXPECT_TRUE(visible(Screen::Warning));
}

TEST_F(ShellHarness, DecoderFlagRaisedTwiceGivesOneCommand) {
    int opened = 0;
    shell::setDialogOpener(shell::kMeterRollSpeedDialog, [&opened](ui::Window) { ++opened; });
    start();
    panel_->post([] { shell::runMessageLoop(); });
    dryer::dryerState().knobSpeedChangeRequest = 1;
    dryer::dryerState().knobSpeedChangeRequest = 1;
    ui::wakeLoop();
    panel_->waitIdle();
    panel_->advance(300);
    EXPECT_EQ(opened, 1);
    ui::postQuit(0);
    panel_->waitIdle();
}

ui::LResult repeatDialogProc(ui::Window w, uint32_t message, ui::WParam wp, ui::LParam lp) {
    if (message == ui::kCommand) {
        auto* commands = reinterpret_cast<std::vector<int>*>(ui::userData(w));
        commands->push_back(ui::commandId(wp));
        return 0;
    }
    return ui::defaultProc(w, message, wp, lp);
}

TEST_F(ShellHarness, HeldButtonRepeatsEveryTenthOfASecondAfterHalfASecond) {
    start();
    std::vector<int> commands;
    panel_->call([&commands] {
        ui::registerClass({"REPEAT_TEST", repeatDialogProc});
        const ui::Window dialog = ui::createWindow(
            "REPEAT_TEST", "SPEED", ui::kTopmost | ui::kVisible, {100, 100, 400, 300});
        ui::setUserData(dialog, reinterpret_cast<intptr_t>(&commands));
        ui::createWindow(ui::kButtonClass, "UP", ui::kChild | ui::kVisible, {10, 10, 110, 60},
                         dialog, 1047);
        shell::registerOpenDialog(Dialog::MeterRollSpeed, dialog);
    });
    panel_->pointerDown(160, 135);
    panel_->advance(500);
    EXPECT_TRUE(commands.empty());
    panel_->advance(300);
    EXPECT_EQ(commands, (std::vector<int>{1047, 1047, 1047}));
    panel_->pointerUp(160, 135);  // the release is an ordinary click
    commands.clear();
    panel_->advance(1000);
    EXPECT_TRUE(commands.empty());
}

// Plays the controller's side of the line: collects what the display sends.
class PtyController {
  public:
    PtyController() { ok_ = platform::openPtyPair(pair_); }
    bool ok() const { return ok_; }
    const std::string& device() const { return pair_.devicePath; }
    // Waits for the exchange thread to finish its cycle, then takes the frame it wrote.
    std::vector<uint8_t> frameAfter(dryer::ControllerLink& link, uint64_t cycles) {
        return testsupport::bytesAfterCycle(pair_, link, cycles);
    }

  private:
    platform::PtyPair pair_;
    bool ok_ = false;
};

TEST_F(ShellHarness, ClockRecordGoesOutOnceASecond) {
    PtyController controller;
    ASSERT_TRUE(controller.ok());
    dryer::ControllerLink link(dryer::dryerState());
    shell::attachControllerLink(&link);
    shell::StartupSteps steps;
    steps.openControllerLink = [&] { link.openControllerLink(controller.device()); };
    start(steps);

    std::vector<std::vector<uint8_t>> frames;
    for (uint64_t cycle = 1; cycle <= 9; ++cycle) {
        panel_->advance(350);
        frames.push_back(controller.frameAfter(link, cycle));
    }
    link.stop();
    const std::vector<uint8_t> idle = {0x07, 0x00, 0x00, 0x00, 0x00, 0x91, 0xC0};
    int clockFrames = 0;
    for (size_t i = 0; i < frames.size(); ++i) {
        const auto& frame = frames[i];
        // Cycles at 350 ms steps; the one-second tick raises the clock at 1000, 2000, 3000 ms.
        const bool afterSecond = i == 2 || i == 5 || i == 8;
        if (!afterSecond) {
            EXPECT_EQ(frame, idle) << "cycle " << i + 1;
            continue;
        }
        ++clockFrames;
        ASSERT_EQ(frame.size(), 12u) << "cycle " << i + 1;
        EXPECT_EQ(std::vector<uint8_t>(frame.begin(), frame.begin() + 10),
                  (std::vector<uint8_t>{12, 1, 0, 53, 5, 8, 3, 1, 6, 24}));
        EXPECT_TRUE(dryer::checkCrc(frame.data(), 10));
    }
    EXPECT_EQ(clockFrames, 3);
}

// The service watchdog hears from the UI thread once per one-second tick, and only then.
TEST_F(ShellHarness, WatchdogIsPingedAfterEveryOneSecondTick) {
    testsupport::NotifySocket manager;
    shell::StartupSteps steps;
    steps.afterSecondTick = platform::notifyServiceAlive;
    start(steps);
    panel_->advance(999);
    EXPECT_TRUE(manager.take().empty());
    panel_->advance(1);
    EXPECT_EQ(manager.take(), std::vector<std::string>{"WATCHDOG=1"});
    panel_->advance(3000);
    EXPECT_EQ(manager.take(), std::vector<std::string>(3, "WATCHDOG=1"));
}

}  // namespace
}  // namespace shelltest
