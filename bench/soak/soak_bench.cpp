// A day of the display against the simulated controller on the manual clock: the whole program
// wired as orvane-display wires it, logging on, a shutdown every ten minutes, the line paced one
// exchange at a time as on a real panel. Reports resident memory and open files at the start and
// the end, and checks that the logs and the history hold what a day writes: a history holding
// another number of shutdowns than were commanded, a torn sample or a graph log out of its files
// fails the run (exit status 1). Run on its own: `build/bench/soak/soak_bench`.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "link/controller_link.h"
#include "logging/dryer_sample.h"
#include "logging/graph_log.h"
#include "logging/log_ticks.h"
#include "logging/short_term_log.h"
#include "logging/view_settings.h"
#include "platform/backend/headless/panel_harness.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/serial/serial.h"
#include "program/wiring.h"
#include "screens/warnings/shutdown_history.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "sim/simulator.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// ORVANE_SOAK_MINUTES shortens the day for a trial.
int dayMinutes() {
    const char* minutes = std::getenv("ORVANE_SOAK_MINUTES");
    return minutes ? std::max(2, std::atoi(minutes)) : 24 * 60;
}
constexpr int kShutdownEveryMinutes = 10;
constexpr int64_t kExchangeMs = 350;
constexpr int kWaitMs = 1000;  // real time; the simulator answers within a few milliseconds

long residentKiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

long openFiles() {
    long n = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

// Waits, at most kWaitMs of real time, until `done` holds; `pause` between looks.
template <class Done, class Pause>
bool waitFor(Done done, Pause pause) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWaitMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until) return false;
        pause();
    }
    return true;
}

class Day {
  public:
    Day() {
        // The panel image's folders (languages, program bitmaps), linked: they are only read,
        // and copying the image would take longer than the day.
        const char* image = std::getenv("ORVANE_IMAGE_DIR");
        const fs::path imageDisk = fs::path(image ? image : ORVANE_DEFAULT_IMAGE) / "Hard Disk";
        const fs::path disk = root_.path() / "Hard Disk";
        fs::create_directories(disk);
        for (const auto& folder : fs::directory_iterator(imageDisk))
            fs::create_directory_symlink(folder.path(), disk / folder.path().filename());
        platform::configureDevicePaths(root_.str(), "");
        platform::registryOpen(root_.str() + "/Registry.dat");
        panel_ = std::make_unique<platform::backend::PanelHarness>();
        program::wireProgram();
        platform::openPtyPair(pty_);
        // The line is paced above, so no frame runs into the next: each is answered at once.
        simulator_.setFrameGap(0);
        simulator_.start(std::move(pty_.controller));
        shell::attachControllerLink(&link_);
        shell::StartupSteps steps;
        steps.openControllerLink = [this] { link_.openControllerLink(pty_.devicePath); };
        steps.openShutdownHistory = [] { warnings::openShutdownHistory(); };
        panel_->call([&] { shell::initInstance(steps); });
        simulator_.command("set 289 1");  // the day data logger on
        simulator_.command("run");
    }
    ~Day() {
        link_.stop();
        simulator_.stop();
        panel_.reset();
        shell::resetShell();
        shell::clearShellHooks();
    }

    // One exchange as a panel on a real line makes it: 350 ms of the manual clock, two 175 ms
    // ticks of which one asks for the exchange; then the frame goes out, the simulator answers it
    // and the answer reaches the display's port before the next exchange reads it. Frames asked
    // for faster than the simulator answers them would run together on the line unanswered.
    void exchange() {
        const uint64_t answered = simulator_.framesAnswered();
        panel_->advance(kExchangeMs);
        // The port stays readable until the cycle has read the previous answer.
        const auto pause = [this] {
            if (link_.inputWaiting(1)) std::this_thread::yield();
        };
        if (!waitFor([&] { return simulator_.framesAnswered() != answered; }, pause)) ++unanswered_;
        link_.inputWaiting(kWaitMs);
        ++exchanges_;
    }

    // A shutdown at every tenth minute, cleared and the dryer started again a minute later, as
    // the operator would after reading it.
    void minute(int m) {
        if (m % kShutdownEveryMinutes == 0) {
            simulator_.command("shutdown 5 3");
            ++shutdowns_;
        }
        if (m % kShutdownEveryMinutes == 1) {
            simulator_.command("clear");
            simulator_.command("run");
        }
        for (const int64_t end = platform::monotonicMs() + 60'000; platform::monotonicMs() < end;)
            exchange();
    }

    int shutdownsCommanded() const { return shutdowns_; }
    uint64_t exchanges() const { return exchanges_; }
    uint64_t unanswered() const { return unanswered_; }
    uint64_t goodFrames() const { return link_.goodFrames(); }
    std::string root() const { return root_.str(); }

  private:
    testsupport::TempDir root_;
    std::unique_ptr<platform::backend::PanelHarness> panel_;
    platform::PtyPair pty_;
    sim::Simulator simulator_;
    dryer::ControllerLink link_{dryer::dryerState()};
    int shutdowns_ = 0;
    uint64_t exchanges_ = 0;
    uint64_t unanswered_ = 0;
};

bool gFailed = false;

// A failed run says so on standard error and in the exit status, not only in the table.
void fail(benchmark::State& state, const std::string& why) {
    std::fprintf(stderr, "soak_bench FAILED: %s\n", why.c_str());
    state.SkipWithError(why.c_str());
    gFailed = true;
}

struct SampleFolder {
    double files = 0;
    double samples = 0;
    uint64_t largestBytes = 0;
};

SampleFolder readSampleFolder(benchmark::State& state, const fs::path& folder) {
    SampleFolder found;
    if (!fs::is_directory(folder)) return found;
    for (const auto& f : fs::directory_iterator(folder)) {
        ++found.files;
        found.samples += static_cast<double>(f.file_size() / logging::kDryerSampleSize);
        found.largestBytes = std::max<uint64_t>(found.largestBytes, f.file_size());
        if (f.file_size() % logging::kDryerSampleSize != 0)
            fail(state, "a sample file holds a torn sample");
    }
    return found;
}

void SoakOneDay(benchmark::State& state) {
    for (auto _ : state) {
        Day day;
        day.minute(1);  // settled: the link is up, the first frames are in
        const long rssStart = residentKiB();
        const long filesStart = openFiles();
        for (int m = 2, end = dayMinutes(); m < end; ++m)
            day.minute(m);
        state.counters["rss_start_kib"] = static_cast<double>(rssStart);
        state.counters["rss_end_kib"] = static_cast<double>(residentKiB());
        state.counters["open_files_start"] = static_cast<double>(filesStart);
        state.counters["open_files_end"] = static_cast<double>(openFiles());
        const uint32_t recorded = warnings::shutdownHistoryCount();
        state.counters["shutdowns_commanded"] = day.shutdownsCommanded();
        state.counters["shutdowns_recorded"] = recorded;
        state.counters["exchanges"] = static_cast<double>(day.exchanges());
        state.counters["unanswered"] = static_cast<double>(day.unanswered());
        state.counters["good_frames"] = static_cast<double>(day.goodFrames());
        if (recorded != static_cast<uint32_t>(day.shutdownsCommanded())) {
            fail(state, "the history holds " + std::to_string(recorded) + " shutdowns of " +
                            std::to_string(day.shutdownsCommanded()) + " commanded");
        }
        const fs::path disk = fs::path(day.root()) / "Hard Disk";
        const SampleFolder graph = readSampleFolder(state, disk / "GraphDataLog");
        state.counters["graph_files"] = graph.files;
        state.counters["graph_samples"] = graph.samples;
        // A full file (24 hours of running) makes way for a new one; the two newest stay.
        if (graph.files > 2 || graph.largestBytes > logging::kGraphFileFullBytes)
            fail(state, "the graph log holds more than two files or an overfull one");
        const SampleFolder shortTerm = readSampleFolder(state, disk / "ShortTermDataLog");
        state.counters["short_term_files"] = shortTerm.files;
        state.counters["short_term_samples"] = shortTerm.samples;
        const fs::path csv = disk / "DataLog" / "LongTermDataLog.csv";
        state.counters["long_term_bytes"] =
            fs::exists(csv) ? static_cast<double>(fs::file_size(csv)) : 0;
        std::vector<warnings::ShutdownRecord> records;
        state.counters["history_readable"] =
            warnings::readShutdownHistory(warnings::kSortByDateTime, records) ? 1 : 0;
    }
}

}  // namespace

BENCHMARK(SoakOneDay)->Iterations(1)->Unit(benchmark::kSecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return gFailed ? 1 : 0;
}
