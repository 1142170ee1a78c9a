#pragma once
// The graph and chart settings that survive restarts, each one byte under the display's registry
// key, and the display state they load into.

#include <array>
#include <cstdint>

namespace logging {

inline constexpr const char* kViewSettingsKey = "Software\\Tavren\\OrvaneDryer";

// The six graph traces, in the order of their buttons and of the bits of "GRAPH_TRACES_ON_OFF".
enum GraphTrace {
    kTraceMoistureIn,
    kTraceGrainTempIn,
    kTraceMoistureOut,
    kTraceGrainTempOut,
    kTraceGrainColumnTemp,
    kTraceMeterRollSpeed,
    kGraphTraceCount
};

extern std::array<uint8_t, kGraphTraceCount> GraphTraceOn;  // 1 = shown
extern int GraphScale;           // 0..3: 1, 2, 4 or 8 hours in the window
extern int GraphPageOffset;      // 0 = newest window; each step 360 samples further back
extern int ScreenViewSelection;  // 1 = graph view, 0 = status chart view
extern int LeftColumnSelection;  // 0 = the dryer picture, 1 = the values column
extern int ShortTermSampleMinutes;

// Samples averaged into one plotted point: 1, 2, 4 or 8.
int GraphScaleFactor();

void LoadViewSettings();
// Each writes one value; a failed write is reported and otherwise changes nothing.
bool SaveGraphTraces();
bool SaveGraphScale();
bool SaveSampleTime();
bool SaveViewSelection();
bool SaveLeftColumnSelection();

// The values of a fresh start, before LoadViewSettings.
void ResetViewSettings();

}  // namespace logging
