// Creation of the screen windows, and the face of a screen whose own procedure is not in this
// build yet.
#include <string>

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

bool fullScreen(const ScreenSpec& spec) {
    return spec.width == 640 && spec.height >= 475;
}

const ScreenSpec* specOf(ui::Window window) {
    const std::string name = ui::windowClassName(window);
    for (const ScreenSpec& spec : screenTable()) {
        if (spec.className == name) return &spec;
    }
    return nullptr;
}

// The full-screen screens and the view selection need a way back even while unfinished.
void addExitButton(ui::Window window, const ScreenSpec& spec) {
    if (!fullScreen(spec) && spec.screen != Screen::ViewSelection) return;
    const gfx::Rect client = ui::clientRect(window);
    ui::WindowSpec button;
    button.className = ui::kButtonClass;
    button.title = "EXIT";
    button.style = ui::kChild | ui::kVisible;
    button.rect = gfx::Rect::fromSize(client.width() / 2 - 80, client.height() - 60, 160, 45);
    button.parent = window;
    button.id = kUnfinishedExitButton;
    ui::createWindow(button);
}

void paintUnfinished(ui::Window window, ui::PaintContext& pc) {
    gfx::Painter& p = pc.painter;
    p.fillRect(pc.client, gfx::rgb(48, 52, 60));
    p.drawFrame(pc.client.inflate(-4, -4), gfx::rgb(110, 110, 120), 1);
    const int middle = pc.client.height() / 2;
    const std::string title = ui::windowText(window);
    p.drawText(
        title, {0, middle - 24, pc.client.right, middle}, gfx::font(16, 700),
        {gfx::rgb(230, 230, 230), gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
    p.drawText(
        "(not built yet)", {0, middle, pc.client.right, middle + 20}, gfx::font(13, 400),
        {gfx::rgb(170, 170, 170), gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
}

ui::LResult unfinishedScreenProc(ui::Window window, uint32_t message, ui::WParam wp,
                                 ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            if (const ScreenSpec* spec = specOf(window)) addExitButton(window, *spec);
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paintUnfinished(window, ui::paintContext(lp));
            return 0;
        case ui::kCommand:
            if (ui::commandId(wp) != kUnfinishedExitButton) break;
            ui::showWindow(window, false);
            if (const ScreenSpec* spec = specOf(window); spec && fullScreen(*spec)) {
                returnToMainView();
            }
            return 0;
        default:
            break;
    }
    return ui::defaultProc(window, message, wp, lp);
}

// The button bar only hosts the main buttons.
ui::LResult buttonBarProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    return ui::defaultProc(window, message, wp, lp);
}

ui::WindowProc procedureOf(const ScreenSpec& spec) {
    if (ui::WindowProc own = screenProcedure(spec.screen)) return own;
    return spec.screen == Screen::ButtonBar ? buttonBarProc : unfinishedScreenProc;
}

uint32_t styleOf(const ScreenSpec& spec, bool shown) {
    uint32_t style = ui::kChild | ui::kClientEdge | ui::kWindowEdge;
    if (spec.caption) style |= ui::kCaption;
    if (spec.topmost) style |= ui::kTopmost;
    if (shown) style |= ui::kVisible;
    return style;
}

}  // namespace

void createScreenWindows(ui::Window main, int screenViewSelection) {
    for (const ScreenSpec& spec : screenTable()) {
        ui::registerClass(
            {std::string(spec.className), procedureOf(spec), gfx::colors::kStockBlackBrush});
        ui::WindowSpec window;
        window.className = std::string(spec.className);
        window.title = std::string(spec.title);
        window.style = styleOf(spec, shownAtStart(spec, screenViewSelection));
        window.rect = gfx::Rect::fromSize(spec.x, spec.y, spec.width, spec.height);
        window.parent = main;
        app().screens[static_cast<int>(spec.screen)] = ui::createWindow(window);
    }
    raiseMainButtons();
}

}  // namespace shell::detail
