// Windows, their tree and z-order, invalidation and messages.
#include <algorithm>
#include <future>

#include "platform/clock/clock.h"
#include "platform/ui/controls.h"
#include "platform/ui/internal.h"

namespace platform::ui {
namespace detail {

State& state() {
    static State* s = new State();  // never destroyed: other threads may still post during exit
    return *s;
}

WindowObj* find(uint32_t id) {
    if (id == 0) return nullptr;
    auto& windows = state().windows;
    auto it = windows.find(id);
    return it == windows.end() ? nullptr : it->second.get();
}

Rect clientInset(uint32_t style, Size size) {
    int edge = 0;
    if (style & kBorder) edge += 1;
    if (style & kWindowEdge) edge += 2;
    Rect r{edge, edge, size.width - edge, size.height - edge};
    if (style & kCaption) r.top = std::min(r.bottom, r.top + kCaptionHeight);
    if (style & kClientEdge) r = r.inflate(-2, -2);
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

Rect screenRectLocked(const WindowObj& w) {
    if (!w.isChild()) return w.rect;
    const WindowObj* parent = find(w.parent);
    if (!parent) return w.rect;
    const Rect client = clientScreenRectLocked(*parent);
    return w.rect.offset(client.left, client.top);
}

Rect clientScreenRectLocked(const WindowObj& w) {
    const Rect screen = screenRectLocked(w);
    return clientInset(w.style, {w.rect.width(), w.rect.height()}).offset(screen.left, screen.top);
}

Rect visibleScreenRectLocked(const WindowObj& w) {
    Rect r = screenRectLocked(w);
    for (const WindowObj* p = &w; p->isChild();) {
        p = find(p->parent);
        if (!p) break;
        r = r.intersect(clientScreenRectLocked(*p));
    }
    return r;
}

bool shownLocked(const WindowObj& w) {
    for (const WindowObj* p = &w; p; p = p->isChild() ? find(p->parent) : nullptr) {
        if (!p->visible) return false;
    }
    return true;
}

bool enabledLocked(const WindowObj& w) {
    for (const WindowObj* p = &w; p; p = p->isChild() ? find(p->parent) : nullptr) {
        if (!p->enabled) return false;
    }
    return true;
}

void markDirtyLocked(const Rect& screenArea) {
    State& s = state();
    s.dirty = s.dirty.unite(screenArea.intersect({0, 0, s.screen.width, s.screen.height}));
}

void wakeLocked() {
    State& s = state();
    ++s.workSeq;
    if (s.backend) s.backend->wake();
}

void invalidateLocked(WindowObj& w, const Rect& clientArea, bool erase) {
    const Rect inset = clientInset(w.style, {w.rect.width(), w.rect.height()});
    const Rect area = clientArea.intersect({0, 0, inset.width(), inset.height()});
    if (area.empty()) return;
    w.update = w.update.unite(area);
    w.erase = w.erase || erase;
    wakeLocked();
}

void dropCaptureLocked() {
    State& s = state();
    const WindowObj* captured = find(s.capture);
    if (captured && shownLocked(*captured) && enabledLocked(*captured)) return;
    s.capture = 0;
    if (!captured) return;
    QueueItem item;
    item.window = captured->id;
    item.message = kCaptureLost;
    s.queue.push_back(std::move(item));
    wakeLocked();
}

bool hasCapture(Window window) {
    std::lock_guard lock(state().mutex);
    return window.id != 0 && state().capture == window.id;
}

bool isUiThread() {
    State& s = state();
    return !s.running || s.uiThread == std::this_thread::get_id();
}

void setControlState(Window window, std::unique_ptr<ControlState> control) {
    std::lock_guard lock(state().mutex);
    if (WindowObj* w = find(window.id)) w->control = std::move(control);
}

void setTransparent(Window window) {
    std::lock_guard lock(state().mutex);
    if (WindowObj* w = find(window.id)) w->transparent = true;
}

ControlInfo controlInfo(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    if (!w) return {};
    return {w->title,      w->style,     w->font,          w->enabled,
            w->background, w->controlId, Window{w->parent}};
}

}  // namespace detail

using namespace detail;

namespace {

bool topmostBand(const WindowObj& w) {
    if (w.isChild()) return (w.style & kTopmost) != 0;
    for (const WindowObj* p = &w; p; p = find(p->parent)) {
        if (p->style & kTopmost) return true;
    }
    return false;
}

std::vector<uint32_t>& siblingsOf(const WindowObj& w) {
    if (w.isChild()) {
        if (WindowObj* parent = find(w.parent)) return parent->children;
    }
    return state().topLevel;
}

// Moves the window to the top of its band among its siblings.
void raiseLocked(WindowObj& w) {
    auto& list = siblingsOf(w);
    std::erase(list, w.id);
    if (topmostBand(w)) {
        list.push_back(w.id);
        return;
    }
    auto firstTop = std::find_if(list.begin(), list.end(), [](uint32_t id) {
        const WindowObj* o = find(id);
        return o && topmostBand(*o);
    });
    list.insert(firstTop, w.id);
}

Rect defaultRect(const Rect& rect) {
    if (rect != kDefaultRect) return rect;
    const Size screen = state().screen;
    return {0, 0, screen.width, screen.height};
}

void destroyTree(uint32_t id) {
    std::vector<uint32_t> children;
    std::vector<uint32_t> owned;
    {
        std::lock_guard lock(state().mutex);
        WindowObj* w = find(id);
        if (!w || w->destroying) return;
        w->destroying = true;
    }
    sendMessage(Window{id}, kDestroy);
    {
        std::lock_guard lock(state().mutex);
        WindowObj* w = find(id);
        if (!w) return;
        children = w->children;
        for (uint32_t other : state().topLevel) {
            const WindowObj* o = find(other);
            if (o && o->parent == id) owned.push_back(other);
        }
    }
    for (uint32_t child : children)
        destroyTree(child);
    for (uint32_t other : owned)
        destroyTree(other);

    std::lock_guard lock(state().mutex);
    State& s = state();
    WindowObj* w = find(id);
    if (!w) return;
    if (w->visible) markDirtyLocked(visibleScreenRectLocked(*w));
    std::erase(siblingsOf(*w), id);
    removeTimersLocked(id);
    if (s.capture == id) s.capture = 0;
    std::erase(s.modal, id);
    s.windows.erase(id);
    wakeLocked();
}

LResult callProc(uint32_t id, uint32_t message, WParam wp, LParam lp) {
    WindowProc proc = nullptr;
    {
        std::lock_guard lock(state().mutex);
        const WindowObj* w = find(id);
        if (!w) return 0;
        proc = w->proc;
    }
    return proc(Window{id}, message, wp, lp);
}

}  // namespace

bool registerClass(const WindowClass& windowClass) {
    if (windowClass.name.empty() || !windowClass.proc) return false;
    std::lock_guard lock(state().mutex);
    state().classes.insert_or_assign(windowClass.name, windowClass);
    return true;
}

Window createWindow(std::string_view className, std::string_view title, uint32_t style,
                    const Rect& rect, Window parentWindow, int controlId, LParam param) {
    uint32_t id = 0;
    {
        std::lock_guard lock(state().mutex);
        State& s = state();
        auto cls = s.classes.find(className);
        if (cls == s.classes.end()) return {};
        const bool child = (style & kChild) != 0;
        WindowObj* parent = find(parentWindow.id);
        if (child && !parent) return {};
        auto w = std::make_unique<WindowObj>();
        id = w->id = s.nextId++;
        w->className = std::string(className);
        w->proc = cls->second.proc;
        w->background = cls->second.background;
        w->title = std::string(title);
        w->style = style & ~(kVisible | kDisabled);
        w->rect = child ? rect : defaultRect(rect);
        w->parent = parent ? parent->id : 0;
        w->enabled = (style & kDisabled) == 0;
        w->controlId = controlId;
        if (parent && child) w->font = parent->font;
        WindowObj& ref = *w;
        s.windows.emplace(id, std::move(w));
        raiseLocked(ref);
    }
    if (callProc(id, kCreate, 0, param) == -1) {
        destroyWindow(Window{id});
        return {};
    }
    if (style & kVisible) showWindow(Window{id}, true);
    return Window{id};
}

void destroyWindow(Window window) {
    destroyTree(window.id);
}

bool isWindow(Window window) {
    std::lock_guard lock(state().mutex);
    return find(window.id) != nullptr;
}

void showWindow(Window window, bool show) {
    std::lock_guard lock(state().mutex);
    WindowObj* w = find(window.id);
    if (!w || w->visible == show) return;
    w->visible = show;
    if (show) {
        raiseLocked(*w);
        w->frameDirty = true;
        invalidateLocked(*w, {0, 0, w->rect.width(), w->rect.height()}, true);
    } else {
        dropCaptureLocked();
    }
    markDirtyLocked(visibleScreenRectLocked(*w));
    wakeLocked();
}

bool isVisible(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    return w && w->visible;
}

bool isShown(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    return w && shownLocked(*w);
}

void enableWindow(Window window, bool enable) {
    {
        std::lock_guard lock(state().mutex);
        WindowObj* w = find(window.id);
        if (!w || w->enabled == enable) return;
        w->enabled = enable;
        if (!enable) dropCaptureLocked();
        invalidateLocked(*w, {0, 0, w->rect.width(), w->rect.height()}, true);
    }
    if (isUiThread()) {
        sendMessage(window, kEnable, enable ? 1 : 0);
    } else {
        postMessage(window, kEnable, enable ? 1 : 0);
    }
}

bool isEnabled(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    return w && enabledLocked(*w);
}

void bringToTop(Window window) {
    std::lock_guard lock(state().mutex);
    WindowObj* w = find(window.id);
    if (!w) return;
    raiseLocked(*w);
    markDirtyLocked(visibleScreenRectLocked(*w));
    wakeLocked();
}

void moveWindow(Window window, const Rect& rect) {
    std::lock_guard lock(state().mutex);
    WindowObj* w = find(window.id);
    if (!w || w->rect == rect) return;
    if (w->visible) markDirtyLocked(visibleScreenRectLocked(*w));
    const bool resized = rect.width() != w->rect.width() || rect.height() != w->rect.height();
    w->rect = rect;
    if (resized) {
        w->frameDirty = true;
        invalidateLocked(*w, {0, 0, rect.width(), rect.height()}, true);
    }
    if (w->visible) markDirtyLocked(visibleScreenRectLocked(*w));
    wakeLocked();
}

Rect windowRect(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    return w ? w->rect : Rect{};
}

Rect screenRect(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    return w ? screenRectLocked(*w) : Rect{};
}

Rect clientRect(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    if (!w) return {};
    const Rect inset = clientInset(w->style, {w->rect.width(), w->rect.height()});
    return {0, 0, inset.width(), inset.height()};
}

Point clientToScreen(Window window, Point p) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    if (!w) return p;
    const Rect client = clientScreenRectLocked(*w);
    return {p.x + client.left, p.y + client.top};
}

void setWindowText(Window window, std::string_view text) {
    std::lock_guard lock(state().mutex);
    WindowObj* w = find(window.id);
    if (!w || w->title == text) return;
    w->title = std::string(text);
    w->frameDirty = true;
    // Controls, text labels and fields show their text in the client area.
    if (w->control || w->className == kStaticClass || w->className == kEditClass) {
        invalidateLocked(*w, {0, 0, w->rect.width(), w->rect.height()}, true);
    }
    wakeLocked();
}

std::string windowText(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    return w ? w->title : std::string();
}

void setWindowFont(Window window, const gfx::FontSpec& font) {
    std::lock_guard lock(state().mutex);
    WindowObj* w = find(window.id);
    if (!w || w->font == font) return;
    w->font = font;
    invalidateLocked(*w, {0, 0, w->rect.width(), w->rect.height()}, true);
}

gfx::FontSpec windowFont(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    return w ? w->font : gfx::systemFont();
}

uint32_t windowStyle(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    if (!w) return 0;
    return w->style | (w->visible ? kVisible : 0u) | (w->enabled ? 0u : kDisabled);
}

std::string windowClassName(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    return w ? w->className : std::string();
}

int windowId(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    return w ? w->controlId : 0;
}

Window parentOf(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    return w ? Window{w->parent} : Window{};
}

Window childById(Window parent, int id) {
    std::lock_guard lock(state().mutex);
    const WindowObj* p = find(parent.id);
    if (!p) return {};
    for (uint32_t c : p->children) {
        const WindowObj* child = find(c);
        if (child && child->controlId == id) return Window{c};
    }
    return {};
}

Window findWindow(std::string_view className, std::string_view title) {
    std::lock_guard lock(state().mutex);
    const auto& list = state().topLevel;
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        const WindowObj* w = find(*it);
        if (w && w->className == className && (title.empty() || w->title == title)) {
            return Window{w->id};
        }
    }
    return {};
}

void setUserData(Window window, intptr_t value) {
    std::lock_guard lock(state().mutex);
    if (WindowObj* w = find(window.id)) w->userData = value;
}

intptr_t userData(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    return w ? w->userData : 0;
}

void invalidate(Window window, bool erase) {
    invalidateRect(window, {0, 0, INT32_MAX / 2, INT32_MAX / 2}, erase);
}

void invalidateRect(Window window, const Rect& rect, bool erase) {
    std::lock_guard lock(state().mutex);
    if (WindowObj* w = find(window.id)) invalidateLocked(*w, rect, erase);
}

LResult sendMessage(Window window, uint32_t message, WParam wp, LParam lp) {
    if (isUiThread()) return callProc(window.id, message, wp, lp);
    auto done = std::make_shared<std::promise<LResult>>();
    auto result = done->get_future();
    postTask([=] { done->set_value(callProc(window.id, message, wp, lp)); });
    return result.get();
}

bool postMessage(Window window, uint32_t message, WParam wp, LParam lp) {
    std::lock_guard lock(state().mutex);
    if (!find(window.id)) return false;
    QueueItem item;
    item.window = window.id;
    item.message = message;
    item.wp = wp;
    item.lp = lp;
    state().queue.push_back(std::move(item));
    wakeLocked();
    return true;
}

void postTask(std::function<void()> task) {
    std::lock_guard lock(state().mutex);
    QueueItem item;
    item.kind = QueueItem::Kind::Task;
    item.task = std::move(task);
    state().queue.push_back(std::move(item));
    wakeLocked();
}

void postQuit(int exitCode) {
    std::lock_guard lock(state().mutex);
    QueueItem item;
    item.kind = QueueItem::Kind::Quit;
    item.exitCode = exitCode;
    state().queue.push_back(std::move(item));
    wakeLocked();
}

LResult defaultProc(Window window, uint32_t message, WParam, LParam lp) {
    switch (message) {
        case kEraseBackground: {
            PaintContext& pc = paintContext(lp);
            Color background;
            {
                std::lock_guard lock(state().mutex);
                const WindowObj* w = find(window.id);
                if (!w) return 0;
                background = w->background;
            }
            pc.painter.fillRect(pc.update, background);
            return 1;
        }
        case kClose:
            destroyWindow(window);
            return 0;
        default:
            return 0;
    }
}

Size screenSize() {
    std::lock_guard lock(state().mutex);
    return state().screen;
}

std::vector<Window> allWindows() {
    std::lock_guard lock(state().mutex);
    std::vector<Window> out;
    std::function<void(uint32_t)> walk = [&](uint32_t id) {
        const WindowObj* w = find(id);
        if (!w) return;
        out.push_back(Window{id});
        for (uint32_t c : w->children)
            walk(c);
    };
    for (uint32_t id : state().topLevel)
        walk(id);
    return out;
}

void startDisplay(std::unique_ptr<Backend> backend, Size screen) {
    {
        std::lock_guard lock(state().mutex);
        State& s = state();
        s.backend = std::move(backend);
        s.screen = screen;
        s.screenSurface = gfx::Surface(screen.width, screen.height);
        s.dirty = {0, 0, screen.width, screen.height};
        s.uiThread = std::this_thread::get_id();
        s.running = true;
        s.quitPending = false;
        s.queue.clear();
        s.idle = false;
    }
    registerControlClasses();
}

void stopDisplay() {
    std::vector<uint32_t> top;
    {
        std::lock_guard lock(state().mutex);
        top = state().topLevel;
    }
    for (auto it = top.rbegin(); it != top.rend(); ++it)
        destroyTree(*it);
    std::unique_ptr<Backend> backend;
    {
        std::lock_guard lock(state().mutex);
        State& s = state();
        s.windows.clear();
        s.topLevel.clear();
        s.queue.clear();
        s.timers.clear();
        s.modal.clear();
        s.capture = 0;
        s.quitPending = false;
        s.running = false;
        s.recording = false;
        backend = std::move(s.backend);
        s.idle = true;
        ++s.workSeq;
        s.idleSeq = s.workSeq;
    }
    state().idleChanged.notify_all();
}

}  // namespace platform::ui
