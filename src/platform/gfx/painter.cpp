#include "platform/gfx/painter.h"

#include "platform/gfx/legible.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace platform::gfx {
namespace {

constexpr int kMaxLineWidth = 1024;
// Lines longer than this are first cut to the clip so that far-away end points cost nothing.
constexpr int kLongLine = 8192;

inline uint32_t blend(uint32_t dst, uint32_t src, unsigned alpha) {
    if (alpha >= 255) return src;
    const unsigned inv = 255 - alpha;
    const unsigned r = (((src >> 16) & 0xFF) * alpha + ((dst >> 16) & 0xFF) * inv + 127) / 255;
    const unsigned g = (((src >> 8) & 0xFF) * alpha + ((dst >> 8) & 0xFF) * inv + 127) / 255;
    const unsigned b = ((src & 0xFF) * alpha + (dst & 0xFF) * inv + 127) / 255;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Cuts the segment a-b to `box` (Liang-Barsky). False when nothing is left.
bool cutToBox(double& ax, double& ay, double& bx, double& by, const Rect& box) {
    double t0 = 0, t1 = 1;
    const double dx = bx - ax, dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - box.left, box.right - 1 - ax, ay - box.top, box.bottom - 1 - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    if (t0 > t1) return false;
    bx = ax + t1 * dx;
    by = ay + t1 * dy;
    ax = ax + t0 * dx;
    ay = ay + t0 * dy;
    return true;
}

struct PointF {
    double x, y;
};

}  // namespace

Painter::Painter(Surface& target)
    : target_(&target), baseClip_(target.bounds()), clip_(target.bounds()) {}

Painter::Painter(Surface& target, Point origin, const Rect& clip)
    : target_(&target),
      origin_(origin),
      baseClip_(clip.offset(origin.x, origin.y).intersect(target.bounds())),
      clip_(baseClip_) {}

void Painter::setClip(const Rect& rect) {
    clip_ = rect.offset(origin_.x, origin_.y).intersect(baseClip_);
}

void Painter::fillSurfaceRect(const Rect& surfaceRect, uint32_t argb, const Rect& clip) {
    const Rect r = surfaceRect.intersect(clip);
    for (int y = r.top; y < r.bottom; ++y) {
        std::fill(target_->row(y) + r.left, target_->row(y) + r.right, argb);
    }
}

void Painter::fillRect(const Rect& rect, Color color) {
    fillSurfaceRect(rect.offset(origin_.x, origin_.y), color.argb(), clip_);
}

void Painter::clearRect(const Rect& rect) {
    fillSurfaceRect(rect.offset(origin_.x, origin_.y), 0u, clip_);
}

void Painter::setPixel(int x, int y, Color color) {
    const Point p{x + origin_.x, y + origin_.y};
    if (clip_.contains(p)) target_->row(p.y)[p.x] = color.argb();
}

void Painter::drawLine(Point from, Point to, Color color, int width) {
    const Point a{from.x + origin_.x, from.y + origin_.y};
    const Point b{to.x + origin_.x, to.y + origin_.y};
    width = std::clamp(width, 1, kMaxLineWidth);
    if (width == 1) {
        thinLine(a, b, color.argb(), 1);
    } else {
        thickLine(a, b, color.argb(), width);
    }
}

void Painter::drawPolyline(std::span<const Point> points, Color color, int width) {
    if (points.size() == 1) drawLine(points[0], points[0], color, width);
    for (size_t i = 1; i < points.size(); ++i) {
        drawLine(points[i - 1], points[i], color, width);
        if (width > 2 && i + 1 < points.size()) {
            fillDisc({points[i].x + origin_.x, points[i].y + origin_.y},
                     std::min(width, kMaxLineWidth), color.argb());
        }
    }
}

void Painter::drawFrame(const Rect& rect, Color color, int width) {
    if (rect.empty() || width <= 0) return;
    const int w = std::min({width, (rect.width() + 1) / 2, (rect.height() + 1) / 2});
    fillRect({rect.left, rect.top, rect.right, rect.top + w}, color);
    fillRect({rect.left, rect.bottom - w, rect.right, rect.bottom}, color);
    fillRect({rect.left, rect.top + w, rect.left + w, rect.bottom - w}, color);
    fillRect({rect.right - w, rect.top + w, rect.right, rect.bottom - w}, color);
}

void Painter::drawDottedLine(Point from, Point to, Color color, int spacing) {
    thinLine({from.x + origin_.x, from.y + origin_.y}, {to.x + origin_.x, to.y + origin_.y},
             color.argb(), std::max(spacing, 1));
}

void Painter::thinLine(Point a, Point b, uint32_t argb, int spacing) {
    if (clip_.empty()) return;
    if (std::abs(static_cast<long>(b.x) - a.x) > kLongLine ||
        std::abs(static_cast<long>(b.y) - a.y) > kLongLine) {
        double ax = a.x, ay = a.y, bx = b.x, by = b.y;
        if (!cutToBox(ax, ay, bx, by, clip_.inflate(1, 1))) return;
        a = {static_cast<int>(std::lround(ax)), static_cast<int>(std::lround(ay))};
        b = {static_cast<int>(std::lround(bx)), static_cast<int>(std::lround(by))};
    }
    const int dx = std::abs(b.x - a.x), sx = a.x < b.x ? 1 : -1;
    const int dy = -std::abs(b.y - a.y), sy = a.y < b.y ? 1 : -1;
    int err = dx + dy;
    for (int step = 0;; ++step) {
        if (step % spacing == 0 && clip_.contains(a)) target_->row(a.y)[a.x] = argb;
        if (a == b) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            a.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            a.y += sy;
        }
    }
}

void Painter::thickLine(Point a, Point b, uint32_t argb, int width) {
    const int before = width / 2;
    if (a.y == b.y) {
        fillSurfaceRect(
            {std::min(a.x, b.x), a.y - before, std::max(a.x, b.x) + 1, a.y - before + width}, argb,
            clip_);
        return;
    }
    if (a.x == b.x) {
        fillSurfaceRect(
            {a.x - before, std::min(a.y, b.y), a.x - before + width, std::max(a.y, b.y) + 1}, argb,
            clip_);
        return;
    }
    // A slanted line is the rectangle around the segment; pixels whose centres lie inside it
    // are set.
    double ax = a.x, ay = a.y, bx = b.x, by = b.y;
    if (!cutToBox(ax, ay, bx, by, clip_.inflate(width + 2, width + 2))) return;
    const double len = std::hypot(bx - ax, by - ay);
    if (len == 0) return;
    const double ux = (bx - ax) / len, uy = (by - ay) / len;
    const double half = width / 2.0;
    const PointF p0{ax + 0.5 - 0.5 * ux, ay + 0.5 - 0.5 * uy};
    const PointF p1{bx + 0.5 + 0.5 * ux, by + 0.5 + 0.5 * uy};
    const PointF corners[4] = {{p0.x - uy * half, p0.y + ux * half},
                               {p1.x - uy * half, p1.y + ux * half},
                               {p1.x + uy * half, p1.y - ux * half},
                               {p0.x + uy * half, p0.y - ux * half}};
    double minY = corners[0].y, maxY = corners[0].y;
    for (const auto& c : corners) {
        minY = std::min(minY, c.y);
        maxY = std::max(maxY, c.y);
    }
    const int y0 = std::max(clip_.top, static_cast<int>(std::floor(minY)));
    const int y1 = std::min(clip_.bottom, static_cast<int>(std::ceil(maxY)) + 1);
    for (int y = y0; y < y1; ++y) {
        const double cy = y + 0.5;
        double left = 1e18, right = -1e18;
        for (int i = 0; i < 4; ++i) {
            const PointF& p = corners[i];
            const PointF& q = corners[(i + 1) % 4];
            if ((p.y <= cy && q.y > cy) || (q.y <= cy && p.y > cy)) {
                const double x = p.x + (cy - p.y) * (q.x - p.x) / (q.y - p.y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
        if (left > right) continue;
        const int x0 = std::max(clip_.left, static_cast<int>(std::ceil(left - 0.5)));
        const int x1 = std::min(clip_.right, static_cast<int>(std::ceil(right - 0.5)));
        if (x0 < x1) std::fill(target_->row(y) + x0, target_->row(y) + x1, argb);
    }
}

void Painter::fillDisc(Point centre, int diameter, uint32_t argb) {
    const double r = diameter / 2.0;
    const double cx = centre.x + 0.5, cy = centre.y + 0.5;
    const int y0 = std::max(clip_.top, static_cast<int>(std::floor(cy - r)));
    const int y1 = std::min(clip_.bottom, static_cast<int>(std::ceil(cy + r)));
    for (int y = y0; y < y1; ++y) {
        const double dy = y + 0.5 - cy;
        if (dy * dy > r * r) continue;
        const double dx = std::sqrt(r * r - dy * dy);
        const int x0 = std::max(clip_.left, static_cast<int>(std::ceil(cx - dx - 0.5)));
        const int x1 = std::min(clip_.right, static_cast<int>(std::ceil(cx + dx - 0.5)));
        if (x0 < x1) std::fill(target_->row(y) + x0, target_->row(y) + x1, argb);
    }
}

void Painter::fillEllipse(const Rect& bounds, Color color) {
    const Rect r = bounds.offset(origin_.x, origin_.y);
    if (r.empty()) return;
    const double rx = r.width() / 2.0, ry = r.height() / 2.0;
    const double cx = r.left + rx, cy = r.top + ry;
    const int y0 = std::max(clip_.top, r.top), y1 = std::min(clip_.bottom, r.bottom);
    for (int y = y0; y < y1; ++y) {
        const double dy = (y + 0.5 - cy) / ry;
        if (dy * dy > 1) continue;
        const double dx = rx * std::sqrt(1 - dy * dy);
        const int x0 = std::max(clip_.left, static_cast<int>(std::ceil(cx - dx - 0.5)));
        const int x1 = std::min(clip_.right, static_cast<int>(std::ceil(cx + dx - 0.5)));
        if (x0 < x1) std::fill(target_->row(y) + x0, target_->row(y) + x1, color.argb());
    }
}

void Painter::fillPolygon(std::span<const Point> points, Color color) {
    if (points.size() < 3) return;
    int minY = INT32_MAX, maxY = INT32_MIN;
    for (Point p : points) {
        minY = std::min(minY, p.y + origin_.y);
        maxY = std::max(maxY, p.y + origin_.y);
    }
    const int y0 = std::max(clip_.top, minY), y1 = std::min(clip_.bottom, maxY + 1);
    std::vector<double> xs;
    for (int y = y0; y < y1; ++y) {
        const double cy = y + 0.5;
        xs.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i], b = points[(i + 1) % points.size()];
            const double ay = a.y + origin_.y + 0.5, by = b.y + origin_.y + 0.5;
            if ((ay <= cy && by > cy) || (by <= cy && ay > cy)) {
                const double ax = a.x + origin_.x + 0.5, bx = b.x + origin_.x + 0.5;
                xs.push_back(ax + (cy - ay) * (bx - ax) / (by - ay));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int x0 = std::max(clip_.left, static_cast<int>(std::ceil(xs[i] - 0.5)));
            const int x1 = std::min(clip_.right, static_cast<int>(std::ceil(xs[i + 1] - 0.5)));
            if (x0 < x1) std::fill(target_->row(y) + x0, target_->row(y) + x1, color.argb());
        }
    }
}

void Painter::drawText(std::string_view utf8, const Rect& rect, const FontSpec& font,
                       const TextStyle& style) {
    std::vector<TextLine> lines = layoutText(utf8, rect, font, style.flags);
    const Rect clip =
        (style.flags & kNoClip) ? clip_ : clip_.intersect(rect.offset(origin_.x, origin_.y));
    const Color color = legibleColorHere(lines, font, style, clip);
    if (const TextObserver* observer = textObserver(); observer && *observer) {
        (*observer)(
            DrawnText{std::string(utf8), rect, style.color, style.flags, lines, font, color});
    }
    for (const auto& line : lines) {
        if (style.background) {
            fillSurfaceRect(line.box.offset(origin_.x, origin_.y), style.background->argb(), clip);
        }
        drawGlyphs(line, font, color.argb(), clip);
    }
}

Color Painter::legibleColorHere(const std::vector<TextLine>& lines, const FontSpec& font,
                                const TextStyle& style, const Rect& clip) const {
    if (style.flags & kAsGiven) return style.color;
    std::optional<Color> ground = style.background;
    if (!ground) {
        Rect cells;
        for (const TextLine& line : lines)
            cells = cells.unite(line.box);
        ground = dominantColor(*target_, cells.offset(origin_.x, origin_.y).intersect(clip),
                               style.color);
    }
    return ground ? legibleColor(style.color, *ground, fontMetrics(font).height) : style.color;
}

void Painter::drawGlyphs(const TextLine& line, const FontSpec& font, uint32_t argb,
                         const Rect& clip) {
    const Rect box = line.box.offset(origin_.x, origin_.y);
    if (box.intersect(clip).empty()) return;
    const int baseline = box.top + fontMetrics(font).ascent;
    walkGlyphs(decodeUtf8(line.text), font, [&](int pen, const Glyph& g) {
        const int gx = box.left + pen + g.left;
        const int gy = baseline - g.top;
        const Rect area = Rect::fromSize(gx, gy, g.width, g.rows).intersect(clip);
        for (int y = area.top; y < area.bottom; ++y) {
            const uint8_t* cov = g.coverage.data() + static_cast<size_t>(y - gy) * g.width;
            uint32_t* dst = target_->row(y);
            for (int x = area.left; x < area.right; ++x) {
                const unsigned a = cov[x - gx];
                if (a) dst[x] = blend(dst[x], argb, a);
            }
        }
    });
}

void Painter::copyBitmap(const Surface& source, Point to) {
    copyBitmap(source, source.bounds(), to);
}

void Painter::copyBitmap(const Surface& source, const Rect& sourceRect, Point to) {
    const Rect src = sourceRect.intersect(source.bounds());
    if (src.empty()) return;
    // Where the visible part of the source lands on the surface.
    const int dx = to.x + origin_.x + (src.left - sourceRect.left);
    const int dy = to.y + origin_.y + (src.top - sourceRect.top);
    const Rect dst = Rect::fromSize(dx, dy, src.width(), src.height()).intersect(clip_);
    for (int y = dst.top; y < dst.bottom; ++y) {
        const uint32_t* from = source.row(src.top + y - dy) + src.left + (dst.left - dx);
        std::copy(from, from + dst.width(), target_->row(y) + dst.left);
    }
}

void Painter::copyBitmapOver(const Surface& source, Point to) {
    const int dx = to.x + origin_.x, dy = to.y + origin_.y;
    const Rect dst = Rect::fromSize(dx, dy, source.width(), source.height()).intersect(clip_);
    for (int y = dst.top; y < dst.bottom; ++y) {
        const uint32_t* from = source.row(y - dy);
        uint32_t* out = target_->row(y);
        for (int x = dst.left; x < dst.right; ++x) {
            if (from[x - dx] >> 24) out[x] = from[x - dx];
        }
    }
}

void Painter::stretchBitmap(const Surface& source, const Rect& sourceRect,
                            const Rect& destination) {
    const Rect src = sourceRect.intersect(source.bounds());
    if (src.empty() || destination.empty()) return;
    const Rect dstFull = destination.offset(origin_.x, origin_.y);
    const Rect dst = dstFull.intersect(clip_);
    const int64_t sw = sourceRect.width(), sh = sourceRect.height();
    const int64_t dw = dstFull.width(), dh = dstFull.height();
    for (int y = dst.top; y < dst.bottom; ++y) {
        const int64_t sy = sourceRect.top + ((2 * (y - dstFull.top) + 1) * sh) / (2 * dh);
        if (sy < src.top || sy >= src.bottom) continue;
        const uint32_t* from = source.row(static_cast<int>(sy));
        uint32_t* to = target_->row(y);
        for (int x = dst.left; x < dst.right; ++x) {
            const int64_t sx = sourceRect.left + ((2 * (x - dstFull.left) + 1) * sw) / (2 * dw);
            if (sx >= src.left && sx < src.right) to[x] = from[sx];
        }
    }
}

}  // namespace platform::gfx
