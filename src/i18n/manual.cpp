#include "i18n/manual.h"

#include <string_view>

#include "i18n/language.h"
#include "platform/files/files.h"

namespace i18n {
namespace {

constexpr std::string_view kPageBreak = "---";

// Length of the well-formed UTF-8 sequence at the front of `s` (shortest form, no surrogates,
// at most U+10FFFF), or 0.
size_t sequenceLength(std::string_view s) {
    const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
    const auto trail = [&](size_t i) { return i < s.size() && (byte(i) & 0xC0) == 0x80; };
    const uint8_t lead = byte(0);
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return trail(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (!trail(1) || !trail(2)) return 0;
        if (lead == 0xE0 && byte(1) < 0xA0) return 0;   // overlong
        if (lead == 0xED && byte(1) >= 0xA0) return 0;  // surrogate
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (!trail(1) || !trail(2) || !trail(3)) return 0;
        if (lead == 0xF0 && byte(1) < 0x90) return 0;   // overlong
        if (lead == 0xF4 && byte(1) >= 0x90) return 0;  // above U+10FFFF
        return 4;
    }
    return 0;
}

bool acceptableLine(std::string_view line) {
    if (line.size() > kManualLineBytes) return false;
    for (size_t i = 0; i < line.size();) {
        const auto c = static_cast<uint8_t>(line[i]);
        if ((c < 0x20 && c != '\t') || c == 0x7F) return false;
        const size_t length = sequenceLength(line.substr(i));
        if (length == 0) return false;
        i += length;
    }
    return true;
}

bool blank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// Adds a line to the page being read: the first non-blank line is the heading.
void addLine(ManualPage& page, std::string_view line) {
    if (page.heading.empty()) {
        if (!blank(line)) page.heading = std::string(line);
        return;
    }
    page.paragraphs.emplace_back(blank(line) ? std::string_view{} : line);
}

// A page as shown: its heading and paragraphs without the gaps at their end.
bool finishPage(Manual& manual, ManualPage& page) {
    while (!page.paragraphs.empty() && page.paragraphs.back().empty())
        page.paragraphs.pop_back();
    if (!page.heading.empty()) manual.pages.push_back(std::move(page));
    page = {};
    return manual.pages.size() <= kManualPages;
}

}  // namespace

std::optional<Manual> parseManual(std::span<const uint8_t> bytes) {
    if (bytes.size() > kManualBytes) return std::nullopt;
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    Manual manual;
    ManualPage page;
    bool notes = true;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!acceptableLine(line)) return std::nullopt;
        if (notes && (line.starts_with('#') || blank(line))) continue;
        notes = false;
        if (line == kPageBreak) {
            if (!finishPage(manual, page)) return std::nullopt;
            continue;
        }
        addLine(page, line);
    }
    if (!finishPage(manual, page) || manual.pages.empty()) return std::nullopt;
    return manual;
}

std::optional<Manual> ReadManual() {
    LoadLanguageIfStale();
    for (const LanguageId id : {GetLanguage(), kEnglish}) {
        const auto bytes = platform::readWholeFile(
            DataRootPath(languageFolder(id) + kManualFileName), kManualBytes);
        if (!bytes) continue;
        if (auto manual = parseManual(*bytes)) return manual;
    }
    return std::nullopt;
}

}  // namespace i18n
