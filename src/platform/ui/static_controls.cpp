// Static text, read-only edit fields and progress bars.
#include <algorithm>

#include "platform/ui/controls.h"
#include "platform/ui/draw.h"
#include "platform/ui/internal.h"

namespace platform::ui {
namespace detail {
namespace {

struct ProgressState : ControlState {
    int min = 0;
    int max = 100;
    int pos = 0;
    int step = 10;
};

unsigned alignment(uint32_t style, bool vcentre) {
    unsigned flags = gfx::kAlignLeft;
    if (style & kTextCenter) flags = gfx::kAlignCenter;
    if (style & kTextRight) flags = gfx::kAlignRight;
    if (style & kMultiLine) return flags | gfx::kWordBreak;
    return flags | gfx::kWordBreak | (vcentre ? gfx::kAlignVCenter | gfx::kSingleLine : 0);
}

LResult staticProc(Window w, uint32_t message, WParam wp, LParam lp) {
    if (message != kPaint) return defaultProc(w, message, wp, lp);
    const ControlInfo info = controlInfo(w);
    PaintContext& pc = paintContext(lp);
    const gfx::Color color = info.enabled ? gfx::colors::kWindowText : gfx::colors::kGrayText;
    const unsigned flags = alignment(info.style, false) | disabledLook(info);
    pc.painter.drawText(info.text, pc.client,
                        fittedFont(info.text, pc.client, info.font, flags, kDialogTextHeight),
                        {color, flags});
    return 0;
}

LResult editProc(Window w, uint32_t message, WParam wp, LParam lp) {
    if (message != kPaint) return defaultProc(w, message, wp, lp);
    const ControlInfo info = controlInfo(w);
    PaintContext& pc = paintContext(lp);
    drawSunkenEdge(pc.painter, pc.client);
    const gfx::Color color = info.enabled ? gfx::colors::kWindowText : gfx::colors::kGrayText;
    pc.painter.drawText(info.text, pc.client.inflate(-4, -2), info.font,
                        {color, alignment(info.style, true) | disabledLook(info)});
    return 0;
}

void paintProgress(Window w, PaintContext& pc) {
    const ProgressState* st = controlOf<ProgressState>(w);
    if (!st) return;
    gfx::Painter& p = pc.painter;
    drawSunkenEdge(p, pc.client);
    const Rect inner = pc.client.inflate(-3, -3);
    p.fillRect(pc.client.inflate(-2, -2), gfx::colors::kButtonFace);
    const int range = std::max(1, st->max - st->min);
    const int filled = static_cast<int>(static_cast<int64_t>(inner.width()) *
                                        (std::clamp(st->pos, st->min, st->max) - st->min) / range);
    // Blocks with a one-pixel gap, like a segmented bar gauge.
    const int block = std::max(4, inner.height() * 2 / 3);
    for (int x = 0; x < filled; x += block + 2) {
        p.fillRect(
            {inner.left + x, inner.top, inner.left + std::min(filled, x + block), inner.bottom},
            gfx::colors::kHighlight);
    }
}

LResult progressProc(Window w, uint32_t message, WParam wp, LParam lp) {
    switch (message) {
        case kCreate:
            setControlState(w, std::make_unique<ProgressState>());
            return 0;
        case kPaint:
            paintProgress(w, paintContext(lp));
            return 0;
        default:
            return defaultProc(w, message, wp, lp);
    }
}

}  // namespace

void registerStaticClasses() {
    registerClass({kStaticClass, staticProc, gfx::colors::kDialog});
    registerClass({kEditClass, editProc, gfx::colors::kWindow});
    registerClass({kProgressClass, progressProc, gfx::colors::kButtonFace});
}

}  // namespace detail

using namespace detail;

void progressSetRange(Window bar, int min, int max) {
    if (ProgressState* st = controlOf<ProgressState>(bar)) {
        st->min = min;
        st->max = std::max(min, max);
        st->pos = std::clamp(st->pos, st->min, st->max);
        invalidate(bar, false);
    }
}

void progressSetPos(Window bar, int pos) {
    if (ProgressState* st = controlOf<ProgressState>(bar)) {
        st->pos = std::clamp(pos, st->min, st->max);
        invalidate(bar, false);
    }
}

void progressSetStep(Window bar, int step) {
    if (ProgressState* st = controlOf<ProgressState>(bar)) st->step = step;
}

void progressStep(Window bar) {
    if (ProgressState* st = controlOf<ProgressState>(bar)) {
        // Stepping past the end starts again from the beginning.
        st->pos += st->step;
        if (st->pos > st->max)
            st->pos = st->min + (st->pos - st->max) % std::max(1, st->max - st->min);
        invalidate(bar, false);
    }
}

int progressPos(Window bar) {
    const ProgressState* st = controlOf<ProgressState>(bar);
    return st ? st->pos : 0;
}

}  // namespace platform::ui
