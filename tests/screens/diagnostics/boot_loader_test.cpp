// The programming window inside the running shell: its page and its way back to the dryer.
#include <gtest/gtest.h>

#include "resources/program_bitmaps.h"
#include "screens/diagnostics/diagnostics.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "shell/layout.h"
#include "tests/screens/diagnostics/panel_fixture.h"

namespace diagnostics::testing {
namespace {

using shell::MainButton;
using shell::Screen;

class BootLoader : public DiagnosticsPanel {
  protected:
    void SetUp() override {
        DiagnosticsPanel::SetUp();
        wireDiagnostics();
        start();
    }
    static bool shown(Screen screen) { return ui::isVisible(shell::screenWindow(screen)); }
};

TEST_F(BootLoader, PageShowsTheIoLineAndExitBringsBackTheDryer) {
    EXPECT_TRUE(shell::dialogOpener(kDiagnosticsDialog));
    const ui::Window window = shell::screenWindow(Screen::BootLoader);
    EXPECT_FALSE(ui::isVisible(window)) << "created hidden";
    panel_->call([window] {
        shell::hideStatusScreens(shell::environment());
        ui::showWindow(window, true);
    });
    EXPECT_TRUE(panel_->findText("DISPLAY I/O:                 |||||||||||||||||||||||"));
    screenshot("boot-loader");

    const ui::Window exit = ui::childById(window, 0x8850);
    ASSERT_TRUE(exit);
    EXPECT_EQ(ui::windowText(exit), "EXIT_BOOTLOADER_BUTTON");
    EXPECT_EQ(ui::windowRect(exit), (ui::Rect{430, 395, 589, 436}));
    const resources::ProgramBitmap face = resources::LoadProgramBitmap(136);
    ASSERT_TRUE(face);
    EXPECT_EQ(panel_->capture(exit), *face);
    panel_->tap(exit);
    EXPECT_FALSE(ui::isVisible(window));
    for (Screen screen :
         {Screen::ButtonBar, Screen::RightStatusBar, Screen::UnloadStatus, Screen::DryerPic}) {
        EXPECT_TRUE(shown(screen)) << static_cast<int>(screen);
    }
    const MainButton five[] = {MainButton::Timers, MainButton::Temps, MainButton::Setup,
                               MainButton::View, MainButton::Misc};
    for (int i = 0; i < 5; ++i) {
        const ui::Window button = shell::mainButtonWindow(five[i]);
        EXPECT_TRUE(ui::isVisible(button));
        EXPECT_EQ(ui::windowRect(button).left, 20 + 124 * i);
    }
}

}  // namespace
}  // namespace diagnostics::testing
