#include "platform/gfx/text.h"

#include <algorithm>

namespace platform::gfx {
namespace {

thread_local const TextObserver* tObserver = nullptr;

int measure(std::u32string_view line, const FontSpec& font) {
    return walkGlyphs(line, font, [](int, const Glyph&) {});
}

// The width of what the glyphs of a line ink, which a bearing may make wider than their cells.
int inkWidth(std::u32string_view line, const FontSpec& font) {
    int left = 0;
    int right = 0;
    bool inked = false;
    walkGlyphs(line, font, [&](int pen, const Glyph& g) {
        if (g.width <= 0 || g.rows <= 0) return;
        left = inked ? std::min(left, pen + g.left) : pen + g.left;
        right = inked ? std::max(right, pen + g.left + g.width) : pen + g.left + g.width;
        inked = true;
    });
    return right - left;
}

std::vector<std::u32string> paragraphs(std::u32string_view text, bool singleLine) {
    std::vector<std::u32string> out(1);
    for (char32_t c : text) {
        if (c == U'\r') continue;
        if (c == U'\n') {
            if (!singleLine) out.emplace_back();
            continue;
        }
        out.back().push_back(c);
    }
    return out;
}

// Spaces and tabs separate words; the ones before a word that starts a new line are dropped.
bool blank(char32_t c) {
    return c == U' ' || c == U'\t';
}

void breakParagraph(const std::u32string& para, int maxWidth, const FontSpec& font,
                    std::vector<std::u32string>& lines) {
    std::u32string line;
    size_t pos = 0;
    bool lineOpen = false;
    while (pos < para.size()) {
        size_t wordStart = pos;
        while (wordStart < para.size() && blank(para[wordStart]))
            ++wordStart;
        size_t wordEnd = wordStart;
        while (wordEnd < para.size() && !blank(para[wordEnd]))
            ++wordEnd;
        std::u32string candidate = line + para.substr(pos, wordEnd - pos);
        if (!lineOpen ||
            (measure(candidate, font) <= maxWidth && inkWidth(candidate, font) <= maxWidth)) {
            line = std::move(candidate);
            lineOpen = true;
        } else {
            lines.push_back(std::move(line));
            line = para.substr(wordStart, wordEnd - wordStart);
        }
        pos = wordEnd;
    }
    lines.push_back(std::move(line));
}

// How far to move ink spanning [from, to) so that it lies within [low, high): a glyph's bearing
// may put a pixel or two outside the cell (the bar of a "T", the dots of a capital "Ä"), which
// the rectangle would cut off. Ink wider than the range stays where its cells put it.
int intoRange(int from, int to, int low, int high) {
    if (to <= from || to - from > high - low) return 0;
    if (from < low) return low - from;
    if (to > high) return high - to;
    return 0;
}

}  // namespace

std::string encodeUtf8(std::u32string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (c >> 6)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (c >> 12)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (c >> 18)));
            out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

std::vector<TextLine> layoutText(std::string_view text, const Rect& rect, const FontSpec& font,
                                 unsigned flags) {
    const bool singleLine = (flags & kSingleLine) != 0;
    std::vector<std::u32string> lines;
    for (const auto& para : paragraphs(decodeUtf8(text), singleLine)) {
        if ((flags & kWordBreak) && !singleLine) {
            breakParagraph(para, rect.width(), font, lines);
        } else {
            lines.push_back(para);
        }
    }
    const int lineHeight = fontMetrics(font).height;
    const int blockHeight = lineHeight * static_cast<int>(lines.size());
    int y = rect.top;
    if (flags & kAlignVCenter) y = rect.top + (rect.height() - blockHeight) / 2;
    if (flags & kAlignBottom) y = rect.bottom - blockHeight;

    std::vector<TextLine> out;
    out.reserve(lines.size());
    for (const auto& line : lines) {
        const int width = measure(line, font);
        int x = rect.left;
        if (flags & kAlignCenter) x = rect.left + (rect.width() - width) / 2;
        if (flags & kAlignRight) x = rect.right - width;
        TextLine& laid =
            out.emplace_back(TextLine{encodeUtf8(line), Rect{x, y, x + width, y + lineHeight}});
        const Rect ink = glyphBox(laid, font);
        const int dx = intoRange(ink.left, ink.right, rect.left, rect.right);
        laid.box = laid.box.offset(dx, 0);
        y += lineHeight;
    }
    Rect ink;
    for (const TextLine& line : out)
        ink = ink.unite(glyphBox(line, font));
    const int dy = intoRange(ink.top, ink.bottom, rect.top, rect.bottom);
    for (TextLine& line : out)
        line.box = line.box.offset(0, dy);
    return out;
}

std::vector<Rect> glyphRects(const TextLine& line, const FontSpec& font) {
    std::vector<Rect> out;
    const int baseline = line.box.top + fontMetrics(font).ascent;
    walkGlyphs(decodeUtf8(line.text), font, [&](int pen, const Glyph& g) {
        if (g.width > 0 && g.rows > 0) {
            out.push_back(
                Rect::fromSize(line.box.left + pen + g.left, baseline - g.top, g.width, g.rows));
        }
    });
    return out;
}

Rect glyphBox(const TextLine& line, const FontSpec& font) {
    Rect box;
    for (const Rect& r : glyphRects(line, font))
        box = box.unite(r);
    if (box.empty()) return {line.box.left, line.box.top, line.box.left, line.box.top};
    return box;
}

Size textExtent(std::string_view text, const FontSpec& font) {
    return {measure(decodeUtf8(text), font), fontMetrics(font).height};
}

FontSpec shrinkFont(FontSpec font, int smallest, const std::function<bool(const FontSpec&)>& fits,
                    int step) {
    while (font.height > smallest && !fits(font))
        font.height -= step;
    return font;
}

FontSpec fitFont(std::string_view text, FontSpec font, int width, int smallest, int step) {
    return shrinkFont(
        font, smallest, [&](const FontSpec& f) { return textExtent(text, f).width <= width; },
        step);
}

Rect textBounds(std::string_view text, const Rect& rect, const FontSpec& font, unsigned flags) {
    Rect bounds;
    for (const auto& line : layoutText(text, rect, font, flags)) {
        bounds = bounds.unite(line.box.width() > 0 ? line.box
                                                   : Rect{line.box.left, line.box.top,
                                                          line.box.left + 1, line.box.bottom});
    }
    return bounds;
}

void setTextObserver(const TextObserver* observer) {
    tObserver = observer;
}
const TextObserver* textObserver() {
    return tObserver;
}

}  // namespace platform::gfx
