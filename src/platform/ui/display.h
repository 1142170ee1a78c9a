#pragma once
// The display behind the window system: a backend that shows the composed screen and delivers
// pointer input (SDL window or headless), the screen's composition, and the hooks that the panel
// harness drives (pointer injection, idle detection, drawn-text records, captures).

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gfx/surface.h"
#include "platform/gfx/text.h"
#include "platform/ui/ui.h"

namespace platform::ui {

struct InputEvent {
    enum class Kind { PointerDown, PointerUp, PointerMove, Quit };
    Kind kind = Kind::PointerMove;
    Point at;  // screen coordinates
};

class Backend {
  public:
    virtual ~Backend() = default;
    // Waits up to timeoutMs (below zero: until woken) for input or wake(); appends the input.
    virtual void waitEvents(int timeoutMs, std::vector<InputEvent>& events) = 0;
    // Any thread: ends the current or the next waitEvents at once.
    virtual void wake() = 0;
    // Shows the screen; only the `changed` rectangles differ from the last call.
    virtual void present(const gfx::Surface& screen, const std::vector<Rect>& changed) = 0;
};

inline constexpr Size kPanelScreen{640, 480};

// Makes the calling thread the UI thread and registers the control classes.
void startDisplay(std::unique_ptr<Backend> backend, Size screen = kPanelScreen);
// Destroys every window and timer, drops queued messages and the backend (UI thread).
void stopDisplay();
Size screenSize();

// Any thread: queues pointer input as if it came from the screen.
void injectInput(const InputEvent& event);
// Any thread: wakes the loop (after the manual clock has moved, for instance).
void wakeLoop();

// The deepest shown window at a screen point (no regard to enabled state or modality).
Window windowAt(Point screen);

// UI thread: the composed screen, and one window with its children over its own area.
gfx::Surface captureScreen();
gfx::Surface captureWindow(Window window);

// ---- For the panel harness ---------------------------------------------------------------------

// Any thread but the UI thread: blocks until the loop (outer or nested) waits with no message,
// input, task, due timer or paint left, and nothing has been queued since.
void waitUntilIdle();
// Time base (ms) at which the next timer is due; INT64_MAX when none runs.
int64_t nextTimerDue();
// While on, every paint keeps the texts the window drew (replacing those of its last paint);
// the caption's text is kept from the last time the frame was drawn and comes first.
void recordDrawnText(bool on);
std::vector<gfx::DrawnText> drawnTexts(Window window);
// All windows, parents before children, top-level windows from the bottom of the z-order.
std::vector<Window> allWindows();
// The modal dialog (or message box) that takes the input now; empty when none runs.
Window innermostModal();

}  // namespace platform::ui
