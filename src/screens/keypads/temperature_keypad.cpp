// The temperature keypad (dialog 101): one pad, in degrees F or, with SI units, degrees C.
#include <cstdio>
#include <string>

#include "screens/keypads/keypad_entry.h"
#include "screens/keypads/keypad_face.h"
#include "screens/keypads/keypads.h"
#include "shell/hooks.h"

namespace keypads {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr PadIds kPad{{1002, 1003, 1007, 1008, 1004, 1009, 1011, 1005, 1010, 1012}, 1006};
constexpr int kClearButton = 1015;
constexpr int kDefaultButton = 1014;
constexpr int kAcceptButton = 1013;
constexpr int kCancelButton = 1001;

constexpr int kPadX = 14;
constexpr int kSideX = 150;
constexpr int kSideWidth = 86;

constexpr ui::DialogItem kItems[] = {
    padKey(kPad, 1, kPadX),
    padKey(kPad, 2, kPadX),
    padKey(kPad, 3, kPadX),
    padKey(kPad, 4, kPadX),
    padKey(kPad, 5, kPadX),
    padKey(kPad, 6, kPadX),
    padKey(kPad, 7, kPadX),
    padKey(kPad, 8, kPadX),
    padKey(kPad, 9, kPadX),
    padKey(kPad, 0, kPadX),
    padDelete(kPad, kPadX),
    {kClearButton, ui::ControlKind::PushButton, "CLEAR", kSideX, kPadTop, kSideWidth, kKeyHeight},
    {kDefaultButton, ui::ControlKind::PushButton, "DEFAULT", kSideX, kPadTop + kKeyStepY,
     kSideWidth, kKeyHeight},
    {kAcceptButton, ui::ControlKind::PushButton, "ACCEPT", kSideX, kPadTop + 2 * kKeyStepY,
     kSideWidth, kKeyHeight},
    {kCancelButton, ui::ControlKind::PushButton, "CANCEL", kSideX, kPadTop + 3 * kKeyStepY,
     kSideWidth, kKeyHeight},
};

constexpr ui::DialogTemplate kTemperatureKeypadDialog{"Modifying Temperature Setpoint - 22", 250,
                                                      200, kItems};

// The units of this opening: the keypad works in one unit from opening to closing.
bool gCelsius = false;

// The range line above the value box.
constexpr gfx::Rect kRangeLine{kValueBox.left, 16, kValueBox.right, 36};
constexpr int kRangeHeight = 15;

// "RANGE 50 - 250 °F", or what the limits let through in whole degrees C.
std::string shownRange(const TemperatureKeypadRequest& request) {
    const ShownRange range = temperatureKeypadRange(request, gCelsius);
    return rangeText(std::to_string(range.low), std::to_string(range.high),
                     gCelsius ? "\u00B0C" : "\u00B0F");
}

void refreshLabels(ui::Window dialog) {
    ui::setWindowText(dialog, labelText(142, "Modifying Temperature Setpoint - 22"));
    ui::setItemText(dialog, kPad.deleteKey, labelText(141, "DELETE"));
    ui::setItemText(dialog, kClearButton, labelText(99, "CLEAR"));
    ui::setItemText(dialog, kDefaultButton, labelText(55, "DEFAULT"));
    ui::setItemText(dialog, kAcceptButton, labelText(4, "ACCEPT"));
    ui::setItemText(dialog, kCancelButton, labelText(10, "CANCEL"));
}

void paint(ui::Window dialog, ui::PaintContext& pc) {
    refreshLabels(dialog);
    const TemperatureKeypadRequest& request = temperatureKeypadRequest();
    char value[32];
    std::snprintf(value, sizeof value, " %03d \u00B0%c ", request.value, gCelsius ? 'C' : 'F');
    paintValue(pc.painter, value);
    paintNote(pc.painter, shownRange(request), kRangeLine, kRangeHeight);
    paintName(pc.painter, shownName(request.name), pc.client.width());
}

void initDialog(ui::Window dialog) {
    ui::centreOnOwner(dialog);
    gCelsius = dryer::dryerState().unitsSetting != 0;
    TemperatureKeypadRequest& request = temperatureKeypadRequest();
    request.value = temperatureKeypadStart(request.value, gCelsius);
    setKeyFonts(dialog, kPad);
    for (const int id : {kClearButton, kDefaultButton, kAcceptButton, kCancelButton}) {
        setButtonFont(dialog, id);
    }
    refreshLabels(dialog);
}

void accept(ui::Window dialog) {
    const TemperatureKeypadRequest& request = temperatureKeypadRequest();
    if (const auto fahrenheit = temperatureToStore(request, gCelsius)) {
        storeTemperatureKeypadValue(request, *fahrenheit);
    } else {
        refuseOutOfRange(dialog, shownRange(request));
    }
    ui::endDialog(dialog, kAcceptButton);
}

// True when the id was one of the keypad's.
bool command(ui::Window dialog, int id) {
    TemperatureKeypadRequest& request = temperatureKeypadRequest();
    if (const int digit = digitOf(kPad, id); digit >= 0) {
        temperatureKeypadKey(request, digit);
    } else if (id == kPad.deleteKey) {
        temperatureKeypadKey(request, kKeyDelete);
    } else if (id == kClearButton) {
        temperatureKeypadClear(request);
    } else if (id == kDefaultButton) {
        temperatureKeypadDefault(request, gCelsius);
    } else if (id == kAcceptButton) {
        accept(dialog);
        return true;
    } else if (id == kCancelButton) {
        ui::endDialog(dialog, kCancelButton);
        return true;
    } else {
        return false;
    }
    ui::invalidateRect(dialog, kValueBox, false);
    return true;
}

ui::LResult temperatureKeypadProc(ui::Window dialog, uint32_t message, ui::WParam wp,
                                  ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            initDialog(dialog);
            return 1;
        case ui::kPaint:
            paint(dialog, ui::paintContext(lp));
            return 1;
        case ui::kCommand:
            return command(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

void aimTemperatureKeypad(dryer::Field editTemperature, dryer::Flag flag,
                          const TemperatureLimits& limits, const KeypadName& name) {
    TemperatureKeypadRequest& request = temperatureKeypadRequest();
    request = TemperatureKeypadRequest{};
    request.value = static_cast<uint16_t>(editTemperature.get());
    request.maxValue = limits.max;
    request.minValue = limits.min;
    request.defaultValue = limits.def;
    request.target = editTemperature;
    request.sendFlag = flag;
    request.name = name;
}

// MISC's grain setpoints: the shell has already copied the controller's value into edit.
void openGrainKeypad(shell::GrainSetpoint setpoint, ui::Window owner) {
    constexpr TemperatureLimits kGrainLimits{50, 105, 160};
    auto& state = dryer::dryerState();
    switch (setpoint) {
        case shell::GrainSetpoint::Grain:
            aimTemperatureKeypad(state.edit.grainTempSetpoint(), state.pending.grainTempSetpoint(),
                                 kGrainLimits, {196, "GRAIN TEMPERATURE SETPOINT"});
            break;
        case shell::GrainSetpoint::GrainHi:
            aimTemperatureKeypad(state.edit.grainHiTempSetpoint(),
                                 state.pending.grainHiTempSetpoint(), kGrainLimits,
                                 {813, "GRAIN HIGH TEMPERATURE SETPOINT"});
            break;
        case shell::GrainSetpoint::GrainLo:
            aimTemperatureKeypad(state.edit.grainLoTempSetpoint(),
                                 state.pending.grainLoTempSetpoint(), kGrainLimits,
                                 {814, "GRAIN LOW TEMPERATURE SETPOINT"});
            break;
    }
    runTemperatureKeypad(owner);
}

}  // namespace

TemperatureKeypadRequest& temperatureKeypadRequest() {
    static TemperatureKeypadRequest request;
    return request;
}

int runTemperatureKeypad(ui::Window owner) {
    return ui::runDialog(kTemperatureKeypadDialog, owner, temperatureKeypadProc);
}

int openTemperatureKeypad(ui::Window owner, dryer::Field editTemperature, dryer::Flag flag,
                          const TemperatureLimits& limits, const KeypadName& name) {
    dryer::dryerState().beginEdit(editTemperature);
    aimTemperatureKeypad(editTemperature, flag, limits, name);
    return runTemperatureKeypad(owner);
}

void wireKeypads() {
    shell::setGrainKeypadOpener(openGrainKeypad);
}

}  // namespace keypads
