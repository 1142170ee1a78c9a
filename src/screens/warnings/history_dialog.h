#pragma once
// The shutdown history dialog (template 197): the recorded shutdowns in a list sorted three
// ways, the help of a recorded shutdown, the copy to the USB drive, and clearing the history
// (CLEAR HISTORY stays hidden: EXIT held for five seconds reaches it).

#include <cstdint>
#include <string_view>

#include "platform/ui/ui.h"

namespace warnings {

inline constexpr int kHistoryDialog = 197;
inline constexpr int kHistoryList = 1105;
inline constexpr int kSortedByWarningRadio = 1045;
inline constexpr int kSortedByDateTimeRadio = 1046;
inline constexpr int kSortedByNodeIdRadio = 1047;
inline constexpr int kSortByWarningButton = 1109;
inline constexpr int kSortByDateTimeButton = 1111;
inline constexpr int kSortByNodeIdButton = 1112;
inline constexpr int kShowHelpButton = 1113;
inline constexpr int kCopyToUsbButton = 1110;
inline constexpr int kClearHistoryButton = 1108;
inline constexpr int kHistoryExitButton = 1107;

// The confirmations: clear the history, copy it to the USB drive, no USB drive.
inline constexpr int kClearConfirmation = 609;
inline constexpr int kCopyConfirmation = 610;
inline constexpr int kNoDriveConfirmation = 611;

inline constexpr std::string_view kExportDoneText =
    "THE SHUTDOWN HISTORY IS ON THE USB FLASH DRIVE.";
inline constexpr std::string_view kExportOpenFailedText =
    "ERROR: CANNOT WRITE DryerShutdownHistory.txt ON THE USB DRIVE!";

// Node and warning number from the first four characters of a listed warning text ("0F07 ..."):
// two pairs of hexadecimal digits, "0" to "9" and "A" to "F"; any other character counts as 0.
struct NodeWarning {
    uint32_t node = 0;
    uint32_t warning = 0;
};
NodeWarning parseNodeWarning(std::string_view warningText);

// Runs the dialog modally over `owner`; returns 1107 when closed by EXIT.
int runShutdownHistory(platform::ui::Window owner);

}  // namespace warnings
