#include "i18n/resources.h"

#include <gtest/gtest.h>

#include "i18n/i18n_files.h"
#include "i18n/language.h"
#include "platform/files/files.h"
#include "support/temp_dir.h"

namespace i18n {
namespace {

using i18ntest::lineFile;
using i18ntest::utf16le;

class Resources : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::configureDevicePaths(root.str(), "");
        ResetLocalization();
    }
    void TearDown() override { ResetLocalization(); }
    testsupport::TempDir root;
};

TEST_F(Resources, ButtonBitmapNamesAreNumbered) {
    EXPECT_EQ(ButtonBitmapNames[0], "PLACE HOLDER");
    for (int n = 1; n < kButtonBitmapCount; ++n) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "GRAPHIC_%03d_", n);
        EXPECT_TRUE(ButtonBitmapNames[n].starts_with(prefix)) << n;
        EXPECT_TRUE(ButtonBitmapNames[n].ends_with(".BMP")) << n;
    }
    EXPECT_EQ(ButtonBitmapNames[43], "GRAPHIC_043_GRAPH_VIEW_BUTTON.BMP");
}

TEST_F(Resources, PathsFollowLanguageAndFlashDisk) {
    EXPECT_EQ(WarningBitmapPath(15, 7), "Languages\\EN\\WarningBitmaps\\NID_15_WARNING_ID_07.bmp");
    root.write("Hard Disk/OrvaneLangConfig.txt", "German");
    ResetLocalization();
    EXPECT_EQ(WarningBitmapPath(15, 7),
              "\\Hard Disk\\Languages\\DE\\WarningBitmaps\\NID_15_WARNING_ID_07.bmp");
    EXPECT_EQ(WarningHelpTextPath(2, 123),
              "\\Hard Disk\\Languages\\DE\\WarningBitmaps\\NID_02_WARNING_ID_123.txt");
    EXPECT_EQ(ButtonBitmapPath(43),
              "\\Hard Disk\\Languages\\DE\\Bitmaps\\GRAPHIC_043_GRAPH_VIEW_BUTTON.BMP");
    EXPECT_EQ(ButtonBitmapPath(0), "");
    EXPECT_EQ(RearDischargeBitmapPath(75),
              "\\Hard Disk\\Languages\\EN\\Bitmaps\\GRAPHIC_075_REAR_DISCHARGE_IMAGE_2.BMP");
}

TEST_F(Resources, HelpFileIsCutAtItsByteLimitAndFallsBackToEnglish) {
    std::string big = "\xFF\xFE";
    while (big.size() < 5000)
        big += utf16le("Help line.\r\n");
    root.write("Hard Disk/Languages/EN/PlenumDiffHelp.txt", big);
    root.write("Hard Disk/Languages/EN/SelectDryingCriteriaHelp.txt", big);
    root.write("Hard Disk/OrvaneLangConfig.txt", "German");

    std::string text;
    ASSERT_TRUE(ReadHelpFile("PlenumDiffHelp.txt", text, kHelpFileBytes));
    EXPECT_EQ(text, helpFileText({big.begin(), big.begin() + 1999}));
    EXPECT_EQ(text.size(), 998u) << "mark dropped, 998 characters, odd byte dropped";
    ASSERT_TRUE(ReadHelpFile("SelectDryingCriteriaHelp.txt", text, kLongHelpFileBytes));
    EXPECT_EQ(text.size(), 1498u);
    EXPECT_TRUE(text.starts_with("Help line.\r\nHelp line."));

    root.write("Hard Disk/Languages/DE/PlenumDiffHelp.txt", "\xFF\xFE" + utf16le("Hilfe"));
    ASSERT_TRUE(ReadHelpFile("PlenumDiffHelp.txt", text, kHelpFileBytes));
    EXPECT_EQ(text, "Hilfe");

    text = "kept";
    EXPECT_FALSE(ReadHelpFile("NoSuchHelp.txt", text, kHelpFileBytes));
    EXPECT_EQ(text, "kept");
}

TEST_F(Resources, WarningHelpTextLines) {
    root.write("Hard Disk/Languages/EN/WarningBitmaps/NID_02_WARNING_ID_05.txt",
               lineFile({"Check the\tflame", "second\rhidden", ""}) + utf16le("no line feed"));
    const auto lines = ReadWarningHelpLines(2, 5);
    ASSERT_TRUE(lines);
    EXPECT_EQ(*lines, (std::vector<std::string>{"Check the    flame", "second", ""}));
    EXPECT_FALSE(ReadWarningHelpLines(2, 6));

    std::string big = "\xFF\xFE";
    while (big.size() < 20000)
        big += utf16le("0123456789abc\r\n");  // 30 bytes a line
    root.write("Hard Disk/Languages/EN/WarningBitmaps/NID_15_WARNING_ID_01.txt", big);
    EXPECT_EQ(ReadWarningHelpLines(15, 1)->size(), (16384u - 2) / 30);
}

}  // namespace
}  // namespace i18n
