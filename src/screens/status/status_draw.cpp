#include "screens/status/status_draw.h"

#include <algorithm>
#include <sstream>
#include <string>

#include "platform/gfx/text.h"

namespace status {
namespace gfx = platform::gfx;

namespace {

constexpr int kSmallestFont = 8;

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

int fittedHeight(std::string_view text, int width, int height, int weight) {
    return gfx::fitFont(text, gfx::font(height, weight), width, kSmallestFont).height;
}

void drawFitted(gfx::Painter& p, std::string_view text, const gfx::Rect& rect, int height,
                int weight, gfx::Color color, unsigned align) {
    const int size = fittedHeight(text, rect.width(), std::min(height, rect.height()), weight);
    p.drawText(text, rect, gfx::font(size, weight), {color, align | gfx::kSingleLine});
}

void drawStateWord(gfx::Painter& p, std::string_view text, int centreX, int top, int bottom,
                   int width, int height, gfx::Color color) {
    const int lines = wordCount(text);
    int size = std::min(height, std::max(kSmallestFont, (bottom - top) / lines));
    while (size > kSmallestFont && widestWord(text, gfx::font(size, 600)) > width)
        --size;
    p.drawText(text, {centreX, top, centreX + 1, bottom}, gfx::font(size, 600),
               {color, gfx::kAlignCenter | gfx::kWordBreak | gfx::kNoClip});
}

void drawWords(gfx::Painter& p, std::string_view text, const gfx::Rect& rect, int height,
               int weight, gfx::Color color) {
    int size = height;
    while (size > kSmallestFont) {
        const gfx::FontSpec font = gfx::font(size, weight);
        if (widestWord(text, font) <= rect.width() &&
            gfx::textBounds(text, rect, font, gfx::kWordBreak).bottom <= rect.bottom) {
            break;
        }
        --size;
    }
    p.drawText(text, rect, gfx::font(size, weight), {color, gfx::kWordBreak});
}

}  // namespace status
