#include "i18n/resources.h"

#include <algorithm>
#include <cstdio>

#include "i18n/language.h"
#include "i18n/text.h"
#include "platform/files/files.h"

namespace i18n {

const std::array<std::string_view, kButtonBitmapCount> ButtonBitmapNames = {
    "PLACE HOLDER",
    "GRAPHIC_001_MAIN_TIMERS_BUTTON.BMP",
    "GRAPHIC_002_MAIN_TEMP_BUTTON.BMP",
    "GRAPHIC_003_MAIN_SETUP_BUTTON.BMP",
    "GRAPHIC_004_MAIN_VIEW_BUTTON.BMP",
    "GRAPHIC_005_MAIN_MC_BUTTON.BMP",
    "GRAPHIC_006_MAIN_AUTO_START_BUTTON.BMP",
    "GRAPHIC_007_LOAD_DELAY_BUTTON.BMP",
    "GRAPHIC_008_FAN_DELAY_BUTTON.BMP",
    "GRAPHIC_009_COOL_DOWN_TIMER_BUTTON.BMP",
    "GRAPHIC_010_OOG_TIMER_BUTTON.BMP",
    "GRAPHIC_011_UNLOAD_DELAY_BUTTON.BMP",
    "GRAPHIC_012_PLENUM_6_SP_BUTTON.BMP",
    "GRAPHIC_013_PLENUM_5_SP_BUTTON.BMP",
    "GRAPHIC_014_PLENUM_4_SP_BUTTON.BMP",
    "GRAPHIC_015_PLENUM_3_SP_BUTTON.BMP",
    "GRAPHIC_016_PLENUM_2_SP_BUTTON.BMP",
    "GRAPHIC_017_PLENUM_1_SP_BUTTON.BMP",
    "GRAPHIC_018_GRAIN_SP_BUTTON.BMP",
    "GRAPHIC_019_PLENUM_HI_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_020_PLENUM_LO_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_021_GRAIN_HI_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_022_GRAIN_LO_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_023_DRYING_MODE_BUTTON.BMP",
    "GRAPHIC_024_MC_SETUP_BUTTON.BMP",
    "GRAPHIC_025_UNLOAD_PARAMS_BUTTON.BMP",
    "GRAPHIC_026_TEMP_MANAGER_BUTTON.BMP",
    "GRAPHIC_027_BURNER_MODE_BUTTON.BMP",
    "GRAPHIC_028_CALIB_MOIST_SENSOR_BUTTON.BMP",
    "GRAPHIC_029_EXTENDED_SETUP_BUTTON.BMP",
    "GRAPHIC_030_DIAGNOSTICS_BUTTON.BMP",
    "GRAPHIC_031_BURNER_DIFF_BUTTON.BMP",
    "GRAPHIC_032_PRINTER_SETUP_BUTTON.BMP",
    "GRAPHIC_033_MRR_BUTTON.BMP",
    "GRAPHIC_034_SAMPLER_SETUP_BUTTON.BMP",
    "GRAPHIC_035_BPH_CALIB_BUTTON.BMP",
    "GRAPHIC_036_SET_DATE_TIME_BUTTON.BMP",
    "GRAPHIC_037_TEMP_SCALE_BUTTON.BMP",
    "GRAPHIC_038_DRYER_MODEL_BUTTON.BMP",
    "GRAPHIC_039_DATA_LOGGER_BUTTON.BMP",
    "GRAPHIC_040_USER_DEFAULTS_BUTTON.BMP",
    "GRAPHIC_041_SCREEN_EXIT_BUTTON.BMP",
    "GRAPHIC_042_TABLE_VIEW_BUTTON.BMP",
    "GRAPHIC_043_GRAPH_VIEW_BUTTON.BMP",
    "GRAPHIC_044_OWNERS_MANUAL_BUTTON.BMP",
    "GRAPHIC_045_HISTORY_BUTTON.BMP",
    "GRAPHIC_046_SYSTEM_INFO_BUTTON.BMP",
    "GRAPHIC_047_SOFTWARE_VERSION_BUTTON.BMP",
    "GRAPHIC_048_AS_GRAIN_SELECT_MENU_BUTTON.BMP",
    "GRAPHIC_049_AS_MOISTURE_SETTINGS_MENU_BUTTON.BMP",
    "GRAPHIC_050_AS_CORN_BUTTON.BMP",
    "GRAPHIC_051_AS_SOYBEAN_BUTTON.BMP",
    "GRAPHIC_052_AS_WHEAT_BUTTON.BMP",
    "GRAPHIC_053_AS_BARLEY_BUTTON.BMP",
    "GRAPHIC_054_AS_RICE_BUTTON.BMP",
    "GRAPHIC_055_AS_CANOLA_BUTTON.BMP",
    "GRAPHIC_056_AS_FLAX_BUTTON.BMP",
    "GRAPHIC_057_AS_HEMP_BUTTON.BMP",
    "GRAPHIC_058_AS_MILO_BUTTON.BMP",
    "GRAPHIC_059_AS_PISTACHIO_BUTTON.BMP",
    "GRAPHIC_060_AS_RYE_BUTTON.BMP",
    "GRAPHIC_061_AS_OATS_BUTTON.BMP",
    "GRAPHIC_062_AS_BEGIN_BUTTON.BMP",
    "GRAPHIC_063_CLEAR_BATCH_COUNT_BUTTON.BMP",
    "GRAPHIC_064_GRAPH_MOIST_IN_BUTTON.BMP",
    "GRAPHIC_065_GRAPH_GRAIN_TEMP_IN_BUTTON.BMP",
    "GRAPHIC_066_GRAPH_MOIST_OUT_BUTTON.BMP",
    "GRAPHIC_067_GRAPH_TEMP_OUT_BUTTON.BMP",
    "GRAPHIC_068_GRAPH_DRYER_TEMP_BUTTON.BMP",
    "GRAPHIC_069_GRAPH_METER_ROLLS_BUTTON.BMP",
    "GRAPHIC_070_PLENUM_2_LO_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_071_PLENUM_2_HI_TEMP_SP_BUTTON.BMP",
    "GRAPHIC_072_WARNING_HELP_BUTTON.BMP",
    "GRAPHIC_073_AUTO_START_SETUP_BUTTON.BMP",
    "GRAPHIC_074_REAR_DISCHARGE_IMAGE_1.BMP",
    "GRAPHIC_075_REAR_DISCHARGE_IMAGE_2.BMP",
    "GRAPHIC_076_REAR_DISCHARGE_IMAGE_3.BMP",
    "GRAPHIC_077_REAR_DISCHARGE_IMAGE_4.BMP",
    "GRAPHIC_078_DRYER_PICTURE_BUTTON.BMP",
    "GRAPHIC_079_VALUES_COLUMN_BUTTON.BMP",
};

namespace {

std::string warningFilePath(int nodeId, int warning, const char* extension) {
    LoadLanguageIfStale();
    char name[64];
    std::snprintf(name, sizeof name, "WarningBitmaps\\NID_%02d_WARNING_ID_%02d.%s", nodeId, warning,
                  extension);
    return DataRootPath(languageFolder(GetLanguage()) + name);
}

std::optional<std::vector<uint8_t>> readFirstBytes(const std::string& devicePath, size_t limit,
                                                   bool& sizeKnown) {
    platform::File file = platform::openFile(devicePath, platform::FileAccess::Read,
                                             platform::Disposition::OpenExisting);
    if (!file.isOpen()) return std::nullopt;
    const int64_t size = file.size();
    sizeKnown = size >= 0;
    std::vector<uint8_t> bytes(sizeKnown ? std::min<uint64_t>(size, limit) : 0);
    size_t got = 0;
    if (!file.read(bytes.data(), bytes.size(), got)) got = 0;
    bytes.resize(got);
    return bytes;
}

}  // namespace

std::string ButtonBitmapPath(int number) {
    LoadLanguageIfStale();
    if (number <= 0 || number >= kButtonBitmapCount) return {};
    return DataRootPath(languageFolder(GetLanguage()) + "Bitmaps\\" +
                        std::string(ButtonBitmapNames[number]));
}

std::string RearDischargeBitmapPath(int number) {
    if (number < 74 || number > 77) return {};
    return "\\Hard Disk\\Languages\\EN\\Bitmaps\\" + std::string(ButtonBitmapNames[number]);
}

std::string WarningBitmapPath(int nodeId, int warning) {
    return warningFilePath(nodeId, warning, "bmp");
}

std::string WarningHelpTextPath(int nodeId, int warning) {
    return warningFilePath(nodeId, warning, "txt");
}

std::vector<std::string> parseWarningHelpText(const std::vector<uint8_t>& bytes) {
    std::vector<std::string> lines;
    std::u16string line;
    bool textEnded = false;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        const auto c = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
        if (c == u'\n') {
            lines.push_back(toUtf8(line));
            line.clear();
            textEnded = false;
        } else if (c == u'\r') {
            textEnded = true;
        } else if (textEnded) {
            continue;
        } else if (c == u'\t') {
            line += u"    ";
        } else {
            line += c;
        }
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadWarningHelpLines(int nodeId, int warning) {
    bool sizeKnown = false;
    const auto bytes =
        readFirstBytes(WarningHelpTextPath(nodeId, warning), kWarningHelpBytes, sizeKnown);
    if (!bytes) return std::nullopt;
    return parseWarningHelpText(*bytes);
}

std::string helpFileText(const std::vector<uint8_t>& bytes) {
    const bool marked = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    return utf16leToUtf8(std::span(bytes).subspan(marked ? 2 : 0));
}

bool ReadHelpFile(std::string_view fileName, std::string& text, size_t byteLimit) {
    LoadLanguageIfStale();
    const std::string name(fileName);
    bool sizeKnown = false;
    auto bytes =
        readFirstBytes(DataRootPath(languageFolder(GetLanguage()) + name), byteLimit, sizeKnown);
    // The English help files sit in the English language folder itself, as in every language.
    if (!bytes)
        bytes = readFirstBytes(DataRootPath(languageFolder(kEnglish) + name), byteLimit, sizeKnown);
    if (!bytes) return false;
    if (!sizeKnown) {
        text.clear();
        return false;
    }
    text = helpFileText(*bytes);
    return true;
}

}  // namespace i18n
