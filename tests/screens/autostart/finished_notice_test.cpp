// The notice at the end of a sequence: once per run, its text in the display's units, and the
// operator's acknowledgement in the shutdown history.
#include "screens/autostart/autostart_fixture.h"
#include "screens/warnings/shutdown_history.h"

namespace autostarttest {
namespace {

class FinishedNotice : public AutoStartPanel {
  protected:
    void SetUp() override {
        AutoStartPanel::SetUp();
        ASSERT_TRUE(warnings::openShutdownHistory());
        shell::setOperatorEventRecorder([] { warnings::recordOperatorEvent(); });
    }
    size_t operatorEvents() {
        size_t n = 0;
        for (const auto& row : warnings::listShutdownHistory(warnings::kSortByDateTime)) {
            if (row.warning == warnings::kOperatorEventText && row.node == "Global") ++n;
        }
        return n;
    }
};

TEST_F(FinishedNotice, ShownOnceInTheDisplayUnitsAndAcceptedIntoTheHistory) {
    start();
    auto& state = dryer::dryerState();
    state.unitsSetting = 1;
    state.status.statusFlags280().set(0xC0);
    panel_->advance(1000);
    const ui::Window box = topDialog();
    ASSERT_TRUE(box);
    EXPECT_EQ(ui::windowText(box), "Auto-Start Finished...");
    EXPECT_TRUE(dialogShows("The auto-start sequence has finished."));
    EXPECT_TRUE(dialogShows("(degrees C)"));
    EXPECT_EQ(operatorEvents(), 0u);
    pressInDialog(ui::kIdOk);
    EXPECT_FALSE(topDialog());
    EXPECT_EQ(operatorEvents(), 1u);

    // Not again in this run, whatever the controller reports next.
    state.status.statusFlags280().set(0x40);
    panel_->advance(1000);
    state.status.statusFlags280().set(0xC0);
    panel_->advance(3000);
    EXPECT_FALSE(topDialog());
    EXPECT_EQ(operatorEvents(), 1u);
}

TEST_F(FinishedNotice, FahrenheitTextWithoutSiUnits) {
    start();
    dryer::dryerState().status.statusFlags280().set(0x80);
    panel_->advance(1000);
    EXPECT_TRUE(dialogShows("(degrees F)"));
    pressInDialog(ui::kIdOk);
    EXPECT_EQ(operatorEvents(), 1u);
}

}  // namespace
}  // namespace autostarttest
