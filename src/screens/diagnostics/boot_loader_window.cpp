// BOOT_LOADER_WINDOW, " UPDATE DRYER PROGRAMMING": the page the display shows while the
// controller's program is being updated, with its way back to the dryer.
#include "i18n/language.h"
#include "platform/gfx/surface.h"
#include "platform/ui/controls.h"
#include "resources/program_bitmaps.h"
#include "screens/diagnostics/pages.h"
#include "shell/app.h"
#include "shell/layout.h"

namespace diagnostics {
namespace {

namespace ui = platform::ui;
namespace gfx = platform::gfx;

constexpr int kExitBootLoaderCommand = 0x8850;
constexpr gfx::Rect kExitButtonRect = gfx::Rect::fromSize(430, 395, 159, 41);
constexpr std::string_view kIoLine = "DISPLAY I/O:                 |||||||||||||||||||||||";

constexpr gfx::Color kGridColour = gfx::rgb(200, 200, 200);
constexpr gfx::Color kFrameColour = gfx::colors::kBlack;
constexpr gfx::Color kTextColour = gfx::rgb(0, 0, 255);

void paintPage(gfx::Painter& p, const gfx::Rect& client) {
    p.fillRect(client, gfx::colors::kWindow);
    for (int y = 25; y <= 375; y += 25) {
        p.drawLine({0, y}, {client.right - 1, y}, kGridColour);
    }
    p.drawLine({0, 1}, {client.right - 1, 1}, kFrameColour, 2);
    p.drawLine({0, 375}, {client.right - 1, 375}, kFrameColour, 2);
    p.drawLine({2, 1}, {2, 375}, kFrameColour, 2);
    p.drawLine({629, 1}, {629, 375}, kFrameColour, 2);
    p.drawText(kIoLine, {15, 0, 500, 25}, gfx::font(14, 400),
               {kTextColour, gfx::kSingleLine | gfx::kAlignVCenter});
}

void paint(ui::PaintContext& pc) {
    gfx::Surface page(pc.client.width(), pc.client.height());
    gfx::Painter off(page);
    paintPage(off, pc.client);
    pc.painter.copyBitmap(page, {0, 0});
}

constexpr int kExitReleasedBitmap = 136;
constexpr int kExitPressedBitmap = 137;

// A plain raised face when the button's pictures are missing from the flash disk.
void drawPlainExitButton(const ui::DrawItem& item) {
    gfx::Painter& p = item.painter;
    const gfx::Rect r = item.rect;
    p.fillRect(r, item.pressed ? gfx::rgb(150, 150, 150) : gfx::colors::kButtonFace);
    const gfx::Color light = item.pressed ? gfx::colors::kButtonShadow : gfx::colors::kButtonLight;
    const gfx::Color dark =
        item.pressed ? gfx::colors::kButtonLight : gfx::colors::kButtonDarkShadow;
    p.drawLine({r.left, r.top}, {r.right - 1, r.top}, light, 2);
    p.drawLine({r.left, r.top}, {r.left, r.bottom - 1}, light, 2);
    p.drawLine({r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, dark, 2);
    p.drawLine({r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, dark, 2);
    const int shift = item.pressed ? 1 : 0;
    p.drawText(i18n::GetStringOr(145, "EXIT"), r.offset(shift, shift), gfx::font(20, 700),
               {gfx::colors::kBlack, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
}

void drawExitButton(const ui::DrawItem& item) {
    const resources::ProgramBitmap picture =
        resources::LoadProgramBitmap(item.pressed ? kExitPressedBitmap : kExitReleasedBitmap);
    if (!picture) {
        drawPlainExitButton(item);
        return;
    }
    item.painter.stretchBitmap(*picture, picture->bounds(), item.rect);
}

// Back to the dryer: the main view's windows and buttons, the button bar laid out afresh.
void exitBootLoader(ui::Window window) {
    ui::showWindow(window, false);
    shell::ShellEnvironment& env = shell::environment();
    for (shell::Screen screen : {shell::Screen::ButtonBar, shell::Screen::RightStatusBar,
                                 shell::Screen::UnloadStatus, shell::Screen::DryerPic}) {
        env.setVisible(screen, true);
    }
    for (shell::MainButton button :
         {shell::MainButton::Timers, shell::MainButton::Temps, shell::MainButton::Setup,
          shell::MainButton::View, shell::MainButton::Misc}) {
        env.setButtonVisible(button, true);
    }
    shell::layoutButtonBar(env);
}

}  // namespace

ui::LResult bootLoaderProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            ui::createWindow(ui::kButtonClass, "EXIT_BOOTLOADER_BUTTON",
                             ui::kChild | ui::kVisible | ui::kOwnerDraw, kExitButtonRect, window,
                             kExitBootLoaderCommand);
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paint(ui::paintContext(lp));
            return 0;
        case ui::kDrawItem:
            drawExitButton(ui::drawItem(lp));
            return 1;
        case ui::kCommand:
            if (ui::commandId(wp) == kExitBootLoaderCommand) exitBootLoader(window);
            return 0;
        default:
            return ui::defaultProc(window, message, wp, lp);
    }
}

}  // namespace diagnostics
