#include "screens/warnings/shutdown_help.h"

#include <algorithm>
#include <array>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "i18n/resources.h"
#include "i18n/text.h"
#include "link/dryer_state.h"
#include "platform/ui/dialog.h"
#include "shell/hooks.h"
#include "shell/periodic.h"

namespace warnings {
namespace {

namespace ui = platform::ui;
namespace gfx = platform::gfx;

constexpr std::array<ui::DialogItem, 2> kHelpItems = {{
    {kHelpCloseButton, ui::ControlKind::PushButton, "CLOSE", 299, 130, 45, 26},
    {kHelpTextList, ui::ControlKind::ListBox, "", 5, 172, 339, 56},
}};
constexpr ui::DialogTemplate kHelpTemplate{"Shutdown Help File - 34", 351, 229, kHelpItems};

constexpr uint32_t kAskAboutPicture = ui::kUser + 1;
constexpr gfx::Rect kPictureRect{10, 0, 510, 400};

// The open dialog's flags, cleared at each opening.
struct HelpDialogState {
    bool pictureMissing = false;
    bool textLoaded = false;
    std::string shownPicture;  // the file drawn last
};
HelpDialogState gDialog;

bool rearDischargeLive() {
    const auto& status = dryer::dryerState().status;
    return status.shutdownNodeId().get() == 14 && status.shutdownWarningId().get() == 5;
}

// The rear-discharge animation shows each of its first three pictures for one step and the
// fourth for four.
std::string picturePath() {
    if (rearDischargeLive()) {
        const int frame = std::min<int>(shell::periodic().rearDischargeFrame, 3);
        return i18n::RearDischargeBitmapPath(74 + frame);
    }
    const HelpRequest request = helpRequest();
    return i18n::WarningBitmapPath(static_cast<int>(helpNode(request.node)),
                                   static_cast<int>(request.warning));
}

void drawPicture(ui::Window dialog, ui::PaintContext& pc) {
    const std::string path = picturePath();
    const i18n::ButtonBitmap picture = i18n::LoadBitmapFile(path);
    if (!picture) {
        gDialog.pictureMissing = true;
        // Asked once this paint is over: a message box runs a loop of its own.
        ui::postMessage(dialog, kAskAboutPicture);
        return;
    }
    pc.painter.stretchBitmap(*picture, picture->bounds(), kPictureRect);
    // The animation tick repaints only the strip where the panel's own pictures move; another
    // picture (a new frame, or the rear discharge starting while the help of another shutdown is
    // open) is shown whole at the next paint.
    if (path != gDialog.shownPicture && pc.update.intersect(kPictureRect) != kPictureRect)
        ui::invalidateRect(dialog, kPictureRect, false);
    gDialog.shownPicture = path;
}

void loadHelpText(ui::Window dialog) {
    gDialog.textLoaded = true;
    const HelpRequest request = helpRequest();
    const ui::Window list = ui::dialogItem(dialog, kHelpTextList);
    for (const std::string& line : helpTextLines(request.node, request.warning))
        ui::listBoxAdd(list, line);
}

void paintHelp(ui::Window dialog, ui::PaintContext& pc) {
    ui::setWindowText(dialog, i18n::GetString(459));
    ui::setItemText(dialog, kHelpCloseButton, i18n::GetString(145));
    if (!gDialog.pictureMissing) drawPicture(dialog, pc);
    if (!gDialog.textLoaded) loadHelpText(dialog);
}

void askAboutPicture(ui::Window dialog) {
    const int answer = ui::messageBox(dialog, i18n::GetString(468), i18n::GetString(467),
                                      ui::kMbRetryCancel | ui::kMbIconInformation);
    if (answer == ui::kIdRetry) {
        gDialog.pictureMissing = false;
        ui::invalidate(dialog, true);
    } else {
        ui::endDialog(dialog, ui::kIdCancel);
    }
}

ui::LResult helpDialogProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            gDialog = {};
            ui::centreOnOwner(dialog);
            shell::registerOpenDialog(shell::Dialog::ShutdownHelp, dialog);
            return 1;
        case ui::kPaint:
            paintHelp(dialog, ui::paintContext(lp));
            return 1;
        case kAskAboutPicture:
            askAboutPicture(dialog);
            return 1;
        case ui::kCommand:
            if (ui::commandId(wp) != kHelpCloseButton) return 0;
            ui::endDialog(dialog, kHelpCloseButton);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

HelpRequest& helpRequest() {
    static HelpRequest request;
    return request;
}

uint32_t helpNode(uint32_t node) {
    return node >= 2 && node <= 7 ? 2 : node;
}

std::vector<std::string> helpTextLines(uint32_t node, uint32_t warning) {
    auto lines =
        i18n::ReadWarningHelpLines(static_cast<int>(helpNode(node)), static_cast<int>(warning));
    if (!lines) return {i18n::GetStringOr(651, kNoHelpText)};
    for (std::string& line : *lines)
        line = i18n::firstChars(line, kHelpLineChars);
    return *lines;
}

int runShutdownHelp(ui::Window owner) {
    const int result = ui::runDialog(kHelpTemplate, owner, helpDialogProc);
    shell::unregisterOpenDialog(shell::Dialog::ShutdownHelp);
    return result;
}

}  // namespace warnings
