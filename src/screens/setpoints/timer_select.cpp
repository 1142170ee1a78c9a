// The timer screen (TIMER_SELECT_WINDOW): four child windows with the controller's five timers,
// their SETUP buttons and what each timer does.
#include <array>
#include <cstdio>
#include <span>
#include <string>

#include "link/dryer_state.h"
#include "screens/keypads/keypads.h"
#include "screens/setpoints/picture_buttons.h"
#include "screens/setpoints/screen_text.h"
#include "screens/setpoints/timer_select.h"
#include "screens/setpoints/word_wrap.h"
#include "shell/app.h"

namespace setpoints {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr int kLoadDelayButton = 34832;
constexpr int kOutOfGrainButton = 34833;
constexpr int kFanDelayButton = 34834;
constexpr int kUnloadDelayButton = 34835;
constexpr int kCoolDownButton = 34838;

constexpr gfx::Color kBlue = gfx::rgb(0, 0, 255);
constexpr gfx::Color kRed = gfx::rgb(255, 0, 0);
constexpr gfx::Color kPurple = gfx::rgb(176, 0, 255);
constexpr gfx::Color kDarkBlue = gfx::rgb(16, 0, 192);
constexpr gfx::Color kGreen = gfx::rgb(17, 125, 10);
constexpr gfx::Color kBlack = gfx::colors::kBlack;

// What a SETUP button edits, and within which limits.
struct TimerSetup {
    int buttonId;
    dryer::Field (*field)(const dryer::ParameterImage& image);
    dryer::Flag (*flag)(const dryer::PendingFlags& flags);
    keypads::TimeLimits limits;
    keypads::KeypadName name;
};

constexpr TimerSetup kTimerSetups[] = {
    {kLoadDelayButton,
     [](const dryer::ParameterImage& i) { return i.loadStartupDelay(); },
     [](const dryer::PendingFlags& f) { return f.loadStartupDelay(); },
     {{0, 1}, {1, 0}, {10, 0}},
     {45, " Load Startup Delay"}},
    {kOutOfGrainButton,
     [](const dryer::ParameterImage& i) { return i.outOfGrainTimerSetpoint(); },
     [](const dryer::PendingFlags& f) { return f.outOfGrainTimerSetpoint(); },
     {{0, 0}, {8, 0}, {30, 0}},
     {46, " Out of Grain Timer"}},
    {kFanDelayButton,
     [](const dryer::ParameterImage& i) { return i.fanDelay(); },
     [](const dryer::PendingFlags& f) { return f.fanDelay(); },
     {{0, 1}, {0, 3}, {0, 25}},
     {63, "FAN DELAY"}},
    {kCoolDownButton,
     [](const dryer::ParameterImage& i) { return i.coolDownTime(); },
     [](const dryer::PendingFlags& f) { return f.coolDownTime(); },
     {{0, 0}, {0, 0}, {60, 0}},
     {64, "COOL DOWN"}},
    {kUnloadDelayButton,
     [](const dryer::ParameterImage& i) { return i.unloadCleanoutDelay(); },
     [](const dryer::PendingFlags& f) { return f.unloadCleanoutDelay(); },
     {{0, 0}, {1, 0}, {10, 0}},
     {48, " Unload Cleanout Delay"}},
};

void openKeypad(ui::Window child, int buttonId) {
    for (const TimerSetup& setup : kTimerSetups) {
        if (setup.buttonId != buttonId) continue;
        auto& state = dryer::dryerState();
        keypads::openTimerKeypad(ui::parentOf(child), setup.field(state.edit),
                                 setup.flag(state.pending), setup.limits, setup.name,
                                 keypads::TimeUnits::MinutesSeconds);
        return;
    }
}

// ---- Painting ----------------------------------------------------------------------------------

constexpr int kValueX = 215;
constexpr int kValueRight = 300;

std::string formatted(const char* format, int number, const std::string& unit) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, format, number, unit.c_str());
    return buffer;
}

// The heading above a timer's value, then its minutes and seconds, from `top`.
void drawTimerValue(gfx::Painter& p, int headingY, int top, dryer::Field time) {
    drawLine(p, text(49), kValueX, headingY, kBlue, kValueRight);
    drawLine(p, formatted("%03d %s", time.byte(0), text(50)), kValueX, top, kRed, kValueRight);
    drawLine(p, formatted("%02d %s", time.byte(1), text(51)), kValueX, top + kLineHeight, kRed,
             kValueRight);
}

// "DEFAULT = n MINUTES"
std::string defaultLine(int minutes) {
    return text(55) + " = " + std::to_string(minutes) + " " + text(50);
}

void drawWrapped(gfx::Painter& p, const std::string& paragraph, std::initializer_list<int> rows) {
    const auto lines = wrapWords(paragraph, 40, rows.size());
    auto row = rows.begin();
    for (const std::string& line : lines)
        drawLine(p, line, 5, *row++, kBlack);
}

void paintLoadDelay(gfx::Painter& p) {
    drawTimerValue(p, 10, 25, dryer::dryerState().status.loadStartupDelay());
    drawLine(p, text(52), 5, 70, kBlack);
    drawLine(p, text(53), 5, 90, kBlack);
    drawLine(p, text(54), 5, 110, kBlack);
    drawLine(p, defaultLine(1), 5, 125, kPurple);
    drawLine(p, text(56), 5, 140, kDarkBlue);
}

void paintPreviousLoad(gfx::Painter& p) {
    const auto& state = dryer::dryerState();
    if (state.status.operatingModeFlags().bit(3)) {
        // The load is not in Auto: its last load time means nothing.
        drawLine(p, text(58, "Previous Load Timer is only"), 5, 60, kGreen);
        drawLine(p, text(59, "functional when load is in Auto"), 5, 75, kGreen);
        return;
    }
    const uint32_t seconds = state.previousLoadTime;
    char line[200];
    std::snprintf(line, sizeof line, "%s: %03u     %s: %02u", text(50).c_str(), seconds / 60,
                  text(51).c_str(), seconds % 60);
    drawLine(p, text(57), 5, 60, kGreen);
    drawLine(p, line, 5, 75, kGreen);
}

void paintOutOfGrain(gfx::Painter& p) {
    drawTimerValue(p, 10, 25, dryer::dryerState().status.outOfGrainTimerSetpoint());
    paintPreviousLoad(p);
    drawLine(p, text(60), 5, 90, kBlack);
    drawLine(p, text(61), 5, 110, kBlack);
    drawLine(p, defaultLine(8), 5, 125, kPurple);
    drawLine(p, text(62), 5, 140, kDarkBlue);
}

void paintFanSetup(gfx::Painter& p) {
    const auto& status = dryer::dryerState().status;
    drawTimerValue(p, 3, 18, status.fanDelay());
    drawWrapped(p, text(65), {51, 65});
    drawTimerValue(p, 80, 95, status.coolDownTime());
    drawWrapped(p, text(66), {128, 142});
}

void paintUnloadDelay(gfx::Painter& p) {
    drawTimerValue(p, 10, 25, dryer::dryerState().status.unloadCleanoutDelay());
    drawWrapped(p, text(67) + " " + text(68), {65, 80, 95});
    drawLine(p, defaultLine(1), 5, 125, kPurple);
    drawLine(p, text(69), 5, 140, kDarkBlue);
}

// ---- Child windows -----------------------------------------------------------------------------

constexpr PictureButton kLoadDelayButtons[] = {{kLoadDelayButton, 7, 3, 10, 200, 50}};
constexpr PictureButton kOutOfGrainButtons[] = {{kOutOfGrainButton, 10, 3, 10, 200, 50}};
constexpr PictureButton kFanButtons[] = {{kFanDelayButton, 8, 3, 1, 200, 50},
                                         {kCoolDownButton, 9, 3, 80, 200, 50}};
constexpr PictureButton kUnloadDelayButtons[] = {{kUnloadDelayButton, 11, 3, 10, 200, 50}};

struct TimerChild {
    std::string_view className;
    std::string_view creationCaption;
    int captionString;
    int x, y;
    dryer::Window linkWindow;
    std::span<const PictureButton> buttons;
    void (*paint)(gfx::Painter& p);
};

constexpr TimerChild kChildren[] = {
    {"LOAD_DELAY_CHILD_WINDOW", " Load Startup Delay", 45, 0, 0, dryer::Window::LoadDelay,
     kLoadDelayButtons, paintLoadDelay},
    {"OUT_OF_GRAIN_CHILD_WINDOW", " Out of Grain Timer", 46, 316, 0, dryer::Window::OutOfGrain,
     kOutOfGrainButtons, paintOutOfGrain},
    {"FAN_DELAY_CHILD_WINDOW", " Fan Setup", 47, 0, 191, dryer::Window::FanDelay, kFanButtons,
     paintFanSetup},
    {"UNLOAD_DELAY_CHILD_WINDOW", " Unload Cleanout Delay", 48, 316, 191,
     dryer::Window::UnloadDelay, kUnloadDelayButtons, paintUnloadDelay},
};
constexpr int kChildCount = static_cast<int>(std::size(kChildren));

PictureButtons& childButtons(int child) {
    static PictureButtons buttons[] = {
        PictureButtons(kChildren[0].buttons), PictureButtons(kChildren[1].buttons),
        PictureButtons(kChildren[2].buttons), PictureButtons(kChildren[3].buttons)};
    return buttons[child];
}

int childOf(ui::Window window) {
    const std::string name = ui::windowClassName(window);
    for (int i = 0; i < kChildCount; ++i) {
        if (kChildren[i].className == name) return i;
    }
    return -1;
}

void paintChild(ui::Window window, const TimerChild& child, ui::PaintContext& pc) {
    ui::setWindowText(window, text(child.captionString, child.creationCaption));
    pc.painter.fillRect(pc.client, kPanelGrey);
    child.paint(pc.painter);
}

ui::LResult timerChildProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    const int index = childOf(window);
    if (index < 0) return ui::defaultProc(window, message, wp, lp);
    const TimerChild& child = kChildren[index];
    switch (message) {
        case ui::kCreate:
            childButtons(index).create(window);
            registerRepaint(child.linkWindow, window);
            return 0;
        case ui::kDestroy:
            unregisterRepaint(child.linkWindow);
            childButtons(index).release();
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paintChild(window, child, ui::paintContext(lp));
            return 0;
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

std::array<ui::Window, kChildCount> gChildWindows;

void createChildren(ui::Window screen) {
    for (int i = 0; i < kChildCount; ++i) {
        const TimerChild& child = kChildren[i];
        ui::registerClass({std::string(child.className), timerChildProc, kPanelGrey});
        gChildWindows[i] =
            ui::createWindow(child.className, child.creationCaption, kChildWindowStyle,
                             gfx::Rect::fromSize(child.x, child.y, 314, 190), screen);
        ui::setWindowText(gChildWindows[i], text(child.captionString, child.creationCaption));
    }
}

// ---- The screen --------------------------------------------------------------------------------

constexpr PictureButton kExitButtons[] = {{kTimerScreenExitButton, 41, 240, 390, 159, 41}};

PictureButtons& exitButton() {
    static PictureButtons button(kExitButtons);
    return button;
}

void paintScreen(ui::Window screen, ui::PaintContext& pc) {
    ui::setWindowText(screen, text(44, " SELECT TIMER TO MODIFY - 01"));
    pc.painter.fillRect(pc.client, gfx::colors::kBlack);
    // The values may have changed while the screen was hidden.
    for (const ui::Window child : gChildWindows)
        ui::invalidate(child, false);
}

}  // namespace

ui::LResult timerSelectProc(ui::Window screen, uint32_t message, ui::WParam wp, ui::LParam lp) {
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
            if (ui::commandId(wp) != kTimerScreenExitButton) break;
            ui::showWindow(screen, false);
            shell::returnToMainView();
            return 0;
        default:
            break;
    }
    return ui::defaultProc(screen, message, wp, lp);
}

}  // namespace setpoints
