// The drawing page: wide bar lines and frames, a graph of polylines on a dotted grid, a plenum
// gauge with word-broken state text, and a bitmap copied and stretched.
#include <cmath>
#include <cstdio>
#include <vector>

#include "gallery.h"

namespace gallery {
namespace {

using gfx::Painter;
using gfx::Point;
using gfx::Rect;
using gfx::rgb;

constexpr uint32_t kPageStyle = ui::kChild | ui::kCaption | ui::kClientEdge | ui::kWindowEdge;

void drawBar(Painter& p, int cx, int value, bool selected, const char* title) {
    const Rect outer{cx - 45, 24, cx + 45, 330};
    p.drawFrame(outer, gfx::colors::kBlack, 2);
    const int base = 260, top = 40;
    const int filled = base - (base - top) * value / 100;
    p.drawLine({cx - 8, base}, {cx - 8, filled}, selected ? rgb(255, 0, 0) : rgb(0, 0, 100), 35);
    p.drawLine({cx - 8, filled - 1}, {cx - 8, top}, gfx::colors::kMenu, 35);
    p.drawFrame({cx - 28, top - 2, cx + 12, base + 3}, gfx::colors::kBlack, 2);
    const char* labels[] = {"-100%", "-50%", "-0%"};
    for (int i = 0; i < 3; ++i) {
        const int y = top - 6 + i * (base - top) / 2;
        p.drawText(labels[i], {cx + 15, y, cx + 45, y + 14}, gfx::font(11, 500),
                   {gfx::colors::kBlack});
    }
    char text[16];
    std::snprintf(text, sizeof text, "%3d", value * 10);
    p.drawText(text, {outer.left, 270, outer.right, 326}, gfx::font(36, 900),
               {selected ? rgb(255, 0, 0) : rgb(50, 0, 250),
                gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine, gfx::colors::kMenu});
    p.drawText(title, {outer.left, 2, outer.right, 22}, gfx::font(16, 900),
               {gfx::colors::kBlack, gfx::kAlignCenter | gfx::kSingleLine});
}

void drawGraph(Painter& p, const Rect& area) {
    p.fillRect(area, gfx::colors::kBlack);
    for (int y : {area.top + 40, area.top + 80, area.top + 120}) {
        p.drawDottedLine({area.left + 1, y}, {area.right - 4, y}, rgb(0, 255, 0), 3);
    }
    const int base = area.bottom - 40;
    p.drawLine({area.left, base}, {area.right, base}, rgb(0, 200, 0));
    struct Trace {
        gfx::Color color;
        double phase, amplitude, level;
    } traces[] = {{rgb(0, 255, 0), 0.0, 30, 70},
                  {rgb(255, 128, 64), 1.3, 20, 100},
                  {rgb(255, 255, 0), 2.1, 35, 50}};
    for (const Trace& t : traces) {
        std::vector<Point> points;
        for (int x = area.left + 6; x < area.right - 6; x += 2) {
            const double v = t.level + t.amplitude * std::sin(t.phase + (x - area.left) / 28.0);
            points.push_back({x, base - 1 - static_cast<int>(v)});
        }
        p.drawPolyline(points, t.color);
    }
    p.fillRect({area.left, base + 4, area.right, area.bottom}, rgb(100, 100, 100));
    p.drawText("8:00AM", {area.left + 4, base + 6, area.left + 100, area.bottom},
               gfx::font(14, 600), {gfx::colors::kBlack, gfx::kAlignVCenter | gfx::kSingleLine});
    p.drawText("9:00AM 6/03", {area.left, base + 6, area.right, area.bottom}, gfx::font(14, 600),
               {gfx::colors::kBlack, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
    p.drawText("10:00AM", {area.left, base + 6, area.right - 4, area.bottom}, gfx::font(14, 600),
               {gfx::colors::kBlack, gfx::kAlignRight | gfx::kAlignVCenter | gfx::kSingleLine});
    p.drawText("18.5%", {area.left + 6, area.top + 4, area.left + 60, area.top + 20}, gfx::font(12),
               {rgb(0, 200, 0)});
    p.drawText("212F", {area.right - 50, area.top + 4, area.right - 6, area.top + 20},
               gfx::font(12), {rgb(200, 105, 50), gfx::kAlignRight});
}

void drawGauge(Painter& p, const Rect& area) {
    p.fillRect(area, gfx::colors::kBlack);
    const gfx::Color yellow = rgb(200, 200, 0);
    p.drawText("FAN/HEATER 1", {area.left, area.top + 2, area.right, area.top + 20},
               gfx::font(14, 600), {yellow, gfx::kAlignCenter | gfx::kSingleLine});
    p.drawText("SP:  180 \u00B0F ", {area.left, area.top + 22, area.right, area.top + 52},
               gfx::font(22, 700),
               {yellow, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
    p.drawLine({area.left, area.top + 58}, {area.right, area.top + 58}, rgb(150, 150, 150), 2);
    p.drawText("182 \u00B0F ", {area.left, area.top + 62, area.right, area.top + 132},
               gfx::font(40, 700),
               {rgb(255, 0, 0), gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
    const int cx = area.left + area.width() / 2;
    p.drawText("HIGH FIRE", {cx, area.top + 138, cx + 1, area.top + 190}, gfx::font(20, 600),
               {rgb(255, 0, 0), gfx::kAlignCenter | gfx::kWordBreak | gfx::kNoClip});
}

// A small fan icon made on the spot: the page needs a bitmap without reading artwork files.
gfx::Surface fanIcon() {
    gfx::Surface icon(44, 45, rgb(0, 0, 60));
    Painter p(icon);
    p.fillEllipse({2, 2, 42, 43}, rgb(30, 30, 30));
    for (int k = 0; k < 3; ++k) {
        const double a = k * 2.0944;
        const Point tip{22 + static_cast<int>(17 * std::cos(a)),
                        22 + static_cast<int>(17 * std::sin(a))};
        const Point side{22 + static_cast<int>(14 * std::cos(a + 0.7)),
                         22 + static_cast<int>(14 * std::sin(a + 0.7))};
        const Point blade[] = {{22, 22}, tip, side};
        p.fillPolygon(blade, rgb(0, 200, 255));
    }
    p.fillEllipse({18, 18, 27, 27}, rgb(255, 200, 0));
    return icon;
}

ui::LResult drawingProc(ui::Window w, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint: {
            ui::PaintContext& pc = ui::paintContext(lp);
            gfx::Surface off(pc.client.width(), pc.client.height(), gfx::colors::kBlack);
            Painter p(off);
            p.fillRect({0, 0, 220, pc.client.bottom}, gfx::colors::kMenu);
            drawBar(p, 55, 65, true, "LOW SP");
            drawBar(p, 160, 40, false, "HIGH SP");
            drawGraph(p, {230, 8, 470, 230});
            drawGauge(p, {480, 8, 624, 230});
            const gfx::Surface icon = fanIcon();
            p.drawText("BITMAPS: COPY AND STRETCH", {230, 240, 624, 256}, gfx::font(13, 700),
                       {gfx::colors::kWhite});
            p.copyBitmap(icon, {236, 268});
            p.stretchBitmap(icon, icon.bounds(), gfx::Rect::fromSize(296, 262, 88, 80));
            p.drawFrame({392, 262, 624, 342}, rgb(150, 150, 150));
            p.drawText(
                "Lines 1 to 35 pixels wide, dotted grids, polylines, frames and text in every "
                "alignment.",
                {400, 266, 618, 340}, gfx::font(13), {gfx::colors::kWhite, gfx::kWordBreak});
            pc.painter.copyBitmap(off, {0, 0});
            return 0;
        }
        default:
            return ui::defaultProc(w, message, wp, lp);
    }
}

}  // namespace

ui::Window buildDrawingPage(ui::Window parent, const ui::Rect& rect) {
    ui::registerClass({"GALLERY_DRAWING", drawingProc, gfx::colors::kBlack});
    return ui::createWindow("GALLERY_DRAWING", " DRAWING - 03", kPageStyle, rect, parent);
}

}  // namespace gallery
