#pragma once
// WARNING_WINDOW: raised over the main screen while the controller reports a shutdown or a
// warning, or while no good status frame has come for ten seconds. It names the fault in the
// operator's language, adds notes for a few cases, and its help button opens the shutdown help.
// The 100 ms tick shows and hides it; the 175 ms tick blinks its caption line.

#include "platform/ui/ui.h"

namespace warnings {

inline constexpr int kWarningHelpButton = 34884;  // WARNING_HELP

platform::ui::LResult warningWindowProc(platform::ui::Window window, uint32_t message,
                                        platform::ui::WParam wp, platform::ui::LParam lp);

// The moving marker on the connection-lost cable: position 0 to 13 and direction.
struct CableMarker {
    int position = 0;
    bool movingRight = true;
    // One step: up to 13, one step to turn, down to 0, one step to turn.
    void step();
};

// Gives the shell the warning window's procedure and the history dialog's opener (template
// 197). Before start-up.
void registerWarningScreens();

}  // namespace warnings
