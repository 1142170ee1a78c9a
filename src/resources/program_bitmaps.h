#pragma once
// The program's own numbered bitmaps: dryer pictures, fan/heater and motor icons, lamps, the
// warning window's pictures and the faces of the buttons that are not localized. The build draws
// them into the panel image ("\Hard Disk\Program\Bitmaps\BITMAP_nnn.BMP"); they are read once
// and shared, so screens may ask for them on every paint.

#include <memory>
#include <span>
#include <string>

#include "platform/gfx/surface.h"

namespace resources {

using ProgramBitmap = std::shared_ptr<const platform::gfx::Surface>;

struct ProgramBitmapSpec {
    int number;
    int width;
    int height;
};

// Every bitmap the program holds, by number, with its size in pixels.
std::span<const ProgramBitmapSpec> programBitmapTable();
// Null for a number the program does not hold.
const ProgramBitmapSpec* programBitmapSpec(int number);

// The MISC button's face while the drying mode locks it out (105 x 40).
inline constexpr int kMiscLockedBitmap = 212;

// The device path of bitmap `number`; empty for a number the program does not hold.
std::string ProgramBitmapPath(int number);

// Bitmap `number`, or null when the program does not hold it or its file does not load (the
// caller then draws without it). Any thread.
ProgramBitmap LoadProgramBitmap(int number);

}  // namespace resources
