#pragma once
// Text colours that can be read at arm's length: every text the painter draws keeps a contrast
// ratio of 4.5:1 against what it is drawn on (3:1 from 18 pixels up). A colour that falls short
// is lifted to a lighter tint of its hue on a dark ground, or a darker shade on a light one, just
// far enough; the screens keep asking for the colours they always did.

#include <optional>

#include "platform/gfx/surface.h"
#include "platform/gfx/types.h"

namespace platform::gfx {

inline constexpr double kMinTextContrast = 4.5;
inline constexpr double kMinLargeTextContrast = 3.0;
inline constexpr int kLargeTextHeight = 18;

// The usual relative-luminance contrast ratio, 1 to 21.
double contrastRatio(Color a, Color b);

// `text` itself when it stands out enough from `ground` at that cell height; else the nearest
// mix of it with white or black (whichever stands out more from the ground) that does.
Color legibleColor(Color text, Color ground, int cellHeight);

// The most frequent opaque colour of `area` on the surface other than `except`; none when the
// area holds no such pixel.
std::optional<Color> dominantColor(const Surface& surface, const Rect& area, Color except);

}  // namespace platform::gfx
