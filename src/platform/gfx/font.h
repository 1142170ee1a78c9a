#pragma once
// Fonts by face, height in pixels and weight. Every face ("Tahoma", "System", ...) maps to
// DejaVu Sans: regular below weight 600, bold from 600. Glyphs are rendered once by FreeType
// and kept in a cache shared by all painters (thread-safe).

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/types.h"

namespace platform::gfx {

struct FontSpec {
    std::string face = "Tahoma";
    int height = 13;  // cell height in pixels (ascent + descent); 0 or less means 13
    int weight = 400;
    bool operator==(const FontSpec&) const = default;
};

inline FontSpec font(int height, int weight = 400) {
    return FontSpec{"Tahoma", height, weight};
}

// The font used by controls, dialogs and message boxes.
FontSpec systemFont();
FontSpec systemBoldFont();

// A rendered glyph: 8-bit coverage, placed relative to the pen position on the baseline.
struct Glyph {
    int width = 0;
    int rows = 0;
    int left = 0;  // from the pen position to the first column
    int top = 0;   // from the baseline up to the first row
    int advance = 0;
    std::vector<uint8_t> coverage;
};

struct FontMetrics {
    int height = 0;  // line height
    int ascent = 0;  // from the top of the line to the baseline
    int averageWidth = 0;
};

// False when the font files cannot be opened; text then measures and draws as nothing.
bool fontsAvailable();
FontMetrics fontMetrics(const FontSpec& font);
// The glyph of one code point (never null).
std::shared_ptr<const Glyph> glyph(const FontSpec& font, char32_t codePoint);
void clearGlyphCache();

// UTF-8 to code points; a malformed sequence gives U+FFFD.
std::u32string decodeUtf8(std::string_view text);

}  // namespace platform::gfx
