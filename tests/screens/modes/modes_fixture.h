#pragma once
// The drying-mode dialogs over the setup screens' panel fixture: ways to open them, read their
// controls and answer the boxes they raise.

#include "screens/keypad_ids.h"
#include "screens/modes/modes.h"
#include "screens/setup/setup_fixture.h"

namespace modestest {

namespace ui = platform::ui;
using setuptest::Wire;

inline constexpr int kAccept = 1008;
inline constexpr int kHelp = 1009;

class DryingModes : public setuptest::SetupScreens {
  protected:
    DryingModes() : SetupScreens({setup::wireSetupScreens, modes::wireDryingModeScreens}) {}

    // Starts the display and opens a dialog by its template number; the dialog on top.
    ui::Window startWith(int templateId) {
        start();
        openByTemplate(templateId);
        return topDialog();
    }

    bool enabled(ui::Window dialog, int id) {
        bool on = false;
        panel_->call([&] { on = ui::isEnabled(ui::dialogItem(dialog, id)); });
        return on;
    }
    std::string title(ui::Window window) {
        std::string text;
        panel_->call([&] { text = ui::windowText(window); });
        return text;
    }

    // True when the window drew, at its last paint, a text holding `part`.
    bool drewPart(ui::Window window, std::string_view part) {
        for (const platform::gfx::DrawnText& t : panel_->texts(window)) {
            if (t.text.find(part) != std::string::npos) return true;
        }
        return false;
    }

    // Presses OK on the message box on top, which must carry `caption`.
    void dismiss(std::string_view caption, int button = ui::kIdOk) {
        const ui::Window box = topDialog();
        ASSERT_TRUE(box);
        EXPECT_EQ(title(box), caption);
        press(box, button);
    }

    // Types digits on the temperature keypad on top and presses ACCEPT.
    void typeTemperature(std::initializer_list<int> digits) {
        const ui::Window keypad = topDialog();
        ASSERT_TRUE(keypad);
        for (int d : digits)
            press(keypad, screentest::kTemperatureDigits[d]);
        press(keypad, screentest::kTemperatureAccept);
    }
};

}  // namespace modestest
