#pragma once
// The drying-mode dialogs: "Drying Mode Selection - 07" (512) and the setups of the two modes,
// "CONTINUOUS FLOW SETUP" (515) and "STAGED BATCH SETUP - 09" (516).

namespace modes {

inline constexpr int kDryingModeDialog = 512;
inline constexpr int kContinuousFlowDialog = 515;
inline constexpr int kStagedBatchDialog = 516;

// Gives the shell the openers of the three dialogs, so that the setup menu's buttons open them
// by template number. Call before start-up.
void wireDryingModeScreens();

}  // namespace modes
