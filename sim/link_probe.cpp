// orvane-link-probe: holds an exchange with a controller on DEVICE the way the display paces it
// (a cycle every 350 ms, the clock every second) and reports dropped frames and a round trip of
// one edit. For checking the line and the simulator without the display.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "link/controller_link.h"
#include "platform/clock/clock.h"

namespace {

void sendClock(dryer::DryerState& state) {
    const platform::LocalTime now = platform::localNow();
    const int parts[5] = {now.minute, now.hour, now.day, now.month, now.year % 100};
    for (int i = 0; i < 5; ++i)
        state.edit.clock(i).set(parts[i]);
    state.commitEdit(state.pending.clock());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fputs("usage: orvane-link-probe DEVICE [SECONDS]\n", stderr);
        return 2;
    }
    const int seconds = argc == 3 ? std::atoi(argv[2]) : 60;
    dryer::DryerState& state = dryer::dryerState();
    dryer::ControllerLink link(state);
    link.setReporter([](const std::string& line) {
        std::fprintf(stderr, "orvane-link-probe: %s\n", line.c_str());
    });
    if (!link.openControllerLink(std::string(argv[1]))) return 1;
    using Clock = std::chrono::steady_clock;
    auto next = Clock::now();
    bool editSent = false;
    for (int tick = 1; tick <= seconds * 1000 / 175; ++tick) {
        next += std::chrono::milliseconds(175);
        std::this_thread::sleep_until(next);
        if (tick % 2 == 0) link.signalExchange();
        if ((tick * 175) / 1000 == ((tick - 1) * 175) / 1000) continue;
        sendClock(state);
        dryer::countDownSecond(state.linkAliveSeconds);
        if (!editSent && link.goodFrames() > 0) {
            // One round trip: a new grain setpoint, confirmed when the controller reports it.
            state.beginEdit(state.status.grainTempSetpoint());
            state.edit.grainTempSetpoint().set(state.status.grainTempSetpoint().get() + 1);
            state.commitEdit(state.pending.grainTempSetpoint());
            editSent = true;
        }
    }
    link.stop();
    const uint64_t cycles = link.completedCycles();
    const uint64_t good = link.goodFrames();
    const uint64_t dropped = cycles > good ? cycles - 1 - good : 0;
    const bool confirmed = editSent && !state.pending.grainTempSetpoint().raised();
    std::printf("cycles %llu, status frames taken %llu, dropped %llu, link alive %u s, edit %s\n",
                static_cast<unsigned long long>(cycles), static_cast<unsigned long long>(good),
                static_cast<unsigned long long>(dropped), state.linkAliveSeconds.load(),
                confirmed ? "confirmed" : "NOT confirmed");
    return dropped == 0 && confirmed ? 0 : 1;
}
