#pragma once
// The screens' tests: the shared panel fixture with ways to read what the keypads and dialogs
// drew and to answer them.

#include <string>
#include <vector>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "platform/ui/dialog.h"
#include "screens/keypads/keypad_face.h"
#include "support/panel_fixture.h"

namespace screentest {

namespace ui = platform::ui;
namespace gfx = platform::gfx;

class PanelTest : public testsupport::PanelFixture {
  protected:
    using PanelFixture::PanelFixture;

    void useGerman() {
        panel_->call([] {
            i18n::SetLanguage(i18n::kGerman);
            i18n::ReloadButtonBitmaps();
        });
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

    void pressDigits(ui::Window dialog, const int (&ids)[10], const std::vector<int>& digits) {
        for (const int d : digits)
            press(dialog, ids[d]);
    }

    // What a keypad shows as the value being edited.
    std::string keypadValue(ui::Window dialog) { return textIn(dialog, keypads::kValueBox); }
    // The name of what it edits, under the value.
    std::string keypadName(ui::Window dialog) {
        const int below = keypads::kValueBox.bottom;
        return textIn(dialog, {0, below, 640, below + 21});
    }
    // What it shows above the value: the temperature keypad's range, the time keypad's units.
    std::string keypadAbove(ui::Window dialog) {
        return textIn(dialog, {0, 0, 640, keypads::kValueBox.top});
    }

    // Answers the out-of-range message; false when none was shown. Its text stays in refusal_.
    bool dismissRefusal(std::string_view warning = "The value entered is out of range.") {
        const ui::Window box = topDialog(caption_);
        if (!box) return false;
        refusal_.clear();
        for (const gfx::DrawnText& t : panel_->texts(box)) {
            if (t.text.starts_with(warning)) refusal_ = t.text;
        }
        if (refusal_.empty()) return false;
        press(box, ui::kIdOk);
        return true;
    }

    std::string caption_ = "WARNING!";
    std::string refusal_;
};

}  // namespace screentest
