// Dialog windows from templates and their modal run.
#include "platform/ui/dialog.h"

#include <algorithm>

#include "platform/ui/internal.h"
#include "platform/ui/modal.h"

namespace platform::ui {
namespace detail {
namespace {

constexpr const char* kDialogClass = "#DIALOG";
constexpr uint32_t kDialogStyle = kCaption | kWindowEdge | kTopmost;

struct DialogState : ControlState {
    DialogProc proc = nullptr;
    bool ended = false;
    int result = 0;
};

LResult dialogWindowProc(Window w, uint32_t message, WParam wp, LParam lp) {
    DialogState* st = controlOf<DialogState>(w);
    if (st && st->proc) {
        if (LResult handled = st->proc(w, message, wp, lp)) return handled;
    }
    if (message == kClose) return 0;  // dialogs close through their buttons only
    return defaultProc(w, message, wp, lp);
}

struct ItemClass {
    const char* className;
    uint32_t style;
};

ItemClass classOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::PushButton:
            return {kButtonClass, kPushButton};
        case ControlKind::OwnerDrawButton:
            return {kButtonClass, kOwnerDraw};
        case ControlKind::RadioButton:
            return {kButtonClass, kRadioButton};
        case ControlKind::PushLikeRadio:
            return {kButtonClass, kRadioButton | kPushLike | kMultiLine};
        case ControlKind::CheckBox:
            return {kButtonClass, kCheckBox};
        case ControlKind::GroupBox:
            return {kButtonClass, kGroupBox};
        case ControlKind::Static:
            return {kStaticClass, kTextLeft};
        case ControlKind::StaticCenter:
            return {kStaticClass, kTextCenter};
        case ControlKind::Edit:
            return {kEditClass, kTextLeft};
        case ControlKind::ListBox:
            return {kListBoxClass, 0};
        case ControlKind::ListView:
            return {kListViewClass, 0};
        case ControlKind::HScrollBar:
            return {kScrollBarClass, 0};
        case ControlKind::VScrollBar:
            return {kScrollBarClass, kVertical};
        case ControlKind::Progress:
            return {kProgressClass, 0};
    }
    return {kStaticClass, 0};
}

int scale(int units, int base, int divisor) {
    const int64_t v = static_cast<int64_t>(units) * base;
    return static_cast<int>(v >= 0 ? (v + divisor / 2) / divisor : (v - divisor / 2) / divisor);
}

}  // namespace

void registerDialogClass() {
    registerClass({kDialogClass, dialogWindowProc, gfx::colors::kDialog});
}

Window createDialogWindow(std::string_view title, Size client, Window owner, DialogProc proc) {
    const Rect inset = clientInset(kDialogStyle, {100, 100});
    const Size size{client.width + 100 - inset.width(), client.height + 100 - inset.height()};
    const Size screen = screenSize();
    const Rect rect =
        Rect::fromSize(std::max(0, (screen.width - size.width) / 2),
                       std::max(0, (screen.height - size.height) / 2), size.width, size.height);
    const Window dialog = createWindow(kDialogClass, title, kDialogStyle, rect, owner);
    auto st = std::make_unique<DialogState>();
    st->proc = proc;
    setControlState(dialog, std::move(st));
    return dialog;
}

int runModal(Window dialog, Window owner) {
    const bool disableOwner = owner && (windowStyle(owner) & kDisabled) == 0;
    if (disableOwner) enableWindow(owner, false);
    {
        std::lock_guard lock(state().mutex);
        state().modal.push_back(dialog.id);
    }
    showWindow(dialog, true);
    const bool finished = runNestedLoop([dialog] {
        const DialogState* st = controlOf<DialogState>(dialog);
        return !st || st->ended;
    });
    const DialogState* st = controlOf<DialogState>(dialog);
    const int result = finished && st ? st->result : 0;
    {
        std::lock_guard lock(state().mutex);
        std::erase(state().modal, dialog.id);
    }
    if (disableOwner) enableWindow(owner, true);
    destroyWindow(dialog);
    return result;
}

}  // namespace detail

using namespace detail;

Rect dialogUnitsToPixels(const Rect& units) {
    return {scale(units.left, kDialogBaseX, 4), scale(units.top, kDialogBaseY, 8),
            scale(units.right, kDialogBaseX, 4), scale(units.bottom, kDialogBaseY, 8)};
}

int runDialog(const DialogTemplate& dialogTemplate, Window owner, DialogProc proc, LParam param) {
    const Rect client = dialogUnitsToPixels({0, 0, dialogTemplate.cx, dialogTemplate.cy});
    const Window dialog =
        createDialogWindow(dialogTemplate.title, {client.width(), client.height()}, owner, proc);
    if (!dialog) return 0;
    for (const DialogItem& item : dialogTemplate.items) {
        const ItemClass cls = classOf(item.kind);
        const uint32_t visible = (item.flags & kHidden) ? 0u : kVisible;
        createWindow(
            cls.className, item.text, cls.style | kChild | visible | (item.flags & ~kHidden),
            dialogUnitsToPixels(Rect::fromSize(item.x, item.y, item.cx, item.cy)), dialog, item.id);
    }
    sendMessage(dialog, kInitDialog, 0, param);
    return runModal(dialog, owner);
}

void endDialog(Window dialog, int result) {
    if (DialogState* st = controlOf<DialogState>(dialog)) {
        st->ended = true;
        st->result = result;
        wakeLoop();
    }
}

// A child is placed in its parent's client coordinates and kept inside that client area; a
// top-level window in screen coordinates, over its owner's client area wherever that lies on the
// screen, and kept on the screen. Without an owner the screen is the area.
void centreOnOwner(Window window, int raise) {
    const Window owner = parentOf(window);
    const Size screen = screenSize();
    Rect over = owner ? clientRect(owner) : Rect{0, 0, screen.width, screen.height};
    Rect bounds = over;
    if ((windowStyle(window) & kChild) == 0) {
        if (owner) {
            const Point origin = clientToScreen(owner, {0, 0});
            over = over.offset(origin.x, origin.y);
        }
        bounds = {0, 0, screen.width, screen.height};
    }
    const Rect r = windowRect(window);
    const int x = std::clamp(over.left + (over.width() - r.width()) / 2, bounds.left,
                             std::max(bounds.left, bounds.right - r.width()));
    const int y = std::clamp(over.top + (over.height() - r.height()) / 2 - raise, bounds.top,
                             std::max(bounds.top, bounds.bottom - r.height()));
    moveWindow(window, Rect::fromSize(x, y, r.width(), r.height()));
}

void setItemText(Window dialog, int id, std::string_view text) {
    setWindowText(dialogItem(dialog, id), text);
}

std::string itemText(Window dialog, int id) {
    return windowText(dialogItem(dialog, id));
}

void checkItem(Window dialog, int id, bool checked) {
    setCheck(dialogItem(dialog, id), checked);
}

bool isItemChecked(Window dialog, int id) {
    return isChecked(dialogItem(dialog, id));
}

void enableItem(Window dialog, int id, bool enable) {
    enableWindow(dialogItem(dialog, id), enable);
}

void showItem(Window dialog, int id, bool show) {
    showWindow(dialogItem(dialog, id), show);
}

}  // namespace platform::ui
