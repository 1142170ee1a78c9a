#pragma once
// What the diagnostics files share among themselves: the pages the diagnostics dialog opens,
// the localized texts and help, and the repaint registration with the controller link.

#include <string_view>

#include "link/hooks.h"
#include "platform/ui/dialog.h"

namespace diagnostics {

void runLightOutputsDialog(platform::ui::Window owner);
// Light outputs page: output k (0 to 15, J1-01 first) has a label and two boxes.
constexpr int lightLabel(int k) {
    return 1240 + k;
}
constexpr int lightShortedBox(int k) {
    return 1200 + k;
}
constexpr int lightActivatedBox(int k) {
    return 1220 + k;
}

void runSwitchTestDialog(platform::ui::Window owner);
// HELP and EXIT of both pages.
inline constexpr int kPageHelpButton = 1290;
inline constexpr int kPageExitButton = 1291;
// Switch test page: the box of bit `bit` of the page's byte `byteIndex` (0 to 5: status bytes
// 179, 180, 181, 182, 183 and 225).
constexpr int switchBox(int byteIndex, int bit) {
    return 1300 + byteIndex * 8 + bit;
}

void runVoltageSetupDialog(platform::ui::Window owner);
// Metering-roll voltage setup: the minimum's controls, then the maximum's at kVoltageMaximum on.
inline constexpr int kVoltagePercent = 1401;
inline constexpr int kVoltageVolts = 1402;
inline constexpr int kVoltageBar = 1403;
inline constexpr int kVoltageDown = 1404;
inline constexpr int kVoltageUp = 1405;
inline constexpr int kVoltageMaximum = 10;  // added to the ids above
inline constexpr int kVoltageDefault = 1421;
inline constexpr int kVoltageAccept = 1422;
inline constexpr int kVoltageCancel = 1423;

enum class Question { MrSpeedViaScreen, MrSensorShutdown, AirSwitch };
void runQuestionDialog(Question question, platform::ui::Window owner);
// The question open over the diagnostics dialog, repainted with it; empty while none is.
platform::ui::Window openQuestion();

platform::ui::LResult bootLoaderProc(platform::ui::Window window, uint32_t message,
                                     platform::ui::WParam wp, platform::ui::LParam lp);

// The control's text from the string table of the current language.
void setItemString(platform::ui::Window dialog, int id, int number);
// The dialog's title from the string table.
void setTitleString(platform::ui::Window dialog, int number);
// Centres a dialog over the window that owns it, kept on the screen; the owner may itself be a
// dialog that is not at the screen's corner.
void centreOverOwner(platform::ui::Window dialog);
// A help file of the current language in a message box captioned by string `captionNumber`.
void showHelpFile(platform::ui::Window owner, std::string_view fileName, int captionNumber);

// While a page is open the decoder repaints it when its bytes change, together with any question
// open over it.
void registerRepaint(dryer::Window role, platform::ui::Window window);
void unregisterRepaint(dryer::Window role);

}  // namespace diagnostics
