// Costs of the shutdown history: one recording (mount, write with its syncs, dismount) and the
// list fill and the USB export of a history of 10 000 records. The volume lies in TMPDIR; run
// once on a disk and once on a RAM disk to see the part the syncs take.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

#include "platform/files/files.h"
#include "screens/warnings/shutdown_history.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kRecords = 10'000;

const char* const kNodes[] = {"DISPLAY I/O", "FAN/HEATER #1", "FAN/HEATER #3", "MAIN I/O",
                              "MOISTURE CONT"};

// A history of kRecords records, filled in one transaction straight into the volume's record
// table (recording them one by one would take minutes of syncs).
class History {
  public:
    History() {
        platform::configureDevicePaths(dir_.str(), "");
        platform::createFolder("\\Hard Disk");
        platform::createFolder("\\Hard Disk2");
        platform::useManualClock(platform::LocalTime{2024, 1, 0, 1, 6, 0, 0, 0});
        warnings::openShutdownHistory();
        sqlite3* db = nullptr;
        sqlite3_open(platform::hostPath(warnings::kHistoryVolume).c_str(), &db);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO records_1(p1, p2, p3) VALUES (?, ?, ?)", -1, &insert,
                           nullptr);
        const platform::FileTime start = platform::localTimeToFileTime(platform::localNow());
        for (int i = 0; i < kRecords; ++i) {
            const std::string warning = std::to_string(i % 97) +
                                        " TEMPERATURE HIGH LIMIT SWITCH OPEN - CHECK WIRING " +
                                        std::to_string(i % 13);
            sqlite3_bind_text(insert, 1, warning.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 2, kNodes[i % 5], -1, SQLITE_STATIC);
            sqlite3_bind_int64(insert, 3,
                               static_cast<sqlite3_int64>(start + uint64_t(i) * 1'370'000'000));
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }

  private:
    testsupport::TempDir dir_;
};

void BM_RecordShutdown(benchmark::State& state) {
    History history;
    for (auto _ : state)
        benchmark::DoNotOptimize(warnings::recordOperatorEvent());
}
BENCHMARK(BM_RecordShutdown)->Unit(benchmark::kMillisecond);

void BM_List10000(benchmark::State& state) {
    History history;
    for (auto _ : state) {
        const auto rows = warnings::listShutdownHistory(static_cast<int>(state.range(0)));
        if (rows.size() != kRecords) state.SkipWithError("records missing");
    }
}
BENCHMARK(BM_List10000)
    ->Arg(warnings::kSortByWarning)
    ->Arg(warnings::kSortByDateTime)
    ->Unit(benchmark::kMillisecond);

void BM_Export10000(benchmark::State& state) {
    History history;
    for (auto _ : state) {
        if (!warnings::exportShutdownHistory().written) state.SkipWithError("export failed");
    }
}
BENCHMARK(BM_Export10000)->Unit(benchmark::kMillisecond);

}  // namespace
