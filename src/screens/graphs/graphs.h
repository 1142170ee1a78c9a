#pragma once
// The graph, view selection, status chart and data-log screens and dialogs, plugged into the
// shell: window procedures and dialog openers by template number.

namespace graphs {

inline constexpr int kGraphSetupDialog = 196;

void wireGraphScreens();

}  // namespace graphs
