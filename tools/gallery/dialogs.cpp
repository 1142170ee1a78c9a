// The gallery's template dialog (a temperature keypad) and its message box samples.
#include <cstdio>

#include "gallery.h"
#include "platform/ui/dialog.h"

namespace gallery {
namespace {

using ui::ControlKind;

constexpr int kAccept = 1013;
constexpr int kCancel = 1001;
constexpr int kDelete = 1006;
constexpr int kClear = 1015;
constexpr int kDefault = 1014;
constexpr int kDigitIds[] = {1002, 1003, 1007, 1008, 1004, 1009, 1011, 1005, 1010, 1012};

constexpr ui::DialogItem kKeypadItems[] = {
    {1003, ControlKind::PushButton, "1", 10, 70, 40, 26},
    {1007, ControlKind::PushButton, "2", 54, 70, 40, 26},
    {1008, ControlKind::PushButton, "3", 98, 70, 40, 26},
    {1004, ControlKind::PushButton, "4", 10, 100, 40, 26},
    {1009, ControlKind::PushButton, "5", 54, 100, 40, 26},
    {1011, ControlKind::PushButton, "6", 98, 100, 40, 26},
    {1005, ControlKind::PushButton, "7", 10, 130, 40, 26},
    {1010, ControlKind::PushButton, "8", 54, 130, 40, 26},
    {1012, ControlKind::PushButton, "9", 98, 130, 40, 26},
    {1002, ControlKind::PushButton, "0", 54, 160, 40, 26},
    {kDelete, ControlKind::PushButton, "DELETE", 10, 160, 40, 26},
    {kClear, ControlKind::PushButton, "CLEAR", 98, 160, 40, 26},
    {kDefault, ControlKind::PushButton, "DEFAULT", 160, 70, 70, 26},
    {kAccept, ControlKind::PushButton, "ACCEPT", 160, 130, 70, 26},
    {kCancel, ControlKind::PushButton, "CANCEL", 160, 160, 70, 26},
    {1100, ControlKind::GroupBox, "LIMITS", 160, 4, 70, 58},
    {1101, ControlKind::Static, "Low: 50", 166, 18, 60, 10},
    {1102, ControlKind::Static, "High: 250", 166, 30, 60, 10},
    {1103, ControlKind::Static, "Default: 180", 166, 42, 62, 10},
};
constexpr ui::DialogTemplate kKeypad{"Modifying Temperature Setpoint - 22", 240, 192, kKeypadItems};

int gValue = 180;

ui::Rect valueRect() {
    return ui::dialogUnitsToPixels({10, 8, 138, 58});
}

ui::LResult keypadProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            for (int id : kDigitIds)
                ui::setWindowFont(ui::dialogItem(dialog, id), gfx::font(24, 700));
            ui::centreOnOwner(dialog);
            return 1;
        case ui::kPaint: {
            gfx::Painter& p = ui::paintContext(lp).painter;
            char text[32];
            std::snprintf(text, sizeof text, " %03d \u00B0F ", gValue);
            p.fillRect(valueRect(), gfx::colors::kBlack);
            p.drawText(
                text, valueRect(), gfx::font(56, 900),
                {gfx::rgb(50, 0, 250), gfx::kAlignRight | gfx::kAlignVCenter | gfx::kSingleLine,
                 gfx::colors::kBlack});
            return 1;
        }
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            for (int d = 0; d < 10; ++d) {
                if (id == kDigitIds[d]) gValue = gValue < 100 ? gValue * 10 + d : d;
            }
            if (id == kDelete) gValue /= 10;
            if (id == kClear) gValue = 0;
            if (id == kDefault) gValue = 180;
            if (id == kAccept || id == kCancel) ui::endDialog(dialog, id);
            ui::invalidateRect(dialog, valueRect(), false);
            return 1;
        }
        default:
            return 0;
    }
}

}  // namespace

int openKeypadDialog(ui::Window owner) {
    return ui::runDialog(kKeypad, owner, keypadProc);
}

const std::vector<BoxKind>& messageBoxKinds() {
    static const std::vector<BoxKind> kinds = {
        {"INFORMATION", "DATA LOG FILE TO USB FLASH CARD",
         "Copy dryer data log file to usb flash drive as DryerDataLog.csv",
         ui::kMbOk | ui::kMbIconInformation},
        {"QUESTION", "DELETE?", "Copy successful.  Delete old data log file?",
         ui::kMbYesNo | ui::kMbIconQuestion},
        {"EXCLAMATION", "MOISTURE CONTROL LEARNING PERIOD STILL ACTIVE",
         "The Moisture Control learning period has not expired.  Modifying the MC Setpoint is not "
         "recommended until the learning period is complete.  Do wish to modify the moisture "
         "control setpoint?",
         ui::kMbYesNoCancel | ui::kMbIconExclamation},
        {"STOP", "USB FLASH CARD NOT PRESENT", "Please instert flash card into USB port.",
         ui::kMbRetryCancel | ui::kMbIconStop},
        {"OK / CANCEL", "SHUTDOWN HISTORY",
         "No shutdown is selected.\n\nSelect a row:\tthen press\n"
         "\tShow Help File.",
         ui::kMbOkCancel},
    };
    return kinds;
}

int openMessageBox(ui::Window owner, const BoxKind& kind) {
    return ui::messageBox(owner, kind.text, kind.caption, kind.flags);
}

}  // namespace gallery
