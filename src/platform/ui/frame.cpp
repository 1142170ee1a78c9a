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
        drawCaptionBar(p, bar, w.title);
        r.top = bar.bottom;
    }
    if (w.style & kClientEdge) drawSunkenEdge(p, r);
}

}  // namespace platform::ui::detail
