// The display's link to a controller whose serial device goes away and comes back: a
// pseudo-terminal pair behind a stable name (as a udev rule names a USB adapter). Pulling removes
// the name and closes the pair; plugging in makes a new pair with a new simulator and the name
// again. Cycles run back to back; each wait is for an event, bounded.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "link/controller_link.h"
#include "sim/simulator.h"
#include "support/temp_dir.h"

namespace {
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kGrainSetpointAddress = 149;
constexpr auto kBackWithin = std::chrono::seconds(5);

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (Clock::now() >= until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

class LinkRecovery : public ::testing::Test {
  protected:
    void SetUp() override {
        link.setReporter([this](const std::string& line) {
            std::lock_guard lock(reportMutex);
            reports.push_back(line);
        });
    }
    void TearDown() override {
        link.stop();
        simulator.reset();
    }

    void plugIn() {
        pty = std::make_unique<platform::PtyPair>();
        ASSERT_TRUE(platform::openPtyPair(*pty));
        simulator = std::make_unique<sim::Simulator>();
        ASSERT_TRUE(simulator->start(std::move(pty->controller)));
        fs::create_symlink(pty->devicePath, device);
    }

    void pull() {
        fs::remove(device);
        simulator.reset();  // closes the controller's end: the display's end hangs up
        pty.reset();
    }

    // One exchange cycle, then the simulator's answer on its way back. While the port is away
    // the warning window would ask for a resync at every paint; so does this.
    void cycle() {
        const uint64_t done = link.completedCycles();
        const uint64_t answered = simulator ? simulator->framesAnswered() : 0;
        link.signalExchange();
        ASSERT_TRUE(waitUntil([&] { return link.completedCycles() > done; }, 2000));
        if (!link.portOpen()) {
            state.resyncRequest.store(1);
            waitUntil([&] { return link.portOpen(); }, 20);
        } else if (simulator &&
                   waitUntil([&] { return simulator->framesAnswered() > answered; }, 500)) {
            link.inputWaiting(500);
        }
    }

    // Cycles until `done` holds; the time it took, or a failure after `limit`.
    Clock::duration cycleUntil(const std::function<bool()>& done, Clock::duration limit) {
        const auto start = Clock::now();
        while (!done() && Clock::now() - start < limit)
            cycle();
        EXPECT_TRUE(done());
        return Clock::now() - start;
    }

    // Pulls the device, edits the grain setpoint while it is away, plugs it back and waits for
    // the edit to reach the controller: within 5 s of the device's return.
    Clock::duration pullEditAndReturn(int value) {
        pull();
        cycleUntil([&] { return !link.portOpen(); }, std::chrono::seconds(2));
        state.beginEdit(state.status.grainTempSetpoint());
        state.edit.grainTempSetpoint().set(value);
        state.commitEdit(state.pending.grainTempSetpoint());
        for (int i = 0; i < 3; ++i)
            cycle();
        EXPECT_TRUE(state.pending.grainTempSetpoint().raised());
        plugIn();
        const uint64_t good = link.goodFrames();
        const auto took = cycleUntil(
            [&] {
                return simulator->parameter(kGrainSetpointAddress) == value &&
                       link.goodFrames() > good;
            },
            kBackWithin);
        cycleUntil([&] { return !state.pending.grainTempSetpoint().raised(); },
                   std::chrono::seconds(2));
        EXPECT_EQ(state.status.grainTempSetpoint().get(), value);
        return took;
    }

    std::vector<std::string> reported() {
        std::lock_guard lock(reportMutex);
        return reports;
    }

    testsupport::TempDir dir;
    const std::string device = dir.str() + "/orvane-controller";
    dryer::DryerState state;
    dryer::ControllerLink link{state};
    std::unique_ptr<platform::PtyPair> pty;
    std::unique_ptr<sim::Simulator> simulator;
    std::mutex reportMutex;
    std::vector<std::string> reports;
};

TEST_F(LinkRecovery, ADeviceMissingAtStartOrPulledIsOpenedAgainAndThePendingEditGoesOut) {
    EXPECT_FALSE(link.openControllerLink(device));
    ASSERT_EQ(reported().size(), 1u);
    EXPECT_EQ(reported()[0], "cannot open the controller line " + device +
                                 ": No such file or directory; trying again every 2 s");
    for (int i = 0; i < 3; ++i)
        cycle();  // the cycles run on while the device is missing

    plugIn();
    const auto first = cycleUntil([&] { return link.goodFrames() > 0; }, kBackWithin);
    EXPECT_LT(first, kBackWithin);
    ASSERT_EQ(reported().size(), 2u);
    EXPECT_EQ(reported()[1], "the controller line " + device + " is open");

    const int value = state.status.grainTempSetpoint().get() + 7;
    EXPECT_LT(pullEditAndReturn(value), kBackWithin);
    const auto lines = reported();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].rfind("the controller line " + device + " is gone (", 0), 0u) << lines[2];
    EXPECT_EQ(lines[3], "the controller line " + device + " is open");
}

TEST_F(LinkRecovery, SurvivesTenPullsInARow) {
    plugIn();
    ASSERT_TRUE(link.openControllerLink(device));
    cycleUntil([&] { return link.goodFrames() > 0; }, kBackWithin);
    const int base = state.status.grainTempSetpoint().get();
    for (int pullNo = 1; pullNo <= 10; ++pullNo) {
        EXPECT_LT(pullEditAndReturn(base + pullNo), kBackWithin) << "pull " << pullNo;
    }
    EXPECT_EQ(reported().size(), 20u);  // once on each loss, once on each return
}

}  // namespace
