#pragma once
// The shutdown help dialog (template 169): the picture of a device's warning (the rear-discharge
// animation while that shutdown is live) and its help text, one list line per text line. Opened
// from the warning window for the live shutdown and from the history for a recorded one.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/ui/ui.h"

namespace warnings {

inline constexpr int kHelpDialog = 169;
inline constexpr int kHelpCloseButton = 1224;
inline constexpr int kHelpTextList = 1225;
inline constexpr std::string_view kNoHelpText = "NO TEXT FILE AVAILABLE.";
// Characters of a help text line that the list keeps; the rest of a longer line is cut off.
inline constexpr size_t kHelpLineChars = 1000;

// The node and warning whose help the dialog shows.
struct HelpRequest {
    uint32_t node = 0;
    uint32_t warning = 0;
};
HelpRequest& helpRequest();

// The node whose files serve `node`: the six fan/heaters share those of the first.
uint32_t helpNode(uint32_t node);

// The list lines of a help text: the file's lines, each cut to kHelpLineChars characters, or
// the single kNoHelpText when the file does not open.
std::vector<std::string> helpTextLines(uint32_t node, uint32_t warning);

// Runs the dialog modally over `owner` for helpRequest(); returns how it was closed
// (kHelpCloseButton, or kIdCancel from the missing-picture box).
int runShutdownHelp(platform::ui::Window owner);

}  // namespace warnings
