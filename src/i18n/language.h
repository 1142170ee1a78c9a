#pragma once
// The language setting, the string table and the warning text tables. Every text the operator
// sees is fetched here by number in the language chosen in "OrvaneLangConfig.txt". The tables
// hold UTF-16 as the files do; texts leave them as UTF-8. Limits count UTF-16 characters.
//
// The tables are loaded on the first fetch of anything localized, and again by SetLanguage.
// The user-interface thread owns the language; the exchange thread may fetch warning texts while
// it records a shutdown, so every access is serialised.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/clock/clock.h"

namespace i18n {

using LanguageId = uint8_t;

inline constexpr LanguageId kEnglish = 0;
inline constexpr LanguageId kBulgarian = 1;
inline constexpr LanguageId kCzech = 2;
inline constexpr LanguageId kDanish = 3;
inline constexpr LanguageId kDutch = 4;
inline constexpr LanguageId kFrench = 5;
inline constexpr LanguageId kGerman = 6;
inline constexpr LanguageId kHungarian = 7;
inline constexpr LanguageId kPolish = 8;
inline constexpr LanguageId kPortuguese = 9;
inline constexpr LanguageId kRomanian = 10;
inline constexpr LanguageId kRussian = 11;
inline constexpr LanguageId kSpanish = 12;
inline constexpr int kLanguageCount = 13;

struct LanguageInfo {
    std::string_view name;         // as written in the configuration file; also the English name
    std::string_view folderCode;   // "EN", "DE", ...
    std::string_view stringsFile;  // relative to the data root
    int nameString;                // string number of the language's name
    std::string_view ownName;      // the language's name in itself, UTF-8 ("Deutsch")
};

// The language's entry; any id outside 0 to 12 gives English.
const LanguageInfo& languageInfo(LanguageId id);
// "Languages\" + folder code + "\" (English outside 0 to 12).
std::string languageFolder(LanguageId id);

inline constexpr int kStringCount = 1000;     // string numbers 1 to 1000
inline constexpr size_t kStringChars = 100;   // GetString delivers at most this many
inline constexpr int kWarningCount = 1000;    // warning numbers 0 to 999 come from the file
inline constexpr size_t kWarningChars = 149;  // GetWarningText delivers at most this many
inline constexpr size_t kStringsFileBytes = 32768;
inline constexpr size_t kWarningsFileBytes = 26000;
inline constexpr int kWarningTableCount = 9;
inline constexpr std::string_view kLanguageConfigFile = "OrvaneLangConfig.txt";

// The warnings file of a table (0 DIO, 1 to 6 FH1 to FH6, 7 MIO, 8 MC).
std::string_view warningsFileName(int table);
// The table holding a node's warnings, or -1 for a node without one.
int warningTableOfNode(int nodeId);

// Places a relative name on the flash disk: "\Hard Disk\" + name when that folder exists, the
// name unchanged otherwise. Tested afresh on every call.
std::string DataRootPath(std::string_view relativeName);

// The string of that number (1 to 1000) in the current language, at most kStringChars
// characters. Number 0 or less leaves the buffer untouched; a number above 1000 gives "".
void GetString(int number, std::string& buffer);
std::string GetString(int number);
// The string of that number, or `english` while the table holds nothing for it (a pack without
// that number, or no strings file at all), so a fixed text of a screen never comes out blank.
std::string GetStringOr(int number, std::string_view english);
// A text longer than one string may hold, or set over several lines: its parts, each fetched by
// GetStringOr, joined by `separator`.
// GetStringOr with the first "%d" of the string replaced by `value` (as text, so a translation
// is never used as a format).
std::string GetStringFilled(int number, std::string_view english, int value);
// `text` with each `mark` ("%s", "%d", "%ld") in turn replaced by the next of `values`, as text;
// marks beyond the values stay as they are.
std::string fillPlaceholders(std::string text, std::string_view mark,
                             std::initializer_list<std::string_view> values);
struct StringPart {
    int number;
    std::string_view english;
};
std::string GetStringsJoined(std::initializer_list<StringPart> parts, std::string_view separator);

// The current language's abbreviated month names and day names (strings 752 to 770; English
// where the pack lacks one).
platform::CalendarNames calendarNames();
// `time` as a date of the current language: with the day's name (string 771, "dddd  MMM dd','
// yyy" in English) for the clock's lines, without it (772, "MMM dd',' yyy") for lists.
std::string shownDate(const platform::LocalTime& time, bool withDay);

// The text of warning `warning` of node `nodeId`, at most kWarningChars characters. With a node
// or warning number of 0 or less the buffer is only cut to kWarningChars characters. A node
// without a table or a warning number above 1000 gives "".
void GetWarningText(int nodeId, int warning, std::string& buffer);
std::string GetWarningText(int nodeId, int warning);

LanguageId GetLanguage();
// Makes the language current, reloads the tables for it and writes its name (English for an id
// outside 0 to 12) into the configuration file.
void SetLanguage(LanguageId id);
// Sets the current language from the configuration file, writing "English" there when the file
// does not open. An unknown name gives English and leaves the file as it is.
void ReadLanguageConfig();
// Loads the language and its tables once per run; every fetch and path builder calls it.
void LoadLanguageIfStale();

// Splits a text for two display lines: the text is first cut to `limit` characters, then split
// at the last space before its middle (the middle of the uncut text); the space is dropped. With
// no space before the middle it splits at the first space after it, and with no space at all the
// whole text goes on the first line. A second line that would reach `limit` characters is left
// empty.
void SplitTextInTwo(std::string& text, std::string& first, std::string& second, size_t limit);

// Back to the state at program start: English, empty tables, loading pending. For a program run
// that starts again in the same process.
void ResetLocalization();

}  // namespace i18n
