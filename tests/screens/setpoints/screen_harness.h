#pragma once
// The whole shell with the setpoint screens and keypads wired in, in the panel harness. The
// controller's values arrive as status frames fed to the decoder.

#include <string>

#include "link/controller_link.h"
#include "platform/ui/display.h"
#include "screens/keypads/keypads.h"
#include "screens/panel_fixture.h"
#include "screens/setpoints/setpoints.h"
#include "shell/app.h"
#include "shell/hooks.h"

namespace screentest {

class ScreenHarness : public PanelTest {
  protected:
    ScreenHarness()
        : PanelTest({.wiring = {keypads::wireKeypads, setpoints::wireSetpointScreens}}) {}
    void TearDown() override {
        PanelTest::TearDown();
        setpoints::setTemperatureScreenExitToAutoStart({});
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
