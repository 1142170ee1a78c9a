#pragma once
// The live line: two serial devices, one per direction. A tap only listens (an RS-232 Y cable
// with two adapters: one hears the display, the other the controller); a pass-through sits
// between the display and the controller and hands every byte on to the other side.

#include <atomic>
#include <functional>
#include <string>

#include "monitor/capture.h"
#include "platform/serial/serial.h"

namespace monitor {

struct LiveLine {
    platform::SerialPort fromDisplay;     // what the display sends arrives here
    platform::SerialPort fromController;  // what the controller sends arrives here
    bool passThrough = false;             // hand each side's bytes to the other
};

// Opens a device for the line; "pty" makes a pseudo-terminal and gives the device to open at
// its other end in `ptyDevice`. Empty string on success, else what went wrong.
std::string openLineDevice(const std::string& device, platform::SerialPort& port,
                           std::string& ptyDevice);

struct LiveCallbacks {
    std::function<void(const Chunk&)> chunk;   // bytes as they arrived, either way
    std::function<void(uint64_t nowUs)> idle;  // between reads, for the quiet-line timing
};

// Reads both sides until `stop` is set or `seconds` have passed (0: no limit). False after a
// read or hand-on failed, with the reason in `error`.
bool runLiveLine(LiveLine& line, const LiveCallbacks& callbacks, const std::atomic<bool>& stop,
                 double seconds, std::string& error);

}  // namespace monitor
