#include "screens/setpoints/word_wrap.h"

namespace setpoints {
namespace {

bool continuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte offset `count` characters after `from`, or the end.
size_t advance(std::string_view text, size_t from, size_t count) {
    size_t at = from;
    while (count > 0 && at < text.size()) {
        ++at;
        while (at < text.size() && continuationByte(text[at]))
            ++at;
        --count;
    }
    return at;
}

size_t skipSpaces(std::string_view text, size_t at) {
    while (at < text.size() && text[at] == ' ')
        ++at;
    return at;
}

}  // namespace

std::vector<std::string> wrapWords(std::string_view text, size_t width, size_t maxLines) {
    std::vector<std::string> lines;
    if (width == 0) return lines;
    size_t start = skipSpaces(text, 0);
    while (start < text.size() && lines.size() < maxLines) {
        const size_t limit = advance(text, start, width);
        if (limit >= text.size()) {
            lines.emplace_back(text.substr(start));
            break;
        }
        // A space right after the last character that fits is a break too.
        const size_t space = text.substr(0, limit + 1).rfind(' ');
        const size_t end = space != std::string_view::npos && space > start ? space : limit;
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && line.back() == ' ')
            line.remove_suffix(1);
        lines.emplace_back(line);
        start = skipSpaces(text, end);
    }
    return lines;
}

}  // namespace setpoints
