// CUSTOM_VIEW_WINDOW: for every fan/heater its plenum temperature in large digits, its setpoint
// and a one-word state of the burner, laid out by the number of fan/heaters.
#include <algorithm>
#include <string>

#include "link/dryer_state.h"
#include "screens/status/status_draw.h"
#include "screens/status/status_screens.h"
#include "screens/status/status_text.h"

namespace status {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr gfx::Color kGrey = gfx::rgb(150, 150, 150);
constexpr gfx::Color kTitle = gfx::rgb(200, 200, 0);
constexpr gfx::Color kRed = gfx::rgb(255, 0, 0);
constexpr gfx::Color kBlue = gfx::rgb(0, 0, 255);
constexpr gfx::Color kGreen = gfx::rgb(0, 255, 0);
constexpr gfx::Color kOrange = gfx::rgb(200, 100, 0);

// Arrays run fan/heater 6 first: fan/heater n is element 6 - n.
int element(int fanHeater) {
    return 6 - fanHeater;
}

struct StateWord {
    int string;
    gfx::Color color;
};

StateWord stateWord(const dryer::ParameterImage& s, int fanHeater) {
    const int i = element(fanHeater);
    const auto flags = s.fanHeaterStatusD(i);
    const int state = s.fanHeaterStatus(i).get();
    const auto outputs = s.fanHeaterOutputs(i);
    if (flags.bit(6)) return {522, kBlue};
    if (flags.bit(0)) return {314, kGreen};
    if (flags.bit(1)) return {315, kRed};
    if (state == 0x20) return {316, kOrange};
    if (state == 0x10) return {317, kOrange};
    if (outputs.bit(1)) {
        if ((s.dryerModelFlags().get() & 0x22) == 0x22) return {318, kRed};
        return outputs.bit(2) ? StateWord{321, kRed} : StateWord{320, kBlue};
    }
    return {319, kGreen};
}

bool twoSetpointBatch(const dryer::ParameterImage& s) {
    return s.dryingMode().get() == 1 && s.plenumTempOptions().bit(1);
}

struct Setpoint {
    int fahrenheit;
    gfx::Color color;
};

// The setpoint a gauge shows: its own, or in the batch two-setpoint case the low setpoint (blue)
// while the low stage runs and the high one (red) otherwise.
Setpoint setpointOf(const dryer::ParameterImage& s, int fanHeater) {
    const int own = s.plenumTempSetpoint(element(fanHeater)).get();
    if (!twoSetpointBatch(s)) return {own, kTitle};
    if (s.fanHeaterStatusD(element(fanHeater)).bit(4)) return {s.plenumLoSetpoint().get(), kBlue};
    return {own, kRed};
}

std::string setpointText(int fahrenheit, const char* label) {
    return std::string(label) + temperatureText(fahrenheit, celsius()) + " ";
}

std::string gaugeTemperature(const dryer::ParameterImage& s, int fanHeater) {
    return temperatureText(s.plenumTemp(element(fanHeater)).get(), celsius()) + " ";
}

void drawState(gfx::Painter& p, const dryer::ParameterImage& s, int fanHeater, int centreX, int top,
               int bottom, int width, int height) {
    const StateWord word = stateWord(s, fanHeater);
    drawStateWord(p, text(word.string), centreX, top, bottom, width, height, word.color);
}

// One fan/heater: title, state word and setpoint on the left, the temperature on the right.
void drawOne(gfx::Painter& p, const dryer::ParameterImage& s, int right) {
    p.drawLine({0, 70}, {150, 70}, kGrey, 2);
    p.drawLine({150, 0}, {150, 175}, kGrey, 2);
    drawFitted(p, text(312), {0, 0, 150, 20}, 14, 600, kTitle, gfx::kAlignCenter);
    drawState(p, s, 1, 75, 80, 140, 140, 20);
    const Setpoint sp = setpointOf(s, 1);
    if (twoSetpointBatch(s)) {
        drawFitted(p, temperatureText(sp.fahrenheit, celsius()), {0, 15, 150, 52}, 40, 700,
                   sp.color, gfx::kAlignCenter);
        const std::string high =
            " " + temperatureText(s.plenumTempSetpoint(element(1)).get(), celsius()) + " ";
        const std::string low = " " + temperatureText(s.plenumLoSetpoint().get(), celsius()) + " ";
        drawFitted(p, high, {0, 50, 75, 70}, 16, 400, kRed, gfx::kAlignLeft);
        drawFitted(p, low, {75, 50, 150, 70}, 16, 400, kBlue, gfx::kAlignRight);
    } else {
        drawFitted(p, setpointText(sp.fahrenheit, "SP:  "), {2, 15, 148, 70}, 40, 700, sp.color,
                   gfx::kAlignCenter | gfx::kAlignVCenter);
    }
    drawFitted(p, gaugeTemperature(s, 1), {152, 0, right, 120}, 80, 700, kRed,
               gfx::kAlignCenter | gfx::kAlignVCenter);
}

// Two fan/heaters, one a row: title, setpoint and state word on the left, temperature right.
void drawTwo(gfx::Painter& p, const dryer::ParameterImage& s, int right) {
    p.drawLine({0, 70}, {400, 70}, kGrey, 2);
    p.drawLine({150, 0}, {150, 175}, kGrey, 2);
    for (int row = 0; row < 2; ++row) {
        const int fanHeater = 2 - row;
        const int top = 70 * row + (row == 0 ? 0 : 2);
        drawFitted(p, text(326 + row), {2, top, 148, top + 16}, 14, 700, kTitle, gfx::kAlignCenter);
        const Setpoint sp = setpointOf(s, fanHeater);
        drawFitted(p, setpointText(sp.fahrenheit, "SP:  "), {2, top + 15, 148, top + 43}, 30, 700,
                   sp.color, gfx::kAlignCenter);
        drawState(p, s, fanHeater, 75, top + 43, top + 68, 140, 13);
        drawFitted(p, gaugeTemperature(s, fanHeater), {152, top, right, top + 68}, 80, 700, kRed,
                   gfx::kAlignCenter | gfx::kAlignVCenter);
    }
}

// Three fan/heaters in three columns.
void drawThree(gfx::Painter& p, const dryer::ParameterImage& s, int right) {
    p.drawLine({133, 0}, {133, 170}, kGrey, 2);
    p.drawLine({266, 0}, {266, 170}, kGrey, 2);
    for (int column = 0; column < 3; ++column) {
        const int fanHeater = 3 - column;
        const int left = 133 * column + 3;
        const int columnRight = std::min(left + 127, right);
        drawFitted(p, text(325 + column), {left, 0, columnRight, 18}, 14, 700, kTitle,
                   gfx::kAlignCenter);
        drawFitted(p, gaugeTemperature(s, fanHeater), {left, 18, columnRight, 72}, 60, 700, kRed,
                   gfx::kAlignCenter | gfx::kAlignVCenter);
        const Setpoint sp = setpointOf(s, fanHeater);
        drawFitted(p, setpointText(sp.fahrenheit, "SP:  "), {left, 74, columnRight, 96}, 20, 700,
                   sp.color, gfx::kAlignCenter);
        drawState(p, s, fanHeater, (left + columnRight) / 2, 100, 150, columnRight - left - 4, 16);
    }
}

// Four fan/heaters in a grid of two by two; fan/heaters 4 and 3 on the left.
void drawFour(gfx::Painter& p, const dryer::ParameterImage& s, int right) {
    p.drawLine({200, 0}, {200, 150}, kGrey, 2);
    p.drawLine({0, 73}, {400, 73}, kGrey, 2);
    for (int cell = 0; cell < 4; ++cell) {
        const int fanHeater = 4 - cell;
        const int x = 200 * (cell / 2);
        const int y = 73 * (cell % 2);
        const int cellRight = std::min(x + 198, right);
        drawFitted(p, text(324 + cell), {x + 80, y, cellRight, y + 18}, 14, 700, kTitle,
                   gfx::kAlignCenter);
        drawFitted(p, gaugeTemperature(s, fanHeater), {x + 80, y + 17, cellRight, y + 54}, 40, 700,
                   kRed, gfx::kAlignCenter | gfx::kAlignVCenter);
        const Setpoint sp = setpointOf(s, fanHeater);
        drawFitted(p, setpointText(sp.fahrenheit, "SP:  "), {x + 80, y + 54, cellRight, y + 71}, 16,
                   700, sp.color, gfx::kAlignCenter);
        drawState(p, s, fanHeater, x + 40, y + 8, y + 70, 76, 15);
    }
}

// Six fan/heaters in three columns of two; fan/heaters 6 and 5 on the left.
void drawSix(gfx::Painter& p, const dryer::ParameterImage& s, int right) {
    p.drawLine({133, 0}, {133, 150}, kGrey, 2);
    p.drawLine({266, 0}, {266, 150}, kGrey, 2);
    p.drawLine({0, 73}, {400, 73}, kGrey, 2);
    static constexpr int kTitleLeft[] = {3, 135, 270};
    for (int cell = 0; cell < 6; ++cell) {
        const int fanHeater = 6 - cell;
        const int x = 133 * (cell / 2) + 2;
        const int y = 73 * (cell % 2);
        const int titleLeft = kTitleLeft[cell / 2];
        const int cellRight = std::min(x + 128, right);
        drawFitted(p, text(322 + cell), {titleLeft, y, titleLeft + 52, y + 18}, 13, 700, kTitle,
                   gfx::kAlignLeft);
        drawState(p, s, fanHeater, (titleLeft + 52 + cellRight) / 2, y + 2, y + 24,
                  cellRight - titleLeft - 56, 12);
        drawFitted(p, gaugeTemperature(s, fanHeater), {x, y + 22, cellRight, y + 54}, 34, 700, kRed,
                   gfx::kAlignCenter | gfx::kAlignVCenter);
        const Setpoint sp = setpointOf(s, fanHeater);
        drawFitted(p, setpointText(sp.fahrenheit, "SP "), {x, y + 54, cellRight, y + 71}, 14, 700,
                   sp.color, gfx::kAlignCenter);
    }
}

void paintPlenumView(ui::Window window, ui::PaintContext& pc) {
    ui::setWindowText(window, text(328));
    gfx::Painter& p = pc.painter;
    p.fillRect(pc.client, gfx::colors::kBlack);
    const auto& s = dryer::dryerState().status;
    const int right = pc.client.right - 1;
    if (s.dryerModelFlags().bit(5)) {
        drawOne(p, s, right);
        return;
    }
    switch (s.fanHeaterCountCode().get()) {
        case 0:
            drawOne(p, s, right);
            break;
        case 1:
            drawTwo(p, s, right);
            break;
        case 2:
            drawThree(p, s, right);
            break;
        case 3:
            drawFour(p, s, right);
            break;
        case 4:
            drawSix(p, s, right);
            break;
        default:
            break;
    }
}

}  // namespace

ui::LResult plenumViewProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paintPlenumView(window, ui::paintContext(lp));
            return 0;
        default:
            return ui::defaultProc(window, message, wp, lp);
    }
}

}  // namespace status
