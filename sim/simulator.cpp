#include "sim/simulator.h"

#include <chrono>

#include "platform/clock/clock.h"

namespace sim {
namespace {

constexpr int kPollMs = 50;
constexpr int kReopenMs = 2000;

}  // namespace

Simulator::~Simulator() {
    stop();
}

bool Simulator::start(platform::SerialPort line) {
    if (!line.isOpen() || thread_.joinable()) return false;
    line_ = std::move(line);
    stopping_.store(false);
    wakeup_.reset();
    thread_ = std::thread([this] { run(); });
    return true;
}

bool Simulator::start(const std::string& device, std::string& error) {
    if (thread_.joinable()) return false;
    platform::SerialPort line;
    if (!line.open(device)) {
        error = line.error();
        return false;
    }
    device_ = device;
    return start(std::move(line));
}

void Simulator::stop() {
    if (!thread_.joinable()) return;
    stopping_.store(true);
    wakeup_.wake();
    thread_.join();
}

std::string Simulator::command(std::string_view line) {
    std::lock_guard lock(mutex_);
    return controller_.command(line, platform::monotonicMs());
}

uint8_t Simulator::parameter(int address) {
    std::lock_guard lock(mutex_);
    return controller_.at(address);
}

void Simulator::run() {
    std::vector<uint8_t> frame;
    uint8_t buffer[512];
    while (!stopping_.load()) {
        if (!lineReady()) continue;
        if (!line_.waitReadable(kPollMs, &wakeup_)) {
            // The master end of a pseudo-terminal reports a hang-up while no display holds the
            // other end; poll would return at once, so wait here instead.
            if (line_.hungUp()) waitWhileRunning(kPollMs);
            continue;
        }
        frame.clear();
        do {
            const long n = line_.readAvailable(buffer, sizeof buffer);
            if (n <= 0) break;
            frame.insert(frame.end(), buffer, buffer + n);
        } while (line_.waitReadable(frameGapMs_, &wakeup_));
        if (!frame.empty()) handle(frame);
    }
}

// A device that went away is closed and opened again every 2 s; false while it is away.
bool Simulator::lineReady() {
    if (device_.empty()) return true;
    if (line_.isOpen() && !line_.gone()) return true;
    if (line_.isOpen()) {
        if (report_)
            report_(device_ + " is gone (" + line_.error() + "); opening it again every 2 s");
        line_.close();
    }
    if (!waitWhileRunning(kReopenMs) || !line_.open(device_)) return false;
    if (report_) report_(device_ + " is open");
    return true;
}

void Simulator::handle(const std::vector<uint8_t>& bytes) {
    Answer answer;
    {
        std::lock_guard lock(mutex_);
        answer = controller_.receive(bytes.data(), bytes.size(), platform::monotonicMs());
    }
    if (trace_) trace_(answer.trace);
    if (answer.bytes.empty()) return;
    if (answer.delayMs > 0 && !waitWhileRunning(answer.delayMs)) return;
    line_.write(answer.bytes.data(), answer.bytes.size());
    answered_.fetch_add(1);
}

// A late answer is held back in real time, whatever clock the model runs on.
bool Simulator::waitWhileRunning(int ms) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until) {
        if (stopping_.load()) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

}  // namespace sim
