// The view selection window: both views with the controller's userSettings byte, their refusal
// in batch drying, the history and system information dialogs.
#include "screens/graphs/view_selection.h"
#include "graphs_fixture.h"

namespace graphstest {
namespace {

constexpr int kMessageOk = ui::kIdOk;

class ViewSelection : public GraphScreens {
  protected:
    void openViewSelection() {
        panel_->tap(shell::mainButtonWindow(shell::MainButton::View));
        ASSERT_TRUE(visible(Screen::ViewSelection));
    }
    static int editedUserSettings() { return dryer::dryerState().edit.userSettings().get(); }
    static bool userSettingsPending() {
        return dryer::dryerState().pending.userSettings().raised();
    }
};

TEST_F(ViewSelection, ViewsChangeOnlyBitSixOfTheControllersUserSettings) {
    start();
    // SI units and the safety bits on the controller, the one-shot bits still standing; the
    // operator's copy is stale.
    dryer::dryerState().status.userSettings().set(0xA3);
    openViewSelection();
    EXPECT_EQ(ui::windowText(screen(Screen::ViewSelection)), "  VIEW SELECTION WINDOW - 04");

    pressChild(Screen::ViewSelection, graphs::kGraphViewButton);
    EXPECT_EQ(editedUserSettings(), 0xE0);
    EXPECT_TRUE(userSettingsPending());
    EXPECT_TRUE(visible(Screen::Graph));
    EXPECT_FALSE(visible(Screen::AverageValues));
    EXPECT_FALSE(visible(Screen::CustomView));
    EXPECT_FALSE(visible(Screen::ViewSelection));
    EXPECT_EQ(logging::ScreenViewSelection, 1);
    EXPECT_EQ(registryValue("SCREEN_VIEW_SELECTION"), std::vector<uint8_t>{1});

    dryer::dryerState().pending.userSettings().clear();
    dryer::dryerState().status.userSettings().set(0xE1);
    openViewSelection();
    pressChild(Screen::ViewSelection, graphs::kChartViewButton);
    EXPECT_EQ(editedUserSettings(), 0xA0);
    EXPECT_TRUE(userSettingsPending());
    EXPECT_FALSE(visible(Screen::Graph));
    EXPECT_TRUE(visible(Screen::AverageValues));
    EXPECT_TRUE(visible(Screen::CustomView));
    EXPECT_EQ(registryValue("SCREEN_VIEW_SELECTION"), std::vector<uint8_t>{0});
}

TEST_F(ViewSelection, BatchDryingRefusesBothViewsButStillSendsTheBit) {
    start();
    dryer::dryerState().status.dryingMode().set(1);
    dryer::dryerState().status.userSettings().set(0x80);
    const bool graphShown = visible(Screen::Graph), chartShown = visible(Screen::AverageValues);
    openViewSelection();

    pressChild(Screen::ViewSelection, graphs::kGraphViewButton);
    ASSERT_TRUE(dialog(" REQUESTED FUNCTION NOT PERMITTED"));
    EXPECT_TRUE(panel_->findText("Graph is not available in Batch Drying."));
    press(" REQUESTED FUNCTION NOT PERMITTED", kMessageOk);
    EXPECT_EQ(editedUserSettings(), 0xC0);
    EXPECT_TRUE(userSettingsPending());
    EXPECT_TRUE(visible(Screen::ViewSelection));

    pressChild(Screen::ViewSelection, graphs::kChartViewButton);
    EXPECT_TRUE(panel_->findText("Status Chart is not available in Batch Drying."));
    press(" REQUESTED FUNCTION NOT PERMITTED", kMessageOk);
    EXPECT_EQ(editedUserSettings(), 0x80);
    EXPECT_EQ(visible(Screen::Graph), graphShown);
    EXPECT_EQ(visible(Screen::AverageValues), chartShown);
    EXPECT_TRUE(registryValue("SCREEN_VIEW_SELECTION").empty());
}

TEST_F(ViewSelection, HistoryManualsAndSystemInformationLeaveTheWindow) {
    start();
    openViewSelection();
    pressChild(Screen::ViewSelection, graphs::kHistoryButton);
    EXPECT_FALSE(visible(Screen::ViewSelection));
    press("NOT AVAILABLE", kMessageOk);

    ui::Window historyOwner;
    shell::setDialogOpener(graphs::kShutdownHistoryDialog,
                           [&](ui::Window owner) { historyOwner = owner; });
    openViewSelection();
    pressChild(Screen::ViewSelection, graphs::kHistoryButton);
    EXPECT_EQ(historyOwner, shell::mainWindow());

    openViewSelection();
    EXPECT_FALSE(
        ui::isVisible(ui::childById(screen(Screen::ViewSelection), graphs::kSoftwareInfoButton)));
    pressChild(Screen::ViewSelection, graphs::kSystemInfoButton);
    EXPECT_FALSE(visible(Screen::ViewSelection));
    const std::string title = " SYSTEM INFORMATION / SOFTWARE VERSION - 32";
    const ui::Window info = dialog(title);
    ASSERT_TRUE(info);
    EXPECT_EQ(ui::itemText(info, 1245), "SOFTWARE VERSION: 2.09");
    EXPECT_EQ(ui::itemText(info, 1246), "3:08:00 AM");
    EXPECT_EQ(ui::itemText(info, 1247), "Saturday  Jun 01, 2024");
    const std::string total = ui::itemText(info, 1248);
    EXPECT_EQ(total.rfind("TOTAL MEMORY: ", 0), 0u);
    EXPECT_TRUE(total.ends_with(" MiB") || total.ends_with(" GiB")) << total;
    EXPECT_EQ(ui::itemText(info, 1251), "WEB ACCESS TOKEN:");
    EXPECT_EQ(ui::itemText(info, 1252), "-") << "no token made yet";
    root_.write("web-token", "00112233445566778899aabbccddeeff\n");
    panel_->advance(2000);
    EXPECT_EQ(ui::itemText(info, 1246), "3:08:02 AM") << "the clock line keeps time";
    EXPECT_EQ(ui::itemText(info, 1252), "00112233445566778899aabbccddeeff");
    press(title, 1244);
    EXPECT_FALSE(ui::isWindow(info));
}

TEST(MemoryFigure, WholeMebibytesBelowAGibibyteAndTenthsOfAGibibyteAbove) {
    constexpr uint64_t kMiB = uint64_t{1} << 20;
    constexpr uint64_t kGiB = uint64_t{1} << 30;
    EXPECT_EQ(graphs::memoryFigure(0), "0 MiB");
    EXPECT_EQ(graphs::memoryFigure(512 * kMiB + kMiB / 2 - 1), "512 MiB");
    EXPECT_EQ(graphs::memoryFigure(512 * kMiB + kMiB / 2), "513 MiB");
    EXPECT_EQ(graphs::memoryFigure(1023 * kMiB), "1023 MiB");
    EXPECT_EQ(graphs::memoryFigure(kGiB - kMiB / 4), "1.0 GiB") << "rounds up into GiB";
    EXPECT_EQ(graphs::memoryFigure(23 * kGiB + 4 * kGiB / 10 + kMiB), "23.4 GiB");
    EXPECT_EQ(graphs::memoryFigure(24 * kGiB - kMiB), "24.0 GiB");
}

}  // namespace
}  // namespace graphstest
