// Burner mode and differential, moisture sensor calibration, bushel setup, the moisture setpoint
// with its keypad, and the unload status window.
#include "screens/setup/decimal_entry.h"
#include "screens/setup/setup_common.h"
#include "screens/setup/setup_fixture.h"

namespace setuptest {
namespace {

constexpr int kBurnerModeButton = 34867;
constexpr int kCalibrationButton = 36976;
constexpr int kDifferentialButton = 36979;
constexpr int kBushelButton = 36983;

class SetupDialogs : public SetupScreens {
  protected:
    ui::Window fromSetupMenu(int button) {
        openSetupMenu();
        press(shell::screenWindow(Screen::SetupSelection), button);
        return topDialog();
    }
    ui::Window fromExtendedMenu(int button) {
        openExtendedMenu();
        press(shell::screenWindow(Screen::ExtendedSetupSelection), button);
        return topDialog();
    }
    void pressTimes(ui::Window dialog, int id, int times) {
        for (int i = 0; i < times; ++i)
            press(dialog, id);
    }
};

TEST_F(SetupDialogs, BurnerModeMarksTheModesAndSendsTheChangedBytes) {
    // Fan/heater 6 to 1: AUTO, HI/LO, mode 2 (no radio), ON/OFF with bit 2 set, HI/LO, HI/LO.
    controllerSets({{101, 0x03}, {102, 0x00}, {103, 0x02}, {104, 0x05}, {105, 0}, {106, 0}});
    start();
    const ui::Window dialog = fromSetupMenu(kBurnerModeButton);
    ASSERT_TRUE(dialog);
    screenshot("burner_mode");
    for (int radio : {1054, 1055, 1056}) {  // fan/heater 4
        EXPECT_FALSE(ui::isItemChecked(dialog, radio));
    }
    EXPECT_TRUE(ui::isItemChecked(dialog, 1062));  // fan/heater 6 on AUTO
    EXPECT_TRUE(ui::isItemChecked(dialog, 1052));  // fan/heater 3 on ON/OFF
    press(dialog, 1090);                           // SELECT of fan/heater 1: HI/LO to ON/OFF
    press(dialog, 1044);                           // ACCEPT
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(106), (std::vector<uint8_t>{0x01}));
    EXPECT_EQ(wire.at(103), (std::vector<uint8_t>{0x00}));  // untouched mode 2 goes as HI/LO
    EXPECT_EQ(wire.size(), 2u);

    press(shell::screenWindow(Screen::SetupSelection), kBurnerModeButton);
    press(topDialog(), 1066);  // ALL AUTO
    press(topDialog(), 1063);  // CANCEL
    // Only the earlier changes, still unconfirmed: reopening started from them, so CANCEL
    // never sends the controller's old modes back.
    EXPECT_EQ(onWire(), (Wire{{103, {0x00}}, {106, {0x01}}}));
}

TEST_F(SetupDialogs, BurnerDifferentialChangesOnlyTheSelectedPlenum) {
    controllerSets({{95, 2}, {96, 2}, {97, 2}, {98, 2}, {99, 2}, {100, 3}});
    start();
    const ui::Window dialog = fromExtendedMenu(kDifferentialButton);
    EXPECT_TRUE(drawn("PLENUM #1:   3 \u00B0F "));
    screenshot("burner_differential");
    press(dialog, 1105);  // plenum 4
    press(dialog, 1100);  // +/- 3 degrees
    EXPECT_TRUE(drawn("PLENUM #4:   3 \u00B0F "));
    press(dialog, 1092);  // plenum 1
    press(dialog, 1100);  // already 3: nothing to send
    press(dialog, 1108);
    EXPECT_EQ(onWire(), (Wire{{97, {3}}}));
}

TEST_F(SetupDialogs, CalibrationOffsetsStopAtTheirLimitsAndTemperaturesShowTheirSign) {
    // Wet moisture offset 19.9 %, dry temperature offset -9.9 F; grain in at -2.5 F.
    controllerSets({{234, 0x00},
                    {235, 199},
                    {241, 0xFF},
                    {242, 0x9D},
                    {195, 0xFF},
                    {196, 0xE7},
                    {191, 0x00},
                    {192, 155}});
    start();
    const ui::Window dialog = fromSetupMenu(kCalibrationButton);
    EXPECT_TRUE(drawn("GRAIN TEMP: -2.5 F"));
    EXPECT_TRUE(drawn("MOISTURE:  15.5 %"));
    screenshot("moisture_calibration");
    pressTimes(dialog, 1149, 3);  // wet moisture >>>
    EXPECT_EQ(itemText(dialog, 1146), "20.0");
    pressTimes(dialog, 1048, 3);  // dry temperature <<<
    EXPECT_EQ(itemText(dialog, 1153), "-10.0");
    press(dialog, 1147);
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(234), (std::vector<uint8_t>{0x00, 200}));
    EXPECT_EQ(wire.at(241), (std::vector<uint8_t>{0xFF, 0x9C}));
    EXPECT_EQ(wire.size(), 2u);
}

TEST_F(SetupDialogs, HeldCalibrationButtonRepeats) {
    start();
    const ui::Window dialog = fromSetupMenu(kCalibrationButton);
    hold(dialog, 1045, 1000);  // dry moisture >>>
    EXPECT_EQ(itemText(dialog, 1148), "0.6");
    press(dialog, 1147);
}

TEST_F(SetupDialogs, CalibrationIsOpenedForOtherScreensByItsTemplate) {
    start();
    openByTemplate(223);
    const ui::Window dialog = topDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ui::windowText(dialog), " MOISTURE SENSOR CALIBRATION - 13");
    press(dialog, 1147);
    EXPECT_TRUE(onWire().empty());
}

TEST_F(SetupDialogs, BushelMultiplierStopsAtItsLimitsAndTheCounterIsZeroedOnYes) {
    controllerSets({{163, 148}, {164, 0xA0}, {165, 0x8C}, {238, 0x01}});  // 36000 = 10 bushels
    start();
    const ui::Window dialog = fromExtendedMenu(kBushelButton);
    EXPECT_EQ(itemText(dialog, 1147), "10");
    pressTimes(dialog, 1171, 4);
    EXPECT_EQ(itemText(dialog, 1146), "  150 %");
    screenshot("bushel_setup");
    press(dialog, 1174);  // CLEAR
    screenshot("zero_bushels_question");
    press(topDialog(), ui::kIdNo);
    EXPECT_TRUE(onWire().empty());
    press(dialog, 1174);
    press(topDialog(), ui::kIdYes);
    press(dialog, 1173);
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(163), (std::vector<uint8_t>{150}));
    EXPECT_EQ(wire.at(238), (std::vector<uint8_t>{0x09}));  // the test mode bit kept

    controllerSets({{163, 52}});
    state().pending.bushelSetup().clear();  // the controller answered with a value of its own
    press(shell::screenWindow(Screen::ExtendedSetupSelection), kBushelButton);
    pressTimes(topDialog(), 1172, 4);
    EXPECT_EQ(itemText(topDialog(), 1146), "  50 %");
    press(topDialog(), 1173);
}

TEST(DecimalEntry, TypesTenthsUpToNinetyNinePointNine) {
    setup::DecimalEntry entry;
    EXPECT_FALSE(entry.started());
    for (int d : {1, 2, 5})
        entry.digit(d);
    EXPECT_EQ(entry.value(), 125);
    entry.digit(7);  // 125.7 % cannot be
    EXPECT_EQ(entry.value(), 125);
    entry.erase();
    EXPECT_EQ(entry.value(), 12);
    entry.digit(9);
    entry.digit(9);
    EXPECT_EQ(entry.value(), 129);

    setup::DecimalEntry erased;
    erased.erase();
    EXPECT_TRUE(erased.started());
    EXPECT_EQ(erased.value(), 0);
}

TEST(SignedTenths, NegativeValuesKeepTheirSign) {
    EXPECT_EQ(setup::signedTenths(-25), "-2.5");
    EXPECT_EQ(setup::signedTenths(-5), "-0.5");
    EXPECT_EQ(setup::signedTenths(1234), "123.4");
}

class MoistureSetpoint : public SetupDialogs {
  protected:
    ui::Window keypad() {
        const ui::Window setpoint = topDialog();
        press(setpoint, 1157);  // MODIFY SETPOINT
        return topDialog();
    }
    void type(ui::Window pad, std::initializer_list<int> keys) {
        for (int id : keys)
            press(pad, id);
    }
};

TEST_F(MoistureSetpoint, KeypadShowsAndSendsWhatWasTyped) {
    controllerSets({{199, 0x00}, {200, 155}});
    start();
    openByTemplate(shell::kMoistureSetpointDialog);
    const ui::Window setpoint = topDialog();
    EXPECT_EQ(itemText(setpoint, 1146), "15.5 %");
    screenshot("moisture_setpoint");
    const ui::Window pad = keypad();
    type(pad, {1163, 1164, 1161});  // 1, 2, 5
    EXPECT_EQ(itemText(setpoint, 1146), "12.5 %");
    screenshot("decimal_keypad");
    type(pad, {1158});  // 8: would be 125.8 %
    EXPECT_EQ(itemText(setpoint, 1146), "12.5 %");
    press(pad, 1168);
    EXPECT_EQ(onWire(), (Wire{{199, {0x00, 125}}}));
    press(setpoint, 1045);
}

TEST_F(MoistureSetpoint, AcceptWithoutAKeyOrCancelSendsNothing) {
    controllerSets({{199, 0x00}, {200, 155}});
    start();
    openByTemplate(shell::kMoistureSetpointDialog);
    press(keypad(), 1168);
    type(keypad(), {1163, 1166});
    press(topDialog(), 1169);  // CANCEL
    EXPECT_TRUE(onWire().empty());
    EXPECT_EQ(itemText(topDialog(), 1146), "15.5 %");
    press(topDialog(), 1045);
}

TEST_F(MoistureSetpoint, AverageIncomingMoistureTargetGoesLowByteFirst) {
    controllerSets({{281, 200}, {282, 0}});
    start();
    setup::setMoistureKeypadTarget(setup::kAverageIncomingTarget);
    openByTemplate(shell::kMoistureSetpointDialog);
    EXPECT_EQ(itemText(topDialog(), 1146), "20.0 %");
    type(keypad(), {1159, 1166, 1166});  // 9, 0, 0 -> 90.0 %
    press(topDialog(), 1168);
    EXPECT_EQ(onWire(), (Wire{{281, {0x84, 0x03}}}));
    press(topDialog(), 1045);

    // The next opening edits the moisture setpoint again.
    openByTemplate(shell::kMoistureSetpointDialog);
    type(keypad(), {1163});
    press(topDialog(), 1168);
    EXPECT_TRUE(onWire().contains(199));
    press(topDialog(), 1045);
}

TEST_F(SetupDialogs, UnloadStatusShowsBushelsAndSpeedsAndOpensTheSpeedDialog) {
    controllerSets({{173, 0x04},
                    {174, 0xB0},
                    {164, 0xA0},
                    {165, 0x8C},
                    {155, 2},
                    {156, 80},
                    {157, 50},
                    {158, 20},
                    {197, 0x01},
                    {198, 0x23}});
    start();
    panel_->call([] { ui::showWindow(shell::screenWindow(Screen::UnloadStatus), true); });
    panel_->advance(1000);
    EXPECT_TRUE(drawn("1200"));  // bushels per hour
    EXPECT_TRUE(drawn(" HIGH: 0800 "));
    EXPECT_TRUE(drawn("29.1"));
    screenshot("unload_status");
    panel_->tap(ui::childById(shell::screenWindow(Screen::UnloadStatus), 36883));
    const ui::Window dialog = topDialog();
    ASSERT_TRUE(dialog);
    press(dialog, 1044);
}

}  // namespace
}  // namespace setuptest
