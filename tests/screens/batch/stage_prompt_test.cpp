// Holding a stage button: nothing after one second, the restart question after two, and Yes
// sends the stage's set time as its running time. The question's box takes the pointer from the
// button, so the hold neither asks again behind the box nor ends as a press.
#include "screens/batch/batch_fixture.h"
#include "screens/keypad_ids.h"

namespace batchtest {
namespace {

class StagePrompt : public BatchScreen {
  protected:
    // Presses the button and lets the one-second tick see it `seconds` times.
    void holdFor(int id, int seconds) {
        held_ = centreOf(id);
        panel_->pointerDown(held_.x, held_.y);
        panel_->advance(1000 * seconds);
    }
    void letGo() { panel_->pointerUp(held_.x, held_.y); }

    ui::Window question() {
        const ui::Window box = topDialog();
        if (!box || ui::windowText(box) != "BATCH STAGE TIME") return {};
        return box;
    }

    ui::Point held_;
};

TEST_F(StagePrompt, OneSecondAsksNothingTwoSecondsAskOnceAndYesRestartsTheStage) {
    controllerSetsTime(kCoolSet, 15, 30);
    controllerSetsTime(kCoolTime, 4, 10);
    start();
    holdFor(shell::kCoolButton, 1);
    EXPECT_FALSE(topDialog());
    letGo();
    // Let go before the question, the hold was a press: the set time's keypad.
    ASSERT_TRUE(topDialog());
    EXPECT_FALSE(question());
    pressInDialog(screentest::kTimerCancel);
    panel_->advance(1000);

    holdFor(shell::kCoolButton, 2);
    const ui::Window box = question();
    ASSERT_TRUE(box);
    EXPECT_TRUE(dialogDrew(box, "Restart the COOL stage at its set time of 15:30?"));
    bool stillHeld = true;
    panel_->call([&] { stillHeld = ui::isButtonHeld(button(shell::kCoolButton)); });
    EXPECT_FALSE(stillHeld);
    // Behind the box the finger stays down for four more seconds: no second question.
    panel_->advance(4000);
    EXPECT_EQ(topDialog(), box);
    letGo();
    EXPECT_TRUE(onWire().empty());

    pressInDialog(ui::kIdYes);
    EXPECT_FALSE(topDialog()) << "the hold must not end as a press of the button";
    const Wire wire = onWire();
    ASSERT_TRUE(wire.contains(kCoolTime));
    EXPECT_EQ(wire.at(kCoolTime), (std::vector<uint8_t>{15, 30}));
    EXPECT_EQ(wire.size(), 1u);
}

TEST_F(StagePrompt, NoSendsNothingAndAnotherHoldAsksAgain) {
    controllerSetsTime(kUnloadSet, 10, 0);
    start();
    holdFor(shell::kUnloadButton, 2);
    ASSERT_TRUE(question());
    EXPECT_TRUE(dialogDrew(question(), "Restart the UNLOAD stage at its set time of 10:00?"));
    letGo();
    pressInDialog(ui::kIdNo);
    EXPECT_FALSE(topDialog());
    EXPECT_TRUE(onWire().empty());

    holdFor(shell::kUnloadButton, 2);
    ASSERT_TRUE(question());
    letGo();
    pressInDialog(ui::kIdYes);
    EXPECT_EQ(onWire().at(kUnloadTime), (std::vector<uint8_t>{10, 0}));
}

TEST_F(StagePrompt, EachHeatButtonAsksItsOwnQuestionAndSendsItsOwnStage) {
    controllerSetsTime(kHeatSet, 3, 5);
    controllerSetsTime(kLoHeatSet, 1, 45);
    start(1);
    holdFor(shell::kDryButton, 2);
    ASSERT_TRUE(question());
    EXPECT_TRUE(dialogDrew(question(), "Restart the DRY stage at its set time of 3:05?"));
    letGo();
    pressInDialog(ui::kIdYes);
    EXPECT_EQ(onWire().at(kHeatTime), (std::vector<uint8_t>{3, 5}));
    state().pending.heatStageTime().clear();

    controllerSets({{kDryingMode, 3}});
    shell::requestBatchStageButtons();
    panel_->waitIdle();
    holdFor(shell::kHiHeatButton, 2);
    ASSERT_TRUE(question());
    EXPECT_TRUE(dialogDrew(question(), "Restart the HI HEAT stage at its set time of 3:05?"));
    letGo();
    pressInDialog(ui::kIdNo);

    holdFor(shell::kLoHeatButton, 2);
    ASSERT_TRUE(question());
    EXPECT_TRUE(dialogDrew(question(), "Restart the LO HEAT stage at its set time of 1:45?"));
    letGo();
    pressInDialog(ui::kIdYes);
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(kLoHeatTime), (std::vector<uint8_t>{1, 45}));
    EXPECT_FALSE(wire.contains(kHeatTime));
}

}  // namespace
}  // namespace batchtest
