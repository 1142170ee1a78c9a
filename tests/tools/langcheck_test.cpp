// The language check on a made-up French pack beside the panel image's English: a missing
// string, a wrong placeholder and a missing bitmap are each reported and fail the check.

#include "tools/langcheck/langcheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "i18n/language.h"
#include "i18n/line_file.h"
#include "i18n/text.h"
#include "support/panel_root.h"
#include "support/temp_dir.h"

namespace langcheck {
namespace {

namespace fs = std::filesystem;

TEST(Placeholders, CountOrderAndKindAsWritten) {
    using V = std::vector<std::string>;
    EXPECT_EQ(placeholders("Stage DRY with %d:%02d?"), (V{"%d", "%02d"}));
    EXPECT_EQ(placeholders("%d.%01d %%"), (V{"%d", "%01d", "%%"}));
    EXPECT_EQ(placeholders("%s %-5s %ld %x"), (V{"%s", "%-5s", "%ld", "%x"}));
    // A percent sign that starts no conversion is text.
    EXPECT_EQ(placeholders("Hi = 80% and Low = 10%)."), V{});
    EXPECT_EQ(placeholders("15% HI/LOW"), V{});
    EXPECT_EQ(placeholders("ends with %"), V{});
}

class Langcheck : public ::testing::Test {
  protected:
    void SetUp() override {
        const fs::path built = testsupport::imageDisk() / "Languages";
        ASSERT_TRUE(fs::is_directory(built / "EN" / "Bitmaps")) << "build the panel image";
        fs::create_directories(languages());
        fs::create_directory_symlink(built / "EN", languages() / "EN");
        // French: English's files, its strings written again with the faults of each test.
        fs::copy(built / "EN", french(), fs::copy_options::recursive);
        fs::remove(french() / "EnglishStrings.txt");
        scratch.write("assets/languages/FR/strings.txt", "# shipped\n");
        scratch.write("assets/languages/EN/strings.txt", "# shipped\n");
    }
    fs::path languages() const { return scratch.path() / "image" / "Hard Disk" / "Languages"; }
    fs::path french() const { return languages() / "FR"; }

    // English's strings with `changes` (an empty text removes a string) as French's.
    void writeFrenchStrings(const std::map<int, std::string>& changes) {
        const std::string bytes = readAll(languages() / "EN" / "EnglishStrings.txt");
        std::vector<i18n::TableEntry> entries(i18n::kStringCount);
        const size_t stored = i18n::storeLines(
            std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), entries);
        std::vector<std::string> lines;
        for (size_t i = 0; i < stored; ++i) {
            const auto change = changes.find(static_cast<int>(i) + 1);
            lines.push_back(change != changes.end()
                                ? change->second
                                : i18n::toUtf8(std::u16string_view(entries[i].data())));
        }
        const auto file = i18n::encodeLineFile(lines);
        scratch.write("image/Hard Disk/Languages/FR/FrenchStrings.txt",
                      std::string(file.begin(), file.end()));
    }
    static std::string readAll(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    int run(std::string& report) {
        std::ostringstream out;
        const int code = check(scratch.path() / "assets", scratch.path() / "image", out);
        report = out.str();
        return code;
    }
    // A language's heading line and the indented lines under it.
    static std::string section(const std::string& report, const std::string& code) {
        const size_t start = report.find("\n" + code + " ") + 1;
        size_t stop = report.find('\n', start);
        while (stop != std::string::npos && report.compare(stop + 1, 2, "  ") == 0)
            stop = report.find('\n', stop + 1);
        return report.substr(start, stop - start);
    }

    testsupport::TempDir scratch;
};

TEST_F(Langcheck, CompleteCopyOfEnglishPassesAndListsItsIdenticalStrings) {
    writeFrenchStrings({});
    std::string report;
    EXPECT_EQ(run(report), 0) << report;
    const std::string fr = section(report, "FR");
    EXPECT_NE(fr.find("  complete"), std::string::npos) << fr;
    EXPECT_NE(fr.find("identical to English (not accepted): "), std::string::npos) << fr;
    EXPECT_NE(fr.find("\"HELP\""), std::string::npos) << fr;
    EXPECT_NE(fr.find("button bitmaps: 77 of 77"), std::string::npos) << fr;
    EXPECT_NE(fr.find("warning pictures: 49 of 49, warning help texts: 49 of 49"),
              std::string::npos)
        << fr;
    EXPECT_NE(report.find("not shipped: BG CS DA NL DE HU PL PT RO RU ES"), std::string::npos)
        << report;
}

TEST_F(Langcheck, MissingStringWrongPlaceholderAndMissingBitmapFail) {
    writeFrenchStrings({{3, ""}, {513, "Recommencer SÉCHAGE avec %d ?"}});
    fs::remove(french() / "Bitmaps" / "GRAPHIC_043_GRAPH_VIEW_BUTTON.BMP");
    fs::remove(french() / "WarningBitmaps" / "NID_15_WARNING_ID_07.txt");
    std::string report;
    EXPECT_EQ(run(report), 1) << report;
    const std::string fr = section(report, "FR");
    EXPECT_NE(fr.find(", missing 3"), std::string::npos) << fr;
    EXPECT_NE(fr.find("513 (English %d %02d, here %d)"), std::string::npos) << fr;
    EXPECT_NE(fr.find("button bitmaps: 76 of 77, missing GRAPHIC_043_GRAPH_VIEW_BUTTON.BMP"),
              std::string::npos)
        << fr;
    EXPECT_NE(fr.find("warning pictures: 49 of 49, warning help texts: 48 of 49\n"
                      "    help texts missing that English has: node 15: 7"),
              std::string::npos)
        << fr;
    EXPECT_NE(fr.find("INCOMPLETE: 4 missing or differing"), std::string::npos) << fr;
    EXPECT_NE(report.find("1 incomplete (FR)"), std::string::npos) << report;
}

// A pack listed as in translation is reported without failing, until it is complete: then the
// stale line fails the check.
TEST_F(Langcheck, InTranslationListHoldsTheGateOnlyWhileThePackIsIncomplete) {
    scratch.write("assets/languages/in_translation.txt", "# still in work\nFR\n");
    writeFrenchStrings({{3, ""}});
    std::string report;
    EXPECT_EQ(run(report), 0) << report;
    EXPECT_NE(section(report, "FR").find("  in translation: 1 missing or differing"),
              std::string::npos)
        << report;
    writeFrenchStrings({});
    EXPECT_EQ(run(report), 1) << report;
    EXPECT_NE(report.find("complete but still listed in in_translation.txt: FR"), std::string::npos)
        << report;
}

TEST_F(Langcheck, LanguageWithoutStringsSourceIsNotJudged) {
    fs::remove(scratch.path() / "assets" / "languages" / "FR" / "strings.txt");
    std::string report;
    EXPECT_EQ(run(report), 0) << report;
    EXPECT_NE(report.find("FR French: not shipped (no strings.txt)"), std::string::npos);
}

}  // namespace
}  // namespace langcheck
