#pragma once
// The controller's end of a pseudo-terminal: what the display wrote to it.

#include <cstdint>
#include <vector>

#include "link/controller_link.h"
#include "platform/serial/serial.h"

namespace testsupport {

// Waits for the exchange thread to finish its `cycles`-th exchange (a while at most), then takes
// what it wrote to the controller's end of the line.
inline std::vector<uint8_t> bytesAfterCycle(platform::PtyPair& pair,
                                            const dryer::ControllerLink& link, uint64_t cycles) {
    for (int i = 0; i < 400 && link.completedCycles() < cycles; ++i)
        pair.controller.waitReadable(5);
    std::vector<uint8_t> bytes;
    while (pair.controller.waitReadable(bytes.empty() ? 1000 : 20)) {
        uint8_t buffer[256];
        const long got = pair.controller.readAvailable(buffer, sizeof buffer);
        if (got <= 0) break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
}

}  // namespace testsupport
