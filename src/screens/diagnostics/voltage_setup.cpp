// "Meter Rolls Output Voltage Setup - 27": the slowest and fastest drive voltages of the
// metering rolls. Every step goes to the controller at once, with the test mode that makes it run
// the rolls at the value being set; leaving the dialog ends the test mode.
#include <algorithm>
#include <cstdio>
#include <string>

#include "link/dryer_state.h"
#include "platform/ui/controls.h"
#include "screens/diagnostics/pages.h"

namespace diagnostics {
namespace {

namespace ui = platform::ui;
using ui::ControlKind;

constexpr int kMinimumGroup = 1400;
constexpr int kMaximumGroup = kMinimumGroup + kVoltageMaximum;
constexpr int kRollsOnNote = 1420;

constexpr ui::DialogItem kItems[] = {
    {kMinimumGroup, ControlKind::GroupBox, "MINIMUM SPEED", 7, 3, 286, 62},
    {kVoltagePercent, ControlKind::Static, "", 15, 17, 76, 14},
    {kVoltageVolts, ControlKind::Static, "", 15, 35, 76, 14},
    {kVoltageBar, ControlKind::Progress, "", 93, 24, 112, 16},
    {kVoltageDown, ControlKind::PushButton, "DOWN", 211, 15, 38, 34},
    {kVoltageUp, ControlKind::PushButton, "UP", 252, 15, 38, 34},
    {kMaximumGroup, ControlKind::GroupBox, "MAXIMUM SPEED", 7, 70, 286, 62},
    {kVoltagePercent + kVoltageMaximum, ControlKind::Static, "", 15, 84, 76, 14},
    {kVoltageVolts + kVoltageMaximum, ControlKind::Static, "", 15, 102, 76, 14},
    {kVoltageBar + kVoltageMaximum, ControlKind::Progress, "", 93, 91, 112, 16},
    {kVoltageDown + kVoltageMaximum, ControlKind::PushButton, "DOWN", 211, 82, 38, 34},
    {kVoltageUp + kVoltageMaximum, ControlKind::PushButton, "UP", 252, 82, 38, 34},
    {kRollsOnNote, ControlKind::StaticCenter, "Meter rolls need to be on!", 7, 138, 286, 14},
    {kVoltageDefault, ControlKind::PushButton, "DEFAULT", 7, 158, 84, 26},
    {kVoltageAccept, ControlKind::PushButton, "ACCEPT", 108, 158, 84, 26},
    {kVoltageCancel, ControlKind::PushButton, "CANCEL", 209, 158, 84, 26},
};

constexpr ui::DialogTemplate kTemplate{"Meter Rolls Output Voltage Setup - 27", 300, 190, kItems};

struct Label {
    int id;
    int string;
};
constexpr Label kLabels[] = {
    {kMinimumGroup, 380},
    {kMaximumGroup, 381},
    {kRollsOnNote, 382},
    {kVoltageDown, 112},
    {kVoltageUp, 111},
    {kVoltageDown + kVoltageMaximum, 112},
    {kVoltageUp + kVoltageMaximum, 111},
    {kVoltageDefault, 55},
    {kVoltageAccept, 4},
    {kVoltageCancel, 10},
};
constexpr int kTitleString = 214;

// One of the two values: its address, its limits and the test mode that runs the rolls at it.
struct Setting {
    int address;
    int lowest;
    int highest;
    uint8_t testMode;
    int idOffset;
};
constexpr Setting kMinimum{237, 0, 64, 2, 0};
constexpr Setting kMaximum{236, 165, 255, 1, kVoltageMaximum};

constexpr uint8_t kBushelZeroRequest = 0x08;  // shares the byte; must survive the test mode
constexpr uint32_t kRepeatTimer = 1;
constexpr int kRepeatMs = 100;
constexpr int kRepeatAfterTicks = 5;

struct VoltageRun {
    int minimum = 0;
    int maximum = 0;
    int heldTicks = 0;
};

int& valueOf(VoltageRun& run, const Setting& setting) {
    return setting.address == kMinimum.address ? run.minimum : run.maximum;
}

void setTestMode(uint8_t mode) {
    auto& state = dryer::dryerState();
    const auto lock = state.hold();
    dryer::Field byte = state.edit.meterRollVoltageSetup(2);
    byte.set((byte.get() & kBushelZeroRequest) | mode);
    state.pending.meterRollVoltageSetup(2).raise();
}

void sendValue(const Setting& setting, int value) {
    auto& state = dryer::dryerState();
    const int element = setting.address - 236;
    state.edit.meterRollVoltageSetup(element).set(value);
    state.pending.meterRollVoltageSetup(element).raise();
}

std::string formatted(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void showValue(ui::Window dialog, const Setting& setting, int value) {
    ui::setItemText(dialog, kVoltagePercent + setting.idOffset,
                    formatted("%3.2f %%", value * 100.0 / 255));
    ui::setItemText(dialog, kVoltageVolts + setting.idOffset,
                    formatted("~%3.1f V", value * 10.0 / 255));
    const ui::Window bar = ui::dialogItem(dialog, kVoltageBar + setting.idOffset);
    ui::progressSetRange(bar, setting.lowest, setting.highest);
    ui::progressSetPos(bar, value);
}

void step(ui::Window dialog, VoltageRun& run, const Setting& setting, int delta) {
    int& value = valueOf(run, setting);
    value = std::clamp(value + delta, setting.lowest, setting.highest);
    showValue(dialog, setting, value);
    sendValue(setting, value);
    setTestMode(setting.testMode);
}

void defaults(ui::Window dialog, VoltageRun& run) {
    run.minimum = kMinimum.lowest;
    run.maximum = kMaximum.highest;
    for (const Setting* setting : {&kMinimum, &kMaximum}) {
        showValue(dialog, *setting, valueOf(run, *setting));
        sendValue(*setting, valueOf(run, *setting));
    }
}

void refreshTexts(ui::Window dialog) {
    setTitleString(dialog, kTitleString);
    for (const Label& label : kLabels) {
        setItemString(dialog, label.id, label.string);
    }
}

void init(ui::Window dialog, VoltageRun& run) {
    const auto& status = dryer::dryerState().status;
    run.minimum = status.at(kMinimum.address);
    run.maximum = status.at(kMaximum.address);
    for (const Setting* setting : {&kMinimum, &kMaximum}) {
        ui::progressSetStep(ui::dialogItem(dialog, kVoltageBar + setting->idOffset), 1);
        ui::setWindowFont(ui::dialogItem(dialog, kVoltagePercent + setting->idOffset),
                          platform::gfx::font(20, 700));
        ui::setWindowFont(ui::dialogItem(dialog, kVoltageVolts + setting->idOffset),
                          platform::gfx::font(17, 400));
    }
    showValue(dialog, kMinimum, run.minimum);
    showValue(dialog, kMaximum, run.maximum);
    refreshTexts(dialog);
    centreOverOwner(dialog);
    ui::setTimer(dialog, kRepeatTimer, kRepeatMs);
}

// UP and DOWN repeat every tenth of a second after being held for half a second.
void repeatHeld(ui::Window dialog, VoltageRun& run) {
    for (const Setting* setting : {&kMinimum, &kMaximum}) {
        for (int id : {kVoltageDown, kVoltageUp}) {
            if (!ui::isButtonHeld(ui::dialogItem(dialog, id + setting->idOffset))) continue;
            if (++run.heldTicks > kRepeatAfterTicks) {
                step(dialog, run, *setting, id == kVoltageUp ? 1 : -1);
            }
            return;
        }
    }
    run.heldTicks = 0;
}

void command(ui::Window dialog, VoltageRun& run, int id) {
    for (const Setting* setting : {&kMinimum, &kMaximum}) {
        if (id == kVoltageDown + setting->idOffset) step(dialog, run, *setting, -1);
        if (id == kVoltageUp + setting->idOffset) step(dialog, run, *setting, 1);
    }
    if (id == kVoltageDefault) defaults(dialog, run);
    if (id != kVoltageAccept && id != kVoltageCancel) return;
    setTestMode(0);  // what was sent stays: CANCEL does not take it back
    ui::killTimer(dialog, kRepeatTimer);
    ui::endDialog(dialog, id);
}

ui::LResult voltageProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    auto* run =
        reinterpret_cast<VoltageRun*>(message == ui::kInitDialog ? lp : ui::userData(dialog));
    switch (message) {
        case ui::kInitDialog:
            ui::setUserData(dialog, lp);
            init(dialog, *run);
            return 1;
        case ui::kPaint:
            refreshTexts(dialog);
            return 0;
        case ui::kTimer:
            repeatHeld(dialog, *run);
            return 1;
        case ui::kCommand:
            command(dialog, *run, ui::commandId(wp));
            return 1;
        default:
            return 0;
    }
}

}  // namespace

void runVoltageSetupDialog(ui::Window owner) {
    VoltageRun run;
    ui::runDialog(kTemplate, owner, voltageProc, reinterpret_cast<ui::LParam>(&run));
}

}  // namespace diagnostics
