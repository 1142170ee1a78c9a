#include "tools/langcheck/langcheck.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include "i18n/language.h"
#include "i18n/line_file.h"
#include "i18n/resources.h"
#include "i18n/text.h"
#include "platform/gfx/bmp.h"

namespace langcheck {
namespace {

namespace fs = std::filesystem;

// Texts by number; a number whose line is empty is absent.
using Texts = std::map<int, std::string>;

std::optional<std::vector<uint8_t>> readBytes(const fs::path& path, size_t limit) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<uint8_t> bytes;
    char c;
    while (bytes.size() < limit && in.get(c))
        bytes.push_back(static_cast<uint8_t>(c));
    return bytes;
}

// A strings or warnings file read as the display reads it; `first` is the number of its first
// line (1 for strings, 0 for warnings).
std::optional<Texts> readLineFile(const fs::path& path, size_t limit, size_t lines, int first) {
    const auto bytes = readBytes(path, limit);
    if (!bytes) return std::nullopt;
    std::vector<i18n::TableEntry> entries(lines);
    const size_t stored = i18n::storeLines(*bytes, entries);
    Texts texts;
    for (size_t i = 0; i < stored; ++i) {
        std::string text = i18n::toUtf8(std::u16string_view(entries[i].data()));
        if (!text.empty()) texts[static_cast<int>(i) + first] = std::move(text);
    }
    return texts;
}

fs::path languageFolder(const fs::path& image, i18n::LanguageId id) {
    return image / "Hard Disk" / "Languages" / std::string(i18n::languageInfo(id).folderCode);
}

std::optional<Texts> readStrings(const fs::path& image, i18n::LanguageId id) {
    const std::string_view relative = i18n::languageInfo(id).stringsFile;
    const std::string name(relative.substr(relative.rfind('\\') + 1));
    return readLineFile(languageFolder(image, id) / name, i18n::kStringsFileBytes,
                        i18n::kStringCount, 1);
}

std::optional<Texts> readWarnings(const fs::path& image, i18n::LanguageId id, int table) {
    auto texts =
        readLineFile(languageFolder(image, id) / std::string(i18n::warningsFileName(table)),
                     i18n::kWarningsFileBytes, i18n::kWarningCount, 0);
    if (texts) texts->erase(0);  // the first line is never shown
    return texts;
}

// Numbers as "3, 7-9, 12".
std::string numberList(const std::vector<int>& numbers) {
    std::string out;
    for (size_t i = 0; i < numbers.size();) {
        size_t j = i;
        while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1)
            ++j;
        if (!out.empty()) out += ", ";
        out += std::to_string(numbers[i]);
        if (j > i) out += "-" + std::to_string(numbers[j]);
        i = j + 1;
    }
    return out;
}

std::string joined(const std::vector<std::string>& parts) {
    std::string out;
    for (const auto& p : parts)
        out += (out.empty() ? "" : " ") + p;
    return out.empty() ? "none" : out;
}

// Texts that may stay as they are in English: "TEXT" for every language, "CODE<TAB>TEXT" for one.
struct Accepted {
    std::set<std::string> everywhere;
    std::set<std::pair<std::string, std::string>> perLanguage;
    bool has(std::string_view code, const std::string& text) const {
        return everywhere.contains(text) || perLanguage.contains({std::string(code), text});
    }
};

Accepted readAccepted(const fs::path& path) {
    Accepted accepted;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            accepted.everywhere.insert(line);
        } else {
            accepted.perLanguage.insert({line.substr(0, tab), line.substr(tab + 1)});
        }
    }
    return accepted;
}

// A text without letters (numbers, units signs, placeholders) needs no translation.
bool hasLetters(std::string_view text) {
    std::string plain(text);
    for (const std::string& p : placeholders(text)) {
        const size_t at = plain.find(p);
        if (at != std::string::npos) plain.erase(at, p.size());
    }
    return std::any_of(plain.begin(), plain.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c & 0x80) != 0;
    });
}

// What English has, the measure of every other language.
struct English {
    Texts strings;
    std::array<Texts, i18n::kWarningTableCount> warnings;
    std::map<std::string, platform::gfx::Size> bitmaps;  // file name, size
    std::vector<std::pair<int, int>> allWarnings;        // node, warning: of the four sources
    std::set<std::string> warningFiles;                  // pictures and help texts it has
};

// The tables whose warnings have pictures: display I/O, fan/heater (node 2 serves all six),
// main I/O and moisture control.
constexpr std::array<std::pair<int, int>, 4> kPictureSources = {{{0, 1}, {1, 2}, {7, 14}, {8, 15}}};

std::string warningFile(int node, int warning, const char* extension) {
    char name[48];
    std::snprintf(name, sizeof name, "NID_%02d_WARNING_ID_%02d.%s", node, warning, extension);
    return name;
}

std::optional<English> readEnglish(const fs::path& image) {
    English en;
    auto strings = readStrings(image, i18n::kEnglish);
    if (!strings) return std::nullopt;
    en.strings = std::move(*strings);
    for (int t = 0; t < i18n::kWarningTableCount; ++t)
        en.warnings[t] = readWarnings(image, i18n::kEnglish, t).value_or(Texts{});
    const fs::path folder = languageFolder(image, i18n::kEnglish);
    for (int n = 1; n < i18n::kButtonBitmapCount; ++n) {
        const std::string name(i18n::ButtonBitmapNames[n]);
        if (const auto bitmap = platform::gfx::loadBmp((folder / "Bitmaps" / name).string())) {
            en.bitmaps[name] = bitmap->size();
        }
    }
    for (const auto& [table, node] : kPictureSources) {
        for (const auto& [warning, text] : en.warnings[table]) {
            en.allWarnings.push_back({node, warning});
            for (const char* extension : {"bmp", "txt"}) {
                const std::string file = warningFile(node, warning, extension);
                if (fs::exists(folder / "WarningBitmaps" / file)) en.warningFiles.insert(file);
            }
        }
    }
    return en;
}

// One language's findings; `problems` counts what fails a shipped language.
class LanguageReport {
  public:
    LanguageReport(const English& en, const Accepted& accepted, const fs::path& image,
                   i18n::LanguageId id, std::ostream& out)
        : en_(en), accepted_(accepted), image_(image), id_(id), out_(out) {}

    int run() {
        checkStrings();
        checkWarnings();
        checkHelpFiles();
        checkBitmaps();
        checkWarningPictures();
        return problems_;
    }

  private:
    void line(const std::string& text) { out_ << "  " << text << "\n"; }
    std::string_view code() const { return i18n::languageInfo(id_).folderCode; }
    fs::path folder() const { return languageFolder(image_, id_); }

    void checkStrings() {
        const Texts own = readStrings(image_, id_).value_or(Texts{});
        std::vector<int> missing;
        std::vector<std::string> differing;
        std::vector<std::string> identical;
        int present = 0;
        for (const auto& [number, english] : en_.strings) {
            const auto it = own.find(number);
            if (it == own.end()) {
                missing.push_back(number);
                continue;
            }
            ++present;
            const auto a = placeholders(english);
            const auto b = placeholders(it->second);
            if (a != b) {
                differing.push_back(std::to_string(number) + " (English " + joined(a) + ", here " +
                                    joined(b) + ")");
            }
            if (id_ != i18n::kEnglish && it->second == english && hasLetters(english) &&
                !accepted_.has(code(), english)) {
                identical.push_back(std::to_string(number) + " \"" + english + "\"");
            }
        }
        std::vector<int> extra;
        for (const auto& entry : own) {
            if (!en_.strings.contains(entry.first)) extra.push_back(entry.first);
        }
        std::string summary =
            "strings: " + std::to_string(present) + " of " + std::to_string(en_.strings.size());
        if (!missing.empty()) summary += ", missing " + numberList(missing);
        if (!extra.empty()) summary += ", not in English " + numberList(extra);
        line(summary);
        problems_ += static_cast<int>(missing.size() + differing.size());
        if (!differing.empty()) {
            line("placeholders differing from English: " + std::to_string(differing.size()));
            for (const auto& d : differing)
                line("  " + d);
        }
        if (id_ != i18n::kEnglish) {
            line("identical to English (not accepted): " + std::to_string(identical.size()));
            for (const auto& d : identical)
                line("  " + d);
        }
    }

    void checkWarnings() {
        std::string summary = "warnings:";
        for (int t = 0; t < i18n::kWarningTableCount; ++t) {
            const Texts own = readWarnings(image_, id_, t).value_or(Texts{});
            std::vector<int> missing;
            for (const auto& entry : en_.warnings[t]) {
                if (!own.contains(entry.first)) missing.push_back(entry.first);
            }
            const int have = static_cast<int>(en_.warnings[t].size() - missing.size());
            std::string name(i18n::warningsFileName(t));
            name = name.substr(8, name.size() - 12);  // "WarningsFH1.txt" gives "FH1"
            summary += " " + name + " " + std::to_string(have) + "/" +
                       std::to_string(en_.warnings[t].size());
            if (!missing.empty()) summary += " (missing " + numberList(missing) + ")";
            problems_ += static_cast<int>(missing.size());
        }
        line(summary);
    }

    void checkHelpFiles() {
        std::vector<std::string> missing;
        for (const auto& help : i18n::kHelpFiles) {
            const std::string name(help.name);
            if (!fs::exists(folder() / name)) missing.push_back(name);
        }
        std::string summary =
            "help files: " + std::to_string(i18n::kHelpFiles.size() - missing.size()) + " of " +
            std::to_string(i18n::kHelpFiles.size());
        if (!missing.empty()) summary += ", missing " + joined(missing);
        line(summary);
        problems_ += static_cast<int>(missing.size());
    }

    void checkBitmaps() {
        std::vector<std::string> missing;
        for (const auto& [name, size] : en_.bitmaps) {
            const auto bitmap = platform::gfx::loadBmp((folder() / "Bitmaps" / name).string());
            if (!bitmap) {
                missing.push_back(name);
            } else if (bitmap->size() != size) {
                missing.push_back(name + " (wrong size)");
            }
        }
        std::string summary =
            "button bitmaps: " + std::to_string(en_.bitmaps.size() - missing.size()) + " of " +
            std::to_string(en_.bitmaps.size());
        if (!missing.empty()) summary += ", missing " + joined(missing);
        line(summary);
        problems_ += static_cast<int>(missing.size());
    }

    // Counted over every warning of every table; only what English has fails.
    void checkWarningPictures() {
        int pictures = 0;
        int texts = 0;
        int missingCount = 0;
        // Node by node, the warnings whose picture or help text English has and this lacks.
        std::map<int, std::vector<int>> missing[2];
        for (const auto& [node, warning] : en_.allWarnings) {
            for (int kind = 0; kind < 2; ++kind) {
                const std::string file = warningFile(node, warning, kind == 0 ? "bmp" : "txt");
                const bool here = fs::exists(folder() / "WarningBitmaps" / file);
                (kind == 0 ? pictures : texts) += here ? 1 : 0;
                if (!here && en_.warningFiles.contains(file)) {
                    missing[kind][node].push_back(warning);
                    ++missingCount;
                }
            }
        }
        const std::string all = std::to_string(en_.allWarnings.size());
        line("warning pictures: " + std::to_string(pictures) + " of " + all +
             ", warning help texts: " + std::to_string(texts) + " of " + all);
        for (int kind = 0; kind < 2; ++kind) {
            if (missing[kind].empty()) continue;
            std::string list;
            for (const auto& [node, warnings] : missing[kind])
                list += (list.empty() ? "node " : "; node ") + std::to_string(node) + ": " +
                        numberList(warnings);
            line(std::string(kind == 0 ? "  pictures" : "  help texts") +
                 " missing that English has: " + list);
        }
        problems_ += missingCount;
    }

    const English& en_;
    const Accepted& accepted_;
    const fs::path& image_;
    i18n::LanguageId id_;
    std::ostream& out_;
    int problems_ = 0;
};

}  // namespace

std::vector<std::string> placeholders(std::string_view text) {
    std::vector<std::string> found;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        size_t j = i + 1;
        if (j < text.size() && text[j] == '%') {
            found.emplace_back("%%");
            i = j;
            continue;
        }
        while (j < text.size() && std::string_view("-+0#").find(text[j]) != std::string_view::npos)
            ++j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9')
            ++j;
        if (j < text.size() && text[j] == '.') {
            ++j;
            while (j < text.size() && text[j] >= '0' && text[j] <= '9')
                ++j;
        }
        while (j < text.size() && (text[j] == 'l' || text[j] == 'h'))
            ++j;
        if (j < text.size() &&
            std::string_view("diouxXcsfeEgG").find(text[j]) != std::string_view::npos) {
            found.emplace_back(text.substr(i, j - i + 1));
            i = j;
        }
    }
    return found;
}

namespace {

// The languages still being translated, one folder code a line.
std::set<std::string> readInTranslation(const fs::path& path) {
    std::set<std::string> codes;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line[0] != '#') codes.insert(line);
    }
    return codes;
}

}  // namespace

int check(const fs::path& assets, const fs::path& image, std::ostream& out) {
    const auto en = readEnglish(image);
    if (!en) {
        out << "langcheck: no English strings file in " << languageFolder(image, i18n::kEnglish)
            << "\n";
        return 2;
    }
    const Accepted accepted = readAccepted(assets / "languages" / "identical.txt");
    const std::set<std::string> inTranslation =
        readInTranslation(assets / "languages" / "in_translation.txt");
    int complete = 0;
    std::vector<std::string> incomplete;
    std::vector<std::string> translatingNow;
    std::vector<std::string> stale;
    std::vector<std::string> notShipped;
    for (int id = 0; id < i18n::kLanguageCount; ++id) {
        const auto& info = i18n::languageInfo(static_cast<i18n::LanguageId>(id));
        const std::string code(info.folderCode);
        const bool shipped = fs::exists(assets / "languages" / code / "strings.txt");
        out << code << " " << info.name << (shipped ? "" : ": not shipped (no strings.txt)")
            << "\n";
        if (!shipped) {
            notShipped.push_back(code);
            continue;
        }
        LanguageReport report(*en, accepted, image, static_cast<i18n::LanguageId>(id), out);
        const int problems = report.run();
        const bool translating = inTranslation.contains(code);
        if (problems == 0) {
            ++complete;
            out << "  complete\n";
            if (translating) stale.push_back(code);
        } else if (translating) {
            translatingNow.push_back(code);
            out << "  in translation: " << problems << " missing or differing\n";
        } else {
            incomplete.push_back(code);
            out << "  INCOMPLETE: " << problems << " missing or differing\n";
        }
    }
    out << "langcheck: " << complete << " shipped languages complete, " << incomplete.size()
        << " incomplete (" << joined(incomplete) << "), in translation: " << joined(translatingNow)
        << ", not shipped: " << joined(notShipped) << "\n";
    if (!stale.empty()) {
        out << "langcheck: complete but still listed in in_translation.txt: " << joined(stale)
            << "\n";
    }
    return incomplete.empty() && stale.empty() ? 0 : 1;
}

}  // namespace langcheck
