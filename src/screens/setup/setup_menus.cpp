// The two setup menus: grids of picture buttons, each opening one setup dialog.
#include <algorithm>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "i18n/button_bitmaps.h"
#include "i18n/dialog/language_dialog.h"
#include "i18n/language.h"
#include "platform/gfx/text.h"
#include "platform/ui/controls.h"
#include "screens/setup/setup_common.h"
#include "screens/setup/setup_dialogs.h"
#include "shell/app.h"

namespace setup {
namespace {

using shell::Screen;

struct MenuButton {
    int id;
    int x, y, width, height;
    int bitmap;  // 0: drawn by the screen itself
};

enum : int {
    kDryingModeButton = 34865,
    kMoistureSetupButton = 34883,
    kAutoStartButton = 36996,
    kUnloadParametersButton = 36974,
    kTempManagerButton = 36975,
    kBurnerModeButton = 34867,
    kCalibrationButton = 36976,
    kExtendedButton = 36977,
    kSetupExitButton = 34879,

    kDiagnosticsButton = 36978,
    kBurnerDifferentialButton = 36979,
    kPrinterButton = 36981,
    kReverseButton = 36991,
    kBushelButton = 36983,
    kDateTimeButton = 36984,
    kUnitsButton = 36985,
    kDryerModelButton = 36982,
    kDataLoggerButton = 36987,
    kClearBatchButton = 36990,
    kLanguageButton = 37044,
    kExtendedExitButton = 36980,
    kWatchdogButton = 36986,
    kUserSettingsButton = 36988,
};

// Dialogs of other screens, by template number.
enum : int {
    kDryingModeDialog = 512,
    kUnloadParametersDialog = 513,
    kTempManagerDialog = 514,
    kContinuousFlowDialog = 515,
    kStagedBatchDialog = 516,
    kAutoStartEntry = 614,
    kDiagnosticsDialog = 168,
    kDateTimeDialog = 199,
    kWatchdogDialog = 206,
    kUserSettingsDialog = 479,
};

constexpr MenuButton kSetupButtons[] = {
    {kDryingModeButton, 10, 20, 175, 50, 23},   {kMoistureSetupButton, 10, 90, 175, 50, 24},
    {kAutoStartButton, 10, 160, 175, 50, 73},   {kUnloadParametersButton, 222, 20, 175, 50, 25},
    {kTempManagerButton, 222, 90, 175, 50, 26}, {kBurnerModeButton, 222, 160, 175, 50, 27},
    {kCalibrationButton, 440, 20, 175, 50, 28}, {kExtendedButton, 440, 90, 175, 50, 29},
    {kSetupExitButton, 230, 395, 159, 41, 41},
};

constexpr MenuButton kExtendedButtons[] = {
    {kDiagnosticsButton, 10, 20, 175, 50, 30},  {kBurnerDifferentialButton, 10, 90, 175, 50, 31},
    {kPrinterButton, 10, 160, 175, 50, 32},     {kReverseButton, 10, 230, 175, 50, 33},
    {kBushelButton, 222, 20, 175, 50, 35},      {kDateTimeButton, 222, 90, 175, 50, 36},
    {kUnitsButton, 222, 160, 175, 50, 37},      {kDryerModelButton, 222, 230, 175, 50, 38},
    {kDataLoggerButton, 440, 20, 175, 50, 39},  {kWatchdogButton, 440, 90, 175, 50, 0},
    {kClearBatchButton, 440, 160, 175, 50, 63}, {kUserSettingsButton, 440, 230, 175, 50, 40},
    {kLanguageButton, 555, 300, 60, 60, 0},     {kExtendedExitButton, 230, 395, 159, 41, 41},
};

// The pictures each menu holds while its window lives, by button id.
using HeldBitmaps = std::map<int, std::unique_ptr<i18n::HeldButtonBitmap>>;

// Never destroyed: the pictures unregister from the language's list of held bitmaps, which may
// already be gone when the program ends.
HeldBitmaps& heldBitmaps(Screen menu) {
    static HeldBitmaps& setupMenu = *new HeldBitmaps;
    static HeldBitmaps& extendedMenu = *new HeldBitmaps;
    return menu == Screen::SetupSelection ? setupMenu : extendedMenu;
}

void createButtons(ui::Window window, Screen menu, std::span<const MenuButton> buttons) {
    HeldBitmaps& held = heldBitmaps(menu);
    for (const MenuButton& b : buttons) {
        ui::createWindow(ui::kButtonClass, "", ui::kChild | ui::kVisible | ui::kOwnerDraw,
                         gfx::Rect::fromSize(b.x, b.y, b.width, b.height), window, b.id);
        if (b.bitmap != 0) held[b.id] = std::make_unique<i18n::HeldButtonBitmap>(b.bitmap);
    }
}

// The picture of the current language on a globe, for the language button.
void drawLanguageButton(ui::DrawItem& item) {
    gfx::Painter& p = item.painter;
    p.fillRect(item.rect, gfx::colors::kMenu);
    const gfx::Color sea = gfx::rgb(30, 90, 170);
    p.fillEllipse(item.rect.inflate(-6, -6), sea);
    const gfx::Rect r = item.rect;
    const int cx = (r.left + r.right) / 2;
    const int cy = (r.top + r.bottom) / 2;
    const gfx::Color line = gfx::rgb(150, 200, 240);
    p.drawLine({r.left + 8, cy}, {r.right - 9, cy}, line);
    p.drawLine({cx, r.top + 8}, {cx, r.bottom - 9}, line);
    // The code stands on the globe's blue, not on its light meridians, so that it reads.
    const std::string code(i18n::languageInfo(i18n::GetLanguage()).folderCode);
    const gfx::FontSpec face = gfx::font(20, 900);
    const gfx::Size size = gfx::textExtent(code, face);
    p.fillRect(gfx::Rect::fromSize(cx - size.width / 2 - 3, cy - size.height / 2 - 1,
                                   size.width + 6, size.height + 2),
               sea);
    p.drawText(code, r, face,
               {gfx::colors::kWhite, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
    p.drawFrame(r, gfx::colors::kButtonDarkShadow, 1);
}

gfx::Color blend(gfx::Color a, gfx::Color b, int bPercent) {
    const auto mix = [&](uint8_t x, uint8_t y) {
        return static_cast<uint8_t>(x + (y - x) * bPercent / 100);
    };
    return gfx::rgb(mix(a.r, b.r), mix(a.g, b.g), mix(a.b, b.b));
}

// Cuts the face's corners round on the dark ground, as the pictures' corners are.
void roundCorners(gfx::Painter& p, const gfx::Rect& r, gfx::Color ground, gfx::Color edge) {
    for (int dy = 0; dy < 4; ++dy) {
        for (int dx = 0; dx + dy < 4; ++dx) {
            const gfx::Color c = dx + dy == 3 ? edge : ground;
            p.setPixel(r.left + 1 + dx, r.top + 1 + dy, c);
            p.setPixel(r.right - 2 - dx, r.top + 1 + dy, c);
            p.setPixel(r.left + 1 + dx, r.bottom - 2 - dy, c);
            p.setPixel(r.right - 2 - dx, r.bottom - 2 - dy, c);
        }
    }
}

// The face of the localized menu pictures: a blue gradient with a light edge and a faint shine
// over its upper part, on a dark ground.
void drawMenuFace(gfx::Painter& p, const gfx::Rect& r, gfx::Color edge) {
    const gfx::Color ground = gfx::rgb(16, 22, 30);
    p.fillRect(r, ground);
    // A shade darker at the top than the pictures' face, so that white text under the shine
    // keeps 4.5:1 in every language.
    const gfx::Color top = gfx::rgb(50, 98, 165);
    const gfx::Color bottom = gfx::rgb(21, 61, 117);
    const int height = r.height() - 2;
    const int shine = (r.height() - 5) * 45 / 100;
    for (int y = 0; y < height; ++y) {
        gfx::Color line = blend(top, bottom, 100 * y / std::max(1, height - 1));
        if (y >= 2 && y < 2 + shine) line = blend(line, gfx::colors::kWhite, 12);
        p.fillRect({r.left + 1, r.top + 1 + y, r.right - 1, r.top + 2 + y}, line);
    }
    p.drawFrame(r.inflate(-1, -1), edge, 1);
    roundCorners(p, r, ground, edge);
}

// Four rising bars, `size` pixels high, standing on `base`.
void drawSignalIcon(gfx::Painter& p, int left, int base, int size) {
    for (int bar = 0; bar < 4; ++bar) {
        const int barHeight = size * (bar + 1) / 4;
        p.fillRect({left + bar * 7, base - barHeight, left + bar * 7 + 5, base},
                   gfx::colors::kWhite);
    }
}

// The label on one line when it fits at the pictures' 16 pixels, else on two, broken after the last
// space or hyphen of its first half or more.
std::vector<std::string> labelLines(const std::string& label, int width) {
    if (gfx::textExtent(label, gfx::font(16, 700)).width <= width) return {label};
    const size_t cut = label.find_last_of(" -", label.size() - 2);
    if (cut == std::string::npos || cut == 0) return {label};
    const std::string first = label.substr(0, label[cut] == '-' ? cut + 1 : cut);
    return {first, label.substr(cut + 1)};
}

// The language packs hold no picture for the watchdog setup, so the screen draws it as the
// pictures look: the menu face, an icon, a divider and its text from the string table, with the
// controller's connection type in a smaller line below.
void drawWatchdogButton(ui::DrawItem& item) {
    gfx::Painter& p = item.painter;
    const gfx::Rect r = item.rect;
    const gfx::Color edge = gfx::rgb(163, 200, 255);
    drawMenuFace(p, r, edge);
    const int size = r.height() * 56 / 100;
    drawSignalIcon(p, r.left + 8, r.top + (r.height() + size) / 2, size);
    const int left = r.left + 8 + size + 6;
    const int right = r.right - 6;
    p.drawLine({left - 3, r.top + r.height() * 18 / 100}, {left - 3, r.top + r.height() * 82 / 100},
               edge);
    const std::vector<std::string> lines = labelLines(text(385), right - left);
    const int connection = (state().status.watchdogSetup().get() >> 2) & 0x03;
    const std::string type = connection <= 2 ? text(402 + connection) : "";
    const unsigned centred = gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine;
    const int lineHeight = lines.size() == 1 ? 20 : 14;
    int y = r.top + (lines.size() == 1 ? 6 : 3);
    for (const std::string& line : lines) {
        p.drawText(line, {left, y, right, y + lineHeight},
                   gfx::fitFont(line, gfx::font(lineHeight == 20 ? 16 : 14, 700), right - left,
                                kSmallestFont),
                   {gfx::colors::kWhite, centred});
        y += lineHeight;
    }
    p.drawText(type, {left, y, right, r.bottom - 3},
               gfx::fitFont(type, gfx::font(12, 700), right - left, kSmallestFont),
               {edge, centred});
}

void drawMenuButton(Screen menu, ui::DrawItem& item) {
    if (item.controlId == kLanguageButton) {
        drawLanguageButton(item);
    } else if (item.controlId == kWatchdogButton) {
        drawWatchdogButton(item);
    } else {
        const auto found = heldBitmaps(menu).find(item.controlId);
        const gfx::Surface* picture =
            found == heldBitmaps(menu).end() ? nullptr : found->second->get();
        if (picture != nullptr) {
            item.painter.copyBitmap(*picture, {0, 0});
        } else {
            item.painter.fillRect(item.rect, gfx::colors::kMenu);
        }
    }
    if (item.pressed) item.painter.drawFrame(item.rect, gfx::rgb(255, 255, 0), 3);
}

void setCaption(ui::Window window, int stringNumber) {
    const std::string caption = text(stringNumber);
    if (ui::windowText(window) != caption) ui::setWindowText(window, caption);
}

void showButton(ui::Window window, int id, bool shown) {
    const ui::Window button = ui::childById(window, id);
    if (ui::isVisible(button) != shown) ui::showWindow(button, shown);
}

bool singleColumnModel() {
    return state().status.dryerModelFlags().bit(5);
}

bool autoStartOffered() {
    const auto& status = state().status;
    return status.dryingMode().get() == 0 && !singleColumnModel() && status.statusFlags280().bit(6);
}

bool dryerModelAllowed() {
    return state().status.statusByte183().bit(2);
}

bool reverseOffered() {
    return state().status.statusByte183().bit(1) && !singleColumnModel();
}

bool batchCountOffered() {
    return state().status.dryingMode().get() != 0;
}

void openOther(int templateId, Screen owner) {
    shell::environment().openDialog(templateId, owner);
}

void leaveSetupMenus(ui::Window window) {
    auto& s = state();
    ui::showWindow(window, false);
    s.statusScreensActive = 1;
    s.beginEdit(s.status.dryingOptions());
    shell::returnToMainView();
    for (Screen screen : {Screen::DryerPic, Screen::RightStatusBar, Screen::ButtonBar,
                          Screen::LineGraph, Screen::UnloadStatus, Screen::CustomView,
                          Screen::AverageValues, Screen::Graph, Screen::BatchDrying}) {
        shell::environment().invalidate(screen, true);
    }
}

void switchMenus(Screen from, Screen to) {
    ui::showWindow(shell::screenWindow(from), false);
    ui::showWindow(shell::screenWindow(to), true);
}

void setupCommand(ui::Window window, int id) {
    switch (id) {
        case kDryingModeButton:
            return openOther(kDryingModeDialog, Screen::SetupSelection);
        case kMoistureSetupButton:
            return openOther(
                state().status.dryingMode().get() == 0 ? kContinuousFlowDialog : kStagedBatchDialog,
                Screen::SetupSelection);
        case kAutoStartButton:
            if (autoStartOffered()) openOther(kAutoStartEntry, Screen::SetupSelection);
            return;
        case kUnloadParametersButton:
            return openOther(kUnloadParametersDialog, Screen::SetupSelection);
        case kTempManagerButton:
            return openOther(kTempManagerDialog, Screen::SetupSelection);
        case kBurnerModeButton:
            if (!singleColumnModel()) runBurnerMode(window);
            return;
        case kCalibrationButton:
            return runMoistureCalibration(window);
        case kExtendedButton:
            return switchMenus(Screen::SetupSelection, Screen::ExtendedSetupSelection);
        case kSetupExitButton:
            return leaveSetupMenus(window);
        default:
            return;
    }
}

void reloadPictures() {
    i18n::ReloadButtonBitmaps();
    for (Screen menu : {Screen::SetupSelection, Screen::ExtendedSetupSelection}) {
        const ui::Window window = shell::screenWindow(menu);
        ui::invalidate(window, true);
        const std::span<const MenuButton> buttons =
            menu == Screen::SetupSelection ? std::span<const MenuButton>(kSetupButtons)
                                           : std::span<const MenuButton>(kExtendedButtons);
        for (const MenuButton& b : buttons)
            ui::invalidate(ui::childById(window, b.id), true);
    }
}

void extendedCommand(ui::Window window, int id) {
    switch (id) {
        case kDiagnosticsButton:
            return openOther(kDiagnosticsDialog, Screen::ExtendedSetupSelection);
        case kBurnerDifferentialButton:
            return runBurnerDifferential(window);
        case kReverseButton:
            if (reverseOffered()) runMeterRollReverseQuestion(window);
            return;
        case kBushelButton:
            return runBushelSetup(window);
        case kDateTimeButton:
            return openOther(kDateTimeDialog, Screen::ExtendedSetupSelection);
        case kUnitsButton:
            return runUnitsQuestion(window);
        case kDryerModelButton:
            if (dryerModelAllowed()) runHardwareSetup(window);
            return;
        case kDataLoggerButton:
            return openOther(shell::kDayDataLoggerSetupDialog, Screen::ExtendedSetupSelection);
        case kClearBatchButton:
            if (batchCountOffered()) runClearBatchCountQuestion(window);
            return;
        case kWatchdogButton:
            return openOther(kWatchdogDialog, Screen::ExtendedSetupSelection);
        case kUserSettingsButton:
            return openOther(kUserSettingsDialog, Screen::ExtendedSetupSelection);
        case kLanguageButton:
            i18n::RunLanguageDialog(window);
            return reloadPictures();
        case kExtendedExitButton:
            return switchMenus(Screen::ExtendedSetupSelection, Screen::SetupSelection);
        default:
            return;  // the printer setup has nothing to set
    }
}

// The watchdog button names the connection type, so it repaints when the controller's setting
// changes.
void followWatchdogSetup(ui::Window button) {
    state().hooks.registerWindow(
        dryer::Window::SetupMenuButton,
        [button](bool erase, const dryer::RepaintArea*) { ui::invalidate(button, erase); });
}

ui::LResult menuProc(Screen menu, ui::Window window, uint32_t message, ui::WParam wp,
                     ui::LParam lp) {
    switch (message) {
        case ui::kDestroy:
            heldBitmaps(menu).clear();
            if (menu == Screen::ExtendedSetupSelection)
                state().hooks.unregisterWindow(dryer::Window::SetupMenuButton);
            break;
        case ui::kDrawItem:
            drawMenuButton(menu, ui::drawItem(lp));
            return 1;
        default:
            break;
    }
    return ui::defaultProc(window, message, wp, lp);
}

}  // namespace

ui::LResult setupSelectionProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            createButtons(window, Screen::SetupSelection, kSetupButtons);
            showButton(window, kBurnerModeButton, !singleColumnModel());
            showButton(window, kAutoStartButton, autoStartOffered());
            return 0;
        case ui::kPaint:
            setCaption(window, 461);
            showButton(window, kAutoStartButton, autoStartOffered());
            return 0;
        case ui::kCommand:
            setupCommand(window, ui::commandId(wp));
            return 0;
        default:
            return menuProc(Screen::SetupSelection, window, message, wp, lp);
    }
}

ui::LResult extendedSetupProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            createButtons(window, Screen::ExtendedSetupSelection, kExtendedButtons);
            followWatchdogSetup(ui::childById(window, kWatchdogButton));
            showButton(window, kDryerModelButton, dryerModelAllowed());
            showButton(window, kReverseButton, reverseOffered());
            showButton(window, kClearBatchButton, batchCountOffered());
            return 0;
        case ui::kPaint:
            setCaption(window, 470);
            showButton(window, kClearBatchButton, batchCountOffered());
            return 0;
        case ui::kCommand:
            extendedCommand(window, ui::commandId(wp));
            return 0;
        default:
            return menuProc(Screen::ExtendedSetupSelection, window, message, wp, lp);
    }
}

}  // namespace setup
