#include "i18n/line_file.h"

#include <algorithm>

#include "i18n/text.h"

namespace i18n {

size_t storeLines(std::span<const uint8_t> bytes, std::span<TableEntry> entries) {
    TableEntry line{};
    size_t length = 0;
    bool textEnded = false;  // after a CR nothing more belongs to the line until its LF
    size_t stored = 0;
    for (size_t i = 2; i + 1 < bytes.size() && stored < entries.size(); i += 2) {
        const auto c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (c == u'\r') {
            textEnded = true;
        } else if (c == u'\n') {
            std::fill(line.begin() + length, line.end(), u'\0');
            entries[stored++] = line;
            length = 0;
            textEnded = false;
        } else if (!textEnded && length < kEntryChars) {
            line[length++] = c;
        }
    }
    return stored;
}

std::vector<uint8_t> encodeLineFile(const std::vector<std::string>& lines) {
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    auto put = [&bytes](char16_t c) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    };
    for (const auto& line : lines) {
        for (char16_t c : toUtf16(line))
            put(c);
        put(u'\r');
        put(u'\n');
    }
    return bytes;
}

}  // namespace i18n
