// The plenum gauges: routine by fan/heater count, temperatures in F and C, the state words.
#include "screens/status/status_fixture.h"

namespace statustest {
namespace {

using PlenumView = StatusScreens;

TEST_F(PlenumView, TemperaturesInCelsiusTruncateTowardZero) {
    auto& s = status();
    s.fanHeaterCountCode().set(0);
    s.plenumTempSetpoint(5).set(212);
    s.plenumTemp(5).set(212);
    EXPECT_TRUE(shows(Screen::CustomView, "212 \u00B0F "));
    EXPECT_TRUE(shows(Screen::CustomView, "SP:  212 \u00B0F "));
    dryer::dryerState().unitsSetting = 1;
    EXPECT_TRUE(shows(Screen::CustomView, "100 \u00B0C "));
    EXPECT_TRUE(shows(Screen::CustomView, "SP:  100 \u00B0C "));
    s.plenumTemp(5).set(33);
    EXPECT_TRUE(shows(Screen::CustomView, "0 \u00B0C "));
    s.plenumTemp(5).set(0);
    EXPECT_TRUE(shows(Screen::CustomView, "-17 \u00B0C "));
}

TEST_F(PlenumView, RoutineFollowsTheFanHeaterCountAndABinAlwaysHasOne) {
    auto& s = status();
    const auto titles = [this] {
        std::vector<std::string> out;
        for (const std::string& t : textList(Screen::CustomView)) {
            if (t.rfind("FH #", 0) == 0 || t == "PLENUM TEMP") out.push_back(t);
        }
        return out;
    };
    using V = std::vector<std::string>;
    s.fanHeaterCountCode().set(1);
    EXPECT_EQ(titles(), (V{"FH #2", "FH #1"}));
    s.fanHeaterCountCode().set(2);
    EXPECT_EQ(titles(), (V{"FH #3", "FH #2", "FH #1"}));
    s.fanHeaterCountCode().set(3);
    EXPECT_EQ(titles(), (V{"FH #4", "FH #3", "FH #2", "FH #1"}));
    s.fanHeaterCountCode().set(4);
    EXPECT_EQ(titles(), (V{"FH #6", "FH #5", "FH #4", "FH #3", "FH #2", "FH #1"}));
    s.dryerModelFlags().set(0x20);
    EXPECT_EQ(titles(), (V{"PLENUM TEMP"}));
    s.dryerModelFlags().set(0);
    s.fanHeaterCountCode().set(5);
    EXPECT_TRUE(texts(Screen::CustomView).empty());
    EXPECT_EQ(ui::windowText(window(Screen::CustomView)), "  PLENUM(S)");
}

TEST_F(PlenumView, StateWordsTakeTheFirstRuleThatHolds) {
    auto& s = status();
    s.fanHeaterCountCode().set(0);
    const auto word = [this](std::string_view text) { return find(Screen::CustomView, text); };
    s.fanHeaterStatusD(5).set(0x41);
    ASSERT_TRUE(word("STANDBY"));
    EXPECT_EQ(word("STANDBY")->color, kBlue);
    s.fanHeaterStatusD(5).set(0x03);
    EXPECT_EQ(word("HEATING")->color, kGreen);
    s.fanHeaterStatusD(5).set(0x02);
    EXPECT_EQ(word("HIGH LIMIT")->color, kRed);
    s.fanHeaterStatusD(5).set(0);
    s.fanHeaterStatus(5).set(0x20);
    EXPECT_EQ(word("PURGE")->color, gfx::rgb(200, 100, 0));
    s.fanHeaterStatus(5).set(0x10);
    EXPECT_TRUE(word("IGNITION"));
    s.fanHeaterStatus(5).set(0x03);
    s.fanHeaterOutputs(5).set(0x02);
    EXPECT_EQ(word("FAN ONLY")->color, kBlue);
    s.fanHeaterOutputs(5).set(0x06);
    EXPECT_EQ(word("BURNER ON")->color, kRed);
    s.dryerModelFlags().set(0x22);
    EXPECT_EQ(word("FLAME ON")->color, kRed);
    s.fanHeaterOutputs(5).set(0);
    EXPECT_EQ(word("READY")->color, kGreen);
    // A word a line, centred under the gauge.
    s.dryerModelFlags().set(0);
    s.fanHeaterOutputs(5).set(0x06);
    const auto burner = word("BURNER ON");
    ASSERT_EQ(burner->lines.size(), 2u);
    EXPECT_EQ(burner->lines[0].text, "BURNER");
    EXPECT_EQ(burner->lines[1].text, "ON");
    for (const auto& l : burner->lines)
        EXPECT_NEAR((l.box.left + l.box.right) / 2.0, 75.5, 1.0);
}

TEST_F(PlenumView, BatchWithTwoSetpointsShowsHighAndLow) {
    auto& s = status();
    s.fanHeaterCountCode().set(0);
    s.dryingMode().set(1);
    s.plenumTempOptions().set(0x02);
    s.plenumTempSetpoint(5).set(200);
    s.plenumLoSetpoint().set(150);
    EXPECT_EQ(find(Screen::CustomView, "200 \u00B0F")->color, kRed);
    EXPECT_EQ(find(Screen::CustomView, " 200 \u00B0F ")->color, kRed);
    EXPECT_EQ(find(Screen::CustomView, " 150 \u00B0F ")->color, kBlue);
    s.fanHeaterStatusD(5).set(0x10);
    EXPECT_EQ(find(Screen::CustomView, "150 \u00B0F")->color, kBlue);
    // Every gauge of a larger dryer follows the same choice.
    s.fanHeaterCountCode().set(3);
    s.fanHeaterStatusD(5).set(0);
    s.plenumTempSetpoint(2).set(190);
    EXPECT_EQ(find(Screen::CustomView, "SP:  190 \u00B0F ")->color, kRed);
    EXPECT_EQ(find(Screen::CustomView, "SP:  150 \u00B0F "), std::nullopt);
}

}  // namespace
}  // namespace statustest
