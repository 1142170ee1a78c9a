#pragma once
// Shared between the auto-start windows and dialogs.

#include "platform/gfx/types.h"
#include "platform/ui/ui.h"

namespace autostart::detail {

// Dialog templates.
inline constexpr int kStatusDialog = 612;
inline constexpr int kSwitchRequirementsDialog = 614;
inline constexpr int kMoistureSetpointDialog = 225;

// The plain colours named by the screens, chosen to read on their dark grounds.
inline constexpr platform::gfx::Color kYellow = platform::gfx::rgb(255, 255, 0);
inline constexpr platform::gfx::Color kGreen = platform::gfx::rgb(0, 255, 0);
inline constexpr platform::gfx::Color kLightBlue = platform::gfx::rgb(64, 160, 255);
inline constexpr platform::gfx::Color kDarkGrey = platform::gfx::rgb(40, 40, 40);

// Runs the start/cancel question over `owner` and acts on the answer.
void runStartCancelQuestion(platform::ui::Window owner);
// The switch requirements notice; returns when the operator has pressed OK.
void runSwitchRequirements(platform::ui::Window owner);
// The status dialog with its progress chart.
void runStatusDialog(platform::ui::Window owner);

// Hides the configuration window and brings the main screens back.
void leaveConfigWindow();

}  // namespace autostart::detail
