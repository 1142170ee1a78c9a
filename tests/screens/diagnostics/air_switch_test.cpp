// The air-switch test rules over the dryer record: which box the diagnostics dialog shows, which
// fan/heaters a change touches, and the two-step Yes of the air-switch question.
#include "screens/diagnostics/air_switch.h"

#include <gtest/gtest.h>

#include <set>

#include "link/dryer_state.h"

namespace diagnostics {
namespace {

class AirSwitch : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int offset = 0; offset < dryer::kStatusFrameSize; ++offset) {
            state.status.setAt(offset, 0);
            state.edit.setAt(offset, 0);
        }
        for (int record = 1; record <= dryer::kCommandRecordCount; ++record)
            state.pending.record(record).clear();
    }

    // Offsets 101 to 106 whose pending flag is raised.
    std::set<int> raisedBurnerModes() const {
        std::set<int> raised;
        for (int i = 0; i < 6; ++i) {
            if (state.pending.burnerMode(i).raised()) raised.insert(101 + i);
        }
        return raised;
    }

    void allowChange(bool allowed) { state.status.fanHeaterStatusD(5).setBit(3, !allowed); }

    dryer::DryerState state;
};

TEST_F(AirSwitch, BoxFollowsTheBurnerModesAndTheControllersPermission) {
    state.status.fanHeaterCountCode().set(4);
    for (int i = 0; i < 6; ++i)
        state.status.burnerMode(i).set(0xFB);  // every bit but the test bit
    EXPECT_EQ(airSwitchBox(state), AirSwitchBox::Enabled);

    state.status.burnerMode(2).set(0x04);  // fan/heater 4 has the test off
    allowChange(true);
    EXPECT_EQ(airSwitchBox(state), AirSwitchBox::Disabled);
    allowChange(false);
    EXPECT_EQ(airSwitchBox(state), AirSwitchBox::Repair);
    state.status.rightBarFlags(5).setBit(5, true);  // held off whatever byte 148 says
    EXPECT_EQ(airSwitchBox(state), AirSwitchBox::Disabled);
    state.status.rightBarFlags(4).setBit(5, true);
    state.status.rightBarFlags(5).setBit(5, false);
    EXPECT_EQ(airSwitchBox(state), AirSwitchBox::Repair) << "only byte 118 counts";
}

TEST_F(AirSwitch, ChangesTouchOnlyTheInstalledFanHeaters) {
    const std::pair<int, std::set<int>> cases[] = {
        {0, {106}},
        {1, {105, 106}},
        {2, {104, 105, 106}},
        {3, {103, 104, 105, 106}},
        {4, {101, 102, 103, 104, 105, 106}},
        {9, {106}},  // a code the controller does not send: fan/heater 1 only
    };
    for (const auto& [code, offsets] : cases) {
        SetUp();
        state.status.fanHeaterCountCode().set(code);
        for (int i = 0; i < 6; ++i)
            state.status.burnerMode(i).set(0x41);
        disableAirSwitchTesting(state);
        EXPECT_EQ(raisedBurnerModes(), offsets) << "code " << code;
        for (int i = 0; i < 6; ++i) {
            const bool installed = offsets.count(101 + i) == 1;
            EXPECT_EQ(state.edit.burnerMode(i).get(), installed ? 0x45 : 0) << "code " << code;
        }
    }
}

TEST_F(AirSwitch, ChangeStartsFromTheControllersValueUnlessOneIsOnItsWay) {
    state.status.fanHeaterCountCode().set(1);
    state.edit.burnerMode(4).set(0x01);  // copied long ago; the controller has moved on
    state.status.burnerMode(4).set(0x03);
    state.status.burnerMode(5).set(0x07);
    state.edit.burnerMode(5).set(0x27);  // the burner mode dialog's change, not yet confirmed
    state.pending.burnerMode(5).raise();

    enableAirSwitchTesting(state);
    EXPECT_EQ(state.edit.burnerMode(4).get(), 0x03);
    EXPECT_EQ(state.edit.burnerMode(5).get(), 0x23);
}

TEST_F(AirSwitch, OneYesArmsTheSecondTurnsTestingOff) {
    state.status.fanHeaterCountCode().set(1);
    state.status.burnerMode(0).set(0x04);  // not installed: does not count
    bool armed = false;

    EXPECT_EQ(answerAirSwitchYes(state, armed), AirSwitchYes::Armed);
    EXPECT_TRUE(armed);
    EXPECT_TRUE(raisedBurnerModes().empty()) << "one Yes sends nothing";
    EXPECT_EQ(state.edit.burnerMode(4).get(), 0);

    EXPECT_EQ(answerAirSwitchYes(state, armed), AirSwitchYes::Disabled);
    EXPECT_FALSE(armed);
    EXPECT_EQ(raisedBurnerModes(), (std::set<int>{105, 106}));
    EXPECT_EQ(state.edit.burnerMode(4).get(), 0x04);
    EXPECT_EQ(state.edit.burnerMode(5).get(), 0x04);
}

TEST_F(AirSwitch, YesTurnsTestingBackOnAtOnceAndDoesNothingWhileNotAllowed) {
    state.status.fanHeaterCountCode().set(1);
    state.status.burnerMode(5).set(0x05);
    bool armed = true;
    allowChange(false);
    EXPECT_EQ(answerAirSwitchYes(state, armed), AirSwitchYes::NotAllowed);
    EXPECT_TRUE(raisedBurnerModes().empty());

    allowChange(true);
    EXPECT_EQ(answerAirSwitchYes(state, armed), AirSwitchYes::Enabled);
    EXPECT_FALSE(armed);
    EXPECT_EQ(raisedBurnerModes(), (std::set<int>{105, 106}));
    EXPECT_EQ(state.edit.burnerMode(5).get(), 0x01);
}

}  // namespace
}  // namespace diagnostics
