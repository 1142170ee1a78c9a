#pragma once
// The display running in the panel harness with the setup screens wired in, over the panel
// image's language packs; no controller on the line, so the dryer record holds what a test puts
// into it. What a dialog sends is read back as the controller would read the next command frame.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/dryer_state.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/setup/setup.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "shell/periodic.h"
#include "support/command_records.h"
#include "support/panel_fixture.h"

namespace setuptest {

namespace ui = platform::ui;
namespace fs = std::filesystem;
namespace gfx = platform::gfx;
using shell::Screen;

using testsupport::Wire;

inline constexpr ui::Point kSetupButton{320, 447};

class SetupScreens : public testsupport::PanelFixture {
  protected:
    // `wiring` wires the setup screens and whatever screens a group of tests adds to them.
    explicit SetupScreens(std::vector<std::function<void()>> wiring = {setup::wireSetupScreens})
        : PanelFixture({.wiring = std::move(wiring)}) {}

    void start() {
        PanelFixture::start();
        useScreenshotLanguage();
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

    // Holds a button down for `ms` of the manual clock, then lets go.
    void hold(ui::Window window, int id, int ms) {
        const gfx::Rect r = ui::screenRect(ui::childById(window, id));
        const int x = (r.left + r.right) / 2;
        const int y = (r.top + r.bottom) / 2;
        panel_->pointerDown(x, y);
        panel_->advance(ms);
        panel_->pointerUp(x, y);
    }

    std::vector<sim::WriteRecord> records() { return testsupport::nextCommandRecords(); }
    Wire onWire() { return testsupport::nextCommandWire(); }

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
    // Whether a check box or radio button of a dialog is ticked.
    bool checked(ui::Window dialog, int id) {
        bool on = false;
        panel_->call([&] { on = ui::isItemChecked(dialog, id); });
        return on;
    }
};

}  // namespace setuptest
