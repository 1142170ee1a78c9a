// Encoding a whole panel screen as PNG: what the remote view pays for each new picture of the
// panel. The screen is a panel-like mix of flat fills, frames and text.
#include <benchmark/benchmark.h>

#include "platform/gfx/painter.h"
#include "platform/gfx/png.h"

namespace {

using namespace platform::gfx;

Surface panelLikeScreen() {
    Surface screen(640, 480, colors::kBlack);
    Painter p(screen);
    p.fillRect({0, 420, 640, 480}, rgb(40, 60, 90));
    for (int i = 0; i < 5; ++i)
        p.fillRect({20 + i * 124, 428, 124 + i * 124, 470}, rgb(70, 110, 150));
    p.fillRect({240, 40, 638, 60}, rgb(0, 0, 128));
    for (int y = 70; y < 400; y += 20)
        p.fillRect({250, y, 250 + (y * 7) % 380, y + 12}, rgb(200, 40, 40));
    for (int x = 0; x < 240; x += 3)
        p.fillRect({x, 100 + (x % 50), x + 2, 300}, rgb(120, 120, 120));
    return screen;
}

void BM_EncodePanelScreen(benchmark::State& state) {
    const Surface screen = panelLikeScreen();
    size_t bytes = 0;
    for (auto _ : state) {
        const auto png = encodePng(screen);
        bytes = png.size();
        benchmark::DoNotOptimize(png.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_EncodePanelScreen)->Unit(benchmark::kMillisecond);

}  // namespace
