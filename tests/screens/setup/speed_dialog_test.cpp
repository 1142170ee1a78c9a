// The metering-roll speed dialog: stepping, tracking, the speed mode, auto-repeat, the knob
// while it is open, and what ACCEPT and CANCEL send.
#include "link/controller_link.h"
#include "platform/ui/display.h"
#include "screens/setup/setup_fixture.h"

namespace setuptest {
namespace {

constexpr int kIncrease = 1047;
constexpr int kDecrease = 1046;
constexpr int kSelect = 1048;
constexpr int kAccept = 1043;
constexpr int kCancel = 1044;
constexpr int kSpeedMode = 1049;

class SpeedDialog : public SetupScreens {
  protected:
    // The controller's knob: selection, high, medium, low; and the moisture-control mode.
    ui::Window open(uint8_t mode, std::array<uint8_t, 4> knob = {1, 80, 50, 20}) {
        controllerSets(
            {{187, mode}, {155, knob[0]}, {156, knob[1]}, {157, knob[2]}, {158, knob[3]}});
        state().edit.meterRollSpeedSetpoint(0).set(knob[0]);
        start();
        openByTemplate(shell::kMeterRollSpeedDialog);
        return topDialog();
    }
    int speed(int element) { return state().edit.meterRollSpeedSetpoint(element).get(); }
};

TEST_F(SpeedDialog, TrackingPlacesHighAndLowAroundTheCentre) {
    const ui::Window dialog = open(0x22, {1, 60, 90, 30});  // high/low tracking, on
    ASSERT_TRUE(dialog);
    EXPECT_EQ(speed(1), 100);  // 103 capped
    EXPECT_EQ(speed(3), 76);
    EXPECT_TRUE(ui::isItemChecked(dialog, 1221));
    EXPECT_TRUE(drawn("15% HI/LOW  TRACKING"));
    screenshot("speed_three_bars_tracking");
    press(dialog, kAccept);
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(156), (std::vector<uint8_t>{100}));
    EXPECT_EQ(wire.at(158), (std::vector<uint8_t>{76}));
    EXPECT_FALSE(wire.contains(157));
    EXPECT_EQ(wire.at(224), (std::vector<uint8_t>{0x02}));
    EXPECT_EQ(state().knobCaptureHold, 0);
}

TEST_F(SpeedDialog, StepsStopAtTheEndsOfTheScale) {
    const ui::Window dialog = open(0x01, {2, 100, 50, 0});  // on/off, high selected
    press(dialog, kIncrease);
    EXPECT_EQ(speed(1), 100);
    press(dialog, kDecrease);
    EXPECT_EQ(speed(1), 99);
    press(dialog, kSelect);  // two speeds: high to low
    EXPECT_EQ(speed(0), 0);
    press(dialog, kDecrease);
    EXPECT_EQ(speed(3), 0);
    press(dialog, kSelect);
    EXPECT_EQ(speed(0), 2);
    press(dialog, kAccept);
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(156), (std::vector<uint8_t>{99}));
    EXPECT_EQ(wire.at(159), (std::vector<uint8_t>{2}));  // the selection
    EXPECT_FALSE(wire.contains(158));
}

TEST_F(SpeedDialog, SelectFollowsTheControllersMode) {
    controllerSets({{179, 0x02}});  // manual: the medium speed
    const ui::Window dialog = open(0x41);
    press(dialog, kSelect);
    EXPECT_EQ(speed(0), 1);
    controllerSets({{179, 0x00}});  // one speed: the high one
    press(dialog, kSelect);
    EXPECT_EQ(speed(0), 2);
    press(dialog, kCancel);
}

TEST_F(SpeedDialog, HeldIncreaseRepeatsAfterHalfASecond) {
    const ui::Window dialog = open(0x03, {1, 80, 50, 20});
    hold(dialog, kIncrease, 400);
    EXPECT_EQ(speed(2), 51);  // the press itself
    panel_->advance(300);
    hold(dialog, kIncrease, 1000);
    // Five steps in the second half second, and the press.
    EXPECT_EQ(speed(2), 57);
    press(dialog, kAccept);
    EXPECT_EQ(onWire().at(157), (std::vector<uint8_t>{57}));
}

TEST_F(SpeedDialog, StatusFramesWhileOpenLeaveTheOperatorsSpeeds) {
    const ui::Window dialog = open(0x03);
    press(dialog, kIncrease);
    EXPECT_EQ(state().knobCaptureHold, 1);
    receive({{159, 1}, {160, 80}, {161, 50}, {162, 20}});
    EXPECT_EQ(speed(2), 51);
    press(dialog, kAccept);
    EXPECT_EQ(state().knobCaptureHold, 0);
    // The setpoints go out as a whole until the controller reports them.
    const auto sent = records();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(sent.back().address, 159);
    EXPECT_EQ(sent.back().bytes, (std::vector<uint8_t>{1, 80, 51, 20}));
}

// The message loop opens the dialog on the decoder's request (tested with the shell).
TEST_F(SpeedDialog, KnobTurnedWhileOpenDoesNotAskForTheDialogAgainAfterItCloses) {
    const ui::Window dialog = open(0x03);
    receive({{159, 0x81}});  // the knob turns while the dialog holds it
    press(dialog, kAccept);
    ASSERT_FALSE(topDialog());
    receive({{159, 0x81}});
    receive({{159, 0x81}});
    EXPECT_EQ(state().knobSpeedChangeRequest.exchange(0), 0) << "no turn since it closed";
    receive({{159, 0x01}});
    EXPECT_EQ(state().knobSpeedChangeRequest.exchange(0), 1) << "a turn now asks for it";
}

TEST_F(SpeedDialog, CancelSendsTheControllersOwnSpeedsBack) {
    state().knobCaptureHold = 1;    // held by the operator before: stays held afterwards
    controllerSets({{159, 0x80}});  // the knob has turned an odd number of times
    const ui::Window dialog = open(0x03, {1, 80, 50, 20});
    press(dialog, kIncrease);
    press(dialog, kCancel);
    const auto sent = records();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].address, 161);  // the opening's report
    EXPECT_EQ(sent[1].address, 159);
    EXPECT_EQ(sent[1].bytes, (std::vector<uint8_t>{0x81, 80, 50, 20}));
    EXPECT_EQ(state().knobCaptureHold, 1);
}

// Opened again before the controller reports the accepted speeds: the dialog starts from them,
// and CANCEL leaves them on their way rather than sending the controller's old speeds back.
TEST_F(SpeedDialog, ReopenedBeforeTheEchoKeepsTheAcceptedSpeedsOnTheirWay) {
    ui::Window dialog = open(0x03, {1, 80, 50, 20});
    press(dialog, kIncrease);
    press(dialog, kAccept);
    openByTemplate(shell::kMeterRollSpeedDialog);
    dialog = topDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(speed(2), 51);
    press(dialog, kCancel);
    EXPECT_TRUE(state().pending.meterRollKnobSpeed(2).raised());
    const auto sent = records();
    ASSERT_FALSE(sent.empty());
    EXPECT_EQ(onWire().at(157), (std::vector<uint8_t>{51}));
    EXPECT_EQ(sent.back().address, 159);
    EXPECT_EQ(sent.back().bytes, (std::vector<uint8_t>{1, 80, 51, 20}));

    // Once the controller reports them they are its own speeds.
    receive({{157, 51}, {159, 1}, {160, 80}, {161, 51}, {162, 20}});
    EXPECT_TRUE(records().empty());
    openByTemplate(shell::kMeterRollSpeedDialog);
    EXPECT_EQ(speed(2), 51);
    press(topDialog(), kCancel);
    EXPECT_EQ(records().back().bytes, (std::vector<uint8_t>{1, 80, 51, 20}));
}

TEST_F(SpeedDialog, SpeedModeButtonSwitchesSpeedsOrTracking) {
    ui::Window dialog = open(0x01);
    EXPECT_TRUE(ui::isItemChecked(dialog, 1222));  // two speeds
    screenshot("speed_two_bars");
    press(dialog, kSpeedMode);
    EXPECT_EQ(onWire().at(187), (std::vector<uint8_t>{0x41}));
    press(dialog, kCancel);

    controllerSets({{187, 0x02}});                  // tracking off: asked first
    state().pending.moistureControlMode().clear();  // the earlier switch was answered
    openByTemplate(shell::kMeterRollSpeedDialog);
    dialog = topDialog();
    press(dialog, kSpeedMode);
    ASSERT_NE(topDialog(), dialog);
    screenshot("tracking_question");
    press(topDialog(), ui::kIdYes);
    EXPECT_TRUE(ui::isItemChecked(dialog, 1221));
    EXPECT_EQ(onWire().at(187), (std::vector<uint8_t>{0x22}));
    press(dialog, kCancel);
}

TEST_F(SpeedDialog, AutomaticModeShowsTheControllersSpeedAndTakesNoSteps) {
    controllerSets({{201, 3}});
    const ui::Window dialog = open(0x03, {1, 80, 64, 20});
    EXPECT_TRUE(drawn("entered automatic mode."));
    EXPECT_TRUE(drawn("640"));
    EXPECT_FALSE(ui::isEnabled(ui::dialogItem(dialog, kIncrease)));
    screenshot("speed_automatic");
    press(dialog, kAccept);
}

TEST_F(SpeedDialog, DefaultsNoticeHoldsTheDefaultsEventBackWhileOpen) {
    start();
    openByTemplate(shell::kDefaultsNoticeDialog);
    const ui::Window notice = topDialog();
    ASSERT_TRUE(notice);
    EXPECT_TRUE(state().pending.defaultsNoticeShowing().raised());
    screenshot("defaults_notice");
    press(notice, 1101);
    EXPECT_FALSE(state().pending.defaultsNoticeShowing().raised());
    EXPECT_TRUE(onWire().empty());
}

}  // namespace
}  // namespace setuptest
