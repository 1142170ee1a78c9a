#pragma once
// The program's own numbered bitmaps as SVG documents: the four dryer pictures, the fan/heater,
// motor and lamp icons drawn over them, the warning window's pictures and the faces of the
// buttons that are not localized.

#include <string>

namespace artwork {

// The SVG document of program bitmap `number` at its size; empty for a number the program does
// not hold.
std::string programBitmapSvg(int number);

}  // namespace artwork
