// Pages of standard controls: buttons and choices, lists and bars, and the dialog launchers.
#include <string>

#include "gallery.h"
#include "platform/ui/controls.h"

namespace gallery {
namespace {

constexpr uint32_t kPageStyle = ui::kChild | ui::kCaption | ui::kClientEdge | ui::kWindowEdge;
constexpr int kHelpButton = 1001;
constexpr int kOpenDialog = 2000;
constexpr int kFirstBox = 2001;

ui::LResult pageProc(ui::Window w, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kDrawItem: {
            ui::DrawItem& item = ui::drawItem(lp);
            drawPanelButton(
                item, ui::windowText(item.control),
                item.controlId == kHelpButton ? gfx::rgb(200, 100, 0) : gfx::rgb(0, 60, 140));
            return 1;
        }
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id == kOpenDialog) openKeypadDialog(w);
            const auto& kinds = messageBoxKinds();
            if (id >= kFirstBox && id < kFirstBox + static_cast<int>(kinds.size())) {
                openMessageBox(w, kinds[static_cast<size_t>(id - kFirstBox)]);
            }
            return 0;
        }
        default:
            return ui::defaultProc(w, message, wp, lp);
    }
}

ui::Window control(ui::Window page, const char* cls, std::string_view text, uint32_t style,
                   ui::Rect rect, int id = 0) {
    return ui::createWindow(cls, text, ui::kChild | ui::kVisible | style, rect, page, id);
}

ui::Window newPage(ui::Window parent, const ui::Rect& rect, const char* title) {
    static bool registered = false;
    if (!registered)
        registered = ui::registerClass({"GALLERY_PAGE", pageProc, gfx::colors::kDialog});
    return ui::createWindow("GALLERY_PAGE", title, kPageStyle, rect, parent);
}

}  // namespace

ui::Window buildControlsPage(ui::Window parent, const ui::Rect& rect) {
    const ui::Window page = newPage(parent, rect, " BUTTONS AND CHOICES - 01");
    const char* button = ui::kButtonClass;
    control(page, button, "PUSH BUTTONS", ui::kGroupBox, {8, 4, 312, 176});
    control(page, button, "ACCEPT", 0, {22, 26, 152, 64});
    control(page, button, "SORT BY    DATE/TIME", ui::kMultiLine, {166, 26, 298, 64});
    control(page, button, "DISABLED", ui::kDisabled, {22, 76, 152, 114});
    control(page, button, "HELP", ui::kOwnerDraw, {166, 76, 298, 114}, kHelpButton);
    control(page, ui::kStaticClass,
            "The orange button is owner-drawn: its parent paints it, pressed "
            "or not.",
            0, {22, 124, 298, 168});

    control(page, button, "CHOICES", ui::kGroupBox, {320, 4, 624, 176});
    control(page, button, "1 HOUR", ui::kRadioButton | ui::kGroup, {334, 26, 464, 48});
    const ui::Window two = control(page, button, "2 HOURS", ui::kRadioButton, {334, 52, 464, 74});
    control(page, button, "4 HOURS", ui::kRadioButton, {334, 78, 464, 100});
    control(page, button, "8 HOUR", ui::kRadioButton, {334, 104, 464, 126});
    ui::setCheck(two, true);
    ui::setCheck(control(page, button, "Logging on", ui::kCheckBox, {476, 26, 616, 48}), true);
    control(page, button, "SI units", ui::kCheckBox, {476, 52, 616, 74});
    control(page, button, "Locked", ui::kCheckBox | ui::kDisabled, {476, 78, 616, 100});
    control(page, ui::kStaticClass, "Used Space:", ui::kTextRight, {334, 140, 440, 160});
    control(page, ui::kEditClass, "37 %", 0, {448, 136, 540, 162});

    control(page, button, "LANGUAGE", ui::kGroupBox, {8, 182, 624, 344});
    const char* languages[] = {"ENGLISH\n(English)", "DEUTSCH\n(German)", "FRANÇAIS\n(French)",
                               "ESPAÑOL\n(Spanish)"};
    for (int i = 0; i < 4; ++i) {
        const ui::Window b =
            control(page, button, languages[i],
                    ui::kRadioButton | ui::kPushLike | ui::kMultiLine | (i == 0 ? ui::kGroup : 0u),
                    ui::Rect::fromSize(22 + 150 * i, 206, 136, 50));
        ui::setCheck(b, i == 0);
    }
    control(page, ui::kStaticClass, "Left-aligned static text", ui::kTextLeft, {22, 272, 212, 292});
    control(page, ui::kStaticClass, "Centred static text", ui::kTextCenter, {220, 272, 412, 292});
    control(page, ui::kStaticClass, "Right-aligned static text", ui::kTextRight,
            {420, 272, 610, 292});
    control(page, ui::kEditClass, "Read-only field: 23 Bytes free", 0, {22, 302, 610, 328});
    return page;
}

ui::Window buildListsPage(ui::Window parent, const ui::Rect& rect) {
    const ui::Window page = newPage(parent, rect, " LISTS, SCROLL BARS AND PROGRESS - 02");
    const ui::Window list = control(page, ui::kListBoxClass, "", 0, {8, 8, 300, 150});
    const char* lines[] = {"CHECK THE FAN MOTOR OVERLOAD.",
                           "    Reset the overload relay and",
                           "    restart the fan from the panel.",
                           "CHECK THE BURNER FLAME SENSOR.",
                           "    Clean the sensor rod.",
                           "CHECK THE GAS PRESSURE.",
                           "    Low pressure switch: 2.0 PSI.",
                           "CALL SERVICE IF IT RETURNS.",
                           "Line 9",
                           "Line 10",
                           "Line 11",
                           "Line 12"};
    for (const char* line : lines)
        ui::listBoxAdd(list, line);
    ui::listBoxSetSelection(list, 3);

    const ui::Window vbar =
        control(page, ui::kScrollBarClass, "", ui::kVertical, {312, 8, 332, 150});
    ui::setScrollInfo(vbar, {0, 143, 8, 60});
    control(page, ui::kStaticClass, "Used Space:", ui::kTextLeft, {346, 12, 446, 30});
    control(page, ui::kEditClass, "37 %", 0, {450, 8, 540, 32});
    const ui::Window progress = control(page, ui::kProgressClass, "", 0, {346, 42, 620, 66});
    ui::progressSetRange(progress, 0, 100);
    ui::progressSetPos(progress, 37);
    const ui::Window hbar = control(page, ui::kScrollBarClass, "", 0, {346, 82, 620, 106});
    ui::setScrollInfo(hbar, {0, 24, 1, 18});
    control(page, ui::kStaticClass, "Scroll bars report line, page and thumb moves to their owner.",
            0, {346, 114, 620, 150});

    const ui::Window view = control(page, ui::kListViewClass, "", 0, {8, 160, 624, 344});
    ui::listViewAddColumn(view, "Shutdown ID", 280);
    ui::listViewAddColumn(view, "Node ID", 140);
    ui::listViewAddColumn(view, "Date", 90);
    ui::listViewAddColumn(view, "Time", 90);
    ui::listViewSetColumnWidth(view, 0, 325);
    ui::listViewSetColumnWidth(view, 1, 90);
    const char* warnings[] = {"0205 HIGH LIMIT TRIPPED", "0E03 UNLOAD MOTOR OVERLOAD",
                              "0201 FAN MOTOR OVERLOAD", "0F02 MOISTURE SENSOR OPEN",
                              "0304 FLAME FAILURE",      "0E05 REAR DISCHARGE DOOR OPEN"};
    const char* nodes[] = {"FAN/HEATER #1", "MAIN I/O",      "FAN/HEATER #1",
                           "MOISTURE CONT", "FAN/HEATER #2", "MAIN I/O"};
    for (int i = 0; i < 12; ++i) {
        ui::listViewInsertRow(
            view, 0,
            {warnings[i % 6], nodes[i % 6], "Jun 0" + std::to_string(1 + i / 4) + ", 2024",
             std::to_string(1 + i % 12) + ":" + (i % 2 ? "15" : "40") + " PM"});
    }
    ui::listViewSetSelection(view, 1);
    return page;
}

ui::Window buildDialogsPage(ui::Window parent, const ui::Rect& rect) {
    const ui::Window page = newPage(parent, rect, " DIALOGS AND MESSAGE BOXES - 04");
    control(page, ui::kButtonClass, "DIALOG FROM A TEMPLATE", ui::kGroupBox, {8, 4, 624, 96});
    control(page, ui::kButtonClass, "KEYPAD DIALOG", ui::kOwnerDraw, {22, 30, 222, 80},
            kOpenDialog);
    control(page, ui::kStaticClass,
            "A temperature keypad laid out in dialog units; it runs modally "
            "over this page.",
            0, {236, 34, 610, 80});
    control(page, ui::kButtonClass, "MESSAGE BOXES", ui::kGroupBox, {8, 104, 624, 344});
    const auto& kinds = messageBoxKinds();
    for (size_t i = 0; i < kinds.size(); ++i) {
        const int col = static_cast<int>(i % 3), row = static_cast<int>(i / 3);
        control(page, ui::kButtonClass, kinds[i].name, ui::kOwnerDraw,
                ui::Rect::fromSize(22 + 200 * col, 132 + 64 * row, 188, 50),
                kFirstBox + static_cast<int>(i));
    }
    control(page, ui::kStaticClass,
            "Every button set (OK, OK/Cancel, Yes/No, Yes/No/Cancel, "
            "Retry/Cancel) and every icon (information, question, exclamation, stop).",
            0, {22, 270, 610, 330});
    return page;
}

}  // namespace gallery
