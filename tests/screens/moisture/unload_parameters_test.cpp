// "Unload Parameters - 11": the steps and their ends, the estimate, both warnings, what ACCEPT
// sends and the auto-repeat of the four step buttons.
#include "screens/moisture/moisture_fixture.h"

namespace moisturetest {
namespace {

constexpr int kMaxIncrease = 1300;
constexpr int kMaxDecrease = 1301;
constexpr int kMinIncrease = 1045;
constexpr int kMinDecrease = 1046;
constexpr int kMaxPercent = 1147;
constexpr int kMinPercent = 1149;
constexpr int kMaxEstimate = 1146;
constexpr int kMinEstimate = 1148;
constexpr int kMaxNote = 1302;
constexpr int kAccept = 1008;
constexpr int kCancel = 1010;

constexpr const char* kCaption = " ERROR SETTING MAX / MIN UNLOAD RATES";
constexpr const char* kAcceptWarning =
    "The MAXIMUM unload rate must be greater than MINIMUM unload rate.  \t\t\t\t\t\t\t\t\t\t\tSet "
    "defaults?  Pressing YES will set defaults (Hi = 80% and Low = 10%).   "
    "\t\t\t\t\t\t\t\t\t\t\tPressing NO will not change the previous settings.";
constexpr const char* kChangeWarning =
    "The MAXIMUM unload rate must be greater than MINIMUM unload rate.  Set defaults?.";

class UnloadParameters : public MoistureDialogs {
  protected:
    // The controller's rates, each a 16-bit word high byte first.
    ui::Window open(int max, int min) {
        controllerSets({{206, static_cast<uint8_t>(max >> 8)},
                        {207, static_cast<uint8_t>(max)},
                        {208, static_cast<uint8_t>(min >> 8)},
                        {209, static_cast<uint8_t>(min)}});
        const ui::Window dialog = openDialog(moisture::kUnloadParametersDialog);
        EXPECT_EQ(caption(dialog), "Unload Parameters - 11");
        return dialog;
    }
    bool warningShown() { return caption(topDialog()) == kCaption; }
};

TEST_F(UnloadParameters, EqualRatesAskAtAcceptNoKeepsTheControllersAndYesSendsDefaults) {
    ui::Window dialog = open(50, 50);
    press(dialog, kAccept);
    ASSERT_TRUE(warningShown());
    EXPECT_TRUE(drewText(topDialog(), kAcceptWarning));
    screenshot("unload_accept_warning");
    press(topDialog(), ui::kIdNo);
    EXPECT_FALSE(topDialog());  // closed without storing
    EXPECT_TRUE(onWire().empty());
    EXPECT_EQ(state().status.unloadRateLimits(0).get(), 50);
    EXPECT_EQ(state().status.unloadRateLimits(1).get(), 50);

    openByTemplate(moisture::kUnloadParametersDialog);
    dialog = topDialog();
    press(dialog, kAccept);
    press(topDialog(), ui::kIdYes);
    EXPECT_FALSE(topDialog());
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(206), (std::vector<uint8_t>{0, 80}));
    EXPECT_EQ(wire.at(208), (std::vector<uint8_t>{0, 10}));
}

TEST_F(UnloadParameters, StepsStopAtTheEndsAndOnlyChangedRatesAreSent) {
    const ui::Window dialog = open(100, 0);
    press(dialog, kMaxIncrease);
    press(dialog, kMinDecrease);
    EXPECT_EQ(itemText(dialog, kMaxPercent), "100 %");
    EXPECT_EQ(itemText(dialog, kMinPercent), "0 %");
    press(dialog, kAccept);
    EXPECT_TRUE(onWire().empty());

    openByTemplate(moisture::kUnloadParametersDialog);
    pressTimes(topDialog(), kMinIncrease, 3);
    pressTimes(topDialog(), kMaxDecrease, 1);
    press(topDialog(), kCancel);
    EXPECT_TRUE(onWire().empty());

    openByTemplate(moisture::kUnloadParametersDialog);
    pressTimes(topDialog(), kMinIncrease, 3);
    press(topDialog(), kAccept);
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(208), (std::vector<uint8_t>{0, 3}));
    EXPECT_FALSE(wire.contains(206));
}

TEST_F(UnloadParameters, EstimateFollowsTheModelAndTheDryerLength) {
    controllerSets({{225, 0x20}, {7, 7}});  // rated by model, length code 7
    const ui::Window dialog = open(50, 10);
    EXPECT_EQ(itemText(dialog, kMaxEstimate), "3500");
    EXPECT_EQ(itemText(dialog, kMinEstimate), "700");
    EXPECT_EQ(itemText(dialog, kMaxNote), "*Based upon 7000 BPH capacity.");
    screenshot("unload_parameters");
    press(dialog, kCancel);

    // By length: 22 ft at 129.6 bushels per foot (bit 1 of byte 183), the note in feet.
    controllerSets({{225, 0x80}, {183, 0x02}});
    openByTemplate(moisture::kUnloadParametersDialog);
    EXPECT_EQ(itemText(topDialog(), kMaxEstimate), "1426");
    EXPECT_EQ(itemText(topDialog(), kMaxNote), "*Based upon 22ft dryer @ 17.5 RPM.");
    press(topDialog(), kCancel);

    // A length code outside the table gives no estimate rather than a wrong one.
    controllerSets({{225, 0x00}, {7, 200}});
    openByTemplate(moisture::kUnloadParametersDialog);
    EXPECT_EQ(itemText(topDialog(), kMaxEstimate), "---");
    EXPECT_EQ(itemText(topDialog(), kMaxNote), "");
    press(topDialog(), kCancel);
}

TEST_F(UnloadParameters, TheWarningAfterAChangeIsShownOncePerRun) {
    ui::Window dialog = open(50, 49);
    press(dialog, kMinIncrease);
    ASSERT_TRUE(warningShown());
    EXPECT_TRUE(drewText(topDialog(), kChangeWarning));
    press(topDialog(), ui::kIdNo);
    EXPECT_EQ(topDialog(), dialog);
    EXPECT_EQ(itemText(dialog, kMinPercent), "50 %");
    press(dialog, kMaxDecrease);
    EXPECT_EQ(topDialog(), dialog);  // not asked again
    press(dialog, kCancel);
    openByTemplate(moisture::kUnloadParametersDialog);
    dialog = topDialog();
    press(dialog, kMinIncrease);
    EXPECT_EQ(topDialog(), dialog);
    press(dialog, kCancel);

    // A new program run asks again; Yes sets the defaults in the dialog, nothing is sent yet.
    panel_->call([] { moisture::wireMoistureScreens(); });
    openByTemplate(moisture::kUnloadParametersDialog);
    dialog = topDialog();
    press(dialog, kMinIncrease);
    ASSERT_TRUE(warningShown());
    press(topDialog(), ui::kIdYes);
    EXPECT_EQ(itemText(dialog, kMaxPercent), "80 %");
    EXPECT_EQ(itemText(dialog, kMinPercent), "10 %");
    EXPECT_TRUE(onWire().empty());
    press(dialog, kCancel);
}

TEST_F(UnloadParameters, HeldStepButtonsRepeatEveryTenthAfterHalfASecond) {
    const ui::Window dialog = open(50, 10);
    const gfx::Rect r = ui::screenRect(ui::childById(dialog, kMaxIncrease));
    const int x = (r.left + r.right) / 2;
    const int y = (r.top + r.bottom) / 2;
    panel_->pointerDown(x, y);
    panel_->advance(550);  // half a second held: nothing yet
    EXPECT_EQ(itemText(dialog, kMaxPercent), "50 %");
    panel_->advance(100);  // then one step at each 100 ms tick
    EXPECT_EQ(itemText(dialog, kMaxPercent), "51 %");
    panel_->waitIdle();
    EXPECT_TRUE(drawn("51 %"));
    panel_->advance(200);
    EXPECT_EQ(itemText(dialog, kMaxPercent), "53 %");
    panel_->pointerUp(x, y);
    EXPECT_EQ(itemText(dialog, kMaxPercent), "54 %");  // the press itself

    // The minimum's DECREASE repeats down to 0 and stays there.
    hold(dialog, kMinDecrease, 2000);
    EXPECT_EQ(itemText(dialog, kMinPercent), "0 %");
    press(dialog, kAccept);
    const Wire wire = onWire();
    EXPECT_EQ(wire.at(206), (std::vector<uint8_t>{0, 54}));
    EXPECT_EQ(wire.at(208), (std::vector<uint8_t>{0, 0}));
}

}  // namespace
}  // namespace moisturetest
