// A writer killed at any moment must leave a volume that SQLite finds sound and that holds every
// record whose write had returned.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <set>

#include "platform/files/files.h"
#include "screens/warnings/shutdown_history.h"
#include "support/temp_dir.h"

namespace warnings {
namespace {

const platform::LocalTime kBase{2024, 3, 0, 1, 0, 0, 0, 0};
constexpr uint64_t kFileTimeUnitsPerSecond = 10'000'000;

constexpr uint32_t kReady = UINT32_MAX;

// Records operator events one second apart from `first` on, reporting when it starts and then
// each number whose write returned, until it is killed.
[[noreturn]] void recordUntilKilled(int report, uint32_t first) {
    platform::useManualClock(kBase);
    platform::advanceManualClock(int64_t{first} * 1000);
    if (write(report, &kReady, sizeof kReady) != sizeof kReady) _exit(3);
    for (uint32_t sequence = first;; ++sequence) {
        if (!recordOperatorEvent()) _exit(2);
        if (write(report, &sequence, sizeof sequence) != sizeof sequence) _exit(3);
        platform::advanceManualClock(1000);
    }
}

std::string integrityOf(const std::string& path) {
    sqlite3* db = nullptr;
    std::string result = "cannot open";
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* check = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
        result = sqlite3_step(check) == SQLITE_ROW
                     ? reinterpret_cast<const char*>(sqlite3_column_text(check, 0))
                     : sqlite3_errmsg(db);
        sqlite3_finalize(check);
    }
    sqlite3_close(db);
    return result;
}

std::set<uint32_t> storedSequences() {
    std::vector<ShutdownRecord> records;
    EXPECT_TRUE(readShutdownHistory(kSortByDateTime, records));
    const platform::FileTime base = platform::localTimeToFileTime(kBase);
    std::set<uint32_t> sequences;
    for (const ShutdownRecord& r : records) {
        sequences.insert(static_cast<uint32_t>((r.time - base) / kFileTimeUnitsPerSecond));
    }
    return sequences;
}

TEST(ShutdownHistoryCrash, KilledWritersLeaveASoundVolumeWithEveryReturnedRecord) {
    testsupport::TempDir dir;
    platform::configureDevicePaths(dir.str(), "");
    platform::createFolder("\\Hard Disk");
    ASSERT_TRUE(openShutdownHistory());
    const std::string volume = platform::hostPath(kHistoryVolume);

    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, 20'000);

    std::set<uint32_t> confirmed;
    uint32_t next = 0;
    int kills = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (kills < 200 && std::chrono::steady_clock::now() < deadline) {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeEnds[0]);
            recordUntilKilled(pipeEnds[1], next);
        }
        close(pipeEnds[1]);
        uint32_t sequence = 0;
        ASSERT_EQ(read(pipeEnds[0], &sequence, sizeof sequence),
                  static_cast<ssize_t>(sizeof sequence));
        ASSERT_EQ(sequence, kReady);
        usleep(static_cast<useconds_t>(delayUs(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself, status " << status;
        ++kills;
        while (read(pipeEnds[0], &sequence, sizeof sequence) == sizeof sequence)
            confirmed.insert(sequence);
        close(pipeEnds[0]);

        ASSERT_EQ(integrityOf(volume), "ok") << "after kill " << kills;
        const std::set<uint32_t> stored = storedSequences();
        for (uint32_t c : confirmed)
            ASSERT_EQ(stored.count(c), 1u) << "record " << c << " lost, kill " << kills;
        next = stored.empty() ? 0 : *stored.rbegin() + 1;
    }
    EXPECT_GT(kills, 20);
    EXPECT_FALSE(confirmed.empty());
    std::printf("%d kills, %zu records confirmed\n", kills, confirmed.size());
}

}  // namespace
}  // namespace warnings
