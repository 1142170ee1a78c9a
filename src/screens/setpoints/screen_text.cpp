#include "screens/setpoints/screen_text.h"

#include "i18n/language.h"
#include "link/dryer_state.h"

namespace setpoints {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

std::string text(int stringNumber, std::string_view fallback) {
    std::string s = i18n::GetString(stringNumber);
    return s.empty() ? std::string(fallback) : s;
}

void drawLine(gfx::Painter& painter, std::string_view line, int x, int y, gfx::Color color,
              int right) {
    painter.drawText(line, {x, y, right, y + kLineHeight}, gfx::systemFont(),
                     {color, gfx::kSingleLine, kPanelGrey});
}

void registerRepaint(dryer::Window linkWindow, ui::Window window) {
    dryer::dryerState().hooks.registerWindow(linkWindow, [window](bool erase,
                                                                  const dryer::RepaintArea* area) {
        if (area == nullptr) {
            ui::invalidate(window, erase);
        } else {
            ui::invalidateRect(window, {area->left, area->top, area->right, area->bottom}, erase);
        }
    });
}

void unregisterRepaint(dryer::Window linkWindow) {
    dryer::dryerState().hooks.unregisterWindow(linkWindow);
}

}  // namespace setpoints
