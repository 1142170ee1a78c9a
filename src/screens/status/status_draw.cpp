#include "screens/status/status_draw.h"

#include <algorithm>
#include <sstream>
#include <string>

#include "platform/gfx/text.h"

namespace status {
namespace gfx = platform::gfx;

namespace {

int widestWord(std::string_view text, const gfx::FontSpec& font) {
    std::istringstream words{std::string(text)};
    std::string word;
    int widest = 0;
    while (words >> word)
        widest = std::max(widest, gfx::textExtent(word, font).width);
    return widest;
}

int wordCount(std::string_view text) {
    std::istringstream words{std::string(text)};
    std::string word;
    int count = 0;
    while (words >> word)
        ++count;
    return std::max(count, 1);
}

}  // namespace

void drawFitted(gfx::Painter& p, std::string_view text, const gfx::Rect& rect, int height,
                int weight, gfx::Color color, unsigned align) {
    const gfx::FontSpec font = gfx::fitFont(
        text, gfx::font(std::min(height, rect.height()), weight), rect.width(), kSmallestFont);
    p.drawText(text, rect, font, {color, align | gfx::kSingleLine});
}

void drawStateWord(gfx::Painter& p, std::string_view text, int centreX, int top, int bottom,
                   int width, int height, gfx::Color color) {
    const int lines = wordCount(text);
    const int size = std::min(height, std::max(kSmallestFont, (bottom - top) / lines));
    const gfx::FontSpec font =
        gfx::shrinkFont(gfx::font(size, 600), kSmallestFont,
                        [&](const gfx::FontSpec& f) { return widestWord(text, f) <= width; });
    p.drawText(text, {centreX, top, centreX + 1, bottom}, font,
               {color, gfx::kAlignCenter | gfx::kWordBreak | gfx::kNoClip});
}

void drawWords(gfx::Painter& p, std::string_view text, const gfx::Rect& rect, int height,
               int weight, gfx::Color color) {
    const gfx::FontSpec font =
        gfx::shrinkFont(gfx::font(height, weight), kSmallestFont, [&](const gfx::FontSpec& f) {
            return widestWord(text, f) <= rect.width() &&
                   gfx::textBounds(text, rect, f, gfx::kWordBreak).bottom <= rect.bottom;
        });
    p.drawText(text, rect, font, {color, gfx::kWordBreak});
}

}  // namespace status
