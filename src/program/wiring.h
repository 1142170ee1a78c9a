#pragma once
// Connects the parts of the program that sit beside or above the shell: the shutdown history
// behind the decoder and the ticks, and the screens' window procedures and dialogs.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/serial/serial.h"

namespace program {

void wireProgram();

// Told of every shutdown the history records, on the exchange thread, right after recording.
// Set before the line opens.
using ShutdownListener = std::function<void(uint8_t node, uint8_t warning)>;
void setShutdownListener(ShutdownListener listener);

// Plays the controller on the other end of the display's line, in this process. False when the
// simulator cannot start.
bool startSimulator(platform::SerialPort controllerEnd);
void stopSimulator();
// Hands a line command to the simulator started above; returns its reply.
std::string simulatorCommand(std::string_view line);

}  // namespace program
