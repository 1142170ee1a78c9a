#pragma once
// The three timer procedures of the main window, in the order of their steps: the 175 ms tick
// (exchange pacing, blinking, right status bar), the one-second tick (clock record, link
// watchdog, logs, setup buttons, batch prompts) and the 100 ms tick (warning window, animations,
// auto-repeat of held buttons).

#include "shell/shell_env.h"

namespace shell {

inline constexpr int kTimer175 = 0x9001;
inline constexpr int kTimerSecond = 0x9002;
inline constexpr int kTimer100 = 0x901E;

void tick175(ShellEnvironment& env);
void tickSecond(ShellEnvironment& env);
void tick100(ShellEnvironment& env);

// Setup menu buttons the one-second tick keeps in step with the configuration.
inline constexpr int kBurnerModeButton = 34867;
inline constexpr int kMeterRollReverseButton = 36991;
inline constexpr int kDryerModelButton = 36982;
// The EXIT button of the shutdown history dialog and the CLOSE button of the help dialog.
inline constexpr int kHistoryExitButton = 1107;
inline constexpr int kHelpCloseCommand = 1224;

}  // namespace shell
