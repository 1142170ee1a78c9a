// The grain temperature and moisture panel: its values, labels, caption and its two buttons.
#include "platform/ui/controls.h"
#include "screens/status/status_fixture.h"

namespace statustest {
namespace {

class LineGraph : public StatusScreens {
  protected:
    void SetUp() override {
        StatusScreens::SetUp();
        panel_->call([this] { ui::showWindow(window(Screen::LineGraph), true); });
    }
    ui::Window button(int id) { return ui::childById(window(Screen::LineGraph), id); }
    // The highlighted label of a group: drawn black on its colour.
    std::vector<std::string> highlighted() {
        std::vector<std::string> out;
        for (const gfx::DrawnText& t : texts(Screen::LineGraph)) {
            if (t.color == kBlack) out.push_back(t.text);
        }
        return out;
    }
    bool shows(std::string_view text) { return StatusScreens::shows(Screen::LineGraph, text); }
};

using Texts = std::vector<std::string>;

TEST_F(LineGraph, ValuesInTenthsAndWholeDegrees) {
    auto& s = status();
    s.moistureIn().set(153);
    s.moistureOut().set(7);
    s.grainTemp(0).set(104);
    s.grainTempOut().set(-25);
    s.grainTempIn().set(655);
    EXPECT_TRUE(shows("15.3"));
    EXPECT_TRUE(shows("104"));
    EXPECT_EQ(highlighted(), (Texts{"   IN   ", " DRYER "}));
    panel_->tap(button(status::kMoistureViewCommand));
    EXPECT_TRUE(shows("0.7"));
    panel_->tap(button(status::kGrainTempViewCommand));
    EXPECT_TRUE(shows("65"));
    panel_->tap(button(status::kGrainTempViewCommand));
    EXPECT_TRUE(shows("-2"));
    EXPECT_EQ(highlighted(), (Texts{"  OUT  ", "  OUT  "}));
    panel_->tap(button(status::kGrainTempViewCommand));
    EXPECT_TRUE(shows("104"));
    EXPECT_EQ(highlighted(), (Texts{"  OUT  ", " DRYER "}));
    // A sensor choice above 2 reads the first grain temperature.
    s.grainTempSelect().set(7);
    EXPECT_TRUE(shows("104"));
}

TEST_F(LineGraph, MoistureViewTogglesOncePerPressWhateverRepaintsItMeanwhile) {
    const ui::Window moisture = button(status::kMoistureViewCommand);
    const gfx::Rect r = ui::screenRect(moisture);
    const int x = r.left + 30;
    const int y = r.top + 40;
    panel_->pointerDown(x, y);
    for (int i = 0; i < 5; ++i) {
        status().moistureIn().set(150 + i);
        repaint(Screen::LineGraph);
    }
    EXPECT_EQ(highlighted()[0], "   IN   ");
    panel_->pointerUp(x, y);
    EXPECT_EQ(highlighted()[0], "  OUT  ");
    // A press that slides off the button changes nothing.
    panel_->pointerDown(x, y);
    repaint(Screen::LineGraph);
    panel_->pointerMove(x + 200, y + 150);
    panel_->pointerUp(x + 200, y + 150);
    EXPECT_EQ(highlighted()[0], "  OUT  ");
}

TEST_F(LineGraph, CaptionNamesTheMoistureControlMode) {
    auto& s = status();
    const auto caption = [this](std::string_view text) {
        return StatusScreens::find(Screen::LineGraph, text);
    };
    s.moistureControlMode().set(0x81);
    s.operatingModeFlags().set(0x02);
    EXPECT_EQ(caption("BASIC MC : AUTO : 2SP")->color, kBlue);
    s.moistureControlMode().set(0xC1);
    EXPECT_TRUE(caption("BASIC MC : AUTO : 1SP"));
    s.moistureControlMode().set(0x03);
    EXPECT_TRUE(caption("ADVANCED MC : MANUAL"));
    s.operatingModeFlags().set(0);
    EXPECT_EQ(caption("ADVANCED MC")->color, kGreen);
    for (int mode : {0, 4, 5, 6}) {
        s.moistureControlMode().set(mode);
        EXPECT_EQ(caption("NO MC SELECTED")->color, kRed) << mode;
    }
    // The setpoints beside the values follow the kind of control.
    s.moistureControlMode().set(3);
    s.moistureSetpoint().set(162);
    EXPECT_TRUE(shows("16.2"));
    s.moistureControlMode().set(1);
    s.grainTempSetpoint().set(110);
    EXPECT_TRUE(shows("110"));
    EXPECT_FALSE(shows("16.2"));
    // The command that flips the shown automatic bit until the next frame.
    panel_->call([this] {
        ui::sendMessage(window(Screen::LineGraph), ui::kCommand,
                        ui::commandParam(status::kAutomaticToggleCommand));
    });
    s.operatingModeFlags().set(0x04);
    EXPECT_TRUE(caption("BASIC MC : AUTO : 2SP"));
}

}  // namespace
}  // namespace statustest
