#pragma once
// Bevels and small pictures shared by the frame and the controls.

#include "platform/gfx/painter.h"

namespace platform::ui::detail {

// Two-pixel raised edge (buttons, window edges) inside `r`.
void drawRaisedEdge(gfx::Painter& p, const gfx::Rect& r);
// Two-pixel sunken edge (client edges, fields, lists) inside `r`.
void drawSunkenEdge(gfx::Painter& p, const gfx::Rect& r);
// One-pixel edge: light top-left and shadow bottom-right, or the reverse.
void drawThinEdge(gfx::Painter& p, const gfx::Rect& r, bool raised);
// A filled triangle pointing up, down, left or right, centred in `r`.
enum class Arrow { Up, Down, Left, Right };
void drawArrow(gfx::Painter& p, const gfx::Rect& r, Arrow direction, gfx::Color color);

}  // namespace platform::ui::detail
