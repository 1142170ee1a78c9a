// The values written over the dryer picture, read back from what the picture window drew.
#include "screens/status/status_fixture.h"

namespace statustest {
namespace {

class PictureValues : public StatusScreens {
  protected:
    void SetUp() override {
        StatusScreens::SetUp();
        status().moduleCountCode().set(1);  // two-module tower
    }
    bool shows(std::string_view text) { return StatusScreens::shows(Screen::DryerPic, text); }
    std::optional<gfx::DrawnText> find(std::string_view text) {
        return StatusScreens::find(Screen::DryerPic, text);
    }
    // The texts drawn with their top at `top`.
    std::vector<std::string> at(int top) {
        std::vector<std::string> out;
        for (const gfx::DrawnText& t : texts(Screen::DryerPic)) {
            if (t.rect.top == top) out.push_back(t.text);
        }
        return out;
    }
};

using Texts = std::vector<std::string>;

TEST_F(PictureValues, MoistureReadingsAndTheHourlyMean) {
    auto& s = status();
    s.moistureOut().set(0);
    EXPECT_EQ(at(374), Texts{"***"});
    s.moistureOut().set(153);
    EXPECT_EQ(at(374), Texts{"15.3%"});
    s.moistureIn().set(7);
    EXPECT_EQ(at(10), Texts{"0.7%"});
    // The mean shows stars for its first 300 samples, then its tenths with the fraction dropped.
    EXPECT_EQ(at(395), Texts{"***"});
    ticks([](shell::PeriodicState& p) {
        for (int i = 0; i < 299; ++i)
            p.hourlyMoisture.add(i < 210 ? 153 : 152);
    });
    EXPECT_EQ(at(395), Texts{"***"});
    ticks([](shell::PeriodicState& p) { p.hourlyMoisture.add(152); });
    EXPECT_EQ(at(395), Texts{"15.2%"});
    EXPECT_EQ(find("15.2%")->color, kGreen);
}

TEST_F(PictureValues, BushelsUnloadAndTemperatures) {
    auto& s = status();
    s.bushelCounter().set(36000);
    s.bushelRate().set(1500);
    s.statusWord197().set(1234);
    s.grainTempOut().set(-25);
    EXPECT_TRUE(shows("TOTAL BU 10"));
    EXPECT_TRUE(shows("BU/HR 1500"));
    EXPECT_TRUE(shows("UNLOAD 123.4"));
    EXPECT_TRUE(shows("-2 \u00B0F"));
    s.grainTempOut().set(1055);
    EXPECT_TRUE(shows("105 \u00B0F"));
    dryer::dryerState().unitsSetting = 1;
    EXPECT_TRUE(shows("40 \u00B0C"));
    EXPECT_TRUE(shows("T/HR 38"));
    s.bushelCounter().set(36000 * 400);
    EXPECT_TRUE(shows("TOTAL T 101"));
    dryer::dryerState().unitsSetting = 0;
    s.meteringRollReverse().set(0x20);
    EXPECT_TRUE(shows("MR REVERSE"));
    // A bin dryer counts its unload value in hundredths.
    s.meteringRollReverse().set(0);
    s.moduleCountCode().set(0);
    s.dryerModelFlags().set(0x20);
    EXPECT_TRUE(shows("UNLOAD 12.34"));
}

TEST_F(PictureValues, MoistureControlKindStateAndRollSpeed) {
    auto& s = status();
    s.meterRollSpeed().set(45);
    s.moistureControlMode().set(0x81);  // basic, automatic
    EXPECT_TRUE(shows("TEMP"));
    EXPECT_EQ(find("AUTO HI/LO")->color, kGreen);
    s.moistureControlMode().set(0xC1);
    EXPECT_EQ(find("ON/OFF")->color, kGreen);
    s.moistureControlMode().set(0x01);
    EXPECT_EQ(find("MANUAL")->color, kRed);
    s.statusByte223().set(7);
    s.meterRollKnobSpeed(0).set(1);
    EXPECT_TRUE(shows("MR SPEED 45.7"));
    s.meterRollKnobSpeed(0).set(2);
    EXPECT_TRUE(shows("MR HIGH 45"));
    s.meterRollKnobSpeed(0).set(0);
    EXPECT_TRUE(shows("MR LOW 45"));
    s.moistureControlMode().set(0x41);
    EXPECT_TRUE(shows("MR OFF"));
    s.statusFlags280().set(0x02);
    EXPECT_TRUE(shows("AS 45"));
    s.statusFlags280().set(0);
    s.moistureControlMode().set(0x84);  // five-speed, automatic, by the controller's step
    s.statusByte220().set(3);
    EXPECT_TRUE(shows("MR HIGH- 45"));
    EXPECT_TRUE(shows("5 SPEED"));
    EXPECT_EQ(find("AUTO")->color, kGreen);
    s.dryingOptions().set(0x80);
    EXPECT_TRUE(shows("AUTO CENTER"));
    // Staged batch names the stage's criterion instead.
    s.dryingMode().set(1);
    s.plenumTempOptions().set(0x30);
    EXPECT_TRUE(shows("BATCH"));
    EXPECT_EQ(find("TIME/TEMP")->color, kGreen);
    s.batchCounter().set(12);
    EXPECT_TRUE(shows("BATCHES 12"));
}

TEST_F(PictureValues, SamplerAndSetpointLines) {
    auto& s = status();
    EXPECT_FALSE(shows("SAMPLER WAITING"));
    s.statusFlags171().set(0x08);
    EXPECT_EQ(find("SAMPLER WAITING")->color, kBlue);
    s.statusByte292().set(0x01);
    EXPECT_TRUE(shows("SAMPLER FILLING"));
    s.statusByte292().set(0x02);
    EXPECT_TRUE(shows("SAMPLING"));
    // Steered by moisture the line shows the moisture setpoint, by grain temperature the grain's.
    s.moistureSetpoint().set(155);
    s.grainTempSetpoint().set(110);
    s.moistureControlMode().set(3);
    EXPECT_TRUE(shows("SP: 15.5%"));
    s.moistureControlMode().set(1);
    EXPECT_TRUE(shows("SP: 110 \u00B0F"));
    // The single-module picture writes them shorter.
    s.moduleCountCode().set(0);
    EXPECT_TRUE(shows("SP 110\u00B0F"));
    s.moistureControlMode().set(2);
    EXPECT_TRUE(shows("SP 15.5%"));
    // The three-module tower shows both grain setpoints.
    s.moduleCountCode().set(2);
    s.grainHiTempSetpoint().set(120);
    s.grainLoTempSetpoint().set(90);
    EXPECT_TRUE(shows("GRAIN HI SP: 120 \u00B0F"));
    EXPECT_TRUE(shows("GRAIN LO SP: 90 \u00B0F"));
}

}  // namespace
}  // namespace statustest
