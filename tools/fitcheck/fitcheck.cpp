#include "fitcheck.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace fitcheck {
namespace {

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
        out.push_back(line.substr(start, tab - start));
    out.push_back(line.substr(start));
    return out;
}

bool number(std::string_view text, int& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

bool colour(std::string_view text, Rgb& c) {
    if (text.size() != 7 || text[0] != '#') return false;
    unsigned v = 0;
    const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, v, 16);
    if (ec != std::errc() || end != text.data() + 7) return false;
    c = {static_cast<int>(v >> 16), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF)};
    return true;
}

bool box(const std::vector<std::string_view>& f, size_t at, Box& b) {
    return number(f[at], b.x) && number(f[at + 1], b.y) && number(f[at + 2], b.width) &&
           number(f[at + 3], b.height) && b.width >= 0 && b.height >= 0;
}

double luminance(Rgb c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

bool inside(const Box& inner, const Box& outer) {
    return inner.x >= outer.x && inner.y >= outer.y &&
           inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

bool overlap(const Box& a, const Box& b) {
    return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height &&
           b.y < a.y + a.height;
}

bool sameBox(const Box& a, const Box& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

std::string boxText(const Box& b) {
    char out[64];
    std::snprintf(out, sizeof out, "%d,%d %dx%d", b.x, b.y, b.width, b.height);
    return out;
}

std::string colourText(Rgb c) {
    char out[8];
    std::snprintf(out, sizeof out, "#%02X%02X%02X", c.r, c.g, c.b);
    return out;
}

std::string name(const Extent& e) {
    return e.className + " \"" + e.text + "\"";
}

// A disabled control writes its text in the system's grey and a push button engraves it with a
// light copy one pixel down and right. That is the look of "not available now", judged neither
// for contrast nor as an overlap.
bool disabledGrey(const Extent& e) {
    return e.color.r == 0x80 && e.color.g == 0x80 && e.color.b == 0x80;
}

bool engraved(const Extent& a, const Extent& b) {
    return a.text == b.text && a.className == b.className && std::abs(a.rect.x - b.rect.x) == 1 &&
           std::abs(a.rect.y - b.rect.y) == 1 && a.rect.width == b.rect.width &&
           a.rect.height == b.rect.height;
}

// A rectangle a pixel wide or high names a place to centre on, not room to fill: the screen
// drew the text there unclipped, having sized it to the room it has.
bool positionOnly(const Box& rect) {
    return rect.width <= 1 || rect.height <= 1;
}

std::string overflow(const Extent& e) {
    const Box screen{0, 0, kScreenWidth, kScreenHeight};
    if (!positionOnly(e.rect) && !inside(e.glyphs, e.rect)) {
        const int left = e.rect.x - e.glyphs.x;
        const int right = e.glyphs.x + e.glyphs.width - (e.rect.x + e.rect.width);
        const int top = e.rect.y - e.glyphs.y;
        const int bottom = e.glyphs.y + e.glyphs.height - (e.rect.y + e.rect.height);
        std::string by;
        auto side = [&by](const char* what, int px) {
            if (px > 0) by += std::string(by.empty() ? "" : ", ") + what + " " + std::to_string(px);
        };
        side("left", left);
        side("right", right);
        side("top", top);
        side("bottom", bottom);
        return "overflow " + name(e) + ": glyphs " + boxText(e.glyphs) + " leave the rectangle " +
               boxText(e.rect) + " (" + by + " px)";
    }
    if (!inside(e.glyphs, screen)) {
        return "overflow " + name(e) + ": glyphs " + boxText(e.glyphs) + " leave the screen";
    }
    return {};
}

}  // namespace

std::vector<Extent> parseExtents(std::string_view dump, std::vector<std::string>& errors) {
    std::vector<Extent> out;
    int lineNumber = 0;
    while (!dump.empty()) {
        const size_t end = dump.find('\n');
        std::string_view line = dump.substr(0, end);
        dump = end == std::string_view::npos ? std::string_view() : dump.substr(end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        const auto f = fields(line);
        Extent e;
        e.line = lineNumber;
        if (f.size() != 13 || !box(f, 1, e.rect) || !box(f, 5, e.glyphs) ||
            !colour(f[9], e.color) || !colour(f[10], e.background) ||
            !number(f[11], e.fontHeight)) {
            errors.push_back("line " + std::to_string(lineNumber) +
                             ": not an extents line (class, 8 numbers, 2 colours, height, text)");
            continue;
        }
        e.className = f[0];
        e.text = f[12];
        out.push_back(std::move(e));
    }
    return out;
}

double contrastRatio(Rgb a, Rgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::vector<std::string> check(const std::vector<Extent>& texts) {
    std::vector<std::string> found;
    std::vector<bool> disabledLook(texts.size(), false);
    for (size_t i = 0; i + 1 < texts.size(); ++i) {
        if (engraved(texts[i], texts[i + 1])) disabledLook[i] = disabledLook[i + 1] = true;
    }
    for (size_t i = 0; i < texts.size(); ++i) {
        const Extent& e = texts[i];
        if (e.glyphs.empty()) continue;  // nothing inked
        if (std::string o = overflow(e); !o.empty()) found.push_back(std::move(o));
        if (e.fontHeight < kMinFontHeight) {
            found.push_back("tiny " + name(e) + ": " + std::to_string(e.fontHeight) +
                            " px, at least " + std::to_string(kMinFontHeight));
        }
        const double need = e.fontHeight >= kLargeFontHeight ? kMinContrastLarge : kMinContrast;
        const double ratio = contrastRatio(e.color, e.background);
        if (!disabledLook[i] && !disabledGrey(e) && ratio < need) {
            char figures[96];
            std::snprintf(figures, sizeof figures, "%.2f:1 (at least %.1f:1)", ratio, need);
            found.push_back("contrast " + name(e) + ": " + colourText(e.color) + " on " +
                            colourText(e.background) + " " + figures);
        }
        // The other texts of the same window: the run of lines with its class.
        for (size_t j = i + 1; j < texts.size() && texts[j].className == e.className; ++j) {
            const Extent& o = texts[j];
            if (o.glyphs.empty() || sameBox(o.rect, e.rect) || engraved(e, o)) continue;
            if (overlap(e.glyphs, o.glyphs)) {
                found.push_back("overlap " + name(e) + " " + boxText(e.glyphs) + " and \"" +
                                o.text + "\" " + boxText(o.glyphs));
            }
        }
    }
    return found;
}

}  // namespace fitcheck
