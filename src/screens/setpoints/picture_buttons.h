#pragma once
// The owner-drawn buttons of the setpoint screens: each shows a localized button bitmap, held
// while its window lives.

#include <span>
#include <vector>

#include "i18n/button_bitmaps.h"
#include "platform/ui/ui.h"

namespace setpoints {

struct PictureButton {
    int id;
    int bitmap;
    int x, y, width, height;
};

// The bitmaps of a window's buttons, by the buttons' order.
class PictureButtons {
  public:
    explicit PictureButtons(std::span<const PictureButton> buttons)
        : buttons_(buttons), bitmaps_(buttons.size()) {}

    // Creates the buttons as children of `parent` (hidden ones when `shown` is false) and loads
    // their bitmaps.
    void create(platform::ui::Window parent, bool shown = true);
    void release();
    // Draws the button of the item; false when it is none of these.
    bool draw(const platform::ui::DrawItem& item) const;

  private:
    std::span<const PictureButton> buttons_;
    std::vector<i18n::HeldButtonBitmap> bitmaps_;
};

// The bitmap by a plain copy into the button; without one, a labelled face.
void drawPictureButton(const platform::ui::DrawItem& item, const platform::gfx::Surface* bitmap);

}  // namespace setpoints
