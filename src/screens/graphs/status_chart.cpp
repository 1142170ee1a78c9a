#include "screens/graphs/status_chart.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>

#include "i18n/language.h"
#include "link/dryer_state.h"
#include "logging/long_term_log.h"
#include "logging/short_term_log.h"
#include "logging/view_settings.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/graphs/sample_time_dialog.h"

namespace graphs {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

bool ChartScrollAtEnd = true;

namespace {

constexpr int kColumnEdges[] = {0, 100, 150, 200, 250, 300, 350};
constexpr gfx::Color kColumnColours[] = {gfx::rgb(0, 255, 0),   gfx::rgb(255, 255, 0),
                                         gfx::rgb(255, 0, 255), gfx::rgb(0, 255, 0),
                                         gfx::rgb(0, 255, 255), gfx::rgb(255, 0, 0)};
constexpr gfx::Color kLineGrey = gfx::rgb(150, 150, 150);
constexpr char kDegree[] = "\u00B0";

std::string format(const char* pattern, auto... values) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

std::string minutesText() {
    return format("%d %s", logging::ShortTermSampleMinutes, i18n::GetString(342).c_str());
}

std::string temperature(int fahrenheit, bool celsius) {
    if (celsius) return format("%d%sC", (fahrenheit - 32) * 5 / 9, kDegree);
    return format("%d%sF", fahrenheit, kDegree);
}

std::string tenths(int value) {
    return format("%d.%d%%", value / 10, value % 10);
}

void updateScrollBar(ui::Window window, int count) {
    const ui::Window bar = ui::childById(window, kChartScrollBar);
    if (count <= kChartRows) {
        ui::showWindow(bar, false);
        return;
    }
    ui::ScrollInfo info = ui::scrollInfo(bar);
    info.min = 0;
    info.max = count;
    info.page = kChartRows;
    if (ChartScrollAtEnd) info.pos = count;
    ui::setScrollInfo(bar, info);
    ui::showWindow(bar, true);
}

void drawHeadings(gfx::Painter& p, const gfx::FontSpec& font) {
    const std::array<std::pair<std::string, std::string>, 6> headings = {{
        {i18n::GetString(286), minutesText()},
        {i18n::GetString(341), i18n::GetString(265)},
        {i18n::GetString(267), i18n::GetString(345)},
        {i18n::GetString(267), i18n::GetString(344)},
        {i18n::GetString(265), i18n::GetString(344)},
        {i18n::GetString(346), ""},
    }};
    const unsigned centred = gfx::kAlignCenter | gfx::kSingleLine;
    // The sample-time button stands over the first column's heading and names it itself.
    for (size_t c = 1; c < headings.size(); ++c) {
        const int left = kColumnEdges[c], right = kColumnEdges[c + 1];
        p.drawText(headings[c].first, {left, 0, right, 15}, font, {kColumnColours[c], centred});
        p.drawText(headings[c].second, {left, 15, right, 30}, font, {kColumnColours[c], centred});
    }
}

void drawCornerCell(gfx::Painter& p) {
    const gfx::FontSpec font = gfx::font(12, 300);
    const unsigned centred = gfx::kAlignCenter | gfx::kSingleLine;
    if (!logging::DryerRunningForLog) {
        p.drawText(i18n::GetString(15), {363, 0, 391, 15}, font, {gfx::rgb(150, 0, 0), centred});
        return;
    }
    const gfx::Color blue = gfx::rgb(0, 0, 255);
    const int level = logging::LongTermLogFillPercent;
    p.drawText(i18n::GetString(14), {363, 0, 391, 15}, font, {blue, centred});
    p.drawText(level >= 100 ? i18n::GetString(243) : format("%d%%", level), {363, 15, 391, 30},
               font, {blue, centred});
}

void drawRows(gfx::Painter& p, const gfx::FontSpec& font, int position, int count) {
    std::array<logging::DryerSample, kChartRows> samples{};
    const int read =
        logging::ReadShortTermRecords(kChartRows, samples.data(), chartSkip(position, count));
    const bool celsius = dryer::dryerState().unitsSetting.load() != 0;
    for (int row = 0; row < read; ++row) {
        const ChartRow texts = chartRow(samples[row], celsius);
        const int top = 40 + 16 * row;
        for (size_t c = 0; c < 6; ++c) {
            p.drawText(texts.cells[c], {kColumnEdges[c], top, kColumnEdges[c + 1], top + 15}, font,
                       {kColumnColours[c], gfx::kAlignCenter | gfx::kSingleLine});
        }
    }
}

void drawLines(gfx::Painter& p, int width) {
    for (int x : {100, 150, 200, 250, 300}) {
        p.drawLine({x, 0}, {x, 205}, kLineGrey);
    }
    p.drawLine({0, 33}, {width, 33}, kLineGrey);
    p.drawLine({0, 35}, {width, 35}, kLineGrey);
    p.drawLine({361, 0}, {361, 33}, kLineGrey);
}

void paint(ui::Window window, ui::PaintContext& pc) {
    ui::setWindowText(window, i18n::GetString(340));
    ui::setItemText(window, kChartSampleTimeButton,
                    format("%s %d %s", i18n::GetString(286).c_str(),
                           logging::ShortTermSampleMinutes, i18n::GetString(342).c_str()));
    const int count = logging::ShortTermRecordsAvailable();
    updateScrollBar(window, count);
    gfx::Surface off(pc.client.width(), pc.client.height());
    gfx::Painter p(off);
    const gfx::FontSpec font = ui::windowFont(window);
    drawHeadings(p, font);
    drawCornerCell(p);
    drawRows(p, font, ui::scrollPos(ui::childById(window, kChartScrollBar)), count);
    drawLines(p, pc.client.width());
    pc.painter.copyBitmap(off, {0, 0});
}

int nextPosition(uint32_t code, int position, int tracked) {
    switch (code) {
        case ui::kLineUp:
            return position - 1;
        case ui::kLineDown:
            return position + 1;
        case ui::kPageUp:
            return position - kChartRows;
        case ui::kPageDown:
            return position + kChartRows;
        case ui::kThumbTrack:
        case ui::kThumbPosition:
            return tracked;
        default:
            return position;
    }
}

void scroll(ui::Window window, ui::WParam wp) {
    const ui::Window bar = ui::childById(window, kChartScrollBar);
    const int count = logging::ShortTermRecordsAvailable();
    const int position = clampChartPosition(
        nextPosition(ui::scrollCode(wp), ui::scrollPos(bar), ui::scrollPosition(wp)), count);
    ui::setScrollPos(bar, position);
    ChartScrollAtEnd = position == clampChartPosition(count, count);
    ui::invalidate(window, false);
}

void createControls(ui::Window window) {
    ChartScrollAtEnd = true;
    ui::createWindow(ui::kScrollBarClass, "", ui::kChild | ui::kVertical,
                     gfx::Rect::fromSize(361, 37, 30, 135), window, kChartScrollBar);
    ui::createWindow(ui::kButtonClass, "", ui::kChild | ui::kVisible | ui::kMultiLine,
                     gfx::Rect::fromSize(1, 1, 98, 31), window, kChartSampleTimeButton);
}

}  // namespace

int clampChartPosition(int position, int sampleCount) {
    return std::clamp(position, 0, std::max(sampleCount - kChartRows + 1, 0));
}

int chartSkip(int position, int sampleCount) {
    return std::clamp(sampleCount - kChartRows - position + 1, 0,
                      std::max(sampleCount - kChartRows, 0));
}

ChartRow chartRow(const logging::DryerSample& s, bool celsius) {
    const int hour = s.hour() % 12 == 0 ? 12 : s.hour() % 12;
    ChartRow row;
    row.cells[0] = format("%2d:%02d%s %d/%d", hour, s.minute(), s.hour() < 12 ? "AM" : "PM",
                          s.month(), s.day());
    row.cells[1] = temperature(s.grainColumnTemp(), celsius);
    row.cells[2] = tenths(s.moistureIn());
    row.cells[3] = tenths(s.moistureOut());
    row.cells[4] = temperature(s.grainTempOut() / 10, celsius);
    row.cells[5] = format("%d %%", s.meterRollSpeed());
    return row;
}

ui::LResult statusChartProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            createControls(window);
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paint(window, ui::paintContext(lp));
            return 0;
        case ui::kVScroll:
            scroll(window, wp);
            return 0;
        case ui::kCommand:
            if (ui::commandId(wp) == kChartSampleTimeButton) runSampleTimeDialog(window);
            return 0;
        default:
            return ui::defaultProc(window, message, wp, lp);
    }
}

}  // namespace graphs
