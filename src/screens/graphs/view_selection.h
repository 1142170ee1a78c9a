#pragma once
// VIEW_SELECTION_WINDOW: the choice between the status chart and the graph, the operator's guide,
// the shutdown history and the system information.

#include <cstdint>
#include <string>

#include "platform/ui/ui.h"

namespace graphs {

inline constexpr int kChartViewButton = 36898;
inline constexpr int kGraphViewButton = 36897;
inline constexpr int kManualsButton = 36895;
inline constexpr int kHistoryButton = 36901;
inline constexpr int kSystemInfoButton = 36904;
inline constexpr int kSoftwareInfoButton = 36995;
inline constexpr int kExitViewButton = 36896;
// Switches the main view's left column between the dryer picture and the values column.
inline constexpr int kLeftColumnButton = 36894;

inline constexpr int kShutdownHistoryDialog = 197;
inline constexpr int kSystemInfoDialog = 440;

platform::ui::LResult viewSelectionProc(platform::ui::Window window, uint32_t message,
                                        platform::ui::WParam wp, platform::ui::LParam lp);

// Asks the controller for the graph view (bit 6 of userSettings set) or the status chart view
// (cleared). The rest of the byte is the controller's own, without the one-shot bits.
void sendViewSelectionBit(bool graph);

// Both views; false (after the message) in batch drying, where neither is shown.
bool selectGraphView();
bool selectChartView();

// A memory size as the system information shows it: whole MiB below 1 GiB, else GiB to a tenth
// ("512 MiB", "23.4 GiB"), both rounded to the nearest.
std::string memoryFigure(uint64_t bytes);
// " SYSTEM INFORMATION / SOFTWARE VERSION - 32" (template 440) over `owner`.
void runSystemInfoDialog(platform::ui::Window owner);

}  // namespace graphs
