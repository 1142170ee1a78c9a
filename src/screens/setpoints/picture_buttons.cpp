#include "screens/setpoints/picture_buttons.h"

#include "platform/ui/controls.h"

namespace setpoints {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

void PictureButtons::create(ui::Window parent, bool shown) {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const PictureButton& b = buttons_[i];
        const uint32_t visible = shown ? ui::kVisible : 0u;
        ui::createWindow(ui::kButtonClass, "SETUP", ui::kChild | ui::kOwnerDraw | visible,
                         gfx::Rect::fromSize(b.x, b.y, b.width, b.height), parent, b.id);
        bitmaps_[i].load(b.bitmap);
    }
}

void PictureButtons::release() {
    for (auto& bitmap : bitmaps_)
        bitmap.load(0);
}

bool PictureButtons::draw(const ui::DrawItem& item) const {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (buttons_[i].id != item.controlId) continue;
        drawPictureButton(item, bitmaps_[i].get());
        return true;
    }
    return false;
}

void drawPictureButton(const ui::DrawItem& item, const gfx::Surface* bitmap) {
    gfx::Painter& p = item.painter;
    if (bitmap != nullptr) {
        p.copyBitmap(*bitmap, {item.rect.left, item.rect.top});
    } else {
        p.fillRect(item.rect, gfx::rgb(70, 80, 96));
        p.drawText(
            ui::windowText(item.control), item.rect, gfx::font(16, 700),
            {gfx::colors::kWhite, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine});
    }
    // A pressed button shows a light frame: the pictures have no pressed face of their own.
    if (item.pressed) p.drawFrame(item.rect, gfx::colors::kWhite, 2);
}

}  // namespace setpoints
