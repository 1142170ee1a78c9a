#include "platform/backend/headless/panel_harness.h"

#include <future>

#include "platform/backend/headless/headless.h"
#include "platform/gfx/png.h"
#include "platform/ui/display.h"

namespace platform::backend {

PanelHarness::PanelHarness(const LocalTime& start, ui::Size screen) {
    useManualClock(start);
    std::promise<void> ready;
    ui_ = std::thread([&ready, screen] {
        ui::startDisplay(makeHeadlessBackend(), screen);
        ui::recordDrawnText(true);
        ready.set_value();
        ui::runMessageLoop();
        ui::stopDisplay();
    });
    ready.get_future().wait();
    waitIdle();
}

PanelHarness::~PanelHarness() {
    ui::postQuit(0);
    ui_.join();
    useRealClock();
}

void PanelHarness::call(const std::function<void()>& fn) {
    std::promise<void> done;
    ui::postTask([&] {
        fn();
        done.set_value();
    });
    done.get_future().wait();
    waitIdle();
}

void PanelHarness::post(std::function<void()> fn) {
    ui::postTask(std::move(fn));
    waitIdle();
}

void PanelHarness::waitIdle() {
    ui::waitUntilIdle();
}

void PanelHarness::pointerDown(int x, int y) {
    ui::injectInput({ui::InputEvent::Kind::PointerDown, {x, y}});
    waitIdle();
}

void PanelHarness::pointerMove(int x, int y) {
    ui::injectInput({ui::InputEvent::Kind::PointerMove, {x, y}});
    waitIdle();
}

void PanelHarness::pointerUp(int x, int y) {
    ui::injectInput({ui::InputEvent::Kind::PointerUp, {x, y}});
    waitIdle();
}

void PanelHarness::tap(int x, int y) {
    pointerDown(x, y);
    pointerUp(x, y);
}

void PanelHarness::tap(ui::Window window) {
    const ui::Rect r = ui::screenRect(window);
    tap(r.left + r.width() / 2, r.top + r.height() / 2);
}

void PanelHarness::advance(int64_t ms) {
    const int64_t target = monotonicMs() + ms;
    for (;;) {
        waitIdle();
        const int64_t now = monotonicMs();
        const int64_t next = std::min(ui::nextTimerDue(), target);
        if (next > now) advanceManualClock(next - now);
        ui::wakeLoop();
        waitIdle();
        if (next >= target) return;
    }
}

void PanelHarness::jump(int64_t ms) {
    waitIdle();
    advanceManualClock(ms);
    ui::wakeLoop();
    waitIdle();
}

std::vector<gfx::DrawnText> PanelHarness::texts(ui::Window window) {
    return ui::drawnTexts(window);
}

std::vector<TextHit> PanelHarness::findTexts(std::string_view text) {
    std::vector<TextHit> hits;
    for (ui::Window w : ui::allWindows()) {
        if (!ui::isShown(w)) continue;
        for (const gfx::DrawnText& t : ui::drawnTexts(w)) {
            if (t.text == text) hits.push_back({w, t});
        }
    }
    return hits;
}

std::optional<TextHit> PanelHarness::findText(std::string_view text) {
    auto hits = findTexts(text);
    if (hits.empty()) return std::nullopt;
    return hits.back();
}

gfx::Surface PanelHarness::screen() {
    gfx::Surface out;
    call([&] { out = ui::captureScreen(); });
    return out;
}

gfx::Surface PanelHarness::capture(ui::Window window) {
    gfx::Surface out;
    call([&] { out = ui::captureWindow(window); });
    return out;
}

bool PanelHarness::screenshot(const std::string& pngPath) {
    return gfx::writePng(screen(), pngPath);
}

bool PanelHarness::screenshot(ui::Window window, const std::string& pngPath) {
    return gfx::writePng(capture(window), pngPath);
}

}  // namespace platform::backend
