// A full repaint of the main screen: every status window drawn from the dryer record, its
// texts included, then the screen composed from the windows, for each of the four pictures.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "i18n/language.h"
#include "link/dryer_state.h"
#include "logging/view_settings.h"
#include "platform/backend/headless/headless.h"
#include "platform/files/files.h"
#include "platform/ui/display.h"
#include "screens/status/status_screens.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "support/temp_dir.h"
#include "tests/screens/status/main_screen_states.h"

namespace {

namespace fs = std::filesystem;
namespace ui = platform::ui;
using shell::Screen;

void BM_MainScreenRepaint(benchmark::State& state) {
    testsupport::TempDir root;
    const fs::path image = fs::path(ORVANE_IMAGE_DIR) / "Hard Disk";
    fs::create_directories(root.path() / "Hard Disk");
    for (const char* folder : {"Languages", "Program"})
        fs::create_directory_symlink(image / folder, root.path() / "Hard Disk" / folder);
    platform::configureDevicePaths(root.str(), "");
    i18n::ResetLocalization();
    logging::ResetViewSettings();
    ui::startDisplay(platform::backend::makeHeadlessBackend());
    status::wireStatusScreens();
    shell::initInstance({});
    const auto& picture = statustest::mainScreenPictures()[static_cast<size_t>(state.range(0))];
    statustest::setRunningDryer(dryer::dryerState().status, picture);
    statustest::setAnimationFrames(shell::periodic());
    const Screen screens[] = {Screen::DryerPic, Screen::RightStatusBar, Screen::CustomView,
                              Screen::LineGraph};
    ui::showWindow(shell::screenWindow(Screen::LineGraph), true);
    // The screens and their child controls (the panel's two value buttons).
    std::vector<ui::Window> windows;
    for (Screen screen : screens) {
        const ui::Window w = shell::screenWindow(screen);
        windows.push_back(w);
        for (ui::Window each : ui::allWindows()) {
            if (ui::parentOf(each) == w) windows.push_back(each);
        }
    }
    for (auto _ : state) {
        for (ui::Window w : windows) {
            ui::invalidate(w, true);
            ui::updateWindow(w);
        }
        benchmark::DoNotOptimize(ui::captureScreen());
    }
    state.SetLabel(picture.name);
    ui::stopDisplay();
    shell::resetShell();
    shell::clearShellHooks();
}
BENCHMARK(BM_MainScreenRepaint)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace
