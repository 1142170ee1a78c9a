#include "i18n/language.h"

#include <algorithm>
#include <array>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "i18n/line_file.h"
#include "i18n/text.h"
#include "platform/files/files.h"

namespace i18n {
namespace {

constexpr std::array<LanguageInfo, kLanguageCount> kLanguages = {{
    {"English", "EN", "Languages\\EN\\EnglishStrings.txt", 477, "English"},
    {"Bulgarian", "BG", "Languages\\BG\\BulgarianStrings.txt", 473, "Български"},
    {"Czech", "CS", "Languages\\CS\\CzechStrings.txt", 474, "Čeština"},
    {"Danish", "DA", "Languages\\DA\\DanishStrings.txt", 475, "Dansk"},
    {"Dutch", "NL", "Languages\\NL\\DutchStrings.txt", 476, "Nederlands"},
    {"French", "FR", "Languages\\FR\\FrenchStrings.txt", 478, "Français"},
    {"German", "DE", "Languages\\DE\\GermanStrings.txt", 479, "Deutsch"},
    {"Hungarian", "HU", "Languages\\HU\\HungarianStrings.txt", 480, "Magyar"},
    {"Polish", "PL", "Languages\\PL\\PolishStrings.txt", 481, "Polski"},
    {"Portuguese", "PT", "Languages\\PT\\PortugueseStrings.txt", 482, "Português"},
    {"Romanian", "RO", "Languages\\RO\\RomanianStrings.txt", 483, "Română"},
    {"Russian", "RU", "Languages\\RU\\RussianStrings.txt", 484, "Русский"},
    {"Spanish", "ES", "Languages\\ES\\SpanishStrings.txt", 485, "Español"},
}};

constexpr std::array<std::string_view, kWarningTableCount> kWarningsFiles = {
    "WarningsDIO.txt", "WarningsFH1.txt", "WarningsFH2.txt", "WarningsFH3.txt", "WarningsFH4.txt",
    "WarningsFH5.txt", "WarningsFH6.txt", "WarningsMIO.txt", "WarningsMC.txt"};

constexpr size_t kConfigReadBytes = 200;

// Index 0 of the string table is unused so that entries carry their string numbers.
using StringTableEntries = std::array<TableEntry, kStringCount + 1>;
using WarningTable = std::array<TableEntry, kWarningCount + 1>;

struct State {
    std::mutex mutex;
    LanguageId CurrentLanguage = kEnglish;
    bool LanguageTablesStale = true;
    StringTableEntries StringTable{};
    std::array<WarningTable, kWarningTableCount> WarningTextTables{};
};

State& state() {
    static State s;
    return s;
}

std::optional<std::vector<uint8_t>> readHead(std::string_view devicePath, size_t limit) {
    platform::File file = platform::openFile(devicePath, platform::FileAccess::Read,
                                             platform::Disposition::OpenExisting);
    if (!file.isOpen()) return std::nullopt;
    const int64_t size = file.size();
    std::vector<uint8_t> bytes(std::min<size_t>(size < 0 ? 0 : size, limit));
    size_t got = 0;
    if (!file.read(bytes.data(), bytes.size(), got)) got = 0;
    bytes.resize(got);
    return bytes;
}

// Reads the first file that opens into the entries; with neither, the entries stay as they were.
void loadTable(std::string_view path, std::string_view fallback, size_t limit,
               std::span<TableEntry> entries) {
    auto bytes = readHead(DataRootPath(path), limit);
    if (!bytes) bytes = readHead(DataRootPath(fallback), limit);
    if (bytes) storeLines(*bytes, entries);
}

void loadStringTable(State& s) {
    loadTable(languageInfo(s.CurrentLanguage).stringsFile, kLanguages[kEnglish].stringsFile,
              kStringsFileBytes, std::span(s.StringTable).subspan(1));
}

void loadWarningTables(State& s) {
    const std::string folder = languageFolder(s.CurrentLanguage);
    const std::string english = languageFolder(kEnglish);
    for (int t = 0; t < kWarningTableCount; ++t) {
        const auto file = kWarningsFiles[t];
        loadTable(folder + std::string(file), english + std::string(file), kWarningsFileBytes,
                  std::span(s.WarningTextTables[t]).first(kWarningCount));
    }
}

void writeLanguageConfig(LanguageId id) {
    const std::string_view name = languageInfo(id).name;
    platform::File file =
        platform::openFile(DataRootPath(kLanguageConfigFile), platform::FileAccess::Write,
                           platform::Disposition::CreateAlways);
    if (file.isOpen()) file.write(name.data(), name.size());
}

void readLanguageConfig(State& s) {
    std::string name = "English";
    if (auto bytes = readHead(DataRootPath(kLanguageConfigFile), kConfigReadBytes)) {
        const auto end = std::find(bytes->begin(), bytes->end(), uint8_t{0});
        name.assign(bytes->begin(), end);
    } else {
        writeLanguageConfig(kEnglish);
    }
    s.CurrentLanguage = kEnglish;
    for (int id = 0; id < kLanguageCount; ++id) {
        if (kLanguages[id].name == name) {
            s.CurrentLanguage = static_cast<LanguageId>(id);
            break;
        }
    }
}

void loadIfStale(State& s) {
    if (!s.LanguageTablesStale) return;
    s.LanguageTablesStale = false;
    readLanguageConfig(s);
    loadStringTable(s);
    loadWarningTables(s);
}

std::u16string_view entryText(const TableEntry& entry) {
    return std::u16string_view(entry.data(), std::char_traits<char16_t>::length(entry.data()));
}

}  // namespace

const LanguageInfo& languageInfo(LanguageId id) {
    return id < kLanguageCount ? kLanguages[id] : kLanguages[kEnglish];
}

std::string languageFolder(LanguageId id) {
    return "Languages\\" + std::string(languageInfo(id).folderCode) + "\\";
}

std::string_view warningsFileName(int table) {
    return table >= 0 && table < kWarningTableCount ? kWarningsFiles[table] : std::string_view();
}

int warningTableOfNode(int nodeId) {
    if (nodeId >= 1 && nodeId <= 7) return nodeId - 1;
    if (nodeId == 14) return 7;
    if (nodeId == 15) return 8;
    return -1;
}

std::string DataRootPath(std::string_view relativeName) {
    return platform::dataRootPath(relativeName);
}

void GetString(int number, std::string& buffer) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    loadIfStale(s);
    if (number <= 0) return;
    if (number > kStringCount) {
        buffer.clear();
        return;
    }
    buffer = toUtf8(firstUnits(entryText(s.StringTable[number]), kStringChars));
}

std::string GetString(int number) {
    std::string text;
    GetString(number, text);
    return text;
}

std::string GetStringOr(int number, std::string_view english) {
    std::string text = GetString(number);
    return text.empty() ? std::string(english) : text;
}

std::string GetStringFilled(int number, std::string_view english, int value) {
    return fillPlaceholders(GetStringOr(number, english), "%d", {std::to_string(value)});
}

std::string fillPlaceholders(std::string text, std::string_view mark,
                             std::initializer_list<std::string_view> values) {
    size_t from = 0;
    for (const std::string_view value : values) {
        const size_t at = text.find(mark, from);
        if (at == std::string::npos) break;
        text.replace(at, mark.size(), value);
        from = at + value.size();
    }
    return text;
}

std::string GetStringsJoined(std::initializer_list<StringPart> parts, std::string_view separator) {
    std::string text;
    for (const StringPart& part : parts) {
        if (!text.empty()) text += separator;
        text += GetStringOr(part.number, part.english);
    }
    return text;
}

platform::CalendarNames calendarNames() {
    static constexpr std::array<std::string_view, 12> kMonths = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    static constexpr std::array<std::string_view, 7> kDays = {
        "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    platform::CalendarNames names;
    for (size_t i = 0; i < kMonths.size(); ++i)
        names.months[i] = GetStringOr(752 + static_cast<int>(i), kMonths[i]);
    for (size_t i = 0; i < kDays.size(); ++i)
        names.days[i] = GetStringOr(764 + static_cast<int>(i), kDays[i]);
    return names;
}

std::string shownDate(const platform::LocalTime& time, bool withDay) {
    const std::string picture =
        withDay ? GetStringOr(771, "dddd  MMM dd',' yyy") : GetStringOr(772, "MMM dd',' yyy");
    return platform::formatPicture(time, picture, calendarNames());
}

void GetWarningText(int nodeId, int warning, std::string& buffer) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    loadIfStale(s);
    if (nodeId <= 0 || warning <= 0) {
        if (buffer.size() > kWarningChars) buffer = firstChars(buffer, kWarningChars);
        return;
    }
    const int table = warningTableOfNode(nodeId);
    if (table < 0 || warning > kWarningCount) {
        buffer.clear();
        return;
    }
    buffer = toUtf8(firstUnits(entryText(s.WarningTextTables[table][warning]), kWarningChars));
}

std::string GetWarningText(int nodeId, int warning) {
    std::string text;
    GetWarningText(nodeId, warning, text);
    return text;
}

LanguageId GetLanguage() {
    State& s = state();
    std::lock_guard lock(s.mutex);
    return s.CurrentLanguage;
}

void SetLanguage(LanguageId id) {
    State& s = state();
    std::lock_guard lock(s.mutex);
    s.CurrentLanguage = id;
    loadStringTable(s);
    loadWarningTables(s);
    writeLanguageConfig(id);
}

void ReadLanguageConfig() {
    State& s = state();
    std::lock_guard lock(s.mutex);
    readLanguageConfig(s);
}

void LoadLanguageIfStale() {
    State& s = state();
    std::lock_guard lock(s.mutex);
    loadIfStale(s);
}

void ResetLocalization() {
    State& s = state();
    std::lock_guard lock(s.mutex);
    s.CurrentLanguage = kEnglish;
    s.LanguageTablesStale = true;
    s.StringTable = {};
    for (auto& table : s.WarningTextTables)
        table = {};
}

void SplitTextInTwo(std::string& text, std::string& first, std::string& second, size_t limit) {
    std::u16string units = toUtf16(text);
    const size_t half = units.size() / 2;
    if (units.size() > limit) {
        units.resize(firstUnits(units, limit).size());
        text = toUtf8(units);
    }
    size_t split = std::u16string::npos;
    for (size_t i = 0; i < units.size(); ++i) {
        if (units[i] != u' ') continue;
        if (i < half || split == std::u16string::npos) split = i;
        if (i >= half) break;
    }
    if (split == std::u16string::npos) {
        first = text;
        second.clear();
        return;
    }
    first = toUtf8(std::u16string_view(units).substr(0, split));
    const std::u16string_view rest = std::u16string_view(units).substr(split + 1);
    second = rest.size() >= limit ? std::string() : toUtf8(rest);
}

}  // namespace i18n
