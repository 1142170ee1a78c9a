#include "screens/graphs/graph_drawing.h"

#include <cstdio>
#include <vector>

#include "i18n/language.h"
#include "logging/graph_log.h"
#include "platform/gfx/text.h"

namespace graphs {
namespace gfx = platform::gfx;
using logging::GraphTrace;

const std::array<TraceStyle, logging::kGraphTraceCount> kTraceStyles = {{
    {"GRAPH_MOIST_IN_BUTTON", 36872, 64, gfx::rgb(0, 255, 0), gfx::rgb(0, 200, 0), 6, 39, false},
    {"GRAPH_TEMP_IN_BUTTON", 36873, 65, gfx::rgb(255, 128, 64), gfx::rgb(200, 105, 50), 35, 65,
     false},
    {"GRAPH_MOIST_OUT_BUTTON", 36874, 66, gfx::rgb(0, 255, 255), gfx::rgb(0, 200, 200), 60, 90,
     false},
    {"GRAPH_TEMP_OUT_BUTTON", 36875, 67, gfx::rgb(255, 0, 255), gfx::rgb(200, 0, 200), 280, 310,
     true},
    {"GRAPH_DRYER_GRAIN_TEMP_BUTTON", 36876, 68, gfx::rgb(255, 255, 0), gfx::rgb(200, 200, 0), 310,
     337, true},
    {"GRAPH_MR_SPEED_BUTTON", 36877, 69, gfx::rgb(255, 0, 0), gfx::rgb(150, 0, 0), 340, 365, true},
}};

namespace {

constexpr int kBaseLineY = 184;
constexpr int kGridRows[] = {47, 95, 142};
// Label rows from the lowest tick to the highest.
constexpr int kLabelTop[] = {170, 142, 95, 47, 5};
constexpr int kLabelBottom[] = {190, 162, 115, 67, 20};
constexpr gfx::Color kFrameGrey = gfx::rgb(100, 100, 100);
constexpr int kNoDataString = 773;

std::string format(const char* pattern, auto... values) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

void drawBackground(gfx::Painter& p) {
    p.fillRect({0, 0, kGraphWidth, kGraphHeight}, gfx::colors::kBlack);
    for (int y : kGridRows) {
        p.drawDottedLine({1, y}, {376, y}, gfx::rgb(0, 255, 0), 3);
    }
    p.drawLine({0, 185}, {kGraphWidth, 185}, gfx::rgb(0, 200, 0));
}

void drawAxisLabels(gfx::Painter& p, GraphTrace trace) {
    const TraceStyle& style = kTraceStyles[trace];
    const logging::GraphTicks& ticks = logging::GraphSeriesSet[trace].ticks;
    const unsigned align = style.labelRightAligned ? gfx::kAlignRight : gfx::kAlignLeft;
    // On a plate of the graph's black, over the traces, so that no trace runs through a label.
    for (int i = 0; i < 5; ++i) {
        p.drawText(tickLabel(trace, ticks.tick(i)),
                   {style.labelLeft, kLabelTop[i], style.labelRight, kLabelBottom[i]},
                   gfx::font(12, 400),
                   {style.label, align | gfx::kSingleLine, gfx::colors::kBlack});
    }
}

// Only the logged points: the empty start of a short log's window is no reading.
void drawTrace(gfx::Painter& p, GraphTrace trace) {
    const auto& heights = logging::GraphSeriesSet[trace].heights;
    std::vector<gfx::Point> points;
    for (size_t i = logging::GraphFirstLoggedPoint; i < heights.size(); ++i) {
        points.push_back({static_cast<int>(i) + 5, kBaseLineY - heights[i]});
    }
    if (points.size() == 1) points.push_back(points.front());
    p.drawPolyline(points, kTraceStyles[trace].pen);
}

void drawFrame(gfx::Painter& p) {
    p.fillRect({0, 190, 380, 220}, kFrameGrey);
    p.fillRect({0, 0, 5, 220}, kFrameGrey);
    p.fillRect({365, 0, 370, 220}, kFrameGrey);
    p.fillRect({0, 0, 380, 3}, kFrameGrey);
}

// The time of a point's first sample where the point holds logged samples; a point of the empty
// start of a short log's window has no time.
std::string pointClock(size_t point, bool withDate) {
    if (point < logging::GraphFirstLoggedPoint) return {};
    const size_t k = static_cast<size_t>(logging::GraphScaleFactor());
    const size_t sample =
        point == logging::kGraphPoints - 1 ? logging::kGraphPoints * k - 1 : point * k;
    return sampleClock(logging::GraphWindowSample(sample), withDate);
}

void drawNoData(gfx::Painter& p) {
    const std::string text = i18n::GetStringOr(kNoDataString, "NO DATA LOGGED YET");
    constexpr gfx::Rect kRow{3, 195, 367, 215};
    p.drawText(text, kRow, gfx::fitFont(text, gfx::font(14, 600), kRow.width(), 11),
               {gfx::colors::kBlack, gfx::kAlignCenter | gfx::kSingleLine});
}

void drawTimeLabels(gfx::Painter& p, int pageOffset) {
    const gfx::TextStyle left{gfx::colors::kBlack, gfx::kAlignLeft | gfx::kSingleLine};
    const gfx::FontSpec bold = gfx::font(14, 600);
    p.drawText(pointClock(0, false), {3, 195, 100, 215}, bold, left);
    p.drawText(pointClock(logging::kGraphPoints / 2, true), {135, 195, 235, 215}, bold,
               {gfx::colors::kBlack, gfx::kAlignCenter | gfx::kSingleLine});
    p.drawText(pointClock(logging::kGraphPoints - 1, false), {300, 195, 367, 215}, bold,
               {gfx::colors::kBlack, gfx::kAlignRight | gfx::kSingleLine});
    // The page marker sits between the first time and the middle one; a narrower face keeps
    // "[-24 PAGES]" clear of both.
    p.drawText(pageLabel(pageOffset, logging::GraphPagesAvailable()), {55, 195, 132, 215},
               gfx::font(11, 600),
               {gfx::rgb(0, 80, 0), gfx::kAlignRight | gfx::kAlignVCenter | gfx::kSingleLine});
}

}  // namespace

std::string tickLabel(GraphTrace trace, int value) {
    switch (trace) {
        case logging::kTraceMoistureIn:
        case logging::kTraceMoistureOut:
            return format("%d.%d%%", value / 10, value % 10);
        case logging::kTraceMeterRollSpeed:
            return format("%d%%", value);
        default:
            return format("%dF", value);
    }
}

std::string sampleClock(const logging::DryerSample& sample, bool withDate) {
    const int hour = sample.hour();
    const char* half = hour < 12 ? "AM" : "PM";
    const int shown = hour % 12 == 0 ? 12 : hour % 12;
    if (!withDate) return format("%d:%02d%s", shown, sample.minute(), half);
    return format("%d:%02d%s %d/%02d", shown, sample.minute(), half, sample.month(), sample.day());
}

std::string pageLabel(int pageOffset, int pagesAvailable) {
    if (pageOffset == pagesAvailable) return "[END]";
    return format("[-%d %s]", pageOffset, i18n::GetString(460).c_str());
}

void drawGraph(gfx::Painter& p, int pageOffset) {
    drawBackground(p);
    logging::ReadGraphWindow(pageOffset);
    const bool logged = logging::GraphFirstLoggedPoint < logging::kGraphPoints;
    for (int t = 0; logged && t < logging::kGraphTraceCount; ++t) {
        if (logging::GraphTraceOn[t] == 1) drawTrace(p, static_cast<GraphTrace>(t));
    }
    for (int t = 0; logged && t < logging::kGraphTraceCount; ++t) {
        if (logging::GraphTraceOn[t] == 1) drawAxisLabels(p, static_cast<GraphTrace>(t));
    }
    drawFrame(p);
    if (logged) {
        drawTimeLabels(p, pageOffset);
    } else {
        drawNoData(p);
    }
}

}  // namespace graphs
