// The plenum temperature manager, the bracketed five-speed setup, the watchdog setup and the user
// settings, and the two extended setup buttons that open the last two.
#include "screens/moisture/moisture_fixture.h"

namespace moisturetest {
namespace {

using setuptest::Screen;

// Plenum temperature manager.
constexpr int kSelectOnOff = 1304;
constexpr int kOn = 1305;
constexpr int kTimeIncrease = 1307;
constexpr int kTimeDecrease = 1045;
constexpr int kSizeIncrease = 1308;
constexpr int kTimeField = 1146;
constexpr int kSizeField = 1147;
constexpr int kManagerAccept = 1008;
constexpr int kManagerCancel = 1010;

// Bracketed five-speed setup.
constexpr int kBracketInc = 1242;
constexpr int kBracketDec = 2;
constexpr int kSpeedInc = 1243;
constexpr int kSpeedDec = 3;
constexpr int kSelect = 1244;
constexpr int kAcceptExit = 1245;
constexpr int kDefaults = 1246;

// Extended setup menu.
constexpr int kWatchdogButton = 36986;
constexpr int kUserSettingsButton = 36988;

TEST_F(MoistureDialogs, TempManagerStepsRoundAndSendsTheWholeByte) {
    controllerSets({{50, 0x3A}});  // off, time index 7 ("240"), step index 2 (3 degrees)
    const ui::Window dialog = openDialog(moisture::kTempManagerDialog);
    EXPECT_EQ(caption(dialog), "PLENUM TEMPERATURE MANAGER - 12");
    EXPECT_EQ(itemText(dialog, kTimeField), "240 MINUTES");
    EXPECT_EQ(itemText(dialog, kSizeField), "3 \u00b0F");
    EXPECT_FALSE(checked(dialog, kOn));
    press(dialog, kTimeIncrease);
    EXPECT_EQ(itemText(dialog, kTimeField), "15  MINUTES");
    pressTimes(dialog, kSizeIncrease, 6);  // 2 -> 7 -> 0
    EXPECT_EQ(itemText(dialog, kSizeField), "1 \u00b0F");
    press(dialog, kSelectOnOff);
    EXPECT_TRUE(checked(dialog, kOn));
    screenshot("plenum_temp_manager");
    press(dialog, kManagerCancel);
    EXPECT_TRUE(onWire().empty());

    openByTemplate(moisture::kTempManagerDialog);
    press(topDialog(), kTimeDecrease);  // 7 -> 6
    press(topDialog(), kSelectOnOff);
    press(topDialog(), kManagerAccept);
    EXPECT_EQ(onWire().at(50), (std::vector<uint8_t>{0xB2}));
}

class Bracketed : public MoistureDialogs {
  protected:
    ui::Window open(uint8_t mode, std::array<uint8_t, 4> settings, uint8_t medium = 50) {
        controllerSets({{187, mode},
                        {226, settings[0]},
                        {227, settings[1]},
                        {228, settings[2]},
                        {229, settings[3]},
                        {157, medium},  // medium metering-roll speed
                        {199, 0},
                        {200, 155},  // moisture setpoint 15.5 %
                        {149, 120}});
        return openDialog(moisture::kBracketedSetupDialog);
    }
    std::vector<uint8_t> edited() {
        std::vector<uint8_t> out;
        for (int i = 0; i < 4; ++i)
            out.push_back(static_cast<uint8_t>(state().edit.bracketedMcSettings(i).get()));
        return out;
    }
};

TEST_F(Bracketed, MoistureSchemeLimitsDefaultsAndActualSpeeds) {
    const ui::Window dialog = open(4, {0, 0, 0, 0});
    EXPECT_EQ(caption(dialog), "BRACKETED 5 SPEED MOISTURE CONTROL SETUP - 23");
    EXPECT_TRUE(drawn("MOISTURE"));
    press(dialog, kDefaults);
    EXPECT_EQ(edited(), (std::vector<uint8_t>{6, 3, 6, 3}));
    EXPECT_EQ(itemText(dialog, 1151), "+0.6 %");
    EXPECT_EQ(itemText(dialog, 1153), "15.5 %");
    EXPECT_EQ(itemText(dialog, 1155), "-0.6 %");
    // Wetter than the setpoint slows the rolls, drier speeds them up.
    EXPECT_EQ(itemText(dialog, 1150), "-0.6 %");
    EXPECT_EQ(itemText(dialog, 1160), "49.4 %");
    EXPECT_EQ(itemText(dialog, 1147), "+0.3 %");
    EXPECT_EQ(itemText(dialog, 1156), "50.6 %");
    EXPECT_EQ(itemText(dialog, 1148), "0.0 %");
    EXPECT_EQ(itemText(dialog, 1158), "50.0 %");
    screenshot("bracketed_moisture");

    pressTimes(dialog, kBracketInc, 30);  // outer up to 30
    pressTimes(dialog, kSpeedInc, 30);    // outer offset up to 30
    EXPECT_EQ(edited(), (std::vector<uint8_t>{30, 3, 30, 3}));
    pressTimes(dialog, kBracketDec, 30);  // outer down while above 3 and above the inner
    pressTimes(dialog, kSpeedDec, 30);    // outer offset down while above inner + 1 and >= 4
    EXPECT_EQ(edited(), (std::vector<uint8_t>{3, 3, 4, 3}));
    press(dialog, kSelect);  // the inner pair
    EXPECT_TRUE(drawn("INNER"));
    screenshot("bracketed_inner");
    pressTimes(dialog, kBracketDec, 5);
    pressTimes(dialog, kSpeedDec, 5);
    EXPECT_EQ(edited(), (std::vector<uint8_t>{3, 1, 4, 1}));
    press(dialog, kSelect);
    pressTimes(dialog, kBracketInc, 10);
    press(dialog, kSelect);
    pressTimes(dialog, kBracketInc, 10);  // inner grows while below the outer and below 6
    pressTimes(dialog, kSpeedInc, 10);    // inner offset grows up to the outer, never past it
    EXPECT_EQ(edited(), (std::vector<uint8_t>{13, 6, 4, 4}));
    press(dialog, kAcceptExit);
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(226), (std::vector<uint8_t>{13}));
    EXPECT_EQ(wire.at(229), (std::vector<uint8_t>{4}));
    EXPECT_EQ(wire.size(), 4u);
}

TEST_F(Bracketed, TemperatureSchemeLimitsAndDefaults) {
    const ui::Window dialog = open(5, {4, 1, 6, 3});
    EXPECT_TRUE(drawn("GRAIN TEMP"));
    EXPECT_EQ(itemText(dialog, 1153), "120 \u00b0F");
    EXPECT_EQ(itemText(dialog, 1151), "+4 \u00b0F");
    press(dialog, kSelect);
    pressTimes(dialog, kBracketInc, 5);
    EXPECT_EQ(edited()[1], 2);  // below 2 only
    press(dialog, kSelect);
    pressTimes(dialog, kBracketInc, 5);
    EXPECT_EQ(edited()[0], 5);
    pressTimes(dialog, kBracketDec, 5);
    EXPECT_EQ(edited()[0], 2);  // while above 2 and the inner bracket below it
    press(dialog, kDefaults);
    EXPECT_EQ(edited(), (std::vector<uint8_t>{3, 1, 6, 3}));
    screenshot("bracketed_temperature");
    press(dialog, kAcceptExit);
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(226), (std::vector<uint8_t>{3}));
    EXPECT_EQ(wire.size(), 1u);  // the others are the controller's already
}

TEST_F(Bracketed, ActualSpeedsStayWithinTheScale) {
    const ui::Window dialog = open(4, {6, 3, 30, 9}, 100);
    EXPECT_EQ(itemText(dialog, 1156), "100.0 %");
    EXPECT_EQ(itemText(dialog, 1160), "97.0 %");
    press(dialog, kAcceptExit);
    EXPECT_TRUE(onWire().empty());
}

TEST_F(MoistureDialogs, WatchdogValueIsBuiltFromTheRadios) {
    controllerSets({{246, 0x06}});  // modem, 10 rings
    start();
    openExtendedMenu();
    EXPECT_TRUE(drawn("MODEM"));  // the menu button names the connection
    screenshot("extended_setup");
    press(shell::screenWindow(Screen::ExtendedSetupSelection), kWatchdogButton);
    const ui::Window dialog = topDialog();
    EXPECT_EQ(caption(dialog), "WATCHDOG SETUP");
    EXPECT_TRUE(checked(dialog, 1194));
    EXPECT_TRUE(checked(dialog, 1199));
    EXPECT_FALSE(ui::isEnabled(ui::childById(dialog, 1195)));  // ETHERNET
    screenshot("watchdog_setup");
    press(dialog, 1193);  // Direct Serial
    press(dialog, 1200);  // 15 rings
    EXPECT_FALSE(checked(dialog, 1194));
    press(dialog, 1128);
    EXPECT_EQ(onWire().at(246), (std::vector<uint8_t>{0x03}));

    // The controller's answer repaints the button.
    controllerSets({{246, 0x03}});
    state().hooks.invalidate(dryer::Window::SetupMenuButton, true, nullptr);
    panel_->waitIdle();
    EXPECT_TRUE(drawn("Direct Serial"));
    EXPECT_FALSE(drawn("MODEM"));
}

TEST_F(MoistureDialogs, SaveSettingsSendsBitOneOnceFromTheControllersByte) {
    controllerSets({{266, 0x83}});  // SI units, stale command bits
    start();
    openExtendedMenu();
    press(shell::screenWindow(Screen::ExtendedSetupSelection), kUserSettingsButton);
    const ui::Window dialog = topDialog();
    EXPECT_EQ(caption(dialog), "USER SETTINGS - 20");
    EXPECT_TRUE(drawn("or bring back the settings saved before."));
    screenshot("user_settings");
    press(dialog, 2);  // SAVE SETTINGS
    EXPECT_FALSE(topDialog());
    EXPECT_EQ(onWire().at(266), (std::vector<uint8_t>{0x82}));
    EXPECT_FALSE(onWire().contains(266));  // a one-shot

    press(shell::screenWindow(Screen::ExtendedSetupSelection), kUserSettingsButton);
    press(topDialog(), 3);  // RESTORE SETTINGS
    EXPECT_EQ(onWire().at(266), (std::vector<uint8_t>{0x81}));
    press(shell::screenWindow(Screen::ExtendedSetupSelection), kUserSettingsButton);
    press(topDialog(), 1287);
    EXPECT_TRUE(onWire().empty());
}

}  // namespace
}  // namespace moisturetest
