#include "link/controller_link.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame_builder.h"
#include "link/crc.h"

namespace dryer {
namespace {

using testing::StatusFrameBuilder;

// The controller's end of a pseudo-terminal whose other end the link drives by hand.
class ExchangeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(platform::openPtyPair(pty));
        platform::SerialPort port;
        ASSERT_TRUE(port.open(pty.devicePath));
        link.attachPort(std::move(port));
    }

    void controllerSends(const uint8_t* bytes, size_t n) {
        ASSERT_TRUE(pty.controller.write(bytes, n));
        ASSERT_TRUE(link.inputWaiting(2000));
    }

    // The frame the link wrote in its last cycle.
    std::vector<uint8_t> lineFrame() {
        std::vector<uint8_t> got;
        uint8_t buf[256];
        size_t expected = 1;
        while (got.size() < expected && pty.controller.waitReadable(2000)) {
            const long n = pty.controller.readAvailable(buf, sizeof buf);
            if (n <= 0) break;
            got.insert(got.end(), buf, buf + n);
            expected = got[0] == 0x06 ? 4 : got[0];
        }
        return got;
    }

    // 'R' resync, 'I' idle, 'C' command frame; checks each frame's CRC.
    char cycle() {
        link.exchangeCycle();
        const std::vector<uint8_t> f = lineFrame();
        if (f.size() == 4 && f[0] == 0x06 && checkCrc(f.data(), 2)) return 'R';
        if (f.size() < 4 || f.size() != f[0] || !checkCrc(f.data(), f.size() - 2)) return '?';
        if (f.size() == 7 && f[1] == 0) return 'I';
        return f[1] > 0 ? 'C' : '?';
    }

    DryerState state;
    platform::PtyPair pty;
    ControllerLink link{state};
};

TEST_F(ExchangeTest, OnlyWholeFramesWithAGoodCrcAreTakenAndEveryCycleAnswers) {
    StatusFrameBuilder good;
    good.put(149, {110, 0});
    const uint8_t* bytes = good.sealed();

    state.linkAliveSeconds.store(3);
    controllerSends(bytes, 330);
    EXPECT_EQ(cycle(), 'I');
    std::vector<uint8_t> corrupt(bytes, bytes + kStatusFrameSize);
    corrupt[200] ^= 1;
    controllerSends(corrupt.data(), corrupt.size());
    EXPECT_EQ(cycle(), 'I');
    EXPECT_EQ(state.linkAliveSeconds.load(), 3u);
    EXPECT_EQ(state.status.grainTempSetpoint().get(), 0);

    // A good frame split around a cycle: the first part is dropped, the purge eats the rest.
    controllerSends(bytes, 200);
    EXPECT_EQ(cycle(), 'I');
    controllerSends(bytes + 200, kStatusFrameSize - 200);
    EXPECT_EQ(cycle(), 'I');
    EXPECT_EQ(state.status.grainTempSetpoint().get(), 0);

    controllerSends(bytes, kStatusFrameSize);
    EXPECT_EQ(cycle(), 'I');
    EXPECT_EQ(state.linkAliveSeconds.load(), 10u);
    EXPECT_EQ(state.status.grainTempSetpoint().get(), 110);

    // Late bytes that arrive between cycles are purged before the next write.
    state.edit.grainTempSetpoint().set(120);
    state.commitEdit(state.pending.grainTempSetpoint());
    EXPECT_EQ(cycle(), 'C');
    EXPECT_EQ(cycle(), 'C');  // sent again until the controller reports it
}

TEST_F(ExchangeTest, LostLinkCarriesOneResyncEightIdleAndOneCommandInTenCycles) {
    std::string line;
    for (int c = 0; c < 31; ++c) {
        // The warning window asks for a resync at every paint while the link is lost, and the
        // one-second tick keeps raising the clock.
        state.resyncRequest.store(1);
        state.pending.clock().raise();
        if (c == 1) {  // an edit made just after the resync frame
            state.edit.fanDelay().set(5);
            state.commitEdit(state.pending.fanDelay());
        }
        line += cycle();
    }
    EXPECT_EQ(line, "RIIIIIIIICRIIIIIIIICRIIIIIIIICR");
    // The edit survives the loss and goes out in every ninth cycle after a resync.
    EXPECT_TRUE(state.pending.fanDelay().raised());

    // A resync asked for while one cycle of hold-off is left waits that cycle.
    state.resyncRequest.store(0);
    state.resyncHoldoff.store(2);
    state.pending.fanDelay().clear();
    state.pending.clock().clear();
    state.resyncRequest.store(1);
    EXPECT_EQ(cycle(), 'I');  // nothing pending: an empty command frame is never sent
    EXPECT_EQ(cycle(), 'R');
}

TEST(ControllerLink, ThreadRunsOneCycleForEachSignalAndStops) {
    DryerState state;
    ControllerLink link(state);
    link.signalExchange();  // before opening: nothing happens
    platform::SerialPort closed;
    EXPECT_FALSE(link.openControllerLink(std::move(closed)));

    platform::PtyPair pty;
    ASSERT_TRUE(platform::openPtyPair(pty));
    ASSERT_TRUE(link.openControllerLink(pty.devicePath));
    EXPECT_FALSE(link.openControllerLink(pty.devicePath));  // once
    state.pending.clock().raise();
    link.signalExchange();
    uint8_t buf[64];
    std::vector<uint8_t> got;
    while (got.size() < 12 && pty.controller.waitReadable(2000)) {
        const long n = pty.controller.readAvailable(buf, sizeof buf);
        ASSERT_GT(n, 0);
        got.insert(got.end(), buf, buf + n);
    }
    ASSERT_EQ(got.size(), 12u);
    EXPECT_EQ(got[0], 12);
    EXPECT_EQ(got[3], 53);
    link.stop();
    EXPECT_EQ(link.completedCycles(), 1u);
    link.signalExchange();  // after stopping: nothing happens
}

}  // namespace
}  // namespace dryer
