#include "i18n/line_file.h"

#include <algorithm>

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

}  // namespace i18n
