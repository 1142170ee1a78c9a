// The two setup menus and their yes/no questions.
#include "screens/setup/setup_fixture.h"

namespace setuptest {
namespace {

constexpr int kBurnerModeButton = 34867;
constexpr int kMoistureSetupButton = 34883;
constexpr int kAutoStartButton = 36996;
constexpr int kSetupExit = 34879;
constexpr int kReverseButton = 36991;
constexpr int kUnitsButton = 36985;
constexpr int kDryerModelButton = 36982;
constexpr int kClearBatchButton = 36990;
constexpr int kLanguageButton = 37044;
constexpr int kExtendedExit = 36980;

constexpr int kUnitsYes = 1379;
constexpr int kReverseYes = 1383;
constexpr int kReverseNo = 1384;
constexpr int kBatchYes = 1393;
constexpr int kGermanButton = 1497;

class SetupMenus : public SetupScreens {
  protected:
    ui::Window setupMenu() { return shell::screenWindow(Screen::SetupSelection); }
    ui::Window extendedMenu() { return shell::screenWindow(Screen::ExtendedSetupSelection); }
    bool shown(ui::Window menu, int id) { return ui::isShown(ui::childById(menu, id)); }

    void answer(int menuButton, int answerButton) {
        press(extendedMenu(), menuButton);
        const ui::Window question = topDialog();
        ASSERT_TRUE(question);
        press(question, answerButton);
        EXPECT_FALSE(topDialog());
    }
};

TEST_F(SetupMenus, ButtonsFollowTheDryersConfiguration) {
    controllerSets({{225, 0x20}, {183, 0x06}, {8, 0}, {280, 0x40}});
    start();
    openSetupMenu();
    EXPECT_FALSE(shown(setupMenu(), kBurnerModeButton));
    EXPECT_FALSE(shown(setupMenu(), kAutoStartButton));  // not on a single-column dryer

    // A press that still arrives while the model bit is set opens nothing.
    panel_->post([this] {
        ui::sendMessage(setupMenu(), ui::kCommand, ui::commandParam(kBurnerModeButton));
    });
    EXPECT_FALSE(topDialog());

    controllerSets({{225, 0x80}});
    panel_->advance(1000);
    EXPECT_TRUE(shown(setupMenu(), kBurnerModeButton));
    panel_->call([this] { ui::invalidate(setupMenu(), true); });
    EXPECT_TRUE(shown(setupMenu(), kAutoStartButton));

    press(setupMenu(), 36977);
    EXPECT_TRUE(shown(extendedMenu(), kDryerModelButton));
    EXPECT_TRUE(shown(extendedMenu(), kReverseButton));
    EXPECT_FALSE(shown(extendedMenu(), kClearBatchButton));  // continuous flow: no batches
    controllerSets({{183, 0x00}, {8, 1}});
    panel_->advance(1000);
    panel_->call([this] { ui::invalidate(extendedMenu(), true); });
    EXPECT_FALSE(shown(extendedMenu(), kDryerModelButton));
    EXPECT_FALSE(shown(extendedMenu(), kReverseButton));
    EXPECT_TRUE(shown(extendedMenu(), kClearBatchButton));
}

TEST_F(SetupMenus, MoistureSetupOpensTheDialogOfTheDryingMode) {
    std::vector<int> opened;
    for (int dialog : {515, 516}) {
        shell::setDialogOpener(dialog, [dialog, &opened](ui::Window) { opened.push_back(dialog); });
    }
    start();
    openSetupMenu();
    press(setupMenu(), kMoistureSetupButton);
    controllerSets({{8, 2}});
    press(setupMenu(), kMoistureSetupButton);
    EXPECT_EQ(opened, (std::vector<int>{515, 516}));
}

TEST_F(SetupMenus, UnitsYesTwiceSwitchesAndSwitchesBackKeepingTheControllersBits) {
    // Safety parameters on (bits 3 to 5) and the two one-shot command bits as last reported.
    controllerSets({{266, 0x3B}});
    start();
    openExtendedMenu();
    answer(kUnitsButton, kUnitsYes);
    EXPECT_EQ(state().unitsSetting, 1);
    EXPECT_EQ(onWire()[266], (std::vector<uint8_t>{0xB8}));

    answer(kUnitsButton, kUnitsYes);
    EXPECT_EQ(state().unitsSetting, 0);
    EXPECT_EQ(onWire()[266], (std::vector<uint8_t>{0x38}));
    EXPECT_FALSE(onWire().contains(266));  // sent once
}

TEST_F(SetupMenus, UnitsQuestionAsksTheWayBackInSiUnits) {
    controllerSets({{266, 0x80}});
    state().unitsSetting = 1;
    start();
    openExtendedMenu();
    press(extendedMenu(), kUnitsButton);
    EXPECT_TRUE(drawn("Show temperatures in degrees F and rates in bushels again?"));
    screenshot("units_question");
    press(topDialog(), 1381);  // No
    EXPECT_FALSE(state().pending.userSettings().raised());
    EXPECT_EQ(state().unitsSetting, 1);
}

TEST_F(SetupMenus, ReverseIsDecidedOnTheControllersBit) {
    controllerSets({{183, 0x02}, {49, 0x20}});
    start();
    openExtendedMenu();
    press(extendedMenu(), kReverseButton);
    screenshot("reverse_question");
    press(topDialog(), kReverseNo);
    EXPECT_TRUE(onWire().empty());

    answer(kReverseButton, kReverseYes);
    answer(kReverseButton, kReverseYes);  // the controller has not answered yet
    EXPECT_EQ(onWire()[49], (std::vector<uint8_t>{0x30}));

    controllerSets({{49, 0x30}});
    answer(kReverseButton, kReverseYes);
    EXPECT_EQ(onWire()[49], (std::vector<uint8_t>{0x20}));
}

TEST_F(SetupMenus, ClearBatchCountSendsZero) {
    controllerSets({{8, 1}, {221, 0x01}, {222, 0x2C}});
    start();
    openExtendedMenu();
    press(extendedMenu(), kClearBatchButton);
    screenshot("clear_batch_question");
    press(topDialog(), kBatchYes);
    EXPECT_EQ(onWire()[221], (std::vector<uint8_t>{0, 0}));
}

TEST_F(SetupMenus, LeavingTheMenusBringsBackTheMainScreens) {
    controllerSets({{224, 0x42}});
    start();
    state().edit.dryingOptions().set(0x07);
    openExtendedMenu();
    press(extendedMenu(), kExtendedExit);
    EXPECT_TRUE(ui::isVisible(setupMenu()));
    EXPECT_EQ(state().statusScreensActive, 0);

    press(setupMenu(), kSetupExit);
    EXPECT_FALSE(ui::isVisible(setupMenu()));
    EXPECT_TRUE(ui::isVisible(shell::screenWindow(Screen::DryerPic)));
    EXPECT_TRUE(ui::isVisible(shell::mainButtonWindow(shell::MainButton::Setup)));
    EXPECT_EQ(state().statusScreensActive, 1);
    EXPECT_EQ(state().edit.dryingOptions().get(), 0x42);
    EXPECT_TRUE(onWire().empty());
}

TEST_F(SetupMenus, LanguageButtonSwitchesCaptionsAndPictures) {
    start();
    openExtendedMenu();
    EXPECT_EQ(ui::windowText(extendedMenu()), " SELECT SETUP PARAMETER TO MODIFY - 06");
    const gfx::Surface englishExit = panel_->capture(ui::childById(extendedMenu(), kExtendedExit));
    press(extendedMenu(), kLanguageButton);
    press(topDialog(), kGermanButton);
    EXPECT_EQ(ui::windowText(extendedMenu()), " EINSTELLUNG ZUM ÄNDERN WÄHLEN - 06");
    const gfx::Surface germanExit = panel_->capture(ui::childById(extendedMenu(), kExtendedExit));
    EXPECT_NE(englishExit.pixels(), germanExit.pixels());
    press(extendedMenu(), kExtendedExit);
    EXPECT_EQ(ui::windowText(setupMenu()), " HARDWARE-EINSTELLUNG ZUM ÄNDERN WÄHLEN - 03");
}

TEST_F(SetupMenus, ButtonsOfOtherScreensSayWhenTheirDialogIsMissing) {
    start();
    openExtendedMenu();
    press(extendedMenu(), 36978);  // diagnostics
    EXPECT_TRUE(drawn("This function is not part of this build yet."));
    press(topDialog(), ui::kIdOk);
}

}  // namespace
}  // namespace setuptest
