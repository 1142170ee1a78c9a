#pragma once
// Dialogs from templates written as code tables, run modally; and message boxes.
//
//     constexpr DialogItem kHelpItems[] = {
//         {1224, ControlKind::PushButton, "CLOSE", 299, 130, 45, 26},
//         {1225, ControlKind::ListBox, "", 5, 172, 339, 56},
//     };
//     constexpr DialogTemplate kHelpDialog{"Shutdown Help File - 34", 351, 229, kHelpItems};
//     int closedBy = runDialog(kHelpDialog, warningWindow, helpProc);
//
// A dialog procedure returns nonzero for the messages it handled; the rest get the default
// handling (the dialog background, nothing else). It receives kInitDialog before the dialog is
// shown, then kCommand, kPaint, kTimer, kDrawItem and the scroll messages. While the dialog runs,
// its owner is disabled and only the dialog takes pointer input.

#include <span>
#include <string>
#include <string_view>

#include "platform/ui/controls.h"
#include "platform/ui/ui.h"

namespace platform::ui {

// Dialog units to pixels: x * kDialogBaseX / 4 and y * kDialogBaseY / 8, rounded. Chosen so that
// the largest template (354 x 231 units) with its caption and edges fits the 640 x 480 screen.
inline constexpr int kDialogBaseX = 7;
inline constexpr int kDialogBaseY = 15;

enum class ControlKind {
    PushButton,
    OwnerDrawButton,
    RadioButton,
    PushLikeRadio,  // a radio drawn as a push button (pressed while checked)
    CheckBox,
    GroupBox,
    Static,        // left-aligned text
    StaticCenter,  // centred text
    Edit,          // read-only field
    ListBox,
    ListView,  // report style, single selection
    HScrollBar,
    VScrollBar,
    Progress,
};

// Extra item flags: ui::kDisabled, kHidden, kMultiLine, kGroup, kTextLeft/Center/Right.
inline constexpr uint32_t kHidden = 1u << 30;

struct DialogItem {
    constexpr DialogItem(int id_, ControlKind kind_, std::string_view text_, int x_, int y_,
                         int cx_, int cy_, uint32_t flags_ = 0)
        : id(id_), kind(kind_), text(text_), x(x_), y(y_), cx(cx_), cy(cy_), flags(flags_) {}
    int id;
    ControlKind kind;
    std::string_view text;
    int x, y, cx, cy;  // dialog units
    uint32_t flags;
};

struct DialogTemplate {
    constexpr DialogTemplate(std::string_view title_, int cx_, int cy_,
                             std::span<const DialogItem> items_)
        : title(title_), cx(cx_), cy(cy_), items(items_) {}
    std::string_view title;
    int cx, cy;  // client size in dialog units
    std::span<const DialogItem> items;
};

// Returns nonzero when it handled the message.
using DialogProc = LResult (*)(Window dialog, uint32_t message, WParam wp, LParam lp);

// Common result ids (the ids of message box buttons).
enum DialogResult : int {
    kIdOk = 1,
    kIdCancel = 2,
    kIdRetry = 4,
    kIdYes = 6,
    kIdNo = 7,
};

Rect dialogUnitsToPixels(const Rect& units);

// Runs the dialog modally (nested loop, owner disabled) and returns the result given to
// endDialog; 0 when the program quits meanwhile. The dialog is centred on the screen before
// kInitDialog; its procedure may move it (centreOnOwner).
int runDialog(const DialogTemplate& dialogTemplate, Window owner, DialogProc proc,
              LParam param = 0);
// Ends the modal run of the dialog with `result` (the dialog closes when its procedure returns).
void endDialog(Window dialog, int result);

// Centres the window over its owner's client area as it lies on the screen, `raise` pixels
// higher; kept on the screen (a child window: inside its parent's client area).
void centreOnOwner(Window window, int raise = 0);

inline Window dialogItem(Window dialog, int id) {
    return childById(dialog, id);
}
void setItemText(Window dialog, int id, std::string_view text);
std::string itemText(Window dialog, int id);
void checkItem(Window dialog, int id, bool checked);
bool isItemChecked(Window dialog, int id);
void enableItem(Window dialog, int id, bool enable);
void showItem(Window dialog, int id, bool show);

// ---- Message boxes -----------------------------------------------------------------------------

enum MessageBoxFlags : unsigned {
    kMbOk = 0,
    kMbOkCancel = 1,
    kMbYesNoCancel = 3,
    kMbYesNo = 4,
    kMbRetryCancel = 5,
    kMbButtonsMask = 0x0F,
    kMbIconStop = 0x10,
    kMbIconQuestion = 0x20,
    kMbIconExclamation = 0x30,
    kMbIconInformation = 0x40,
    kMbIconMask = 0xF0,
};

// Shows `text` (line feeds break lines, tabs align) under `caption` with the buttons and icon of
// `flags`; modal over `owner` (which may be empty). Returns the id of the button pressed.
int messageBox(Window owner, std::string_view text, std::string_view caption, unsigned flags);
// Where message boxes take the labels of their buttons: given the button's result id and its
// English label, the label to show. Without a source the English labels are shown.
using ButtonLabelSource = std::string (*)(int id, std::string_view english);
void setMessageBoxLabelSource(ButtonLabelSource source);

}  // namespace platform::ui
