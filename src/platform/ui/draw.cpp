#include "platform/ui/draw.h"

#include <algorithm>

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

}  // namespace platform::ui::detail
