// The metering-roll speed setpoints (high, medium, low) with the speed mode, drawn as bars.
//
// While the dialog is open the display holds the control-panel knob (knobCaptureHold): the
// decoder then leaves the setpoint bytes in edit alone, so the operator's INCREASE, DECREASE and
// SELECT are not overwritten by the next status frame. ACCEPT sends the new knob speeds and the
// four setpoint bytes; CANCEL sends the knob speeds back as the setpoints. Opening and CANCEL
// take the knob speeds through beginEdit: those of an ACCEPT not yet reported back stay.
// Closing gives the knob back as it was.
#include <algorithm>

#include "i18n/language.h"
#include "link/hooks.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/setup/setup_common.h"
#include "screens/setup/setup_dialogs.h"
#include "screens/setup/speed_bars.h"
#include "shell/hooks.h"

namespace setup {
namespace {

using Kind = ui::ControlKind;

enum : int {
    kIncrease = 1047,
    kDecrease = 1046,
    kSelect = 1048,
    kAccept = 1043,
    kCancel = 1044,
    kSpeedMode = 1049,
    kFirstRadio = 1221,
    kSecondRadio = 1222,
    kModeGroup = 1234,
};

constexpr ui::DialogItem kItems[] = {
    {kIncrease, Kind::PushButton, "INCREASE", 226, 6, 124, 30},
    {kDecrease, Kind::PushButton, "DECREASE", 226, 40, 124, 30},
    {kSelect, Kind::PushButton, "SELECT", 226, 74, 124, 24},
    {kSpeedMode, Kind::PushButton, "SPEED MODE", 226, 104, 124, 24, ui::kMultiLine},
    {kModeGroup, Kind::GroupBox, "SPEED MODE", 226, 131, 124, 42},
    {kFirstRadio, Kind::RadioButton, "ON / OFF", 234, 143, 110, 12, ui::kGroup},
    {kSecondRadio, Kind::RadioButton, "TWO SPEED", 234, 157, 110, 12},
    {kAccept, Kind::PushButton, "ACCEPT / EXIT", 226, 178, 124, 21},
    {kCancel, Kind::PushButton, "CANCEL / EXIT", 226, 203, 124, 21},
};

constexpr ui::DialogTemplate kSpeedDialog{
    "MODIFYING METER ROLL SPEED SETPOINTS (Use knob on control panel) - 23", 354, 228, kItems};

std::string trackingQuestion() {
    return i18n::GetStringOr(
               709, "Pressing YES will position the HI setpoint 15% above the center, and") +
           " \t\t\t\t\t\t\t\t\t\t" + i18n::GetStringOr(710, "the LOW 15% below the center.") +
           "\n" +
           i18n::GetStringOr(
               711, "NOTE: THE PRESENT SETTINGS OF THE HI AND LOW SETPOINTS WILL BE LOST!");
}

int speedMode() {
    return state().status.moistureControlMode().get() & 0x07;
}

// Edit bytes 160 to 162 by selection: 2 high, 1 medium, 0 low.
dryer::Field selectedSpeed() {
    const int selection = state().edit.meterRollSpeedSetpoint(0).get() & 0x3F;
    return state().edit.meterRollSpeedSetpoint(3 - std::clamp(selection, 0, 2));
}

// Bit 7 of byte 159 is the controller's: it toggles at each turn of the knob. A selection sent
// back carries it as the controller has it, so that sending is not taken for a turn.
int knobBit() {
    return state().status.at(159) & 0x80;
}

// Tracking as the operator last set it: the edit byte while its change is on its way.
bool trackingOn() {
    auto& s = state();
    const bool changing = s.pending.moistureControlMode().raised();
    return (changing ? s.edit.moistureControlMode() : s.status.moistureControlMode()).bit(5);
}

bool automaticNoteShown() {
    return (state().status.moistureControlMode().get() & 0x07) == 3 &&
           !state().status.operatingModeFlags().bit(1) && state().status.mcByte201().get() == 3;
}

void setText(ui::Window dialog, int id, std::string_view wanted) {
    if (ui::itemText(dialog, id) != wanted) ui::setItemText(dialog, id, wanted);
}

void showModeControls(ui::Window dialog) {
    const int mode = speedMode();
    const bool shown = mode == 1 || mode == 2;
    for (int id : {kSpeedMode, kModeGroup, kFirstRadio, kSecondRadio})
        ui::showItem(dialog, id, shown);
    setText(dialog, kModeGroup, text(352));
    if (mode == 1) {
        const bool oneSpeed = state().status.moistureControlMode().bit(6);
        setText(dialog, kFirstRadio, i18n::GetStringOr(706, "ON / OFF"));
        setText(dialog, kSecondRadio, i18n::GetStringOr(707, "TWO SPEED"));
        setText(dialog, kSpeedMode, text(oneSpeed ? 347 : 354));
        ui::checkItem(dialog, kFirstRadio, oneSpeed);
        ui::checkItem(dialog, kSecondRadio, !oneSpeed);
    } else if (mode == 2) {
        setText(dialog, kFirstRadio, i18n::GetStringOr(14, "ON"));
        setText(dialog, kSecondRadio, i18n::GetStringOr(15, "OFF"));
        setText(dialog, kSpeedMode, i18n::GetStringOr(708, "15% HI/LOW  TRACKING"));
        ui::checkItem(dialog, kFirstRadio, trackingOn());
        ui::checkItem(dialog, kSecondRadio, !trackingOn());
    }
}

void trackCentre() {
    if (speedMode() != 2 || !trackingOn()) return;
    auto& edit = state().edit;
    const int medium = edit.meterRollSpeedSetpoint(2).get();
    edit.meterRollSpeedSetpoint(1).set(std::min(100, medium * 115 / 100));
    edit.meterRollSpeedSetpoint(3).set(medium * 85 / 100);
}

SpeedBarView currentView(ui::Window dialog) {
    const auto& status = state().status;
    const auto& edit = state().edit;
    const int kind = status.moistureControlMode().get() & 0x07;
    SpeedBarView view;
    view.drawing = chooseBarDrawing(kind, status.operatingModeFlags().bit(1),
                                    status.moistureControlMode().bit(6));
    view.values = {edit.meterRollSpeedSetpoint(3).get(), edit.meterRollSpeedSetpoint(2).get(),
                   edit.meterRollSpeedSetpoint(1).get()};
    view.selected = edit.meterRollSpeedSetpoint(0).get() & 0x3F;
    view.inactive = ui::isVisible(ui::dialogItem(dialog, kFirstRadio)) &&
                    ui::isItemChecked(dialog, kFirstRadio);
    view.automaticNote = status.mcByte201().get() == 3;
    if (view.drawing == BarDrawing::Automatic && view.automaticNote) {
        view.values[1] = status.meterRollKnobSpeed(2).get();
    }
    if (status.dryingMode().get() == 1) {
        view.oneBarTitle = text(291);
        view.oneBarTitleX = 168;
    } else if (kind == 4 || kind == 5) {
        view.oneBarTitle = text(464);
        view.oneBarTitleX = 130;
    } else {
        view.oneBarTitle = text(270);
    }
    return view;
}

void paintSpeeds(ui::Window dialog, ui::PaintContext& pc) {
    static constexpr ItemString kStrings[] = {
        {kIncrease, 8}, {kDecrease, 9}, {kSelect, 20}, {kAccept, 4}, {kCancel, 145}};
    setItemStrings(dialog, kStrings);
    const std::string title = text(353);
    if (ui::windowText(dialog) != title) ui::setWindowText(dialog, title);
    showModeControls(dialog);
    trackCentre();
    const bool adjustable = !automaticNoteShown();
    ui::enableItem(dialog, kIncrease, adjustable);
    ui::enableItem(dialog, kDecrease, adjustable);
    ui::enableItem(dialog, kSelect,
                   adjustable && (state().status.moistureControlMode().get() & 0x3F) == 1);
    drawSpeedBars(pc.painter, currentView(dialog));
}

void stepSelected(int delta) {
    dryer::Field speed = selectedSpeed();
    speed.set(std::clamp(speed.get() + delta, 0, 100));
}

void selectSetpoint() {
    auto& s = state();
    int selection = 0;
    if (s.status.operatingModeFlags().bit(1)) {
        selection = 1;
    } else if (s.status.moistureControlMode().bit(6)) {
        selection = 2;
    } else {
        selection = (s.edit.meterRollSpeedSetpoint(0).get() & 0x3F) == 0 ? 2 : 0;
    }
    s.edit.meterRollSpeedSetpoint(0).set(selection | knobBit());
    s.commitEdit(s.pending.meterRollSpeedSetpoint(0));
}

void switchSpeedMode(ui::Window dialog) {
    auto& s = state();
    const int mode = speedMode();
    if (mode != 1 && mode != 2) return;
    const bool tracking = trackingOn();
    s.beginEdit(s.status.moistureControlMode());
    if (mode == 1) {
        s.edit.moistureControlMode().setBit(6, !s.edit.moistureControlMode().bit(6));
    } else if (tracking) {
        s.edit.moistureControlMode().setBit(5, false);
    } else if (ui::messageBox(dialog, trackingQuestion(),
                              i18n::GetStringOr(712, " SWITCH TO +/- 15% TRACKING OF CENTER"),
                              ui::kMbYesNoCancel | ui::kMbIconQuestion) == ui::kIdYes) {
        s.edit.moistureControlMode().setBit(5, true);
    }
    s.commitEdit(s.pending.moistureControlMode());
}

void acceptSpeeds() {
    auto& s = state();
    const auto hold = s.hold();
    if (speedMode() == 2) {
        editBit(s.status.dryingOptions(), s.edit.dryingOptions(), 1, true);
        s.commitEdit(s.pending.dryingOptions());
    }
    for (int i = 1; i <= 3; ++i) {
        const int speed = s.edit.meterRollSpeedSetpoint(i).get();
        if (speed == s.status.meterRollKnobSpeed(i).get()) continue;
        s.edit.meterRollKnobSpeed(i).set(speed);
        s.commitEdit(s.pending.meterRollKnobSpeed(i));
    }
    const int selection = s.edit.meterRollSpeedSetpoint(0).get() & 0x3F;
    s.edit.meterRollSpeedSetpoint(0).set(selection | knobBit());
    s.commitEdit(s.pending.meterRollSpeedSetpoint());
}

// The knob speeds go back as the setpoints: what the operator tried out is dropped, an earlier
// ACCEPT still on its way is not.
void cancelSpeeds() {
    auto& s = state();
    const auto hold = s.hold();
    s.beginEdit(s.status.meterRollKnobSpeed());
    for (int i = 0; i < 4; ++i)
        s.edit.meterRollSpeedSetpoint(i).set(s.edit.meterRollKnobSpeed(i).get());
    s.edit.meterRollSpeedSetpoint(0).set(s.edit.meterRollSpeedSetpoint(0).get() | knobBit());
    s.commitEdit(s.pending.meterRollSpeedSetpoint());
}

void openSpeeds(ui::Window dialog) {
    auto& s = state();
    {
        const auto hold = s.hold();
        const int kind = s.status.moistureControlMode().get() & 0x07;
        // The knob speeds as the controller has them, or as an earlier ACCEPT sends them.
        s.beginEdit(s.status.meterRollKnobSpeed());
        s.edit.meterRollSpeedSetpoint(1).set(s.edit.meterRollKnobSpeed(1).get());
        s.edit.meterRollSpeedSetpoint(2).set(kind == 4 || kind == 5
                                                 ? s.status.statusByte230().get()
                                                 : s.edit.meterRollKnobSpeed(2).get());
        s.edit.meterRollSpeedSetpoint(3).set(s.edit.meterRollKnobSpeed(3).get());
        s.pending.meterRollSpeedSetpoint(0).clear();
        s.commitEdit(s.pending.knobSpeedCopy161());
    }
    ui::centreOnOwner(dialog);
    shell::registerOpenDialog(shell::Dialog::MeterRollSpeed, dialog);
    s.hooks.registerWindow(
        dryer::Window::MeterRollSpeedDialog,
        [dialog](bool erase, const dryer::RepaintArea*) { ui::invalidate(dialog, erase); });
}

void closeSpeeds(ui::Window dialog, int id) {
    state().hooks.unregisterWindow(dryer::Window::MeterRollSpeedDialog);
    shell::unregisterOpenDialog(shell::Dialog::MeterRollSpeed);
    ui::endDialog(dialog, id);
}

bool speedCommand(ui::Window dialog, int id) {
    switch (id) {
        case kIncrease:
        case kDecrease:
            if (!ui::isEnabled(ui::dialogItem(dialog, id))) return true;
            stepSelected(id == kIncrease ? 1 : -1);
            break;
        case kSelect:
            if (ui::isEnabled(ui::dialogItem(dialog, id))) selectSetpoint();
            break;
        case kSpeedMode:
            switchSpeedMode(dialog);
            break;
        case kAccept:
            acceptSpeeds();
            closeSpeeds(dialog, id);
            return true;
        case kCancel:
            cancelSpeeds();
            closeSpeeds(dialog, id);
            return true;
        case kFirstRadio:
        case kSecondRadio:
            break;  // the marks show the controller's mode: the paint puts them back
        default:
            return false;
    }
    ui::invalidate(dialog, true);
    return true;
}

ui::LResult speedProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            openSpeeds(dialog);
            return 1;
        case ui::kPaint:
            paintSpeeds(dialog, ui::paintContext(lp));
            return 1;
        case ui::kCommand:
            return speedCommand(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace

void runMeterRollSpeed(ui::Window owner) {
    auto& s = state();
    const uint8_t heldBefore = s.knobCaptureHold.exchange(1);
    ui::runDialog(kSpeedDialog, owner, speedProc);
    s.knobCaptureHold = heldBefore;
}

}  // namespace setup
