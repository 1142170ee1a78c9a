// The language selection dialog in the panel harness, over the panel image's language packs.

#include "i18n/dialog/language_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "i18n/button_bitmaps.h"
#include "i18n/i18n_files.h"
#include "i18n/language.h"
#include "platform/files/files.h"
#include "platform/gfx/text.h"
#include "support/panel_fixture.h"
#include "support/temp_dir.h"

namespace i18n {
namespace {

namespace fs = std::filesystem;
namespace ui = platform::ui;

constexpr int kEnglishButton = 1492;
constexpr int kDutchButton = 1504;
constexpr int kGermanButton = 1497;

int gOwnerErases = 0;

ui::LResult setupMenuProc(ui::Window w, uint32_t message, ui::WParam wp, ui::LParam lp) {
    if (message == ui::kEraseBackground) ++gOwnerErases;
    return ui::defaultProc(w, message, wp, lp);
}

class LanguageDialog : public testsupport::PanelFixture {
  protected:
    void SetUp() override {
        PanelFixture::SetUp();
        panel_->call([this] {
            ui::registerClass({"SETUP_SELECTION_WINDOW", setupMenuProc});
            setupMenu =
                ui::createWindow("SETUP_SELECTION_WINDOW", "SETUP", ui::kVisible, {0, 0, 640, 475});
        });
    }

    // Opens the dialog and returns it; `result` receives its answer when it closes.
    ui::Window open(int& result) {
        result = -1;
        panel_->post([this, &result] { result = RunLanguageDialog(setupMenu); });
        return ui::findWindow("#DIALOG");
    }

    ui::Window setupMenu;
};

TEST_F(LanguageDialog, ChoosingGermanSwitchesTextsBitmapsAndTheConfiguration) {
    HeldButtonBitmap graphView(43);
    ASSERT_TRUE(graphView.get());
    const platform::gfx::Surface englishGraphView = *graphView.get();

    int result = -1;
    ui::Window dialog = open(result);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ui::windowText(dialog), "Select Language to Use");
    EXPECT_EQ(ui::itemText(dialog, kEnglishButton), "ENGLISH\n(English)");
    EXPECT_EQ(ui::itemText(dialog, kDutchButton), "DUTCH\nNederlands\n(Dutch)");
    EXPECT_EQ(ui::itemText(dialog, kGermanButton), "GERMAN\nDeutsch\n(German)");
    EXPECT_TRUE(ui::isItemChecked(dialog, kEnglishButton));
    EXPECT_FALSE(ui::isItemChecked(dialog, kGermanButton));

    const int erasesBefore = gOwnerErases;
    panel_->tap(ui::dialogItem(dialog, kGermanButton));
    EXPECT_EQ(result, kGermanButton);
    EXPECT_FALSE(ui::isWindow(dialog));
    EXPECT_GT(gOwnerErases, erasesBefore) << "the setup menu is drawn again, background erased";
    EXPECT_EQ(GetLanguage(), kGerman);
    EXPECT_EQ(GetString(3), "HILFE");
    EXPECT_EQ(root_.read("Hard Disk/OrvaneLangConfig.txt"), "German");

    ReloadButtonBitmaps();
    ASSERT_TRUE(graphView.get());
    EXPECT_NE(*graphView.get(), englishGraphView);
    EXPECT_EQ(graphView.get()->size(), englishGraphView.size());

    dialog = open(result);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ui::itemText(dialog, kGermanButton), "DEUTSCH\n(German)");
    EXPECT_EQ(ui::itemText(dialog, kEnglishButton), "ENGLISCH\n(English)");
    EXPECT_TRUE(ui::isItemChecked(dialog, kGermanButton));
    EXPECT_FALSE(ui::isItemChecked(dialog, kEnglishButton));

    // Dutch: its own texts and bitmaps.
    panel_->tap(ui::dialogItem(dialog, kDutchButton));
    EXPECT_EQ(result, kDutchButton);
    EXPECT_EQ(root_.read("Hard Disk/OrvaneLangConfig.txt"), "Dutch");
    EXPECT_EQ(GetString(10), "ANNULEREN");
    ReloadButtonBitmaps();
    ASSERT_TRUE(graphView.get());
    EXPECT_EQ(graphView.get()->size(), englishGraphView.size());
}

TEST_F(LanguageDialog, ButtonsFitTheScreenInThreeColumns) {
    int result = -1;
    const ui::Window dialog = open(result);
    ASSERT_TRUE(dialog);
    const ui::Rect frame = ui::screenRect(dialog);
    EXPECT_GE(frame.left, 0);
    EXPECT_GE(frame.top, 0);
    EXPECT_LE(frame.right, 640);
    EXPECT_LE(frame.bottom, 480);
    const ui::Rect english = ui::windowRect(ui::dialogItem(dialog, kEnglishButton));
    const ui::Rect dutch = ui::windowRect(ui::dialogItem(dialog, kDutchButton));
    const ui::Rect french = ui::windowRect(ui::dialogItem(dialog, 1496));
    const ui::Rect portuguese = ui::windowRect(ui::dialogItem(dialog, 1500));
    EXPECT_EQ(english.left, dutch.left);
    EXPECT_GT(dutch.top, english.top);
    EXPECT_EQ(english.top, french.top);
    EXPECT_GT(portuguese.left, french.right);
    // Pressing the button of the language in force closes the dialog too.
    panel_->tap(ui::dialogItem(dialog, kEnglishButton));
    EXPECT_EQ(result, kEnglishButton);
    EXPECT_EQ(root_.read("Hard Disk/OrvaneLangConfig.txt"), "English");
}

// Russian as an operator who reads no English sees it: every language under its Russian name,
// its own name and its English name; the Russian button checked and without a repeated name.
TEST_F(LanguageDialog, InRussianEveryLanguageShowsItsOwnName) {
    testsupport::TempDir russianRoot;
    const fs::path languages = russianRoot.path() / "Hard Disk" / "Languages";
    fs::create_directories(languages);
    fs::create_directory_symlink(fs::read_symlink(root_.path() / "Hard Disk" / "Languages") / "EN",
                                 languages / "EN");
    // Strings 473 to 485 name the languages, in the order of their English names.
    std::vector<std::string> lines(472);
    for (const char* name : {"БОЛГАРСКИЙ", "ЧЕШСКИЙ", "ДАТСКИЙ", "НИДЕРЛАНДСКИЙ", "АНГЛИЙСКИЙ",
                             "ФРАНЦУЗСКИЙ", "НЕМЕЦКИЙ", "ВЕНГЕРСКИЙ", "ПОЛЬСКИЙ", "ПОРТУГАЛЬСКИЙ",
                             "РУМЫНСКИЙ", "РУССКИЙ", "ИСПАНСКИЙ"})
        lines.push_back(name);
    russianRoot.write("Hard Disk/Languages/RU/RussianStrings.txt", i18ntest::lineFile(lines));
    platform::configureDevicePaths(russianRoot.str(), "");
    ResetLocalization();
    SetLanguage(kRussian);

    int result = -1;
    const ui::Window dialog = open(result);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ui::itemText(dialog, kEnglishButton), "АНГЛИЙСКИЙ\n(English)");
    EXPECT_EQ(ui::itemText(dialog, kGermanButton), "НЕМЕЦКИЙ\nDeutsch\n(German)");
    EXPECT_EQ(ui::itemText(dialog, 1498), "ВЕНГЕРСКИЙ\nMagyar\n(Hungarian)");
    EXPECT_EQ(ui::itemText(dialog, 1493), "БОЛГАРСКИЙ\nБългарски\n(Bulgarian)");
    EXPECT_EQ(ui::itemText(dialog, 1496), "ФРАНЦУЗСКИЙ\nFrançais\n(French)");
    EXPECT_EQ(ui::itemText(dialog, 1502), "РУССКИЙ\n(Russian)");
    EXPECT_TRUE(ui::isItemChecked(dialog, 1502));
    EXPECT_FALSE(ui::isItemChecked(dialog, kEnglishButton));
    // Every label's lines fit its button.
    for (int id : {1492, 1493, 1494, 1495, 1496, 1497, 1498, 1499, 1500, 1501, 1502, 1503, 1504}) {
        const ui::Window button = ui::dialogItem(dialog, id);
        const ui::Rect r = ui::windowRect(button);
        const ui::Rect text = platform::gfx::textBounds(
            ui::itemText(dialog, id), {0, 0, 10000, 10000}, ui::windowFont(button), 0);
        EXPECT_LE(text.width(), r.width() - 4) << ui::itemText(dialog, id);
        EXPECT_LE(text.height(), r.height() - 4) << ui::itemText(dialog, id);
    }
    panel_->tap(ui::dialogItem(dialog, 1502));
    EXPECT_EQ(result, 1502);
}

}  // namespace
}  // namespace i18n
