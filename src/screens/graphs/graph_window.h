#pragma once
// GRAPH_WINDOW: the graph drawing child, the scroll bar that looks back in time, the six trace
// buttons and the button that opens "GRAPH SETUP - 25".

#include "platform/ui/ui.h"

namespace graphs {

inline constexpr int kGraphScrollBar = 36899;
inline constexpr int kGraphSetupButton = 36879;
inline constexpr const char* kDrawGraphClass = "DRAW_GRAPH_WINDOW";

platform::ui::LResult graphWindowProc(platform::ui::Window window, uint32_t message,
                                      platform::ui::WParam wp, platform::ui::LParam lp);

// The graph window and its drawing, without erasing.
void invalidateGraph();

// "GRAPH SETUP - 25" (template 196) over `owner`.
void runGraphSetupDialog(platform::ui::Window owner);

}  // namespace graphs
