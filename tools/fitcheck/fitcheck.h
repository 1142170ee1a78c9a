#pragma once
// Judges the `extents` dumps of the display's scripts: every text must keep to its rectangle and
// the screen, keep clear of the other texts of its window, stand out from what it is drawn on
// and be large enough to read at arm's length.

#include <string>
#include <string_view>
#include <vector>

namespace fitcheck {

struct Box {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
};

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
};

// One line of an extents dump.
struct Extent {
    std::string className;
    Box rect;
    Box glyphs;
    Rgb color;
    Rgb background;
    int fontHeight = 0;
    std::string text;  // as escaped in the dump
    int line = 0;      // in its file
};

// The lines of a dump; a line that does not parse is named in `errors` ("line N: ...").
std::vector<Extent> parseExtents(std::string_view dump, std::vector<std::string>& errors);

// The usual relative-luminance contrast ratio, 1 to 21.
double contrastRatio(Rgb a, Rgb b);

inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;
inline constexpr int kMinFontHeight = 11;
inline constexpr int kLargeFontHeight = 18;
inline constexpr double kMinContrast = 4.5;
inline constexpr double kMinContrastLarge = 3.0;

// Everything wrong with the texts of one screen, one finding a line ("overflow ...",
// "overlap ...", "contrast ...", "tiny ...").
std::vector<std::string> check(const std::vector<Extent>& texts);

}  // namespace fitcheck
