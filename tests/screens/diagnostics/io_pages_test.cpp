// The display I/O test pages and the metering-roll voltage setup, opened from the diagnostics
// dialog in the panel harness; every bit of the pages comes through the decoder.
#include <gtest/gtest.h>

#include <string>

#include "platform/ui/controls.h"
#include "screens/diagnostics/diagnostics.h"
#include "screens/diagnostics/pages.h"
#include "tests/screens/diagnostics/panel_fixture.h"

namespace diagnostics::testing {
namespace {

// The connector pins in the order the controller reports them: J1 from bit 0 of bytes 177 and
// 239 upwards, J2 from bit 7 of bytes 178 and 240 downwards.
const char* const kPins[16] = {"J1-01 SPARE", "J1-02 BURNER 6", "J1-03 FAN 6",  "J1-04 BURNER 5",
                               "J1-05 FAN 5", "J1-06 BURNER 4", "J1-07 FAN 4",  "J1-08 BURNER 3",
                               "J2-01 FAN 3", "J2-02 BURNER 2", "J2-03 FAN 2",  "J2-04 BURNER 1",
                               "J2-05 FAN 1", "J2-06 LOAD",     "J2-07 UNLOAD", "J2-08 START"};

struct SwitchRow {
    int byte;
    const char* names[8];
};
const SwitchRow kSwitches[6] = {
    {179,
     {"STOP", "UNLOAD 1 SPEED", "UNLOAD 2 SPEED", "LOAD ON", "LOAD AUTO", "FAN 1 AUTO", "FAN 1 ON",
      "SPARE #1"}},
    {180,
     {"BURNER 1 AUTO", "BURNER 1 ON", "FAN 2 AUTO", "FAN 2 ON", "BURNER 2 AUTO", "BURNER 2 ON",
      "FAN 3 AUTO", "FAN 3 ON"}},
    {181,
     {"SPARE #2", "BURNER 3 AUTO", "BURNER 3 ON", "FAN 4 AUTO", "FAN 4 ON", "BURNER 4 AUTO",
      "BURNER 4 ON", "FAN 5 AUTO"}},
    {182,
     {"BURNER 6 ON", "FAN 5 ON", "SPARE #3", "BURNER 5 AUTO", "BURNER 5 ON", "FAN 6 AUTO",
      "FAN 6 ON", "BURNER 6 AUTO"}},
    {183, {"START", "MANUAL", "AUX", "DEFAULTS", "MR PUSH BUTON", "MR LEFT", "MR RIGHT", nullptr}},
    {225, {"AUX 2", "AUX 1", "COMP", "M/C", "TOWER", "FT SERIES", "AF", "PORT"}},
};

class Pages : public DiagnosticsPanel {
  protected:
    void SetUp() override {
        DiagnosticsPanel::SetUp();
        makeOwner();
        panel_->post([this] { runDiagnosticsDialog(owner_); });
        diagnostics_ = topDialog("System Diagnostics - 14");
        ASSERT_TRUE(diagnostics_);
    }
    ui::Window openPage(int button, const char* title) {
        tapItem(diagnostics_, button);
        return topDialog(title);
    }
    // Ids of the page's check boxes that are ticked.
    std::vector<int> ticked(ui::Window page, int firstId, int lastId) {
        std::vector<int> ids;
        for (int id = firstId; id <= lastId; ++id) {
            if (ui::isItemChecked(page, id)) ids.push_back(id);
        }
        return ids;
    }

    ui::Window diagnostics_;
};

TEST_F(Pages, EveryLightOutputBitTicksItsOwnBox) {
    const ui::Window page =
        openPage(kCheckLightOutputsButton, "Display I/O Switch Light Outputs - 28");
    ASSERT_TRUE(page);
    EXPECT_TRUE(ticked(page, lightShortedBox(0), lightActivatedBox(15)).empty());
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(ui::itemText(page, lightLabel(k)), kPins[k]);
        const int bit = k < 8 ? k : 15 - k;
        const uint8_t mask = static_cast<uint8_t>(1 << bit);
        const int shorted = k < 8 ? 177 : 178;
        const int activated = k < 8 ? 239 : 240;
        receive({{shorted, mask}});
        EXPECT_EQ(ticked(page, lightShortedBox(0), lightActivatedBox(15)),
                  std::vector<int>{lightShortedBox(k)})
            << kPins[k];
        receive({{shorted, 0}, {activated, mask}});
        EXPECT_EQ(ticked(page, lightShortedBox(0), lightActivatedBox(15)),
                  std::vector<int>{lightActivatedBox(k)})
            << kPins[k];
        receive({{activated, 0}});
    }
    receive({{177, 0x06}, {240, 0x08}});  // burner and fan 6 shorted, fan 1 on
    screenshot("light-outputs-en");
    tapItem(page, lightShortedBox(1));  // a touch does not change what the controller says
    EXPECT_TRUE(ui::isItemChecked(page, lightShortedBox(1)));
    tapItem(page, kPageExitButton);
    EXPECT_FALSE(ui::isWindow(page));
    EXPECT_FALSE(dryer::dryerState().hooks.isRegistered(dryer::Window::LightOutputsDialog));
}

TEST_F(Pages, EverySwitchInputTicksItsOwnBox) {
    const ui::Window page = openPage(kCheckSwitchWiringButton, "Display I/O Switch Test - 31");
    ASSERT_TRUE(page);
    for (int b = 0; b < 6; ++b) {
        for (int bit = 0; bit < 8; ++bit) {
            const char* name = kSwitches[b].names[bit];
            if (name == nullptr) {
                EXPECT_FALSE(ui::dialogItem(page, switchBox(b, bit))) << "no input there";
                continue;
            }
            EXPECT_EQ(ui::itemText(page, switchBox(b, bit)), name);
            receive({{kSwitches[b].byte, static_cast<uint8_t>(1 << bit)}});
            EXPECT_EQ(ticked(page, switchBox(0, 0), switchBox(5, 7)),
                      std::vector<int>{switchBox(b, bit)})
                << name;
            receive({{kSwitches[b].byte, 0}});
        }
    }
    receive({{179, 0x31}, {180, 0x05}, {183, 0x20}});
    screenshot("switch-test-en");
    tapItem(page, kPageExitButton);
    EXPECT_FALSE(dryer::dryerState().hooks.isRegistered(dryer::Window::SwitchTestDialog));
}

TEST_F(Pages, VoltageStepsGoOutWithTheTestModeAndLeavingEndsIt) {
    WireTap wire;
    ASSERT_TRUE(wire.ok());
    auto& state = dryer::dryerState();
    state.status.meterRollVoltageSetup(0).set(255);
    state.status.meterRollVoltageSetup(1).set(1);
    state.status.bushelCounter().set(3600);
    state.edit.meterRollVoltageSetup(2).set(0x08);  // a bushel counter reset on its way
    const ui::Window page =
        openPage(kSetupMeteringRollsButton, "Meter Rolls Output Voltage Setup - 27");
    ASSERT_TRUE(page);
    EXPECT_EQ(ui::itemText(page, kVoltagePercent + kVoltageMaximum), "100.00 %");
    EXPECT_EQ(ui::itemText(page, kVoltageVolts + kVoltageMaximum), "~10.0 V");
    EXPECT_EQ(ui::itemText(page, kVoltagePercent), "0.39 %");
    EXPECT_EQ(ui::itemText(page, kVoltageVolts), "~0.0 V");
    EXPECT_TRUE(wire.exchange().empty()) << "opening sends nothing";

    tapItem(page, kVoltageUp + kVoltageMaximum);  // already at the top
    EXPECT_EQ(ui::itemText(page, kVoltagePercent + kVoltageMaximum), "100.00 %");
    EXPECT_EQ(describe(wire.exchange()), (std::vector<std::string>{"236=255", "238=9"}));

    tapItem(page, kVoltageDown);
    tapItem(page, kVoltageDown);  // stays at 0
    EXPECT_EQ(ui::itemText(page, kVoltagePercent), "0.00 %");
    EXPECT_EQ(ui::progressPos(ui::dialogItem(page, kVoltageBar)), 0);
    EXPECT_EQ(describe(wire.exchange()), (std::vector<std::string>{"236=255", "237=0", "238=10"}));

    tapItem(page, kVoltageDown + kVoltageMaximum);
    EXPECT_EQ(ui::itemText(page, kVoltagePercent + kVoltageMaximum), "99.61 %");
    EXPECT_EQ(ui::itemText(page, kVoltageVolts + kVoltageMaximum), "~10.0 V");
    EXPECT_EQ(ui::progressPos(ui::dialogItem(page, kVoltageBar + kVoltageMaximum)), 254);
    receive({{236, 254}, {237, 0}});
    EXPECT_EQ(describe(wire.exchange()), (std::vector<std::string>{"238=9"}));
    screenshot("voltage-setup-en");

    tapItem(page, kVoltageDefault);
    EXPECT_EQ(describe(wire.exchange()), (std::vector<std::string>{"236=255", "237=0", "238=9"}));

    tapItem(page, kVoltageCancel);
    EXPECT_FALSE(ui::isWindow(page));
    EXPECT_EQ(describe(wire.exchange()), (std::vector<std::string>{"236=255", "237=0", "238=8"}))
        << "CANCEL keeps what was sent and ends the test mode";
}

TEST_F(Pages, HeldVoltageButtonRepeatsAfterHalfASecond) {
    dryer::dryerState().status.meterRollVoltageSetup(0).set(200);
    const ui::Window page =
        openPage(kSetupMeteringRollsButton, "Meter Rolls Output Voltage Setup - 27");
    ASSERT_TRUE(page);
    const ui::Rect up = ui::screenRect(ui::dialogItem(page, kVoltageUp + kVoltageMaximum));
    const int x = (up.left + up.right) / 2;
    const int y = (up.top + up.bottom) / 2;
    panel_->pointerDown(x, y);
    panel_->advance(500);
    EXPECT_EQ(dryer::dryerState().edit.meterRollVoltageSetup(0).get(), 0);
    panel_->advance(300);
    panel_->pointerUp(x, y);  // three repeats, then the release's own step
    EXPECT_EQ(dryer::dryerState().edit.meterRollVoltageSetup(0).get(), 204);
    EXPECT_EQ(dryer::dryerState().edit.meterRollVoltageSetup(2).get(), 1);
}

}  // namespace
}  // namespace diagnostics::testing
