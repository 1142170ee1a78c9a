#pragma once
// The built-in controls: push buttons (plain, multi-line, owner-drawn), radio buttons, check
// boxes, group boxes, static text, read-only edit fields, list boxes, report list views, scroll
// bars and progress bars. They are windows of the classes below, created with createWindow (or
// from a dialog template) as children; they report to their parent with kCommand, kDrawItem,
// kHScroll and kVScroll. The functions here belong to the UI thread.

#include <string>
#include <string_view>
#include <vector>

#include "platform/ui/ui.h"

namespace platform::ui {

inline constexpr const char* kButtonClass = "BUTTON";
inline constexpr const char* kStaticClass = "STATIC";
inline constexpr const char* kEditClass = "EDIT";
inline constexpr const char* kListBoxClass = "LISTBOX";
inline constexpr const char* kListViewClass = "LISTVIEW";
inline constexpr const char* kScrollBarClass = "SCROLLBAR";
inline constexpr const char* kProgressClass = "PROGRESS";

// Button kinds.
inline constexpr uint32_t kPushButton = 0;
inline constexpr uint32_t kCheckBox = 1u << 16;     // toggles itself when pressed
inline constexpr uint32_t kRadioButton = 2u << 16;  // checks itself, clears its group's others
inline constexpr uint32_t kGroupBox = 3u << 16;
inline constexpr uint32_t kOwnerDraw = 4u << 16;  // the parent draws it on kDrawItem
inline constexpr uint32_t kButtonKindMask = 7u << 16;
// A check box or radio drawn as a push button, pressed while checked.
inline constexpr uint32_t kPushLike = 1u << 19;
inline constexpr uint32_t kMultiLine = 1u << 20;  // text wraps at word breaks and line feeds
inline constexpr uint32_t kGroup = 1u << 21;      // starts a new radio group among its siblings
// Text alignment of static text, edit fields and buttons (buttons centre by default).
inline constexpr uint32_t kTextLeft = 1u << 22;
inline constexpr uint32_t kTextCenter = 1u << 23;
inline constexpr uint32_t kTextRight = 1u << 24;
inline constexpr uint32_t kVertical = 1u << 25;  // scroll bar

// ---- Buttons -----------------------------------------------------------------------------------

// True while the pointer holds the button down (and is over it): for auto-repeat and
// hold-to-press gestures.
bool isButtonHeld(Window button);
void setCheck(Window button, bool checked);
bool isChecked(Window button);

// ---- List box ----------------------------------------------------------------------------------

int listBoxAdd(Window list, std::string_view text);  // returns the new item's index
void listBoxClear(Window list);
int listBoxCount(Window list);
std::string listBoxText(Window list, int index);
int listBoxSelection(Window list);  // -1: none
void listBoxSetSelection(Window list, int index);

// ---- Report list view --------------------------------------------------------------------------

int listViewAddColumn(Window view, std::string_view title, int width);
void listViewSetColumnWidth(Window view, int column, int width);
int listViewColumnWidth(Window view, int column);
// Inserts a row before `index` (0 = at the top; beyond the end = at the end); returns its index.
int listViewInsertRow(Window view, int index, const std::vector<std::string>& cells);
void listViewClear(Window view);  // removes the rows, keeps the columns
int listViewRowCount(Window view);
std::string listViewCell(Window view, int row, int column);
int listViewSelection(Window view);  // -1: none
void listViewSetSelection(Window view, int row);
int listViewTopRow(Window view);

// ---- Scroll bar --------------------------------------------------------------------------------

struct ScrollInfo {
    int min = 0;
    int max = 100;
    int page = 0;  // 0: no page; the thumb then has a fixed size
    int pos = 0;
};
// Position is clamped to min .. max - page + 1 (min .. max without a page).
void setScrollInfo(Window bar, const ScrollInfo& info);
ScrollInfo scrollInfo(Window bar);
void setScrollPos(Window bar, int pos);
int scrollPos(Window bar);

// ---- Progress bar ------------------------------------------------------------------------------

void progressSetRange(Window bar, int min, int max);
void progressSetPos(Window bar, int pos);
void progressSetStep(Window bar, int step);
void progressStep(Window bar);
int progressPos(Window bar);

}  // namespace platform::ui
