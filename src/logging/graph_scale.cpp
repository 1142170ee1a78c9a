#include "logging/graph_scale.h"

#include <algorithm>

namespace logging {
namespace {

constexpr int kPlotHeight = 180;

int stepForRange(int range) {
    struct Band {
        int upTo;
        int step;
    };
    static constexpr Band kBands[] = {{4, 1},   {8, 2},    {12, 3},   {20, 5},   {40, 10},
                                      {80, 20}, {100, 25}, {120, 30}, {160, 40}, {200, 50}};
    for (const Band& band : kBands) {
        if (range <= band.upTo) return band.step;
    }
    return 100;
}

// Rounds toward minus infinity, so a series below zero still starts on a tick at or below it.
int floorToMultiple(int value, int step) {
    const int quotient = value / step - (value % step != 0 && value < 0 ? 1 : 0);
    return quotient * step;
}

}  // namespace

GraphTicks GraphAxisTicks(std::span<const int> values) {
    if (values.empty()) return {};
    // Over plain pointers, like the loop below: the sanitizer builds call the span's iterators
    // and operator[] out of line, several calls a point.
    const auto [low, high] = std::minmax_element(values.data(), values.data() + values.size());
    const int min = *low;
    const int max = *high;
    GraphTicks ticks;
    ticks.step = stepForRange(max - min + 3);
    ticks.base = floorToMultiple(min, ticks.step);
    // The step grows by a quarter of the shortfall, rounded up so that the top tick is never
    // below the largest value (which would be drawn above the plot).
    const int top = ticks.base + 4 * ticks.step;
    if (top < max) ticks.step += (max - top + 3) / 4;
    return ticks;
}

void GraphScaleHeights(std::span<const int> values, const GraphTicks& ticks,
                       std::span<int> heights) {
    const double span = 4.0 * ticks.step;
    const size_t count = std::min(values.size(), heights.size());
    const int* value = values.data();
    int* height = heights.data();
    for (size_t i = 0; i < count; ++i) {
        height[i] = static_cast<int>((value[i] - ticks.base) * kPlotHeight / span);
    }
}

}  // namespace logging
