// The unload status window: the unload value in large figures, the bushel rate and total, and
// the metering-roll speeds as a button that opens the speed dialog.
#include <cstdio>

#include "i18n/language.h"
#include "link/hooks.h"
#include "platform/gfx/text.h"
#include "platform/ui/controls.h"
#include "screens/setup/setup_common.h"
#include "screens/setup/setup_dialogs.h"

namespace setup {
namespace {

enum : int {
    kBushelButton = 36871,
    kSpeedButton = 36883,
};

constexpr uint32_t kBushelTimer = 1;
constexpr int kBushelCheckMs = 1000;

constexpr gfx::Color kGreyLine = gfx::rgb(128, 128, 128);
constexpr gfx::Color kOtherSpeed = gfx::rgb(115, 186, 185);
constexpr gfx::Color kSelectedBack = gfx::rgb(225, 235, 255);

// What the bushel button showed last, so the check repaints it only on a change.
int gShownRate = -1;
uint32_t gShownTotal = 0;

uint32_t totalBushels() {
    return static_cast<uint32_t>(state().status.bushelCounter().get()) / 3600;
}

void paintUnload(ui::PaintContext& pc) {
    gfx::Painter& p = pc.painter;
    const gfx::Rect c = pc.client;
    p.fillRect(c, gfx::colors::kBlack);
    p.drawFrame(c, kGreyLine, 1);
    p.drawFrame(c.inflate(-2, -2), kGreyLine, 1);
    const int value = state().status.statusWord197().get();
    char shown[16];
    std::snprintf(shown, sizeof shown, "%2d.%d", value / 10, value % 10);
    // Right of the speed button: a wide value gets a smaller size rather than run under it.
    p.drawText(shown, {112, 0, c.right - 6, 72},
               gfx::fitFont(shown, gfx::font(70, 900), c.right - 118, kSmallestFont),
               {gfx::colors::kWhite, gfx::kAlignRight | gfx::kAlignVCenter | gfx::kSingleLine});
}

void drawBushels(ui::DrawItem& item) {
    gfx::Painter& p = item.painter;
    const gfx::Rect r = item.rect;
    p.fillRect(r, gfx::colors::kMenu);
    p.drawFrame(r, item.pressed ? gfx::colors::kBlack : kGreyLine, 1);
    const gfx::FontSpec font = gfx::font(20, 700);
    const unsigned flags = gfx::kSingleLine | gfx::kAlignVCenter;
    const int middle = (r.top + r.bottom) / 2;
    gShownRate = state().status.bushelRate().get();
    gShownTotal = totalBushels();
    const auto row = [&](int number, std::string_view english, int value, int top, int bottom) {
        const std::string label = i18n::GetStringOr(number, english);
        const std::string shown = std::to_string(value);
        const int valueLeft = r.right - 8 - gfx::textExtent(shown, font).width;
        const gfx::FontSpec labelFont = gfx::fitFont(label, font, valueLeft - r.left - 16, 14);
        p.drawText(label, {r.left + 8, top, valueLeft - 8, bottom}, labelFont,
                   {gfx::colors::kBlack, flags});
        p.drawText(shown, {r.left, top, r.right - 8, bottom}, font,
                   {gfx::colors::kBlack, flags | gfx::kAlignRight});
    };
    row(846, "Bushel/Hour:", gShownRate, r.top, middle);
    row(847, "Total Bushels:", gShownTotal, middle, r.bottom);
}

// High, medium and low; the one the controller runs on highlighted.
void drawSpeeds(ui::DrawItem& item) {
    gfx::Painter& p = item.painter;
    const gfx::Rect r = item.rect;
    p.fillRect(r, gfx::colors::kBlack);
    const auto& status = state().status;
    static constexpr struct {
        const char* format;
        int element;
        int selection;
    } kLines[] = {{" HIGH: %04d ", 1, 2}, {" MED:  %04d ", 2, 1}, {" LOW:  %04d ", 3, 0}};
    const int lineHeight = r.height() / 3;
    for (int i = 0; i < 3; ++i) {
        char line[24];
        std::snprintf(line, sizeof line, kLines[i].format,
                      status.meterRollKnobSpeed(kLines[i].element).get() * 10);
        const gfx::Rect band{r.left, r.top + i * lineHeight, r.right, r.top + (i + 1) * lineHeight};
        const bool selected = status.meterRollKnobSpeed(0).get() == kLines[i].selection;
        if (selected) p.fillRect(band, kSelectedBack);
        p.drawText(line, band, gfx::font(18, 700),
                   {selected ? gfx::colors::kBlack : kOtherSpeed,
                    gfx::kSingleLine | gfx::kAlignCenter | gfx::kAlignVCenter});
    }
    p.drawFrame(r, item.pressed ? gfx::colors::kWhite : kGreyLine, 1);
}

void createButtons(ui::Window window) {
    ui::createWindow(ui::kButtonClass, "UNLOAD_STATUS_SELECT_BUTTON",
                     ui::kChild | ui::kVisible | ui::kOwnerDraw,
                     gfx::Rect::fromSize(2, 72, 236, 76), window, kBushelButton);
    const ui::Window speeds =
        ui::createWindow(ui::kButtonClass, "UNLOAD_MR_SPEED_SELECT_BUTTON",
                         ui::kChild | ui::kVisible | ui::kOwnerDraw,
                         gfx::Rect::fromSize(2, 1, 108, 70), window, kSpeedButton);
    state().hooks.registerWindow(
        dryer::Window::UnloadSpeedButton,
        [speeds](bool erase, const dryer::RepaintArea*) { ui::invalidate(speeds, erase); });
    ui::setTimer(window, kBushelTimer, kBushelCheckMs);
}

void checkBushels(ui::Window window) {
    if (state().status.bushelRate().get() == gShownRate && totalBushels() == gShownTotal) return;
    ui::invalidate(ui::childById(window, kBushelButton), false);
}

void setUnloadCaption(ui::Window window) {
    const std::string caption = i18n::GetStringOr(844, " UNLOAD STATUS");
    if (ui::windowText(window) != caption) ui::setWindowText(window, caption);
}

}  // namespace

ui::LResult unloadStatusProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            createButtons(window);
            return 0;
        case ui::kDestroy:
            state().hooks.unregisterWindow(dryer::Window::UnloadSpeedButton);
            break;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            setUnloadCaption(window);
            paintUnload(ui::paintContext(lp));
            return 0;
        case ui::kTimer:
            if (wp == kBushelTimer) checkBushels(window);
            return 0;
        case ui::kDrawItem: {
            ui::DrawItem& item = ui::drawItem(lp);
            if (item.controlId == kSpeedButton) {
                drawSpeeds(item);
            } else {
                drawBushels(item);
            }
            return 1;
        }
        case ui::kCommand:
            if (ui::commandId(wp) == kSpeedButton) runMeterRollSpeed(window);
            return 0;
        default:
            break;
    }
    return ui::defaultProc(window, message, wp, lp);
}

}  // namespace setup
