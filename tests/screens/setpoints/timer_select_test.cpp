// The timer screen in the running shell: values from the controller, the previous load time,
// the SETUP buttons with their limits, the way back.
#include <gtest/gtest.h>

#include "screens/keypad_ids.h"
#include "screens/setpoints/screen_harness.h"

namespace screentest {
namespace {

constexpr int kLoadDelay = 34832;
constexpr int kOutOfGrain = 34833;
constexpr int kFanDelay = 34834;
constexpr int kUnloadDelay = 34835;
constexpr int kCoolDown = 34838;
constexpr int kExit = 34836;

class TimerScreen : public ScreenHarness {
  protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        start();
        pressMainButton(shell::MainButton::Timers);
        screen_ = shell::screenWindow(shell::Screen::TimerSelect);
        ASSERT_TRUE(ui::isShown(screen_));
        load_ = windowOfClass("LOAD_DELAY_CHILD_WINDOW");
        outOfGrain_ = windowOfClass("OUT_OF_GRAIN_CHILD_WINDOW");
        fan_ = windowOfClass("FAN_DELAY_CHILD_WINDOW");
        unload_ = windowOfClass("UNLOAD_DELAY_CHILD_WINDOW");
    }

    // Opens the keypad of a SETUP button, types minutes and seconds and accepts; true when the
    // keypad took the value.
    bool enter(ui::Window child, int button, std::vector<int> minutes, std::vector<int> seconds) {
        press(child, button);
        const ui::Window keypad = topDialog();
        if (!keypad) return false;
        pressDigits(keypad, kTimerMajor, minutes);
        pressDigits(keypad, kTimerMinor, seconds);
        press(keypad, kTimerAccept);
        return !dismissRefusal();
    }

    ui::Window screen_, load_, outOfGrain_, fan_, unload_;
};

TEST_F(TimerScreen, ShowsTheControllersTimersAndFollowsTheirChanges) {
    EXPECT_EQ(ui::windowText(screen_), " SELECT TIMER TO MODIFY - 01");
    EXPECT_EQ(ui::windowText(fan_), " Fan Setup");
    EXPECT_EQ(ui::windowRect(unload_), (gfx::Rect{316, 191, 630, 381}));
    receive({{31, 2}, {32, 30}, {46, 0}, {47, 3}, {269, 12}, {270, 0}, {41, 1}, {42, 5}});
    EXPECT_TRUE(drew(load_, "002 MINUTES"));
    EXPECT_TRUE(drew(load_, "30 SECONDS"));
    EXPECT_TRUE(drew(fan_, "03 SECONDS"));
    EXPECT_TRUE(drew(fan_, "012 MINUTES"));  // cool-down
    EXPECT_TRUE(drew(unload_, "05 SECONDS"));
    EXPECT_TRUE(drew(load_, "DEFAULT = 1 MINUTES"));
    EXPECT_TRUE(drew(outOfGrain_, "DEFAULT = 8 MINUTES"));
    // The explanation of the fan setup wraps within 40 characters.
    EXPECT_TRUE(drew(fan_, "FAN DELAY: pause between the start of"));
    EXPECT_TRUE(drew(fan_, "one fan and the next."));
    receive({{31, 3}, {32, 5}});
    EXPECT_TRUE(drew(load_, "003 MINUTES"));
    EXPECT_TRUE(drew(load_, "05 SECONDS"));
}

TEST_F(TimerScreen, OutOfGrainWindowShowsThePreviousLoadOnlyWithTheLoadInAuto) {
    state().previousLoadTime = 3725;
    receive({{26, 8}});
    EXPECT_TRUE(drew(outOfGrain_, "MINUTES: 062     SECONDS: 05"));
    EXPECT_FALSE(drew(outOfGrain_, "Previous Load Timer is only"));
    receive({{179, 0x08}});  // the load is not in Auto
    EXPECT_TRUE(drew(outOfGrain_, "Previous Load Timer is only"));
    EXPECT_TRUE(drew(outOfGrain_, "functional when load is in Auto"));
    EXPECT_FALSE(drew(outOfGrain_, "MINUTES: 062     SECONDS: 05"));
}

TEST_F(TimerScreen, EachSetupButtonEditsItsTimerWithinItsLimits) {
    receive({{31, 2}, {32, 0}, {26, 8}, {46, 0}, {47, 3}, {41, 1}, {42, 0}});
    EXPECT_FALSE(enter(load_, kLoadDelay, {0}, {0}));  // 0:01 at least
    EXPECT_FALSE(state().pending.loadStartupDelay().raised());
    EXPECT_TRUE(enter(load_, kLoadDelay, {1, 0}, {0}));
    EXPECT_TRUE(state().pending.loadStartupDelay().raised());
    EXPECT_EQ(state().edit.loadStartupDelay().get(), 600);

    EXPECT_TRUE(enter(outOfGrain_, kOutOfGrain, {0}, {0}));
    EXPECT_EQ(state().edit.outOfGrainTimerSetpoint().get(), 0);
    EXPECT_FALSE(enter(outOfGrain_, kOutOfGrain, {3, 0}, {1}));

    EXPECT_FALSE(enter(fan_, kFanDelay, {0}, {2, 6}));
    EXPECT_FALSE(state().pending.fanDelay().raised());
    EXPECT_TRUE(enter(fan_, kFanDelay, {0}, {2, 5}));
    EXPECT_EQ(state().edit.fanDelay().get(), 25);

    EXPECT_TRUE(enter(fan_, kCoolDown, {6, 0}, {0}));
    EXPECT_EQ(state().edit.coolDownTime().get(), 3600);
    EXPECT_FALSE(state().pending.unloadCleanoutDelay().raised());
    EXPECT_FALSE(enter(unload_, kUnloadDelay, {1, 0}, {3}));

    // The values shown stay the controller's until it reports the new ones.
    EXPECT_TRUE(drew(load_, "002 MINUTES"));
    receive({{31, 10}, {32, 0}});
    EXPECT_TRUE(drew(load_, "010 MINUTES"));
    EXPECT_FALSE(state().pending.loadStartupDelay().raised());

    // What each keypad offers as default and limits, and the timer it names.
    const struct {
        ui::Window child;
        int button;
        const char* lines[4];
        const char* name;
    } keypads[] = {
        {load_,
         kLoadDelay,
         {"DEFAULT = 01:00", "MAXIMUM = 10:00", "MINIMUM = 00:01", "RANGE 0:01 - 10:00 MIN:SEC"},
         "Load Startup Delay"},
        {outOfGrain_,
         kOutOfGrain,
         {"DEFAULT = 08:00", "MAXIMUM = 30:00", "MINIMUM = 00:00", "RANGE 0:00 - 30:00 MIN:SEC"},
         "Out of Grain Timer"},
        {fan_,
         kFanDelay,
         {"DEFAULT = 00:03", "MAXIMUM = 00:25", "MINIMUM = 00:01", "RANGE 0:01 - 0:25 MIN:SEC"},
         "FAN DELAY"},
        {fan_,
         kCoolDown,
         {"DEFAULT = 00:00", "MAXIMUM = 60:00", "MINIMUM = 00:00", "RANGE 0:00 - 60:00 MIN:SEC"},
         "COOL DOWN"},
        {unload_,
         kUnloadDelay,
         {"DEFAULT = 01:00", "MAXIMUM = 10:00", "MINIMUM = 00:00", "RANGE 0:00 - 10:00 MIN:SEC"},
         "Unload Cleanout Delay"},
    };
    for (const auto& k : keypads) {
        press(k.child, k.button);
        const ui::Window keypad = topDialog();
        for (const char* line : k.lines)
            EXPECT_TRUE(drew(keypad, line)) << k.button << ": " << line;
        EXPECT_EQ(keypadName(keypad), k.name);
        EXPECT_EQ(keypadAbove(keypad), "MINUTESSECONDS") << k.button;
        press(keypad, kTimerCancel);
    }
}

TEST_F(TimerScreen, ExitReturnsToTheMainView) {
    press(screen_, kExit);
    EXPECT_FALSE(ui::isShown(screen_));
    EXPECT_TRUE(ui::isShown(shell::screenWindow(shell::Screen::DryerPic)));
    EXPECT_TRUE(ui::isShown(shell::mainButtonWindow(shell::MainButton::Timers)));
}

TEST_F(TimerScreen, TextsInGerman) {
    useGerman();
    panel_->call([this] { ui::invalidate(screen_); });
    panel_->waitIdle();
    EXPECT_EQ(ui::windowText(screen_), " ZEIT ZUM ÄNDERN WÄHLEN - 01");
    EXPECT_EQ(ui::windowText(load_), " Befüllverzögerung beim Start");
    receive({{31, 1}});
    EXPECT_TRUE(drew(load_, "001 MINUTEN"));
    EXPECT_TRUE(drew(load_, "STANDARD = 1 MINUTEN"));
}

}  // namespace
}  // namespace screentest
