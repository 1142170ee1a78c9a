#include "screens/graphs/view_selection.h"

#include <array>
#include <memory>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "link/dryer_state.h"
#include "logging/view_settings.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/graphs/manual_viewer.h"
#include "shell/app.h"
#include "shell/layout.h"

namespace graphs {
namespace ui = platform::ui;
namespace gfx = platform::gfx;
using shell::Screen;

namespace {

constexpr uint8_t kOneShotBits = 0x03;
constexpr int kViewBit = 6;
constexpr int kDryerPictureBitmap = 78;
constexpr int kValuesColumnBitmap = 79;

struct PictureButton {
    const char* name;
    int id;
    gfx::Rect place;
    int bitmap;
    bool shown;
};

constexpr PictureButton kButtons[] = {
    {"CHART VIEW BUTTON", kChartViewButton, gfx::Rect::fromSize(10, 10, 200, 50), 42, true},
    {"GRAPH VIEW BUTTON", kGraphViewButton, gfx::Rect::fromSize(10, 70, 200, 50), 43, true},
    {"MANUALS BUTTON", kManualsButton, gfx::Rect::fromSize(10, 130, 200, 50), 44, true},
    {"HISTORY BUTTON", kHistoryButton, gfx::Rect::fromSize(230, 10, 200, 50), 45, true},
    {"", kSystemInfoButton, gfx::Rect::fromSize(230, 70, 200, 50), 46, true},
    {"SOFTWARE INFO BUTTON", kSoftwareInfoButton, gfx::Rect::fromSize(230, 130, 200, 50), 47,
     false},
    // Names the column it switches to; its bitmap follows the setting (leftColumnBitmap).
    {"LEFT COLUMN BUTTON", kLeftColumnButton, gfx::Rect::fromSize(230, 130, 200, 50),
     kValuesColumnBitmap, true},
    {"EXIT VIEW BUTTON", kExitViewButton, gfx::Rect::fromSize(151, 190, 158, 41), 41, true},
};
constexpr size_t kButtonCount = std::size(kButtons);

std::array<std::unique_ptr<i18n::HeldButtonBitmap>, kButtonCount> gBitmaps;

int leftColumnBitmap() {
    return logging::LeftColumnSelection == 1 ? kDryerPictureBitmap : kValuesColumnBitmap;
}

int bitmapOf(const PictureButton& b) {
    return b.id == kLeftColumnButton ? leftColumnBitmap() : b.bitmap;
}

void createButtons(ui::Window window) {
    for (size_t i = 0; i < kButtonCount; ++i) {
        const PictureButton& b = kButtons[i];
        const uint32_t style = ui::kChild | ui::kOwnerDraw | (b.shown ? ui::kVisible : 0);
        ui::createWindow(ui::kButtonClass, b.name, style, b.place, window, b.id);
        gBitmaps[i] = std::make_unique<i18n::HeldButtonBitmap>(bitmapOf(b));
    }
}

void drawButton(const ui::DrawItem& item) {
    item.painter.fillRect(item.rect, gfx::colors::kBlack);
    for (size_t i = 0; i < kButtonCount; ++i) {
        if (kButtons[i].id != item.controlId || !gBitmaps[i]) continue;
        if (const gfx::Surface* bitmap = gBitmaps[i]->get()) {
            item.painter.copyBitmap(*bitmap, {item.rect.left, item.rect.top});
        }
    }
    // Pressed: the picture sinks a little, as the other picture buttons do.
    if (item.pressed) item.painter.drawFrame(item.rect, gfx::rgb(255, 255, 255), 2);
}

bool refusedInBatchDrying(int number, std::string_view english) {
    if (dryer::dryerState().status.dryingMode().get() == 0) return false;
    ui::messageBox(shell::mainWindow(), i18n::GetStringOr(number, english),
                   i18n::GetStringOr(705, " REQUESTED FUNCTION NOT PERMITTED"), ui::kMbOk);
    return true;
}

void show(Screen screen, bool shown) {
    shell::environment().setVisible(screen, shown);
}

void openOverMain(int templateId) {
    show(Screen::ViewSelection, false);
    shell::environment().openDialog(templateId, shell::kMainWindowOwner);
}

void openManuals() {
    show(Screen::ViewSelection, false);
    runManualViewer(shell::mainWindow());
}

void switchLeftColumn() {
    logging::LeftColumnSelection = logging::LeftColumnSelection == 1 ? 0 : 1;
    logging::SaveLeftColumnSelection();
    for (size_t i = 0; i < kButtonCount; ++i) {
        if (kButtons[i].id == kLeftColumnButton) gBitmaps[i]->load(leftColumnBitmap());
    }
    show(Screen::ViewSelection, false);
    shell::showLeftColumn(shell::environment());
}

void command(int id) {
    switch (id) {
        case kChartViewButton:
            selectChartView();
            break;
        case kGraphViewButton:
            selectGraphView();
            break;
        case kManualsButton:
            openManuals();
            break;
        case kHistoryButton:
            openOverMain(kShutdownHistoryDialog);
            break;
        case kSystemInfoButton:
            openOverMain(kSystemInfoDialog);
            break;
        case kExitViewButton:
            show(Screen::ViewSelection, false);
            break;
        case kLeftColumnButton:
            switchLeftColumn();
            break;
        default:
            break;
    }
}

}  // namespace

void sendViewSelectionBit(bool graph) {
    auto& state = dryer::dryerState();
    {
        const auto lock = state.hold();
        state.beginEdit(state.status.userSettings());
        const auto byte = static_cast<uint8_t>(state.edit.userSettings().get() & ~kOneShotBits);
        state.edit.userSettings().set(byte);
        state.edit.userSettings().setBit(kViewBit, graph);
    }
    state.commitEdit(state.pending.userSettings());
}

bool selectGraphView() {
    sendViewSelectionBit(true);
    if (refusedInBatchDrying(693, "Graph is not available in Batch Drying.")) return false;
    show(Screen::CustomView, false);
    show(Screen::AutoStartConfig, false);
    show(Screen::AverageValues, false);
    show(Screen::DrawGraph, true);
    show(Screen::Graph, true);
    show(Screen::ViewSelection, false);
    logging::ScreenViewSelection = 1;
    logging::SaveViewSelection();
    return true;
}

bool selectChartView() {
    sendViewSelectionBit(false);
    if (refusedInBatchDrying(694, "Status Chart is not available in Batch Drying.")) return false;
    show(Screen::CustomView, true);
    show(Screen::AverageValues, true);
    show(Screen::AutoStartConfig, false);
    show(Screen::DrawGraph, false);
    show(Screen::Graph, false);
    show(Screen::ViewSelection, false);
    logging::ScreenViewSelection = 0;
    logging::SaveViewSelection();
    return true;
}

ui::LResult viewSelectionProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            createButtons(window);
            return 0;
        case ui::kDestroy:
            for (auto& bitmap : gBitmaps)
                bitmap.reset();
            return 0;
        case ui::kPaint:
            ui::setWindowText(window, i18n::GetString(469));
            return 0;
        case ui::kDrawItem:
            drawButton(ui::drawItem(lp));
            return 1;
        case ui::kCommand:
            command(ui::commandId(wp));
            return 0;
        default:
            return ui::defaultProc(window, message, wp, lp);
    }
}

}  // namespace graphs
