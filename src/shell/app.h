#pragma once
// The running display: the main window with its buttons and timers, the screen windows, the
// message loop, and the ways the screens reach them.

#include <functional>

#include "platform/ui/ui.h"
#include "shell/shell_env.h"

namespace dryer {
class ControllerLink;
}

namespace shell {

// The main window's class name and title (the program's string resources 3 and 1).
inline constexpr std::string_view kWindowClassName = "ORVANE_DRYER_DISPLAY";
inline constexpr std::string_view kWindowTitle = "Orvane Dryer Display";

// The start-up steps that belong to the program around the shell.
struct StartupSteps {
    std::function<void()> openControllerLink;   // its result is not examined
    std::function<void()> openShutdownHistory;  // creates the history database when missing
    std::function<void()> started;              // after start-up, before the message loop
    // After each one-second tick, so a service watchdog hears that the UI thread is alive.
    std::function<void()> afterSecondTick = {};
};

// Start-up from the main window's class to its first paint: view settings, screen windows, the
// controller link, the three timers, the shutdown history. False when the main window cannot be
// created.
bool initInstance(const StartupSteps& steps);

// Start-up, the language, then the message loop; returns the loop's exit code, 0 when start-up
// fails.
int runShell(const StartupSteps& steps);

// The message loop: after every message the decoder's two flags become commands to the main
// window. Returns the exit code of the quit message.
int runMessageLoop();

// The exchange thread that the 175 ms tick paces; none until the link is open.
void attachControllerLink(dryer::ControllerLink* link);

platform::ui::Window mainWindow();
platform::ui::Window screenWindow(Screen screen);
platform::ui::Window mainButtonWindow(MainButton button);
// What the ticks and commands act on in the running program.
ShellEnvironment& environment();

// Any thread: runs the screen-layout update or the batch-stage button update on the UI thread.
void requestScreenLayout();
void requestBatchStageButtons();
// UI thread: the way back from a selection screen to the main view.
void returnToMainView();

// Back to the state before start-up (a second program run in the same process).
void resetShell();

}  // namespace shell
