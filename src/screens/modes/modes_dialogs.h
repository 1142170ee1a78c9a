#pragma once
// The three dialogs of this library. Each runs modally over its owner and returns the id of the
// button that closed it (kAccept for ACCEPT).

#include "platform/ui/ui.h"

namespace modes {

inline constexpr int kAccept = 1008;
inline constexpr int kHelp = 1009;

int runDryingModeSelection(platform::ui::Window owner);  // 512
int runContinuousFlowSetup(platform::ui::Window owner);  // 515
int runStagedBatchSetup(platform::ui::Window owner);     // 516

}  // namespace modes
