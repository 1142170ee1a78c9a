// Checks the language files that the build puts into the panel image, read back through the
// display's own loaders.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "i18n/resources.h"
#include "platform/files/files.h"
#include "support/panel_root.h"
#include "support/temp_dir.h"

namespace i18n {
namespace {

namespace fs = std::filesystem;

// Every string number that a screen of the display fetches.
constexpr std::pair<int, int> kUsedStrings[] = {
    {1, 6},     {8, 10},    {13, 15},   {17, 17},   {20, 20},   {22, 147},  {150, 187}, {190, 191},
    {193, 201}, {202, 214}, {215, 221}, {243, 243}, {264, 312}, {314, 342}, {344, 347}, {350, 350},
    {352, 379}, {380, 390}, {395, 395}, {406, 420}, {422, 427}, {429, 431}, {434, 457}, {459, 462},
    {464, 489}, {491, 504}, {506, 508}, {510, 522}, {600, 751}};

// The warnings with a help text and a picture in every complete language.
constexpr std::pair<int, int> kHelpedWarnings[] = {
    {2, 1}, {2, 2}, {2, 3}, {2, 5}, {14, 1}, {14, 2}, {14, 3}, {14, 4}, {14, 5}, {15, 1}, {15, 7}};

constexpr std::string_view kHelpFiles[] = {"DryingModeSelectionHelp.txt",
                                           "SelectDryingCriteriaHelp.txt",
                                           "McExtendedSetupHelp.txt",
                                           "PlenumTempManagerHelp.txt",
                                           "MoistSensorCalibHelp.txt",
                                           "BphCalibHelp.txt",
                                           "PlenumDiffHelp.txt",
                                           "AvailableDryingModesHelp.txt",
                                           "NoDryingCriteriaSelectedHelp.txt",
                                           "CheckLightOutputsHelp.txt",
                                           "DiagnosticScreenHelp.txt",
                                           "AutoStartFinishedMessageF.txt",
                                           "AutoStartFinishedMessageC.txt"};

fs::path imageLanguages() {
    return testsupport::imageDisk() / "Languages";
}

std::string readHost(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// A panel root whose flash disk holds the image's language folders; the configuration file
// written by the display stays in the scratch folder.
class PanelImage : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::linkImageFolders(root, {"Languages"}))
            << "build the panel image first (target orvane_language_files)";
        platform::configureDevicePaths(root.str(), "");
        ResetLocalization();
    }
    void TearDown() override { ResetLocalization(); }
    testsupport::TempDir root;
};

TEST_F(PanelImage, StringsFilesAreUtf16WithMarkAndCrLf) {
    for (const char* file : {"EN/EnglishStrings.txt", "DE/GermanStrings.txt"}) {
        const std::string bytes = readHost(imageLanguages() / file);
        ASSERT_GE(bytes.size(), 4u) << file;
        EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << file;
        EXPECT_LE(bytes.size(), kStringsFileBytes) << file;
        EXPECT_EQ(bytes.size() % 2, 0u) << file;
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            if (bytes[i] == '\n' && bytes[i + 1] == 0) {
                ASSERT_TRUE(bytes[i - 2] == '\r' && bytes[i - 1] == 0) << file << " at " << i;
            }
        }
        EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\r\0\n\0", 4)) << file;
    }
}

TEST_F(PanelImage, EveryUsedStringHasEnglishAndGermanText) {
    for (LanguageId id : {kEnglish, kGerman}) {
        SetLanguage(id);
        for (auto [first, last] : kUsedStrings) {
            for (int n = first; n <= last; ++n) {
                EXPECT_FALSE(GetString(n).empty()) << languageInfo(id).name << " string " << n;
            }
        }
    }
}

TEST_F(PanelImage, SwitchingToGermanChangesTexts) {
    EXPECT_EQ(GetString(3), "HELP");
    EXPECT_EQ(GetString(479), "GERMAN");
    SetLanguage(kGerman);
    EXPECT_EQ(GetString(3), "HILFE");
    EXPECT_EQ(GetString(479), "DEUTSCH");
    EXPECT_EQ(root.read("Hard Disk/OrvaneLangConfig.txt"), "German");
    EXPECT_TRUE(GetWarningText(15, 7).starts_with("0F07 KORNTEMPERATURF"));
}

TEST_F(PanelImage, WarningTextsBeginWithTheirNodeAndNumber) {
    const int nodes[] = {1, 2, 3, 4, 5, 6, 7, 14, 15};
    for (LanguageId id : {kEnglish, kGerman}) {
        SetLanguage(id);
        for (int node : nodes) {
            EXPECT_FALSE(GetWarningText(node, 1).empty()) << node;
            for (int warning = 1; warning < 256; ++warning) {
                const std::string text = GetWarningText(node, warning);
                if (text.empty()) continue;
                char code[8];
                std::snprintf(code, sizeof code, "%02X%02X ", node, warning);
                EXPECT_TRUE(text.starts_with(code)) << text;
            }
        }
        for (auto [node, warning] : kHelpedWarnings) {
            EXPECT_FALSE(GetWarningText(node, warning).empty()) << node << "/" << warning;
        }
    }
}

TEST_F(PanelImage, HelpFilesAndWarningHelpExistInBothLanguages) {
    for (LanguageId id : {kEnglish, kGerman}) {
        SetLanguage(id);
        for (auto name : kHelpFiles) {
            std::string text;
            EXPECT_TRUE(ReadHelpFile(name, text, kLongHelpFileBytes)) << name;
            EXPECT_GT(text.size(), 100u) << name;
            EXPECT_TRUE(fs::exists(imageLanguages() / languageInfo(id).folderCode / name)) << name;
        }
        for (auto [node, warning] : kHelpedWarnings) {
            const auto lines = ReadWarningHelpLines(node, warning);
            ASSERT_TRUE(lines) << node << "/" << warning;
            EXPECT_GE(lines->size(), 5u);
        }
    }
    SetLanguage(kGerman);
    std::string text;
    ASSERT_TRUE(ReadHelpFile("PlenumDiffHelp.txt", text, kHelpFileBytes));
    EXPECT_TRUE(text.starts_with("BRENNERDIFFERENZ\r\n"));
}

// Number and size of every button bitmap, from the artwork table of the sources.
std::vector<std::tuple<int, int, int>> buttonSizes() {
    const char* source = std::getenv("ORVANE_SOURCE_DIR");
    std::istringstream table(
        readHost(fs::path(source ? source : "") / "assets" / "artwork" / "buttons.txt"));
    std::vector<std::tuple<int, int, int>> sizes;
    std::string line;
    while (std::getline(table, line)) {
        int number = 0, width = 0, height = 0;
        if (std::sscanf(line.c_str(), "%d %dx%d", &number, &width, &height) == 3) {
            sizes.emplace_back(number, width, height);
        }
    }
    return sizes;
}

TEST_F(PanelImage, ButtonBitmapsFitTheirButtonsInBothLanguages) {
    const auto sizes = buttonSizes();
    ASSERT_EQ(sizes.size(), 77u);
    std::vector<ButtonBitmap> english;
    for (auto [number, width, height] : sizes) {
        const ButtonBitmap bitmap = LoadButtonBitmap(number);
        ASSERT_TRUE(bitmap) << number;
        EXPECT_EQ(bitmap->width(), width) << number;
        EXPECT_EQ(bitmap->height(), height) << number;
        english.push_back(bitmap);
    }
    SetLanguage(kGerman);
    for (size_t i = 0; i < sizes.size(); ++i) {
        const int number = std::get<0>(sizes[i]);
        const ButtonBitmap bitmap = LoadButtonBitmap(number);
        ASSERT_TRUE(bitmap) << number;
        EXPECT_EQ(bitmap->size(), english[i]->size()) << number;
        // The labels differ between the languages.
        if (number == 1 || number == 41 || number == 72) {
            EXPECT_NE(*bitmap, *english[i]) << number;
        }
    }
}

TEST_F(PanelImage, WarningPicturesLoadForEveryHelpedWarning) {
    for (LanguageId id : {kEnglish, kGerman}) {
        SetLanguage(id);
        for (auto [node, warning] : kHelpedWarnings) {
            const ButtonBitmap picture = LoadBitmapFile(WarningBitmapPath(node, warning));
            ASSERT_TRUE(picture) << node << "/" << warning;
            EXPECT_EQ(picture->width(), 500);
            EXPECT_EQ(picture->height(), 400);
        }
    }
    for (int number = 74; number <= 77; ++number) {
        const ButtonBitmap frame = LoadBitmapFile(RearDischargeBitmapPath(number));
        ASSERT_TRUE(frame) << number;
        EXPECT_EQ(frame->width(), 500);
    }
}

TEST_F(PanelImage, EveryLanguageHasItsFolders) {
    for (int id = 0; id < kLanguageCount; ++id) {
        const fs::path folder = imageLanguages() / languageInfo(id).folderCode;
        EXPECT_TRUE(fs::is_directory(folder / "Bitmaps")) << folder;
        EXPECT_TRUE(fs::is_directory(folder / "WarningBitmaps")) << folder;
    }
}

}  // namespace
}  // namespace i18n
