#pragma once
// The main window's commands: the button bar's navigation, MISC, the two commands the message
// loop sends for the decoder, EXIT_TO_DRYER and QS.

#include <functional>

#include "shell/shell_env.h"

namespace shell {

inline constexpr int kCmdTimers = 0x8801;
inline constexpr int kCmdTemps = 0x8802;
inline constexpr int kCmdSetup = 0x8803;
inline constexpr int kCmdView = 0x8804;
inline constexpr int kCmdMisc = 0x8805;
inline constexpr int kCmdKnobSpeedChange = 0x8806;
inline constexpr int kCmdDefaultsNotice = 0x8807;
inline constexpr int kCmdExitToDryer = 0x8840;
inline constexpr int kCmdQuickStart = 0x9093;

// False for an id the main window does not know.
bool mainWindowCommand(ShellEnvironment& env, int id);

// Between two messages: turns the decoder's knob-speed request and defaults event into
// commands to the main window, each flag read and cleared once, so a flag raised twice still
// gives one command. The defaults event waits while the defaults notice is showing.
void checkLoopFlags(const std::function<void(int command)>& sendCommand);

}  // namespace shell
