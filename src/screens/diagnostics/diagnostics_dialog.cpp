// "System Diagnostics - 14": the air-switch test state and the doors to the service pages.
#include "i18n/language.h"
#include "link/dryer_state.h"
#include "screens/diagnostics/air_switch.h"
#include "screens/diagnostics/diagnostics.h"
#include "screens/diagnostics/pages.h"
#include "shell/hooks.h"

namespace diagnostics {
namespace {

namespace ui = platform::ui;
using ui::ControlKind;

constexpr uint32_t kWrap = ui::kMultiLine;
constexpr int kAirSwitchGroup = 1050;

constexpr ui::DialogItem kItems[] = {
    {kAirSwitchGroup, ControlKind::GroupBox, "AIR SWITCH TESTING", 7, 3, 296, 47},
    {kAirSwitchBox, ControlKind::CheckBox, "AIR SWITCH TESTING ENABLED", 15, 20, 138, 24, kWrap},
    {kAirSwitchButton, ControlKind::PushButton, "DISABLE TESTING", 160, 16, 136, 29, kWrap},
    {kCheckLightOutputsButton, ControlKind::PushButton, "CHECK LIGHT OUTPUTS", 7, 57, 144, 32,
     kWrap},
    {kCheckSwitchWiringButton, ControlKind::PushButton, "CHECK SWITCH WIRING", 159, 57, 144, 32,
     kWrap},
    {kSetupMeteringRollsButton, ControlKind::PushButton, "SETUP METERING ROLLS", 7, 95, 144, 32,
     kWrap},
    {kMrSpeedViaScreenButton, ControlKind::PushButton, "SET MR SPEED VIA SCREEN", 159, 95, 144, 32,
     kWrap},
    {kMrSensorShutdownButton, ControlKind::PushButton, "MR SENSOR FAILURE SHUTDOWN", 7, 133, 144,
     32, kWrap},
    {kCalibrateMoistureButton, ControlKind::PushButton, "CALIBRATE MOISTURE SENSORS", 159, 133, 144,
     32, kWrap},
    {kHelpButton, ControlKind::PushButton, "HELP", 7, 173, 72, 24},
    {kExitButton, ControlKind::PushButton, "EXIT", 231, 173, 72, 24},
};

constexpr ui::DialogTemplate kTemplate{"System Diagnostics - 14", 310, 202, kItems};

struct Label {
    int id;
    int string;
};
constexpr Label kLabels[] = {
    {kCheckLightOutputsButton, 205},
    {kCheckSwitchWiringButton, 206},
    {kSetupMeteringRollsButton, 203},
    {kMrSpeedViaScreenButton, 209},
    {kMrSensorShutdownButton, 210},
    {kCalibrateMoistureButton, 211},
    {kHelpButton, 3},
    {kExitButton, 145},
};

constexpr int kTitleString = 202;
constexpr int kGroupString = 416;
constexpr int kTestingEnabledString = 207;
constexpr int kTestingDisabledString = 208;
constexpr int kHelpCaptionString = 390;

void copyToEdit() {
    auto& state = dryer::dryerState();
    state.beginEdit(state.status.meteringRollReverse());
    state.beginEdit(state.status.burnerMode());
}

// The box mirrors the controller; when the controller has taken the test back while some
// fan/heater still has it off, the installed ones are switched on again.
void refreshAirSwitch(ui::Window dialog) {
    auto& state = dryer::dryerState();
    const AirSwitchBox box = airSwitchBox(state);
    if (box == AirSwitchBox::Repair) enableAirSwitchTesting(state);
    const bool off = box == AirSwitchBox::Disabled;
    ui::checkItem(dialog, kAirSwitchBox, off);
    const int text = off ? kTestingDisabledString : kTestingEnabledString;
    setItemString(dialog, kAirSwitchBox, text);
    setItemString(dialog, kAirSwitchButton, text);
}

void refreshTexts(ui::Window dialog) {
    setTitleString(dialog, kTitleString);
    setItemString(dialog, kAirSwitchGroup, kGroupString);
    for (const Label& label : kLabels) {
        setItemString(dialog, label.id, label.string);
    }
    refreshAirSwitch(dialog);
}

void openMoistureCalibration(ui::Window dialog) {
    if (const shell::DialogOpener* opener = shell::dialogOpener(kMoistureCalibrationDialog)) {
        (*opener)(dialog);
        return;
    }
    ui::messageBox(dialog, i18n::GetStringOr(604, "This function is not part of this build yet."),
                   i18n::GetStringOr(603, "NOT AVAILABLE"), ui::kMbOk | ui::kMbIconInformation);
}

void command(ui::Window dialog, int id) {
    switch (id) {
        case kExitButton:
            ui::endDialog(dialog, kExitButton);
            return;
        case kSetupMeteringRollsButton:
            runVoltageSetupDialog(dialog);
            break;
        case kAirSwitchButton:
            runQuestionDialog(Question::AirSwitch, dialog);
            break;
        case kCheckLightOutputsButton:
            runLightOutputsDialog(dialog);
            break;
        case kCheckSwitchWiringButton:
            runSwitchTestDialog(dialog);
            break;
        case kMrSpeedViaScreenButton:
            runQuestionDialog(Question::MrSpeedViaScreen, dialog);
            break;
        case kMrSensorShutdownButton:
            runQuestionDialog(Question::MrSensorShutdown, dialog);
            break;
        case kCalibrateMoistureButton:
            openMoistureCalibration(dialog);
            break;
        case kHelpButton:
            showHelpFile(dialog, "DiagnosticScreenHelp.txt", kHelpCaptionString);
            break;
        default:
            break;  // the box only shows the state: a touch on it is undone below
    }
    ui::invalidate(dialog, true);
}

ui::LResult diagnosticsProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            copyToEdit();
            registerRepaint(dryer::Window::DiagnosticsDialog, dialog);
            centreOverOwner(dialog);
            refreshTexts(dialog);
            return 1;
        case ui::kPaint:
            refreshTexts(dialog);
            return 0;
        case ui::kCommand:
            command(dialog, ui::commandId(wp));
            return 1;
        default:
            return 0;
    }
}

}  // namespace

void runDiagnosticsDialog(ui::Window owner) {
    ui::runDialog(kTemplate, owner, diagnosticsProc);
    unregisterRepaint(dryer::Window::DiagnosticsDialog);
}

}  // namespace diagnostics
