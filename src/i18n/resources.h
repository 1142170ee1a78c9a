#pragma once
// Localized files beside the string table, all in the current language's folder
// ("Languages\<code>\", placed by DataRootPath): the button bitmaps, the picture and help text
// of each controller warning, and the help files behind the setup dialogs' HELP buttons.
// Nothing here is cached: files are read afresh each time they are shown.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace i18n {

inline constexpr int kButtonBitmapCount = 80;  // numbers 0 to 79; 0 is "no picture"
extern const std::array<std::string_view, kButtonBitmapCount> ButtonBitmapNames;

// "Languages\<code>\Bitmaps\<name>" for the current language, placed by DataRootPath; empty
// for number 0 or a number outside the table.
std::string ButtonBitmapPath(int number);
// The rear-discharge help pictures (numbers 74 to 77) always come from the English folder on
// the flash disk.
std::string RearDischargeBitmapPath(int number);

// "NID_nn_WARNING_ID_ww.bmp" / ".txt" in the WarningBitmaps folder of the current language
// (English outside 1 to 12), placed by DataRootPath.
std::string WarningBitmapPath(int nodeId, int warning);
std::string WarningHelpTextPath(int nodeId, int warning);

inline constexpr size_t kWarningHelpBytes = 16384;
// The lines of a warning help text: UTF-16 little-endian after a two-byte mark, a CR ends the
// text of its line, a TAB stands for four spaces, an LF ends the line; only the first 16384
// bytes count and a last line without LF is dropped. nullopt when the file does not open.
std::optional<std::vector<std::string>> ReadWarningHelpLines(int nodeId, int warning);
std::vector<std::string> parseWarningHelpText(const std::vector<uint8_t>& bytes);

// Help files and the number of bytes each may show.
inline constexpr size_t kHelpFileBytes = 1999;
inline constexpr size_t kLongHelpFileBytes = 2998;  // "SelectDryingCriteriaHelp.txt"

struct HelpFileInfo {
    std::string_view name;  // in the language folder
    size_t byteLimit;
};
// The help files of a language: the setup dialogs' and the two auto-start notices.
inline constexpr std::array<HelpFileInfo, 13> kHelpFiles = {{
    {"DryingModeSelectionHelp.txt", kHelpFileBytes},
    {"SelectDryingCriteriaHelp.txt", kLongHelpFileBytes},
    {"McExtendedSetupHelp.txt", kHelpFileBytes},
    {"PlenumTempManagerHelp.txt", kHelpFileBytes},
    {"MoistSensorCalibHelp.txt", kHelpFileBytes},
    {"BphCalibHelp.txt", kHelpFileBytes},
    {"PlenumDiffHelp.txt", kHelpFileBytes},
    {"AvailableDryingModesHelp.txt", kHelpFileBytes},
    {"NoDryingCriteriaSelectedHelp.txt", kHelpFileBytes},
    {"CheckLightOutputsHelp.txt", kHelpFileBytes},
    {"DiagnosticScreenHelp.txt", kHelpFileBytes},
    {"AutoStartFinishedMessageF.txt", kHelpFileBytes},
    {"AutoStartFinishedMessageC.txt", kHelpFileBytes},
}};

// Reads the help file of the current language, at most `byteLimit` bytes of UTF-16, into
// `text` as UTF-8 (a leading byte-order mark is not part of the text). A file missing in the
// current language is read from the English folder instead. Returns false, leaving `text` as it
// was, when neither opens; a file whose size cannot be read gives an empty text and false.
bool ReadHelpFile(std::string_view fileName, std::string& text, size_t byteLimit);
std::string helpFileText(const std::vector<uint8_t>& bytes);

}  // namespace i18n
