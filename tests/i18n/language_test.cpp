#include "i18n/language.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "i18n/i18n_files.h"
#include "i18n/text.h"
#include "platform/files/files.h"
#include "support/local_time.h"
#include "support/temp_dir.h"

namespace i18n {
namespace {

using i18ntest::lineFile;
using i18ntest::utf16le;

class Language : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::configureDevicePaths(root.str(), "");
        ResetLocalization();
    }
    void TearDown() override { ResetLocalization(); }
    void writeDisk(const std::string& relative, const std::string& bytes) {
        root.write("Hard Disk/" + relative, bytes);
    }
    std::string config() { return root.read("Hard Disk/OrvaneLangConfig.txt"); }
    testsupport::TempDir root;
};

LanguageId languageFromConfig(const std::string& bytes) {
    testsupport::TempDir dir;
    platform::configureDevicePaths(dir.str(), "");
    dir.write("Hard Disk/OrvaneLangConfig.txt", bytes);
    ReadLanguageConfig();
    const LanguageId id = GetLanguage();
    EXPECT_EQ(dir.read("Hard Disk/OrvaneLangConfig.txt"), bytes)
        << "an existing file is not rewritten";
    return id;
}

TEST_F(Language, ConfigurationNameMustMatchExactly) {
    EXPECT_EQ(languageFromConfig("German"), kGerman);
    EXPECT_EQ(languageFromConfig(std::string("Spanish\0junk", 12)), kSpanish);
    EXPECT_EQ(languageFromConfig("Dutch"), kDutch);
    EXPECT_EQ(languageFromConfig("german"), kEnglish);
    EXPECT_EQ(languageFromConfig("German "), kEnglish);
    EXPECT_EQ(languageFromConfig("German\r\n"), kEnglish);
    EXPECT_EQ(languageFromConfig(""), kEnglish);
    EXPECT_EQ(languageFromConfig(std::string(300, 'x')), kEnglish);
    // Only the first 200 bytes are looked at.
    EXPECT_EQ(languageFromConfig(std::string(200, 'x') + "German"), kEnglish);
}

TEST_F(Language, MissingConfigurationWritesEnglish) {
    root.write("Hard Disk/.keep", "");
    ReadLanguageConfig();
    EXPECT_EQ(GetLanguage(), kEnglish);
    EXPECT_EQ(config(), "English");

    // Without a flash disk the file goes to the root of the device.
    testsupport::TempDir bare;
    platform::configureDevicePaths(bare.str(), "");
    ReadLanguageConfig();
    EXPECT_EQ(bare.read("OrvaneLangConfig.txt"), "English");
}

TEST_F(Language, StringsFileLinesBecomeNumberedStrings) {
    writeDisk("Languages/EN/EnglishStrings.txt", lineFile({"one", "two", "three", "four"}));
    EXPECT_EQ(GetString(4), "four");
    writeDisk("Languages/DE/GermanStrings.txt", lineFile({"eins", "zwei", "drei"}));
    SetLanguage(kGerman);
    EXPECT_EQ(GetString(1), "eins");
    EXPECT_EQ(GetString(3), "drei");
    EXPECT_EQ(GetString(4), "four") << "entries beyond the file keep what they held";
    EXPECT_EQ(config(), "German");

    std::string buffer = "untouched";
    GetString(0, buffer);
    EXPECT_EQ(buffer, "untouched");
    GetString(1001, buffer);
    EXPECT_EQ(buffer, "");
}

TEST_F(Language, LineFormatDetails) {
    const std::string line200(200, 'a');
    std::string file = lineFile({line200, "before\rhidden", "Grün °F", "", "ok"});
    file += utf16le("unterminated");
    writeDisk("Languages/EN/EnglishStrings.txt", file);
    EXPECT_EQ(GetString(1), std::string(100, 'a'));
    EXPECT_EQ(GetString(2), "before");
    EXPECT_EQ(GetString(3), "Grün °F");
    EXPECT_EQ(GetString(4), "");
    EXPECT_EQ(GetString(5), "ok");
    EXPECT_EQ(GetString(6), "") << "a last line without LF is not stored";
}

TEST_F(Language, WarningTextKeepsOneHundredFortyNineOfItsOneHundredFiftyCharacters) {
    const std::string long200 = "0F01 " + std::string(195, 'w');
    writeDisk("Languages/EN/WarningsMC.txt", lineFile({"never shown", long200}));
    EXPECT_EQ(GetWarningText(15, 1), long200.substr(0, 149));
}

TEST_F(Language, StringsFileIsReadOnlyToItsByteLimit) {
    // 2 bytes of mark, then lines of 6 characters + CR LF = 16 bytes each.
    std::vector<std::string> lines;
    for (int i = 1; i <= 2100; ++i)
        lines.push_back(std::string(5, 'a' + i % 26) + "!");
    writeDisk("Languages/EN/EnglishStrings.txt", lineFile(lines));
    // (32768 - 2) / 16 = 2047 whole lines, but the table holds 1000.
    EXPECT_EQ(GetString(1000), lines[999]);

    ResetLocalization();
    lines.assign(1000, std::string(40, 'x'));  // 84 bytes a line: 390 lines fit, the 391st is cut
    lines[389] = std::string(40, 'y');
    writeDisk("Languages/EN/EnglishStrings.txt", lineFile(lines));
    EXPECT_EQ(GetString(390), std::string(40, 'y').substr(0, 100));
    EXPECT_EQ(GetString(391), "");
}

TEST_F(Language, WarningNumbersAndFallbacks) {
    writeDisk("Languages/EN/WarningsMC.txt",
              lineFile({"header", "0F01 first", "0F02 second", "0F03 third"}));
    writeDisk("Languages/EN/WarningsFH1.txt", lineFile({"header", "0201 flame"}));
    writeDisk("Languages/DE/WarningsFH1.txt", lineFile({"Kopf", "0201 Flamme"}));
    EXPECT_EQ(GetWarningText(15, 3), "0F03 third");
    EXPECT_EQ(GetWarningText(15, 1000), "");
    EXPECT_EQ(GetWarningText(9, 1), "") << "fan/heater interlocks have no table";

    std::string buffer(200, 'z');
    GetWarningText(0, 3, buffer);
    EXPECT_EQ(buffer, std::string(149, 'z'));

    SetLanguage(kGerman);
    EXPECT_EQ(GetWarningText(2, 1), "0201 Flamme");
    EXPECT_EQ(GetWarningText(15, 2), "0F02 second") << "missing German file falls back to English";
}

TEST_F(Language, LazyLoadReadsConfigurationOnce) {
    writeDisk("OrvaneLangConfig.txt", "German");
    writeDisk("Languages/EN/EnglishStrings.txt", lineFile({"Yes"}));
    writeDisk("Languages/DE/GermanStrings.txt", lineFile({"Ja"}));
    EXPECT_EQ(GetLanguage(), kEnglish);
    EXPECT_EQ(GetString(1), "Ja");
    EXPECT_EQ(GetLanguage(), kGerman);
    writeDisk("OrvaneLangConfig.txt", "English");
    EXPECT_EQ(GetString(1), "Ja");

    // A language without its own strings file shows the English texts.
    SetLanguage(kDutch);
    EXPECT_EQ(GetString(1), "Yes");
    EXPECT_EQ(config(), "Dutch");
    SetLanguage(200);
    EXPECT_EQ(config(), "English");
    EXPECT_EQ(GetLanguage(), 200);
}

TEST_F(Language, WarningTextsCanBeFetchedWhileTheLanguageChanges) {
    writeDisk("Languages/EN/WarningsMC.txt", lineFile({"h", "0F01 wet sensor"}));
    writeDisk("Languages/DE/WarningsMC.txt", lineFile({"h", "0F01 Nasssensor"}));
    std::atomic<bool> done = false;
    std::thread exchange([&] {
        while (!done) {
            const std::string text = GetWarningText(15, 1);
            ASSERT_TRUE(text == "0F01 wet sensor" || text == "0F01 Nasssensor") << text;
        }
    });
    for (int i = 0; i < 20; ++i)
        SetLanguage(i % 2 ? kEnglish : kGerman);
    done = true;
    exchange.join();
}

TEST_F(Language, DataRootFollowsTheFlashDisk) {
    EXPECT_EQ(DataRootPath("a.txt"), "a.txt");
    root.write("Hard Disk/.keep", "");
    EXPECT_EQ(DataRootPath("Languages\\EN\\x.txt"), "\\Hard Disk\\Languages\\EN\\x.txt");
}

TEST(SplitTextInTwo, SplitsAtTheLastSpaceBeforeTheMiddle) {
    // 32 characters, spaces at 6, 11 and 23.
    std::string text = "abcdef ghij klmnopqrstu vwxyz123";
    ASSERT_EQ(text.size(), 32u);
    std::string first, second;
    SplitTextInTwo(text, first, second, 99);
    EXPECT_EQ(first, "abcdef ghij");
    EXPECT_EQ(second, "klmnopqrstu vwxyz123");

    text = "abcdefghijklmnop qrst";  // first space after the middle
    SplitTextInTwo(text, first, second, 99);
    EXPECT_EQ(first, "abcdefghijklmnop");
    EXPECT_EQ(second, "qrst");

    text = std::string(70, 'x');
    SplitTextInTwo(text, first, second, 99);
    EXPECT_EQ(first, text);
    EXPECT_EQ(second, "");

    text = "a bcdefg hÜÜÜÜÜÜ";  // the middle counts characters, not bytes
    SplitTextInTwo(text, first, second, 99);
    EXPECT_EQ(first, "a");
    EXPECT_EQ(second, "bcdefg hÜÜÜÜÜÜ");

    text = "ab " + std::string(30, 'c');
    SplitTextInTwo(text, first, second, 20);
    EXPECT_EQ(text, "ab " + std::string(17, 'c'));
    EXPECT_EQ(first, "ab");
    EXPECT_EQ(second, std::string(17, 'c'));
}

TEST(Text, Utf16RoundTripAndCuts) {
    const std::string text = "a°Ü€😀z";
    const std::u16string units = toUtf16(text);
    EXPECT_EQ(units.size(), 7u);
    EXPECT_EQ(toUtf8(units), text);
    EXPECT_EQ(firstChars(text, 5), "a°Ü€") << "half a surrogate pair is dropped";
    EXPECT_EQ(toUtf8(u"a\xD800z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(toUtf16("\xC0\x80"), u"\xFFFD\xFFFD");
}

}  // namespace
}  // namespace i18n

namespace i18n {
namespace {

// The fixed texts of the screens: English where the table has no text, a filled number that is
// never a printf format, and parts joined as the English literal was.
TEST_F(Language, FixedTextsFallBackAndFillWithoutFormatting) {
    writeDisk("Languages/EN/EnglishStrings.txt",
              lineFile({"BRENNER %d", "", "Teil eins", "%s %n %d"}));
    EXPECT_EQ(GetStringOr(1, "BURNER %d"), "BRENNER %d");
    EXPECT_EQ(GetStringOr(2, "FAN %d"), "FAN %d");
    EXPECT_EQ(GetStringOr(7, "LOAD"), "LOAD");
    EXPECT_EQ(GetStringFilled(1, "BURNER %d", 6), "BRENNER 6");
    EXPECT_EQ(GetStringFilled(4, "x", 3), "%s %n 3");
    EXPECT_EQ(GetStringsJoined({{3, "Part one."}, {5, "Part two."}}, "  "), "Teil eins  Part two.");
}

// Shown dates take the pack's month and day names and its pictures; what a pack lacks stays
// English, and the stored English picture is untouched.
TEST_F(Language, DatesShowInThePacksWordsAndOrder) {
    platform::LocalTime t = testsupport::localTime(2026, 12, 9, 0, 0);
    std::vector<std::string> strings(772);
    strings[763 - 1] = "dec.";
    strings[767 - 1] = "szerda";
    strings[771 - 1] = "yyy'.' MMM d'.,' dddd";
    strings[772 - 1] = "yyy'.' MMM d'.'";
    writeDisk("Languages/EN/EnglishStrings.txt", lineFile(strings));
    EXPECT_EQ(shownDate(t, true), "2026. dec. 9., szerda");
    EXPECT_EQ(shownDate(t, false), "2026. dec. 9.");
    t.month = 1;
    EXPECT_EQ(shownDate(t, false), "2026. Jan 9.");
    EXPECT_EQ(platform::formatPicture(t, "MMM dd',' yyy"), "Jan 09, 2026");

    writeDisk("Languages/EN/EnglishStrings.txt", lineFile({"one"}));
    ResetLocalization();
    EXPECT_EQ(shownDate(t, true), "Wednesday  Jan 09, 2026");
}

}  // namespace
}  // namespace i18n
