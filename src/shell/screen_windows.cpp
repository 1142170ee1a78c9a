// Creation of the screen windows, and the face of a screen whose own procedure is not in this
// build yet.
#include <string>

#include "link/dryer_state.h"
#include "platform/ui/controls.h"
#include "shell/app.h"
#include "shell/app_internal.h"
#include "shell/hooks.h"
#include "shell/screen_table.h"

namespace shell::detail {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr int kUnfinishedExitButton = 34999;

bool fullScreen(const ScreenSpec& entry) {
    return entry.width == 640 && entry.height >= 475;
}

const ScreenSpec* specOf(ui::Window window) {
    const std::string name = ui::windowClassName(window);
    for (const ScreenSpec& entry : screenTable()) {
        if (entry.className == name) return &entry;
    }
    return nullptr;
}

// The full-screen screens and the view selection need a way back even while unfinished.
void addExitButton(ui::Window window, const ScreenSpec& entry) {
    if (!fullScreen(entry) && entry.screen != Screen::ViewSelection) return;
    const gfx::Rect client = ui::clientRect(window);
    ui::createWindow(ui::kButtonClass, "EXIT", ui::kChild | ui::kVisible,
                     gfx::Rect::fromSize(client.width() / 2 - 80, client.height() - 60, 160, 45),
                     window, kUnfinishedExitButton);
}

void paintUnfinished(ui::Window window, ui::PaintContext& pc) {
    gfx::Painter& p = pc.painter;
    p.fillRect(pc.client, gfx::rgb(48, 52, 60));
    p.drawFrame(pc.client.inflate(-3, -3), gfx::rgb(110, 110, 120), 1);
    const unsigned centred = gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine;
    const std::string title = ui::windowText(window);
    const gfx::Color bright = gfx::rgb(230, 230, 230);
    const gfx::Color dim = gfx::rgb(170, 170, 170);
    if (pc.client.height() < 60) {
        p.drawText(title + "  (not built yet)", pc.client, gfx::font(13, 600), {dim, centred});
        return;
    }
    const int middle = pc.client.height() / 2;
    p.drawText(title, {0, middle - 24, pc.client.right, middle}, gfx::font(16, 700),
               {bright, centred});
    p.drawText("(not built yet)", {0, middle, pc.client.right, middle + 20}, gfx::font(13, 400),
               {dim, centred});
}

ui::LResult unfinishedScreenProc(ui::Window window, uint32_t message, ui::WParam wp,
                                 ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            if (const ScreenSpec* entry = specOf(window)) addExitButton(window, *entry);
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paintUnfinished(window, ui::paintContext(lp));
            return 0;
        case ui::kCommand:
            if (ui::commandId(wp) != kUnfinishedExitButton) break;
            ui::showWindow(window, false);
            if (const ScreenSpec* entry = specOf(window); entry && fullScreen(*entry)) {
                returnToMainView();
            }
            return 0;
        default:
            break;
    }
    return ui::defaultProc(window, message, wp, lp);
}

// Until the warning window of its own is built: what is wrong, in plain words, and the link's
// resync request while the connection is lost, which the controller needs to pick up again.
ui::LResult interimWarningProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    if (message != ui::kPaint) return unfinishedScreenProc(window, message, wp, lp);
    ui::PaintContext& pc = ui::paintContext(lp);
    paintUnfinished(window, pc);
    auto& state = dryer::dryerState();
    std::string line;
    if (state.linkAliveSeconds == 0) {
        state.resyncRequest = 1;
        line = " CONNECTION TO DRYER LOST!";
    } else {
        line = "NODE " + std::to_string(state.status.shutdownNodeId().get()) + "  WARNING " +
               std::to_string(state.status.shutdownWarningId().get());
    }
    pc.painter.drawText(line, {0, 20, pc.client.right, 60}, gfx::font(24, 700),
                        {gfx::rgb(255, 80, 80), gfx::kAlignCenter | gfx::kSingleLine});
    return 0;
}

// The button bar only hosts the main buttons.
ui::LResult buttonBarProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    return ui::defaultProc(window, message, wp, lp);
}

ui::WindowProc procedureOf(const ScreenSpec& entry) {
    if (ui::WindowProc own = screenProcedure(entry.screen)) return own;
    if (entry.screen == Screen::ButtonBar) return buttonBarProc;
    return entry.screen == Screen::Warning ? interimWarningProc : unfinishedScreenProc;
}

uint32_t styleOf(const ScreenSpec& entry, bool shown) {
    uint32_t style = ui::kChild | ui::kClientEdge | ui::kWindowEdge;
    if (entry.caption) style |= ui::kCaption;
    if (entry.topmost) style |= ui::kTopmost;
    if (shown) style |= ui::kVisible;
    return style;
}

}  // namespace

void createScreenWindows(ui::Window main, int screenViewSelection) {
    for (const ScreenSpec& entry : screenTable()) {
        ui::registerClass(
            {std::string(entry.className), procedureOf(entry), gfx::colors::kStockBlackBrush});
        app().screens[static_cast<int>(entry.screen)] = ui::createWindow(
            entry.className, entry.title, styleOf(entry, shownAtStart(entry, screenViewSelection)),
            gfx::Rect::fromSize(entry.x, entry.y, entry.width, entry.height), main);
    }
    raiseMainButtons();
}

}  // namespace shell::detail
