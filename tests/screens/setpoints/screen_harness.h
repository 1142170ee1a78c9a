#pragma once
// The whole shell with the setpoint screens and keypads wired in, in the panel harness. The
// controller's values arrive as status frames fed to the decoder.

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "link/controller_link.h"
#include "link/crc.h"
#include "logging/log_ticks.h"
#include "logging/view_settings.h"
#include "platform/ui/display.h"
#include "screens/keypads/keypads.h"
#include "screens/panel_fixture.h"
#include "screens/setpoints/setpoints.h"
#include "shell/app.h"
#include "shell/hooks.h"

namespace screentest {

class ScreenHarness : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        shell::resetShell();
        shell::clearShellHooks();
        logging::ResetViewSettings();
        logging::ResetLogStateForRun();
        keypads::wireKeypads();
        setpoints::wireSetpointScreens();
    }
    void TearDown() override {
        PanelTest::TearDown();
        shell::resetShell();
        shell::clearShellHooks();
        setpoints::setTemperatureScreenExitToAutoStart({});
    }

    void start(const shell::StartupSteps& steps = {}) {
        bool started = false;
        panel_->call([&] { started = shell::initInstance(steps); });
        ASSERT_TRUE(started);
    }

    // Decodes a status frame made of the record as it stands with these bytes changed, as the
    // exchange thread would, then lets the screens repaint.
    void receive(const std::vector<std::pair<int, uint8_t>>& bytes) {
        std::array<uint8_t, dryer::kStatusFrameSize> frame = state().status.snapshot();
        for (const auto& [offset, value] : bytes)
            frame[offset] = value;
        dryer::appendCrc(frame.data(), dryer::kStatusDataSize);
        ASSERT_TRUE(dryer::receiveStatusFrame(state(), frame.data(), frame.size()));
        ui::wakeLoop();
        panel_->waitIdle();
    }

    static ui::Window windowOfClass(std::string_view className) {
        for (const ui::Window w : ui::allWindows()) {
            if (ui::windowClassName(w) == className) return w;
        }
        return {};
    }

    void pressMainButton(shell::MainButton button) { panel_->tap(shell::mainButtonWindow(button)); }

    // Sends a control's command to its window as a touch would, whether it is shown or not.
    void command(ui::Window window, int id) {
        panel_->post([window, id] { ui::sendMessage(window, ui::kCommand, ui::commandParam(id)); });
    }

    bool shown(ui::Window parent, int id) { return ui::isShown(ui::childById(parent, id)); }
};

}  // namespace screentest
