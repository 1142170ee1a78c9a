#pragma once
// The panel's language files are UTF-16 little-endian; the rest of the program works in UTF-8.
// Character counts and limits are in UTF-16 units, as the files and tables count them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace i18n {

// UTF-16 units to UTF-8, stopping at the first zero unit. A surrogate without its partner
// becomes U+FFFD.
std::string toUtf8(std::u16string_view text);
// UTF-8 to UTF-16; malformed bytes become U+FFFD.
std::u16string toUtf16(std::string_view text);
// Little-endian byte pairs to UTF-8 (an odd last byte is dropped), stopping at a zero unit.
std::string utf16leToUtf8(std::span<const uint8_t> bytes);

// The first `limit` UTF-16 units of a text; a surrogate pair cut in half is dropped whole.
std::u16string_view firstUnits(std::u16string_view text, size_t limit);
// The same for a UTF-8 text, counted in UTF-16 units.
std::string firstChars(std::string_view text, size_t limit);
// Length of a UTF-8 text in UTF-16 units.
size_t charCount(std::string_view text);

}  // namespace i18n
