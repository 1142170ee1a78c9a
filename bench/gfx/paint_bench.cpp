// How long a full 640 x 480 screen of text, lines and bitmaps takes to paint, and how long the
// window system takes to compose the screen from its windows.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <vector>

#include "platform/backend/headless/headless.h"
#include "platform/gfx/painter.h"
#include "platform/gfx/png.h"
#include "platform/ui/controls.h"
#include "platform/ui/display.h"

namespace {

using namespace platform;
using gfx::rgb;

gfx::Surface makeIcon(int w, int h) {
    gfx::Surface icon(w, h, rgb(0, 0, 60));
    gfx::Painter p(icon);
    p.fillEllipse({2, 2, w - 2, h - 2}, rgb(0, 200, 255));
    return icon;
}

// A status screen's worth of drawing: panels, values in large digits, a graph, bars, pictures.
void paintScreen(gfx::Surface& screen, const gfx::Surface& icon, const gfx::Surface& picture) {
    gfx::Painter p(screen);
    p.fillRect(screen.bounds(), gfx::colors::kBlack);
    p.copyBitmap(picture, {25, 0});
    for (int i = 0; i < 6; ++i)
        p.copyBitmap(icon, {46, 39 + 50 * i});
    p.stretchBitmap(icon, icon.bounds(), {150, 300, 238, 390});
    for (int col = 0; col < 3; ++col) {
        const int x = 240 + 133 * col;
        p.drawText("FAN/HEATER " + std::to_string(col + 1), {x, 245, x + 133, 265},
                   gfx::font(14, 600), {rgb(200, 200, 0), gfx::kAlignCenter | gfx::kSingleLine});
        p.drawText("SP:  180 \u00B0F ", {x, 265, x + 133, 295}, gfx::font(20, 700),
                   {rgb(200, 200, 0), gfx::kAlignCenter | gfx::kSingleLine});
        p.drawText("182 \u00B0F ", {x, 300, x + 133, 360}, gfx::font(40, 700),
                   {rgb(255, 0, 0), gfx::kAlignCenter | gfx::kSingleLine});
        p.drawText("HIGH FIRE", {x + 66, 365, x + 67, 420}, gfx::font(20, 600),
                   {rgb(255, 0, 0), gfx::kAlignCenter | gfx::kWordBreak | gfx::kNoClip});
        p.drawLine({x, 245}, {x, 420}, rgb(150, 150, 150), 2);
    }
    for (int y : {87, 135, 182})
        p.drawDottedLine({241, y}, {616, y}, rgb(0, 255, 0), 3);
    std::vector<gfx::Point> trace(360);
    for (int t = 0; t < 6; ++t) {
        for (int i = 0; i < 360; ++i) {
            trace[static_cast<size_t>(i)] = {245 + i,
                                             150 - static_cast<int>(40 * std::sin(i / 30.0 + t))};
        }
        p.drawPolyline(trace, rgb(255, 40 * t, 0));
    }
    p.drawLine({60, 350}, {60, 150}, rgb(255, 0, 0), 35);
    p.drawLine({185, 350}, {185, 200}, rgb(0, 0, 100), 35);
    for (int row = 0; row < 8; ++row) {
        p.drawText("10:15AM 6/3   143\u00B0F   18.5%   15.2%   92\u00B0F   55 %",
                   {0, 40 + 16 * row, 640, 56 + 16 * row}, gfx::font(12),
                   {rgb(0, 255, 0), gfx::kAlignLeft | gfx::kSingleLine});
    }
}

void BM_FullScreenPaint(benchmark::State& state) {
    gfx::Surface screen(640, 480);
    const gfx::Surface icon = makeIcon(44, 45);
    const gfx::Surface picture = makeIcon(86, 420);
    paintScreen(screen, icon, picture);  // fills the glyph cache, as a running panel has it
    for (auto _ : state) {
        paintScreen(screen, icon, picture);
        benchmark::DoNotOptimize(screen.pixels().data());
    }
}
BENCHMARK(BM_FullScreenPaint)->Unit(benchmark::kMicrosecond);

// A screenshot's encoding: --screenshot and the scripts' screenshot lines pay it once each.
void BM_EncodeScreenPng(benchmark::State& state) {
    gfx::Surface screen(640, 480);
    const gfx::Surface icon = makeIcon(44, 45);
    const gfx::Surface picture = makeIcon(86, 420);
    paintScreen(screen, icon, picture);
    size_t bytes = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> png = gfx::encodePng(screen);
        bytes = png.size();
        benchmark::DoNotOptimize(png.data());
    }
    state.counters["png_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EncodeScreenPng)->Unit(benchmark::kMicrosecond);

ui::LResult panelProc(ui::Window w, uint32_t message, ui::WParam wp, ui::LParam lp) {
    if (message != ui::kPaint) return ui::defaultProc(w, message, wp, lp);
    ui::PaintContext& pc = ui::paintContext(lp);
    pc.painter.fillRect(pc.client, rgb(0, 0, 40));
    pc.painter.drawText(
        ui::windowText(w), pc.client, gfx::font(16, 600),
        {rgb(200, 200, 0), gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
    return 0;
}

// The main screen's window set: a full-screen background, seven captioned panels and a bar of
// buttons, composed into the screen image.
void BM_ComposeScreen(benchmark::State& state) {
    ui::startDisplay(backend::makeHeadlessBackend());
    ui::registerClass({"BENCH_PANEL", panelProc, gfx::colors::kBlack});
    const ui::Window main = ui::createWindow("BENCH_PANEL", "", ui::kVisible, ui::kDefaultRect);
    const ui::Rect panels[] = {{0, 0, 240, 420},    {240, 0, 640, 40},    {0, 40, 240, 245},
                               {240, 40, 640, 245}, {240, 245, 640, 420}, {0, 245, 240, 420},
                               {0, 420, 640, 475}};
    for (const ui::Rect& r : panels) {
        ui::createWindow(
            "BENCH_PANEL", " PANEL",
            ui::kChild | ui::kVisible | ui::kCaption | ui::kClientEdge | ui::kWindowEdge, r, main);
    }
    for (int i = 0; i < 5; ++i) {
        ui::createWindow(ui::kButtonClass, "TIMERS", ui::kChild | ui::kVisible,
                         ui::Rect::fromSize(20 + 124 * i, 427, 105, 40), main, 0x8801 + i);
    }
    for (ui::Window w : ui::allWindows())
        ui::updateWindow(w);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ui::captureScreen());
    }
    ui::stopDisplay();
}
BENCHMARK(BM_ComposeScreen)->Unit(benchmark::kMicrosecond);

}  // namespace
