#pragma once
// Text layout: alignment, line breaks, word break and extents, shared by the painter and by
// controls that size themselves to their text.

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/font.h"
#include "platform/gfx/types.h"

namespace platform::gfx {

enum TextFlags : unsigned {
    kAlignLeft = 0,
    kAlignCenter = 0x1,
    kAlignRight = 0x2,
    kAlignVCenter = 0x4,  // centres the block of lines in the rectangle
    kAlignBottom = 0x8,
    kWordBreak = 0x10,   // breaks lines between words; a word wider than the rectangle stands alone
    kSingleLine = 0x20,  // line feeds do not break
    kNoClip = 0x100,     // draws outside the rectangle too
    kAsGiven = 0x200,    // keeps the colour even where it stands out little (disabled controls)
};

// One laid-out line and the box its character cells cover. Tabs stop every 8 average widths.
struct TextLine {
    std::string text;
    Rect box;
};

std::vector<TextLine> layoutText(std::string_view text, const Rect& rect, const FontSpec& font,
                                 unsigned flags);

// Walks the pen along one line as the painter draws it: `visit(pen, glyph)` for every glyph but
// tabs, which move the pen to the next stop (every 8 average widths). Returns where the pen ends.
template <typename Visit>
int walkGlyphs(std::u32string_view line, const FontSpec& font, Visit visit) {
    int pen = 0;
    const int tab = std::max(1, 8 * fontMetrics(font).averageWidth);
    for (char32_t c : line) {
        if (c == U'\t') {
            pen = (pen / tab + 1) * tab;
            continue;
        }
        const auto g = glyph(font, c);
        visit(pen, *g);
        pen += g->advance;
    }
    return pen;
}

// The box the glyphs of a laid-out line cover (their inked pixels, not their cells), in the
// line's coordinates; empty, at the line's pen position, when nothing would be inked.
Rect glyphBox(const TextLine& line, const FontSpec& font);
// The box of each glyph of the line that inks anything, in the line's coordinates.
std::vector<Rect> glyphRects(const TextLine& line, const FontSpec& font);

// Width and height of one line of text.
Size textExtent(std::string_view text, const FontSpec& font);

// `font`, `step` pixels smaller at a time while `fits` refuses it and it is above `smallest`
// pixels: the largest size that fits, or the smallest. A font that starts at or below `smallest`
// comes back as it is.
FontSpec shrinkFont(FontSpec font, int smallest, const std::function<bool(const FontSpec&)>& fits,
                    int step = 1);

// The same until one line of `text` is at most `width` wide.
FontSpec fitFont(std::string_view text, FontSpec font, int width, int smallest, int step = 1);

// The rectangle that the laid-out text covers when drawn into `rect` (for sizing message boxes).
Rect textBounds(std::string_view text, const Rect& rect, const FontSpec& font, unsigned flags);

// ---- Observing drawn text (tests and the panel harness) -----------------------------------

struct DrawnText {
    std::string text;
    Rect rect;    // the rectangle given to drawText, in the painter's coordinates
    Color color;  // as the caller asked for it
    unsigned flags = 0;
    std::vector<TextLine> lines;
    FontSpec font;
    Color shown;  // as drawn: lifted where the asked colour would not stand out
};

using TextObserver = std::function<void(const DrawnText&)>;

// Every drawText on the calling thread is reported to `observer` until it is replaced;
// nullptr stops the reports. The observer must outlive its installation.
void setTextObserver(const TextObserver* observer);
const TextObserver* textObserver();

std::string encodeUtf8(std::u32string_view text);

}  // namespace platform::gfx
