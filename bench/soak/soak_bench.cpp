// A day of the display against the simulated controller on the manual clock: the whole program
// wired as orvane-display wires it, logging on, a shutdown every ten minutes. Reports resident
// memory and open files at the start and the end, and checks that the logs and the history hold
// what a day writes. Run on its own: `build/bench/soak/soak_bench` (a few minutes).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "link/controller_link.h"
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

class Day {
  public:
    Day() {
        const char* image = std::getenv("ORVANE_IMAGE_DIR");
        const fs::path languages =
            fs::path(image ? image : ORVANE_DEFAULT_IMAGE) / "Hard Disk" / "Languages";
        fs::create_directories(root_.path() / "Hard Disk");
        fs::create_directory_symlink(languages, root_.path() / "Hard Disk" / "Languages");
        platform::configureDevicePaths(root_.str(), "");
        platform::registryOpen(root_.str() + "/Registry.dat");
        panel_ = std::make_unique<platform::backend::PanelHarness>();
        program::wireProgram();
        platform::openPtyPair(pty_);
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

    // Five seconds of the manual clock, then at least one exchange: the exchanges the 175 ms
    // tick asks for meanwhile run as fast as the line allows and the rest fall together, so a
    // day takes minutes. Five seconds stay well inside the link's ten-second watchdog.
    void fiveSeconds() {
        const uint64_t before = link_.completedCycles();
        panel_->advance(5000);
        for (int wait = 0; wait < 500 && link_.completedCycles() == before; ++wait)
            link_.inputWaiting(1);
        panel_->waitIdle();
    }

    void minute(int m) {
        if (m % kShutdownEveryMinutes == 0) simulator_.command("shutdown 5 3");
        if (m % kShutdownEveryMinutes == 1) {
            simulator_.command("clear");
            simulator_.command("run");
        }
        for (int s = 0; s < 12; ++s)
            fiveSeconds();
    }

    std::string root() const { return root_.str(); }

  private:
    testsupport::TempDir root_;
    std::unique_ptr<platform::backend::PanelHarness> panel_;
    platform::PtyPair pty_;
    sim::Simulator simulator_;
    dryer::ControllerLink link_{dryer::dryerState()};
};

void wholeSamples(benchmark::State& state, const fs::path& folder, double& files, double& samples) {
    files = samples = 0;
    if (!fs::is_directory(folder)) return;
    for (const auto& f : fs::directory_iterator(folder)) {
        ++files;
        samples += static_cast<double>(f.file_size() / 18);
        if (f.file_size() % 18 != 0) state.SkipWithError("a sample file holds a torn sample");
    }
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
        state.counters["shutdowns_recorded"] = warnings::shutdownHistoryCount();
        const fs::path disk = fs::path(day.root()) / "Hard Disk";
        double files = 0, samples = 0;
        wholeSamples(state, disk / "GraphDataLog", files, samples);
        state.counters["graph_files"] = files;
        state.counters["graph_samples"] = samples;
        wholeSamples(state, disk / "ShortTermDataLog", files, samples);
        state.counters["short_term_files"] = files;
        state.counters["short_term_samples"] = samples;
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
