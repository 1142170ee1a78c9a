#include "screens/warnings/shutdown_history.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include "i18n/language.h"
#include "i18n/text.h"
#include "link/frame_builder.h"
#include "link/status_decoder.h"
#include "logging/graph_log.h"
#include "platform/files/files.h"
#include "platform/store/store.h"
#include "support/temp_dir.h"

namespace warnings {
namespace {

using platform::LocalTime;

constexpr int64_t kMinute = 60'000;

// A warning text with a character outside the basic plane (two UTF-16 units) at units 98 and 99,
// so that the list's cut at 99 falls inside it; 200 units long, so that it is stored cut.
const std::string kLongWarning = std::string(98, 'w') + "\xF0\x9F\x94\xA5" + std::string(100, 'x');

class ShutdownHistoryTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::configureDevicePaths(dir.str(), "");
        platform::createFolder("\\Hard Disk");
        platform::createFolder("\\Hard Disk2");
        writeWarnings("WarningsFH4.txt", {"", "", "", "0503 HIGH LIMIT"});  // node 5
        writeWarnings("WarningsFH1.txt", {"", "C: FAN MOTOR OVERLOAD"});    // node 2
        writeWarnings("WarningsMIO.txt",
                      {"", "", "B: AUGER OVERLOAD", "", "", "", "", "0E07 WET"});   // node 14
        writeWarnings("WarningsMC.txt", {"", "alarm: sensor open", kLongWarning});  // node 15
        i18n::ResetLocalization();
        platform::useManualClock(LocalTime{2024, 1, 0, 5, 13, 7, 0, 0});
        ASSERT_TRUE(openShutdownHistory());
        state.hooks.setShutdownRecorder(
            [](uint8_t node, uint8_t warning) { recordShutdown(node, warning); });
    }
    void TearDown() override {
        platform::useRealClock();
        i18n::ResetLocalization();
    }

    // An English warnings file: UTF-16 little-endian after its byte-order mark, lines ended by CR
    // LF.
    void writeWarnings(const std::string& name, std::initializer_list<std::string> lines) {
        std::string bytes = "\xFF\xFE";
        for (const std::string& line : lines) {
            for (char16_t unit : i18n::toUtf16(line + "\r\n")) {
                bytes += static_cast<char>(unit & 0xFF);
                bytes += static_cast<char>(unit >> 8);
            }
        }
        dir.write("Hard Disk/Languages/EN/" + name, bytes);
    }

    // The controller reports a shutdown pair (warning 0: none) in a status frame.
    void report(uint8_t node, uint8_t warning) {
        frame.put(185, {warning, node});
        dryer::decodeStatusFrame(state, frame.sealed());
    }
    // Seconds pass: the one-second tick counts the repeat guard down.
    void seconds(int n) {
        for (int i = 0; i < n; ++i) {
            dryer::countDownSecond(state.recordSuppressSeconds);
            platform::advanceManualClock(1000);
        }
    }

    std::string exported() const { return dir.read("Hard Disk2/DryerShutdownHistory.txt"); }

    testsupport::TempDir dir;
    dryer::DryerState state;
    dryer::testing::StatusFrameBuilder frame;
};

TEST_F(ShutdownHistoryTest, ReportedShutdownsAreRecordedOnceUntilTheGuardRunsOut) {
    report(5, 3);
    EXPECT_EQ(shutdownHistoryCount(), 1u);
    seconds(20);
    report(5, 3);  // still on the line: unchanged, nothing
    report(0, 0);
    seconds(30);
    report(5, 3);  // back 50 s after its record
    EXPECT_EQ(shutdownHistoryCount(), 1u);
    report(0, 0);
    seconds(51);
    report(5, 3);  // back 101 s after its record
    EXPECT_EQ(shutdownHistoryCount(), 2u);

    // Two shutdowns taking turns every few seconds are each recorded every time.
    for (int turn = 0; turn < 2; ++turn) {
        seconds(3);
        report(14, 7);
        seconds(3);
        report(5, 3);
    }
    EXPECT_EQ(shutdownHistoryCount(), 6u);

    report(9, 0);  // another node, no warning: taken over, nothing recorded
    EXPECT_EQ(state.status.shutdownNodeId().get(), 9);
    EXPECT_EQ(shutdownHistoryCount(), 6u);

    const std::vector<HistoryRow> rows = listShutdownHistory(kSortByDateTime);
    ASSERT_EQ(rows.size(), 6u);
    EXPECT_EQ(rows[0].warning, "0503 HIGH LIMIT");
    EXPECT_EQ(rows[0].node, "FAN/HEATER #4");
    EXPECT_EQ(rows[1].warning, "0E07 WET");
    EXPECT_EQ(rows[1].node, "MAIN I/O");
    EXPECT_EQ(rows[5].time, "1:07 PM");
    EXPECT_EQ(rows[4].time, "1:08 PM");  // 101 s later
}

TEST_F(ShutdownHistoryTest, SortOrdersListTheirKeysFromLastToFirst) {
    ASSERT_TRUE(recordShutdown(14, 2));  // "B: AUGER OVERLOAD", "MAIN I/O"
    platform::advanceManualClock(kMinute);
    ASSERT_TRUE(recordShutdown(2, 1));  // "C: FAN MOTOR OVERLOAD", "FAN/HEATER #1"
    platform::advanceManualClock(kMinute);
    ASSERT_TRUE(recordShutdown(15, 1));  // "alarm: sensor open", "MOISTURE CONT"
    platform::advanceManualClock(kMinute);
    ASSERT_TRUE(recordOperatorEvent());  // "User Accepted ...", "Global"

    auto column = [](int order, std::string HistoryRow::*field) {
        std::string out;
        for (const HistoryRow& row : listShutdownHistory(order))
            out += (row.*field).substr(0, 2) + " ";
        return out;
    };
    // Case-sensitive: the small "alarm" after every capital.
    EXPECT_EQ(column(kSortByWarning, &HistoryRow::warning), "al Us C: B: ");
    EXPECT_EQ(column(kSortByNodeId, &HistoryRow::node), "MO MA Gl FA ");
    EXPECT_EQ(column(kSortByDateTime, &HistoryRow::time), "1: 1: 1: 1: ");
    EXPECT_EQ(column(kSortByDateTime, &HistoryRow::warning), "Us al C: B: ");
}

TEST_F(ShutdownHistoryTest, WarningTextsAreKeptAt149CharactersAndListedAt99) {
    ASSERT_TRUE(recordShutdown(15, 2));
    platform::advanceManualClock(kMinute);
    ASSERT_TRUE(recordShutdown(8, 1));  // a node without a warnings table
    platform::advanceManualClock(kMinute);
    ASSERT_TRUE(recordShutdown(0, 4));  // a value that names no device
    std::vector<ShutdownRecord> records;
    ASSERT_TRUE(readShutdownHistory(kSortByDateTime, records));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(i18n::charCount(records[0].warning), kStoredWarningChars);
    EXPECT_EQ(records[0].warning, i18n::firstChars(kLongWarning, kStoredWarningChars));
    EXPECT_EQ(records[0].node, "MOISTURE CONT");
    EXPECT_EQ(records[1].warning, "");
    EXPECT_EQ(records[1].node, "FAN/HEATER INT #1");
    EXPECT_EQ(records[2].node, "");

    const std::vector<HistoryRow> rows = listShutdownHistory(kSortByDateTime);
    // The pair that would straddle the cut goes whole.
    EXPECT_EQ(rows[2].warning, std::string(98, 'w'));
}

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

TEST_F(ShutdownHistoryTest, StaleJournalGoesAtStartOnceTheVolumeOpenedCleanly) {
    ASSERT_TRUE(recordOperatorEvent());
    dir.write("Hard Disk/ShutdownHistoryDB-journal", std::string(4096, '\0'));
    ASSERT_TRUE(openShutdownHistory());
    EXPECT_FALSE(platform::fileInfo("\\Hard Disk\\ShutdownHistoryDB-journal").has_value());
    EXPECT_EQ(shutdownHistoryCount(), 1u);
}

// Graph samples every 10 s from h1:m1 to h2:m2 of the test's day, grain column temperature
// counting up from `first`.
void logGraphSamples(int h1, int m1, int h2, int m2, int first) {
    for (int t = (h1 * 60 + m1) * 60, v = first; t <= (h2 * 60 + m2) * 60; t += 10, ++v) {
        logging::LogValues values;
        values.grainColumnTemp = static_cast<uint16_t>(v);
        values.grainTempIn = -25;
        const LocalTime at{2024, 1, 0, 5, t / 3600, t / 60 % 60, t % 60, 0};
        ASSERT_TRUE(logging::AppendGraphSample(logging::makeDryerSample(values, at)));
    }
}

TEST_F(ShutdownHistoryTest, ShutdownKeepsTheHalfHourOfGraphSamplesBeforeIt) {
    logGraphSamples(11, 0, 11, 20, 1000);  // an earlier run, more than half an hour back
    logGraphSamples(12, 50, 13, 7, 100);
    report(5, 3);
    seconds(1);
    ASSERT_TRUE(recordOperatorEvent());
    const std::vector<HistoryRow> rows = listShutdownHistory(kSortByWarning);
    ASSERT_EQ(rows.size(), 2u);
    const HistoryRow& shutdown = rows[0].node == kOperatorEventNode ? rows[1] : rows[0];
    const HistoryRow& event = rows[0].node == kOperatorEventNode ? rows[0] : rows[1];
    const std::vector<logging::DryerSample> box = readBlackBox(shutdown.stamp);
    ASSERT_EQ(box.size(), 103u);  // 12:50:00 to 13:07:00
    EXPECT_EQ(box.front().grainColumnTemp(), 100);
    EXPECT_EQ(box.back().minute(), 7);
    EXPECT_TRUE(readBlackBox(event.stamp).empty()) << "only shutdowns have one";

    ASSERT_TRUE(exportShutdownHistory().written);
    const std::string csv = dir.read("Hard Disk2/DryerShutdownBlackBox.csv");
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "Shutdown Date Time,Date Time,Grain Column Temp (F),Grain Temp In (F),Moist In (%),"
              "Grain Temp Out (F),Moist Out (%),MR Speed (%)");
    EXPECT_NE(csv.find("\r\n2024-01-05 13:07:00,2024-01-05 12:50:00,100,-2.5,"), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 104);
}

TEST_F(ShutdownHistoryTest, BlackBoxIsReadBackAfterTheDisplayIsKilled) {
    logGraphSamples(12, 30, 13, 7, 100);
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t display = fork();
    ASSERT_GE(display, 0);
    if (display == 0) {
        recordShutdown(5, 3);
        const char done = 1;
        [[maybe_unused]] const auto n = write(ready[1], &done, 1);
        for (;;)
            pause();
    }
    char done = 0;
    ASSERT_EQ(read(ready[0], &done, 1), 1);
    kill(display, SIGKILL);
    waitpid(display, nullptr, 0);
    close(ready[0]);
    close(ready[1]);

    ASSERT_TRUE(openShutdownHistory());
    const std::vector<HistoryRow> rows = listShutdownHistory(kSortByDateTime);
    ASSERT_EQ(rows.size(), 1u);
    const std::vector<logging::DryerSample> box = readBlackBox(rows[0].stamp);
    ASSERT_EQ(box.size(), kBlackBoxSamples);
    EXPECT_EQ(box.back().grainColumnTemp(), 100 + 37 * 6);
    platform::Volume volume;
    ASSERT_EQ(volume.mount(kHistoryVolume), platform::kStoreOk);
    EXPECT_EQ(volume.check(), platform::kStoreOk);
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
