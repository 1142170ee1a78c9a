// The gallery's main window: a title strip, the pages and a button bar to move between them.
#include "gallery.h"

#include <cstdio>

#include "platform/ui/controls.h"

namespace gallery {
namespace {

constexpr int kPrev = 0x8801;
constexpr int kNext = 0x8805;
constexpr ui::Rect kPageRect{0, 40, 640, 420};

ui::Window gMain;
ui::Window gTitle;
std::vector<Page> gPages;
size_t gCurrent = 0;

ui::LResult titleProc(ui::Window w, uint32_t message, ui::WParam wp, ui::LParam lp) {
    if (message != ui::kPaint) return ui::defaultProc(w, message, wp, lp);
    gfx::Painter& p = ui::paintContext(lp).painter;
    const ui::Rect client = ui::clientRect(w);
    for (int y = 0; y < client.height(); ++y) {
        p.fillRect({0, y, client.right, y + 1}, gfx::rgb(20, 30 + y, 60 + 2 * y));
    }
    p.fillRect({0, client.bottom - 2, client.right, client.bottom}, gfx::rgb(200, 200, 0));
    p.drawText("ORVANE  WIDGET GALLERY", {12, 0, 400, 38}, gfx::font(20, 700),
               {gfx::rgb(200, 200, 0), gfx::kAlignVCenter | gfx::kSingleLine});
    char page[64];
    std::snprintf(page, sizeof page, "PAGE %zu / %zu", gCurrent + 1, gPages.size());
    p.drawText(page, {400, 0, 628, 38}, gfx::font(16, 600),
               {gfx::colors::kWhite, gfx::kAlignRight | gfx::kAlignVCenter | gfx::kSingleLine});
    return 0;
}

ui::LResult mainProc(ui::Window w, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCommand:
            if (ui::commandId(wp) == kPrev && gCurrent > 0) showPage(gCurrent - 1);
            if (ui::commandId(wp) == kNext && gCurrent + 1 < gPages.size()) showPage(gCurrent + 1);
            return 0;
        case ui::kDrawItem: {
            ui::DrawItem& item = ui::drawItem(lp);
            const bool prev = item.controlId == kPrev;
            const bool possible = prev ? gCurrent > 0 : gCurrent + 1 < gPages.size();
            drawPanelButton(item, prev ? "< PREV" : "NEXT >",
                            possible ? gfx::rgb(0, 60, 140) : gfx::rgb(70, 70, 80));
            return 1;
        }
        case ui::kDestroy:
            ui::postQuit(0);
            return 0;
        default:
            return ui::defaultProc(w, message, wp, lp);
    }
}

}  // namespace

void drawPanelButton(ui::DrawItem& item, const std::string& label, gfx::Color face) {
    gfx::Painter& p = item.painter;
    const ui::Rect r = item.rect;
    p.fillRect(r, gfx::colors::kBlack);
    const ui::Rect body = r.inflate(-1, -1).offset(item.pressed ? 1 : 0, item.pressed ? 1 : 0);
    p.fillRect(body, face);
    const gfx::Color light = gfx::rgb(std::min(255, face.r + 90), std::min(255, face.g + 90),
                                      std::min(255, face.b + 90));
    const gfx::Color dark = gfx::rgb(face.r / 3, face.g / 3, face.b / 3);
    p.drawFrame(body, item.pressed ? dark : light, 2);
    if (!item.pressed) {
        p.fillRect({body.left + 2, body.bottom - 3, body.right, body.bottom}, dark);
        p.fillRect({body.right - 3, body.top + 2, body.right, body.bottom}, dark);
    }
    p.drawText(label, body, gfx::font(16, 700),
               {gfx::colors::kWhite, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kWordBreak});
}

void build() {
    ui::registerClass({"GALLERY_MAIN", mainProc, gfx::colors::kBlack});
    ui::registerClass({"GALLERY_TITLE", titleProc, gfx::colors::kBlack});
    gMain =
        ui::createWindow("GALLERY_MAIN", "ORVANE WIDGET GALLERY", ui::kVisible, ui::kDefaultRect);
    gTitle =
        ui::createWindow("GALLERY_TITLE", "", ui::kChild | ui::kVisible, {0, 0, 640, 40}, gMain);
    gPages = {{"buttons", buildControlsPage(gMain, kPageRect)},
              {"lists", buildListsPage(gMain, kPageRect)},
              {"drawing", buildDrawingPage(gMain, kPageRect)},
              {"dialogs", buildDialogsPage(gMain, kPageRect)}};
    ui::createWindow(ui::kButtonClass, "", ui::kChild | ui::kVisible | ui::kOwnerDraw,
                     {20, 427, 125, 467}, gMain, kPrev);
    ui::createWindow(ui::kButtonClass, "", ui::kChild | ui::kVisible | ui::kOwnerDraw,
                     {516, 427, 621, 467}, gMain, kNext);
    showPage(0);
}

const std::vector<Page>& pages() {
    return gPages;
}
ui::Window mainWindow() {
    return gMain;
}

void showPage(size_t index) {
    gCurrent = index;
    for (size_t i = 0; i < gPages.size(); ++i)
        ui::showWindow(gPages[i].window, i == index);
    ui::invalidate(gTitle, false);
    ui::invalidate(ui::childById(gMain, kPrev), false);
    ui::invalidate(ui::childById(gMain, kNext), false);
}

}  // namespace gallery
