// The temperature setpoint screen (TEMP_SELECT_WINDOW): the plenum setpoints of up to six
// fan/heaters above, the grain setpoints below, each with the SETUP button that opens the
// temperature keypad on it. Which buttons and values show follows the drying mode, the number
// of fan/heaters, the dual plenum temperature option and the dryer model.
#include <array>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "link/dryer_state.h"
#include "screens/keypads/keypads.h"
#include "screens/setpoints/picture_buttons.h"
#include "screens/setpoints/screen_text.h"
#include "screens/setpoints/setpoints.h"
#include "screens/setpoints/temp_select.h"
#include "screens/setpoints/word_wrap.h"
#include "shell/app.h"

namespace setpoints {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

enum PlenumButtonId {
    kPlenum6 = 34848,
    kPlenum5 = 34849,
    kPlenum4 = 34850,
    kPlenum3 = 34851,
    kPlenum2 = 34852,
    kPlenum1 = 34853,
    kPlenumLow = 36969,
    kPlenumHigh = 36970,
    kPlenum2Low = 36971,
    kPlenum2High = 36972,
};
enum GrainButtonId {
    kGrainSetpoint = 34854,
    kGrainHigh = 36966,
    kGrainLow = 36967,
};

constexpr gfx::Color kBlue = gfx::rgb(0, 0, 255);
constexpr gfx::Color kRed = gfx::rgb(255, 0, 0);

// The configuration the layout follows, read once per paint.
struct Configuration {
    int dryingMode = 0;
    int fanHeaterCode = 0;  // 0 one fan/heater, 1 two, 2 three, 3 four, 4 six
    bool dualPlenum = false;
    bool singlePlenumModel = false;  // dryerModelFlags bit 5
    bool celsius = false;

    bool dualLayout() const { return dryingMode == 1 && dualPlenum; }
};

Configuration configuration() {
    const auto& state = dryer::dryerState();
    Configuration c;
    c.dryingMode = state.status.dryingMode().get();
    c.fanHeaterCode = state.status.fanHeaterCountCode().get();
    c.dualPlenum = state.status.plenumTempOptions().bit(1);
    c.singlePlenumModel = state.status.dryerModelFlags().bit(5);
    c.celsius = state.unitsSetting != 0;
    return c;
}

// ---- SETUP -------------------------------------------------------------------------------------

using EditField = dryer::Field (*)(const dryer::ParameterImage& image);
using PendingFlag = dryer::Flag (*)(const dryer::PendingFlags& flags);

// What a SETUP button edits: plenum n is element 6 - n of the plenum setpoints.
struct TemperatureSetup {
    int buttonId;
    int minFanHeaterCode;  // the button does nothing below it
    EditField field;
    PendingFlag flag;
    keypads::TemperatureLimits limits;
    keypads::KeypadName name;
};

constexpr keypads::TemperatureLimits kPlenumLimits{50, 180, 250};
constexpr keypads::TemperatureLimits kGrainLimits{50, 105, 160};
constexpr keypads::TemperatureLimits kGrainHighLimits{50, 120, 180};
constexpr keypads::TemperatureLimits kGrainLowLimits{50, 105, 180};

template <int Element>
dryer::Field plenumField(const dryer::ParameterImage& image) {
    return image.plenumTempSetpoint(Element);
}
template <int Element>
dryer::Flag plenumFlag(const dryer::PendingFlags& flags) {
    return flags.plenumTempSetpoint(Element);
}
dryer::Field grainField(const dryer::ParameterImage& i) {
    return i.grainTempSetpoint();
}
dryer::Flag grainFlag(const dryer::PendingFlags& f) {
    return f.grainTempSetpoint();
}
dryer::Field grainHighField(const dryer::ParameterImage& i) {
    return i.grainHiTempSetpoint();
}
dryer::Flag grainHighFlag(const dryer::PendingFlags& f) {
    return f.grainHiTempSetpoint();
}

constexpr keypads::KeypadName plenumName(int plenum) {
    return {810, "PLENUM %d SETPOINT", plenum};
}
constexpr keypads::KeypadName plenumHighName(int plenum) {
    return {811, "PLENUM %d HIGH SETPOINT", plenum};
}
constexpr keypads::KeypadName plenumLowName(int plenum) {
    return {812, "PLENUM %d LOW SETPOINT", plenum};
}
constexpr keypads::KeypadName kGrainName{196, "GRAIN TEMPERATURE SETPOINT"};
constexpr keypads::KeypadName kGrainHighName{813, "GRAIN HIGH TEMPERATURE SETPOINT"};
constexpr keypads::KeypadName kGrainLowName{814, "GRAIN LOW TEMPERATURE SETPOINT"};

constexpr TemperatureSetup kSetups[] = {
    {kPlenum1, 0, plenumField<5>, plenumFlag<5>, kPlenumLimits, plenumName(1)},
    {kPlenum2, 1, plenumField<4>, plenumFlag<4>, kPlenumLimits, plenumName(2)},
    {kPlenum3, 2, plenumField<3>, plenumFlag<3>, kPlenumLimits, plenumName(3)},
    {kPlenum4, 3, plenumField<2>, plenumFlag<2>, kPlenumLimits, plenumName(4)},
    {kPlenum5, 4, plenumField<1>, plenumFlag<1>, kPlenumLimits, plenumName(5)},
    {kPlenum6, 4, plenumField<0>, plenumFlag<0>, kPlenumLimits, plenumName(6)},
    {kPlenumHigh, 0, plenumField<5>, plenumFlag<5>, kPlenumLimits, plenumHighName(1)},
    {kPlenumLow, 0, [](const dryer::ParameterImage& i) { return i.plenumLoSetpoint(); },
     [](const dryer::PendingFlags& f) { return f.plenumLoSetpoint(); }, kPlenumLimits,
     plenumLowName(1)},
    {kPlenum2High, 1, plenumField<4>, plenumFlag<4>, kPlenumLimits, plenumHighName(2)},
    {kPlenum2Low, 1, [](const dryer::ParameterImage& i) { return i.plenum2LoSetpoint(); },
     [](const dryer::PendingFlags& f) { return f.plenum2LoSetpoint(); }, kPlenumLimits,
     plenumLowName(2)},
    {kGrainHigh, 0, grainHighField, grainHighFlag, kGrainHighLimits, kGrainHighName},
    {kGrainLow, 0, [](const dryer::ParameterImage& i) { return i.grainLoTempSetpoint(); },
     [](const dryer::PendingFlags& f) { return f.grainLoTempSetpoint(); }, kGrainLowLimits,
     kGrainLowName},
};

// The grain SETUP button edits the grain high temperature in drying mode 3.
TemperatureSetup grainSetup(int dryingMode) {
    if (dryingMode == 3)
        return {kGrainSetpoint, 0, grainHighField, grainHighFlag, kGrainHighLimits, kGrainHighName};
    return {kGrainSetpoint, 0, grainField, grainFlag, kGrainLimits, kGrainName};
}

std::optional<TemperatureSetup> setupOf(int buttonId, const Configuration& c) {
    if (buttonId == kGrainSetpoint) return grainSetup(c.dryingMode);
    for (const TemperatureSetup& setup : kSetups) {
        if (setup.buttonId == buttonId) return setup;
    }
    return std::nullopt;
}

void openKeypad(ui::Window child, int buttonId) {
    const Configuration c = configuration();
    const std::optional<TemperatureSetup> setup = setupOf(buttonId, c);
    if (!setup || c.fanHeaterCode < setup->minFanHeaterCode) return;
    auto& state = dryer::dryerState();
    keypads::openTemperatureKeypad(ui::parentOf(child), setup->field(state.edit),
                                   setup->flag(state.pending), setup->limits, setup->name);
}

// ---- Values ------------------------------------------------------------------------------------

constexpr int kValueHeight = 30;

// " 180 °F " or, in SI units, " 82 °C ", blue on grey, from x, y.
void drawTemperature(gfx::Painter& p, dryer::Field setpoint, int x, int y, const Configuration& c) {
    const int fahrenheit = setpoint.get();
    char line[32];
    std::snprintf(line, sizeof line, " %3d \u00B0%c ",
                  c.celsius ? keypads::displayCelsius(fahrenheit) : fahrenheit,
                  c.celsius ? 'C' : 'F');
    const gfx::FontSpec font = gfx::font(kValueHeight, 900);
    const int width = gfx::textExtent(line, font).width;
    p.drawText(line, {x, y, x + width, y + kValueHeight}, font,
               {kBlue, gfx::kSingleLine, kPanelGrey});
}

// ---- Plenum window -----------------------------------------------------------------------------

constexpr PictureButton kPlenumButtons[] = {
    {kPlenum1, 17, 3, 135, 180, 50},      {kPlenum2, 16, 3, 70, 180, 50},
    {kPlenum3, 15, 3, 5, 180, 50},        {kPlenum4, 14, 323, 135, 180, 50},
    {kPlenum5, 13, 323, 70, 180, 50},     {kPlenum6, 12, 323, 5, 180, 50},
    {kPlenumLow, 20, 3, 135, 180, 50},    {kPlenumHigh, 19, 3, 70, 180, 50},
    {kPlenum2Low, 70, 323, 135, 180, 50}, {kPlenum2High, 71, 323, 70, 180, 50},
};

// Set once a layout has been chosen; drying modes without a layout of their own keep it.
bool gPlenumLayoutChosen = false;

void showButton(ui::Window parent, int id, bool shown) {
    const ui::Window button = ui::childById(parent, id);
    if (ui::isVisible(button) != shown) ui::showWindow(button, shown);
}

void showPlenumButtons(ui::Window window, const Configuration& c) {
    const int code = c.fanHeaterCode;
    if (c.dualLayout()) {
        for (const int id : {kPlenum1, kPlenum2, kPlenum3, kPlenum4, kPlenum5, kPlenum6})
            showButton(window, id, false);
        showButton(window, kPlenumLow, true);
        showButton(window, kPlenumHigh, true);
        showButton(window, kPlenum2Low, code >= 1);
        showButton(window, kPlenum2High, code >= 1);
        return;
    }
    for (const int id : {kPlenumLow, kPlenumHigh, kPlenum2Low, kPlenum2High})
        showButton(window, id, false);
    // Outside staged batch the single-plenum model has no plenums 2 and 3.
    const bool model = c.dryingMode != 1 && c.singlePlenumModel;
    showButton(window, kPlenum1, true);
    showButton(window, kPlenum2, code >= 1 && !model);
    showButton(window, kPlenum3, code >= 2 && !model);
    showButton(window, kPlenum4, code >= 3);
    showButton(window, kPlenum5, code >= 4);
    showButton(window, kPlenum6, code >= 4);
}

void drawPlenumValues(gfx::Painter& p, const Configuration& c) {
    const auto& status = dryer::dryerState().status;
    const int code = c.fanHeaterCode;
    const bool secondShown = code >= 1 && !c.singlePlenumModel;
    if (c.dualLayout()) {
        // The pairs take the places of plenums 1, 2, 4 and 5. Plenums 3 to 6 have no button in
        // this layout and are not drawn, or plenums 4 and 5 would cover the second pair.
        drawTemperature(p, status.plenumLoSetpoint(), 180, 140, c);
        drawTemperature(p, status.plenumTempSetpoint(5), 180, 75, c);
        if (secondShown) {
            drawTemperature(p, status.plenum2LoSetpoint(), 500, 140, c);
            drawTemperature(p, status.plenumTempSetpoint(4), 500, 75, c);
        }
        return;
    }
    if (!c.singlePlenumModel) {
        if (code == 4) {
            drawTemperature(p, status.plenumTempSetpoint(0), 500, 10, c);
            drawTemperature(p, status.plenumTempSetpoint(1), 500, 75, c);
        }
        if (code >= 3) drawTemperature(p, status.plenumTempSetpoint(2), 500, 140, c);
        if (code >= 2) drawTemperature(p, status.plenumTempSetpoint(3), 180, 10, c);
    }
    if (c.dryingMode != 0 && c.dryingMode != 1) return;
    drawTemperature(p, status.plenumTempSetpoint(5), 180, 140, c);
    if (secondShown) drawTemperature(p, status.plenumTempSetpoint(4), 180, 75, c);
}

void paintPlenumWindow(ui::Window window, gfx::Painter& p) {
    ui::setWindowText(window,
                      text(194,
                           " Plenum Temperature Setpoint Adjustment (Range = 50 to 250 F -> "
                           "10 to 120 C)"));
    const Configuration c = configuration();
    if (c.dryingMode == 0 || c.dryingMode == 1 || !gPlenumLayoutChosen) {
        showPlenumButtons(window, c);
        gPlenumLayoutChosen = true;
    }
    drawPlenumValues(p, c);
}

// ---- Grain window ------------------------------------------------------------------------------

constexpr PictureButton kGrainButtons[] = {
    {kGrainSetpoint, 18, 3, 35, 200, 50},
    {kGrainHigh, 21, 3, 25, 127, 25},
    {kGrainLow, 22, 3, 75, 127, 25},
};

void paintGrainWindow(ui::Window window, gfx::Painter& p) {
    ui::setWindowText(window, text(195,
                                   " Grain Temperature Setpoint Adjustment (Range = 50 to 150 F -> "
                                   "10 to 71 C)"));
    const Configuration c = configuration();
    const auto& status = dryer::dryerState().status;
    const bool dual = c.dualLayout();
    showButton(window, kGrainHigh, dual);
    showButton(window, kGrainLow, dual);
    showButton(window, kGrainSetpoint, !dual);
    if (dual) {
        drawTemperature(p, status.grainHiTempSetpoint(), 200, 25, c);
        drawTemperature(p, status.grainLoTempSetpoint(), 200, 75, c);
    } else {
        // The value beside the button is the one the button edits.
        const dryer::Field shown =
            c.dryingMode == 3 ? status.grainHiTempSetpoint() : status.grainTempSetpoint();
        drawTemperature(p, shown, 200, 42, c);
    }
    drawLine(p, text(196), 5, 5, gfx::colors::kBlack);
    const std::string explanation =
        c.celsius ? text(197) + " " + text(198) + " " + text(199) : text(200) + " " + text(201);
    int y = 30;
    for (const std::string& line : wrapWords(explanation, 40, 4)) {
        drawLine(p, line, 310, y, kRed);
        y += kLineHeight;
    }
}

// ---- Child windows -----------------------------------------------------------------------------

struct TemperatureChild {
    std::string_view className;
    std::string_view creationCaption;
    int x, y, width, height;
    dryer::Window linkWindow;
    std::span<const PictureButton> buttons;
    void (*paint)(ui::Window window, gfx::Painter& p);
};

constexpr TemperatureChild kChildren[] = {
    {"PLENUM_SETPOINT_CHILD_WINDOW",
     " Plenum Temperature Setpoint Adjustment (Range = 50 to 250 F -> 10 to 120 C)", 0, 0, 630, 240,
     dryer::Window::PlenumSetpoints, kPlenumButtons, paintPlenumWindow},
    {"GRAIN_TEMP_SETPOINT_CHILD_WINDOW",
     " Grain Temperature Setpoint Adjustment (Range = 50 to 150 F -> 10 to 71 C)", 0, 240, 630, 150,
     dryer::Window::GrainSetpoints, kGrainButtons, paintGrainWindow},
};
constexpr int kChildCount = static_cast<int>(std::size(kChildren));

std::array<ui::Window, kChildCount> gChildWindows;

PictureButtons& childButtons(int child) {
    static PictureButtons buttons[] = {PictureButtons(kChildren[0].buttons),
                                       PictureButtons(kChildren[1].buttons)};
    return buttons[child];
}

int childOf(ui::Window window) {
    for (int i = 0; i < kChildCount; ++i) {
        if (gChildWindows[i] == window) return i;
    }
    return -1;
}

ui::LResult temperatureChildProc(ui::Window window, uint32_t message, ui::WParam wp,
                                 ui::LParam lp) {
    const int index = childOf(window);
    if (index < 0) return ui::defaultProc(window, message, wp, lp);
    const TemperatureChild& child = kChildren[index];
    switch (message) {
        case ui::kDestroy:
            unregisterRepaint(child.linkWindow);
            childButtons(index).release();
            gChildWindows[index] = {};
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint: {
            ui::PaintContext& pc = ui::paintContext(lp);
            pc.painter.fillRect(pc.client, kPanelGrey);
            child.paint(window, pc.painter);
            return 0;
        }
        case ui::kDrawItem:
            return childButtons(index).draw(ui::drawItem(lp)) ? 1 : 0;
        case ui::kCommand:
            openKeypad(window, ui::commandId(wp));
            return 0;
        default:
            break;
    }
    return ui::defaultProc(window, message, wp, lp);
}

void createChildren(ui::Window screen) {
    gPlenumLayoutChosen = false;
    for (int i = 0; i < kChildCount; ++i) {
        const TemperatureChild& child = kChildren[i];
        ui::registerClass({std::string(child.className), temperatureChildProc, kPanelGrey});
        const ui::Window window = ui::createWindow(
            child.className, child.creationCaption, kChildWindowStyle,
            gfx::Rect::fromSize(child.x, child.y, child.width, child.height), screen);
        gChildWindows[i] = window;
        // The window decides at its paints which buttons show.
        childButtons(i).create(window, false);
        registerRepaint(child.linkWindow, window);
    }
}

// ---- The screen --------------------------------------------------------------------------------

constexpr PictureButton kExitButtons[] = {{kTemperatureScreenExitButton, 41, 240, 395, 159, 41}};

PictureButtons& exitButton() {
    static PictureButtons button(kExitButtons);
    return button;
}

std::function<bool()>& backToAutoStart() {
    static std::function<bool()> back;
    return back;
}

void leave(ui::Window screen) {
    ui::showWindow(screen, false);
    if (backToAutoStart() && backToAutoStart()()) return;
    shell::returnToMainView();
}

void paintScreen(ui::Window screen, ui::PaintContext& pc) {
    ui::setWindowText(screen, text(193, " SELECT TEMPERATURE SETPOINT TO MODIFY - 02"));
    pc.painter.fillRect(pc.client, gfx::colors::kBlack);
    // The values and the layout may have changed while the screen was hidden.
    for (const ui::Window child : gChildWindows)
        ui::invalidate(child, false);
}

}  // namespace

void setTemperatureScreenExitToAutoStart(std::function<bool()> back) {
    backToAutoStart() = std::move(back);
}

ui::LResult tempSelectProc(ui::Window screen, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            createChildren(screen);
            exitButton().create(screen);
            return 0;
        case ui::kDestroy:
            exitButton().release();
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paintScreen(screen, ui::paintContext(lp));
            return 0;
        case ui::kDrawItem:
            return exitButton().draw(ui::drawItem(lp)) ? 1 : 0;
        case ui::kCommand:
            if (ui::commandId(wp) != kTemperatureScreenExitButton) break;
            leave(screen);
            return 0;
        default:
            break;
    }
    return ui::defaultProc(screen, message, wp, lp);
}

}  // namespace setpoints
