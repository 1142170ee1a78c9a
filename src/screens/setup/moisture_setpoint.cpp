// The moisture setpoint dialog and its decimal keypad. The pair edits either the moisture
// setpoint or the auto-start's average incoming moisture, as the opener chose.
#include <algorithm>
#include <array>
#include <cstdio>

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/setup/decimal_entry.h"
#include "screens/setup/setup.h"
#include "screens/setup/setup_common.h"
#include "screens/setup/setup_dialogs.h"

namespace setup {

void DecimalEntry::digit(int d) {
    const int base = started_ ? value_ : 0;
    started_ = true;
    value_ = base;
    if (base * 10 + d <= kMaximum) value_ = base * 10 + d;
}

void DecimalEntry::erase() {
    value_ = started_ ? value_ / 10 : 0;
    started_ = true;
}

namespace {

using Kind = ui::ControlKind;

int gTarget = kMoistureSetpointTarget;
constexpr int kScreenWidth = 640;

// ---- decimal keypad ----------------------------------------------------------------------------

enum : int {
    kDelete = 1167,
    kKeypadAccept = 1168,
    kKeypadCancel = 1169,
};

// Digit ids, by digit.
constexpr std::array<int, 10> kDigits = {1166, 1163, 1164, 1165, 1160,
                                         1161, 1162, 1157, 1158, 1159};

constexpr ui::DialogItem key(int id, std::string_view label, int column, int row) {
    return {id, Kind::PushButton, label, 6 + column * 44, 6 + row * 32, 40, 28};
}

constexpr ui::DialogItem kKeypadItems[] = {
    key(1157, "7", 0, 0),
    key(1158, "8", 1, 0),
    key(1159, "9", 2, 0),
    key(1160, "4", 0, 1),
    key(1161, "5", 1, 1),
    key(1162, "6", 2, 1),
    key(1163, "1", 0, 2),
    key(1164, "2", 1, 2),
    key(1165, "3", 2, 2),
    // A wide 0 as on a calculator; ACCEPT shares the bottom row with CANCEL, which gives its
    // label (ÜBERNEHMEN and the like) the room a digit key lacks.
    {1166, Kind::PushButton, "0", 6, 6 + 3 * 32, 84, 28},
    key(kDelete, "DELETE", 2, 3),
    {kKeypadAccept, Kind::PushButton, "ACCEPT", 6, 134, 62, 22},
    {kKeypadCancel, Kind::PushButton, "CANCEL", 72, 134, 62, 22},
};

constexpr ui::DialogTemplate kKeypadDialog{"MODIFY M/C SETPOINT", 140, 162, kKeypadItems};

constexpr int kSetpointEdit = 1146;

struct KeypadRun {
    DecimalEntry entry;
    ui::Window setpointDialog;
};

KeypadRun* gKeypad = nullptr;

void showEntry(const KeypadRun& run) {
    char shown[24];
    std::snprintf(shown, sizeof shown, "%02d.%01d %%", run.entry.value() / 10,
                  run.entry.value() % 10);
    ui::setItemText(run.setpointDialog, kSetpointEdit, shown);
}

void storeEntry(int value) {
    auto& edit = state().edit;
    if (gTarget == kAverageIncomingTarget) {
        edit.averageIncomingMoisture().set(value);
    } else {
        edit.moistureSetpoint().set(value);
    }
}

int digitOf(int id) {
    for (int d = 0; d < 10; ++d) {
        if (kDigits[d] == id) return d;
    }
    return -1;
}

bool keypadCommand(ui::Window keypad, int id) {
    KeypadRun& run = *gKeypad;
    if (const int d = digitOf(id); d >= 0) {
        run.entry.digit(d);
    } else if (id == kDelete) {
        run.entry.erase();
    } else if (id == kKeypadAccept) {
        if (run.entry.started()) storeEntry(run.entry.value());
        ui::endDialog(keypad, run.entry.started() ? id : kKeypadCancel);
        return true;
    } else if (id == kKeypadCancel) {
        ui::endDialog(keypad, id);
        return true;
    } else {
        return false;
    }
    showEntry(run);
    return true;
}

ui::LResult keypadProc(ui::Window keypad, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog: {
            const gfx::Rect r = ui::windowRect(keypad);
            ui::moveWindow(keypad, {0, 0, r.width(), r.height()});
            static constexpr ItemString kStrings[] = {
                {kDelete, 141}, {kKeypadAccept, 4}, {kKeypadCancel, 10}};
            setItemStrings(keypad, kStrings);
            for (int id : {kDelete, kKeypadAccept, kKeypadCancel})
                fitItemText(keypad, id, kButtonPadding);
            ui::setWindowText(keypad, text(144));
            return 1;
        }
        case ui::kCommand:
            return keypadCommand(keypad, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

// True when ACCEPT stored a typed value in edit.
bool runDecimalKeypad(ui::Window setpointDialog) {
    KeypadRun run{DecimalEntry{}, setpointDialog};
    gKeypad = &run;
    const int closedBy = ui::runDialog(kKeypadDialog, setpointDialog, keypadProc);
    gKeypad = nullptr;
    return closedBy == kKeypadAccept;
}

// ---- moisture setpoint -------------------------------------------------------------------------

enum : int {
    kModify = 1157,
    kExit = 1045,
};

constexpr ui::DialogItem kSetpointItems[] = {
    {kSetpointEdit, Kind::Edit, "", 10, 8, 140, 22, ui::kTextCenter},
    {kModify, Kind::PushButton, "MODIFY SETPOINT", 8, 40, 92, 26},
    {kExit, Kind::PushButton, "EXIT", 106, 40, 46, 26},
};

constexpr ui::DialogTemplate kSetpointDialog{" MOISTURE SETPOINT - 26", 160, 74, kSetpointItems};

int shownSetpoint() {
    const auto& status = state().status;
    return gTarget == kAverageIncomingTarget ? status.averageIncomingMoisture().get()
                                             : status.moistureSetpoint().get();
}

void showSetpoint(ui::Window dialog) {
    static constexpr ItemString kStrings[] = {{kModify, 144}, {kExit, 145}};
    setItemStrings(dialog, kStrings);
    const std::string title = text(143);
    if (ui::windowText(dialog) != title) ui::setWindowText(dialog, title);
    if (gKeypad != nullptr) return;  // the box shows what is being typed
    char shown[24];
    const int value = shownSetpoint();
    std::snprintf(shown, sizeof shown, "%d.%01d %%", value / 10, value % 10);
    if (ui::itemText(dialog, kSetpointEdit) != shown) ui::setItemText(dialog, kSetpointEdit, shown);
}

void modifySetpoint(ui::Window dialog) {
    if (!runDecimalKeypad(dialog)) {
        showSetpoint(dialog);
        return;
    }
    auto& s = state();
    s.commitEdit(gTarget == kAverageIncomingTarget ? s.pending.averageIncomingMoisture()
                                                   : s.pending.moistureSetpoint());
}

void openSetpoint(ui::Window dialog) {
    auto& s = state();
    s.edit.mcByte201().set(s.status.mcByte201().get());
    ui::centreOnOwner(dialog);
    // 200 pixels to the right of the centre, but never off the screen.
    const gfx::Rect r = ui::windowRect(dialog);
    const int left = std::min(r.left + 200, kScreenWidth - r.width());
    ui::moveWindow(dialog, {left, r.top, left + r.width(), r.bottom});
    ui::setWindowFont(ui::dialogItem(dialog, kSetpointEdit), gfx::font(20, 700));
    showSetpoint(dialog);
    s.hooks.registerWindow(
        dryer::Window::MoistureSetpointDialog,
        [dialog](bool erase, const dryer::RepaintArea*) { ui::invalidate(dialog, erase); });
}

ui::LResult setpointProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            openSetpoint(dialog);
            return 1;
        case ui::kPaint:
            showSetpoint(dialog);
            return 0;
        case ui::kCommand:
            if (ui::commandId(wp) == kModify) {
                modifySetpoint(dialog);
                return 1;
            }
            if (ui::commandId(wp) != kExit) return 0;
            state().hooks.unregisterWindow(dryer::Window::MoistureSetpointDialog);
            ui::endDialog(dialog, kExit);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

void setMoistureKeypadTarget(int target) {
    gTarget = target == kAverageIncomingTarget ? kAverageIncomingTarget : kMoistureSetpointTarget;
}

void runMoistureSetpoint(ui::Window owner) {
    ui::runDialog(kSetpointDialog, owner, setpointProc);
    gTarget = kMoistureSetpointTarget;
}

}  // namespace setup
