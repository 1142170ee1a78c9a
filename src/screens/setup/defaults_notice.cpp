// The notice that the controller's DEFAULTS dipswitch is on. While it is open the controller's
// defaults event is held back, so the notice does not open again over itself.
#include "i18n/dialog/dialog_texts.h"
#include "i18n/language.h"
#include "platform/ui/dialog.h"
#include "screens/setup/setup_common.h"
#include "screens/setup/setup_dialogs.h"

namespace setup {
namespace {

using Kind = ui::ControlKind;

constexpr int kExit = 1101;
constexpr int kNoticeText = 1100;

constexpr ui::DialogItem kItems[] = {
    {kNoticeText, Kind::StaticCenter,
     "The DEFAULTS dipswitch of the dryer controller is ON.\nThe controller loads its factory "
     "settings while it is on.\nTurn the DEFAULTS dipswitch OFF, then press EXIT.",
     8, 6, 214, 46, ui::kMultiLine},
    {kExit, Kind::PushButton, "EXIT", 80, 132, 70, 22},
};

constexpr ui::DialogTemplate kNoticeDialog{"Please turn off DEFAULTS dipswitch! - 33", 230, 160,
                                           kItems};

void localizeNotice(ui::Window dialog) {
    static constexpr i18n::ItemString kStrings[] = {{kExit, 145}};
    i18n::localizeDialog(dialog, kNoticeDialog, 656, kStrings);
    const std::string notice =
        i18n::GetStringsJoined({{653, "The DEFAULTS dipswitch of the dryer controller is ON."},
                                {654, "The controller loads its factory settings while it is on."},
                                {655, "Turn the DEFAULTS dipswitch OFF, then press EXIT."}},
                               "\n");
    if (ui::itemText(dialog, kNoticeText) != notice) ui::setItemText(dialog, kNoticeText, notice);
}

// A block of eight dipswitches with the DEFAULTS switch (the fourth) up and marked.
void paintDipswitches(ui::PaintContext& pc) {
    gfx::Painter& p = pc.painter;
    const int width = 8 * 30 + 20;
    const int left = (pc.client.width() - width) / 2;
    constexpr int kTop = 104;
    p.fillRect({left, kTop, left + width, kTop + 100}, gfx::rgb(180, 30, 30));
    p.drawFrame({left, kTop, left + width, kTop + 100}, gfx::colors::kBlack, 2);
    for (int i = 0; i < 8; ++i) {
        const int x = left + 14 + i * 30;
        const bool defaults = i == 3;
        p.fillRect({x, kTop + 14, x + 20, kTop + 74}, gfx::colors::kWhite);
        const int knobTop = defaults ? kTop + 16 : kTop + 46;
        p.fillRect({x + 2, knobTop, x + 18, knobTop + 26},
                   defaults ? gfx::rgb(255, 220, 0) : gfx::rgb(90, 90, 90));
        p.drawText(std::to_string(i + 1), {x, kTop + 78, x + 20, kTop + 96}, gfx::font(14, 700),
                   {gfx::colors::kWhite, gfx::kAlignCenter | gfx::kSingleLine});
    }
    p.drawText(i18n::GetStringOr(14, "ON"), {left - 34, kTop + 14, left - 4, kTop + 32},
               gfx::font(14, 700), {gfx::colors::kBlack, gfx::kAlignRight | gfx::kSingleLine});
}

ui::LResult noticeProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            state().pending.defaultsNoticeShowing().raise();
            localizeNotice(dialog);
            ui::centreOnOwner(dialog);
            return 1;
        case ui::kPaint:
            localizeNotice(dialog);
            paintDipswitches(ui::paintContext(lp));
            return 1;
        case ui::kCommand:
            if (ui::commandId(wp) != kExit) return 0;
            state().pending.defaultsNoticeShowing().clear();
            ui::endDialog(dialog, kExit);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

void runDefaultsNotice(ui::Window owner) {
    ui::runDialog(kNoticeDialog, owner, noticeProc);
}

}  // namespace setup
