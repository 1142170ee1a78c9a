#include "screens/graphs/data_logger_setup.h"

#include <cstdio>

#include "i18n/language.h"
#include "link/dryer_state.h"
#include "logging/long_term_log.h"
#include "platform/files/files.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "shell/hooks.h"

namespace graphs {
namespace ui = platform::ui;

namespace {

constexpr int kOnButton = 2;
constexpr int kOffButton = 3;
constexpr int kDeleteButton = 4;
constexpr int kSendButton = 5;
constexpr int kOnRadio = 1262;
constexpr int kOffRadio = 1046;
constexpr int kUsedSpaceLabel = 1428;
constexpr int kUsedSpaceValue = 1263;
constexpr int kProgress = 1213;
constexpr int kExit = 1219;

constexpr ui::DialogItem kItems[] = {
    {kOnButton, ui::ControlKind::PushButton, "ON", 10, 8, 60, 20},
    {kOnRadio, ui::ControlKind::RadioButton, "ON", 76, 12, 40, 12, ui::kGroup},
    {kOffButton, ui::ControlKind::PushButton, "OFF", 10, 32, 60, 20},
    {kOffRadio, ui::ControlKind::RadioButton, "OFF", 76, 36, 40, 12},
    {kUsedSpaceLabel, ui::ControlKind::Static, "Used Space:", 124, 10, 62, 12},
    {kUsedSpaceValue, ui::ControlKind::Edit, "", 188, 8, 52, 16},
    {kProgress, ui::ControlKind::Progress, "", 124, 34, 116, 14},
    {kDeleteButton, ui::ControlKind::PushButton, "DELETE DATA LOG FILE", 10, 60, 230, 20},
    {kSendButton, ui::ControlKind::PushButton, "SEND DATA LOG FILES TO USB FLASH CARD", 10, 84, 230,
     20},
    {kExit, ui::ControlKind::PushButton, "EXIT", 85, 112, 80, 20},
};

void paint(ui::Window dialog) {
    ui::setWindowText(dialog, i18n::GetString(376));
    ui::setItemText(dialog, kOffButton, i18n::GetString(15));
    ui::setItemText(dialog, kOffRadio, i18n::GetString(15));
    ui::setItemText(dialog, kOnButton, i18n::GetString(14));
    ui::setItemText(dialog, kOnRadio, i18n::GetString(14));
    ui::setItemText(dialog, kUsedSpaceLabel, i18n::GetString(377));
    ui::setItemText(dialog, kDeleteButton, i18n::GetString(378));
    ui::setItemText(dialog, kSendButton, i18n::GetString(379));
    ui::setItemText(dialog, kExit, i18n::GetString(145));
    const bool on = dryer::dryerState().status.dayDataLoggerSetup().get() == 1;
    ui::checkItem(dialog, kOnRadio, on);
    ui::checkItem(dialog, kOffRadio, !on);
    const int level = logging::LongTermLogFillPercent;
    char text[16];
    std::snprintf(text, sizeof text, "%d %%", level);
    ui::setItemText(dialog, kUsedSpaceValue, text);
    ui::progressSetPos(ui::dialogItem(dialog, kProgress), level);
}

void switchLogger(ui::Window dialog, bool on) {
    ui::checkItem(dialog, kOnRadio, on);
    ui::checkItem(dialog, kOffRadio, !on);
    auto& state = dryer::dryerState();
    state.edit.dayDataLoggerSetup().set(on ? 1 : 0);
    state.commitEdit(state.pending.dayDataLoggerSetup());
}

void deleteLog(ui::Window dialog) {
    platform::deleteFile(logging::kLongTermLogPath);
    ui::invalidate(dialog, true);
}

bool usbDrivePresent() {
    const auto drive = platform::fileInfo(kUsbDrive);
    return drive && drive->isFolder;
}

std::string copyQuestion(const std::string& fileName) {
    return i18n::fillPlaceholders(
        i18n::GetStringOr(615, "Copy dryer data log file to usb flash drive as %s"), "%s",
        {fileName});
}

void sendToUsb(ui::Window dialog) {
    while (!usbDrivePresent()) {
        if (ui::messageBox(dialog,
                           i18n::GetStringOr(613, "Please instert flash card into USB port."),
                           i18n::GetStringOr(614, "USB FLASH CARD NOT PRESENT"),
                           ui::kMbRetryCancel | ui::kMbIconStop) != ui::kIdRetry) {
            return;
        }
    }
    // The name is fixed before the question, so the file copied is the one it names.
    const std::string name = exportFileName(platform::localNow());
    if (ui::messageBox(dialog, copyQuestion(name),
                       i18n::GetStringOr(616, "DATA LOG FILE TO USB FLASH CARD"),
                       ui::kMbYesNoCancel | ui::kMbIconInformation) != ui::kIdYes) {
        return;
    }
    if (!copyLongTermLogToDrive(name)) {
        ui::messageBox(dialog, i18n::GetStringOr(617, "Could not copy file to flashdrive."),
                       i18n::GetStringOr(618, "FAILED TO COPY"), ui::kMbOk | ui::kMbIconStop);
        return;
    }
    ui::messageBox(dialog, name,
                   i18n::GetStringOr(619, "Successfully copied following file to USB Flash Drive."),
                   ui::kMbOk);
    if (ui::messageBox(
            dialog, i18n::GetStringOr(620, "Copy successful.  Delete old data log file?"),
            i18n::GetStringOr(621, "DELETE?"), ui::kMbYesNo | ui::kMbIconQuestion) == ui::kIdYes) {
        deleteLog(dialog);
    }
}

ui::LResult dataLoggerProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog: {
            const ui::Window progress = ui::dialogItem(dialog, kProgress);
            ui::progressSetRange(progress, 0, 100);
            ui::progressSetStep(progress, 1);
            ui::progressSetPos(progress, 0);
            shell::registerOpenDialog(shell::Dialog::DataLogSetup, dialog);
            auto& state = dryer::dryerState();
            state.beginEdit(state.status.dayDataLoggerSetup());
            ui::centreOnOwner(dialog, 20);
            paint(dialog);
            return 1;
        }
        case ui::kPaint:
            paint(dialog);
            return 0;
        case ui::kCommand:
            switch (ui::commandId(wp)) {
                case kOnButton:
                    switchLogger(dialog, true);
                    break;
                case kOffButton:
                    switchLogger(dialog, false);
                    break;
                case kDeleteButton:
                    if (ui::messageBox(dialog, i18n::GetStringOr(622, "Delete data log file?"),
                                       i18n::GetStringOr(621, "DELETE?"),
                                       ui::kMbYesNo | ui::kMbIconQuestion) == ui::kIdYes) {
                        deleteLog(dialog);
                    }
                    break;
                case kSendButton:
                    sendToUsb(dialog);
                    break;
                case kExit:
                    ui::endDialog(dialog, kExit);
                    break;
                default:
                    return 0;
            }
            return 1;
        default:
            return 0;
    }
}

}  // namespace

std::string exportFileName(const platform::LocalTime& now) {
    return "LongTermDataLog" + platform::formatPicture(now, "yy'_'MM'_'dd'_'") +
           platform::formatPicture(now, "HH'_'mm'_'ss") + ".CSV";
}

bool copyLongTermLogToDrive(const std::string& fileName) {
    const std::string target = std::string(kUsbDrive) + "\\" + fileName;
    if (platform::fileInfo(target)) return false;
    if (!platform::copyFile(logging::kLongTermLogPath, target, true)) {
        // Half a copy must not pass for the log, nor block the next try under this name.
        platform::deleteFile(target);
        return false;
    }
    return platform::syncFolder(kUsbDrive);
}

void runDataLoggerSetupDialog(ui::Window owner) {
    static constexpr ui::DialogTemplate kDialog{"DAY DATA LOGGER SETUP - 19", 250, 140, kItems};
    ui::runDialog(kDialog, owner, dataLoggerProc);
    shell::unregisterOpenDialog(shell::Dialog::DataLogSetup);
}

}  // namespace graphs
