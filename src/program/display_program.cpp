#include "program/display_program.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "link/controller_link.h"
#include "link/dryer_state.h"
#include "platform/backend/headless/headless.h"
#include "platform/backend/sdl/sdl.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "platform/serial/serial.h"
#include "platform/sys/sys.h"
#include "platform/ui/display.h"
#include "program/remote_wiring.h"
#include "program/wiring.h"
#include "screens/warnings/shutdown_history.h"
#include "shell/app.h"
#include "shell/options.h"
#include "shell/panel_root.h"
#include "shell/script.h"
#include "shell/script_driver.h"

namespace program {
using namespace shell;  // the composition root drives the shell throughout
namespace ui = platform::ui;

namespace {

constexpr uint32_t kScriptTimer = 0x9F01;
constexpr uint32_t kScreenshotTimer = 0x9F02;
constexpr uint32_t kFrontRequestTimer = 0x9F03;
constexpr int kFrontRequestPollMs = 250;
constexpr size_t kMaxScriptBytes = 1 << 20;

int usageError(const std::string& message) {
    std::cerr << "orvane-display: " << message << "\n" << usageText();
    return 2;
}

bool readScript(const std::string& path, bool withSimulator, std::vector<ScriptAction>& actions,
                std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot read the script " + path;
        return false;
    }
    std::string text;
    text.resize(kMaxScriptBytes + 1);
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(in.gcount()));
    if (text.size() > kMaxScriptBytes) {
        error = "the script " + path + " is larger than 1 MiB";
        return false;
    }
    if (parseScript(text, actions, error, withSimulator)) return true;
    error = path + ": " + error;
    return false;
}

// A script ends the program at quit (0) or at a failed action (3, its message on stderr).
void finishScript(int code, const std::string& message) {
    if (!message.empty()) std::cerr << message << "\n";
    ui::postQuit(code);
}

struct ProgramRun {
    DisplayOptions options;
    std::vector<ScriptAction> script;
    std::string root;
    platform::InstanceLock lock;
    std::unique_ptr<dryer::ControllerLink> link;
    std::string device;
    std::optional<ScriptRunner> runner;
    WindowScriptDriver driver{finishScript,
                              [](std::string_view line) { return simulatorCommand(line); }};
    bool screenshotFailed = false;
    RemoteServices remote;
};

ProgramRun* gRun = nullptr;

// Timers run only when no input waits in the queue, so each step sees the last one handled.
void armScriptTimer() {
    const int64_t due = gRun->runner->nextDueMs();
    if (due < 0) return;
    const int64_t delay = std::max<int64_t>(1, due - platform::monotonicMs());
    ui::setTimer(mainWindow(), kScriptTimer, static_cast<int>(delay),
                 [](ui::Window window, uint32_t id, int64_t) {
                     ui::killTimer(window, id);
                     gRun->runner->poll(platform::monotonicMs(), gRun->driver);
                     armScriptTimer();
                 });
}

void armScreenshotTimer() {
    const int delay = std::max(1, gRun->options.screenshotAfterMs);
    ui::setTimer(
        mainWindow(), kScreenshotTimer, delay, [](ui::Window window, uint32_t id, int64_t) {
            ui::killTimer(window, id);
            gRun->screenshotFailed = !gRun->driver.screenshot(gRun->options.screenshotFile);
            ui::postQuit(gRun->screenshotFailed ? 1 : 0);
        });
}

void armFrontRequestTimer() {
    ui::setTimer(mainWindow(), kFrontRequestTimer, kFrontRequestPollMs,
                 [](ui::Window, uint32_t, int64_t) {
                     if (gRun->lock.takeFrontRequest()) ui::bringToTop(mainWindow());
                 });
}

void startProgramTimers() {
    armFrontRequestTimer();
    if (gRun->options.screenshotAfterMs >= 0) armScreenshotTimer();
    if (!gRun->script.empty()) {
        gRun->runner.emplace(gRun->script);
        gRun->runner->start(platform::monotonicMs());
        armScriptTimer();
    }
}

// A window (or the full screen) where a display exists; headless otherwise, said so.
std::unique_ptr<ui::Backend> makeBackend(const DisplayOptions& options) {
    if (!options.headless) {
        platform::backend::SdlOptions sdl;
        sdl.scale = options.scale;
        sdl.fullscreen = options.fullscreen;
        sdl.title = std::string(kWindowTitle);
        std::string error;
        if (auto backend = platform::backend::makeSdlBackend(sdl, error)) return backend;
        std::cerr << "orvane-display: " << error << "; running headless\n";
    }
    return platform::backend::makeHeadlessBackend();
}

// The line to the controller: the given device, or a pseudo-terminal with the simulator on the
// other end.
bool prepareLine(ProgramRun& run) {
    if (!run.options.simulate) {
        run.device = run.options.port;
        return true;
    }
    platform::PtyPair pair;
    if (!platform::openPtyPair(pair)) {
        std::cerr << "orvane-display: cannot open a pseudo-terminal for the simulator\n";
        return false;
    }
    run.device = pair.devicePath;
    if (!startSimulator(std::move(pair.controller))) {
        std::cerr << "orvane-display: the simulator did not start\n";
        return false;
    }
    return true;
}

int runPrepared(ProgramRun& run) {
    platform::configureDevicePaths(run.root, run.options.usb);
    platform::registryOpen(run.root + "/Registry.dat");
    platform::initPanelClock(run.options.setSystemClock ? platform::ClockSetMode::HostClock
                                                        : platform::ClockSetMode::PanelOffset);
    if (!prepareLine(run)) return 1;
    ui::startDisplay(run.remote.tap(run.options, makeBackend(run.options)));
    // Scripts read back what was drawn from the first paint on.
    if (!run.script.empty()) ui::recordDrawnText(true);
    wireProgram();
    run.link = std::make_unique<dryer::ControllerLink>(dryer::dryerState());
    attachControllerLink(run.link.get());
    // A remote service that cannot start is said on standard error; the panel runs on.
    run.remote.start(run.options, run.root, *run.link);
    StartupSteps steps;
    steps.openControllerLink = [&run] { run.link->openControllerLink(run.device); };
    steps.openShutdownHistory = [] { warnings::openShutdownHistory(); };
    steps.started = startProgramTimers;
    int code = runShell(steps);
    const bool filesFailed = run.runner && run.runner->failedFiles() > 0;
    if (code == 0 && (run.screenshotFailed || filesFailed)) code = 1;
    // No state is saved on the way out; the threads are stopped so the process ends cleanly.
    run.remote.stop();
    run.link->stop();
    stopSimulator();
    ui::stopDisplay();
    return code;
}

}  // namespace

int runDisplayProgram(int argc, char** argv) {
    ProgramRun run;
    std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string error;
    switch (parseCommandLine(args, run.options, error)) {
        case CommandLineResult::Help:
            std::cout << usageText();
            return 0;
        case CommandLineResult::Version:
            std::cout << versionText();
            return 0;
        case CommandLineResult::Error:
            return usageError(error);
        case CommandLineResult::Run:
            break;
    }
    if (!RemoteServices::checkOptions(run.options, error)) return usageError(error);
    if (!run.options.scriptFile.empty() &&
        !readScript(run.options.scriptFile, run.options.simulate, run.script, error)) {
        std::cerr << "orvane-display: " << error << "\n";
        return 2;
    }
    const bool defaultRoot = run.options.root.empty();
    run.root = defaultRoot ? defaultPanelRoot() : run.options.root;
    const std::string image = defaultRoot ? findPanelImage(argv[0]) : "";
    if (!preparePanelRoot(run.root, image, error)) {
        std::cerr << "orvane-display: " << error << "\n";
        return 1;
    }
    if (!run.lock.acquire(run.root)) {
        platform::requestFrontOfFirstInstance(run.root);
        std::cerr << "orvane-display: already running for " << run.root
                  << "; brought it to the front\n";
        return 0;
    }
    gRun = &run;
    const int code = runPrepared(run);
    gRun = nullptr;
    return code;
}

}  // namespace program
