// The continuous-flow and staged-batch setups: schemes, criteria, plenum mode, heat split and
// the safety limits with their keypads, as they reach the wire.
#include "screens/modes/modes_fixture.h"

namespace modestest {
namespace {

// Continuous flow.
constexpr int kTemperature = 1308;
constexpr int kMoisture = 1309;
constexpr int kTemperatureRadio = 1310;
constexpr int kMoistureRadio = 1311;
constexpr int kVariable = 1314;
constexpr int kFiveSpeedRadio = 1050;
constexpr int kTempGroupButton = 1312;
constexpr int kAutoCentering = 1316;
constexpr int kSensorSelect = 1333;
constexpr int kFlowDisable = 1326;
constexpr int kFlowMaxGrainTemp = 1325;
constexpr int kFlowFiveSpeedSetup = 1317;

// Staged batch.
constexpr int kTime = 1311;
constexpr int kBatchTemperature = 1312;
constexpr int kBatchMoisture = 1045;
constexpr int kDual = 1314;
constexpr int kSingleRadio = 1049;
constexpr int kDualRadio = 1050;
constexpr int kTwoThirds = 1316;
constexpr int kBatchDisable = 1321;
constexpr int kMaxTime = 1319;
constexpr int kBatchMaxGrainTemp = 1320;
constexpr int kCriteriaNote = 1148;

TEST_F(DryingModes, MoistureGivesTheFiveSpeedSchemeKeepingTheControllersOtherBits) {
    controllerSets({{187, 0x41}});
    const ui::Window dialog = startWith(modes::kContinuousFlowDialog);
    EXPECT_TRUE(checked(dialog, kTemperatureRadio));
    EXPECT_FALSE(enabled(dialog, kVariable));
    EXPECT_FALSE(enabled(dialog, kAutoCentering));
    press(dialog, kMoisture);
    EXPECT_EQ(onWire().at(187), (std::vector<uint8_t>{0x44}));  // sent at once, scheme 4
    EXPECT_TRUE(checked(dialog, kMoistureRadio));
    EXPECT_TRUE(checked(dialog, kFiveSpeedRadio));
    EXPECT_TRUE(enabled(dialog, kVariable));
    EXPECT_TRUE(enabled(dialog, kAutoCentering));
    EXPECT_FALSE(enabled(dialog, kTempGroupButton));

    press(dialog, kVariable);
    EXPECT_EQ(onWire().at(187), (std::vector<uint8_t>{0x43}));
    EXPECT_FALSE(enabled(dialog, kAutoCentering));
    press(dialog, kTemperature);
    EXPECT_EQ(onWire().at(187), (std::vector<uint8_t>{0x41}));
}

TEST_F(DryingModes, InvalidSchemeOnOpeningBecomesTwoSpeedAndIsSent) {
    controllerSets({{187, 0x86}});
    const ui::Window dialog = startWith(modes::kContinuousFlowDialog);
    EXPECT_TRUE(checked(dialog, kTemperatureRadio));
    EXPECT_EQ(onWire().at(187), (std::vector<uint8_t>{0x81}));
}

TEST_F(DryingModes, OptionBitsStartFromTheControllersByteAndGoOutWhole) {
    // Drying options as the controller has them; a stale operator byte must not go out.
    controllerSets({{187, 5}, {224, 0x12}});
    state().edit.dryingOptions().set(0xFF);
    const ui::Window dialog = startWith(modes::kContinuousFlowDialog);
    press(dialog, kAutoCentering);
    press(dialog, kSensorSelect);
    EXPECT_TRUE(checked(dialog, 1051));
    EXPECT_TRUE(checked(dialog, 1049));  // upper sensor disabled
    EXPECT_TRUE(onWire().empty());       // nothing before ACCEPT
    press(dialog, kAccept);
    EXPECT_EQ(onWire().at(224), (std::vector<uint8_t>{0x93}));
}

TEST_F(DryingModes, DisableTwiceRestoresTheLimitBits) {
    // Safety and grain temperature limits on, and the two one-shot command bits as last reported.
    controllerSets({{187, 1}, {266, 0x33}, {277, 160}});
    const ui::Window dialog = startWith(modes::kContinuousFlowDialog);
    EXPECT_EQ(itemText(dialog, kFlowDisable), "DISABLE");
    EXPECT_EQ(itemText(dialog, 1330), "160 F");
    press(dialog, kFlowDisable);
    EXPECT_EQ(itemText(dialog, kFlowDisable), "ENABLE");
    EXPECT_FALSE(enabled(dialog, kFlowMaxGrainTemp));
    EXPECT_EQ(state().edit.userSettings().get(), 0x00);
    press(dialog, kFlowDisable);
    EXPECT_EQ(itemText(dialog, kFlowDisable), "DISABLE");
    EXPECT_TRUE(enabled(dialog, kFlowMaxGrainTemp));
    press(dialog, kAccept);
    EXPECT_FALSE(onWire().contains(266));  // as the controller has it: nothing to send
}

TEST_F(DryingModes, DisabledLimitGoesOutWithoutTheCommandBits) {
    controllerSets({{187, 1}, {266, 0xB3}});
    const ui::Window dialog = startWith(modes::kContinuousFlowDialog);
    press(dialog, kFlowDisable);
    press(dialog, kAccept);
    EXPECT_EQ(onWire().at(266), (std::vector<uint8_t>{0x80}));
}

TEST_F(DryingModes, MaxGrainTemperatureKeypadTakesOnly100To200) {
    controllerSets({{187, 1}, {266, 0x30}, {277, 150}});
    const ui::Window dialog = startWith(modes::kContinuousFlowDialog);
    press(dialog, kFlowMaxGrainTemp);
    EXPECT_TRUE(drewPart(topDialog(), "MAX GRAIN TEMP"));
    EXPECT_TRUE(drewPart(topDialog(), "RANGE 100 - 200 \u00B0F"));
    typeTemperature({2, 0, 1});
    dismiss("WARNING!");
    press(dialog, kFlowMaxGrainTemp);
    typeTemperature({9, 9});
    dismiss("WARNING!");
    EXPECT_TRUE(onWire().empty());

    press(dialog, kFlowMaxGrainTemp);
    typeTemperature({2, 0, 0});
    EXPECT_EQ(onWire().at(277), (std::vector<uint8_t>{200, 0}));
    EXPECT_EQ(itemText(dialog, 1330), "200 F");
    press(dialog, kFlowMaxGrainTemp);
    typeTemperature({1, 0, 0});
    EXPECT_EQ(onWire().at(277), (std::vector<uint8_t>{100, 0}));
}

TEST_F(DryingModes, GrainTemperatureLimitShowsInDegreesCInSiUnits) {
    controllerSets({{8, 1}, {257, 0x10}, {266, 0xB0}, {277, 150}});
    state().unitsSetting = 1;
    const ui::Window dialog = startWith(modes::kStagedBatchDialog);
    EXPECT_EQ(itemText(dialog, 1147), "65 C");
    press(dialog, kBatchMaxGrainTemp);
    typeTemperature({9, 0});  // 194 F
    EXPECT_EQ(onWire().at(277), (std::vector<uint8_t>{194, 0}));
    EXPECT_EQ(itemText(dialog, 1147), "90 C");
}

TEST_F(DryingModes, FiveSpeedSetupSaysNotAvailableUntilItsDialogIsThere) {
    controllerSets({{187, 4}});
    const ui::Window dialog = startWith(modes::kContinuousFlowDialog);
    press(dialog, kFlowFiveSpeedSetup);
    dismiss("NOT AVAILABLE");
    int opened = 0;
    shell::setDialogOpener(435, [&opened](ui::Window) { ++opened; });
    press(dialog, kFlowFiveSpeedSetup);
    EXPECT_EQ(opened, 1);
}

TEST_F(DryingModes, StagedBatchAcceptWithoutCriterionStaysOpenWithTheHelp) {
    controllerSets({{8, 1}, {257, 0x00}});
    const ui::Window dialog = startWith(modes::kStagedBatchDialog);
    EXPECT_EQ(itemText(dialog, kCriteriaNote), "NO DRYING CRITERIA SELECTED");
    press(dialog, kAccept);
    const ui::Window help = topDialog();
    ASSERT_NE(help, dialog);
    EXPECT_EQ(title(help), "NO DRYING CRITERIA SELECTED");
    EXPECT_TRUE(drewPart(help, "A staged batch needs at least one way"));
    press(help, ui::kIdOk);
    EXPECT_EQ(topDialog(), dialog);
    EXPECT_TRUE(onWire().empty());

    press(dialog, kBatchTemperature);
    EXPECT_EQ(itemText(dialog, kCriteriaNote), "");
    EXPECT_FALSE(drawn("NO DRYING CRITERIA SELECTED"));
    press(dialog, kAccept);
    EXPECT_FALSE(topDialog());
    EXPECT_EQ(onWire().at(257), (std::vector<uint8_t>{0x20}));
}

TEST_F(DryingModes, CriteriaSwitchEachOtherAndTheControlModeAsMiscNeedsThem) {
    // TIME and TEMPERATURE on, safety limits on with both limits, staged batch scheme.
    controllerSets({{8, 1}, {257, 0x30}, {266, 0x38}, {187, 0x06}});
    const ui::Window dialog = startWith(modes::kStagedBatchDialog);
    EXPECT_TRUE(enabled(dialog, kMaxTime));
    EXPECT_TRUE(enabled(dialog, kBatchMaxGrainTemp));
    EXPECT_FALSE(enabled(dialog, kTwoThirds));  // the heat split belongs to MOISTURE

    press(dialog, kBatchMoisture);
    EXPECT_EQ(onWire().at(187), (std::vector<uint8_t>{0x86}));
    EXPECT_EQ(state().edit.plenumTempOptions().get(), 0x40);
    EXPECT_EQ(state().edit.userSettings().get(), 0x30);  // grain limit kept, time limit off
    EXPECT_FALSE(enabled(dialog, kMaxTime));
    EXPECT_TRUE(enabled(dialog, kTwoThirds));
    press(dialog, kTwoThirds);
    EXPECT_EQ(onWire().at(224), (std::vector<uint8_t>{0x20}));  // the split goes out at once

    press(dialog, kBatchTemperature);  // MOISTURE off, the grain limit with it
    EXPECT_EQ(onWire().at(187), (std::vector<uint8_t>{0x80}));
    EXPECT_EQ(state().edit.plenumTempOptions().get(), 0x20);
    EXPECT_EQ(state().edit.userSettings().get(), 0x28);
    EXPECT_FALSE(enabled(dialog, kBatchMaxGrainTemp));

    press(dialog, kTime);
    EXPECT_EQ(onWire().at(187), (std::vector<uint8_t>{0x00}));
    EXPECT_EQ(state().edit.plenumTempOptions().get(), 0x30);
    EXPECT_EQ(state().edit.userSettings().get(), 0x38);
    press(dialog, kAccept);
    const Wire wire = onWire();
    EXPECT_FALSE(wire.contains(257));  // back where the controller is
    EXPECT_FALSE(wire.contains(266));
}

TEST_F(DryingModes, DualPlenumOnlyOnSingleFanHeaterDryers) {
    controllerSets({{8, 1}, {3, 3}, {257, 0x12}});
    ui::Window dialog = startWith(modes::kStagedBatchDialog);
    press(dialog, kDual);
    EXPECT_TRUE(drewPart(topDialog(), "Dual-Plenum Temperature Mode is only available"));
    dismiss("INVALID SELECTION", ui::kIdCancel);
    EXPECT_TRUE(checked(dialog, kSingleRadio));
    press(dialog, kAccept);
    EXPECT_EQ(onWire().at(257), (std::vector<uint8_t>{0x10}));

    controllerSets({{3, 0}, {257, 0x10}});
    openByTemplate(modes::kStagedBatchDialog);
    dialog = topDialog();
    press(dialog, kDual);
    EXPECT_TRUE(checked(dialog, kDualRadio));
    press(dialog, kAccept);
    EXPECT_EQ(onWire().at(257), (std::vector<uint8_t>{0x12}));
}

TEST_F(DryingModes, StagedBatchSafetyLimitsFollowTheCriteria) {
    controllerSets({{8, 1}, {257, 0x20}, {266, 0x00}, {274, 2}, {275, 30}});
    const ui::Window dialog = startWith(modes::kStagedBatchDialog);
    EXPECT_EQ(itemText(dialog, kBatchDisable), "ENABLE");
    EXPECT_EQ(itemText(dialog, 1146), "002:30");
    EXPECT_FALSE(enabled(dialog, kMaxTime));
    press(dialog, kBatchDisable);
    EXPECT_EQ(state().edit.userSettings().get(), 0x28);  // TEMPERATURE: the time limit only
    EXPECT_TRUE(enabled(dialog, kMaxTime));
    EXPECT_FALSE(enabled(dialog, kBatchMaxGrainTemp));

    // MAX TIME: hours and minutes, DEFAULT 8:00.
    press(dialog, kMaxTime);
    const ui::Window keypad = topDialog();
    ASSERT_NE(keypad, dialog);
    EXPECT_TRUE(drewPart(keypad, "= 08:00"));
    EXPECT_TRUE(drewPart(keypad, "= 249:59"));
    EXPECT_TRUE(drewPart(keypad, "MAX TIME"));
    EXPECT_TRUE(drewPart(keypad, "HOURS"));
    EXPECT_TRUE(drewPart(keypad, "RANGE 0:01 - 249:59 HR:MIN"));
    press(keypad, screentest::kTimerDefault);
    press(keypad, screentest::kTimerAccept);
    EXPECT_EQ(itemText(dialog, 1146), "008:00");
    EXPECT_EQ(onWire().at(274), (std::vector<uint8_t>{8, 0}));

    press(dialog, kAccept);
    EXPECT_EQ(onWire().at(266), (std::vector<uint8_t>{0x28}));
}

}  // namespace
}  // namespace modestest
