// The operator's guide behind VIEW's manual button: paging at both ends, the page count, the
// English guide for a language without one, and the message when no guide reads.
#include "screens/graphs/manual_viewer.h"

#include "graphs_fixture.h"
#include "i18n/language.h"
#include "screens/graphs/view_selection.h"
#include "support/panel_root.h"

namespace graphstest {
namespace {

const std::string kCaption = " OPERATOR'S GUIDE";
const std::string kEnglishGuide = "Hard Disk/Languages/EN/Manual.txt";

class ManualViewer : public GraphScreens {
  protected:
    // The fixture links the image's language folder whole; here it is a folder of links to the
    // image's files, so that a guide written by a test replaces a link, never the image's file.
    void SetUp() override {
        GraphScreens::SetUp();
        const fs::path languages = root_.path() / "Hard Disk" / "Languages";
        fs::remove(languages);
        testsupport::linkFiles(testsupport::imageDisk() / "Languages", languages);
    }
    void writeFile(const std::string& relative, const std::string& text) {
        fs::remove(root_.path() / relative);
        root_.write(relative, text);
    }
    void openManual() {
        panel_->tap(shell::mainButtonWindow(shell::MainButton::View));
        ASSERT_TRUE(visible(Screen::ViewSelection));
        pressChild(Screen::ViewSelection, graphs::kManualsButton);
    }
    bool enabled(ui::Window viewer, int id) { return ui::isEnabled(ui::childById(viewer, id)); }
    void writeGuide(const std::string& relative, int pages) {
        std::string text;
        for (int i = 1; i <= pages; ++i)
            text += "Page heading " + std::to_string(i) + "\nBody of page " + std::to_string(i) +
                    "\n---\n";
        writeFile(relative, text);
    }
};

TEST_F(ManualViewer, PagesThroughTheGuideAndStopsAtBothEnds) {
    writeGuide(kEnglishGuide, 3);
    start();
    openManual();
    EXPECT_FALSE(visible(Screen::ViewSelection));
    const ui::Window viewer = dialog(kCaption);
    ASSERT_TRUE(viewer);
    EXPECT_TRUE(panel_->findText("Page heading 1"));
    EXPECT_TRUE(panel_->findText("PAGE 1 OF 3"));
    EXPECT_FALSE(enabled(viewer, graphs::kManualPreviousButton)) << "nothing before the first";
    press(kCaption, graphs::kManualNextButton);
    press(kCaption, graphs::kManualNextButton);
    EXPECT_TRUE(panel_->findText("Body of page 3"));
    EXPECT_TRUE(panel_->findText("PAGE 3 OF 3"));
    EXPECT_FALSE(enabled(viewer, graphs::kManualNextButton)) << "nothing after the last";
    press(kCaption, graphs::kManualNextButton);
    EXPECT_TRUE(panel_->findText("PAGE 3 OF 3"));
    press(kCaption, graphs::kManualPreviousButton);
    EXPECT_TRUE(panel_->findText("PAGE 2 OF 3"));
    EXPECT_TRUE(enabled(viewer, graphs::kManualPreviousButton));
    EXPECT_TRUE(enabled(viewer, graphs::kManualNextButton));
    press(kCaption, graphs::kManualExitButton);
    EXPECT_FALSE(ui::isWindow(viewer));
}

TEST_F(ManualViewer, AGuidePageLongerThanTheScreenGoesOnUnderItsHeading) {
    i18n::Manual manual;
    manual.pages.push_back({"Long", std::vector<std::string>(40, "A line of the long page.")});
    manual.pages.push_back({"Short", {"", "Text after a gap that is dropped at the top."}});
    std::vector<graphs::ManualScreenPage> pages;
    start();
    panel_->call([&] { pages = graphs::layoutManual(manual); });
    ASSERT_GE(pages.size(), 3u);
    size_t lines = 0;
    for (size_t i = 0; i + 1 < pages.size(); ++i) {
        EXPECT_EQ(pages[i].heading, "Long");
        lines += pages[i].lines.size();
        EXPECT_LE(pages[i].lines.back().top + 20, 390) << "page " << i << " stays on the paper";
    }
    EXPECT_EQ(lines, 40u) << "no line lost between pages";
    const auto& last = pages.back();
    EXPECT_EQ(last.heading, "Short");
    ASSERT_EQ(last.lines.size(), 1u);
    EXPECT_EQ(last.lines[0].top, pages[0].lines[0].top) << "no gap at a page's top";
}

TEST_F(ManualViewer, AListItemHasABulletAndItsLinesIndentedBesideIt) {
    i18n::Manual manual;
    manual.pages.push_back(
        {"List", {"- " + std::string(30, 'W') + " " + std::string(20, 'W'), "Plain paragraph."}});
    std::vector<graphs::ManualScreenPage> pages;
    start();
    panel_->call([&] { pages = graphs::layoutManual(manual); });
    ASSERT_EQ(pages.size(), 1u);
    const auto& lines = pages[0].lines;
    ASSERT_EQ(lines.size(), 4u) << "bullet, two wrapped lines, the paragraph";
    EXPECT_EQ(lines[0].text, "\xE2\x80\xA2");
    EXPECT_EQ(lines[1].top, lines[0].top);
    EXPECT_GT(lines[1].left, lines[0].left);
    EXPECT_EQ(lines[2].left, lines[1].left) << "the item's second line stays indented";
    EXPECT_EQ(lines[3].left, lines[0].left);
    EXPECT_EQ(lines[1].text, std::string(30, 'W')) << "the mark is not drawn";
}

TEST_F(ManualViewer, ALanguageWithoutAGuideShowsTheEnglishOne) {
    writeGuide(kEnglishGuide, 2);
    writeGuide("Hard Disk/Languages/DE/Manual.txt", 5);
    writeFile("Hard Disk/Languages/FR/Manual.txt", "not \xFF a guide");
    start();
    panel_->call([] { i18n::SetLanguage(i18n::kFrench); });
    openManual();
    EXPECT_TRUE(panel_->findText("PAGE 1 SUR 2")) << "the English guide, in French texts";
    press(" MANUEL D'UTILISATION", graphs::kManualExitButton);
    panel_->call([] { i18n::SetLanguage(i18n::kGerman); });
    openManual();
    EXPECT_TRUE(panel_->findText("SEITE 1 VON 5"));
    press(" BEDIENUNGSANLEITUNG", graphs::kManualExitButton);
}

TEST_F(ManualViewer, NoGuideGivesAMessageAndNoViewer) {
    writeFile(kEnglishGuide, "");
    start();
    openManual();
    EXPECT_TRUE(panel_->findText("THE OPERATOR'S GUIDE IS MISSING OR CANNOT BE READ."));
    press(kCaption, ui::kIdOk);
    EXPECT_FALSE(dialog(kCaption));
}

TEST_F(ManualViewer, TheShippedGuidesReadAndFitThePaper) {
    start();
    for (const auto language : {i18n::kEnglish, i18n::kGerman}) {
        std::vector<graphs::ManualScreenPage> pages;
        panel_->call([&] {
            i18n::SetLanguage(language);
            const auto manual = i18n::ReadManual();
            ASSERT_TRUE(manual);
            EXPECT_GE(manual->pages.size(), 10u);
            pages = graphs::layoutManual(*manual);
        });
        for (const auto& page : pages)
            EXPECT_LE(page.lines.back().top + 20, 390) << page.heading;
    }
}

}  // namespace
}  // namespace graphstest
