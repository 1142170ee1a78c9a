#pragma once
// The screens' tests: a headless panel with the built panel image's languages, a fresh dryer
// record, and ways to find and touch dialogs and read what they drew.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "platform/backend/headless/panel_harness.h"
#include "platform/files/files.h"
#include "platform/ui/dialog.h"
#include "screens/keypads/keypad_face.h"
#include "shell/shell_fixture.h"
#include "support/temp_dir.h"

namespace screentest {

namespace ui = platform::ui;
namespace gfx = platform::gfx;

class PanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        shelltest::resetDryerState();
        const char* image = std::getenv("ORVANE_IMAGE_DIR");
        const std::filesystem::path languages =
            std::filesystem::path(image ? image : "") / "Hard Disk" / "Languages";
        ASSERT_TRUE(std::filesystem::is_directory(languages / "EN")) << "build the panel image";
        std::filesystem::create_directories(root_.path() / "Hard Disk");
        std::filesystem::create_directory_symlink(languages,
                                                  root_.path() / "Hard Disk" / "Languages");
        platform::configureDevicePaths(root_.str(), "");
        i18n::ResetLocalization();
        panel_ = std::make_unique<platform::backend::PanelHarness>();
    }
    void TearDown() override {
        panel_.reset();
        i18n::ResetLocalization();
    }

    void useGerman() {
        panel_->call([] {
            i18n::SetLanguage(i18n::kGerman);
            i18n::ReloadButtonBitmaps();
        });
    }

    // The dialog on top (a keypad, or the message box over it); empty when none is open.
    static ui::Window topDialog(std::string_view title = {}) {
        return ui::findWindow("#DIALOG", title);
    }

    void press(ui::Window parent, int id) {
        const ui::Window control = ui::childById(parent, id);
        ASSERT_TRUE(ui::isShown(control)) << "control " << id;
        panel_->tap(control);
    }

    // The texts a window drew inside `area` (client pixels) at its last paint, joined.
    std::string textIn(ui::Window window, const gfx::Rect& area) {
        std::string joined;
        for (const gfx::DrawnText& t : panel_->texts(window)) {
            if (t.rect.left >= area.left && t.rect.top >= area.top && t.rect.right <= area.right &&
                t.rect.bottom <= area.bottom) {
                joined += t.text;
            }
        }
        return joined;
    }

    bool drew(ui::Window window, std::string_view text) {
        for (const gfx::DrawnText& t : panel_->texts(window)) {
            if (t.text == text) return true;
        }
        return false;
    }

    void pressDigits(ui::Window dialog, const int (&ids)[10], const std::vector<int>& digits) {
        for (const int d : digits)
            press(dialog, ids[d]);
    }

    // What a keypad shows as the value being edited.
    std::string keypadValue(ui::Window dialog) { return textIn(dialog, keypads::kValueBox); }

    // Answers the out-of-range message; false when none was shown.
    bool dismissRefusal() {
        const ui::Window box = topDialog("WARNING!");
        if (!box || !drew(box, "The value entered is out of range.")) return false;
        press(box, ui::kIdOk);
        return true;
    }

    dryer::DryerState& state() { return dryer::dryerState(); }

    testsupport::TempDir root_;
    std::unique_ptr<platform::backend::PanelHarness> panel_;
};

}  // namespace screentest
