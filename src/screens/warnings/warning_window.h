#pragma once
// WARNING_WINDOW: raised over the main screen while the controller reports a shutdown or a
// warning, or while no good status frame has come for ten seconds. It names the fault in the
// operator's language, adds notes for a few cases, and its help button opens the shutdown help.
// The 100 ms tick shows and hides it; the 175 ms tick blinks its caption line.

#include <string_view>

#include "platform/gfx/font.h"
#include "platform/gfx/types.h"
#include "platform/ui/ui.h"

namespace warnings {

inline constexpr int kWarningHelpButton = 34884;  // WARNING_HELP

platform::ui::LResult warningWindowProc(platform::ui::Window window, uint32_t message,
                                        platform::ui::WParam wp, platform::ui::LParam lp);

// The warning text's room between the red rules, right of the warning sign, and how a text is
// set in it: on one line, shrunk down to 16 px where it must, else wrapped.
inline constexpr platform::gfx::Rect kWarningTextRoom{130, 54, 585, 112};
inline constexpr int kSmallestWarningText = 16;
struct WarningTextLayout {
    platform::gfx::FontSpec font;
    unsigned flags = 0;
};
WarningTextLayout layoutWarningText(std::string_view text);

// The moving marker on the display's end of the cut connection-lost cable: position 0 to
// kCableMarkerEnd and direction.
inline constexpr int kCableMarkerEnd = 4;
struct CableMarker {
    int position = 0;
    bool movingRight = true;
    // One step: up to the end, one step to turn, down to 0, one step to turn.
    void step();
};

// Gives the shell the warning window's procedure and the history dialog's opener (template
// 197). Before start-up.
void registerWarningScreens();

}  // namespace warnings
