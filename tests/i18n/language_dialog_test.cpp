// The language selection dialog in the panel harness, over the panel image's language packs.

#include "i18n/dialog/language_dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "platform/backend/headless/panel_harness.h"
#include "platform/files/files.h"
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

class LanguageDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* image = std::getenv("ORVANE_IMAGE_DIR");
        const fs::path languages = fs::path(image ? image : "") / "Hard Disk" / "Languages";
        ASSERT_TRUE(fs::is_directory(languages / "DE" / "Bitmaps")) << "build the panel image";
        fs::create_directories(root.path() / "Hard Disk");
        fs::create_directory_symlink(languages, root.path() / "Hard Disk" / "Languages");
        platform::configureDevicePaths(root.str(), "");
        ResetLocalization();
        panel.call([this] {
            ui::registerClass({"SETUP_SELECTION_WINDOW", setupMenuProc});
            setupMenu =
                ui::createWindow("SETUP_SELECTION_WINDOW", "SETUP", ui::kVisible, {0, 0, 640, 475});
        });
    }
    void TearDown() override { ResetLocalization(); }

    // Opens the dialog and returns it; `result` receives its answer when it closes.
    ui::Window open(int& result) {
        result = -1;
        panel.post([this, &result] { result = RunLanguageDialog(setupMenu); });
        return ui::findWindow("#DIALOG");
    }

    testsupport::TempDir root;
    platform::backend::PanelHarness panel;
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
    EXPECT_EQ(ui::itemText(dialog, kDutchButton), "DUTCH\n(Dutch)");
    EXPECT_EQ(ui::itemText(dialog, kGermanButton), "GERMAN\n(German)");
    EXPECT_TRUE(ui::isItemChecked(dialog, kEnglishButton));
    EXPECT_FALSE(ui::isItemChecked(dialog, kGermanButton));

    const int erasesBefore = gOwnerErases;
    panel.tap(ui::dialogItem(dialog, kGermanButton));
    EXPECT_EQ(result, kGermanButton);
    EXPECT_FALSE(ui::isWindow(dialog));
    EXPECT_GT(gOwnerErases, erasesBefore) << "the setup menu is drawn again, background erased";
    EXPECT_EQ(GetLanguage(), kGerman);
    EXPECT_EQ(GetString(3), "HILFE");
    EXPECT_EQ(root.read("Hard Disk/OrvaneLangConfig.txt"), "German");

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
    panel.tap(ui::dialogItem(dialog, kDutchButton));
    EXPECT_EQ(result, kDutchButton);
    EXPECT_EQ(root.read("Hard Disk/OrvaneLangConfig.txt"), "Dutch");
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
    panel.tap(ui::dialogItem(dialog, kEnglishButton));
    EXPECT_EQ(result, kEnglishButton);
    EXPECT_EQ(root.read("Hard Disk/OrvaneLangConfig.txt"), "English");
}

}  // namespace
}  // namespace i18n
