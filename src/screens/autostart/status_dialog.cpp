// The auto-start status dialog (612): the controller's progress as one status line and the time
// chart of the sequence, repainted as the controller's values change.
#include "i18n/language.h"
#include "link/dryer_state.h"
#include "platform/ui/dialog.h"
#include "screens/autostart/internal.h"
#include "screens/autostart/progress_chart.h"

namespace autostart::detail {
namespace {

namespace ui = platform::ui;
namespace gfx = platform::gfx;

constexpr int kCancelAutoStartButton = 1506;
constexpr int kMinimizeButton = 1507;

constexpr int kTitleString = 507;
constexpr int kCancelAutoStartString = 508;
constexpr int kMinimizeString = 145;

// As large as a dialog can be on the panel: the chart needs the screen's width.
constexpr ui::DialogItem kItems[] = {
    {kCancelAutoStartButton, ui::ControlKind::PushButton, "Cancel Auto-Start", 57, 196, 103, 27},
    {kMinimizeButton, ui::ControlKind::PushButton, "Minimize", 203, 196, 103, 27},
};
constexpr ui::DialogTemplate kTemplate{"Auto-Start Status", 363, 243, kItems};

struct StatusLine {
    std::string text;
    gfx::Color color;
};

StatusLine statusLine(uint8_t progress) {
    if (progress & 0x80) return {i18n::GetString(506), kLightBlue};
    if (progress & 0x04) return {i18n::GetString(504), kYellow};
    if (progress & 0x02) return {i18n::GetString(503), kGreen};
    return {i18n::GetStringOr(742, "Auto-Start Status Unkown"), gfx::colors::kWhite};
}

void paint(ui::Window dialog, ui::PaintContext& pc) {
    ui::setWindowText(dialog, i18n::GetString(kTitleString));
    ui::setItemText(dialog, kCancelAutoStartButton, i18n::GetString(kCancelAutoStartString));
    ui::setItemText(dialog, kMinimizeButton, i18n::GetString(kMinimizeString));
    gfx::Painter& p = pc.painter;
    p.fillRect(pc.client, kDarkGrey);
    const auto& state = dryer::dryerState();
    const StatusLine line = statusLine(static_cast<uint8_t>(state.status.statusFlags280().get()));
    p.drawText(line.text, {0, 0, std::min(640, pc.client.right), 50}, gfx::font(30, 900),
               {line.color, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
    drawProgressChart(p, state);
}

void watchController(ui::Window dialog) {
    dryer::dryerState().hooks.registerWindow(
        dryer::Window::AutoStartStatusDialog,
        [dialog](bool erase, const dryer::RepaintArea*) { ui::invalidate(dialog, erase); });
}

ui::LResult statusDialogProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog);
            watchController(dialog);
            return 1;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paint(dialog, ui::paintContext(lp));
            return 1;
        case ui::kCommand:
            if (ui::commandId(wp) == kCancelAutoStartButton) {
                runStartCancelQuestion(dialog);
                ui::invalidate(dialog, true);
            } else if (ui::commandId(wp) == kMinimizeButton) {
                ui::endDialog(dialog, kMinimizeButton);
            }
            return 1;
        default:
            return 0;
    }
}

}  // namespace

void runStatusDialog(ui::Window owner) {
    ui::runDialog(kTemplate, owner, statusDialogProc);
    dryer::dryerState().hooks.unregisterWindow(dryer::Window::AutoStartStatusDialog);
}

}  // namespace autostart::detail
