#pragma once
// The vertical scale of one graph series: five axis ticks and the pixel height of each point
// (the lowest tick on the base line, the highest 180 pixels above it).

#include <span>

namespace logging {

struct GraphTicks {
    int base = 0;
    int step = 1;
    int tick(int index) const { return base + index * step; }  // index 0..4
};

GraphTicks GraphAxisTicks(std::span<const int> values);

// heights[i] for values[i]; both spans have the same length.
void GraphScaleHeights(std::span<const int> values, const GraphTicks& ticks,
                       std::span<int> heights);

}  // namespace logging
