// The message loop: queued messages and input, timers, painting, composition and idle.
#include <algorithm>
#include <climits>
#include <optional>

#include "platform/clock/clock.h"
#include "platform/ui/internal.h"

namespace platform::ui {
namespace detail {
namespace {

// Bounds the wait of the real clock so that a clock step cannot park the loop for long.
constexpr int64_t kMaxWaitMs = 1000;

int64_t nextTimerDueLocked() {
    int64_t due = INT64_MAX;
    for (const Timer& t : state().timers)
        due = std::min(due, t.due);
    return due;
}

Rect windowArea(const WindowObj& w) {
    return {0, 0, w.rect.width(), w.rect.height()};
}

bool needsPaintLocked(const WindowObj& w) {
    return shownLocked(w) && (!w.update.empty() || w.frameDirty ||
                              w.surface.size() != Size{w.rect.width(), w.rect.height()});
}

// Draws the frame; while texts are recorded, keeps the caption's text in client coordinates.
void drawFrameRecorded(WindowObj& w, Point clientOrigin) {
    if (!state().recording) {
        drawFrame(w);
        return;
    }
    std::vector<gfx::DrawnText> texts;
    const gfx::TextObserver observer = [&](const gfx::DrawnText& t) {
        gfx::DrawnText& kept = texts.emplace_back(t);
        kept.rect = t.rect.offset(-clientOrigin.x, -clientOrigin.y);
        for (gfx::TextLine& line : kept.lines)
            line.box = line.box.offset(-clientOrigin.x, -clientOrigin.y);
    };
    gfx::setTextObserver(&observer);
    drawFrame(w);
    gfx::setTextObserver(nullptr);
    w.frameTexts = std::move(texts);
}

// Paints one window: frame, erase and client paint into its surface.
void paintWindow(uint32_t id) {
    gfx::Surface surface;
    Rect update;
    Rect inset;
    bool erase = false;
    bool frame = false;
    {
        std::lock_guard lock(state().mutex);
        WindowObj* w = find(id);
        if (!w || !needsPaintLocked(*w)) return;
        const Size size{w->rect.width(), w->rect.height()};
        if (w->surface.size() != size) {
            w->surface = gfx::Surface(size.width, size.height, w->background);
            if (w->transparent) w->surface.clear();
            w->frameDirty = true;
            w->update = windowArea(*w);
            w->erase = true;
        }
        inset = clientInset(w->style, size);
        update = w->update.intersect({0, 0, inset.width(), inset.height()});
        erase = w->erase;
        frame = w->frameDirty;
        if (frame) drawFrameRecorded(*w, {inset.left, inset.top});
        w->update = {};
        w->erase = false;
        w->frameDirty = false;
        surface = std::move(w->surface);
        markDirtyLocked(visibleScreenRectLocked(*w));
    }
    std::vector<gfx::DrawnText> texts;
    const gfx::TextObserver observer = [&texts](const gfx::DrawnText& t) { texts.push_back(t); };
    bool recording = false;
    if (!update.empty()) {
        {
            std::lock_guard lock(state().mutex);
            recording = state().recording;
        }
        if (recording) gfx::setTextObserver(&observer);
        gfx::Painter painter(surface, {inset.left, inset.top}, update);
        PaintContext pc{painter, update, {0, 0, inset.width(), inset.height()}};
        if (erase &&
            sendMessage(Window{id}, kEraseBackground, 0, reinterpret_cast<LParam>(&pc)) == 0) {
            defaultProc(Window{id}, kEraseBackground, 0, reinterpret_cast<LParam>(&pc));
        }
        painter.setClip(update);
        sendMessage(Window{id}, kPaint, 0, reinterpret_cast<LParam>(&pc));
        if (recording) gfx::setTextObserver(nullptr);
    }
    std::lock_guard lock(state().mutex);
    WindowObj* w = find(id);
    if (!w) return;
    if (w->surface.empty()) w->surface = std::move(surface);
    if (recording) w->texts = std::move(texts);
}

void blitTree(const WindowObj& w, gfx::Surface& target, Point shift, const Rect& clip) {
    const Rect sr = screenRectLocked(w).offset(shift.x, shift.y);
    gfx::Painter painter(target, {0, 0}, clip);
    if (w.transparent) {
        painter.copyBitmapOver(w.surface, {sr.left, sr.top});
    } else {
        painter.copyBitmap(w.surface, {sr.left, sr.top});
    }
    const Rect client = clientScreenRectLocked(w).offset(shift.x, shift.y).intersect(clip);
    if (client.empty()) return;
    for (uint32_t c : w.children) {
        const WindowObj* child = find(c);
        if (child && child->visible) blitTree(*child, target, shift, client);
    }
}

void composeLocked(const Rect& area) {
    State& s = state();
    gfx::Painter painter(s.screenSurface);
    painter.fillRect(area, gfx::colors::kBlack);
    for (uint32_t id : s.topLevel) {
        const WindowObj* w = find(id);
        if (w && w->visible) blitTree(*w, s.screenSurface, {0, 0}, area);
    }
}

uint32_t hitLocked(const WindowObj& w, Point p) {
    if (!w.visible || w.transparent || !screenRectLocked(w).contains(p)) return 0;
    if (clientScreenRectLocked(w).contains(p)) {
        for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
            const WindowObj* child = find(*it);
            if (!child) continue;
            if (uint32_t hit = hitLocked(*child, p)) return hit;
        }
    }
    return w.id;
}

uint32_t windowAtLocked(Point p) {
    const auto& list = state().topLevel;
    for (auto it = list.rbegin(); it != list.rend(); ++it) {
        const WindowObj* w = find(*it);
        if (!w) continue;
        if (uint32_t hit = hitLocked(*w, p)) return hit;
    }
    return 0;
}

// While a modal dialog runs, only it and its children take input.
bool inputAllowedLocked(const WindowObj& target) {
    if (!enabledLocked(target)) return false;
    const auto& modal = state().modal;
    if (modal.empty()) return true;
    for (const WindowObj* p = &target; p; p = p->isChild() ? find(p->parent) : nullptr) {
        if (p->id == modal.back()) return true;
    }
    return false;
}

void dispatchItem(QueueItem& item) {
    switch (item.kind) {
        case QueueItem::Kind::Message:
            sendMessage(Window{item.window}, item.message, item.wp, item.lp);
            break;
        case QueueItem::Kind::Task:
            item.task();
            break;
        case QueueItem::Kind::Input:
            dispatchInput(item.input);
            break;
        case QueueItem::Kind::Quit: {
            std::lock_guard lock(state().mutex);
            state().quitPending = true;
            state().quitCode = item.exitCode;
            break;
        }
    }
}

// Queued items first, in arrival order; then timers, then painting, then the screen.
bool processOne() {
    std::optional<QueueItem> item;
    {
        std::lock_guard lock(state().mutex);
        State& s = state();
        if (!s.queue.empty()) {
            item = std::move(s.queue.front());
            s.queue.pop_front();
        }
    }
    if (item) {
        dispatchItem(*item);
        return true;
    }
    return fireDueTimer() || paintPending() || presentPending();
}

void waitForWork() {
    State& s = state();
    int64_t timeout = -1;
    {
        std::lock_guard lock(s.mutex);
        if (hasWorkLocked() || s.quitPending) return;
        if (!s.timers.empty() && !manualClockActive()) {
            timeout = std::clamp<int64_t>(nextTimerDueLocked() - monotonicMs(), 0, kMaxWaitMs);
        }
        s.idle = true;
        s.idleSeq = s.workSeq;
    }
    s.idleChanged.notify_all();
    std::vector<InputEvent> events;
    if (s.backend) s.backend->waitEvents(static_cast<int>(timeout), events);
    std::lock_guard lock(s.mutex);
    s.idle = false;
    for (const InputEvent& e : events) {
        QueueItem item;
        item.kind = QueueItem::Kind::Input;
        item.input = e;
        s.queue.push_back(std::move(item));
    }
}

}  // namespace

bool hasWorkLocked() {
    State& s = state();
    if (!s.queue.empty() || !s.dirty.empty()) return true;
    const int64_t now = monotonicMs();
    for (const Timer& t : s.timers) {
        if (t.due <= now) return true;
    }
    for (const auto& [id, w] : s.windows) {
        if (needsPaintLocked(*w)) return true;
    }
    return false;
}

bool paintPending() {
    std::vector<uint32_t> ids;
    {
        std::lock_guard lock(state().mutex);
        for (const auto& [id, w] : state().windows) {
            if (needsPaintLocked(*w)) ids.push_back(id);
        }
    }
    if (ids.empty()) return false;
    // Parents before children, so that a parent's paint never covers a child's fresh one.
    for (Window w : allWindows()) {
        if (std::find(ids.begin(), ids.end(), w.id) != ids.end()) paintWindow(w.id);
    }
    return true;
}

bool presentPending() {
    State& s = state();
    Rect area;
    {
        std::lock_guard lock(s.mutex);
        area = s.dirty;
        if (area.empty()) return false;
        s.dirty = {};
        composeLocked(area);
    }
    if (s.backend) s.backend->present(s.screenSurface, {area});
    return true;
}

void removeTimersLocked(uint32_t window) {
    std::erase_if(state().timers, [window](const Timer& t) { return t.window == window; });
}

bool fireDueTimer() {
    Timer fired;
    int64_t now = 0;
    {
        std::lock_guard lock(state().mutex);
        auto& timers = state().timers;
        now = monotonicMs();
        auto due = timers.end();
        for (auto it = timers.begin(); it != timers.end(); ++it) {
            if (it->due > now) continue;
            if (due == timers.end() || it->due < due->due ||
                (it->due == due->due && it->order < due->order)) {
                due = it;
            }
        }
        if (due == timers.end()) return false;
        fired = *due;
        due->due += due->period;
        if (due->due <= now) due->due += ((now - due->due) / due->period + 1) * due->period;
    }
    if (fired.proc) {
        fired.proc(Window{fired.window}, fired.id, now);
    } else {
        sendMessage(Window{fired.window}, kTimer, fired.id);
    }
    return true;
}

void dispatchInput(const InputEvent& event) {
    uint32_t target = 0;
    uint32_t message = 0;
    Point client;
    {
        std::lock_guard lock(state().mutex);
        State& s = state();
        if (event.kind == InputEvent::Kind::Quit) {
            s.quitPending = true;
            s.quitCode = 0;
            return;
        }
        const uint32_t hit = windowAtLocked(event.at);
        target = s.capture ? s.capture : hit;
        const WindowObj* w = find(target);
        if (!w) return;
        if (event.kind == InputEvent::Kind::PointerDown) {
            if (!inputAllowedLocked(*w)) return;
            s.capture = target;
            message = kPointerDown;
        } else if (event.kind == InputEvent::Kind::PointerUp) {
            if (s.capture == 0 && !inputAllowedLocked(*w)) return;
            s.capture = 0;
            message = kPointerUp;
        } else {
            if (s.capture == 0 && !inputAllowedLocked(*w)) return;
            message = kPointerMove;
        }
        const Rect client0 = clientScreenRectLocked(*w);
        client = {event.at.x - client0.left, event.at.y - client0.top};
    }
    sendMessage(Window{target}, message, 0, packPoint(client));
}

}  // namespace detail

using namespace detail;

int runMessageLoop() {
    for (;;) {
        {
            std::lock_guard lock(state().mutex);
            if (state().quitPending) {
                state().quitPending = false;
                return state().quitCode;
            }
        }
        if (!processOne()) waitForWork();
    }
}

bool runNestedLoop(const std::function<bool()>& done) {
    while (!done()) {
        {
            std::lock_guard lock(state().mutex);
            if (state().quitPending || !state().running) return false;
        }
        if (!processOne()) waitForWork();
    }
    return true;
}

bool setTimer(Window window, uint32_t timerId, int periodMs, TimerProc proc) {
    std::lock_guard lock(state().mutex);
    State& s = state();
    if (!find(window.id) || periodMs <= 0) return false;
    std::erase_if(s.timers,
                  [&](const Timer& t) { return t.window == window.id && t.id == timerId; });
    s.timers.push_back(
        {window.id, timerId, periodMs, monotonicMs() + periodMs, proc, s.timerOrder++});
    wakeLocked();
    return true;
}

void killTimer(Window window, uint32_t timerId) {
    std::lock_guard lock(state().mutex);
    std::erase_if(state().timers,
                  [&](const Timer& t) { return t.window == window.id && t.id == timerId; });
}

void updateWindow(Window window) {
    if (!isUiThread()) return;
    paintWindow(window.id);
}

void injectInput(const InputEvent& event) {
    std::lock_guard lock(state().mutex);
    QueueItem item;
    item.kind = QueueItem::Kind::Input;
    item.input = event;
    state().queue.push_back(std::move(item));
    wakeLocked();
}

void wakeLoop() {
    std::lock_guard lock(state().mutex);
    wakeLocked();
}

Window windowAt(Point screen) {
    std::lock_guard lock(state().mutex);
    return Window{windowAtLocked(screen)};
}

gfx::Surface captureScreen() {
    std::lock_guard lock(state().mutex);
    State& s = state();
    // Every change on the screen marks its area dirty, so the composed screen is current once
    // the dirty area is composed; it stays dirty for the next present.
    if (!s.dirty.empty()) composeLocked(s.dirty);
    return s.screenSurface;
}

gfx::Surface captureWindow(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    if (!w) return {};
    const Rect sr = screenRectLocked(*w);
    gfx::Surface out(sr.width(), sr.height());
    blitTree(*w, out, {-sr.left, -sr.top}, out.bounds());
    return out;
}

void waitUntilIdle() {
    State& s = state();
    std::unique_lock lock(s.mutex);
    s.idleChanged.wait(lock, [&] { return !s.running || (s.idle && s.idleSeq == s.workSeq); });
}

int64_t nextTimerDue() {
    std::lock_guard lock(state().mutex);
    return nextTimerDueLocked();
}

void recordDrawnText(bool on) {
    std::lock_guard lock(state().mutex);
    state().recording = on;
}

Window innermostModal() {
    std::lock_guard lock(state().mutex);
    const auto& modal = state().modal;
    return modal.empty() ? Window{} : Window{modal.back()};
}

std::vector<gfx::DrawnText> drawnTexts(Window window) {
    std::lock_guard lock(state().mutex);
    const WindowObj* w = find(window.id);
    if (!w) return {};
    std::vector<gfx::DrawnText> texts = w->frameTexts;
    texts.insert(texts.end(), w->texts.begin(), w->texts.end());
    return texts;
}

}  // namespace platform::ui
