#pragma once
// Connects the parts of the program that sit beside or above the shell: the shutdown history
// behind the decoder and the ticks, and the screens' window procedures and dialogs.

#include <string>
#include <string_view>

#include "platform/serial/serial.h"

namespace program {

void wireProgram();

// Plays the controller on the other end of the display's line, in this process. False when the
// simulator cannot start.
bool startSimulator(platform::SerialPort controllerEnd);
void stopSimulator();
// Hands a line command to the simulator started above; returns its reply.
std::string simulatorCommand(std::string_view line);

}  // namespace program
