// AUTO_START_CONFIG_WINDOW: the grain, the moisture values and the start request of an
// auto-start, and the checks made before it is shown.
#include <array>
#include <cstdio>
#include <string>
#include <utility>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "link/dryer_state.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/autostart/autostart.h"
#include "screens/autostart/internal.h"
#include "screens/setpoints/setpoints.h"
#include "screens/setup/setup.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "shell/layout.h"

namespace autostart {
namespace {

namespace ui = platform::ui;
namespace gfx = platform::gfx;
using shell::Screen;

enum : int {
    kExitButton = 37012,
    kFirstPageCommand = 37013,  // 37013 to 37017 show pages 0 to 4
    kGrainSelectButton = 37014,
    kMoistureSettingsButton = 37017,
    kFirstGrainButton = 37018,  // 37018 to 37029: grain codes 0 to 11
    kDefaultTemplateButton = 37030,
    kUserTemplateButton = 37031,
    kPlenumSetpointsButton = 37032,
    kMoistureSetpointButton = 37036,
    kInitiateButton = 37038,
    kContinueButton = 37039,
    kAverageMoistureContinue = 37042,
    kSetpointContinue = 37043,
};

constexpr int kGrainCount = 12;
constexpr int kPageCount = 5;
constexpr int kGrainPage = 1;
constexpr int kTemplatePage = 2;
constexpr int kSetpointPage = 3;
constexpr int kMoisturePage = 4;

enum class Face { Picture, Continue, Plain };

struct ButtonSpec {
    int id;
    std::string_view text;
    int x, y, width, height;
    int bitmap;  // localized picture; 0 for none
    Face face;
    bool shownAtStart;
    int page;  // the page that shows it; -1 for the buttons always there (or never shown)
};

constexpr std::array<std::string_view, kGrainCount> kGrainNames = {
    "Corn", "Soy Beans", "Wheat", "Barley",     "Rice", "Canola",
    "Flax", "Hemp",      "Milo",  "Pistachios", "Rye",  "Oats"};

constexpr ButtonSpec grainButton(int code) {
    return {kFirstGrainButton + code,
            kGrainNames[code],
            code < 6 ? 180 : 330,
            20 + 50 * (code % 6),
            100,
            40,
            50 + code,
            Face::Picture,
            false,
            kGrainPage};
}

constexpr std::array<ButtonSpec, 23> kButtons = {{
    {kGrainSelectButton, "Grain Select", 5, 5, 120, 60, 48, Face::Picture, true, -1},
    {kMoistureSettingsButton, "Moisture Settings", 5, 75, 120, 60, 49, Face::Picture, true, -1},
    {kInitiateButton, "INITIATE", 439, 395, 160, 47, 62, Face::Picture, true, -1},
    {kContinueButton, "CONTINUE", 439, 395, 159, 41, 0, Face::Continue, false, -1},
    {kAverageMoistureContinue, "CONTINUE", 210, 100, 200, 60, 0, Face::Continue, false,
     kMoisturePage},
    {kSetpointContinue, "CONTINUE", 210, 250, 200, 60, 0, Face::Continue, false, kMoisturePage},
    {kExitButton, "EXIT", 240, 395, 160, 47, 41, Face::Picture, true, -1},
    grainButton(0),
    grainButton(1),
    grainButton(2),
    grainButton(3),
    grainButton(4),
    grainButton(5),
    grainButton(6),
    grainButton(7),
    grainButton(8),
    grainButton(9),
    grainButton(10),
    grainButton(11),
    {kDefaultTemplateButton, "Default Drying Template", 200, 75, 200, 60, 0, Face::Plain, false,
     kTemplatePage},
    {kUserTemplateButton, "User Drying Template", 200, 225, 200, 60, 0, Face::Plain, false,
     kTemplatePage},
    {kPlenumSetpointsButton, "Modify Plenum Setpoints", 200, 100, 230, 60, 0, Face::Plain, false,
     kSetpointPage},
    {kMoistureSetpointButton, "Moisture Setpoint", 200, 250, 230, 60, 0, Face::Plain, false,
     kSetpointPage},
}};

constexpr gfx::Color kBackground = gfx::rgb(40, 40, 40);
constexpr gfx::Color kLineGrey = gfx::rgb(150, 150, 150);
constexpr gfx::Color kMarker = detail::kYellow;

struct ConfigState {
    uint8_t active = 0;
    int page = kGrainPage;  // the first visit opens on the grain, the first thing to choose
    ui::Window window;
};

ConfigState& config() {
    static ConfigState instance;
    return instance;
}

std::array<i18n::HeldButtonBitmap, kButtons.size()>& pictures() {
    static std::array<i18n::HeldButtonBitmap, kButtons.size()> held;
    return held;
}

const ButtonSpec* specOf(int id) {
    for (const ButtonSpec& entry : kButtons) {
        if (entry.id == id) return &entry;
    }
    return nullptr;
}

void loadPictures(bool load) {
    for (size_t i = 0; i < kButtons.size(); ++i)
        pictures()[i].load(load ? kButtons[i].bitmap : 0);
}

const gfx::Surface* pictureOf(int id) {
    for (size_t i = 0; i < kButtons.size(); ++i) {
        if (kButtons[i].id == id) return pictures()[i].get();
    }
    return nullptr;
}

void createButton(ui::Window window, const ButtonSpec& entry) {
    uint32_t style = ui::kChild | (entry.face == Face::Plain ? ui::kMultiLine : ui::kOwnerDraw);
    if (entry.shownAtStart) style |= ui::kVisible;
    ui::createWindow(ui::kButtonClass, entry.text, style,
                     gfx::Rect::fromSize(entry.x, entry.y, entry.width, entry.height), window,
                     entry.id);
}

void createButtons(ui::Window window) {
    for (const ButtonSpec& entry : kButtons)
        createButton(window, entry);
}

void showPageButtons(ui::Window window, int page) {
    for (const ButtonSpec& entry : kButtons) {
        if (entry.page < 0) continue;
        const ui::Window button = ui::childById(window, entry.id);
        const bool shown = entry.page == page;
        if (ui::isVisible(button) != shown) ui::showWindow(button, shown);
    }
}

// ---- Painting --------------------------------------------------------------------------------

void drawEdge(gfx::Painter& p, const gfx::Rect& r, bool sunken) {
    const gfx::Color light = sunken ? gfx::colors::kButtonDarkShadow : gfx::colors::kButtonLight;
    const gfx::Color dark = sunken ? gfx::colors::kButtonLight : gfx::colors::kButtonDarkShadow;
    p.fillRect({r.left, r.top, r.right, r.top + 2}, light);
    p.fillRect({r.left, r.top, r.left + 2, r.bottom}, light);
    p.fillRect({r.left, r.bottom - 2, r.right, r.bottom}, dark);
    p.fillRect({r.right - 2, r.top, r.right, r.bottom}, dark);
}

// The program's own picture of the continue buttons: a green face with an arrow.
void drawContinueFace(gfx::Painter& p, const gfx::Rect& r, bool pressed) {
    p.fillRect(r, pressed ? gfx::rgb(20, 110, 40) : gfx::rgb(30, 140, 55));
    drawEdge(p, r, pressed);
    const int shift = pressed ? 1 : 0;
    const int mid = (r.top + r.bottom) / 2 + shift;
    const int tip = r.right - 12 + shift;
    const gfx::Point arrow[] = {{tip - 16, mid - 11}, {tip, mid}, {tip - 16, mid + 11}};
    p.fillPolygon(arrow, gfx::colors::kWhite);
    p.drawText(i18n::GetStringOr(750, "CONTINUE"),
               gfx::Rect{r.left + 6, r.top, tip - 20, r.bottom}.offset(shift, shift),
               gfx::font(18, 700),
               {gfx::colors::kWhite, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
}

// The name a plain face shows, in the operator's language.
std::string shownName(const ButtonSpec& entry) {
    static constexpr std::pair<int, int> kNames[] = {{kDefaultTemplateButton, 746},
                                                     {kUserTemplateButton, 747},
                                                     {kPlenumSetpointsButton, 748},
                                                     {kMoistureSetpointButton, 749}};
    for (const auto& [id, number] : kNames) {
        if (entry.id == id) return i18n::GetStringOr(number, entry.text);
    }
    return std::string(entry.text);
}

// A face with the button's name for a picture that could not be loaded.
void drawNamedFace(gfx::Painter& p, const gfx::Rect& r, std::string_view name, bool pressed) {
    p.fillRect(r, gfx::rgb(70, 80, 96));
    drawEdge(p, r, pressed);
    p.drawText(name, r.inflate(-3, -3), gfx::font(14, 700),
               {gfx::colors::kWhite, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kWordBreak});
}

void drawButton(const ui::DrawItem& item) {
    const ButtonSpec* entry = specOf(item.controlId);
    if (entry == nullptr) return;
    if (entry->face == Face::Continue) {
        drawContinueFace(item.painter, item.rect, item.pressed || item.checked);
        return;
    }
    if (const gfx::Surface* picture = pictureOf(entry->id)) {
        item.painter.stretchBitmap(*picture, picture->bounds(), item.rect);
        if (item.pressed) item.painter.drawFrame(item.rect, gfx::colors::kWhite, 2);
        return;
    }
    drawNamedFace(item.painter, item.rect, shownName(*entry), item.pressed);
}

// The chosen grain, seen from across the dryer's control room: a ring round its button and a
// pointer beside it; none for a code the buttons do not offer.
void drawGrainMarker(gfx::Painter& p) {
    const int code = dryer::dryerState().edit.grainType().get();
    if (code >= kGrainCount) return;
    const ButtonSpec button = grainButton(code);
    const gfx::Rect r = gfx::Rect::fromSize(button.x, button.y, button.width, button.height);
    p.drawFrame(r.inflate(4, 4), kMarker, 3);
    const int tip = r.right + 8;
    const int mid = (r.top + r.bottom) / 2;
    const gfx::Point pointer[] = {{tip, mid}, {tip + 14, mid - 10}, {tip + 14, mid + 10}};
    p.fillPolygon(pointer, kMarker);
}

// The page shown is marked on its button at the left, as the setup menus mark a pressed one.
void drawPageMarker(gfx::Painter& p, int page) {
    const int id = page == kGrainPage      ? kGrainSelectButton
                   : page == kMoisturePage ? kMoistureSettingsButton
                                           : 0;
    const ButtonSpec* button = specOf(id);
    if (button == nullptr) return;
    const gfx::Rect r = gfx::Rect::fromSize(button->x, button->y, button->width, button->height);
    p.drawFrame(r.inflate(3, 3), kMarker, 2);
}

std::string tenths(int value) {
    char text[24];
    std::snprintf(text, sizeof text, "%d.%01d%%", value / 10, value % 10);
    return text;
}

// Each value's name over its row: the keypad behind CONTINUE sets that value.
void drawMoistureLabels(gfx::Painter& p) {
    const gfx::TextStyle style{gfx::colors::kWhite, gfx::kSingleLine | gfx::kAlignLeft};
    const std::pair<std::string, int> labels[] = {
        {i18n::GetStringOr(841, "AVERAGE INCOMING MOISTURE"), 66},
        {i18n::GetStringOr(842, "MOISTURE SETPOINT"), 216}};
    for (const auto& [label, top] : labels) {
        const gfx::FontSpec font = gfx::fitFont(label, gfx::font(18, 700), 420, 14);
        p.drawText(label, {210, top, 630, top + 26}, font, style);
    }
}

void drawMoistureValues(gfx::Painter& p) {
    drawMoistureLabels(p);
    const auto& status = dryer::dryerState().status;
    const gfx::FontSpec font = gfx::font(50, 700);
    p.drawText(tenths(status.averageIncomingMoisture().get()), {450, 100, 640, 200}, font,
               {detail::kYellow, gfx::kSingleLine});
    p.drawText(tenths(status.moistureSetpoint().get()), {450, 250, 640, 350}, font,
               {detail::kLightBlue, gfx::kSingleLine});
}

void setCaption(ui::Window window) {
    const std::string caption = i18n::GetStringOr(840, " AUTO-START CONFIGURATION");
    if (ui::windowText(window) != caption) ui::setWindowText(window, caption);
}

void paint(ui::Window window, ui::PaintContext& pc) {
    setCaption(window);
    gfx::Painter& p = pc.painter;
    p.fillRect(pc.client, kBackground);
    p.drawLine({20, 380}, {620, 380}, kLineGrey);
    p.drawLine({160, 10}, {160, 375}, kLineGrey);
    const int page = config().page;
    showPageButtons(window, page);
    drawPageMarker(p, page);
    if (page == kGrainPage) drawGrainMarker(p);
    if (page == kMoisturePage) drawMoistureValues(p);
}

// ---- Commands --------------------------------------------------------------------------------

void openMoistureDialog(ui::Window window, int target) {
    if (const shell::DialogOpener* opener = shell::dialogOpener(detail::kMoistureSetpointDialog)) {
        setup::setMoistureKeypadTarget(target);
        (*opener)(window);
    }
    ui::invalidate(window, true);
}

// The plenum setpoint screen in place of this one; its exit brings this one back while
// autoStartConfigActive stays set.
void visitPlenumSetpoints(ui::Window window) {
    ui::showWindow(window, false);
    shell::hideStatusScreens(shell::environment());
    ui::showWindow(shell::screenWindow(Screen::TempSelect), true);
}

void command(ui::Window window, int id) {
    auto& state = dryer::dryerState();
    if (id >= kFirstPageCommand && id < kFirstPageCommand + kPageCount) {
        config().page = id - kFirstPageCommand;
        showPageButtons(window, config().page);
        ui::invalidate(window, true);
    } else if (id >= kFirstGrainButton && id < kFirstGrainButton + kGrainCount) {
        state.edit.grainType().set(id - kFirstGrainButton);
        ui::invalidate(window, true);
    } else if (id == kAverageMoistureContinue) {
        openMoistureDialog(window, setup::kAverageIncomingTarget);
    } else if (id == kSetpointContinue) {
        openMoistureDialog(window, setup::kMoistureSetpointTarget);
    } else if (id == kInitiateButton) {
        detail::runStartCancelQuestion(window);
    } else if (id == kExitButton) {
        state.commitEdit(state.pending.grainType());
        detail::leaveConfigWindow();
    } else if (id == kContinueButton) {
        detail::leaveConfigWindow();
    } else if (id == kPlenumSetpointsButton) {
        visitPlenumSetpoints(window);
    }
}

ui::LResult configWindowProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            config().window = window;
            loadPictures(true);
            createButtons(window);
            return 0;
        case ui::kDestroy:
            loadPictures(false);
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paint(window, ui::paintContext(lp));
            return 0;
        case ui::kDrawItem:
            drawButton(ui::drawItem(lp));
            return 1;
        case ui::kCommand:
            command(window, ui::commandId(wp));
            return 0;
        default:
            break;
    }
    return ui::defaultProc(window, message, wp, lp);
}

void showConfigWindow() {
    auto& state = dryer::dryerState();
    config().active = 1;
    state.beginEdit(state.status.hardwareOptions());
    state.beginEdit(state.status.grainType());
    for (int i = 0; i < shell::kScreenCount; ++i) {
        const auto screen = static_cast<Screen>(i);
        if (screen != Screen::AutoStartConfig) ui::showWindow(shell::screenWindow(screen), false);
    }
    shell::hideStatusScreens(shell::environment());
    const ui::Window window = shell::screenWindow(Screen::AutoStartConfig);
    ui::showWindow(window, true);
    ui::invalidate(window, true);
}

}  // namespace

namespace detail {

void leaveConfigWindow() {
    ui::showWindow(config().window, false);
    config().active = 0;
    // Leaving for the main screens leaves the setup menus too: the layout follows the
    // controller's mode again.
    dryer::dryerState().statusScreensActive = 1;
    shell::returnToMainView();
}

}  // namespace detail

void enterAutoStart(ui::Window owner) {
    const auto& status = dryer::dryerState().status;
    if (!status.hardwareOptions().bit(0)) detail::runSwitchRequirements(owner);
    if (status.hardwareOptions().bit(0)) {
        detail::runStatusDialog(owner);
    } else if (status.alarmFlags().bit(6)) {
        ui::messageBox(owner,
                       i18n::GetStringOr(695, "Cannot initiate auto-start with dryer running."),
                       i18n::GetStringOr(696, "ATTENTION"), ui::kMbOk);
    } else {
        showConfigWindow();
    }
}

bool autoStartConfigActive() {
    return config().active != 0;
}

int autoStartConfigPage() {
    return config().page;
}

bool returnToAutoStartConfig() {
    if (!autoStartConfigActive()) return false;
    shell::hideStatusScreens(shell::environment());
    ui::showWindow(config().window, true);
    ui::invalidate(config().window, true);
    return true;
}

void registerAutoStart() {
    config() = ConfigState{};
    shell::setScreenProcedure(Screen::AutoStartConfig, configWindowProc);
    shell::setDialogOpener(detail::kSwitchRequirementsDialog, enterAutoStart);
    shell::setDialogOpener(detail::kStatusDialog, detail::runStatusDialog);
    setpoints::setTemperatureScreenExitToAutoStart(returnToAutoStartConfig);
}

}  // namespace autostart
