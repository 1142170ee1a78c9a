#pragma once
// The air-switch test of the fan/heaters as the controller reports it: bit 2 of each
// `burnerMode` byte turns the test off for that fan/heater, bit 3 of byte 148 says the controller
// does not let the test be turned off now, bit 5 of byte 118 holds the test off whatever it says.
// Used by the diagnostics dialog and its air-switch question; all of it reads and writes the
// dryer record, so it may be called from the user-interface thread at any time.

#include "link/dryer_state.h"

namespace diagnostics {

// The `burnerMode` elements of the installed fan/heaters (element 5 is fan/heater 1): from the
// returned index up to 5. Count code 0 = fan/heater 1 only, 1 = two, 2 = three, 3 = four,
// 4 = six; a code the controller should not send counts as fan/heater 1 only.
int firstInstalledBurnerMode(const dryer::DryerState& state);

enum class AirSwitchBox {
    Enabled,   // no fan/heater has the test off
    Disabled,  // the test is off and the controller keeps it so
    Repair,    // the test is off although the controller has taken the test back: turn it on
};
AirSwitchBox airSwitchBox(const dryer::DryerState& state);

// Clears bit 2 in `edit.burnerMode` of every installed fan/heater and raises each one's flag.
void enableAirSwitchTesting(dryer::DryerState& state);
// Sets bit 2 likewise.
void disableAirSwitchTesting(dryer::DryerState& state);

// False while bit 3 of byte 148 is set.
bool airSwitchChangeAllowed(const dryer::DryerState& state);
// Some installed fan/heater reports the test off.
bool airSwitchTestingOffInstalled(const dryer::DryerState& state);

// What the question's Yes does.
enum class AirSwitchYes {
    NotAllowed,  // nothing: the controller does not allow a change now
    Enabled,     // the test was off somewhere: it is on again for all
    Armed,       // first Yes towards turning the test off: nothing sent yet
    Disabled,    // second Yes: the test is off for all
};
// `armed` is the question's state: set by the first Yes, cleared by the second.
AirSwitchYes answerAirSwitchYes(dryer::DryerState& state, bool& armed);

}  // namespace diagnostics
