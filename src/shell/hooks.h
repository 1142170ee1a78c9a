#pragma once
// How the screens plug into the shell. Before start-up each screen library sets its window
// procedure and the dialogs it opens for the main window; screens without a procedure show an
// unfinished face with their title, and a dialog without an opener says it is not available.
// While open, the dialogs that the ticks look into register their window.

#include <functional>

#include "platform/ui/ui.h"
#include "shell/shell_env.h"

namespace shell {

void setScreenProcedure(Screen screen, platform::ui::WindowProc procedure);
platform::ui::WindowProc screenProcedure(Screen screen);

// Runs dialog `templateId` modally over `owner`.
using DialogOpener = std::function<void(platform::ui::Window owner)>;
void setDialogOpener(int templateId, DialogOpener opener);
const DialogOpener* dialogOpener(int templateId);

// Runs the temperature keypad on a grain setpoint (its edit bytes already hold the controller's
// value): 50 to 160 degrees F, default 105; ACCEPT raises the setpoint's pending flag.
using GrainKeypadOpener = std::function<void(GrainSetpoint setpoint, platform::ui::Window owner)>;
void setGrainKeypadOpener(GrainKeypadOpener opener);
const GrainKeypadOpener* grainKeypadOpener();

// Writes the operator's acknowledgement of a finished auto-start into the shutdown history.
void setOperatorEventRecorder(std::function<void()> recorder);
void recordOperatorEventHook();

// UI thread: a dialog registers when it opens and unregisters when it closes.
void registerOpenDialog(Dialog dialog, platform::ui::Window window);
void unregisterOpenDialog(Dialog dialog);
// The open dialog's window; an empty handle while it is closed.
platform::ui::Window openDialogWindow(Dialog dialog);

// Forgets every registration (a second program run in the same process).
void clearShellHooks();

}  // namespace shell
