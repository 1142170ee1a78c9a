// The dryer hardware setup (modules, fan/heaters, load system, fuel, length, options), with the
// cycled-sampler confirmation and the moisture sensor selection.
#include <array>

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/setup/hardware_setup.h"
#include "screens/setup/setup_common.h"
#include "screens/setup/setup_dialogs.h"
#include "shell/periodic.h"

namespace setup {
namespace {

using Kind = ui::ControlKind;

enum : int {
    kModulesGroup = 1268,
    kLoadGroup = 1267,
    kFanHeaterGroup = 1269,
    kFuelGroup = 1270,
    kLengthGroup = 1266,
    kRollSizeGroup = 1290,
    kFanHeaterSelect = 1008,
    kModulesSelect = 1009,
    kLoadSelect = 1010,
    kFuelSelect = 1011,
    kLengthSelect = 1012,
    kAcceptExit = 1013,
    kFourInchRadio = 1052,
    kSevenInchRadio = 1294,
    kInverterCheck = 1480,
    kSamplerCheck = 1481,
    kSensorSetup = 1482,
};

// Radio ids by code.
constexpr std::array<int, 3> kModuleRadios = {1056, 1055, 1054};
constexpr std::array<int, 3> kLoadRadios = {1057, 1058, 1059};
constexpr std::array<int, 5> kFanHeaterRadios = {1050, 1049, 1048, 1053, 1051};
constexpr std::array<int, 4> kFuelRadios = {1060, 1061, 1062, 1063};
constexpr std::array<int, kLengthCodes> kLengthRadios = {
    1045, 1046, 1047, 1064, 1065, 1066, 1067, 1068, 1069, 1073, 1074, 1075, 1076, 1077, 1078};

constexpr ui::DialogItem radio(int id, std::string_view label, int x, int y, int width = 70,
                               bool first = false) {
    return {id, Kind::RadioButton, label, x, y, width, 11, first ? ui::kGroup : 0u};
}

// Four code groups across the top, the length, roll size and options below.
constexpr ui::DialogItem kItems[] = {
    {kModulesGroup, Kind::GroupBox, "Number of Modules", 4, 4, 70, 108},
    radio(1056, "ONE", 10, 16, 60, true),
    radio(1055, "TWO", 10, 29, 60),
    radio(1054, "THREE", 10, 42, 60),
    {kModulesSelect, Kind::PushButton, "SELECT", 10, 88, 58, 18},
    {kLoadGroup, Kind::GroupBox, "Load System", 78, 4, 92, 108},
    radio(1059, "DUAL FILL", 84, 16, 84, true),
    radio(1058, "CENTER FILL", 84, 29, 84),
    radio(1057, "END FILL", 84, 42, 84),
    {kLoadSelect, Kind::PushButton, "SELECT", 84, 88, 80, 18},
    {kFanHeaterGroup, Kind::GroupBox, "Number of Fan/Heaters", 174, 4, 84, 108},
    radio(1051, "SIX", 180, 16, 70, true),
    radio(1053, "FOUR", 180, 29),
    radio(1048, "THREE", 180, 42),
    radio(1049, "TWO", 180, 55),
    radio(1050, "ONE", 180, 68),
    {kFanHeaterSelect, Kind::PushButton, "SELECT", 180, 88, 72, 18},
    {kFuelGroup, Kind::GroupBox, "Fuel", 262, 4, 96, 108},
    radio(1063, "DIESEL", 268, 16, 88, true),
    radio(1062, "VAPOR", 268, 29, 88),
    radio(1061, "NATURAL GAS", 268, 42, 88),
    radio(1060, "LP", 268, 55, 88),
    {kFuelSelect, Kind::PushButton, "SELECT", 268, 88, 84, 18},
    {kLengthGroup, Kind::GroupBox, "Dryer Model", 4, 116, 200, 104},
    radio(1045, "8 FT", 10, 128, 62, true),
    radio(1046, "10 FT", 10, 141, 62),
    radio(1047, "12 FT", 10, 154, 62),
    radio(1064, "14 FT", 10, 167, 62),
    radio(1065, "16 FT", 10, 180, 62),
    radio(1066, "18 FT", 74, 128, 62),
    radio(1067, "20 FT", 74, 141, 62),
    radio(1068, "22 FT", 74, 154, 62),
    radio(1069, "24 FT", 74, 167, 62),
    radio(1073, "26 FT", 74, 180, 62),
    radio(1074, "28 FT", 138, 128, 62),
    radio(1075, "34 FT", 138, 141, 62),
    radio(1076, "36 FT", 138, 154, 62),
    radio(1077, "38 FT", 138, 167, 62),
    radio(1078, "40 FT", 138, 180, 62),
    {kLengthSelect, Kind::PushButton, "SELECT", 10, 197, 72, 18},
    {kRollSizeGroup, Kind::GroupBox, "Meter Roll Size", 208, 116, 74, 46},
    radio(kFourInchRadio, "4 INCH", 214, 128, 62, true),
    radio(kSevenInchRadio, "7 INCH", 214, 141, 62),
    {kSensorSetup, Kind::PushButton, "SENSOR SETUP", 288, 122, 70, 36},
    {kInverterCheck, Kind::CheckBox, "NO GRAIN INVERTER", 208, 166, 150, 12},
    {kSamplerCheck, Kind::CheckBox, "CYCLED SAMPLER DISABLED", 208, 181, 150, 12},
    {kAcceptExit, Kind::PushButton, "ACCEPT / EXIT", 208, 198, 150, 22},
};

constexpr ui::DialogTemplate kHardwareDialog{"DRYER HARDWARE SETUP - 05 ", 362, 224, kItems};

// Labels of the length codes 0 to 10 on single-column dryers: the models of that family.
constexpr std::array<std::string_view, 11> kSingleColumnModels = {
    "SC-208", "SC-210", "SC-212", "SC-214",       "SC-216",      "SC-218",
    "SC-220", "SC-222", "SC-224", "SC-226 / 228", "SC-234 / 236"};
constexpr std::array<std::string_view, 11> kTemplateLengths = {"8 FT",  "10 FT", "12 FT", "14 FT",
                                                               "16 FT", "18 FT", "20 FT", "22 FT",
                                                               "24 FT", "26 FT", "28 FT"};

ModelFamily family() {
    return modelFamily(state().status.dryerModelFlags().get());
}

template <size_t N>
void checkCode(ui::Window dialog, const std::array<int, N>& radios, int code) {
    for (size_t i = 0; i < N; ++i)
        ui::checkItem(dialog, radios[i], static_cast<int>(i) == code);
}

template <size_t N>
void showAll(ui::Window dialog, const std::array<int, N>& ids, bool shown) {
    for (int id : ids)
        ui::showItem(dialog, id, shown);
}

void setText(ui::Window dialog, int id, std::string_view wanted) {
    if (ui::itemText(dialog, id) != wanted) ui::setItemText(dialog, id, wanted);
}

void labelLengths(ui::Window dialog) {
    const ModelFamily f = family();
    setText(dialog, kLengthGroup, text(f == ModelFamily::Tower ? 169 : 191));
    for (int code = 0; code < kLengthCodes; ++code) {
        std::string label;
        if (f == ModelFamily::Tower) {
            label = text(170 + code);
        } else if (code > 10) {
            label = text(f == ModelFamily::SingleColumn ? 147 : 181 + code - 11);
        } else {
            label = std::string(f == ModelFamily::SingleColumn ? kSingleColumnModels[code]
                                                               : kTemplateLengths[code]);
        }
        setText(dialog, kLengthRadios[code], label);
    }
}

void hideForSingleColumn(ui::Window dialog) {
    if (family() != ModelFamily::SingleColumn) return;
    for (int id : std::initializer_list<int>{kModulesGroup, kModulesSelect, kLoadGroup, kLoadSelect,
                                             kRollSizeGroup, kFourInchRadio, kSevenInchRadio, 1051,
                                             1053, 1049}) {
        ui::showItem(dialog, id, false);
    }
    showAll(dialog, kModuleRadios, false);
    showAll(dialog, kLoadRadios, false);
}

// Single-column dryers have no module count: both of their radios stay enabled.
void enableFanHeaterRadios(ui::Window dialog, int moduleCode) {
    const bool singleColumn = family() == ModelFamily::SingleColumn;
    for (int code = 0; code < 5; ++code) {
        const bool allowed = moduleCode == 0   ? code <= 2
                             : moduleCode == 1 ? (code == 2 || code == 3)
                                               : code >= 3;
        ui::enableItem(dialog, kFanHeaterRadios[code], singleColumn || allowed);
    }
}

void paintHardware(ui::Window dialog) {
    const auto& edit = state().edit;
    static constexpr ItemString kStrings[] = {
        {kModulesGroup, 150},
        {1056, 153},
        {1055, 152},
        {1054, 151},
        {kLoadGroup, 154},
        {1059, 155},
        {1058, 156},
        {1057, 157},
        {kFanHeaterGroup, 158},
        {1051, 159},
        {1053, 160},
        {1048, 161},
        {1049, 162},
        {1050, 163},
        {kFuelGroup, 164},
        {1063, 165},
        {1062, 166},
        {1061, 167},
        {1060, 168},
        {kRollSizeGroup, 185},
        {kFourInchRadio, 186},
        {kSevenInchRadio, 187},
        {kAcceptExit, 190},
        {kSensorSetup, 405},
        {kModulesSelect, 20},
        {kLoadSelect, 20},
        {kFanHeaterSelect, 20},
        {kFuelSelect, 20},
        {kLengthSelect, 20},
    };
    setItemStrings(dialog, kStrings);
    const std::string title = text(146);
    if (ui::windowText(dialog) != title) ui::setWindowText(dialog, title);
    labelLengths(dialog);
    checkCode(dialog, kModuleRadios, edit.moduleCountCode().get());
    checkCode(dialog, kLoadRadios, edit.loadSystem().get());
    checkCode(dialog, kFanHeaterRadios, edit.fanHeaterCountCode().get());
    checkCode(dialog, kFuelRadios, edit.fuelType().get());
    checkCode(dialog, kLengthRadios, edit.dryerLengthCode().get());
    const bool inverter = edit.hardwareOptions().bit(7);
    const bool sampler = edit.samplerOptions().bit(7);
    ui::checkItem(dialog, kInverterCheck, inverter);
    ui::checkItem(dialog, kSamplerCheck, sampler);
    setText(dialog, kInverterCheck, text(inverter ? 488 : 489));
    setText(dialog, kSamplerCheck, text(sampler ? 486 : 487));
    const bool fourInch = state().status.statusByte183().bit(1);
    ui::checkItem(dialog, kFourInchRadio, fourInch);
    ui::checkItem(dialog, kSevenInchRadio, !fourInch);
    enableFanHeaterRadios(dialog, edit.moduleCountCode().get());
    ui::showItem(dialog, kInverterCheck, family() != ModelFamily::SingleColumn);
    for (int id : kFuelRadios)
        fitItemText(dialog, id);
    for (int id : kLoadRadios)
        fitItemText(dialog, id);
}

void openHardware(ui::Window dialog) {
    auto& s = state();
    for (dryer::FieldSpan field : {dryer::FieldSpan{s.status.fanHeaterCountCode().offset(), 5},
                                   static_cast<dryer::FieldSpan>(s.status.samplerOptions()),
                                   static_cast<dryer::FieldSpan>(s.status.hardwareOptions())}) {
        s.beginEdit(field);
    }
    ui::centreOnOwner(dialog);
    hideForSingleColumn(dialog);
    if (family() == ModelFamily::Tower) ui::setItemText(dialog, kLengthGroup, "Dryer Length (ft)");
    paintHardware(dialog);
}

void acceptHardware() {
    auto& s = state();
    shell::periodic().setupRefreshPending = 1;
    if (s.edit.fanHeaterCountCode().get() > 0) {
        const auto hold = s.hold();
        s.beginEdit(s.status.plenumTempOptions());
        s.edit.plenumTempOptions().setBit(1, false);
        s.commitEdit(s.pending.plenumTempOptions());
    }
    raiseIfChanged(s.status.fanHeaterCountCode(), s.edit.fanHeaterCountCode(),
                   s.pending.fanHeaterCountCode());
    raiseIfChanged(s.status.moduleCountCode(), s.edit.moduleCountCode(),
                   s.pending.moduleCountCode());
    raiseIfChanged(s.status.fuelType(), s.edit.fuelType(), s.pending.fuelType());
    raiseIfChanged(s.status.loadSystem(), s.edit.loadSystem(), s.pending.loadSystem());
    raiseIfChanged(s.status.dryerLengthCode(), s.edit.dryerLengthCode(),
                   s.pending.dryerLengthCode());
    raiseIfChanged(s.status.samplerOptions(), s.edit.samplerOptions(), s.pending.samplerOptions());
    raiseIfChanged(s.status.hardwareOptions(), s.edit.hardwareOptions(),
                   s.pending.hardwareOptions());
}

void stepCode(dryer::Field field, int count) {
    field.set((field.get() + 1) % count);
}

void toggleSampler(ui::Window dialog) {
    auto& edit = state().edit;
    if (edit.samplerOptions().bit(7)) {
        edit.samplerOptions().setBit(7, false);
    } else if (const Answer answer = runSamplerQuestion(dialog); answer != Answer::Cancel) {
        edit.samplerOptions().setBit(7, answer == Answer::Yes);
    }
}

// True when the command was one of the dialog's own buttons.
bool hardwareCommand(ui::Window dialog, int id) {
    auto& edit = state().edit;
    switch (id) {
        case kFanHeaterSelect:
            edit.fanHeaterCountCode().set(nextFanHeaterCode(family(), edit.moduleCountCode().get(),
                                                            edit.fanHeaterCountCode().get()));
            return true;
        case kModulesSelect: {
            const int modules = (edit.moduleCountCode().get() + 1) % 3;
            edit.moduleCountCode().set(modules);
            edit.fanHeaterCountCode().set(
                fanHeaterCodeForModules(modules, edit.fanHeaterCountCode().get()));
            return true;
        }
        case kLoadSelect:
            stepCode(edit.loadSystem(), 3);
            return true;
        case kFuelSelect:
            stepCode(edit.fuelType(), 4);
            return true;
        case kLengthSelect:
            stepCode(edit.dryerLengthCode(), kLengthCodes);
            return true;
        case kInverterCheck:
            edit.hardwareOptions().setBit(7, !edit.hardwareOptions().bit(7));
            return true;
        case kSamplerCheck:
            toggleSampler(dialog);
            return true;
        case kSensorSetup:
            runSensorSelection(dialog);
            return true;
        default:
            return false;  // a radio pressed: the paint puts the marks back on the codes
    }
}

ui::LResult hardwareProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            openHardware(dialog);
            return 1;
        case ui::kPaint:
            paintHardware(dialog);
            return 0;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id == kAcceptExit) {
                acceptHardware();
                ui::endDialog(dialog, id);
                return 1;
            }
            hardwareCommand(dialog, id);
            ui::invalidate(dialog, false);
            return 1;
        }
        default:
            return 0;
    }
}

}  // namespace

ModelFamily modelFamily(int dryerModelFlags) {
    switch (dryerModelFlags & 0xF0) {
        case 0x20:
            return ModelFamily::SingleColumn;
        case 0x80:
            return ModelFamily::Tower;
        default:
            return ModelFamily::Other;
    }
}

int nextFanHeaterCode(ModelFamily family, int moduleCode, int code) {
    if (family == ModelFamily::SingleColumn) return code == 0 ? 2 : 0;
    switch (moduleCode) {
        case 0:
            return code >= 0 && code < 2 ? code + 1 : 0;
        case 1:
            return code == 2 ? 3 : 2;
        default:
            return code == 3 ? 4 : 3;
    }
}

int fanHeaterCodeForModules(int moduleCode, int code) {
    if (moduleCode == 2 && code < 3) return 3;
    if (moduleCode == 1 && (code < 2 || code > 3)) return 2;
    if (moduleCode == 0 && code > 2) return 2;
    return code;
}

void runHardwareSetup(ui::Window owner) {
    ui::runDialog(kHardwareDialog, owner, hardwareProc);
}

}  // namespace setup
