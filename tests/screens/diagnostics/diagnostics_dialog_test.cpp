// "System Diagnostics - 14" and its three questions, driven by touches in the panel harness.
#include <gtest/gtest.h>

#include "platform/ui/controls.h"
#include "screens/diagnostics/diagnostics.h"
#include "screens/diagnostics/pages.h"
#include "shell/hooks.h"
#include "tests/screens/diagnostics/panel_fixture.h"

namespace diagnostics::testing {
namespace {

constexpr int kStateLine = 1101;
constexpr int kQuestionLine = 1102;

class Diagnostics : public DiagnosticsPanel {
  protected:
    void SetUp() override {
        DiagnosticsPanel::SetUp();
        makeOwner();
    }

    ui::Window open() {
        panel_->post([this] { runDiagnosticsDialog(owner_); });
        return topDialog(i18n::GetString(202));
    }
    // Presses a button of the diagnostics dialog and returns the dialog it opens.
    ui::Window openFrom(ui::Window dialog, int button, int titleString) {
        tapItem(dialog, button);
        return topDialog(i18n::GetString(titleString));
    }
};

TEST_F(Diagnostics, AirSwitchBoxShowsTheTestAndRepairsItWhenTheControllerTakesItBack) {
    auto& state = dryer::dryerState();
    state.status.fanHeaterCountCode().set(1);
    state.status.burnerMode(5).set(0x05);  // fan/heater 1: test off
    state.status.burnerMode(4).set(0x01);
    state.status.meteringRollReverse().set(0x20);
    state.status.burnerMode(0).set(0x03);
    state.edit.burnerMode(0).set(0x13);  // the burner mode dialog's change, not yet confirmed
    state.pending.burnerMode(0).raise();
    const ui::Window dialog = open();
    EXPECT_EQ(state.edit.meteringRollReverse().get(), 0x20);
    EXPECT_EQ(state.edit.burnerMode(0).get(), 0x13) << "a change on its way is kept";
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(ui::isItemChecked(dialog, kAirSwitchBox));
    EXPECT_EQ(ui::itemText(dialog, kAirSwitchBox), "AIR SWITCH TESTING DISABLED");
    EXPECT_EQ(ui::itemText(dialog, kAirSwitchButton), "AIR SWITCH TESTING DISABLED");
    EXPECT_EQ(ui::itemText(dialog, kCheckLightOutputsButton), "CHECK LIGHT OUTPUTS");
    EXPECT_TRUE(dryer::dryerState().hooks.isRegistered(dryer::Window::DiagnosticsDialog));

    // A touch on the box does not change what it shows.
    tapItem(dialog, kAirSwitchBox);
    EXPECT_TRUE(ui::isItemChecked(dialog, kAirSwitchBox));
    for (int i = 1; i < 6; ++i)
        EXPECT_FALSE(state.pending.burnerMode(i).raised());

    receive({{148, 0x08}});  // the controller no longer lets the test stay off
    EXPECT_FALSE(ui::isItemChecked(dialog, kAirSwitchBox));
    EXPECT_EQ(ui::itemText(dialog, kAirSwitchBox), "AIR SWITCH TESTING ENABLED");
    EXPECT_EQ(ui::itemText(dialog, kAirSwitchButton), "AIR SWITCH TESTING ENABLED");
    EXPECT_EQ(state.edit.burnerMode(5).get(), 0x01);
    EXPECT_EQ(state.edit.burnerMode(4).get(), 0x01);
    for (int i = 1; i < 6; ++i)
        EXPECT_EQ(state.pending.burnerMode(i).raised(), i >= 4) << "offset " << 101 + i;
    screenshot("diagnostics-en");

    tapItem(dialog, kExitButton);
    EXPECT_FALSE(ui::isWindow(dialog));
    EXPECT_FALSE(dryer::dryerState().hooks.isRegistered(dryer::Window::DiagnosticsDialog));
}

TEST_F(Diagnostics, EveryButtonOpensItsPageAndTheTextsFollowTheLanguage) {
    int calibrations = 0;
    shell::setDialogOpener(kMoistureCalibrationDialog, [&](ui::Window) { ++calibrations; });
    i18n::SetLanguage(i18n::kGerman);
    const ui::Window dialog = open();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ui::windowText(dialog), "Systemdiagnose - 14");
    EXPECT_EQ(ui::itemText(dialog, kExitButton), "ENDE");
    EXPECT_EQ(ui::itemText(dialog, kAirSwitchBox), "LUFTSCHALTER-PRÜFUNG EIN");
    screenshot("diagnostics-de");

    struct Page {
        int button;
        int title;
        int close;
    };
    const Page pages[] = {
        {kCheckLightOutputsButton, 212, kPageExitButton},
        {kCheckSwitchWiringButton, 213, kPageExitButton},
        {kSetupMeteringRollsButton, 214, kVoltageCancel},
        {kMrSpeedViaScreenButton, 406, ui::kIdNo},
        {kMrSensorShutdownButton, 411, ui::kIdNo},
        {kAirSwitchButton, 416, ui::kIdCancel},
    };
    for (const Page& page : pages) {
        const ui::Window opened = openFrom(dialog, page.button, page.title);
        ASSERT_TRUE(opened) << "button " << page.button;
        screenshot("page-" + std::to_string(page.title) + "-de");
        tapItem(opened, page.close);
        EXPECT_FALSE(ui::isWindow(opened)) << "button " << page.button;
    }

    tapItem(dialog, kCalibrateMoistureButton);
    EXPECT_EQ(calibrations, 1);

    tapItem(dialog, kHelpButton);
    const ui::Window help = topDialog("HILFE DIAGNOSE");
    ASSERT_TRUE(help);
    bool helpShown = false;
    for (const auto& drawn : panel_->texts(help))
        helpShown |= drawn.text.find("LEUCHTAUSGÄNGE PRÜFEN und") != std::string::npos;
    EXPECT_TRUE(helpShown);
    screenshot("diagnostics-help-de");
    tapItem(help, ui::kIdOk);
    EXPECT_FALSE(ui::isWindow(help));
    EXPECT_TRUE(ui::isWindow(dialog));
}

TEST_F(Diagnostics, AirSwitchQuestionTurnsTestingOffOnlyAtTheSecondYes) {
    WireTap wire;
    ASSERT_TRUE(wire.ok());
    dryer::dryerState().status.fanHeaterCountCode().set(1);
    const ui::Window dialog = open();
    const ui::Window question = openFrom(dialog, kAirSwitchButton, 416);
    ASSERT_TRUE(question);
    EXPECT_EQ(ui::itemText(question, kQuestionLine),
              "Turn OFF air switch testing on all fan/heaters?");
    EXPECT_EQ(ui::itemText(question, ui::kIdYes), "Yes");

    tapItem(question, ui::kIdYes);
    EXPECT_TRUE(ui::isWindow(question)) << "the first Yes only asks again";
    EXPECT_EQ(ui::itemText(question, kQuestionLine),
              "Are you sure? Press YES again to turn testing off.");
    screenshot("air-switch-question-armed-en");
    EXPECT_TRUE(wire.exchange().empty());

    tapItem(question, ui::kIdYes);
    EXPECT_FALSE(ui::isWindow(question));
    EXPECT_EQ(describe(wire.exchange()), (std::vector<std::string>{"105=4", "106=4"}));

    // Reported back: the dialog shows the test off; the question now offers it back.
    receive({{105, 4}, {106, 4}});
    EXPECT_TRUE(ui::isItemChecked(dialog, kAirSwitchBox));
    const ui::Window again = openFrom(dialog, kAirSwitchButton, 416);
    EXPECT_EQ(ui::itemText(again, kStateLine), "AIR SWITCH TESTING DISABLED");
    tapItem(again, ui::kIdYes);
    EXPECT_FALSE(ui::isWindow(again));
    EXPECT_EQ(describe(wire.exchange()), (std::vector<std::string>{"105=0", "106=0"}));
}

TEST_F(Diagnostics, AirSwitchQuestionRefusesWhileTheControllerDoesNotAllowIt) {
    dryer::dryerState().status.fanHeaterStatusD(5).set(0x08);
    const ui::Window dialog = open();
    const ui::Window question = openFrom(dialog, kAirSwitchButton, 416);
    ASSERT_TRUE(question);
    EXPECT_EQ(ui::itemText(question, kQuestionLine),
              "The controller does not allow air switch testing to be changed now.");
    EXPECT_FALSE(ui::isEnabled(ui::dialogItem(question, ui::kIdYes)));

    receive({{148, 0x00}});  // allowed again: the open question follows
    EXPECT_TRUE(ui::isEnabled(ui::dialogItem(question, ui::kIdYes)));
    EXPECT_EQ(ui::itemText(question, kQuestionLine),
              "Turn OFF air switch testing on all fan/heaters?");
}

TEST_F(Diagnostics, SpeedAndSensorQuestionsSayHowThingsStandAndYesChangesIt) {
    WireTap wire;
    ASSERT_TRUE(wire.ok());
    auto& state = dryer::dryerState();
    state.status.meteringRollReverse().set(0x81);
    const ui::Window dialog = open();

    ui::Window question = openFrom(dialog, kMrSpeedViaScreenButton, 406);
    EXPECT_EQ(ui::itemText(question, kStateLine),
              "The metering roll speed follows the control panel knob.");
    tapItem(question, ui::kIdYes);
    EXPECT_EQ(state.knobCaptureHold, 1);
    question = openFrom(dialog, kMrSpeedViaScreenButton, 406);
    EXPECT_EQ(ui::itemText(question, kStateLine),
              "The metering roll speed is set from the screen.");
    tapItem(question, ui::kIdNo);
    EXPECT_EQ(state.knobCaptureHold, 1);
    EXPECT_TRUE(wire.exchange().empty()) << "the knob hold is the display's own";

    question = openFrom(dialog, kMrSensorShutdownButton, 411);
    EXPECT_EQ(ui::itemText(question, kStateLine),
              "The metering roll sensor failure shutdown is ON.");
    tapItem(question, ui::kIdCancel);
    EXPECT_TRUE(wire.exchange().empty());
    question = openFrom(dialog, kMrSensorShutdownButton, 411);
    tapItem(question, ui::kIdYes);
    EXPECT_EQ(describe(wire.exchange()), (std::vector<std::string>{"49=161"}));
    // A second Yes before the controller answers asks for the same, not for the undoing.
    question = openFrom(dialog, kMrSensorShutdownButton, 411);
    tapItem(question, ui::kIdYes);
    EXPECT_EQ(describe(wire.exchange()), (std::vector<std::string>{"49=161"}));

    receive({{49, 0xA1}});
    question = openFrom(dialog, kMrSensorShutdownButton, 411);
    EXPECT_EQ(ui::itemText(question, kStateLine),
              "The metering roll sensor failure shutdown is OFF.");
    tapItem(question, ui::kIdYes);
    EXPECT_EQ(describe(wire.exchange()), (std::vector<std::string>{"49=129"}));
}

}  // namespace
}  // namespace diagnostics::testing
