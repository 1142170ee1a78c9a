// Runs the panel-image generators on a made-up French pack in a scratch copy of the assets and
// reads the result back through the display's loaders: a pack in assets/languages/<CODE> lands
// in the image like English and German do.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "i18n/manual.h"
#include "i18n/resources.h"
#include "platform/files/files.h"
#include "support/temp_dir.h"

namespace i18n {
namespace {

namespace fs = std::filesystem;

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string readHost(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void writeHost(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

// Replaces the text of number `number` in a NUMBER<TAB>TEXT source.
void setEntry(const fs::path& path, int number, const std::string& text) {
    std::string source = readHost(path);
    const std::string key = "\n" + std::to_string(number) + "\t";
    const size_t at = source.find(key);
    ASSERT_NE(at, std::string::npos) << path << " " << number;
    const size_t end = source.find('\n', at + key.size());
    source.replace(at + key.size(), end - at - key.size(), text);
    writeHost(path, source);
}

class LanguagePipeline : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path source = env("ORVANE_SOURCE_DIR");
        ASSERT_TRUE(fs::is_directory(source / "assets")) << "ORVANE_SOURCE_DIR is not set";
        fs::create_directories(languages());
        fs::copy(source / "assets" / "artwork", assets() / "artwork", fs::copy_options::recursive);
        fs::copy(source / "assets" / "languages" / "EN", languages() / "EN",
                 fs::copy_options::recursive);
        // French stands in for any new pack: the English texts with a few of its own.
        fs::copy(languages() / "EN", pack(), fs::copy_options::recursive);
        setEntry(pack() / "strings.txt", 3, "AIDE");
        setEntry(pack() / "strings.txt", 641, "RÉGULATEUR HUMIDITÉ");
        setEntry(pack() / "buttons.txt", 3, "RÉGLAGES");
        setEntry(pack() / "warnings" / "MC.txt", 1, "CAPTEUR D'HUMIDITÉ EN DÉFAUT");
    }
    void TearDown() override { ResetLocalization(); }

    fs::path assets() const { return scratch.path() / "assets"; }
    fs::path languages() const { return assets() / "languages"; }
    fs::path pack() const { return languages() / "FR"; }
    fs::path image() const { return scratch.path() / "image"; }
    fs::path french() const { return image() / "Hard Disk" / "Languages" / "FR"; }

    // Runs a generator; its messages go to `log`.
    int run(const std::string& tool, const std::string& arguments) {
        const std::string command =
            "'" + env(tool.c_str()) + "' " + arguments + " >'" + log().string() + "' 2>&1";
        return std::system(command.c_str());
    }
    int buildLanguageFiles() {
        return run("ORVANE_LANGPACK", "'" + languages().string() + "' '" + image().string() + "'");
    }
    int buildArtwork() {
        return run("ORVANE_ARTWORK", "'" + assets().string() + "' '" + image().string() + "' '" +
                                         (scratch.path() / "work").string() + "'");
    }
    fs::path log() const { return scratch.path() / "tool.log"; }

    testsupport::TempDir scratch;
};

TEST_F(LanguagePipeline, NewPackLandsInTheImageAndTheDisplayShowsIt) {
    ASSERT_EQ(buildLanguageFiles(), 0) << readHost(log());
    ASSERT_EQ(buildArtwork(), 0) << readHost(log());

    EXPECT_TRUE(fs::exists(french() / "FrenchStrings.txt"));
    EXPECT_TRUE(fs::exists(french() / "WarningsFH6.txt"));
    EXPECT_TRUE(fs::exists(french() / "SelectDryingCriteriaHelp.txt"));
    int bitmaps = 0;
    for (const auto& entry : fs::directory_iterator(french() / "Bitmaps"))
        bitmaps += entry.path().extension() == ".BMP";
    EXPECT_EQ(bitmaps, 77);
    EXPECT_TRUE(fs::exists(french() / "WarningBitmaps" / "NID_15_WARNING_ID_01.bmp"));
    EXPECT_TRUE(fs::exists(french() / "WarningBitmaps" / "NID_15_WARNING_ID_01.txt"));

    platform::configureDevicePaths(image().string(), "");
    ResetLocalization();
    SetLanguage(kFrench);
    EXPECT_EQ(GetString(3), "AIDE");
    EXPECT_EQ(GetString(4), "ACCEPT");
    EXPECT_EQ(GetWarningText(15, 1), "0F01 CAPTEUR D'HUMIDITÉ EN DÉFAUT");
    EXPECT_TRUE(LoadButtonBitmap(3));
    EXPECT_TRUE(LoadButtonBitmap(43));
    EXPECT_TRUE(ReadWarningHelpLines(15, 1));
    std::string help;
    EXPECT_TRUE(ReadHelpFile("BphCalibHelp.txt", help, kHelpFileBytes));
    const auto guide = ReadManual();
    ASSERT_TRUE(guide) << "the pack's guide, copied from the English one";
    EXPECT_EQ(guide->pages[0].heading, "About this guide");
}

TEST_F(LanguagePipeline, AGuideTheDisplayCannotReadStopsTheBuild) {
    writeHost(pack() / "manual.txt", "Page\nbroken \xC3( text\n");
    EXPECT_NE(buildLanguageFiles(), 0);
    const std::string message = readHost(log());
    EXPECT_NE(message.find("manual.txt: not a guide the display reads"), std::string::npos)
        << message;
    EXPECT_FALSE(fs::exists(french() / kManualFileName));
}

TEST_F(LanguagePipeline, LabelThatDoesNotFitItsButtonStopsTheBuild) {
    setEntry(pack() / "buttons.txt", 1, "MINUTERIES DE SÉCHAGE ET DE REFROIDISSEMENT DU GRAIN");
    EXPECT_NE(buildArtwork(), 0);
    const std::string message = readHost(log());
    EXPECT_NE(message.find("FR"), std::string::npos) << message;
    EXPECT_NE(message.find("of button 1 does not fit its 105 x 40 button"), std::string::npos)
        << message;
}

}  // namespace
}  // namespace i18n
