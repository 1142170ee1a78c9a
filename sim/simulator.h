#pragma once
// The controller simulator on a line: a thread that takes each frame the display sends and
// answers it with one status frame, as the dryer's controller does.
//
// In the display's own process (--simulate) and in tests:
//
//   platform::PtyPair pty;
//   platform::openPtyPair(pty);
//   sim::Simulator simulator;
//   simulator.start(std::move(pty.controller));      // the controller's end
//   link.openControllerLink(pty.devicePath);          // the display's end
//   simulator.command("shutdown 5 3");                // scripted events, as orvane-sim takes them
//   simulator.stop();
//
// The dryer model moves with platform::monotonicMs, so under the manual clock it moves only when
// the test advances time.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

#include "platform/serial/serial.h"
#include "sim/controller.h"

namespace sim {

class Simulator {
  public:
    Simulator() = default;
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    // Starts answering on the given end of the line. False when it is not open or already running.
    bool start(platform::SerialPort line);
    // Starts answering on a serial device (the line of a real panel). When the device goes away
    // it is opened again every 2 s. False, with the reason in `error`, when it cannot be opened.
    bool start(const std::string& device, std::string& error);
    void stop();

    // A line command ("run", "shutdown 5 3", "silence 15", "set 187 0x83", "help" ...); returns
    // the reply text.
    std::string command(std::string_view line);
    // Receives every frame both ways, decoded (for --trace). Set before start.
    void setTrace(std::function<void(const std::string&)> sink) { trace_ = std::move(sink); }
    // Receives a line when the device of start(device) goes away and when it is open again.
    void setReporter(std::function<void(const std::string&)> sink) { report_ = std::move(sink); }
    // The pause that ends a frame from the display (4 ms). A caller that lets the display send
    // only once the last frame is answered may make it 0: a frame is then what one read brings,
    // and each answer goes out at once. Set before start.
    void setFrameGap(int ms) { frameGapMs_ = ms; }

    uint64_t framesAnswered() const { return answered_.load(); }
    // A byte of the controller's parameter table.
    uint8_t parameter(int address);

  private:
    void run();
    bool lineReady();
    void handle(const std::vector<uint8_t>& bytes);
    bool waitWhileRunning(int ms);

    std::mutex mutex_;  // guards controller_
    Controller controller_;
    platform::SerialPort line_;
    platform::Wakeup wakeup_;  // ends a wait on the line at stop()
    std::string device_;       // empty: the line cannot be opened again
    int frameGapMs_ = 4;       // the display writes a frame in one piece; a pause ends it
    std::thread thread_;
    std::atomic<bool> stopping_{false};
    std::atomic<uint64_t> answered_{0};
    std::function<void(const std::string&)> trace_;
    std::function<void(const std::string&)> report_;
};

}  // namespace sim
