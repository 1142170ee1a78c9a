// The batch drying timers: both drawings, the averaging note, which heat buttons show, and the
// time keypad on each stage's set time with what it sends.
#include "screens/batch/batch_fixture.h"
#include "screens/keypad_ids.h"
#include "screens/keypads/keypads.h"

namespace batchtest {
namespace {

using screentest::kTimerAccept;
using screentest::kTimerCancel;
using screentest::kTimerMajor;
using screentest::kTimerMinor;

// Where drawing A puts the heat column's texts.
constexpr gfx::Rect kHeatHours{0, 15, 90, 90};
constexpr gfx::Rect kHeatMinutes{90, 55, 150, 135};
constexpr gfx::Rect kHeatSetTime{0, 0, 126, 20};
constexpr gfx::Rect kCoolHours{120, 15, 220, 90};
constexpr gfx::Rect kCoolMinutes{220, 55, 280, 135};
constexpr gfx::Rect kUnloadHours{220, 15, 350, 90};
constexpr gfx::Rect kUnloadMinutes{350, 55, 410, 135};

int lineHeight(const gfx::DrawnText& t) {
    return t.lines.empty() ? 0 : t.lines.front().box.height();
}

TEST_F(BatchScreen, OneHeatStageShowsHoursLargeAndMinutesBeside) {
    controllerSetsTime(kHeatTime, 1, 5);
    controllerSetsTime(kHeatSet, 2, 30);
    controllerSetsTime(kCoolTime, 0, 7);
    controllerSetsTime(kCoolSet, 20, 0);
    controllerSetsTime(kUnloadTime, 12, 59);
    controllerSetsTime(kUnloadSet, 10, 5);
    start();
    ASSERT_TRUE(ui::isShown(screen()));

    const auto hours = drawnIn(kHeatHours);
    const auto minutes = drawnIn(kHeatMinutes);
    ASSERT_TRUE(hours && minutes);
    EXPECT_EQ(hours->text, "1");
    EXPECT_EQ(minutes->text, "05");
    EXPECT_EQ(hours->color, gfx::rgb(200, 200, 0));
    EXPECT_GT(lineHeight(*hours), 2 * lineHeight(*minutes) - 10);
    EXPECT_TRUE(hours->flags & gfx::kAlignRight);
    EXPECT_EQ(textIn(kHeatSetTime), "02 HR 30 MIN");

    EXPECT_EQ(textIn(kCoolHours), "0");
    EXPECT_EQ(textIn(kCoolMinutes), "07");
    EXPECT_EQ(drawnIn(kCoolHours)->color, gfx::rgb(0, 0, 250));
    EXPECT_EQ(textIn({126, 0, 259, 20}), "20 HR 00 MIN");
    EXPECT_EQ(textIn(kUnloadHours), "12");
    EXPECT_EQ(textIn(kUnloadMinutes), "59");
    EXPECT_EQ(drawnIn(kUnloadHours)->color, gfx::rgb(0, 250, 0));
    EXPECT_EQ(textIn({259, 0, 400, 20}), "10 HR 05 MIN");
    EXPECT_EQ(ui::windowText(screen()), " BATCH DRYING TIMERS");
}

TEST_F(BatchScreen, ThreeDigitHoursStayWhole) {
    controllerSetsTime(kHeatTime, 200, 0);
    start();
    const auto hours = drawnIn(kHeatHours);
    ASSERT_TRUE(hours);
    EXPECT_EQ(hours->text, "200");
    ASSERT_FALSE(hours->lines.empty());
    EXPECT_GE(hours->lines.front().box.left, kHeatHours.left);
}

TEST_F(BatchScreen, AveragingNoteTakesTheHeatTimesPlace) {
    controllerSetsTime(kHeatTime, 1, 5);
    controllerSetsTime(kHeatSet, 2, 30);
    controllerSetsTime(kCoolTime, 0, 7);
    controllerSetsTime(kUnloadTime, 3, 9);
    controllerSets(
        {{kPlenumTempOptions, 0x40}, {kMoistureControlMode, 0x86}, {kBatchStatus13, 0x02}});
    start();
    controllerSets({{kStatusFlags171, 0x20}});  // start-up sets 0xA0
    EXPECT_EQ(textIn({0, 25, 130, 65}), "AVERAGING");
    EXPECT_EQ(textIn({0, 40, 130, 95}), "INCOMING");
    EXPECT_EQ(textIn({0, 55, 130, 70}), "MOISTURE");
    EXPECT_FALSE(drawnIn(kHeatHours));
    EXPECT_FALSE(drawnIn(kHeatMinutes));
    EXPECT_EQ(textIn(kHeatSetTime), "02 HR 30 MIN");
    EXPECT_EQ(textIn(kCoolHours), "0");
    EXPECT_EQ(textIn(kCoolMinutes), "07");
    EXPECT_EQ(textIn(kUnloadHours), "3");
    EXPECT_EQ(textIn(kUnloadMinutes), "09");

    // Any one condition missing brings the heat time back.
    const std::pair<int, uint8_t> breakers[] = {{kPlenumTempOptions, 0x00},
                                                {kMoistureControlMode, 0x85},
                                                {kStatusFlags171, 0xA0},
                                                {kBatchStatus13, 0x03}};
    for (const auto& [address, value] : breakers) {
        const uint8_t before = state().status.at(address);
        controllerSets({{address, value}});
        EXPECT_FALSE(shows("AVERAGING")) << "address " << address;
        EXPECT_EQ(textIn(kHeatHours), "1") << "address " << address;
        controllerSets({{address, before}});
    }
    EXPECT_TRUE(shows("AVERAGING"));
}

TEST_F(BatchScreen, DualPlenumOptionSwitchesToTwoHeatRows) {
    controllerSetsTime(kHeatTime, 4, 2);
    controllerSetsTime(kHeatSet, 5, 0);
    controllerSetsTime(kLoHeatTime, 1, 30);
    controllerSetsTime(kLoHeatSet, 2, 15);
    controllerSetsTime(kCoolTime, 0, 11);
    controllerSets({{kPlenumTempOptions, 0x02}});
    start();
    EXPECT_EQ(textIn({0, 20, 70, 60}), "4");
    EXPECT_EQ(textIn({75, 30, 150, 60}), "02");
    EXPECT_EQ(textIn({0, 0, 126, 20}), "05 HR 00 MIN");
    EXPECT_EQ(textIn({0, 107, 70, 147}), "1");
    EXPECT_EQ(textIn({75, 117, 150, 147}), "30");
    EXPECT_EQ(textIn({0, 87, 126, 107}), "02 HR 15 MIN");
    EXPECT_FALSE(drawnIn(kHeatHours));
    EXPECT_EQ(textIn(kCoolHours), "0");
    EXPECT_EQ(textIn(kCoolMinutes), "11");
    // No averaging note in this drawing.
    controllerSets({{kPlenumTempOptions, 0x42}, {kMoistureControlMode, 6}, {kStatusFlags171, 0}});
    EXPECT_FALSE(shows("AVERAGING"));
    EXPECT_EQ(textIn({0, 20, 70, 60}), "4");

    EXPECT_TRUE(shown(shell::kHiHeatButton));
    EXPECT_TRUE(shown(shell::kLoHeatButton));
    EXPECT_FALSE(shown(shell::kDryButton));
}

TEST_F(BatchScreen, HeatButtonsFollowTheDryingModeAndTheDualPlenumOption) {
    start(3);
    EXPECT_TRUE(shown(shell::kHiHeatButton));
    EXPECT_TRUE(shown(shell::kLoHeatButton));
    EXPECT_FALSE(shown(shell::kDryButton));
    EXPECT_TRUE(shown(shell::kCoolButton));
    EXPECT_TRUE(shown(shell::kUnloadButton));

    struct Case {
        uint8_t mode;
        uint8_t options;
        bool heatStages;
    };
    for (const Case c : {Case{1, 0x00, false}, Case{1, 0x02, true}, Case{0, 0x02, false},
                         Case{3, 0x00, true}, Case{2, 0x02, true}}) {
        controllerSets({{kDryingMode, c.mode}, {kPlenumTempOptions, c.options}});
        shell::requestBatchStageButtons();
        panel_->waitIdle();
        EXPECT_EQ(shown(shell::kHiHeatButton), c.heatStages) << int(c.mode) << int(c.options);
        EXPECT_EQ(shown(shell::kLoHeatButton), c.heatStages) << int(c.mode) << int(c.options);
        EXPECT_EQ(shown(shell::kDryButton), !c.heatStages) << int(c.mode) << int(c.options);
    }
}

// In every drying mode, with and without the dual plenum option and the averaging note, the
// picture's heat rows follow the buttons: no stage button stands on a digit of the picture.
TEST_F(BatchScreen, NoStageButtonCoversADigitInAnyDryingMode) {
    controllerSetsTime(kHeatTime, 188, 59);
    controllerSetsTime(kHeatSet, 200, 0);
    controllerSetsTime(kLoHeatTime, 188, 59);
    controllerSetsTime(kLoHeatSet, 200, 0);
    controllerSetsTime(kCoolTime, 58, 59);
    controllerSetsTime(kUnloadTime, 58, 59);
    controllerSets({{kMoistureControlMode, 6}});
    start();
    const int buttons[] = {shell::kDryButton, shell::kHiHeatButton, shell::kLoHeatButton,
                           shell::kCoolButton, shell::kUnloadButton};
    for (const uint8_t mode : {0, 1, 2, 3}) {
        for (const uint8_t options : {0x00, 0x02, 0x40}) {
            controllerSets({{kDryingMode, mode}, {kPlenumTempOptions, options}});
            controllerSets({{kStatusFlags171, 0x20}});
            shell::requestBatchStageButtons();
            panel_->waitIdle();
            int digits = 0;
            for (const gfx::DrawnText& t : drawn()) {
                if (t.text.find_first_of("0123456789") == std::string::npos) continue;
                ++digits;
                for (const int id : buttons) {
                    gfx::Rect r;
                    bool on = false;
                    panel_->call([&] {
                        r = ui::windowRect(button(id));
                        on = ui::isVisible(button(id));
                    });
                    for (const gfx::TextLine& line : t.lines) {
                        EXPECT_FALSE(on && !line.box.intersect(r).empty())
                            << "button " << id << " covers \"" << t.text << "\" in mode "
                            << int(mode) << ", options " << int(options);
                    }
                }
            }
            EXPECT_GE(digits, 6) << "mode " << int(mode) << ", options " << int(options);
        }
    }
}

TEST_F(BatchScreen, ButtonTextsFromTheLanguage) {
    start(3);
    EXPECT_EQ(ui::windowText(button(shell::kHiHeatButton)), "HI HEAT");
    panel_->call([] { i18n::SetLanguage(i18n::kGerman); });
    drawn();
    EXPECT_EQ(ui::windowText(screen()), " CHARGEN-TROCKNUNGSZEITEN");
    EXPECT_EQ(ui::windowText(button(shell::kLoHeatButton)), "NIEDR. HITZE");
    EXPECT_EQ(ui::windowText(button(shell::kDryButton)), "TROCKNEN");
    EXPECT_EQ(ui::windowText(button(shell::kCoolButton)), "KÜHLEN");
    EXPECT_TRUE(shows("00 STD 00 MIN"));
}

// The keypad each stage button opens, with the controller's value as the start value.
struct KeypadCase {
    uint8_t mode;
    int button;
    int setpoint;
    uint8_t maxMajor;
    uint8_t defaultMajor;
};

TEST_F(BatchScreen, StageButtonsOpenTheTimeKeypadWithTheirLimits) {
    const KeypadCase cases[] = {{1, shell::kDryButton, kHeatSet, 200, 60},
                                {3, shell::kHiHeatButton, kHeatSet, 200, 60},
                                {3, shell::kLoHeatButton, kLoHeatSet, 200, 60},
                                {1, shell::kCoolButton, kCoolSet, 60, 20},
                                {1, shell::kUnloadButton, kUnloadSet, 60, 10}};
    controllerSetsTime(kHeatSet, 45, 1);
    controllerSetsTime(kLoHeatSet, 46, 2);
    controllerSetsTime(kCoolSet, 47, 3);
    controllerSetsTime(kUnloadSet, 48, 4);
    start();
    for (const KeypadCase& c : cases) {
        controllerSets({{kDryingMode, c.mode}});
        shell::requestBatchStageButtons();
        panel_->waitIdle();
        pressButton(c.button);
        ASSERT_TRUE(topDialog()) << c.button;
        keypads::TimerKeypadRequest request;
        panel_->call([&] { request = keypads::timerKeypadRequest(); });
        EXPECT_EQ(request.maxMajor, c.maxMajor) << c.button;
        EXPECT_EQ(request.defaultMajor, c.defaultMajor) << c.button;
        EXPECT_EQ(request.minMajor, 0) << c.button;
        EXPECT_EQ(request.maxMinor, 0) << c.button;
        EXPECT_EQ(request.defaultMinor, 0) << c.button;
        EXPECT_EQ(request.minMinor, 0) << c.button;
        EXPECT_EQ(request.majorValue, state().status.at(c.setpoint)) << c.button;
        EXPECT_EQ(request.minorValue, state().status.at(c.setpoint + 1)) << c.button;
        EXPECT_EQ(state().edit.at(c.setpoint), state().status.at(c.setpoint)) << c.button;
        pressInDialog(kTimerCancel);
        EXPECT_FALSE(topDialog());
    }
    EXPECT_TRUE(onWire().empty());
}

TEST_F(BatchScreen, CoolKeypadShowsItsLimitsAndSendsTheAcceptedTime) {
    controllerSetsTime(kCoolSet, 15, 0);
    start();
    pressButton(shell::kCoolButton);
    const ui::Window keypad = topDialog();
    ASSERT_TRUE(keypad);
    EXPECT_TRUE(dialogDrew(keypad, "MAXIMUM = 60:00"));
    EXPECT_TRUE(dialogDrew(keypad, "DEFAULT = 20:00"));
    // 59:59 lies under 60:00 (the minutes are counted with the hours).
    for (int id : {kTimerMajor[5], kTimerMajor[9], kTimerMinor[5], kTimerMinor[9]})
        pressInDialog(id);
    pressInDialog(kTimerAccept);
    EXPECT_FALSE(topDialog());
    const Wire wire = onWire();
    ASSERT_TRUE(wire.contains(kCoolSet));
    EXPECT_EQ(wire.at(kCoolSet), (std::vector<uint8_t>{59, 59}));
    EXPECT_EQ(wire.size(), 1u);
}

TEST_F(BatchScreen, UnloadKeypadRefusesMoreThanSixtyHours) {
    controllerSetsTime(kUnloadSet, 10, 0);
    start();
    pressButton(shell::kUnloadButton);
    ASSERT_TRUE(topDialog());
    EXPECT_TRUE(dialogDrew(topDialog(), "MAXIMUM = 60:00"));
    EXPECT_TRUE(dialogDrew(topDialog(), "DEFAULT = 10:00"));
    // The stage's name under the value; its set time counts in hours and minutes.
    EXPECT_TRUE(dialogDrew(topDialog(), "UNLOAD"));
    EXPECT_TRUE(dialogDrew(topDialog(), "HOURS"));
    EXPECT_TRUE(dialogDrew(topDialog(), "RANGE 0:00 - 60:00 HR:MIN"));
    for (int id : {kTimerMajor[6], kTimerMajor[0], kTimerMinor[1]})
        pressInDialog(id);
    pressInDialog(kTimerAccept);
    ASSERT_TRUE(topDialog());
    EXPECT_TRUE(
        dialogDrew(topDialog(), "The value entered is out of range.\nRANGE 0:00 - 60:00 HR:MIN"));
    pressInDialog(ui::kIdOk);
    EXPECT_FALSE(topDialog());
    EXPECT_TRUE(onWire().empty());

    pressButton(shell::kUnloadButton);
    for (int id : {kTimerMajor[6], kTimerMajor[0], kTimerMinor[0]})
        pressInDialog(id);
    pressInDialog(kTimerAccept);
    EXPECT_EQ(onWire().at(kUnloadSet), (std::vector<uint8_t>{60, 0}));
}

}  // namespace
}  // namespace batchtest
