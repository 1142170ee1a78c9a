#pragma once
// The picture of the graph: grid, base line, axis labels, the traces that are on, the frame, the
// time of the window's first, middle and last sample and how far back the window lies.

#include <array>
#include <string>

#include "logging/dryer_sample.h"
#include "logging/view_settings.h"
#include "platform/gfx/painter.h"

namespace graphs {

inline constexpr int kGraphWidth = 380;
inline constexpr int kGraphHeight = 220;

struct TraceStyle {
    const char* buttonName;
    int buttonId;
    int bitmap;
    platform::gfx::Color pen;
    platform::gfx::Color label;
    int labelLeft, labelRight;
    bool labelRightAligned;
};

// By logging::GraphTrace.
extern const std::array<TraceStyle, logging::kGraphTraceCount> kTraceStyles;

// An axis tick as its trace shows it: "15.5%", "120F", "40%".
std::string tickLabel(logging::GraphTrace trace, int value);
// "3:07PM", or with the date "3:07PM 9/02".
std::string sampleClock(const logging::DryerSample& sample, bool withDate);
// "[END]" at the oldest page, else "[-3 PAGES]".
std::string pageLabel(int pageOffset, int pagesAvailable);

// Reads the window `pageOffset` pages back and draws it into kGraphWidth x kGraphHeight.
void drawGraph(platform::gfx::Painter& painter, int pageOffset);

}  // namespace graphs
