#pragma once
// Window system internals shared by its source files.

#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "platform/ui/display.h"
#include "platform/ui/ui.h"

namespace platform::ui::detail {

inline constexpr int kCaptionHeight = 20;

// Per-window state of a built-in control.
struct ControlState {
    virtual ~ControlState() = default;
};

struct WindowObj {
    uint32_t id = 0;
    std::string className;
    WindowProc proc = nullptr;
    Color background;
    std::string title;
    uint32_t style = 0;
    Rect rect;
    uint32_t parent = 0;             // parent (child windows) or owner (top-level windows)
    std::vector<uint32_t> children;  // z-order, bottom first
    bool visible = false;
    bool enabled = true;
    bool destroying = false;
    int controlId = 0;
    gfx::FontSpec font = gfx::systemFont();
    intptr_t userData = 0;
    gfx::Surface surface;
    Rect update;  // client coordinates
    bool erase = false;
    bool frameDirty = true;
    bool transparent = false;  // unpainted pixels show what lies below; not hit by the pointer
    std::unique_ptr<ControlState> control;
    std::vector<gfx::DrawnText> texts;       // drawn at the last paint of the client
    std::vector<gfx::DrawnText> frameTexts;  // the caption's, client coordinates

    bool isChild() const { return (style & kChild) != 0; }
};

struct Timer {
    uint32_t window = 0;
    uint32_t id = 0;
    int64_t period = 0;
    int64_t due = 0;
    TimerProc proc = nullptr;
    uint64_t order = 0;
};

struct QueueItem {
    enum class Kind { Message, Task, Input, Quit };
    Kind kind = Kind::Message;
    uint32_t window = 0;
    uint32_t message = 0;
    WParam wp = 0;
    LParam lp = 0;
    std::function<void()> task;
    InputEvent input;
    int exitCode = 0;
};

struct State {
    std::mutex mutex;
    std::condition_variable idleChanged;
    std::unordered_map<uint32_t, std::unique_ptr<WindowObj>> windows;
    std::vector<uint32_t> topLevel;  // z-order, bottom first
    std::map<std::string, WindowClass, std::less<>> classes;
    std::deque<QueueItem> queue;
    std::vector<Timer> timers;
    uint64_t timerOrder = 0;
    std::unique_ptr<Backend> backend;
    Size screen = kPanelScreen;
    gfx::Surface screenSurface;
    Rect dirty;  // screen area to compose and present
    std::thread::id uiThread;
    bool running = false;
    uint32_t nextId = 1;
    uint32_t capture = 0;
    std::vector<uint32_t> modal;  // modal dialogs, innermost last
    bool quitPending = false;
    int quitCode = 0;
    uint64_t workSeq = 0;
    uint64_t idleSeq = 0;
    bool idle = false;
    bool recording = false;
};

State& state();
using Lock = std::unique_lock<std::mutex>;

// ---- Helpers that expect the state lock to be held ---------------------------------------------

WindowObj* find(uint32_t id);
Rect clientInset(uint32_t style, Size size);  // the client area inside the window
Rect screenRectLocked(const WindowObj& w);
Rect clientScreenRectLocked(const WindowObj& w);
// The part of the window that can be seen through its parents, in screen coordinates.
Rect visibleScreenRectLocked(const WindowObj& w);
bool shownLocked(const WindowObj& w);
bool enabledLocked(const WindowObj& w);
void markDirtyLocked(const Rect& screenArea);
void invalidateLocked(WindowObj& w, const Rect& clientArea, bool erase);
void wakeLocked();
// Takes the pointer from a captured window that can no longer be touched, telling it so.
void dropCaptureLocked();
bool hasCapture(Window window);
bool isUiThread();
bool hasWorkLocked();

// ---- UI thread ---------------------------------------------------------------------------------

// Paints every shown window whose update area or frame needs it. True when any was painted.
bool paintPending();
// Composes the dirty screen area and hands it to the backend. True when anything was shown.
bool presentPending();
void drawFrame(WindowObj& w);
void dispatchInput(const InputEvent& event);
// Fires the earliest due timer, if any. True when one fired.
bool fireDueTimer();
void removeTimersLocked(uint32_t window);
// The control classes (controls.cpp and friends).
void registerControlClasses();

template <typename T>
T* controlOf(Window window) {
    std::lock_guard lock(state().mutex);
    WindowObj* w = find(window.id);
    return w ? dynamic_cast<T*>(w->control.get()) : nullptr;
}

// Attaches a control state to a window (UI thread).
void setControlState(Window window, std::unique_ptr<ControlState> control);
void setTransparent(Window window);

// What a control needs to draw itself.
struct ControlInfo {
    std::string text;
    uint32_t style = 0;
    gfx::FontSpec font;
    bool enabled = true;  // the control's own flag, not its parents'
    Color background;
    int id = 0;
    Window parent;
};
ControlInfo controlInfo(Window window);
// A disabled control's grey text is meant to stand back: drawn as given, never lifted.
inline unsigned disabledLook(const ControlInfo& info) {
    return info.enabled ? 0u : unsigned{gfx::kAsGiven};
}

}  // namespace platform::ui::detail
