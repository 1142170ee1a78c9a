#include "monitor/live.h"

#include <chrono>
#include <thread>

namespace monitor {
namespace {

uint64_t microsSince(std::chrono::steady_clock::time_point start) {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now() - start)
                                     .count());
}

// One read of a side; false on failure. `got` tells whether bytes came.
bool readSide(platform::SerialPort& from, platform::SerialPort* to, Direction direction,
              uint64_t nowUs, const LiveCallbacks& callbacks, std::string& error, bool& got) {
    got = false;
    if (!from.waitReadable(1)) return true;
    uint8_t buffer[kMaxChunkBytes];
    const long n = from.readAvailable(buffer, sizeof buffer);
    if (n < 0) {
        error = direction == Direction::FromDisplay ? "reading the display's side failed"
                                                    : "reading the controller's side failed";
        return false;
    }
    if (n == 0) return true;
    if (to && !to->write(buffer, static_cast<size_t>(n))) {
        error = "handing bytes on to the other side failed";
        return false;
    }
    callbacks.chunk(Chunk{direction, nowUs, std::vector<uint8_t>(buffer, buffer + n)});
    got = true;
    return true;
}

}  // namespace

std::string openLineDevice(const std::string& device, platform::SerialPort& port,
                           std::string& ptyDevice) {
    if (device == "pty") {
        platform::PtyPair pair;
        if (!platform::openPtyPair(pair)) return "cannot make a pseudo-terminal";
        port = std::move(pair.controller);
        ptyDevice = pair.devicePath;
        return "";
    }
    if (!port.open(device)) return "cannot open " + device + " as the controller line";
    return "";
}

bool runLiveLine(LiveLine& line, const LiveCallbacks& callbacks, const std::atomic<bool>& stop,
                 double seconds, std::string& error) {
    const auto start = std::chrono::steady_clock::now();
    const uint64_t limitUs = static_cast<uint64_t>(seconds * 1e6);
    while (!stop.load()) {
        const uint64_t now = microsSince(start);
        if (limitUs > 0 && now >= limitUs) break;
        bool gotDisplay = false;
        bool gotController = false;
        if (!readSide(line.fromDisplay, line.passThrough ? &line.fromController : nullptr,
                      Direction::FromDisplay, now, callbacks, error, gotDisplay) ||
            !readSide(line.fromController, line.passThrough ? &line.fromDisplay : nullptr,
                      Direction::FromController, microsSince(start), callbacks, error,
                      gotController)) {
            return false;
        }
        callbacks.idle(microsSince(start));
        // A side nobody has opened yet (a pseudo-terminal) reports a hang-up at once rather
        // than waiting: do not spin on it.
        if (!gotDisplay && !gotController)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

}  // namespace monitor
