// The dryer hardware setup: code stepping by model family, the options and what ACCEPT/EXIT
// sends.
#include "screens/setup/hardware_setup.h"

#include "screens/setup/setup_fixture.h"

namespace setuptest {
namespace {

using setup::ModelFamily;

constexpr int kDryerModelButton = 36982;
constexpr int kFanHeaterSelect = 1008;
constexpr int kModulesSelect = 1009;
constexpr int kLengthSelect = 1012;
constexpr int kAcceptExit = 1013;
constexpr int kInverterCheck = 1480;
constexpr int kSamplerCheck = 1481;
constexpr int kSensorSetup = 1482;

TEST(HardwareCodes, ModuleCountForcesTheFanHeaterCode) {
    // Two modules with four fan/heaters, then three modules: four stays; then one module: three.
    EXPECT_EQ(setup::fanHeaterCodeForModules(2, 3), 3);
    EXPECT_EQ(setup::fanHeaterCodeForModules(0, 3), 2);
    EXPECT_EQ(setup::fanHeaterCodeForModules(2, 1), 3);
    EXPECT_EQ(setup::fanHeaterCodeForModules(1, 4), 2);
    EXPECT_EQ(setup::fanHeaterCodeForModules(1, 0), 2);
    EXPECT_EQ(setup::fanHeaterCodeForModules(0, 1), 1);
}

TEST(HardwareCodes, FanHeaterSelectStaysInsideTheModulesRange) {
    const ModelFamily tower = ModelFamily::Tower;
    EXPECT_EQ(setup::nextFanHeaterCode(tower, 0, 0), 1);
    EXPECT_EQ(setup::nextFanHeaterCode(tower, 0, 2), 0);
    EXPECT_EQ(setup::nextFanHeaterCode(tower, 0, 4), 0);
    EXPECT_EQ(setup::nextFanHeaterCode(tower, 1, 2), 3);
    EXPECT_EQ(setup::nextFanHeaterCode(tower, 1, 3), 2);
    EXPECT_EQ(setup::nextFanHeaterCode(tower, 1, 0), 2);
    EXPECT_EQ(setup::nextFanHeaterCode(tower, 2, 3), 4);
    EXPECT_EQ(setup::nextFanHeaterCode(tower, 2, 4), 3);
    EXPECT_EQ(setup::nextFanHeaterCode(tower, 2, 1), 3);
    // Single-column dryers have one or three.
    EXPECT_EQ(setup::nextFanHeaterCode(ModelFamily::SingleColumn, 1, 0), 2);
    EXPECT_EQ(setup::nextFanHeaterCode(ModelFamily::SingleColumn, 1, 2), 0);
    EXPECT_EQ(setup::nextFanHeaterCode(ModelFamily::SingleColumn, 1, 3), 0);
}

TEST(HardwareCodes, ModelFamilyFromTheHighFourBits) {
    EXPECT_EQ(setup::modelFamily(0x20), ModelFamily::SingleColumn);
    EXPECT_EQ(setup::modelFamily(0x2F), ModelFamily::SingleColumn);
    EXPECT_EQ(setup::modelFamily(0x85), ModelFamily::Tower);
    EXPECT_EQ(setup::modelFamily(0x30), ModelFamily::Other);
    EXPECT_EQ(setup::modelFamily(0x00), ModelFamily::Other);
}

class HardwareSetup : public SetupScreens {
  protected:
    // A two-module tower with four fan/heaters on LP, 20 ft, dual plenum temperatures off.
    ui::Window open(uint8_t modelFlags = 0x80, uint8_t fanHeaters = 3) {
        controllerSets(
            {{183, 0x04}, {225, modelFlags}, {3, fanHeaters}, {4, 1}, {5, 0}, {6, 0}, {7, 6}});
        start();
        openExtendedMenu();
        press(shell::screenWindow(Screen::ExtendedSetupSelection), kDryerModelButton);
        return topDialog();
    }
};

TEST_F(HardwareSetup, SelectModulesForcesTheFanHeatersAndExitSendsTheChanges) {
    const ui::Window dialog = open();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(checked(dialog, 1055));  // two modules
    EXPECT_TRUE(checked(dialog, 1053));  // four fan/heaters
    EXPECT_TRUE(drawn("Dryer Length (ft)"));
    EXPECT_TRUE(drawn("20 FT"));
    screenshot("hardware_setup_tower");

    press(dialog, kModulesSelect);
    EXPECT_TRUE(checked(dialog, 1054));                         // three modules
    EXPECT_TRUE(checked(dialog, 1053));                         // four stays
    EXPECT_FALSE(ui::isEnabled(ui::dialogItem(dialog, 1048)));  // three: not with three modules
    press(dialog, kModulesSelect);
    EXPECT_TRUE(checked(dialog, 1056));  // one module
    EXPECT_TRUE(checked(dialog, 1048));  // three fan/heaters
    press(dialog, kLengthSelect);
    press(dialog, kAcceptExit);
    EXPECT_FALSE(topDialog());

    Wire wire = onWire();
    EXPECT_EQ(wire[3], (std::vector<uint8_t>{2}));
    EXPECT_EQ(wire[4], (std::vector<uint8_t>{0}));
    EXPECT_EQ(wire[7], (std::vector<uint8_t>{7}));
    EXPECT_FALSE(wire.contains(5));  // fuel untouched
    EXPECT_FALSE(wire.contains(6));
    EXPECT_EQ(shell::periodic().setupRefreshPending, 1);
}

TEST_F(HardwareSetup, MoreThanOneFanHeaterAlwaysSendsDualPlenumOff) {
    controllerSets({{257, 0x41}});  // bit 1 already clear
    const ui::Window dialog = open();
    press(dialog, kAcceptExit);
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(257), (std::vector<uint8_t>{0x41}));
    EXPECT_FALSE(wire.contains(3));  // nothing else changed
}

TEST_F(HardwareSetup, OneFanHeaterLeavesThePlenumOptionsAlone) {
    controllerSets({{257, 0x02}});
    const ui::Window dialog = open(0x22, 0);
    press(dialog, kAcceptExit);
    EXPECT_FALSE(onWire().contains(257));
}

TEST_F(HardwareSetup, SingleColumnDryersChooseOneOrThreeFanHeatersAndTheirModel) {
    const ui::Window dialog = open(0x21);
    EXPECT_FALSE(ui::isShown(ui::dialogItem(dialog, kModulesSelect)));
    EXPECT_FALSE(ui::isShown(ui::dialogItem(dialog, 1051)));  // six
    EXPECT_FALSE(ui::isShown(ui::dialogItem(dialog, kInverterCheck)));
    EXPECT_TRUE(drawn("Dryer Model"));
    screenshot("hardware_setup_single_column");
    press(dialog, kFanHeaterSelect);  // four is not theirs: back to one
    EXPECT_TRUE(checked(dialog, 1050));
    press(dialog, kFanHeaterSelect);
    EXPECT_TRUE(checked(dialog, 1048));
    press(dialog, kFanHeaterSelect);
    EXPECT_TRUE(checked(dialog, 1050));
    press(dialog, kAcceptExit);
    EXPECT_EQ(onWire()[3], (std::vector<uint8_t>{0}));
}

TEST_F(HardwareSetup, CycledSamplerNeedsYesToGoOnAndNothingToGoOff) {
    controllerSets({{293, 0x05}, {279, 0x01}});
    const ui::Window dialog = open();
    press(dialog, kSamplerCheck);
    ASSERT_NE(topDialog(), dialog);
    EXPECT_TRUE(drawn("Turn on the cycled moisture sampler?"));
    screenshot("sampler_question");
    press(topDialog(), 1439);  // CANCEL
    EXPECT_FALSE(checked(dialog, kSamplerCheck));
    press(dialog, kSamplerCheck);
    press(topDialog(), 1437);  // Yes
    EXPECT_TRUE(checked(dialog, kSamplerCheck));
    EXPECT_TRUE(drawn("CYCLED SAMPLER ENABLED"));
    press(dialog, kInverterCheck);
    press(dialog, kAcceptExit);
    Wire wire = onWire();
    EXPECT_EQ(wire[293], (std::vector<uint8_t>{0x85}));
    EXPECT_EQ(wire[279], (std::vector<uint8_t>{0x81}));

    controllerSets({{293, 0x85}});
    EXPECT_FALSE(topDialog());
    press(shell::screenWindow(Screen::ExtendedSetupSelection), kDryerModelButton);
    press(topDialog(), kSamplerCheck);  // off without a question
    EXPECT_FALSE(checked(topDialog(), kSamplerCheck));
    press(topDialog(), kAcceptExit);
    EXPECT_EQ(onWire()[293], (std::vector<uint8_t>{0x05}));
}

TEST_F(HardwareSetup, SensorSelectionSendsTheOperatorsChoice) {
    controllerSets({{287, 0x10}});
    const ui::Window dialog = open();
    press(dialog, kSensorSetup);
    const ui::Window sensors = topDialog();
    ASSERT_NE(sensors, dialog);
    EXPECT_TRUE(checked(sensors, 1490));  // wet analog
    screenshot("sensor_selection");
    press(sensors, 1491);  // wet network
    press(sensors, 1495);  // dry network
    EXPECT_TRUE(checked(sensors, 1491));
    press(sensors, 1483);  // Accept
    EXPECT_EQ(onWire()[287], (std::vector<uint8_t>{0x15}));

    press(dialog, kSensorSetup);
    press(topDialog(), 1490);
    press(topDialog(), 1484);  // Cancel
    EXPECT_EQ(topDialog(), dialog);
}

}  // namespace
}  // namespace setuptest
