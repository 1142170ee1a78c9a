// Builds the language files of the panel image from the UTF-8 sources in assets/languages:
// per language the strings file, the nine warnings files, the help files and the warning help
// texts, all UTF-16 little-endian with a byte-order mark and CR LF line ends, as the display
// reads them, and the operator's guide as UTF-8. Every language of the display gets its folders,
// with or without a pack.
//
//   orvane-langpack <assets/languages> <panel image dir>
//
// A source that breaks a limit of the display's loaders stops the build with a message.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "i18n/line_file.h"
#include "i18n/manual.h"
#include "i18n/resources.h"
#include "i18n/text.h"
#include "tools/common/source_text.h"

namespace fs = std::filesystem;

namespace {

using tools::fail;

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// "<number><TAB><text>" lines; blank lines and lines starting with '#' are notes.
std::optional<int> parseNumber(std::string_view digits, int last) {
    if (digits.empty()) return std::nullopt;
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
        if (number > last) return std::nullopt;
    }
    return number;
}

// "<number><TAB><text>" lines; blank lines and lines starting with '#' are notes.
std::optional<std::map<int, std::string>> readNumbered(const fs::path& path, int first, int last,
                                                       size_t maxChars) {
    const auto text = tools::readSourceText(path);
    if (!text) return std::nullopt;
    std::map<int, std::string> entries;
    int lineNumber = 0;
    for (const auto& line : splitLines(*text)) {
        ++lineNumber;
        if (line.empty() || line[0] == '#') continue;
        const std::string where = path.string() + ":" + std::to_string(lineNumber) + ": ";
        const size_t tab = line.find('\t');
        const auto number = parseNumber(std::string_view(line).substr(0, tab), last);
        if (tab == std::string::npos || !number || *number < first) {
            fail(where + "expected NUMBER<TAB>TEXT with a number from " + std::to_string(first) +
                 " to " + std::to_string(last));
            return std::nullopt;
        }
        if (entries.contains(*number)) {
            fail(where + "number given twice");
            return std::nullopt;
        }
        std::string entry = line.substr(tab + 1);
        if (i18n::charCount(entry) > maxChars) {
            fail(where + "longer than " + std::to_string(maxChars) + " characters");
            return std::nullopt;
        }
        entries[*number] = std::move(entry);
    }
    return entries;
}

std::vector<std::string> asLines(const std::map<int, std::string>& entries, int first) {
    std::vector<std::string> lines;
    if (entries.empty()) return lines;
    for (int n = first; n <= entries.rbegin()->first; ++n) {
        auto it = entries.find(n);
        lines.push_back(it == entries.end() ? std::string() : it->second);
    }
    return lines;
}

bool writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes, size_t limit) {
    if (bytes.size() > limit) {
        return fail(path.string() + ": " + std::to_string(bytes.size()) +
                    " bytes, the display reads only " + std::to_string(limit));
    }
    std::error_code ignored;
    fs::create_directories(path.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return out ? true : fail(path.string() + ": cannot be written");
}

// The strings file's path in the folder "Languages\XX\" of the panel image.
fs::path stringsFilePath(const fs::path& folder, const i18n::LanguageInfo& info) {
    const std::string_view relative = info.stringsFile;
    return folder / std::string(relative.substr(relative.rfind('\\') + 1));
}

bool buildStrings(const fs::path& source, const fs::path& folder, const i18n::LanguageInfo& info) {
    const auto entries =
        readNumbered(source / "strings.txt", 1, i18n::kStringCount, i18n::kStringChars);
    return entries &&
           writeBytes(stringsFilePath(folder, info), i18n::encodeLineFile(asLines(*entries, 1)),
                      i18n::kStringsFileBytes);
}

struct WarningSource {
    const char* source;  // file in <language>/warnings
    int table;
    int nodeId;
};

// One fan/heater source serves the six fan/heater tables, each with its own node number.
constexpr WarningSource kWarningSources[] = {
    {"DIO.txt", 0, 1}, {"FH.txt", 1, 2}, {"FH.txt", 2, 3},   {"FH.txt", 3, 4},  {"FH.txt", 4, 5},
    {"FH.txt", 5, 6},  {"FH.txt", 6, 7}, {"MIO.txt", 7, 14}, {"MC.txt", 8, 15},
};

// Every warning text begins with its node and warning number in hexadecimal ("0F07 ..."), so
// that the shutdown history can find the help of a stored text.
bool buildWarnings(const fs::path& source, const fs::path& folder) {
    for (const auto& w : kWarningSources) {
        auto entries = readNumbered(source / "warnings" / w.source, 0, i18n::kWarningCount - 1,
                                    i18n::kWarningChars - 5);
        if (!entries) return false;
        for (auto& [number, text] : *entries) {
            if (number == 0 || text.empty()) continue;
            char code[8];
            std::snprintf(code, sizeof code, "%02X%02X ", w.nodeId, number & 0xFF);
            text = code + text;
        }
        if (!writeBytes(folder / std::string(i18n::warningsFileName(w.table)),
                        i18n::encodeLineFile(asLines(*entries, 0)), i18n::kWarningsFileBytes)) {
            return false;
        }
    }
    return true;
}

// Help files are shown whole, so a text must fit its limit; the last line keeps no line end.
bool buildHelpFiles(const fs::path& source, const fs::path& folder) {
    for (const auto& help : i18n::kHelpFiles) {
        const auto text = tools::readSourceText(source / "help" / std::string(help.name));
        if (!text) return false;
        std::vector<std::string> lines = splitLines(*text);
        while (!lines.empty() && lines.back().empty())
            lines.pop_back();
        std::vector<uint8_t> bytes = i18n::encodeLineFile(lines);
        if (bytes.size() >= 4) bytes.resize(bytes.size() - 4);
        if (!writeBytes(folder / std::string(help.name), bytes, help.byteLimit)) return false;
    }
    return true;
}

// Warning help texts: one list entry per line, each line ended by CR LF.
bool buildWarningHelp(const fs::path& source, const fs::path& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(source / "warning_help", error)) {
        if (entry.path().extension() != ".txt") continue;
        const auto text = tools::readSourceText(entry.path());
        if (!text) return false;
        std::vector<std::string> lines = splitLines(*text);
        while (!lines.empty() && lines.back().empty())
            lines.pop_back();
        if (!writeBytes(folder / "WarningBitmaps" / entry.path().filename(),
                        i18n::encodeLineFile(lines), i18n::kWarningHelpBytes)) {
            return false;
        }
    }
    return true;
}

// The operator's guide, copied as it is (UTF-8) once it reads as a guide; a language without one
// shows the English guide.
bool buildManual(const fs::path& source, const fs::path& folder) {
    const fs::path path = source / "manual.txt";
    if (!fs::exists(path)) return true;
    const auto text = tools::readSourceText(path);
    if (!text) return false;
    const std::vector<uint8_t> bytes(text->begin(), text->end());
    if (!i18n::parseManual(bytes)) {
        return fail(path.string() + ": not a guide the display reads (UTF-8 text, at most " +
                    std::to_string(i18n::kManualPages) + " pages of lines up to " +
                    std::to_string(i18n::kManualLineBytes) + " bytes)");
    }
    return writeBytes(folder / i18n::kManualFileName, bytes, i18n::kManualBytes);
}

bool buildLanguage(const fs::path& assets, const fs::path& languages, i18n::LanguageId id) {
    const auto& info = i18n::languageInfo(id);
    const fs::path folder = languages / std::string(info.folderCode);
    std::error_code error;
    fs::create_directories(folder / "Bitmaps", error);
    fs::create_directories(folder / "WarningBitmaps", error);
    if (error) return fail(folder.string() + ": " + error.message());
    const fs::path source = assets / std::string(info.folderCode);
    if (!fs::exists(source / "strings.txt")) return true;
    return buildStrings(source, folder, info) && buildWarnings(source, folder) &&
           buildHelpFiles(source, folder) && buildWarningHelp(source, folder) &&
           buildManual(source, folder);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <assets/languages> <panel image dir>\n", argv[0]);
        return 2;
    }
    const fs::path languages = fs::path(argv[2]) / "Hard Disk" / "Languages";
    for (int id = 0; id < i18n::kLanguageCount; ++id) {
        if (!buildLanguage(argv[1], languages, static_cast<i18n::LanguageId>(id))) {
            std::fprintf(stderr, "orvane-langpack: %s\n", tools::firstFailure().c_str());
            return 1;
        }
    }
    return 0;
}
