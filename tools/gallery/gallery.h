#pragma once
// The widget gallery: every control kind, the drawing primitives, one dialog and every kind of
// message box, on pages of a 640 x 480 panel screen.

#include <string>
#include <vector>

#include "platform/ui/ui.h"

namespace gallery {

using namespace platform;

struct Page {
    std::string name;  // for screenshot file names
    ui::Window window;
};

// Registers the classes and creates the main window with its pages (UI thread).
void build();
const std::vector<Page>& pages();
void showPage(size_t index);
ui::Window mainWindow();

// The page-building parts, one per page file.
ui::Window buildControlsPage(ui::Window parent, const ui::Rect& rect);
ui::Window buildListsPage(ui::Window parent, const ui::Rect& rect);
ui::Window buildDrawingPage(ui::Window parent, const ui::Rect& rect);
ui::Window buildDialogsPage(ui::Window parent, const ui::Rect& rect);

// The sample dialog and message boxes (modal; they return what closed them).
int openKeypadDialog(ui::Window owner);
struct BoxKind {
    const char* name;
    const char* caption;
    const char* text;
    unsigned flags;
};
const std::vector<BoxKind>& messageBoxKinds();
int openMessageBox(ui::Window owner, const BoxKind& kind);

// Bevelled owner-drawn button face in the panel's style.
void drawPanelButton(platform::ui::DrawItem& item, const std::string& label,
                     platform::gfx::Color face);

}  // namespace gallery
