#include "platform/sys/sys.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "support/temp_dir.h"

namespace platform {
namespace {

TEST(AutoResetEvent, OneSetReleasesOneWaitAndIsKeptUntilThen) {
    AutoResetEvent event;
    EXPECT_FALSE(event.waitFor(0));
    event.set();
    event.set();  // not counted: still one release
    EXPECT_TRUE(event.waitFor(0));
    EXPECT_FALSE(event.waitFor(0));

    std::atomic<int> released{0};
    std::thread waiter([&] {
        while (event.wait())
            ++released;
    });
    event.set();
    while (released.load() == 0)
        std::this_thread::yield();
    event.close();
    waiter.join();
    EXPECT_EQ(released.load(), 1);
}

TEST(InstanceLock, SecondCopyIsRefusedAndCanAskTheFirstToComeForward) {
    testsupport::TempDir root, other;
    InstanceLock first;
    ASSERT_TRUE(first.acquire(root.str()));
    EXPECT_FALSE(first.takeFrontRequest());

    InstanceLock second;
    EXPECT_FALSE(second.acquire(root.str()));
    EXPECT_TRUE(requestFrontOfFirstInstance(root.str()));
    EXPECT_TRUE(first.takeFrontRequest());
    EXPECT_FALSE(first.takeFrontRequest());

    InstanceLock elsewhere;  // a different panel root runs side by side
    EXPECT_TRUE(elsewhere.acquire(other.str()));

    first.release();
    EXPECT_FALSE(requestFrontOfFirstInstance(root.str()));
    EXPECT_TRUE(second.acquire(root.str()));
}

TEST(SystemStatus, Memory) {
    MemoryStatus m;
    ASSERT_TRUE(readMemoryStatus(m));
    EXPECT_GT(m.totalBytes, 0u);
    EXPECT_LE(m.availableBytes, m.totalBytes);
}

}  // namespace
}  // namespace platform
