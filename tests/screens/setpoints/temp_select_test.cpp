// The temperature setpoint screen in the running shell: which SETUP buttons and values show for
// the dryer's configuration, what each button edits, the units, the way back.
#include <gtest/gtest.h>

#include <map>

#include "screens/keypad_ids.h"
#include "screens/setpoints/screen_harness.h"

namespace screentest {
namespace {

constexpr int kPlenum[] = {0, 34853, 34852, 34851, 34850, 34849, 34848};  // by plenum number
constexpr int kPlenumLow = 36969;
constexpr int kPlenumHigh = 36970;
constexpr int kPlenum2Low = 36971;
constexpr int kPlenum2High = 36972;
constexpr int kGrain = 34854;
constexpr int kGrainHigh = 36966;
constexpr int kGrainLow = 36967;
constexpr int kExit = 34837;

// Status frame offsets.
constexpr int kFanHeaterCode = 3;
constexpr int kDryingMode = 8;
constexpr int kModelFlags = 225;
constexpr int kPlenumOptions = 257;
constexpr int kUserSettings = 266;

class TempScreen : public ScreenHarness {
  protected:
    void SetUp() override {
        ScreenHarness::SetUp();
        start();
        // Plenum n at 180 + n, the low ones at 150 and 151, grain 110, high 120, low 100.
        std::vector<std::pair<int, uint8_t>> values;
        for (int n = 1; n <= 6; ++n)
            values.push_back({59 + 2 * (6 - n), static_cast<uint8_t>(180 + n)});
        values.insert(values.end(), {{260, 150}, {258, 151}, {149, 110}, {151, 120}, {153, 100}});
        receive(values);
        pressMainButton(shell::MainButton::Temps);
        screen_ = shell::screenWindow(shell::Screen::TempSelect);
        ASSERT_TRUE(ui::isShown(screen_));
        plenum_ = windowOfClass("PLENUM_SETPOINT_CHILD_WINDOW");
        grain_ = windowOfClass("GRAIN_TEMP_SETPOINT_CHILD_WINDOW");
    }

    // The SETUP buttons of the plenum window that show, by id.
    std::vector<int> plenumButtons() {
        std::vector<int> ids;
        for (const int id : {kPlenum[1], kPlenum[2], kPlenum[3], kPlenum[4], kPlenum[5], kPlenum[6],
                             kPlenumLow, kPlenumHigh, kPlenum2Low, kPlenum2High}) {
            if (shown(plenum_, id)) ids.push_back(id);
        }
        return ids;
    }

    std::string drawnAt(ui::Window window, int x, int y) {
        for (const gfx::DrawnText& t : panel_->texts(window)) {
            if (t.rect.left == x && t.rect.top == y) return t.text;
        }
        return "";
    }

    ui::Window screen_, plenum_, grain_;
};

TEST_F(TempScreen, PlenumButtonsAndValuesFollowTheFanHeaterCount) {
    // The simulator's dryer and the record here start with code 0: one fan/heater.
    EXPECT_EQ(plenumButtons(), (std::vector<int>{kPlenum[1]}));
    EXPECT_EQ(drawnAt(plenum_, 180, 140), " 181 \u00B0F ");
    EXPECT_EQ(drawnAt(plenum_, 180, 75), "");

    receive({{kFanHeaterCode, 4}});  // six
    EXPECT_EQ(plenumButtons(), (std::vector<int>{kPlenum[1], kPlenum[2], kPlenum[3], kPlenum[4],
                                                 kPlenum[5], kPlenum[6]}));
    const std::map<int, std::pair<int, int>> where = {{1, {180, 140}}, {2, {180, 75}},
                                                      {3, {180, 10}},  {4, {500, 140}},
                                                      {5, {500, 75}},  {6, {500, 10}}};
    for (const auto& [n, at] : where) {
        EXPECT_EQ(drawnAt(plenum_, at.first, at.second),
                  " " + std::to_string(180 + n) + " \u00B0F ")
            << "plenum " << n;
    }

    receive({{kFanHeaterCode, 3}});  // four: plenums 5 and 6 go, and their ids do nothing
    EXPECT_EQ(plenumButtons(), (std::vector<int>{kPlenum[1], kPlenum[2], kPlenum[3], kPlenum[4]}));
    EXPECT_EQ(drawnAt(plenum_, 500, 10), "");
    for (const int id : {kPlenum[5], kPlenum[6]}) {
        command(plenum_, id);
        EXPECT_FALSE(topDialog()) << id;
    }
    command(plenum_, kPlenum[4]);
    ASSERT_TRUE(topDialog());
    EXPECT_EQ(keypadValue(topDialog()), " 184 \u00B0F ");
    press(topDialog(), kTemperatureCancel);
}

TEST_F(TempScreen, SinglePlenumModelAndDualPlenumLayouts) {
    receive({{kFanHeaterCode, 4}, {kModelFlags, 0x20}});
    // Continuous flow on the single-plenum model: no plenums 2 and 3, no values beyond plenum 1.
    EXPECT_EQ(plenumButtons(), (std::vector<int>{kPlenum[1], kPlenum[4], kPlenum[5], kPlenum[6]}));
    EXPECT_EQ(drawnAt(plenum_, 180, 140), " 181 \u00B0F ");
    for (const auto& [x, y] : {std::pair{180, 75}, {180, 10}, {500, 140}, {500, 75}, {500, 10}})
        EXPECT_EQ(drawnAt(plenum_, x, y), "") << x << "," << y;

    receive({{kDryingMode, 1}});  // staged batch shows plenums 2 and 3 whatever the model
    EXPECT_EQ(plenumButtons(), (std::vector<int>{kPlenum[1], kPlenum[2], kPlenum[3], kPlenum[4],
                                                 kPlenum[5], kPlenum[6]}));

    receive({{kModelFlags, 0}, {kPlenumOptions, 0x02}});  // dual plenum temperatures
    EXPECT_EQ(plenumButtons(),
              (std::vector<int>{kPlenumLow, kPlenumHigh, kPlenum2Low, kPlenum2High}));
    EXPECT_EQ(drawnAt(plenum_, 180, 140), " 150 \u00B0F ");
    EXPECT_EQ(drawnAt(plenum_, 180, 75), " 181 \u00B0F ");
    EXPECT_EQ(drawnAt(plenum_, 500, 140), " 151 \u00B0F ");
    EXPECT_EQ(drawnAt(plenum_, 500, 75), " 182 \u00B0F ");
    EXPECT_EQ(drawnAt(plenum_, 500, 10), "") << "no plenum 6 without its button";
    EXPECT_FALSE(shown(grain_, kGrain));
    EXPECT_TRUE(shown(grain_, kGrainHigh));
    EXPECT_TRUE(shown(grain_, kGrainLow));
    EXPECT_EQ(drawnAt(grain_, 200, 25), " 120 \u00B0F ");
    EXPECT_EQ(drawnAt(grain_, 200, 75), " 100 \u00B0F ");

    // The pairs edit their own setpoints.
    const struct {
        int button;
        int address;
        const char* start;
        const char* name;
    } pairs[] = {{kPlenumLow, 260, " 150 \u00B0F ", "PLENUM 1 LOW SETPOINT"},
                 {kPlenumHigh, 69, " 181 \u00B0F ", "PLENUM 1 HIGH SETPOINT"},
                 {kPlenum2Low, 258, " 151 \u00B0F ", "PLENUM 2 LOW SETPOINT"},
                 {kPlenum2High, 67, " 182 \u00B0F ", "PLENUM 2 HIGH SETPOINT"},
                 {kGrainHigh, 151, " 120 \u00B0F ", "GRAIN HIGH TEMPERATURE SETPOINT"},
                 {kGrainLow, 153, " 100 \u00B0F ", "GRAIN LOW TEMPERATURE SETPOINT"}};
    for (const auto& pair : pairs) {
        const ui::Window child = pair.address >= 149 && pair.address <= 153 ? grain_ : plenum_;
        press(child, pair.button);
        EXPECT_EQ(keypadValue(topDialog()), pair.start) << pair.button;
        EXPECT_EQ(keypadName(topDialog()), pair.name);
        pressDigits(topDialog(), kTemperatureDigits, {1, 7, 5});
        press(topDialog(), kTemperatureAccept);
        EXPECT_EQ(state().edit.at(pair.address), 175) << pair.button;
    }
    EXPECT_TRUE(state().pending.plenumLoSetpoint().raised());
    EXPECT_TRUE(state().pending.plenum2LoSetpoint().raised());
    EXPECT_TRUE(state().pending.grainLoTempSetpoint().raised());

    // Another drying mode keeps the buttons as they were.
    receive({{kDryingMode, 2}, {kPlenumOptions, 0}});
    EXPECT_EQ(plenumButtons(),
              (std::vector<int>{kPlenumLow, kPlenumHigh, kPlenum2Low, kPlenum2High}));
}

TEST_F(TempScreen, GrainButtonEditsTheGrainHighTemperatureInDryingModeThree) {
    EXPECT_TRUE(drew(grain_, "GRAIN TEMPERATURE SETPOINT"));
    EXPECT_EQ(drawnAt(grain_, 200, 42), " 110 \u00B0F ");
    press(grain_, kGrain);
    EXPECT_EQ(keypadName(topDialog()), "GRAIN TEMPERATURE SETPOINT");
    EXPECT_EQ(keypadAbove(topDialog()), "RANGE 50 - 160 \u00B0F");
    press(topDialog(), kTemperatureDefault);
    EXPECT_EQ(keypadValue(topDialog()), " 105 \u00B0F ");
    press(topDialog(), kTemperatureClear);
    pressDigits(topDialog(), kTemperatureDigits, {1, 6, 1});
    press(topDialog(), kTemperatureAccept);
    EXPECT_TRUE(dismissRefusal()) << "grain temperature up to 160 F";

    receive({{kDryingMode, 3}});
    EXPECT_EQ(drawnAt(grain_, 200, 42), " 120 \u00B0F ") << "the value the button edits";
    press(grain_, kGrain);
    EXPECT_EQ(keypadValue(topDialog()), " 120 \u00B0F ");
    EXPECT_EQ(keypadName(topDialog()), "GRAIN HIGH TEMPERATURE SETPOINT");
    EXPECT_EQ(keypadAbove(topDialog()), "RANGE 50 - 180 \u00B0F");
    pressDigits(topDialog(), kTemperatureDigits, {1, 8, 0});
    press(topDialog(), kTemperatureAccept);
    EXPECT_FALSE(dismissRefusal()) << "grain high temperature up to 180 F";
    EXPECT_EQ(state().edit.grainHiTempSetpoint().get(), 180);
    EXPECT_TRUE(state().pending.grainHiTempSetpoint().raised());
    EXPECT_FALSE(state().pending.grainTempSetpoint().raised());
}

TEST_F(TempScreen, SiUnitsShowDegreesCAndTheKeypadTakesThem) {
    receive({{kUserSettings, 0x80}, {69, 180}});
    EXPECT_EQ(drawnAt(plenum_, 180, 140), "  82 \u00B0C ");
    EXPECT_TRUE(drew(grain_, "The dryer holds the discharged grain at"));
    press(plenum_, kPlenum[1]);
    EXPECT_EQ(keypadValue(topDialog()), " 082 \u00B0C ");
    EXPECT_EQ(keypadAbove(topDialog()), "RANGE 10 - 121 \u00B0C");
    pressDigits(topDialog(), kTemperatureDigits, {1, 2, 1});
    press(topDialog(), kTemperatureAccept);
    EXPECT_FALSE(dismissRefusal());
    EXPECT_EQ(state().edit.plenumTempSetpoint(5).get(), 250) << "121 C, within 250 F";
    receive({{69, 250}});
    EXPECT_EQ(drawnAt(plenum_, 180, 140), " 121 \u00B0C ");
    EXPECT_FALSE(state().pending.plenumTempSetpoint(5).raised());
}

TEST_F(TempScreen, ExitGoesBackToWhereTheScreenWasOpenedFrom) {
    EXPECT_EQ(ui::windowText(screen_), " SELECT TEMPERATURE SETPOINT TO MODIFY - 02");
    press(screen_, kExit);
    EXPECT_FALSE(ui::isShown(screen_));
    EXPECT_TRUE(ui::isShown(shell::screenWindow(shell::Screen::DryerPic)));

    // Opened from the auto-start configuration, which wants the operator back.
    const ui::Window autoStart = shell::screenWindow(shell::Screen::AutoStartConfig);
    bool wanted = true;
    setpoints::setTemperatureScreenExitToAutoStart([&wanted, autoStart] {
        if (wanted) ui::showWindow(autoStart, true);
        return wanted;
    });
    panel_->call([this, autoStart] {
        shell::environment().setVisible(shell::Screen::DryerPic, false);
        ui::showWindow(autoStart, true);
        ui::showWindow(autoStart, false);
        ui::showWindow(screen_, true);
    });
    press(screen_, kExit);
    EXPECT_TRUE(ui::isShown(autoStart));
    EXPECT_FALSE(ui::isShown(screen_));
    EXPECT_FALSE(ui::isShown(shell::screenWindow(shell::Screen::DryerPic)));

    wanted = false;
    panel_->call([this, autoStart] {
        ui::showWindow(autoStart, false);
        ui::showWindow(screen_, true);
    });
    press(screen_, kExit);
    EXPECT_TRUE(ui::isShown(shell::screenWindow(shell::Screen::DryerPic)));
}

}  // namespace
}  // namespace screentest
