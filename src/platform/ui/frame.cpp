// The non-client part of a window: outer edges, caption bar with the title, client edge.
#include "platform/ui/draw.h"
#include "platform/ui/internal.h"

namespace platform::ui::detail {

void drawFrame(WindowObj& w) {
    if (w.surface.empty()) return;
    gfx::Painter p(w.surface);
    Rect r = w.surface.bounds();
    if (w.style & kBorder) {
        p.drawFrame(r, gfx::colors::kBlack);
        r = r.inflate(-1, -1);
    }
    if (w.style & kWindowEdge) {
        drawRaisedEdge(p, r);
        r = r.inflate(-2, -2);
    }
    if (w.style & kCaption) {
        const Rect bar{r.left, r.top, r.right, std::min(r.bottom, r.top + kCaptionHeight)};
        p.fillRect(bar, gfx::colors::kCaption);
        p.fillRect({bar.left, bar.bottom - 1, bar.right, bar.bottom}, gfx::colors::kButtonFace);
        p.drawText(
            w.title, {bar.left + 4, bar.top, bar.right - 2, bar.bottom - 1}, gfx::systemBoldFont(),
            {gfx::colors::kCaptionText, gfx::kAlignLeft | gfx::kAlignVCenter | gfx::kSingleLine});
        r.top = bar.bottom;
    }
    if (w.style & kClientEdge) drawSunkenEdge(p, r);
}

}  // namespace platform::ui::detail
