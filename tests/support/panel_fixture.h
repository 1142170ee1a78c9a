#pragma once
// The display in the panel harness, for the tests of the screens and the shell: a fresh panel
// root holding folders of the built panel image, and the dryer record, the shell, the logs'
// state and the localization as a program start finds them, before each test and after it.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "link/dryer_state.h"
#include "platform/backend/headless/panel_harness.h"
#include "platform/clock/clock.h"
#include "platform/ui/ui.h"
#include "shell/app.h"
#include "support/panel_root.h"
#include "support/temp_dir.h"

namespace testsupport {

// Where the tests of one screen area differ.
struct PanelSetup {
    // The image's folders in the panel root, as paths below its flash disk.
    std::vector<std::string> folders{"Languages"};
    ImageLinks links = ImageLinks::Folder;
    // Wire the screen areas under test into the shell, in order, before the harness starts.
    std::vector<std::function<void()>> wiring{};
    // The manual clock at the harness's start; the harness's own when empty.
    std::optional<platform::LocalTime> clock{};
    // The harness starts at startHarness() instead of in SetUp, so that a test can put files
    // and settings in place first.
    bool deferHarness = false;
};

class PanelFixture : public ::testing::Test {
  protected:
    explicit PanelFixture(PanelSetup setup = {});
    void SetUp() override;
    void TearDown() override;

    // The harness's UI thread on the manual clock; SetUp starts it unless the setup defers it.
    void startHarness();
    // Starts the display as the program does.
    void start(const shell::StartupSteps& steps = {});
    // Switches to the language numbered by ORVANE_SCREENSHOT_LANGUAGE, when it is set.
    void useScreenshotLanguage();

    // Controller values, as a status frame would have brought them.
    static void controllerSets(std::initializer_list<std::pair<int, uint8_t>> bytes) {
        for (const auto& [offset, value] : bytes)
            state().status.setAt(offset, value);
    }
    // Decodes a good status frame, the record's status with these bytes changed, as the
    // exchange thread would, then lets the UI take in the repaints.
    void receive(const std::vector<std::pair<int, uint8_t>>& bytes);

    // The dialog or message box on top (of that title, when one is given); empty when none is.
    static platform::ui::Window topDialog(std::string_view title = {}) {
        return platform::ui::findWindow("#DIALOG", title);
    }
    // Taps a shown control of a window.
    void press(platform::ui::Window parent, int id);
    // Whether the window drew exactly `text` at its last paint.
    bool drew(platform::ui::Window window, std::string_view text);
    // With ORVANE_SCREENSHOT_DIR set, the screen as it stands goes to that folder as NAME.png.
    void screenshot(const std::string& name);

    static dryer::DryerState& state() { return dryer::dryerState(); }

    TempDir root_;
    // The USB drive's folder; empty for none. A fixture that wants one names it before SetUp.
    std::filesystem::path usb_;
    std::unique_ptr<platform::backend::PanelHarness> panel_;

  private:
    PanelSetup setup_;
};

}  // namespace testsupport
