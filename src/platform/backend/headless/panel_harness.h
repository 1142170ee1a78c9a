#pragma once
// The panel harness: a headless UI on its own thread, on the manual clock, driven by a test (or
// a screenshot tool) from another thread.
//
//     PanelHarness panel;                       // UI thread started, manual clock at `start`
//     panel.call([] { createMainWindow(); });   // runs on the UI thread, waits for it
//     panel.tap(300, 440);                      // pointer down and up, each handled in full
//     panel.advance(60'000);                    // timers fire in order, as they fall due
//     EXPECT_TRUE(panel.findText("SETUP"));     // what the windows drew at their last paint
//     panel.screenshot("/tmp/screen.png");
//
// Modal dialogs and message boxes work: start the code that opens one with post() (call() would
// wait for the dialog to close), then waitIdle() returns once the dialog is up, and taps reach it.
// Everything the test does goes through the UI thread's queue; after each step the harness waits
// until the UI is idle, so reads afterwards see a settled state.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/clock/clock.h"
#include "platform/gfx/surface.h"
#include "platform/gfx/text.h"
#include "platform/ui/ui.h"

namespace platform::backend {

struct TextHit {
    ui::Window window;
    gfx::DrawnText text;
};

class PanelHarness {
  public:
    explicit PanelHarness(const LocalTime& start = LocalTime{2024, 6, 1, 3, 8, 0, 0, 0},
                          ui::Size screen = {640, 480});
    ~PanelHarness();
    PanelHarness(const PanelHarness&) = delete;
    PanelHarness& operator=(const PanelHarness&) = delete;

    // Runs `fn` on the UI thread and waits for it to return, then for idle.
    void call(const std::function<void()>& fn);
    // Queues `fn` for the UI thread and waits for idle (a modal dialog it opens is then up).
    void post(std::function<void()> fn);
    void waitIdle();

    void pointerDown(int x, int y);
    void pointerMove(int x, int y);
    void pointerUp(int x, int y);
    // Down and up at the same point.
    void tap(int x, int y);
    // Taps the centre of a shown window (a button, say).
    void tap(ui::Window window);

    // Moves the manual clock on by `ms`, stopping at each timer's due time so that every tick
    // is handled, in order, before the next.
    void advance(int64_t ms);
    // Moves the manual clock on by `ms` at once, as a panel stalled that long would see it: a
    // timer that fell due on the way fires once, its missed ticks are dropped.
    void jump(int64_t ms);

    // Texts drawn at the windows' last paints.
    std::vector<gfx::DrawnText> texts(ui::Window window);
    // Shown windows that drew exactly `text`; the topmost last.
    std::vector<TextHit> findTexts(std::string_view text);
    std::optional<TextHit> findText(std::string_view text);

    gfx::Surface screen();
    gfx::Surface capture(ui::Window window);
    bool screenshot(const std::string& pngPath);
    bool screenshot(ui::Window window, const std::string& pngPath);

  private:
    std::thread ui_;
};

}  // namespace platform::backend
