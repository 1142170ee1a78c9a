// A writer process killed at random moments, again and again: every log file stays readable, the
// records form one unbroken sequence, and nothing the writer had finished is lost.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <thread>

#include "log_fixture.h"
#include "logging/graph_log.h"
#include "logging/long_term_log.h"
#include "logging/short_term_log.h"

namespace logging {
namespace {

constexpr int kRounds = 80;
// Records a settled round's writer finishes before its cut: 40 such rounds take the short-term
// log (144 records a file) and the graph log past a file's end.
constexpr int kSettleRecords = 5;
const std::string kHeaderLine =
    "Date,Time,Grain Column Temp,Moist In,Grain Temp In,Moist Out,Grain Temp Out,MR Speed,BPH";

struct Next {
    int graph = 0;
    int shortTerm = 0;
    int csv = 0;
};

LongTermSample csvSample(int seq) {
    LongTermSample s;
    s.values.grainColumnTemp = static_cast<uint16_t>(seq);
    s.values.moistureIn = 152;
    s.time = at(2024, 3, 4, 13, 30, 0);
    return s;
}

// Runs in the child: appends to all three logs until killed, telling the parent after each
// completed round of appends.
[[noreturn]] void writeUntilKilled(int ackFd, const Next& next, int round) {
    platform::useManualClock(at(2024, 3, 4, 0, 0, 0));
    platform::advanceManualClock(int64_t{round} * 10'000'000);  // file names never repeat
    ResetLogStateForRun();
    UpdateDryerRunningForLog(true);
    int fill = 0;
    for (int i = 0;; ++i) {
        platform::advanceManualClock(1000);
        const bool ok =
            AppendGraphSample(taggedSample(next.graph + i)) &&
            AppendShortTermSample(taggedSample(next.shortTerm + i)) &&
            WriteLongTermRecord(csvSample(next.csv + i), fill) == LongTermResult::Written;
        if (!ok || ::write(ackFd, &i, sizeof i) != sizeof i) _exit(3);
    }
}

// The stored samples of a log, oldest first, as tags; checks that every file is whole samples
// (a torn tail may be left by a cut) and that the log is not more than two files.
std::vector<int> storedTags(const std::string& folder, const std::string& pattern) {
    std::vector<int> tags;
    const auto files = platform::listFolder(pattern);
    EXPECT_LE(files.size(), 2u) << pattern;
    for (const auto& file : files) {
        auto bytes = platform::readWholeFile(folder + "\\" + file.name, 1 << 20);
        EXPECT_TRUE(bytes.has_value()) << file.name;
        if (!bytes) continue;
        for (size_t at = 0; at + kDryerSampleSize <= bytes->size(); at += kDryerSampleSize) {
            DryerSample s;
            std::copy_n(bytes->begin() + static_cast<ptrdiff_t>(at), kDryerSampleSize,
                        s.bytes.begin());
            tags.push_back(tagOf(s));
        }
    }
    return tags;
}

// The sequence numbers of the CSV records; every line is empty, a header, a whole record, or a
// record cut short by the kill and followed by the next run's header.
std::vector<int> csvSequence(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    std::vector<int> seq;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty() || line == kHeaderLine) continue;
        int year, month, day, hour, minute, second, column, whole, tenths;
        char half;
        const int got =
            std::sscanf(line.c_str(), "%d-%d-%d,%d:%d:%d%cM,%d,%d.%d,0.0,0.0,0.0,0,0", &year,
                        &month, &day, &hour, &minute, &second, &half, &column, &whole, &tenths);
        const std::string rebuilt = FormatLongTermRecord(csvSample(column));
        if (got == 10 && line + "\r\n" == rebuilt) {
            seq.push_back(column);
        } else {
            const bool tornBeforeHeader = i + 1 < lines.size() && lines[i + 1] == kHeaderLine;
            EXPECT_TRUE(tornBeforeHeader || i + 1 == lines.size()) << "bad line: " << line;
        }
    }
    return seq;
}

void expectConsecutive(const std::vector<int>& tags, const char* log) {
    for (size_t i = 1; i < tags.size(); ++i) {
        ASSERT_EQ(tags[i], tags[i - 1] + 1) << log << " at " << i;
    }
}

// The last sequence number found, checked against what the writer had finished (`acked`):
// nothing finished is missing, and at most the one record in flight went further.
int checkLast(const std::vector<int>& tags, int next, int acked, const char* log) {
    const int last = tags.empty() ? -1 : tags.back();
    EXPECT_GE(last, next + acked) << log;
    EXPECT_LE(last, next + acked + 1) << log;
    return last + 1;
}

// The kills test process death, not the disk: on a memory file system the writers get through
// many more records in the same time.
class PowerCut : public LogTest {
  protected:
    void SetUp() override {
        LogTest::SetUp();
        if (!std::filesystem::is_directory("/dev/shm")) return;
        memoryRoot =
            std::filesystem::path("/dev/shm") / ("orvane-power-cut-" + std::to_string(::getpid()));
        std::filesystem::create_directories(memoryRoot / "Hard Disk");
        platform::configureDevicePaths(memoryRoot.string(), "");
    }
    void TearDown() override {
        if (!memoryRoot.empty()) std::filesystem::remove_all(memoryRoot);
        LogTest::TearDown();
    }
    std::filesystem::path base() const { return memoryRoot.empty() ? root.path() : memoryRoot; }
    void write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::create_directories((base() / relative).parent_path());
        std::ofstream(base() / relative, std::ios::binary) << bytes;
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(base() / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::filesystem::path memoryRoot;
};

TEST_F(PowerCut, KilledWritersLeaveEveryLogReadableAndLoseNoFinishedRecord) {
    // An older full graph file and a current one near its end, so the writers roll files over.
    write("Hard Disk/GraphDataLog/GRAPH_DATA_LOG_24HR24_01_01_00_00_00.DAT", taggedRun(0, 8640));
    write("Hard Disk/GraphDataLog/GRAPH_DATA_LOG_24HR24_01_02_00_00_00.DAT", taggedRun(8640, 8600));
    Next next{8640 + 8600, 0, 0};
    std::mt19937 random(12345);
    int finished = 0;
    for (int round = 0; round < kRounds; ++round) {
        int pipeFds[2];
        ASSERT_EQ(::pipe(pipeFds), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(pipeFds[0]);
            writeUntilKilled(pipeFds[1], next, round);
        }
        ::close(pipeFds[1]);
        // Every other round the cut waits until the writer has finished a few records, so the
        // logs roll over however slow the machine is; the other rounds may cut the first record.
        const int settle = round % 2 == 0 ? kSettleRecords : 0;
        int acked = -1, i = 0;
        while (acked + 1 < settle && ::read(pipeFds[0], &i, sizeof i) == sizeof i)
            acked = i;
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 20000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
        while (::read(pipeFds[0], &i, sizeof i) == sizeof i)
            acked = i;
        ::close(pipeFds[0]);
        finished += acked + 1;

        const auto graph = storedTags(kGraphLogFolder, kGraphLogPattern);
        const auto shortTerm = storedTags(ShortTermFolder(), ShortTermPattern());
        const auto csv = csvSequence(read("Hard Disk/DataLog/LongTermDataLog.csv"));
        expectConsecutive(graph, "graph");
        expectConsecutive(shortTerm, "short-term");
        expectConsecutive(csv, "csv");
        ASSERT_FALSE(csv.empty() && acked >= 0);
        if (!csv.empty()) {
            ASSERT_EQ(csv.front(), 0);
        }
        next.graph = checkLast(graph, next.graph, acked, "graph");
        next.shortTerm = checkLast(shortTerm, next.shortTerm, acked, "short-term");
        next.csv = checkLast(csv, next.csv, acked, "csv");
        ASSERT_FALSE(HasFailure()) << "round " << round;

        // The readers of the screens read what is there.
        ASSERT_TRUE(ReadGraphWindow(0));
        EXPECT_EQ(tagOf(GraphWindowSample(359)), next.graph - 1);
        DryerSample newest;
        if (next.shortTerm > 0) {
            ASSERT_EQ(ReadShortTermRecords(1, &newest, 0), 1);
            EXPECT_EQ(tagOf(newest), next.shortTerm - 1);
        }
    }
    EXPECT_GT(finished, kRounds) << "the writers hardly wrote: the kills came too early";
    EXPECT_GT(next.shortTerm, 144) << "the short-term log never rolled over";
    EXPECT_GT(next.graph, 2 * 8640) << "the graph log never rolled over";
    std::printf("%d rounds, %d records finished\n", kRounds, finished);
}

}  // namespace
}  // namespace logging
