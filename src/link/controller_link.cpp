#include "link/controller_link.h"

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
    platform::SerialPort port;
    if (!port.open(device)) return false;
    return openControllerLink(std::move(port));
}

bool ControllerLink::openControllerLink(platform::SerialPort port) {
    if (!port.isOpen() || thread_.joinable()) return false;
    port_ = std::move(port);
    event_ = std::make_unique<platform::AutoResetEvent>();
    thread_ = std::thread([this] { run(); });
    signal_.store(event_.get());
    return true;
}

void ControllerLink::signalExchange() {
    if (platform::AutoResetEvent* event = signal_.load()) event->set();
}

void ControllerLink::stop() {
    if (!thread_.joinable()) return;
    signal_.store(nullptr);
    event_->close();
    thread_.join();
}

void ControllerLink::run() {
    while (event_->wait())
        exchangeCycle();
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
