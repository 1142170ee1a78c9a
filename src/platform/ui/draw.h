#pragma once
// Bevels and small pictures shared by the frame and the controls.

#include <string_view>

#include "platform/gfx/font.h"
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

// Plain push buttons wear the face of the main button bar's pictures: a dark rim, a light edge
// and a blue face shaded from top to bottom with a gloss on its upper part; pressed the face is
// darker and unglossed, disabled it is grey.
enum class ButtonLook { Normal, Pressed, Disabled };
void drawButtonFace(gfx::Painter& p, const gfx::Rect& r, ButtonLook look);
// The label colour on that face.
gfx::Color buttonLabelColor(ButtonLook look);
// The colour of each row of the face, top first (the rim and edge rows included).
gfx::Color buttonFaceRow(const gfx::Rect& r, int y, ButtonLook look);

// Dialog texts are drawn no smaller than this where their rectangle leaves room, and shrink to
// fit down to kSmallestDialogText.
inline constexpr int kDialogTextHeight = 14;
inline constexpr int kSmallestDialogText = 11;

// Push button faces this high and more take labels the size of the main button bar's.
inline constexpr int kTallFace = 30;
inline constexpr int kTallLabelHeight = 16;

// Whether `text` laid out in `rect` with `flags` keeps inside it, its cells and its ink.
bool textFits(std::string_view text, const gfx::Rect& rect, const gfx::FontSpec& font,
              unsigned flags);
// `font` at `preferred` pixels (or its own height where that is larger), made smaller a pixel at
// a time until `text` laid out with `flags` keeps inside `rect`, but not below
// kSmallestDialogText (a font set smaller than that keeps its own height as the floor).
gfx::FontSpec fittedFont(std::string_view text, const gfx::Rect& rect, gfx::FontSpec font,
                         unsigned flags, int preferred);

// The caption bar of a window with its title, bold, in white on the title bar's dark blue.
inline constexpr gfx::Color kTitleBar = gfx::rgb(21, 61, 117);
void drawCaptionBar(gfx::Painter& p, const gfx::Rect& bar, std::string_view title);

}  // namespace platform::ui::detail
