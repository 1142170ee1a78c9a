#pragma once
// Drawing helpers shared by the status screens: text that keeps to its box in every language,
// and the one-word-per-line state words under the gauges.

#include <string_view>

#include "platform/gfx/painter.h"

namespace status {

// The smallest font the status texts shrink to.
inline constexpr int kSmallestFont = 8;

// Draws `text` on one line in `rect` with the largest font up to `height` (and no taller than
// the rectangle) whose line fits the rectangle's width; never below kSmallestFont.
void drawFitted(platform::gfx::Painter& p, std::string_view text, const platform::gfx::Rect& rect,
                int height, int weight, platform::gfx::Color color, unsigned align);

// Draws a state word centred under x = `centreX`, one word a line from `top`: through a
// rectangle one pixel wide with word breaks and no clipping. The font shrinks from `height`
// until the widest word fits `width` and the lines fit above `bottom`.
void drawStateWord(platform::gfx::Painter& p, std::string_view text, int centreX, int top,
                   int bottom, int width, int height, platform::gfx::Color color);

// Draws `text` word-broken in `rect`, shrinking the font from `height` until every word fits
// the width and the lines fit the height.
void drawWords(platform::gfx::Painter& p, std::string_view text, const platform::gfx::Rect& rect,
               int height, int weight, platform::gfx::Color color);

}  // namespace status
