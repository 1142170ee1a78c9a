#pragma once
// Which status screens are up, derived from the drying mode and the graph view bit; the batch
// stage buttons; the places of the main buttons.

#include "link/dryer_state.h"
#include "shell/shell_env.h"

namespace shell {

// Buttons of the batch drying screen.
inline constexpr int kDryButton = 36958;
inline constexpr int kHiHeatButton = 36959;
inline constexpr int kLoHeatButton = 36960;
inline constexpr int kCoolButton = 36961;
inline constexpr int kUnloadButton = 36962;

// ScreenViewSelection from bit 6 of userSettings; then the graph or the status chart and plenum
// view in continuous flow, the batch drying screen and plenum view in the batch modes.
void updateScreenLayout(ShellEnvironment& env);
// Whether the batch drying screen has a high and a low heat stage: never in continuous flow
// (mode 0), always in mode 3, otherwise by the dual plenum option (bit 1 of plenumTempOptions).
// The stage buttons and the picture of the stage times both follow it.
bool batchHasTwoHeatStages(const dryer::ParameterImage& status);
// DRY with one heat stage, HI HEAT and LO HEAT with two.
void updateBatchStageButtons(ShellEnvironment& env);
// QS at the right while auto-start is active, the five main buttons closing up beside it.
void layoutButtonBar(ShellEnvironment& env);

// The left column of the main view: the dryer picture, or the values column (left status bar,
// grain temperature / moisture, unload status) that tiles the same place.
void showLeftColumn(ShellEnvironment& env);

// Hides the status screens for a selection screen.
void hideStatusScreens(ShellEnvironment& env);
// EXIT_TO_DRYER, and every selection screen's way back to the main view.
void returnToMainView(ShellEnvironment& env);

}  // namespace shell
