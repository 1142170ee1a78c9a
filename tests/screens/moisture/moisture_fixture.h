#pragma once
// The setup screens' harness with the moisture-control dialogs wired in as the program wires them.

#include <string>

#include "screens/moisture/moisture.h"
#include "screens/setup/setup_fixture.h"

namespace moisturetest {

using setuptest::Wire;
namespace ui = platform::ui;
namespace gfx = platform::gfx;

class MoistureDialogs : public setuptest::SetupScreens {
  protected:
    MoistureDialogs() : SetupScreens({setup::wireSetupScreens, moisture::wireMoistureScreens}) {}

    // Starts the display and opens a dialog by its template number.
    ui::Window openDialog(int templateId) {
        start();
        openByTemplate(templateId);
        return topDialog();
    }

    void pressTimes(ui::Window window, int id, int times) {
        for (int i = 0; i < times; ++i)
            press(window, id);
    }

    std::string caption(ui::Window window) {
        std::string text;
        panel_->call([&] { text = ui::windowText(window); });
        return text;
    }
    // Whether the window drew `text` as one piece at its last paint.
    bool drewText(ui::Window window, const std::string& text) {
        for (const auto& drawn : panel_->texts(window)) {
            if (drawn.text == text) return true;
        }
        return false;
    }
};

}  // namespace moisturetest
