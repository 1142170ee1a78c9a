#pragma once
// AVERAGE_VALUES_WINDOW: the status chart, eight samples of the short-term log per page with a
// scroll bar through up to 144, the sample-time button and the running / log-level corner cell.

#include "logging/dryer_sample.h"
#include "platform/ui/ui.h"

namespace graphs {

inline constexpr int kChartScrollBar = 36893;
inline constexpr int kChartSampleTimeButton = 36900;
inline constexpr int kChartRows = 8;

extern bool ChartScrollAtEnd;  // the chart follows new samples while its last page is shown

platform::ui::LResult statusChartProc(platform::ui::Window window, uint32_t message,
                                      platform::ui::WParam wp, platform::ui::LParam lp);

// The scroll position kept between the first page (0) and the one that ends at the newest
// sample.
int clampChartPosition(int position, int sampleCount);
// How many samples before the newest the page at `position` ends: never past either end.
int chartSkip(int position, int sampleCount);

// The texts of one row: time, grain column temperature, incoming and discharged moisture,
// discharged grain temperature, metering-roll speed.
struct ChartRow {
    std::string cells[6];
};
ChartRow chartRow(const logging::DryerSample& sample, bool celsius);

}  // namespace graphs
