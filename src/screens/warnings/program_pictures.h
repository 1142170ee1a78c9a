#pragma once
// The program's own pictures that the warning window shows: 259 the display, 260 the dryer
// (the two ends of the connection-lost cable) and 517 the warning sign.

#include "platform/gfx/surface.h"

namespace warnings {

// Picture 259 (75 x 56), 260 (75 x 93) or 517 (50 x 46); an empty surface for any other number.
// UI thread.
const platform::gfx::Surface& programPicture(int number);

}  // namespace warnings
