#pragma once
// Text drawing shared by the setpoint screens' child windows: one line at a time on the grey
// window background, numbered strings with a fallback while the language lacks them.

#include <string>
#include <string_view>

#include "link/hooks.h"
#include "platform/gfx/painter.h"
#include "platform/ui/ui.h"

namespace setpoints {

inline constexpr platform::gfx::Color kPanelGrey = platform::gfx::rgb(192, 192, 192);
inline constexpr int kLineHeight = 15;

// The child windows of both screens: grey, captioned, with sunken and raised edges.
inline constexpr uint32_t kChildWindowStyle = platform::ui::kChild | platform::ui::kVisible |
                                              platform::ui::kCaption | platform::ui::kClientEdge |
                                              platform::ui::kWindowEdge;

std::string text(int stringNumber, std::string_view fallback = {});

// One line in the normal font, left-aligned from x to `right`, on the grey background.
void drawLine(platform::gfx::Painter& painter, std::string_view line, int x, int y,
              platform::gfx::Color color, int right = 10000);

// Registers the window with the decoder's repaint requests until unregistered.
void registerRepaint(dryer::Window linkWindow, platform::ui::Window window);
void unregisterRepaint(dryer::Window linkWindow);

}  // namespace setpoints
