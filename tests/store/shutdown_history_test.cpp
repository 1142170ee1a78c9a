#include "screens/warnings/shutdown_history.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/files/files.h"
#include "platform/store/store.h"
#include "support/temp_dir.h"

namespace warnings {
namespace {

using platform::LocalTime;

constexpr int64_t kMinute = 60'000;

class ShutdownHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::configureDevicePaths(dir.str(), "");
        platform::createFolder("\\Hard Disk");
        platform::createFolder("\\Hard Disk2");
        platform::useManualClock(LocalTime{2024, 1, 0, 5, 13, 7, 0, 0});
        ASSERT_TRUE(openShutdownHistory());
    }
    void TearDown() override { platform::useRealClock(); }

    std::string exported() const { return dir.read("Hard Disk2/DryerShutdownHistory.txt"); }

    testsupport::TempDir dir;
};

TEST_F(ShutdownHistoryTest, EmptyHistoryListsNothingAndExportsNoLine) {
    EXPECT_EQ(shutdownHistoryCount(), 0u);
    EXPECT_TRUE(listShutdownHistory(kSortByDateTime).empty());
    const ExportResult result = exportShutdownHistory();
    EXPECT_TRUE(result.written);
    EXPECT_EQ(result.message, "");
    EXPECT_TRUE(platform::fileInfo(kHistoryExportFile).has_value());
    EXPECT_EQ(exported(), "");
}

TEST_F(ShutdownHistoryTest, ListShowsNewestFirstAndExportOldestFirst) {
    ASSERT_TRUE(recordOperatorEvent());
    platform::advanceManualClock(3 * 60 * kMinute);  // 16:07
    ASSERT_TRUE(recordOperatorEvent());
    platform::setLocalNow(LocalTime{2023, 12, 0, 31, 0, 5, 0, 0});  // earlier than both
    ASSERT_TRUE(recordOperatorEvent());

    const std::vector<HistoryRow> rows = listShutdownHistory(kSortByDateTime);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].date, "Jan 05, 2024");
    EXPECT_EQ(rows[0].time, "4:07 PM");
    EXPECT_EQ(rows[1].time, "1:07 PM");
    EXPECT_EQ(rows[2].date, "Dec 31, 2023");
    EXPECT_EQ(rows[2].time, "12:05 AM");
    EXPECT_EQ(rows[2].warning, "User Accepted Auto-Start MC Setup");
    EXPECT_EQ(rows[2].node, "Global");
    EXPECT_EQ(listShutdownHistory(7).front().time, "4:07 PM");  // any other order is by date/time

    EXPECT_TRUE(exportShutdownHistory().written);
    EXPECT_EQ(exported(),
              "User Accepted Auto-Start MC Setup;Global;Dec 31, 2023;12:05 AM;\n"
              "User Accepted Auto-Start MC Setup;Global;Jan 05, 2024;1:07 PM;\n"
              "User Accepted Auto-Start MC Setup;Global;Jan 05, 2024;4:07 PM;\n");
}

TEST_F(ShutdownHistoryTest, ExportOverALongerOldFileLeavesOnlyTheNewLines) {
    dir.write("Hard Disk2/DryerShutdownHistory.txt", std::string(10'000, 'x') + "\nold line;\n");
    ASSERT_TRUE(recordOperatorEvent());
    EXPECT_TRUE(exportShutdownHistory().written);
    EXPECT_EQ(exported(), "User Accepted Auto-Start MC Setup;Global;Jan 05, 2024;1:07 PM;\n");
}

TEST_F(ShutdownHistoryTest, ExportReportsWhatWentWrong) {
    ASSERT_TRUE(recordOperatorEvent());
    std::filesystem::remove_all(dir.path() / "Hard Disk2");  // no USB drive: nothing to say
    ExportResult result = exportShutdownHistory();
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.message, "");

    platform::createFolder("\\Hard Disk2");
    std::filesystem::rename(dir.path() / "Hard Disk", dir.path() / "Elsewhere");
    result = exportShutdownHistory();
    EXPECT_FALSE(result.written);
    EXPECT_EQ(result.message, "ERROR: CeMountDBVol failed (3)");
    EXPECT_EQ(shutdownHistoryCount(), 0u);
    EXPECT_FALSE(recordOperatorEvent());

    std::filesystem::rename(dir.path() / "Elsewhere", dir.path() / "Hard Disk");
    EXPECT_TRUE(exportShutdownHistory().written);
    EXPECT_EQ(exported(), "User Accepted Auto-Start MC Setup;Global;Jan 05, 2024;1:07 PM;\n");
}

TEST_F(ShutdownHistoryTest, ClearThenRecordKeepsOnlyTheNewRecord) {
    ASSERT_TRUE(recordOperatorEvent());
    ASSERT_TRUE(recordOperatorEvent());
    EXPECT_EQ(shutdownHistoryCount(), 2u);
    ASSERT_TRUE(clearShutdownHistory());
    EXPECT_EQ(shutdownHistoryCount(), 0u);
    EXPECT_TRUE(listShutdownHistory(kSortByDateTime).empty());
    platform::advanceManualClock(kMinute);
    ASSERT_TRUE(recordOperatorEvent());
    const std::vector<HistoryRow> rows = listShutdownHistory(kSortByDateTime);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].time, "1:08 PM");
}

TEST_F(ShutdownHistoryTest, DamagedVolumeIsSetAsideAndRecordingGoesOn) {
    ASSERT_TRUE(recordOperatorEvent());
    const std::string garbage(9000, '\x5a');
    dir.write("Hard Disk/ShutdownHistoryDB", garbage);

    // Found at start-up.
    ASSERT_TRUE(openShutdownHistory());
    EXPECT_EQ(dir.read("Hard Disk/ShutdownHistoryDB.damaged-20240105-130700"), garbage);
    EXPECT_EQ(shutdownHistoryCount(), 0u);
    ASSERT_TRUE(recordOperatorEvent());
    EXPECT_EQ(shutdownHistoryCount(), 1u);

    // Found while recording, in the same second: the second file aside gets its own name.
    dir.write("Hard Disk/ShutdownHistoryDB", garbage);
    ASSERT_TRUE(recordOperatorEvent());
    EXPECT_EQ(dir.read("Hard Disk/ShutdownHistoryDB.damaged-20240105-130700-2"), garbage);
    EXPECT_EQ(shutdownHistoryCount(), 1u);

    // A volume file that went away is made again.
    platform::deleteVolume(kHistoryVolume);
    ASSERT_TRUE(recordOperatorEvent());
    EXPECT_EQ(shutdownHistoryCount(), 1u);
}

TEST_F(ShutdownHistoryTest, RecordingFromAnotherThreadWhileListingAndExporting) {
    constexpr int kRecords = 40;
    std::atomic<bool> done{false};
    std::thread exchange([&] {
        for (int i = 0; i < kRecords; ++i)
            EXPECT_TRUE(recordOperatorEvent());
        done = true;
    });
    size_t seen = 0;
    while (!done) {
        const size_t listed = listShutdownHistory(kSortByWarning).size();
        EXPECT_GE(listed, seen);
        seen = listed;
        EXPECT_TRUE(exportShutdownHistory().written);
    }
    exchange.join();
    EXPECT_EQ(shutdownHistoryCount(), static_cast<uint32_t>(kRecords));
    EXPECT_EQ(listShutdownHistory(kSortByNodeId).size(), static_cast<size_t>(kRecords));
}

}  // namespace
}  // namespace warnings
