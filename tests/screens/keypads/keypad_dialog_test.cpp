// The two keypads run as dialogs in the panel harness and driven by touch.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screens/keypad_ids.h"
#include "screens/keypads/keypads.h"
#include "screens/panel_fixture.h"
#include "shell/hooks.h"

namespace screentest {
namespace {

constexpr keypads::TimeLimits kLoadDelayLimits{{0, 1}, {1, 0}, {10, 0}};
constexpr keypads::TemperatureLimits kPlenumLimits{50, 180, 250};
constexpr keypads::KeypadName kPlenum1Name{810, "PLENUM %d SETPOINT", 1};

class KeypadDialog : public PanelTest {
  protected:
    void SetUp() override {
        PanelTest::SetUp();
        panel_->call([this] {
            ui::registerClass({"KEYPAD_OWNER", ui::defaultProc});
            owner_ = ui::createWindow("KEYPAD_OWNER", "", ui::kVisible, {0, 0, 640, 475});
        });
        // The controller reports a load delay of 2:30 and plenum 1 at 180 F.
        state().status.loadStartupDelay().setByte(0, 2);
        state().status.loadStartupDelay().setByte(1, 30);
        state().status.plenumTempSetpoint(5).set(180);
    }

    ui::Window openLoadDelay() {
        panel_->post([this] {
            closedBy_ = keypads::openTimerKeypad(
                owner_, state().edit.loadStartupDelay(), state().pending.loadStartupDelay(),
                kLoadDelayLimits, {45, " Load Startup Delay"}, keypads::TimeUnits::MinutesSeconds);
        });
        return topDialog();
    }
    ui::Window openPlenum1(const keypads::TemperatureLimits& limits = kPlenumLimits) {
        panel_->post([this, limits] {
            closedBy_ = keypads::openTemperatureKeypad(owner_, state().edit.plenumTempSetpoint(5),
                                                       state().pending.plenumTempSetpoint(5),
                                                       limits, kPlenum1Name);
        });
        return topDialog();
    }
    // Types `value` on plenum 1's keypad and accepts it; true when it was refused.
    bool refused(const keypads::TemperatureLimits& limits, int value) {
        const ui::Window dialog = openPlenum1(limits);
        press(dialog, kTemperatureClear);
        const std::string digits = std::to_string(value);
        for (const char digit : digits)
            press(dialog, kTemperatureDigits[digit - '0']);
        press(dialog, kTemperatureAccept);
        return dismissRefusal();
    }
    // Where a dialog drew `text`; empty when it did not.
    gfx::Rect drawnRect(ui::Window dialog, std::string_view text) {
        for (const gfx::DrawnText& t : panel_->texts(dialog)) {
            if (t.text == text) return t.rect;
        }
        return {};
    }

    ui::Window owner_;
    int closedBy_ = -1;
};

TEST_F(KeypadDialog, TimeKeypadShowsWhatTheTablesLetThrough) {
    ui::Window dialog = openLoadDelay();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ui::windowText(dialog), "MODIFYING TIMER SETPOINT - 21");
    EXPECT_EQ(keypadValue(dialog), " 002 : 30 ");
    EXPECT_TRUE(drew(dialog, "DEFAULT = 01:00"));
    EXPECT_TRUE(drew(dialog, "MAXIMUM = 10:00"));
    EXPECT_TRUE(drew(dialog, "MINIMUM = 00:01"));
    // The dialog sits in the middle of its owner.
    const gfx::Rect r = ui::windowRect(dialog);
    EXPECT_EQ(r.left, (640 - r.width()) / 2);
    EXPECT_EQ(r.top, (475 - r.height()) / 2);

    pressDigits(dialog, kTimerMajor, {2, 5, 0});
    EXPECT_EQ(keypadValue(dialog), " 025 : 30 ") << "the first key clears only its own pad";
    for (int i = 0; i < 3; ++i)
        press(dialog, kTimerMajorDelete);
    EXPECT_EQ(keypadValue(dialog), " 000 : 30 ");
    pressDigits(dialog, kTimerMajor, {0, 2, 4, 9});  // a leading 0 leaves the pad empty
    EXPECT_EQ(keypadValue(dialog), " 249 : 30 ");
    pressDigits(dialog, kTimerMinor, {7, 5});
    EXPECT_EQ(keypadValue(dialog), " 249 : 07 ");
    press(dialog, kTimerDefault);
    EXPECT_EQ(keypadValue(dialog), " 001 : 00 ");
    press(dialog, kTimerCancel);
    EXPECT_FALSE(topDialog());
    EXPECT_EQ(closedBy_, kTimerCancel);
}

TEST_F(KeypadDialog, TimeKeypadAcceptsAtTheLimitAndRefusesBeyondIt) {
    // 10:01 against an upper limit of 10:00: refused, nothing stored or sent.
    ui::Window dialog = openLoadDelay();
    pressDigits(dialog, kTimerMajor, {1, 0});
    pressDigits(dialog, kTimerMinor, {0, 1});
    press(dialog, kTimerAccept);
    EXPECT_TRUE(dismissRefusal());
    EXPECT_FALSE(topDialog());
    EXPECT_FALSE(state().pending.loadStartupDelay().raised());
    EXPECT_EQ(state().edit.loadStartupDelay().get(), 2 * 60 + 30);

    // 0:00 against the lower limit of 0:01.
    dialog = openLoadDelay();
    pressDigits(dialog, kTimerMajor, {0});
    pressDigits(dialog, kTimerMinor, {0});
    press(dialog, kTimerAccept);
    EXPECT_TRUE(dismissRefusal());
    EXPECT_FALSE(state().pending.loadStartupDelay().raised());

    // 10:00 is inside.
    dialog = openLoadDelay();
    pressDigits(dialog, kTimerMajor, {1, 0});
    pressDigits(dialog, kTimerMinor, {0});
    press(dialog, kTimerAccept);
    EXPECT_FALSE(topDialog());
    EXPECT_EQ(closedBy_, kTimerAccept);
    EXPECT_TRUE(state().pending.loadStartupDelay().raised());
    EXPECT_EQ(state().edit.loadStartupDelay().byte(0), 10);
    EXPECT_EQ(state().edit.loadStartupDelay().byte(1), 0);
    EXPECT_EQ(state().status.loadStartupDelay().get(), 2 * 60 + 30) << "shown once echoed";
}

TEST_F(KeypadDialog, TemperatureKeypadEntryDeleteClearAndDefault) {
    ui::Window dialog = openPlenum1();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ui::windowText(dialog), "Modifying Temperature Setpoint - 22");
    EXPECT_EQ(keypadValue(dialog), " 180 \u00B0F ");
    press(dialog, kTemperatureDelete);
    EXPECT_EQ(keypadValue(dialog), " 000 \u00B0F ") << "a first DELETE discards the start value";
    pressDigits(dialog, kTemperatureDigits, {1, 9, 0, 5});
    EXPECT_EQ(keypadValue(dialog), " 190 \u00B0F ");
    press(dialog, kTemperatureClear);
    EXPECT_EQ(keypadValue(dialog), " 000 \u00B0F ");
    press(dialog, kTemperatureDefault);
    EXPECT_EQ(keypadValue(dialog), " 180 \u00B0F ");
    press(dialog, kTemperatureCancel);
    EXPECT_FALSE(topDialog());
    EXPECT_FALSE(state().pending.plenumTempSetpoint(5).raised());
}

TEST_F(KeypadDialog, CancelAndRefusalLeaveTheSetpointAsTheControllerHasIt) {
    state().edit.plenumTempSetpoint(5).set(77);  // left over from an earlier edit
    ui::Window dialog = openPlenum1();
    pressDigits(dialog, kTemperatureDigits, {2, 0, 0});
    press(dialog, kTemperatureCancel);
    EXPECT_FALSE(state().pending.plenumTempSetpoint(5).raised());
    EXPECT_EQ(state().edit.plenumTempSetpoint(5).get(), 180);

    dialog = openPlenum1();
    pressDigits(dialog, kTemperatureDigits, {2, 5, 1});
    press(dialog, kTemperatureAccept);
    EXPECT_TRUE(dismissRefusal());
    EXPECT_FALSE(topDialog());
    EXPECT_FALSE(state().pending.plenumTempSetpoint(5).raised());
    EXPECT_EQ(state().edit.plenumTempSetpoint(5).get(), 180);

    dialog = openPlenum1();
    pressDigits(dialog, kTemperatureDigits, {1, 9, 0});
    press(dialog, kTemperatureAccept);
    EXPECT_FALSE(topDialog());
    EXPECT_TRUE(state().pending.plenumTempSetpoint(5).raised());
    EXPECT_EQ(state().edit.plenumTempSetpoint(5).get(), 190);
}

TEST_F(KeypadDialog, TemperatureKeypadInSiUnitsStoresDegreesFThatShowBackAsTyped) {
    state().unitsSetting = 1;
    ui::Window dialog = openPlenum1();
    EXPECT_EQ(keypadValue(dialog), " 082 \u00B0C ") << "180 F";
    press(dialog, kTemperatureAccept);  // ACCEPT without typing keeps the setpoint
    EXPECT_EQ(state().edit.plenumTempSetpoint(5).get(), 181);
    EXPECT_EQ(keypads::displayCelsius(181), 82);

    const struct {
        std::vector<int> digits;
        int stored;  // -1: refused
    } cases[] = {{{1, 0}, 50}, {{1, 2, 1}, 250}, {{1, 2, 2}, -1}, {{9}, -1}, {{1, 0, 0}, 212}};
    for (const auto& c : cases) {
        state().pending.plenumTempSetpoint(5).clear();
        dialog = openPlenum1();
        pressDigits(dialog, kTemperatureDigits, c.digits);
        press(dialog, kTemperatureAccept);
        const bool refused = dismissRefusal();
        EXPECT_EQ(refused, c.stored < 0) << ::testing::PrintToString(c.digits);
        EXPECT_EQ(state().pending.plenumTempSetpoint(5).raised(), !refused);
        EXPECT_EQ(state().edit.plenumTempSetpoint(5).get(), refused ? 180 : c.stored);
    }
    // The low limits of the plenum range: 1 and 4 C are refused there; with a range from 0
    // they are stored as 35 and 40 F.
    for (const auto& [digit, stored] : {std::pair{1, 35}, {4, 40}}) {
        panel_->post([this] {
            keypads::openTemperatureKeypad(owner_, state().edit.plenumTempSetpoint(5),
                                           state().pending.plenumTempSetpoint(5), {0, 180, 250},
                                           kPlenum1Name);
        });
        pressDigits(topDialog(), kTemperatureDigits, {digit});
        press(topDialog(), kTemperatureAccept);
        EXPECT_EQ(state().edit.plenumTempSetpoint(5).get(), stored);
    }
}

TEST_F(KeypadDialog, TemperatureKeypadNamesTheSetpointAndItsRangeInTheUnitsShown) {
    ui::Window dialog = openPlenum1();
    EXPECT_EQ(keypadName(dialog), "PLENUM 1 SETPOINT");
    EXPECT_EQ(keypadAbove(dialog), "RANGE 50 - 250 \u00B0F");
    pressDigits(dialog, kTemperatureDigits, {2, 5, 1});
    press(dialog, kTemperatureAccept);
    ASSERT_TRUE(dismissRefusal());
    EXPECT_EQ(refusal_, "The value entered is out of range.\nRANGE 50 - 250 \u00B0F");

    // In degrees C the range is what the keypad takes: both ends are stored, the degree beyond
    // either is refused and the refusal names the same range.
    state().unitsSetting = 1;
    const struct {
        keypads::TemperatureLimits limits;
        int low, high;
    } cases[] = {{kPlenumLimits, 10, 121}, {{100, 150, 200}, 37, 93}, {{0, 180, 250}, 0, 121}};
    for (const auto& c : cases) {
        const std::string range =
            "RANGE " + std::to_string(c.low) + " - " + std::to_string(c.high) + " \u00B0C";
        dialog = openPlenum1(c.limits);
        EXPECT_EQ(keypadAbove(dialog), range);
        press(dialog, kTemperatureCancel);
        EXPECT_FALSE(refused(c.limits, c.low)) << range;
        EXPECT_FALSE(refused(c.limits, c.high)) << range;
        EXPECT_TRUE(refused(c.limits, c.high + 1)) << range;
        EXPECT_EQ(refusal_, "The value entered is out of range.\n" + range);
        if (c.low > 0) {
            EXPECT_TRUE(refused(c.limits, c.low - 1)) << range;
        }
    }
}

TEST_F(KeypadDialog, TimeKeypadNamesTheTimerAndLabelsItsUnits) {
    ui::Window dialog = openLoadDelay();
    EXPECT_EQ(keypadName(dialog), "Load Startup Delay") << "without the caption's leading space";
    // MINUTES over the digits left of the colon, SECONDS over those right of it.
    const gfx::Rect minutes = drawnRect(dialog, "MINUTES");
    const gfx::Rect seconds = drawnRect(dialog, "SECONDS");
    EXPECT_LE(minutes.bottom, keypads::kValueBox.top);
    EXPECT_LE(seconds.bottom, keypads::kValueBox.top);
    EXPECT_GT(minutes.width(), 0);
    EXPECT_LT(minutes.right, seconds.left);
    EXPECT_TRUE(drew(dialog, "RANGE 0:01 - 10:00 MIN:SEC"));
    pressDigits(dialog, kTimerMajor, {1, 0});
    pressDigits(dialog, kTimerMinor, {0, 1});
    press(dialog, kTimerAccept);
    ASSERT_TRUE(dismissRefusal());
    EXPECT_EQ(refusal_, "The value entered is out of range.\nRANGE 0:01 - 10:00 MIN:SEC");

    // A time in hours and minutes: the staged batch's maximum batch time.
    panel_->post([this] {
        keypads::openTimerKeypad(owner_, state().edit.stagedBatchWord274(),
                                 state().pending.stagedBatchWord274(), {{0, 1}, {8, 0}, {249, 59}},
                                 {244, "MAX TIME"}, keypads::TimeUnits::HoursMinutes);
    });
    dialog = topDialog();
    EXPECT_EQ(keypadName(dialog), "MAX TIME");
    EXPECT_EQ(keypadAbove(dialog), "HOURSMINUTES");
    EXPECT_TRUE(drew(dialog, "RANGE 0:01 - 249:59 HR:MIN"));
    press(dialog, kTimerCancel);
}

TEST_F(KeypadDialog, MiscGrainKeypadIsTheTemperatureKeypadOnTheGrainSetpoint) {
    keypads::wireKeypads();
    const shell::GrainKeypadOpener* opener = shell::grainKeypadOpener();
    ASSERT_NE(opener, nullptr);
    state().status.grainHiTempSetpoint().set(120);
    state().beginEdit(state().status.grainHiTempSetpoint());
    panel_->post([this, opener] { (*opener)(shell::GrainSetpoint::GrainHi, owner_); });
    ui::Window dialog = topDialog();
    EXPECT_EQ(keypadValue(dialog), " 120 \u00B0F ");
    EXPECT_EQ(keypadName(dialog), "GRAIN HIGH TEMPERATURE SETPOINT");
    EXPECT_EQ(keypadAbove(dialog), "RANGE 50 - 160 \u00B0F");
    press(dialog, kTemperatureDefault);
    EXPECT_EQ(keypadValue(dialog), " 105 \u00B0F ");
    press(dialog, kTemperatureClear);
    pressDigits(dialog, kTemperatureDigits, {1, 6, 1});
    press(dialog, kTemperatureAccept);
    EXPECT_TRUE(dismissRefusal()) << "the grain range ends at 160 F";

    panel_->post([this, opener] { (*opener)(shell::GrainSetpoint::GrainHi, owner_); });
    pressDigits(topDialog(), kTemperatureDigits, {1, 6, 0});
    press(topDialog(), kTemperatureAccept);
    EXPECT_EQ(state().edit.grainHiTempSetpoint().get(), 160);
    EXPECT_TRUE(state().pending.grainHiTempSetpoint().raised());
    EXPECT_FALSE(state().pending.grainTempSetpoint().raised());
    shell::clearShellHooks();
}

TEST_F(KeypadDialog, LabelsComeFromTheLanguage) {
    useGerman();
    ui::Window dialog = openPlenum1();
    EXPECT_EQ(ui::windowText(dialog), "Temperatur-Sollwert ändern - 22");
    EXPECT_EQ(ui::itemText(dialog, kTemperatureAccept), "ÜBERNEHMEN");
    EXPECT_EQ(ui::itemText(dialog, kTemperatureCancel), "ABBRECHEN");
    EXPECT_EQ(keypadName(dialog), "SOLLWERT PLENUM 1");
    EXPECT_EQ(keypadAbove(dialog), "BEREICH 50 - 250 \u00B0F");
    press(dialog, kTemperatureCancel);
    dialog = openLoadDelay();
    EXPECT_EQ(ui::windowText(dialog), "ZEIT-SOLLWERT ÄNDERN - 21");
    EXPECT_TRUE(drew(dialog, "STANDARD = 01:00"));
    EXPECT_EQ(keypadName(dialog), "Befüllverzögerung beim Start");
    EXPECT_EQ(keypadAbove(dialog), "MINUTENSEKUNDEN");
    EXPECT_TRUE(drew(dialog, "BEREICH 0:01 - 10:00 MIN:SEK"));
    press(dialog, kTimerAccept);  // 2:30 lies inside; 0:00 does not
    dialog = openLoadDelay();
    pressDigits(dialog, kTimerMajor, {0});
    pressDigits(dialog, kTimerMinor, {0});
    press(dialog, kTimerAccept);
    caption_ = "WARNUNG!";
    ASSERT_TRUE(dismissRefusal("Der eingegebene Wert liegt außerhalb des Bereichs."));
    EXPECT_TRUE(refusal_.ends_with("\nBEREICH 0:01 - 10:00 MIN:SEK")) << refusal_;
}

}  // namespace
}  // namespace screentest
