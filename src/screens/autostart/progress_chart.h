#pragma once
// The time chart of the auto-start sequence: one bar per fan/heater, marking in red the part of
// the sequence in which it is active, and the dryer's bar with the elapsed part in grey; all on
// one axis from x = 70 (time 0) to x = 570 (the total time).

#include <string>

#include "link/dryer_state.h"
#include "platform/gfx/painter.h"

namespace autostart {

inline constexpr int kAxisLeft = 70;
inline constexpr int kAxisWidth = 500;

// Widths in pixels of a fan/heater bar's three parts: before its start, while it is active and
// after. A start time a and end time b, total time t, in seconds; an end not after the start
// means active to the end of the sequence. Times beyond the total are held at the total, so the
// bar never leaves the axis. All zero when t is 0.
struct BarSegments {
    int before = 0;
    int active = 0;
    int after = 0;
};
BarSegments fanHeaterSegments(int a, int b, int t);

// The elapsed part of the dryer bar in pixels (at most the axis).
int elapsedWidth(int elapsed, int t);

// "%d:%02d" of seconds as minutes and seconds.
std::string minutesSeconds(int seconds);

// The number of fan/heater rows: one on a bin dryer, none for a count code above 4.
int fanHeaterRows(const dryer::DryerState& state);

// Draws the chart from the controller's values into the status dialog's client coordinates.
void drawProgressChart(platform::gfx::Painter& painter, const dryer::DryerState& state);

}  // namespace autostart
