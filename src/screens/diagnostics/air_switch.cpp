#include "screens/diagnostics/air_switch.h"

namespace diagnostics {
namespace {

constexpr int kTestOffBit = 2;
constexpr int kBurnerModeCount = 6;

bool anyTestOff(const dryer::DryerState& state, int first) {
    for (int i = first; i < kBurnerModeCount; ++i) {
        if (state.status.burnerMode(i).bit(kTestOffBit)) return true;
    }
    return false;
}

// Starts from the value still on its way to the controller, else from what the controller
// reports, so a byte changed by the controller since the dialog opened is not sent back stale.
void writeTestBit(dryer::DryerState& state, int i, bool off) {
    const auto lock = state.hold();
    state.beginEdit(state.status.burnerMode(i));
    state.edit.burnerMode(i).setBit(kTestOffBit, off);
    state.commitEdit(state.pending.burnerMode(i));
}

void writeInstalled(dryer::DryerState& state, bool off) {
    for (int i = firstInstalledBurnerMode(state); i < kBurnerModeCount; ++i) {
        writeTestBit(state, i, off);
    }
}

}  // namespace

int firstInstalledBurnerMode(const dryer::DryerState& state) {
    static constexpr int kFirst[] = {5, 4, 3, 2, 0};
    const int code = state.status.fanHeaterCountCode().get();
    return code >= 0 && code <= 4 ? kFirst[code] : 5;
}

AirSwitchBox airSwitchBox(const dryer::DryerState& state) {
    if (!anyTestOff(state, 0)) return AirSwitchBox::Enabled;
    if (airSwitchChangeAllowed(state) || state.status.rightBarFlags(5).bit(5)) {
        return AirSwitchBox::Disabled;
    }
    return AirSwitchBox::Repair;
}

void enableAirSwitchTesting(dryer::DryerState& state) {
    writeInstalled(state, false);
}

void disableAirSwitchTesting(dryer::DryerState& state) {
    writeInstalled(state, true);
}

bool airSwitchChangeAllowed(const dryer::DryerState& state) {
    return !state.status.fanHeaterStatusD(5).bit(3);
}

bool airSwitchTestingOffInstalled(const dryer::DryerState& state) {
    return anyTestOff(state, firstInstalledBurnerMode(state));
}

AirSwitchYes answerAirSwitchYes(dryer::DryerState& state, bool& armed) {
    if (!airSwitchChangeAllowed(state)) return AirSwitchYes::NotAllowed;
    if (airSwitchTestingOffInstalled(state)) {
        armed = false;
        enableAirSwitchTesting(state);
        return AirSwitchYes::Enabled;
    }
    if (!armed) {
        armed = true;
        return AirSwitchYes::Armed;
    }
    armed = false;
    disableAirSwitchTesting(state);
    return AirSwitchYes::Disabled;
}

}  // namespace diagnostics
