#include "screens/autostart/progress_chart.h"

#include <algorithm>
#include <cstdio>

#include "i18n/language.h"

namespace autostart {
namespace {

namespace gfx = platform::gfx;

constexpr gfx::Color kBarBlue = gfx::rgb(0, 0, 255);
constexpr gfx::Color kBarRed = gfx::rgb(255, 0, 0);
constexpr gfx::Color kElapsedGrey = gfx::rgb(96, 96, 96);
constexpr gfx::Color kOrange = gfx::rgb(255, 165, 0);
constexpr gfx::Color kOutline = gfx::rgb(96, 96, 96);
constexpr gfx::Color kStateYellow = gfx::rgb(255, 255, 0);

constexpr int kRowHeight = 25;
constexpr int kDryerTop = 275;
constexpr int kDryerBottom = 300;
constexpr int kAxisY = 310;
constexpr int kStatusLeft = 575;
constexpr int kChartRight = 640;

constexpr int kOnString = 14;
constexpr int kOffString = 15;
constexpr int kDryerString = 445;
constexpr int kFanHeaterString = 512;

int pixels(int seconds, int t) {
    return static_cast<int>(int64_t{kAxisWidth} * seconds / t);
}

// A filled part of a bar with its outline; nothing for an empty part.
int drawPart(gfx::Painter& p, int left, int width, int top, int bottom, gfx::Color fill) {
    if (width <= 0) return left;
    const gfx::Rect r{left, top, left + width, bottom};
    p.fillRect(r, fill);
    p.drawFrame(r, kOutline, 1);
    return left + width;
}

// In the chart's bold font, made smaller for a label that would not fit its box (the dryer row's
// box is 55 pixels wide).
void drawLabel(gfx::Painter& p, const std::string& text, const gfx::Rect& r, gfx::Color color,
               unsigned align) {
    p.drawText(text, r, gfx::fitFont(text, gfx::font(14, 700), r.width(), 9),
               {color, align | gfx::kAlignVCenter | gfx::kSingleLine | gfx::kNoClip});
}

void drawFanHeaterRow(gfx::Painter& p, const dryer::DryerState& state, int n, int t) {
    const int bottom = (10 - n) * 30;
    const int top = bottom - kRowHeight;
    if (t > 0) {
        const BarSegments s = fanHeaterSegments(state.status.autoStartStageTimes(6 - n).get(),
                                                state.status.autoStartStageTimes(12 - n).get(), t);
        int x = drawPart(p, kAxisLeft, s.before, top, bottom, kBarBlue);
        x = drawPart(p, x, s.active, top, bottom, kBarRed);
        drawPart(p, x, s.after, top, bottom, kBarBlue);
    }
    char label[120];
    std::snprintf(label, sizeof label, "%s #%d", i18n::GetString(kFanHeaterString).c_str(), n);
    drawLabel(p, label, {0, top, 65, bottom}, gfx::colors::kWhite, gfx::kAlignRight);
    const bool heater = state.status.fanHeaterStatus(6 - n).bit(1);
    drawLabel(p, i18n::GetString(heater ? kOnString : kOffString),
              {kStatusLeft, top, kChartRight, bottom}, kStateYellow, gfx::kAlignLeft);
}

void drawDryerRow(gfx::Painter& p, const dryer::DryerState& state, int t) {
    if (t > 0) {
        const int s = elapsedWidth(state.status.autoStartElapsedTime().get(), t);
        const int x = drawPart(p, kAxisLeft, s, kDryerTop, kDryerBottom, kElapsedGrey);
        drawPart(p, x, kAxisLeft + kAxisWidth - x, kDryerTop, kDryerBottom, kOrange);
    }
    drawLabel(p, i18n::GetString(kDryerString), {0, kDryerTop, 55, kDryerBottom},
              gfx::colors::kWhite, gfx::kAlignRight);
    const bool running = state.status.statusFlags172().bit(0);
    drawLabel(p, i18n::GetString(running ? kOnString : kOffString),
              {kStatusLeft, kDryerTop, kChartRight, kDryerBottom}, kStateYellow, gfx::kAlignLeft);
}

void drawAxis(gfx::Painter& p, int t) {
    const gfx::Color white = gfx::colors::kWhite;
    const int right = kAxisLeft + kAxisWidth;
    p.drawLine({kAxisLeft, kAxisY}, {right, kAxisY}, white);
    for (int x : {kAxisLeft, right})
        p.drawLine({x, kAxisY - 4}, {x, kAxisY + 4}, white);
    for (int x : {195, 320, 445})
        p.drawLine({x, kAxisY - 3}, {x, kAxisY + 3}, white);
    drawLabel(p, "0:00", {0, 300, 65, 320}, white, gfx::kAlignRight);
    drawLabel(p, minutesSeconds(t), {kStatusLeft, 300, kChartRight, 320}, white, gfx::kAlignLeft);
    const int quarters[] = {t / 4, t / 2, 3 * t / 4};
    const int centres[] = {200, 320, 445};
    for (int i = 0; i < 3; ++i) {
        drawLabel(p, minutesSeconds(quarters[i]), {centres[i] - 20, 315, centres[i] + 20, 335},
                  white, gfx::kAlignCenter);
    }
}

}  // namespace

BarSegments fanHeaterSegments(int a, int b, int t) {
    if (t <= 0) return {};
    a = std::clamp(a, 0, t);
    b = std::clamp(b, 0, t);
    const int d = b > a ? b - a : t - a;
    return {pixels(a, t), pixels(d, t), pixels(t - a - d, t)};
}

int elapsedWidth(int elapsed, int t) {
    return t <= 0 ? 0 : pixels(std::clamp(elapsed, 0, t), t);
}

std::string minutesSeconds(int seconds) {
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}

int fanHeaterRows(const dryer::DryerState& state) {
    if (state.status.dryerModelFlags().get() & 0x20) return 1;
    static constexpr int kRows[] = {1, 2, 3, 4, 6};
    const int code = state.status.fanHeaterCountCode().get();
    return code <= 4 ? kRows[code] : 0;
}

void drawProgressChart(gfx::Painter& painter, const dryer::DryerState& state) {
    const int t = state.status.autoStartTotalTime().get();
    for (int n = fanHeaterRows(state); n >= 1; --n)
        drawFanHeaterRow(painter, state, n, t);
    drawDryerRow(painter, state, t);
    drawAxis(painter, t);
}

}  // namespace autostart
