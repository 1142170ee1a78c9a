// "Drying Mode Selection - 07": the two modes, what they send at once and at ACCEPT, and the way
// on to the setups, whose ACCEPT closes the selection too.
#include "screens/modes/modes_fixture.h"

namespace modestest {
namespace {

constexpr int kContinuousButton = 1298;
constexpr int kContinuousRadio = 1297;
constexpr int kStagedButton = 1299;
constexpr int kStagedRadio = 1046;
constexpr int kSetupButton = 1300;
constexpr int kTimeButton = 1311;

TEST_F(DryingModes, ModelWithoutStagedBatchForcesContinuousFlow) {
    // Staged batch as the controller has it, on a dryer whose model flags rule it out (bit 5).
    controllerSets({{8, 1}, {225, 0x20}, {187, 6}});
    const ui::Window dialog = startWith(modes::kDryingModeDialog);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(checked(dialog, kContinuousRadio));
    EXPECT_FALSE(checked(dialog, kStagedRadio));
    EXPECT_FALSE(enabled(dialog, kStagedButton));
    EXPECT_FALSE(enabled(dialog, kStagedRadio));
    screenshot("drying_mode_selection");

    press(dialog, kAccept);
    EXPECT_FALSE(topDialog());
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(8), (std::vector<uint8_t>{0}));
    EXPECT_FALSE(wire.contains(187));  // ACCEPT sends only what differs of mode and options
}

TEST_F(DryingModes, ModeButtonsSendSchemeAndPlenumBitsAtOnce) {
    // Dual plenum and bit 3 set; auto centering in the drying options stays as it is.
    controllerSets({{8, 0}, {187, 1}, {257, 0x1A}, {224, 0x80}});
    const ui::Window dialog = startWith(modes::kDryingModeDialog);
    press(dialog, kStagedButton);
    EXPECT_TRUE(checked(dialog, kStagedRadio));
    Wire wire = onWire();
    EXPECT_EQ(wire.at(187), (std::vector<uint8_t>{6}));
    EXPECT_EQ(wire.at(257), (std::vector<uint8_t>{0x12}));  // bit 3 cleared, dual plenum kept
    EXPECT_FALSE(wire.contains(8));                         // the mode itself waits for ACCEPT

    press(dialog, kContinuousButton);
    wire = onWire();
    EXPECT_EQ(wire.at(187), (std::vector<uint8_t>{1}));
    EXPECT_EQ(wire.at(257), (std::vector<uint8_t>{0x10}));  // dual plenum goes too
    press(dialog, kAccept);
    wire = onWire();
    EXPECT_FALSE(wire.contains(8));  // continuous flow already
    EXPECT_FALSE(wire.contains(224));
}

TEST_F(DryingModes, SetupAcceptClosesTheSelectionToo) {
    controllerSets({{8, 0}, {187, 1}, {257, 0x00}});
    const ui::Window selection = startWith(modes::kDryingModeDialog);
    press(selection, kStagedButton);
    press(selection, kSetupButton);
    const ui::Window setup = topDialog();
    ASSERT_NE(setup, selection);
    EXPECT_EQ(title(setup), "STAGED BATCH SETUP - 09");
    // The mode goes out before the setup opens.
    EXPECT_EQ(onWire().at(8), (std::vector<uint8_t>{1}));

    press(setup, kTimeButton);
    press(setup, kAccept);
    EXPECT_FALSE(topDialog());
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(8), (std::vector<uint8_t>{1}));
    EXPECT_EQ(wire.at(257), (std::vector<uint8_t>{0x10}));
}

TEST_F(DryingModes, ContinuousFlowSetupFromTheSelectionKeepsTheWaitingScheme) {
    // The controller still reports staged batch; the operator switched to continuous flow.
    controllerSets({{8, 1}, {187, 6}});
    const ui::Window selection = startWith(modes::kDryingModeDialog);
    press(selection, kContinuousButton);
    press(selection, kSetupButton);
    const ui::Window setup = topDialog();
    EXPECT_EQ(title(setup), "CONTINUOUS FLOW SETUP");
    EXPECT_TRUE(checked(setup, 1310));  // temperature, 2 speed: the scheme on its way
    EXPECT_TRUE(checked(setup, 1046));
    press(setup, kAccept);
    EXPECT_FALSE(topDialog());
    EXPECT_EQ(onWire().at(187), (std::vector<uint8_t>{1}));
}

TEST_F(DryingModes, SetupMenuButtonsOpenTheDialogs) {
    controllerSets({{8, 1}, {257, 0x20}});
    start();
    openSetupMenu();
    const ui::Window menu = shell::screenWindow(shell::Screen::SetupSelection);
    press(menu, 34865);
    EXPECT_EQ(title(topDialog()), "Drying Mode Selection - 07");
    press(topDialog(), kAccept);
    press(menu, 34883);
    EXPECT_EQ(title(topDialog()), "STAGED BATCH SETUP - 09");
    press(topDialog(), kAccept);
    EXPECT_FALSE(topDialog());
}

TEST_F(DryingModes, HelpShowsTheHelpFile) {
    const ui::Window dialog = startWith(modes::kDryingModeDialog);
    press(dialog, kHelp);
    EXPECT_EQ(title(topDialog()), "DRYING MODE SELECTION HELP");
    press(topDialog(), ui::kIdOk);
    EXPECT_EQ(topDialog(), dialog);
}

}  // namespace
}  // namespace modestest
