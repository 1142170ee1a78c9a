#include "link/controller_link.h"

#include <algorithm>
#include <utility>

#include "link/command_frame.h"
#include "link/crc.h"
#include "link/status_decoder.h"

namespace dryer {

bool receiveStatusFrame(DryerState& state, const uint8_t* bytes, size_t length) {
    if (length != kStatusFrameSize || !checkCrc(bytes, kStatusDataSize)) return false;
    state.linkAliveSeconds.store(kLinkAliveSeconds);
    decodeStatusFrame(state, bytes);
    return true;
}

ControllerLink::~ControllerLink() {
    stop();
}

bool ControllerLink::openControllerLink(const std::string& device) {
    if (thread_.joinable()) return false;
    device_ = device;
    const bool opened = port_.open(device);
    if (!opened) {
        nextReopen_ =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(kReopenIntervalMs);
        if (report_) {
            report_("cannot open the controller line " + device + ": " + port_.error() +
                    "; trying again every 2 s");
        }
    }
    start();
    return opened;
}

bool ControllerLink::openControllerLink(platform::SerialPort port) {
    if (!port.isOpen() || thread_.joinable()) return false;
    port_ = std::move(port);
    start();
    return true;
}

void ControllerLink::start() {
    portOpen_.store(port_.isOpen());
    stopping_.store(false);
    event_ = std::make_unique<platform::AutoResetEvent>();
    thread_ = std::thread([this] { run(); });
    signal_.store(event_.get());
}

void ControllerLink::signalExchange() {
    if (platform::AutoResetEvent* event = signal_.load()) event->set();
}

void ControllerLink::stop() {
    if (!thread_.joinable()) return;
    signal_.store(nullptr);
    stopping_.store(true);
    event_->close();
    thread_.join();
}

// While the port is away the wait is cut short when the next open is due.
void ControllerLink::run() {
    for (;;) {
        const bool away = !port_.isOpen() && !device_.empty();
        const bool signalled = away ? event_->waitFor(msUntilReopen()) : event_->wait();
        if (stopping_.load()) return;
        if (away && msUntilReopen() == 0) reopen();
        if (signalled) exchangeCycle();
    }
}

int ControllerLink::msUntilReopen() const {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        nextReopen_ - std::chrono::steady_clock::now());
    return static_cast<int>(std::max<int64_t>(0, left.count()));
}

bool ControllerLink::inputWaiting(int timeoutMs) {
    std::lock_guard lock(portMutex_);
    return port_.waitReadable(timeoutMs);
}

void ControllerLink::reopen() {
    nextReopen_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(kReopenIntervalMs);
    std::lock_guard lock(portMutex_);
    if (!port_.open(device_)) return;
    portOpen_.store(true);
    if (report_) report_("the controller line " + device_ + " is open");
}

// A device that went away never comes back on the same descriptor: close it and open the path
// again later, which finds the device once it is plugged in (or made) again.
void ControllerLink::losePort() {
    const std::string reason = port_.error();
    {
        std::lock_guard lock(portMutex_);
        port_.close();
    }
    portOpen_.store(false);
    nextReopen_ = std::chrono::steady_clock::now() + std::chrono::milliseconds(kReopenIntervalMs);
    if (report_ && !device_.empty()) {
        report_("the controller line " + device_ + " is gone (" + reason +
                "); trying to open it again every 2 s");
    }
}

void ControllerLink::exchangeCycle() {
    // Whatever has arrived; a frame that is not whole now is dropped, and the purge before the
    // write below throws away the rest of it.
    const long got = port_.readAvailable(rxFrame_, sizeof rxFrame_);
    if (got > 0 && receiveStatusFrame(state_, rxFrame_, static_cast<size_t>(got))) {
        goodFrames_.fetch_add(1);
    }

    if (state_.resyncHoldoff.load() > 0) state_.resyncHoldoff.fetch_sub(1);
    if (state_.resyncRequest.load() && state_.resyncHoldoff.load() == 0) {
        sendResync();
    } else if (buildCommandFrame(state_, txFrame_) && state_.resyncHoldoff.load() < 2) {
        appendCrc(txFrame_, txFrame_[0] - 2);
        send(txFrame_, txFrame_[0]);
    } else {
        const uint8_t idle[kIdleFrameSize - 2] = {kIdleFrameSize, 0, 0, 0, 0};
        std::copy(idle, idle + sizeof idle, txFrame_);
        appendCrc(txFrame_, sizeof idle);
        send(txFrame_, kIdleFrameSize);
    }
    if (port_.gone()) losePort();
    completedCycles_.fetch_add(1);
}

// The first byte says 6 although four bytes go out; the controller knows this frame by it.
void ControllerLink::sendResync() {
    state_.resyncRequest.store(0);
    state_.resyncHoldoff.store(kResyncHoldoffCycles);
    txFrame_[0] = 0x06;
    txFrame_[1] = 0x00;
    appendCrc(txFrame_, 2);
    send(txFrame_, kResyncFrameSize);
}

void ControllerLink::send(const uint8_t* bytes, size_t length) {
    port_.purge();
    port_.write(bytes, length);
}

}  // namespace dryer
