// The shutdown help dialog opened from the warning window: which files it shows, how it reads a
// help text, a missing picture, and closing with the live shutdown.
#include "screens/warnings/shutdown_help.h"

#include <set>

#include "screens/warnings/warning_window.h"
#include "screens/warnings/warnings_harness.h"

namespace warningstest {
namespace {

using warnings::kHelpCloseButton;
using warnings::kHelpTextList;

class ShutdownHelpTest : public WarningsHarness {
  protected:
    // Shows the shutdown and presses the warning window's help button; returns the help dialog.
    ui::Window openHelpFor(int node, int warning) {
        shutdown(node, warning);
        panel_->advance(100);
        panel_->tap(ui::childById(warningWindow(), warnings::kWarningHelpButton));
        return shell::openDialogWindow(shell::Dialog::ShutdownHelp);
    }
    bool helpOpen() { return bool(shell::openDialogWindow(shell::Dialog::ShutdownHelp)); }
    // The message box over the help dialog, if one is up.
    ui::Window pictureQuestion() {
        const ui::Window top = topDialog();
        return top != shell::openDialogWindow(shell::Dialog::ShutdownHelp) ? top : ui::Window{};
    }
    // Takes a warning's picture and help text out of the English pack.
    void withoutHelpFiles(int node, int warning) {
        char name[64];
        std::snprintf(name, sizeof name, "NID_%02d_WARNING_ID_%02d", node, warning);
        const fs::path folder = root_.path() / "Hard Disk/Languages/EN/WarningBitmaps";
        fs::remove(folder / (std::string(name) + ".bmp"));
        fs::remove(folder / (std::string(name) + ".txt"));
    }
    // Copies a picture of the image to the name of another warning.
    void pictureFor(int node, int warning) {
        char name[64];
        std::snprintf(name, sizeof name, "NID_%02d_WARNING_ID_%02d.bmp", node, warning);
        const fs::path folder = root_.path() / "Hard Disk/Languages/EN/WarningBitmaps";
        fs::copy_file(folder / "NID_15_WARNING_ID_01.bmp", folder / name);
    }
};

TEST_F(ShutdownHelpTest, EveryFanHeaterOpensTheHelpOfTheFirst) {
    start();
    const auto expected = i18n::ReadWarningHelpLines(2, 3);
    ASSERT_TRUE(expected && expected->size() > 2);
    for (int node : {2, 5, 7}) {
        const ui::Window help = openHelpFor(node, 3);
        ASSERT_TRUE(help) << node;
        EXPECT_EQ(ui::windowText(help), i18n::GetString(459));
        EXPECT_EQ(ui::itemText(help, kHelpCloseButton), i18n::GetString(145));
        EXPECT_FALSE(pictureQuestion()) << "picture of node " << node;
        EXPECT_EQ(listLines(ui::dialogItem(help, kHelpTextList)), *expected);
        press(help, kHelpCloseButton);
        EXPECT_FALSE(helpOpen());
    }
    // The request is the live shutdown's own pair.
    EXPECT_EQ(warnings::helpRequest().node, 7u);
    EXPECT_EQ(warnings::helpRequest().warning, 3u);
}

TEST_F(ShutdownHelpTest, HelpTextLinesFollowTheFileRules) {
    start();
    writeHelpText(15, 1, "ONE LINE WITHOUT ITS END");
    EXPECT_TRUE(warnings::helpTextLines(15, 1).empty());

    // A line longer than the list takes is cut; a character outside the basic plane that the cut
    // would halve goes whole.
    const std::string emoji = "\xF0\x9F\x94\xA5";
    writeHelpText(15, 7,
                  std::string(1500, 'x') + "\r\n" + std::string(999, 'y') + emoji + "z\r\n" +
                      "TAB\tSTOP\rIGNORED\r\n\r\nLAST WITHOUT END");
    const std::vector<std::string> lines = warnings::helpTextLines(15, 7);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], std::string(1000, 'x'));
    EXPECT_EQ(lines[1], std::string(999, 'y'));
    EXPECT_EQ(lines[2], "TAB    STOP");
    EXPECT_EQ(lines[3], "");

    withoutHelpFiles(15, 11);
    EXPECT_EQ(warnings::helpTextLines(15, 11),
              (std::vector<std::string>{"NO TEXT FILE AVAILABLE."}));

    // The dialog shows the lines as they come.
    const ui::Window help = openHelpFor(15, 1);
    ASSERT_TRUE(help);
    EXPECT_TRUE(listLines(ui::dialogItem(help, kHelpTextList)).empty());
}

TEST_F(ShutdownHelpTest, MissingPictureOffersRetryAndCancelCloses) {
    start();
    withoutHelpFiles(15, 9);
    const ui::Window help = openHelpFor(15, 9);
    ASSERT_TRUE(help);
    ui::Window question = pictureQuestion();
    ASSERT_TRUE(question);
    EXPECT_EQ(ui::windowText(question), i18n::GetString(467));
    EXPECT_TRUE(drew(question, i18n::GetString(468)));
    EXPECT_EQ(listLines(ui::dialogItem(help, kHelpTextList)),
              (std::vector<std::string>{"NO TEXT FILE AVAILABLE."}));

    // Retry tries again: still missing, asked again.
    press(question, ui::kIdRetry);
    question = pictureQuestion();
    ASSERT_TRUE(question);
    // With the picture in place the next try shows it and asks nothing.
    pictureFor(15, 9);
    press(question, ui::kIdRetry);
    EXPECT_FALSE(pictureQuestion());
    EXPECT_TRUE(helpOpen());
    press(help, kHelpCloseButton);

    withoutHelpFiles(15, 10);
    const ui::Window again = openHelpFor(15, 10);
    ASSERT_TRUE(again);
    ASSERT_TRUE(pictureQuestion());
    press(pictureQuestion(), ui::kIdCancel);
    EXPECT_FALSE(helpOpen());
    EXPECT_FALSE(topDialog());
}

TEST_F(ShutdownHelpTest, ClosesWhenTheLiveShutdownClears) {
    start();
    ASSERT_TRUE(openHelpFor(2, 1));
    shutdown(0, 0);
    EXPECT_TRUE(helpOpen());
    panel_->advance(100);
    EXPECT_FALSE(helpOpen());
    EXPECT_FALSE(warningShown());
}

TEST_F(ShutdownHelpTest, RearDischargeShutdownAnimatesFourPictures) {
    start();
    const ui::Window help = openHelpFor(14, 5);
    ASSERT_TRUE(help);
    EXPECT_FALSE(pictureQuestion());
    // One picture per tenth of a second, the last held for four.
    std::vector<std::vector<uint32_t>> seen;
    for (int step = 0; step < 8; ++step) {
        panel_->advance(100);
        const platform::gfx::Surface screen = panel_->screen();
        std::vector<uint32_t> band;
        const auto origin = ui::clientToScreen(help, {10, 0});
        for (int x = 0; x < 500; x += 2)
            for (int y = 0; y < 320; y += 2)
                band.push_back(screen.pixel(origin.x + x, origin.y + y));
        seen.push_back(band);
    }
    EXPECT_EQ(std::set(seen.begin(), seen.begin() + 7).size(), 4u);
    EXPECT_EQ(seen[7], seen[0]);
    int repeats = 0;
    for (int i = 0; i < 7; ++i)
        repeats += seen[i + 1] == seen[i];
    EXPECT_EQ(repeats, 3);
}

}  // namespace
}  // namespace warningstest
