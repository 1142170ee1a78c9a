#pragma once
// The timer screen (TIMER_SELECT_WINDOW) and the temperature setpoint screen
// (TEMP_SELECT_WINDOW): the controller's timers and temperature setpoints, each with a SETUP
// button that opens a keypad on it.

#include <functional>

namespace setpoints {

// Gives the shell the two screens' window procedures.
void wireSetpointScreens();

// The auto-start configuration window opens the temperature screen over itself. It registers
// here a function that, while it wants the operator back, shows itself again and returns true;
// the screen's exit then goes there instead of to the main view. Without one, or when it
// returns false, the exit returns to the main view.
void setTemperatureScreenExitToAutoStart(std::function<bool()> backToAutoStart);

}  // namespace setpoints
