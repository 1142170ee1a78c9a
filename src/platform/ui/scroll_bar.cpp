// Scroll bars: arrows for a line, the track for a page, the thumb dragged to a position. The bar
// only reports; its owner sets the new position.
#include <algorithm>

#include "platform/ui/controls.h"
#include "platform/ui/draw.h"
#include "platform/ui/internal.h"

namespace platform::ui {
namespace detail {
namespace {

enum class Part { None, LineUp, LineDown, PageUp, PageDown, Thumb };

struct ScrollState : ControlState {
    ScrollInfo info;
    Part pressed = Part::None;
    int dragOffset = 0;  // from the thumb's start to the pointer
    int trackPos = 0;    // position while the thumb is dragged
};

struct Geometry {
    bool vertical = true;
    int length = 0;  // along the bar
    int arrow = 0;   // size of each arrow box
    int trackStart = 0;
    int trackEnd = 0;
    int thumbStart = 0;
    int thumbLength = 0;
};

int maxPosition(const ScrollInfo& i) {
    return std::max(i.min, i.max - std::max(i.page - 1, 0));
}

Geometry geometryOf(const Rect& client, bool vertical, const ScrollInfo& info, int pos) {
    Geometry g;
    g.vertical = vertical;
    g.length = vertical ? client.height() : client.width();
    const int thickness = vertical ? client.width() : client.height();
    g.arrow = std::min(thickness, g.length / 2);
    g.trackStart = g.arrow;
    g.trackEnd = g.length - g.arrow;
    const int track = std::max(0, g.trackEnd - g.trackStart);
    const int64_t span = static_cast<int64_t>(info.max) - info.min + 1;
    g.thumbLength =
        info.page > 0 && span > 0
            ? static_cast<int>(std::clamp<int64_t>(track * int64_t{info.page} / span, 8, track))
            : std::min(track, thickness);
    const int range = maxPosition(info) - info.min;
    const int room = track - g.thumbLength;
    g.thumbStart = g.trackStart;
    if (range > 0 && room > 0) {
        g.thumbStart +=
            static_cast<int>(static_cast<int64_t>(room) *
                             (std::clamp(pos, info.min, maxPosition(info)) - info.min) / range);
    }
    return g;
}

Rect along(const Geometry& g, const Rect& client, int from, int to) {
    return g.vertical ? Rect{client.left, client.top + from, client.right, client.top + to}
                      : Rect{client.left + from, client.top, client.left + to, client.bottom};
}

bool isVertical(Window w) {
    return (windowStyle(w) & kVertical) != 0;
}

void paintBar(Window w, PaintContext& pc) {
    const ScrollState* st = controlOf<ScrollState>(w);
    if (!st) return;
    gfx::Painter& p = pc.painter;
    const bool vertical = isVertical(w);
    const int pos = st->pressed == Part::Thumb ? st->trackPos : st->info.pos;
    const Geometry g = geometryOf(pc.client, vertical, st->info, pos);
    p.fillRect(pc.client, gfx::rgb(224, 224, 224));
    const bool active = isEnabled(w) && maxPosition(st->info) > st->info.min;
    const gfx::Color arrowColor = active ? gfx::colors::kBlack : gfx::colors::kGrayText;
    const Rect first = along(g, pc.client, 0, g.arrow);
    const Rect last = along(g, pc.client, g.length - g.arrow, g.length);
    for (const auto& [box, part] :
         {std::pair{first, Part::LineUp}, std::pair{last, Part::LineDown}}) {
        p.fillRect(box, gfx::colors::kButtonFace);
        if (st->pressed == part) {
            p.drawFrame(box, gfx::colors::kButtonShadow);
        } else {
            drawRaisedEdge(p, box);
        }
        const bool up = part == Part::LineUp;
        drawArrow(p, box,
                  vertical ? (up ? Arrow::Up : Arrow::Down) : (up ? Arrow::Left : Arrow::Right),
                  arrowColor);
    }
    if (!active) return;
    const Rect thumb = along(g, pc.client, g.thumbStart, g.thumbStart + g.thumbLength);
    p.fillRect(thumb, gfx::colors::kButtonFace);
    drawRaisedEdge(p, thumb);
}

void notify(Window w, uint32_t code, int pos) {
    const ControlInfo info = controlInfo(w);
    const uint32_t message = (info.style & kVertical) ? kVScroll : kHScroll;
    sendMessage(info.parent, message, code | (static_cast<WParam>(pos & 0xFFFF) << 16),
                static_cast<LParam>(w.id));
}

int along(const Geometry& g, Point p) {
    return g.vertical ? p.y : p.x;
}

void pointerDown(Window w, ScrollState& st, Point at) {
    const Geometry g = geometryOf(clientRect(w), isVertical(w), st.info, st.info.pos);
    if (maxPosition(st.info) <= st.info.min || !isEnabled(w)) return;
    const int x = along(g, at);
    if (x < g.arrow) {
        st.pressed = Part::LineUp;
    } else if (x >= g.length - g.arrow) {
        st.pressed = Part::LineDown;
    } else if (x < g.thumbStart) {
        st.pressed = Part::PageUp;
    } else if (x >= g.thumbStart + g.thumbLength) {
        st.pressed = Part::PageDown;
    } else {
        st.pressed = Part::Thumb;
        st.dragOffset = x - g.thumbStart;
        st.trackPos = st.info.pos;
    }
    invalidate(w, false);
    static constexpr uint32_t kCodes[] = {0, kLineUp, kLineDown, kPageUp, kPageDown};
    if (st.pressed != Part::Thumb) notify(w, kCodes[static_cast<int>(st.pressed)], st.info.pos);
}

void drag(Window w, ScrollState& st, Point at) {
    const Geometry g = geometryOf(clientRect(w), isVertical(w), st.info, st.info.pos);
    const int room = g.trackEnd - g.trackStart - g.thumbLength;
    const int range = maxPosition(st.info) - st.info.min;
    if (room <= 0 || range <= 0) return;
    const int offset = along(g, at) - st.dragOffset - g.trackStart;
    const int pos =
        st.info.min +
        static_cast<int>((static_cast<int64_t>(std::clamp(offset, 0, room)) * range + room / 2) /
                         room);
    if (pos == st.trackPos) return;
    st.trackPos = pos;
    invalidate(w, false);
    notify(w, kThumbTrack, pos);
}

LResult scrollProc(Window w, uint32_t message, WParam wp, LParam lp) {
    ScrollState* st = controlOf<ScrollState>(w);
    switch (message) {
        case kCreate:
            setControlState(w, std::make_unique<ScrollState>());
            return 0;
        case kPaint:
            paintBar(w, paintContext(lp));
            return 0;
        case kPointerDown:
            if (st) pointerDown(w, *st, unpackPoint(lp));
            return 0;
        case kPointerMove:
            if (st && st->pressed == Part::Thumb) drag(w, *st, unpackPoint(lp));
            return 0;
        case kPointerUp:
            if (st && st->pressed != Part::None) {
                const Part part = st->pressed;
                st->pressed = Part::None;
                invalidate(w, false);
                if (part == Part::Thumb) notify(w, kThumbPosition, st->trackPos);
                notify(w, kEndScroll, 0);
            }
            return 0;
        case kCaptureLost:
            if (st) {
                st->pressed = Part::None;
                invalidate(w, false);
            }
            return 0;
        default:
            return defaultProc(w, message, wp, lp);
    }
}

}  // namespace

void registerScrollBarClass() {
    registerClass({kScrollBarClass, scrollProc, gfx::colors::kButtonFace});
}

}  // namespace detail

using namespace detail;

void setScrollInfo(Window bar, const ScrollInfo& info) {
    ScrollState* st = controlOf<ScrollState>(bar);
    if (!st) return;
    st->info = info;
    st->info.max = std::max(info.min, info.max);
    st->info.page = std::max(0, info.page);
    st->info.pos = std::clamp(info.pos, st->info.min, maxPosition(st->info));
    invalidate(bar, false);
}

ScrollInfo scrollInfo(Window bar) {
    const ScrollState* st = controlOf<ScrollState>(bar);
    return st ? st->info : ScrollInfo{};
}

void setScrollPos(Window bar, int pos) {
    ScrollInfo info = scrollInfo(bar);
    info.pos = pos;
    setScrollInfo(bar, info);
}

int scrollPos(Window bar) {
    return scrollInfo(bar).pos;
}

}  // namespace platform::ui
