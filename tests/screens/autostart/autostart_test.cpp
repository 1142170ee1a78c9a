// The auto-start configuration window, the questions on the way to a start and what reaches the
// controller.
#include "screens/autostart/autostart_fixture.h"
#include "screens/keypads/keypads.h"
#include "screens/setpoints/setpoints.h"

namespace autostarttest {
namespace {

constexpr int kExit = 37012;
constexpr int kGrainSelect = 37014;
constexpr int kMoistureSettings = 37017;
constexpr int kFirstGrain = 37018;
constexpr int kPlenumSetpoints = 37032;
constexpr int kInitiate = 37038;
constexpr int kAverageMoistureContinue = 37042;
constexpr int kSetpointContinue = 37043;
constexpr int kCancelAutoStart = 1506;
constexpr int kTemperatureScreenExit = 34837;

const gfx::Color kYellow = gfx::rgb(255, 255, 0);

void sendCommand(ui::Window window, int id) {
    ui::sendMessage(window, ui::kCommand, ui::commandParam(id), 0);
}

TEST_F(AutoStartPanel, EntryChecksComeInOrder) {
    start();
    auto& status = dryer::dryerState().status;

    // A sequence running: straight to the status dialog, without the switch notice.
    status.hardwareOptions().set(0x81);
    enterFromSetup();
    EXPECT_FALSE(dialogShows("Switch Requirements"));
    EXPECT_TRUE(dialogShows("Auto-Start Status"));
    pressInDialog(1507);  // Minimize
    EXPECT_FALSE(topDialog());

    // No sequence, the dryer running: the notice, then the refusal.
    status.hardwareOptions().set(0x80);
    status.alarmFlags().set(0x40);
    enterFromSetup();
    EXPECT_TRUE(dialogShows("Auto-Start Control Panel Switch Requirements"));
    EXPECT_TRUE(dialogShows("2. LOAD switch to AUTO."));
    pressInDialog(ui::kIdOk);
    EXPECT_TRUE(dialogShows("Cannot initiate auto-start with dryer running."));
    pressInDialog(ui::kIdOk);
    EXPECT_FALSE(visible(Screen::AutoStartConfig));
    EXPECT_FALSE(autostart::autoStartConfigActive());

    // At rest: the configuration window takes the whole screen, starting from the controller's
    // bytes.
    status.alarmFlags().set(0);
    status.grainType().set(7);
    dryer::dryerState().edit.hardwareOptions().set(0x01);
    openConfiguration();
    EXPECT_TRUE(autostart::autoStartConfigActive());
    EXPECT_EQ(dryer::dryerState().edit.hardwareOptions().get(), 0x80);
    EXPECT_EQ(dryer::dryerState().edit.grainType().get(), 7);
    for (Screen s : {Screen::DryerPic, Screen::ButtonBar, Screen::RightStatusBar,
                     Screen::SetupSelection, Screen::CustomView, Screen::AverageValues}) {
        EXPECT_FALSE(visible(s)) << static_cast<int>(s);
    }
    EXPECT_FALSE(ui::isVisible(shell::mainButtonWindow(shell::MainButton::Setup)));
}

TEST_F(AutoStartPanel, GrainButtonsMoveTheMarkerAndExitSendsTheGrain) {
    start();
    openConfiguration();
    const ui::Window window = screen(Screen::AutoStartConfig);
    // The first visit opens on the grain, under a caption of its own.
    EXPECT_EQ(autostart::autoStartConfigPage(), 1);
    EXPECT_EQ(ui::windowText(window), " AUTO-START CONFIGURATION");
    panel_->tap(configButton(kGrainSelect));
    EXPECT_EQ(autostart::autoStartConfigPage(), 1);
    for (int code = 0; code < 12; ++code)
        EXPECT_TRUE(ui::isVisible(configButton(kFirstGrain + code))) << code;

    // The chosen grain's button is ringed (buttons at x 180 or 330, y 20 + 50 per row, 100 x 40)
    // and pointed at from its right.
    struct Mark {
        int code, left, top;
    };
    const auto marked = [&](const gfx::Surface& shot, const Mark& m) {
        return colorAt(shot, window, m.left - 3, m.top + 20) == kYellow &&
               colorAt(shot, window, m.left + 50, m.top + 42) == kYellow &&
               colorAt(shot, window, m.left + 120, m.top + 20) == kYellow;
    };
    const Mark kMarks[] = {{5, 180, 270}, {6, 330, 20}, {11, 330, 270}};
    for (const Mark m : kMarks) {
        panel_->tap(configButton(kFirstGrain + m.code));
        EXPECT_EQ(dryer::dryerState().edit.grainType().get(), m.code);
        const gfx::Surface shot = panel_->screen();
        EXPECT_TRUE(marked(shot, m)) << m.code;
        // Only one marker: the other places are plain again.
        for (const Mark other : kMarks) {
            if (other.code == m.code) continue;
            EXPECT_FALSE(marked(shot, other)) << other.code;
        }
    }
    EXPECT_FALSE(dryer::dryerState().pending.grainType().raised());

    panel_->tap(configButton(kExit));
    EXPECT_TRUE(dryer::dryerState().pending.grainType().raised());
    EXPECT_FALSE(dryer::dryerState().pending.hardwareOptions().raised());
    EXPECT_FALSE(visible(Screen::AutoStartConfig));
    EXPECT_FALSE(autostart::autoStartConfigActive());
    EXPECT_TRUE(visible(Screen::DryerPic));
    EXPECT_TRUE(visible(Screen::ButtonBar));
    EXPECT_EQ(dryer::dryerState().statusScreensActive.load(), 1);

    // The page is kept for the next visit.
    openConfiguration();
    EXPECT_EQ(autostart::autoStartConfigPage(), 1);
    EXPECT_TRUE(ui::isVisible(configButton(kFirstGrain + 11)));
}

TEST_F(AutoStartPanel, MoistureSettingsShowTheControllerValuesAndOpenTheKeypads) {
    int openings = 0;
    shell::setDialogOpener(225, [&](ui::Window) { ++openings; });
    start();
    auto& status = dryer::dryerState().status;
    status.averageIncomingMoisture().set(223);
    status.moistureSetpoint().set(155);
    openConfiguration();
    panel_->tap(configButton(kMoistureSettings));
    EXPECT_FALSE(ui::isVisible(configButton(kFirstGrain)));
    const auto average = panel_->findText("22.3%");
    const auto setpoint = panel_->findText("15.5%");
    ASSERT_TRUE(average && setpoint);
    EXPECT_EQ(average->text.rect, (gfx::Rect{450, 100, 640, 200}));
    EXPECT_EQ(setpoint->text.rect, (gfx::Rect{450, 250, 640, 350}));
    EXPECT_NE(average->text.color, setpoint->text.color);
    // Each value is named over its row.
    const auto averageName = panel_->findText("AVERAGE INCOMING MOISTURE");
    const auto setpointName = panel_->findText("MOISTURE SETPOINT");
    ASSERT_TRUE(averageName && setpointName);
    EXPECT_LT(averageName->text.rect.bottom, 100);
    EXPECT_LT(setpointName->text.rect.bottom, 250);

    panel_->tap(configButton(kAverageMoistureContinue));
    panel_->tap(configButton(kSetpointContinue));
    EXPECT_EQ(openings, 2);
}

TEST_F(AutoStartPanel, NoAndCancelLeaveWithoutASequenceAndKeepTheOtherBits) {
    start();
    auto& state = dryer::dryerState();
    state.status.hardwareOptions().set(0x80);
    for (int answer : {ui::kIdNo, ui::kIdCancel}) {
        state.pending.hardwareOptions().clear();
        openConfiguration();
        state.edit.hardwareOptions().set(0x01);  // an older request must not travel
        panel_->tap(configButton(kInitiate));
        EXPECT_TRUE(dialogShows("Start the auto-start sequence now?"));
        pressInDialog(answer);
        EXPECT_FALSE(visible(Screen::AutoStartConfig)) << answer;
        EXPECT_FALSE(autostart::autoStartConfigActive());
        EXPECT_TRUE(visible(Screen::DryerPic));
        EXPECT_TRUE(state.pending.hardwareOptions().raised());
        EXPECT_EQ(state.edit.hardwareOptions().get(), 0x80);
        EXPECT_FALSE(state.pending.grainType().raised());
    }
}

TEST_F(AutoStartPanel, PlenumSetpointDetourComesBackToTheConfiguration) {
    keypads::wireKeypads();
    setpoints::wireSetpointScreens();
    start();
    openConfiguration();
    const ui::Window window = screen(Screen::AutoStartConfig);
    panel_->call([&] { sendCommand(window, 37016); });
    ASSERT_TRUE(ui::isVisible(configButton(kPlenumSetpoints)));
    panel_->tap(configButton(kPlenumSetpoints));
    EXPECT_FALSE(visible(Screen::AutoStartConfig));
    EXPECT_TRUE(visible(Screen::TempSelect));
    EXPECT_FALSE(visible(Screen::DryerPic));
    EXPECT_TRUE(autostart::autoStartConfigActive());

    // The temperature screen's exit comes back here.
    panel_->tap(ui::childById(screen(Screen::TempSelect), kTemperatureScreenExit));
    EXPECT_FALSE(visible(Screen::TempSelect));
    EXPECT_TRUE(visible(Screen::AutoStartConfig));
    EXPECT_FALSE(visible(Screen::DryerPic));

    // Opened from the main view, its exit goes back to the main view.
    panel_->tap(configButton(kExit));
    panel_->tap(shell::mainButtonWindow(shell::MainButton::Temps));
    ASSERT_TRUE(visible(Screen::TempSelect));
    panel_->tap(ui::childById(screen(Screen::TempSelect), kTemperatureScreenExit));
    EXPECT_FALSE(visible(Screen::AutoStartConfig));
    EXPECT_TRUE(visible(Screen::DryerPic));
}

// The start and the cancel as the controller receives them: bit 0 in the whole byte, with the
// grain inverter bit it already had.
TEST_F(AutoStartPanel, InitiateStartsAndTheStatusDialogCancelsOnTheWire) {
    startWithController();
    simulator_->command("set 279 128");
    simulator_->command("set 285 0");
    cycles(3);
    ASSERT_EQ(dryer::dryerState().status.hardwareOptions().get(), 0x80);
    ASSERT_FALSE(dryer::dryerState().status.alarmFlags().bit(6));

    openConfiguration();
    panel_->tap(configButton(kGrainSelect));
    panel_->tap(configButton(kFirstGrain + 3));  // Barley
    panel_->tap(configButton(kInitiate));
    EXPECT_TRUE(dialogShows("Start the auto-start sequence now?"));
    pressInDialog(ui::kIdYes);
    EXPECT_FALSE(visible(Screen::AutoStartConfig));
    EXPECT_TRUE(visible(Screen::DryerPic));
    takeTrace();
    cycles(3);
    const std::string sent = takeTrace();
    EXPECT_NE(sent.find("279+1 hardwareOptions = 81"), std::string::npos) << sent;
    EXPECT_NE(sent.find("285+1 grainType = 03"), std::string::npos) << sent;
    EXPECT_EQ(dryer::dryerState().status.hardwareOptions().get(), 0x81);
    EXPECT_EQ(simulator_->parameter(285), 3);
    EXPECT_FALSE(dryer::dryerState().pending.hardwareOptions().raised());
    EXPECT_TRUE(ui::isVisible(shell::mainButtonWindow(shell::MainButton::Qs)));

    // QS: the status dialog; its cancel asks the running sequence's question.
    panel_->tap(shell::mainButtonWindow(shell::MainButton::Qs));
    EXPECT_TRUE(dialogShows("AUTO-START RUNNING"));
    pressInDialog(kCancelAutoStart);
    EXPECT_TRUE(dialogShows("An auto-start sequence is running. Cancel it?"));
    pressInDialog(ui::kIdYes);
    takeTrace();
    cycles(3);
    const std::string cancel = takeTrace();
    EXPECT_NE(cancel.find("279+1 hardwareOptions = 80"), std::string::npos) << cancel;
    EXPECT_EQ(dryer::dryerState().status.hardwareOptions().get(), 0x80);
    EXPECT_TRUE(dialogShows("Auto-Start Status Unkown"));
    pressInDialog(1507);
}

// A sequence that starts while the window is open: INITIATE now offers to cancel it.
TEST_F(AutoStartPanel, InitiateWhileASequenceRunsAsksToCancelIt) {
    startWithController();
    cycles(2);
    openConfiguration();
    simulator_->command("autostart");
    cycles(3);
    ASSERT_TRUE(dryer::dryerState().status.hardwareOptions().bit(0));
    panel_->tap(configButton(kInitiate));
    EXPECT_TRUE(dialogShows("An auto-start sequence is running. Cancel it?"));
    pressInDialog(ui::kIdNo);
    EXPECT_TRUE(visible(Screen::AutoStartConfig));
    EXPECT_FALSE(dryer::dryerState().pending.hardwareOptions().raised());
    panel_->tap(configButton(kInitiate));
    pressInDialog(ui::kIdYes);
    takeTrace();
    cycles(3);
    EXPECT_NE(takeTrace().find("279+1 hardwareOptions = 00"), std::string::npos);
    EXPECT_FALSE(dryer::dryerState().status.hardwareOptions().bit(0));
}

}  // namespace
}  // namespace autostarttest
