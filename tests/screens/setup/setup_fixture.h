#pragma once
// The display running in the panel harness with the setup screens wired in, over the panel
// image's language packs; no controller on the line, so the dryer record holds what a test puts
// into it. What a dialog sends is read back as the controller would read the next command frame.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "link/command_frame.h"
#include "link/crc.h"
#include "link/dryer_state.h"
#include "logging/log_ticks.h"
#include "logging/view_settings.h"
#include "platform/backend/headless/panel_harness.h"
#include "platform/files/files.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/setup/setup.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "shell/periodic.h"
#include "shell/shell_fixture.h"
#include "sim/frames.h"
#include "support/temp_dir.h"

namespace setuptest {

namespace ui = platform::ui;
namespace fs = std::filesystem;
namespace gfx = platform::gfx;
using shell::Screen;

// Address -> bytes of each record in the next command frame, apart from the clock.
using Wire = std::map<int, std::vector<uint8_t>>;

inline constexpr ui::Point kSetupButton{320, 447};

class SetupScreens : public ::testing::Test {
  protected:
    void SetUp() override {
        shelltest::resetDryerState();
        shell::resetShell();
        shell::clearShellHooks();
        linkLanguages();
        platform::configureDevicePaths(root_.str(), "");
        i18n::ResetLocalization();
        logging::ResetViewSettings();
        logging::ResetLogStateForRun();
        shell::periodic() = shell::PeriodicState{};
        setup::wireSetupScreens();
        panel_ = std::make_unique<platform::backend::PanelHarness>();
    }
    void TearDown() override {
        panel_.reset();
        shell::resetShell();
        shell::clearShellHooks();
        i18n::ResetLocalization();
    }

    void linkLanguages() {
        const char* image = std::getenv("ORVANE_IMAGE_DIR");
        const fs::path languages = fs::path(image ? image : "") / "Hard Disk" / "Languages";
        ASSERT_TRUE(fs::is_directory(languages / "EN")) << "build the panel image";
        fs::create_directories(root_.path() / "Hard Disk");
        fs::create_directory_symlink(languages, root_.path() / "Hard Disk" / "Languages");
    }

    // Controller values, as a status frame would have brought them.
    void controllerSets(std::initializer_list<std::pair<int, uint8_t>> bytes) {
        for (const auto& [offset, value] : bytes)
            state().status.setAt(offset, value);
    }

    void start() {
        bool started = false;
        panel_->call([&] { started = shell::initInstance({}); });
        ASSERT_TRUE(started);
        if (const char* language = std::getenv("ORVANE_SCREENSHOT_LANGUAGE")) {
            panel_->call([&] {
                i18n::SetLanguage(static_cast<i18n::LanguageId>(std::atoi(language)));
                i18n::ReloadButtonBitmaps();
            });
        }
    }

    void openSetupMenu() { panel_->tap(kSetupButton.x, kSetupButton.y); }
    void openExtendedMenu() {
        openSetupMenu();
        press(shell::screenWindow(Screen::SetupSelection), 36977);
    }

    // Presses a button of a window (a screen or a dialog) by its id.
    void press(ui::Window window, int id) {
        const ui::Window button = ui::childById(window, id);
        ASSERT_TRUE(ui::isShown(button)) << "button " << id << " is not shown";
        panel_->tap(button);
    }
    // The dialog or message box on top; empty when none is open.
    ui::Window topDialog() { return ui::findWindow("#DIALOG"); }

    // Holds a button down for `ms` of the manual clock, then lets go.
    void hold(ui::Window window, int id, int ms) {
        const gfx::Rect r = ui::screenRect(ui::childById(window, id));
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        panel_->pointerDown(x, y);
        panel_->advance(ms);
        panel_->pointerUp(x, y);
    }

    // The records of the next command frame, in order, apart from the clock (the builder's
    // one-shot flags are spent).
    std::vector<sim::WriteRecord> records() {
        uint8_t frame[dryer::kMaxCommandFrame + 2] = {};
        std::vector<sim::WriteRecord> out;
        if (!dryer::buildCommandFrame(state(), frame)) return out;
        const int length = frame[0];
        dryer::appendCrc(frame, length - 2);
        const sim::DisplayFrame parsed = sim::parseDisplayFrame(frame, length);
        EXPECT_EQ(parsed.kind, sim::DisplayFrame::Kind::Command);
        for (const sim::WriteRecord& r : parsed.records) {
            if (r.address != 53) out.push_back(r);
        }
        return out;
    }
    // The same by address; of two records at one address the first.
    Wire onWire() {
        Wire wire;
        for (const sim::WriteRecord& r : records())
            wire.emplace(r.address, r.bytes);
        return wire;
    }

    // Opens a dialog the way the shell does, by its template number, over the main window.
    void openByTemplate(int templateId) {
        panel_->post([templateId] { (*shell::dialogOpener(templateId))(shell::mainWindow()); });
    }

    bool drawn(const std::string& text) { return panel_->findText(text).has_value(); }
    std::string itemText(ui::Window dialog, int id) {
        std::string text;
        panel_->call([&] { text = ui::itemText(dialog, id); });
        return text;
    }

    dryer::DryerState& state() { return dryer::dryerState(); }

    // With ORVANE_SCREENSHOT_DIR set, the screen as it stands goes to that folder (in the
    // language numbered by ORVANE_SCREENSHOT_LANGUAGE, when set).
    void screenshot(const std::string& name) {
        if (const char* dir = std::getenv("ORVANE_SCREENSHOT_DIR")) {
            panel_->screenshot(std::string(dir) + "/" + name + ".png");
        }
    }

    testsupport::TempDir root_;
    std::unique_ptr<platform::backend::PanelHarness> panel_;
};

}  // namespace setuptest
