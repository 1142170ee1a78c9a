#pragma once
// The exchange with the controller: every signal, take in the status frame that answers the
// previous cycle's frame, decode it if it is whole and sound, and send exactly one frame of our
// own (a command frame, an idle frame or, after the link was lost, a resync frame).

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link/dryer_state.h"
#include "platform/serial/serial.h"
#include "platform/sys/sys.h"

namespace dryer {

inline constexpr int kIdleFrameSize = 7;
inline constexpr int kResyncFrameSize = 4;
inline constexpr uint32_t kLinkAliveSeconds = 10;
inline constexpr uint32_t kResyncHoldoffCycles = 10;
inline constexpr int kReopenIntervalMs = 2000;

// Step 3 of a cycle: accepts exactly one status frame with a good CRC, resets the link watchdog
// and decodes it. Anything else is dropped; false then.
bool receiveStatusFrame(DryerState& state, const uint8_t* bytes, size_t length);

class ControllerLink {
  public:
    explicit ControllerLink(DryerState& state) : state_(state) {}
    ~ControllerLink();
    ControllerLink(const ControllerLink&) = delete;
    ControllerLink& operator=(const ControllerLink&) = delete;

    // Receives one line when the port cannot be opened or goes away, and one when it is open
    // again (the display puts them on standard error, and so in the journal). Set before opening.
    void setReporter(std::function<void(const std::string&)> report) {
        report_ = std::move(report);
    }

    // Opens the device with the controller line's settings and starts the exchange thread. When
    // the port cannot be opened, or later goes away (unplugged, hung up), the thread opens the
    // same path again every 2 s for as long as it runs; cycles go on meanwhile with nothing on
    // the line, so the link runs down and asks for its resync as on a silent line. False when
    // the first open failed; the thread runs all the same.
    bool openControllerLink(const std::string& device);
    // The same over a port opened elsewhere (for instance one end of a pseudo-terminal); it has
    // no path to open again. False (and nothing started) when it is not open.
    bool openControllerLink(platform::SerialPort port);
    // True while the port is open.
    bool portOpen() const { return portOpen_.load(); }

    // Starts one exchange cycle; does nothing before the link is open.
    void signalExchange();
    // Ends the exchange thread (tests and tools; the display never stops it).
    void stop();

    // Cycles finished since the start; lets a harness wait for a cycle to complete.
    uint64_t completedCycles() const { return completedCycles_.load(); }
    // Status frames taken in (whole, with a good CRC).
    uint64_t goodFrames() const { return goodFrames_.load(); }

    // One cycle on the calling thread, for tests that drive a port without the exchange thread.
    void attachPort(platform::SerialPort port) { port_ = std::move(port); }
    void exchangeCycle();
    // Waits until bytes from the controller have reached the port (pseudo-terminals deliver
    // them a moment after they are written). Safe beside the exchange thread.
    bool inputWaiting(int timeoutMs);

  private:
    void start();
    void run();
    int msUntilReopen() const;
    void reopen();
    void losePort();
    void sendResync();
    void send(const uint8_t* bytes, size_t length);

    DryerState& state_;
    std::function<void(const std::string&)> report_;
    std::string device_;  // empty: the port cannot be opened again
    platform::SerialPort port_;
    std::mutex portMutex_;  // held where the exchange thread opens or closes port_
    std::atomic<bool> portOpen_{false};
    std::atomic<bool> stopping_{false};
    std::chrono::steady_clock::time_point nextReopen_;
    std::unique_ptr<platform::AutoResetEvent> event_;
    std::atomic<platform::AutoResetEvent*> signal_{nullptr};
    std::thread thread_;
    std::atomic<uint64_t> completedCycles_{0};
    std::atomic<uint64_t> goodFrames_{0};
    uint8_t rxFrame_[kStatusFrameSize] = {};
    uint8_t txFrame_[128] = {};
};

}  // namespace dryer
