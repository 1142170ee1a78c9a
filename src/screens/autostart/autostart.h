#pragma once
// Auto-start: the operator picks the grain, checks the moisture values and asks the controller to
// run its automatic start sequence; the controller runs it and reports its progress, which the
// status dialog shows. Everything here runs on the user-interface thread.

#include "platform/ui/ui.h"

namespace autostart {

// Gives the shell the configuration window's procedure and the openers of the status dialog
// (612) and of the setup menu's way in (614, the switch requirements notice that the entry
// starts with). Before start-up.
void registerAutoStart();

// The setup menu's auto-start button: the switch requirements first while no sequence runs, the
// status dialog while one runs, a refusal while the dryer runs, else the configuration window.
void enterAutoStart(platform::ui::Window owner);

// True while the configuration window is the screen shown, including while the operator is away
// on the plenum setpoint screen it opened.
bool autoStartConfigActive();

// The plenum setpoint screen's way back: shows the configuration window again when the screen
// was opened from it (true), else does nothing (false).
bool returnToAutoStartConfig();

// The configuration window's page (0 to 4); it is kept between visits.
int autoStartConfigPage();

}  // namespace autostart
