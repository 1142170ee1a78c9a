#pragma once
// The operator's guide behind the VIEW selection's manual button: the guide of the panel's
// language (English where it has none) shown a screen page at a time, with PREVIOUS, NEXT and
// EXIT and the page number under the text.

#include <string>
#include <vector>

#include "i18n/manual.h"
#include "platform/ui/ui.h"

namespace graphs {

inline constexpr int kManualPreviousButton = 1790;
inline constexpr int kManualNextButton = 1791;
inline constexpr int kManualExitButton = 1792;

// One drawn line of a paragraph wrapped to the text's width (or the bullet of a list item) and
// where it stands (client pixels); paragraphs stand a little apart.
struct ManualLine {
    std::string text;
    int left;
    int top;
};

// One screen page: the guide page's heading and its lines. A guide page longer than the screen
// holds goes on over further screen pages under the same heading.
struct ManualScreenPage {
    std::string heading;
    std::vector<ManualLine> lines;
};

std::vector<ManualScreenPage> layoutManual(const i18n::Manual& manual);

// "PAGE n OF m" in the current language.
std::string manualPageLabel(int page, int pageCount);

// The viewer over `owner`; a guide that is missing or does not read gives a message box instead.
void runManualViewer(platform::ui::Window owner);

}  // namespace graphs
