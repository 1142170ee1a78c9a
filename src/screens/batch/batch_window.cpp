// BATCH_DRYING_WINDOW: the stage buttons, the picture of the stage times, and the time keypad on
// a stage's set time.
#include <array>

#include "i18n/language.h"
#include "link/dryer_state.h"
#include "platform/ui/controls.h"
#include "screens/batch/batch.h"
#include "screens/batch/batch_drawing.h"
#include "screens/keypads/keypads.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "shell/layout.h"

namespace batch {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr int kTitleString = 442;
// Sent to itself at creation: the heat-button rule, once the shell knows the window.
constexpr uint32_t kApplyStageButtons = ui::kUser + 1;

using Image = dryer::ParameterImage;
using Flags = dryer::PendingFlags;

struct StageButton {
    int id;
    int string;
    std::string_view english;  // the name under the keypad's value while the language lacks it
    gfx::Rect rect;
    uint32_t style;
    dryer::Field (Image::*setpoint)() const;
    dryer::Flag (Flags::*flag)() const;
    keypads::TimeLimits limits;
};

constexpr keypads::TimeLimits kHeatLimits{{0, 0}, {60, 0}, {200, 0}};
constexpr keypads::TimeLimits kCoolLimits{{0, 0}, {20, 0}, {60, 0}};
constexpr keypads::TimeLimits kUnloadLimits{{0, 0}, {10, 0}, {60, 0}};

const std::array<StageButton, 5> kStageButtons = {{
    {shell::kHiHeatButton, 446, "HI HEAT", gfx::Rect::fromSize(7, 55, 110, 25), 0,
     &Image::heatStageTimeSetpoint, &Flags::heatStageTimeSetpoint, kHeatLimits},
    {shell::kLoHeatButton, 447, "LO HEAT", gfx::Rect::fromSize(7, 140, 110, 25), 0,
     &Image::loHeatStageTimeSetpoint, &Flags::loHeatStageTimeSetpoint, kHeatLimits},
    {shell::kDryButton, 443, "DRY", gfx::Rect::fromSize(5, 110, 110, 55), ui::kMultiLine,
     &Image::heatStageTimeSetpoint, &Flags::heatStageTimeSetpoint, kHeatLimits},
    {shell::kCoolButton, 444, "COOL", gfx::Rect::fromSize(138, 110, 110, 55), ui::kVisible,
     &Image::coolStageTimeSetpoint, &Flags::coolStageTimeSetpoint, kCoolLimits},
    {shell::kUnloadButton, 445, "UNLOAD", gfx::Rect::fromSize(273, 110, 110, 55), ui::kVisible,
     &Image::unloadStageTimeSetpoint, &Flags::unloadStageTimeSetpoint, kUnloadLimits},
}};

const StageButton* stageButton(int id) {
    for (const StageButton& button : kStageButtons) {
        if (button.id == id) return &button;
    }
    return nullptr;
}

// The heat buttons start hidden; the shell's rule shows those that fit the drying mode.
void create(ui::Window window) {
    for (const StageButton& button : kStageButtons) {
        ui::createWindow(ui::kButtonClass, i18n::GetString(button.string),
                         ui::kChild | button.style, button.rect, window, button.id);
    }
    ui::postMessage(window, kApplyStageButtons);
}

void setTexts(ui::Window window) {
    ui::setWindowText(window, i18n::GetString(kTitleString));
    for (const StageButton& button : kStageButtons)
        ui::setWindowText(ui::childById(window, button.id), i18n::GetString(button.string));
}

// The picture goes into a bitmap of the client's size first and then onto the window at once.
void paint(ui::Window window, ui::PaintContext& pc) {
    setTexts(window);
    gfx::Surface picture(pc.client.width(), pc.client.height());
    gfx::Painter painter(picture);
    drawBatchTimers(painter, pc.client, readBatchTimers(dryer::dryerState()));
    pc.painter.copyBitmap(picture, {0, 0});
}

// The keypad on the stage's set time, starting from the controller's value; it centres on the
// main window, since the panel is smaller than the keypad.
void editSetTime(const StageButton& button) {
    auto& state = dryer::dryerState();
    keypads::openTimerKeypad(shell::mainWindow(), (state.edit.*button.setpoint)(),
                             (state.pending.*button.flag)(), button.limits,
                             {button.string, button.english}, keypads::TimeUnits::HoursMinutes);
}

}  // namespace

ui::LResult batchDryingProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            create(window);
            return 0;
        case kApplyStageButtons:
            shell::updateBatchStageButtons(shell::environment());
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paint(window, ui::paintContext(lp));
            return 0;
        case ui::kCommand:
            if (const StageButton* button = stageButton(ui::commandId(wp))) editSetTime(*button);
            return 0;
        default:
            return ui::defaultProc(window, message, wp, lp);
    }
}

void wireBatchScreen() {
    shell::setScreenProcedure(shell::Screen::BatchDrying, batchDryingProc);
}

}  // namespace batch
