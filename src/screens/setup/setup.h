#pragma once
// The setup menus, the unload status window and the setup dialogs: hardware setup, burner mode
// and differential, metering-roll speeds, the defaults notice, moisture sensor calibration,
// bushel setup and the moisture setpoint with its decimal keypad.

#include "platform/ui/ui.h"

namespace setup {

// Gives the shell the procedures of the two setup menus and the unload status window, and the
// openers of the dialogs the shell and other screens ask for by template number (166, 179, 223,
// 225). Call before start-up.
void wireSetupScreens();

// The value the next opening of the moisture-setpoint dialog (225) edits: 3 the moisture
// setpoint, 4 the average incoming moisture of the auto-start. Each opening falls back to 3
// afterwards, so an opener that sets nothing edits the moisture setpoint.
inline constexpr int kMoistureSetpointTarget = 3;
inline constexpr int kAverageIncomingTarget = 4;
void setMoistureKeypadTarget(int target);

}  // namespace setup
