#pragma once
// The moisture-control setup dialogs: unload parameters, the plenum temperature manager, the
// watchdog setup, the user settings and the bracketed five-speed moisture control.

namespace moisture {

// Template numbers, as the shell and the setup menus open them.
inline constexpr int kUnloadParametersDialog = 513;
inline constexpr int kTempManagerDialog = 514;
inline constexpr int kWatchdogDialog = 206;
inline constexpr int kUserSettingsDialog = 479;
inline constexpr int kBracketedSetupDialog = 435;

// Registers the openers of the five dialogs with the shell and starts a new program run for
// them (the unload-rate warning after a change is shown once per run). Call before start-up.
void wireMoistureScreens();

}  // namespace moisture
