#pragma once
// Builds language files as the panel stores them: UTF-16 little-endian, FF FE, CR LF.

#include <string>
#include <vector>

#include "i18n/text.h"

namespace i18ntest {

inline std::string utf16le(const std::string& utf8) {
    std::string bytes;
    for (char16_t c : i18n::toUtf16(utf8)) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

inline std::string lineFile(const std::vector<std::string>& lines) {
    std::string bytes = "\xFF\xFE";
    for (const auto& line : lines)
        bytes += utf16le(line + "\r\n");
    return bytes;
}

}  // namespace i18ntest
