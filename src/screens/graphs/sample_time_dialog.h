#pragma once
// "Select Data Log Sample Time - 35" (template 245) and the confirmation that clears the status
// chart's samples (template 604).

#include "platform/ui/ui.h"

namespace graphs {

inline constexpr int kSampleTimeDialog = 245;
inline constexpr int kClearTableDialog = 604;

void runSampleTimeDialog(platform::ui::Window owner);
void runClearTableDialog(platform::ui::Window owner);

}  // namespace graphs
