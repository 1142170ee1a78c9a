// The cycled-sampler confirmation and the moisture sensor selection of the hardware setup.
#include "i18n/dialog/dialog_texts.h"
#include "platform/ui/dialog.h"
#include "screens/setup/hardware_setup.h"
#include "screens/setup/setup_common.h"

namespace setup {
namespace {

using Kind = ui::ControlKind;

enum : int {
    kSamplerYes = 1437,
    kSamplerNo = 1438,
    kSamplerCancel = 1439,
    kSamplerText = 1436,
    kSensorAccept = 1483,
    kSensorCancel = 1484,
    kWetAnalog = 1490,
    kWetNetwork = 1491,
    kDryAnalog = 1494,
    kDryNetwork = 1495,
    kWetGroup = 1492,
    kDryGroup = 1493,
};

constexpr ui::DialogItem kSamplerItems[] = {
    {kSamplerText, Kind::Static, "", 10, 8, 190, 40, ui::kMultiLine},
    {kSamplerYes, Kind::PushButton, "Yes", 10, 56, 56, 22},
    {kSamplerNo, Kind::PushButton, "No", 77, 56, 56, 22},
    {kSamplerCancel, Kind::PushButton, "CANCEL", 144, 56, 56, 22},
};
constexpr ui::DialogTemplate kSamplerDialog{"CYCLED MOISTURE SAMPLER", 210, 86, kSamplerItems};

constexpr ui::DialogItem kSensorItems[] = {
    {kWetGroup, Kind::GroupBox, "Wet (incoming) sensor", 6, 4, 96, 46},
    {kWetAnalog, Kind::RadioButton, "Analog", 14, 16, 80, 12, ui::kGroup},
    {kWetNetwork, Kind::RadioButton, "Network", 14, 31, 80, 12},
    {kDryGroup, Kind::GroupBox, "Dry (exiting) sensor", 108, 4, 96, 46},
    {kDryAnalog, Kind::RadioButton, "Analog", 116, 16, 80, 12, ui::kGroup},
    {kDryNetwork, Kind::RadioButton, "Network", 116, 31, 80, 12},
    {kSensorAccept, Kind::PushButton, "Accept", 30, 58, 64, 20},
    {kSensorCancel, Kind::PushButton, "Cancel", 116, 58, 64, 20},
};
constexpr ui::DialogTemplate kSensorDialog{"Moisture Sensor Selection", 210, 84, kSensorItems};

void localizeSensorDialog(ui::Window dialog) {
    static constexpr i18n::ItemString kStrings[] = {
        {kWetGroup, 657},  {kWetAnalog, 659},  {kWetNetwork, 660},   {kDryGroup, 658},
        {kDryAnalog, 659}, {kDryNetwork, 660}, {kSensorAccept, 661}, {kSensorCancel, 601},
    };
    i18n::localizeDialog(dialog, kSensorDialog, 662, kStrings);
}

ui::LResult samplerProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    static constexpr ItemString kStrings[] = {
        {kSamplerText, 389}, {kSamplerYes, 134}, {kSamplerNo, 135}, {kSamplerCancel, 10}};
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog);
            ui::setWindowText(dialog, text(388));
            setItemStrings(dialog, kStrings);
            return 1;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id != kSamplerYes && id != kSamplerNo && id != kSamplerCancel) return 0;
            ui::endDialog(dialog, id);
            return 1;
        }
        default:
            return 0;
    }
}

// Bits 0-1 the wet sensor, bits 2-3 the dry one: 0 analog, 1 network.
void setSensor(int shift, int kind) {
    auto field = state().edit.moistureSensorType();
    field.set((field.get() & ~(0x03 << shift)) | (kind << shift));
}

void markSensors(ui::Window dialog) {
    const int type = state().edit.moistureSensorType().get();
    ui::checkItem(dialog, kWetAnalog, (type & 0x03) == 0);
    ui::checkItem(dialog, kWetNetwork, (type & 0x03) == 1);
    ui::checkItem(dialog, kDryAnalog, ((type >> 2) & 0x03) == 0);
    ui::checkItem(dialog, kDryNetwork, ((type >> 2) & 0x03) == 1);
}

bool sensorCommand(ui::Window dialog, int id) {
    auto& s = state();
    switch (id) {
        case kWetAnalog:
        case kWetNetwork:
            setSensor(0, id == kWetNetwork ? 1 : 0);
            break;
        case kDryAnalog:
        case kDryNetwork:
            setSensor(2, id == kDryNetwork ? 1 : 0);
            break;
        case kSensorAccept:
            raiseIfChanged(s.status.moistureSensorType(), s.edit.moistureSensorType(),
                           s.pending.moistureSensorType());
            ui::endDialog(dialog, id);
            return true;
        case kSensorCancel:
            ui::endDialog(dialog, id);
            return true;
        default:
            return false;
    }
    markSensors(dialog);
    return true;
}

ui::LResult sensorProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            state().beginEdit(state().status.moistureSensorType());
            localizeSensorDialog(dialog);
            ui::centreOnOwner(dialog);
            markSensors(dialog);
            return 1;
        case ui::kPaint:
            localizeSensorDialog(dialog);
            markSensors(dialog);
            return 0;
        case ui::kCommand:
            return sensorCommand(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace

Answer runSamplerQuestion(ui::Window owner) {
    switch (ui::runDialog(kSamplerDialog, owner, samplerProc)) {
        case kSamplerYes:
            return Answer::Yes;
        case kSamplerNo:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

void runSensorSelection(ui::Window owner) {
    ui::runDialog(kSensorDialog, owner, sensorProc);
}

}  // namespace setup
