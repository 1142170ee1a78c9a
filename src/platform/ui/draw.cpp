#include "platform/ui/draw.h"

#include <algorithm>

#include "platform/gfx/text.h"

namespace platform::ui::detail {

using namespace gfx;

void drawThinEdge(Painter& p, const Rect& r, bool raised) {
    if (r.empty()) return;
    const Color topLeft = raised ? colors::kButtonLight : colors::kButtonShadow;
    const Color bottomRight = raised ? colors::kButtonShadow : colors::kButtonLight;
    p.fillRect({r.left, r.top, r.right, r.top + 1}, topLeft);
    p.fillRect({r.left, r.top, r.left + 1, r.bottom}, topLeft);
    p.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, bottomRight);
    p.fillRect({r.right - 1, r.top, r.right, r.bottom}, bottomRight);
}

void drawRaisedEdge(Painter& p, const Rect& r) {
    if (r.empty()) return;
    p.fillRect({r.left, r.top, r.right, r.top + 1}, colors::kButtonLight);
    p.fillRect({r.left, r.top, r.left + 1, r.bottom}, colors::kButtonLight);
    p.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, colors::kButtonDarkShadow);
    p.fillRect({r.right - 1, r.top, r.right, r.bottom}, colors::kButtonDarkShadow);
    const Rect in = r.inflate(-1, -1);
    if (in.empty()) return;
    p.fillRect({in.left, in.top, in.right, in.top + 1}, colors::kButtonFace);
    p.fillRect({in.left, in.top, in.left + 1, in.bottom}, colors::kButtonFace);
    p.fillRect({in.left, in.bottom - 1, in.right, in.bottom}, colors::kButtonShadow);
    p.fillRect({in.right - 1, in.top, in.right, in.bottom}, colors::kButtonShadow);
}

void drawSunkenEdge(Painter& p, const Rect& r) {
    if (r.empty()) return;
    p.fillRect({r.left, r.top, r.right, r.top + 1}, colors::kButtonShadow);
    p.fillRect({r.left, r.top, r.left + 1, r.bottom}, colors::kButtonShadow);
    p.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, colors::kButtonLight);
    p.fillRect({r.right - 1, r.top, r.right, r.bottom}, colors::kButtonLight);
    const Rect in = r.inflate(-1, -1);
    if (in.empty()) return;
    p.fillRect({in.left, in.top, in.right, in.top + 1}, colors::kButtonDarkShadow);
    p.fillRect({in.left, in.top, in.left + 1, in.bottom}, colors::kButtonDarkShadow);
    p.fillRect({in.left, in.bottom - 1, in.right, in.bottom}, colors::kButtonFace);
    p.fillRect({in.right - 1, in.top, in.right, in.bottom}, colors::kButtonFace);
}

void drawArrow(Painter& p, const Rect& r, Arrow direction, Color color) {
    const int size = std::max(2, std::min(r.width(), r.height()) / 3);
    const int cx = r.left + r.width() / 2;
    const int cy = r.top + r.height() / 2;
    for (int i = 0; i < size; ++i) {
        const int half = i;  // widening towards the base
        switch (direction) {
            case Arrow::Up:
                p.fillRect({cx - half, cy - size / 2 + i, cx + half + 1, cy - size / 2 + i + 1},
                           color);
                break;
            case Arrow::Down:
                p.fillRect({cx - half, cy + size / 2 - i, cx + half + 1, cy + size / 2 - i + 1},
                           color);
                break;
            case Arrow::Left:
                p.fillRect({cx - size / 2 + i, cy - half, cx - size / 2 + i + 1, cy + half + 1},
                           color);
                break;
            case Arrow::Right:
                p.fillRect({cx + size / 2 - i, cy - half, cx + size / 2 - i + 1, cy + half + 1},
                           color);
                break;
        }
    }
}

namespace {

struct FaceColours {
    Color rim;
    Color edge;
    Color top;
    Color bottom;
    bool gloss;
};

// The colours of the main button bar's pictures, the face a little deeper so that a white label
// stands out from every row of it, the gloss included.
FaceColours faceColours(ButtonLook look) {
    switch (look) {
        case ButtonLook::Pressed:
            return {rgb(16, 22, 30), rgb(92, 140, 178), rgb(10, 38, 60), rgb(28, 82, 120), false};
        case ButtonLook::Disabled:
            return {rgb(96, 100, 106), rgb(196, 202, 208), rgb(150, 158, 166), rgb(118, 126, 136),
                    false};
        case ButtonLook::Normal:
            break;
    }
    return {rgb(16, 22, 30), rgb(168, 220, 255), rgb(38, 104, 150), rgb(15, 63, 96), true};
}

Color mixed(Color a, Color b, int part, int whole) {
    const auto channel = [&](int x, int y) { return x + (y - x) * part / std::max(1, whole); };
    return rgb(channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b));
}

constexpr int kGlossPercent = 10;

}  // namespace

Color buttonFaceRow(const Rect& r, int y, ButtonLook look) {
    const FaceColours c = faceColours(look);
    if (y <= r.top || y >= r.bottom - 1) return c.rim;
    if (y == r.top + 1 || y == r.bottom - 2) return c.edge;
    const int top = r.top + 2;
    const int rows = std::max(1, r.height() - 4);
    const Color face = mixed(c.top, c.bottom, y - top, rows - 1);
    const bool glossed = c.gloss && (y - top) * 100 < rows * 45;
    return glossed ? mixed(face, colors::kWhite, kGlossPercent, 100) : face;
}

void drawButtonFace(Painter& p, const Rect& r, ButtonLook look) {
    if (r.empty()) return;
    const FaceColours c = faceColours(look);
    for (int y = r.top; y < r.bottom; ++y)
        p.fillRect({r.left, y, r.right, y + 1}, buttonFaceRow(r, y, look));
    // The light edge runs down both sides; rounded corners where the rim shows through.
    p.fillRect({r.left + 1, r.top + 2, r.left + 2, r.bottom - 2}, c.edge);
    p.fillRect({r.right - 2, r.top + 2, r.right - 1, r.bottom - 2}, c.edge);
    p.fillRect({r.left, r.top, r.right, r.top + 1}, c.rim);
    p.fillRect({r.left, r.top, r.left + 1, r.bottom}, c.rim);
    p.fillRect({r.right - 1, r.top, r.right, r.bottom}, c.rim);
    for (const Point corner : {Point{r.left + 1, r.top + 1}, Point{r.right - 2, r.top + 1},
                               Point{r.left + 1, r.bottom - 2}, Point{r.right - 2, r.bottom - 2}})
        p.fillRect(Rect::fromSize(corner.x, corner.y, 1, 1), c.rim);
}

Color buttonLabelColor(ButtonLook look) {
    return look == ButtonLook::Disabled ? rgb(218, 222, 226) : colors::kWhite;
}

bool textFits(std::string_view text, const Rect& rect, const FontSpec& font, unsigned flags) {
    const auto within = [&](const Rect& r) {
        return r.left >= rect.left && r.top >= rect.top && r.right <= rect.right &&
               r.bottom <= rect.bottom;
    };
    // The cells and the ink both: accents over capitals and some glyphs' tails reach past them.
    for (const TextLine& line : layoutText(text, rect, font, flags)) {
        const Rect ink = glyphBox(line, font);
        if (!within(line.box) || (!ink.empty() && !within(ink))) return false;
    }
    return true;
}

FontSpec fittedFont(std::string_view text, const Rect& rect, FontSpec font, unsigned flags,
                    int preferred) {
    const int floor = std::min(font.height, kSmallestDialogText);
    font.height = std::max(font.height, preferred);
    if (text.empty()) return font;
    return shrinkFont(font, floor,
                      [&](const FontSpec& f) { return textFits(text, rect, f, flags); });
}

void drawCaptionBar(Painter& p, const Rect& bar, std::string_view title) {
    constexpr Color kTitleRule = rgb(168, 220, 255);
    p.fillRect(bar, kTitleBar);
    p.fillRect({bar.left, bar.bottom - 1, bar.right, bar.bottom}, kTitleRule);
    const Rect area{bar.left + 6, bar.top, bar.right - 4, bar.bottom - 1};
    const unsigned flags = kAlignLeft | kAlignVCenter | kSingleLine;
    const FontSpec font = fittedFont(title, area, systemBoldFont(), flags, kDialogTextHeight + 1);
    p.drawText(title, area, font, {colors::kWhite, flags});
}

}  // namespace platform::ui::detail
