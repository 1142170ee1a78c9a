#pragma once
// The panel's window system.
//
// Windows are named by a small value handle (`Window`); a stale handle is harmless: every call
// on it does nothing and returns a neutral value. Each window belongs to a registered class whose
// procedure receives the window's messages:
//
//     LResult statusProc(Window w, uint32_t message, WParam wp, LParam lp) {
//         switch (message) {
//             case kEraseBackground: return 1;  // painted in full below: no flicker
//             case kPaint: {
//                 PaintContext& pc = paintContext(lp);
//                 gfx::Surface off(pc.client.width(), pc.client.height());
//                 ...draw into off...
//                 pc.painter.copyBitmap(off, {0, 0});  // one step
//                 return 0;
//             }
//         }
//         return defaultProc(w, message, wp, lp);
//     }
//     registerClass({"DRYER_PIC_WINDOW", statusProc});
//     Window pic = createWindow("DRYER_PIC_WINDOW", " SYSTEM STATUS", kChild | kVisible,
//                               {0, 0, 240, 420}, mainWindow);
//
// Threads: the thread that calls startDisplay is the UI thread. Procedures, timers and painting
// run there only. invalidate, postMessage, postTask, show/hide, move, set text and the timer
// calls may be made from any thread; they wake the loop. sendMessage from another thread waits
// for the UI thread to run the procedure. Creating and destroying windows belongs to the UI
// thread.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/font.h"
#include "platform/gfx/painter.h"
#include "platform/gfx/surface.h"
#include "platform/gfx/types.h"

namespace platform::ui {

using gfx::Color;
using gfx::Point;
using gfx::Rect;
using gfx::Size;

struct Window {
    uint32_t id = 0;
    explicit operator bool() const { return id != 0; }
    bool operator==(const Window&) const = default;
};

using WParam = uintptr_t;
using LParam = intptr_t;
using LResult = intptr_t;
using WindowProc = LResult (*)(Window window, uint32_t message, WParam wp, LParam lp);
// A timer's own procedure (instead of kTimer): window, timer id, the time base in ms.
using TimerProc = void (*)(Window window, uint32_t timerId, int64_t nowMs);

// ---- Messages ----------------------------------------------------------------------------------

enum Message : uint32_t {
    kCreate = 1,       // lp: the `param` of the WindowSpec
    kDestroy,          // the window is going; its children follow
    kEraseBackground,  // lp: PaintContext*; return nonzero when done (defaultProc fills the
                       // class background)
    kPaint,            // lp: PaintContext*; draw the update area of the client
    kTimer,            // wp: timer id
    kCommand,          // wp: control id | notification << 16; lp: the control's handle id
    kPointerDown,      // lp: packPoint(client point)
    kPointerUp,
    kPointerMove,
    kDrawItem,  // to an owner-drawn control's parent; lp: DrawItem*
    kHScroll,   // wp: ScrollCode | position << 16; lp: the scroll bar's handle id
    kVScroll,
    kInitDialog,     // lp: the parameter given to runDialog
    kClose,          // defaultProc: destroys the window; dialogs: end with kIdCancel
    kEnable,         // wp: 1 enabled, 0 disabled
    kCaptureLost,    // the pointer held down on the window no longer belongs to it (the window
                     // or a parent was hidden or disabled meanwhile)
    kUser = 0x0400,  // first message number free for the program
};

// Notifications in the high word of kCommand's wp.
enum Notification : uint32_t {
    kClicked = 0,
    kSelectionChanged = 1,  // list box, list view
    kDoubleClicked = 2,
};

enum ScrollCode : uint32_t {
    kLineUp = 0,  // also line left
    kLineDown = 1,
    kPageUp = 2,
    kPageDown = 3,
    kThumbPosition = 4,  // thumb released at the position
    kThumbTrack = 5,     // thumb being dragged to the position
    kEndScroll = 8,
};

struct PaintContext {
    gfx::Painter& painter;  // client coordinates, clipped to the update area
    Rect update;            // client coordinates
    Rect client;            // {0, 0, width, height}
};

struct DrawItem {
    gfx::Painter& painter;  // the control's client coordinates
    Window control;
    int controlId = 0;
    Rect rect;  // the control's client rectangle
    bool pressed = false;
    bool checked = false;
    bool disabled = false;
};

inline PaintContext& paintContext(LParam lp) {
    return *reinterpret_cast<PaintContext*>(lp);
}
inline DrawItem& drawItem(LParam lp) {
    return *reinterpret_cast<DrawItem*>(lp);
}
inline LParam packPoint(Point p) {
    return static_cast<LParam>((static_cast<uint32_t>(p.y & 0xFFFF) << 16) |
                               static_cast<uint32_t>(p.x & 0xFFFF));
}
inline Point unpackPoint(LParam lp) {
    return {static_cast<int16_t>(lp & 0xFFFF), static_cast<int16_t>((lp >> 16) & 0xFFFF)};
}
inline WParam commandParam(int id, uint32_t notification = kClicked) {
    return (static_cast<WParam>(notification) << 16) | (static_cast<WParam>(id) & 0xFFFF);
}
inline int commandId(WParam wp) {
    return static_cast<int>(wp & 0xFFFF);
}
inline uint32_t commandNotification(WParam wp) {
    return static_cast<uint32_t>(wp >> 16);
}
inline uint32_t scrollCode(WParam wp) {
    return static_cast<uint32_t>(wp & 0xFFFF);
}
inline int scrollPosition(WParam wp) {
    return static_cast<int16_t>((wp >> 16) & 0xFFFF);
}

// ---- Classes and windows -----------------------------------------------------------------------

// Window styles (bits from 16 up belong to the controls, controls.h).
inline constexpr uint32_t kChild = 1u << 0;  // placed in the parent's client area, clipped to it
inline constexpr uint32_t kVisible = 1u << 1;
inline constexpr uint32_t kDisabled = 1u << 2;
inline constexpr uint32_t kCaption = 1u << 3;     // caption bar showing the title
inline constexpr uint32_t kClientEdge = 1u << 4;  // sunken edge around the client area
inline constexpr uint32_t kWindowEdge = 1u << 5;  // raised outer edge
inline constexpr uint32_t kBorder = 1u << 6;      // thin black outer line
inline constexpr uint32_t kTopmost = 1u << 7;     // above every window that is not topmost

struct WindowClass {
    WindowClass(std::string name_, WindowProc proc_, Color background_ = gfx::colors::kWindow)
        : name(std::move(name_)), proc(proc_), background(background_) {}
    std::string name;
    WindowProc proc;
    Color background;  // what kEraseBackground fills with by default
};

// Registering a name again replaces its class. False without a name or procedure.
bool registerClass(const WindowClass& windowClass);

// Places a top-level window over the whole screen.
inline constexpr Rect kDefaultRect{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN};

// `rect` is in the parent's client coordinates for a child (kChild), in screen coordinates
// otherwise. `parent` is a child's parent or a top-level window's owner; `id` is the control id
// reported in kCommand; `param` reaches kCreate. Sends kCreate before returning; a procedure
// returning -1 to kCreate refuses the window. Empty handle on failure (unknown class, a child
// without parent).
Window createWindow(std::string_view className, std::string_view title, uint32_t style,
                    const Rect& rect, Window parent = {}, int id = 0, LParam param = 0);
// Destroys the window, its children and the windows it owns.
void destroyWindow(Window window);
bool isWindow(Window window);

void showWindow(Window window, bool show);
// The window's own visibility flag.
bool isVisible(Window window);
// Visible together with all its parents: what can be seen and touched.
bool isShown(Window window);
void enableWindow(Window window, bool enable);
// Enabled together with all its parents.
bool isEnabled(Window window);
// Raises the window to the top of its siblings (within its topmost band).
void bringToTop(Window window);

// The rectangle in the parent's client coordinates (screen coordinates at top level).
void moveWindow(Window window, const Rect& rect);
Rect windowRect(Window window);
Rect screenRect(Window window);
// {0, 0, width, height} of the client area.
Rect clientRect(Window window);
Point clientToScreen(Window window, Point p);

void setWindowText(Window window, std::string_view text);
std::string windowText(Window window);
void setWindowFont(Window window, const gfx::FontSpec& font);
gfx::FontSpec windowFont(Window window);
uint32_t windowStyle(Window window);
std::string windowClassName(Window window);
int windowId(Window window);
Window parentOf(Window window);  // the parent of a child or the owner of a top-level window
// The child of `parent` with the control id; an empty handle when there is none.
Window childById(Window parent, int id);
// The first top-level window of the class (and title, when given), topmost first.
Window findWindow(std::string_view className, std::string_view title = {});
// A value the program keeps with the window.
void setUserData(Window window, intptr_t value);
intptr_t userData(Window window);

// ---- Painting ----------------------------------------------------------------------------------

// Adds the whole client area (or `rect`, client coordinates) to the window's update area. With
// `erase` the next paint is preceded by kEraseBackground. Any thread.
void invalidate(Window window, bool erase = true);
void invalidateRect(Window window, const Rect& rect, bool erase = true);
// Paints the window now if its update area is not empty (UI thread).
void updateWindow(Window window);

// ---- Messages and the loop ---------------------------------------------------------------------

LResult sendMessage(Window window, uint32_t message, WParam wp = 0, LParam lp = 0);
bool postMessage(Window window, uint32_t message, WParam wp = 0, LParam lp = 0);
// Runs `task` on the UI thread from its loop. Any thread.
void postTask(std::function<void()> task);
// Ends runMessageLoop with the code once the messages posted before it are handled.
void postQuit(int exitCode);
LResult defaultProc(Window window, uint32_t message, WParam wp, LParam lp);

// Dispatches until the quit message; returns its exit code.
int runMessageLoop();
// Dispatches until `done` returns true or the quit message arrives (it stays pending for the
// outer loop). Returns false on quit. Used by modal dialogs.
bool runNestedLoop(const std::function<bool()>& done);

// ---- Timers ------------------------------------------------------------------------------------

// Starts or restarts the window's timer `timerId`: kTimer (or `proc`) every `periodMs`,
// measured on the clock module's monotonicMs. Ticks keep their phase: a late tick does not move
// the next one, and ticks missed during a stall are dropped, not queued.
bool setTimer(Window window, uint32_t timerId, int periodMs, TimerProc proc = nullptr);
void killTimer(Window window, uint32_t timerId);

}  // namespace platform::ui
