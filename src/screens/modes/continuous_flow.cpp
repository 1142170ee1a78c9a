// "CONTINUOUS FLOW SETUP": the control scheme (temperature or moisture based, 2-speed, 5-speed
// or variable), auto centering, the upper moisture sensor and the maximum grain temperature.
#include <algorithm>

#include "i18n/language.h"
#include "platform/ui/controls.h"
#include "screens/keypads/keypads.h"
#include "screens/modes/modes_common.h"
#include "screens/modes/modes_dialogs.h"
#include "shell/hooks.h"

namespace modes {
namespace {

using Kind = ui::ControlKind;

enum : int {
    kTemperatureButton = 1308,
    kMoistureButton = 1309,
    kTemperatureRadio = 1310,
    kMoistureRadio = 1311,
    kTwoSpeedButton = 1312,
    kTempFiveSpeedButton = 1313,
    kVariableButton = 1314,
    kMoistFiveSpeedButton = 1315,
    kTwoSpeedRadio = 1046,
    kTempFiveSpeedRadio = 1047,
    kVariableRadio = 1048,
    kMoistFiveSpeedRadio = 1050,
    kTempGroup = 1320,
    kMoistGroup = 1321,
    kFiveSpeedGroup = 1322,
    kAutoCentering = 1316,
    kAutoCenteringRadio = 1051,
    kFiveSpeedSetup = 1317,
    kSensorGroup = 1335,
    kSensorSelect = 1333,
    kSensorEnabled = 1334,
    kSensorDisabled = 1049,
    kSafetyGroup = 1336,
    kDisable = 1326,
    kMaxGrainTemp = 1325,
    kMaxGrainTempField = 1330,
};

// Control schemes: bits 0 to 2 of moistureControlMode.
enum Scheme : int {
    kTempTwoSpeed = 1,
    kMoistVariable = 3,
    kMoistFiveSpeed = 4,
    kTempFiveSpeed = 5,
};
constexpr uint8_t kSchemeBits = 0x07;

constexpr int kBracketedSetupDialog = 435;
constexpr int kRaise = 20;
constexpr size_t kCriteriaHelpBytes = 2998;
constexpr keypads::TemperatureLimits kGrainTempLimits{100, 150, 200};
// userSettings: the safety limits on, the maximum grain temperature limit active.
constexpr int kSafetyBit = 5;
constexpr int kGrainTempLimitBit = 4;
// dryingOptions: upper moisture sensor disabled, auto centering enabled.
constexpr int kSensorDisabledBit = 0;
constexpr int kAutoCenteringBit = 7;

constexpr ui::DialogItem mark(int id, int x, int y) {
    return {id, Kind::RadioButton, "", x, y, 12, 12};
}

constexpr ui::DialogItem kItems[] = {
    {kTemperatureButton, Kind::PushButton, "TEMPERATURE", 10, 6, 110, 18},
    mark(kTemperatureRadio, 126, 9),
    {kMoistureButton, Kind::PushButton, "MOISTURE", 186, 6, 110, 18},
    mark(kMoistureRadio, 302, 9),
    {kTempGroup, Kind::GroupBox, "Temp Based Options", 4, 28, 170, 52},
    {kTwoSpeedButton, Kind::PushButton, "2 SPEED", 10, 40, 90, 15},
    mark(kTwoSpeedRadio, 106, 41),
    {kTempFiveSpeedButton, Kind::PushButton, "5 SPEED", 10, 59, 90, 15},
    mark(kTempFiveSpeedRadio, 106, 60),
    {kMoistGroup, Kind::GroupBox, "Moisture Based Options", 180, 28, 170, 52},
    {kVariableButton, Kind::PushButton, "VARIABLE", 186, 40, 90, 15},
    mark(kVariableRadio, 282, 41),
    {kMoistFiveSpeedButton, Kind::PushButton, "5 SPEED", 186, 59, 90, 15},
    mark(kMoistFiveSpeedRadio, 282, 60),
    {kFiveSpeedGroup, Kind::GroupBox, "5 Speed Setup", 4, 84, 170, 52},
    {kAutoCentering, Kind::PushButton, "AUTO CENTERING", 10, 96, 90, 15},
    {kAutoCenteringRadio, Kind::RadioButton, "ENABLED", 106, 97, 64, 12},
    {kFiveSpeedSetup, Kind::PushButton, "5 SPEED SETUP", 10, 115, 90, 15},
    {kSensorGroup, Kind::GroupBox, "Upper Moisture Sensor", 180, 84, 170, 52},
    {kSensorSelect, Kind::PushButton, "SELECT", 186, 96, 70, 34},
    {kSensorEnabled, Kind::RadioButton, "ENABLED", 262, 99, 84, 12, ui::kGroup},
    {kSensorDisabled, Kind::RadioButton, "DISABLED", 262, 115, 84, 12},
    {kSafetyGroup, Kind::GroupBox, "Safety Parameters", 4, 140, 250, 46},
    {kDisable, Kind::PushButton, "DISABLE", 10, 152, 76, 28},
    {kMaxGrainTemp, Kind::PushButton, "MAX GRAIN TEMP", 92, 152, 90, 28},
    {kMaxGrainTempField, Kind::Edit, "", 188, 158, 60, 16},
    {kHelp, Kind::PushButton, "HELP", 262, 144, 88, 18},
    {kAccept, Kind::PushButton, "ACCEPT", 262, 166, 88, 20},
};

constexpr ui::DialogTemplate kDialog{"CONTINUOUS FLOW SETUP", 354, 190, kItems};

ByteEdits& edits() {
    static ByteEdits instance;
    return instance;
}

int scheme() {
    return state().edit.moistureControlMode().get() & kSchemeBits;
}

bool validScheme(int value) {
    return value == kTempTwoSpeed || value == kMoistVariable || value == kMoistFiveSpeed ||
           value == kTempFiveSpeed;
}

// A new scheme in bits 0 to 2; the controller's other bits go back as they are. Sent at once.
void setScheme(int value) {
    edits().change(controlModeRecord(), static_cast<uint8_t>(value), kSchemeBits & ~value);
    state().commitEdit(state().pending.moistureControlMode());
}

void enableAll(ui::Window dialog, std::initializer_list<int> ids, bool enable) {
    for (int id : ids)
        ui::enableItem(dialog, id, enable);
}

void checkAll(ui::Window dialog, std::initializer_list<int> ids, std::initializer_list<int> on) {
    for (int id : ids)
        ui::checkItem(dialog, id, std::find(on.begin(), on.end(), id) != on.end());
}

void paintScheme(ui::Window dialog) {
    if (!validScheme(scheme())) setScheme(kTempTwoSpeed);
    const int s = scheme();
    const bool temperature = s == kTempTwoSpeed || s == kTempFiveSpeed;
    const bool fiveSpeed = s == kTempFiveSpeed || s == kMoistFiveSpeed;
    const int speedRadio = s == kTempTwoSpeed    ? kTwoSpeedRadio
                           : s == kTempFiveSpeed ? kTempFiveSpeedRadio
                           : s == kMoistVariable ? kVariableRadio
                                                 : kMoistFiveSpeedRadio;
    checkAll(dialog,
             {kTemperatureRadio, kMoistureRadio, kTwoSpeedRadio, kTempFiveSpeedRadio,
              kVariableRadio, kMoistFiveSpeedRadio},
             {temperature ? kTemperatureRadio : kMoistureRadio, speedRadio});
    enableAll(
        dialog,
        {kTempGroup, kTwoSpeedButton, kTempFiveSpeedButton, kTwoSpeedRadio, kTempFiveSpeedRadio},
        temperature);
    enableAll(
        dialog,
        {kMoistGroup, kVariableButton, kMoistFiveSpeedButton, kVariableRadio, kMoistFiveSpeedRadio},
        !temperature);
    enableAll(dialog, {kFiveSpeedGroup, kAutoCentering, kAutoCenteringRadio, kFiveSpeedSetup},
              fiveSpeed);
}

void paintOptions(ui::Window dialog) {
    const auto& edit = state().edit;
    ui::checkItem(dialog, kAutoCenteringRadio, edit.dryingOptions().bit(kAutoCenteringBit));
    const bool sensorDisabled = edit.dryingOptions().bit(kSensorDisabledBit);
    ui::checkItem(dialog, kSensorEnabled, !sensorDisabled);
    ui::checkItem(dialog, kSensorDisabled, sensorDisabled);
    const bool safety = edit.userSettings().bit(kSafetyBit);
    enableAll(dialog, {kMaxGrainTemp, kMaxGrainTempField}, safety);
    ui::setItemText(dialog, kDisable, text(safety ? 84 : 73));
    ui::setItemText(dialog, kMaxGrainTempField, temperatureText(edit.dryingWord277().get()));
}

void paint(ui::Window dialog) {
    static constexpr ItemString kStrings[] = {
        {kTemperatureButton, 70},
        {kMoistureButton, 71},
        {kTempGroup, 72},
        {kTwoSpeedButton, 74},
        {kTempFiveSpeedButton, 75},
        {kMoistGroup, 76},
        {kMoistFiveSpeedButton, 77},
        {kFiveSpeedGroup, 78},
        {kVariableButton, 79},
        {kAutoCentering, 80},
        {kFiveSpeedSetup, 81},
        {kAutoCenteringRadio, 82},
        {kSensorEnabled, 82},
        {kSensorDisabled, 83},
        {kSensorGroup, 36},
        {kSensorSelect, 20},
        {kSafetyGroup, 242},
        {kMaxGrainTemp, 245},
        {kHelp, 3},
        {kAccept, 4},
    };
    setTexts(dialog, 248, kStrings);
    paintScheme(dialog);
    paintOptions(dialog);
    setup::fitItemText(dialog, kDisable);
}

void open(ui::Window dialog) {
    auto& s = state();
    for (const ByteRecord& record :
         {controlModeRecord(), dryingOptionsRecord(), userSettingsRecord()}) {
        startFromController(record);
    }
    s.beginEdit(s.status.dryingWord277());
    ui::centreOnOwner(dialog, kRaise);
    ui::setWindowFont(ui::dialogItem(dialog, kMaxGrainTempField), gfx::font(16, 700));
    paint(dialog);
}

// "DISABLE" switches the safety limit and the grain temperature limit off; "ENABLE" both on.
void toggleSafety() {
    const bool on = !state().edit.userSettings().bit(kSafetyBit);
    const uint8_t bits = bitMask(kSafetyBit) | bitMask(kGrainTempLimitBit);
    edits().change(userSettingsRecord(), on ? bits : 0, on ? 0 : bits);
}

void openBracketedSetup(ui::Window dialog) {
    if (const shell::DialogOpener* opener = shell::dialogOpener(kBracketedSetupDialog)) {
        (*opener)(dialog);
        return;
    }
    ui::messageBox(dialog, i18n::GetStringOr(604, "This function is not part of this build yet."),
                   i18n::GetStringOr(603, "NOT AVAILABLE"), ui::kMbOk | ui::kMbIconInformation);
}

void accept(ui::Window dialog) {
    auto& s = state();
    for (const ByteRecord& record :
         {controlModeRecord(), dryingOptionsRecord(), userSettingsRecord()}) {
        raiseIfChanged(record);
    }
    setup::raiseIfChanged(s.status.dryingWord277(), s.edit.dryingWord277(),
                          s.pending.dryingWord277());
    ui::endDialog(dialog, kAccept);
}

void command(ui::Window dialog, int id) {
    switch (id) {
        case kTemperatureButton:
        case kTwoSpeedButton:
            setScheme(kTempTwoSpeed);
            break;
        case kMoistureButton:
        case kMoistFiveSpeedButton:
            setScheme(kMoistFiveSpeed);
            break;
        case kTempFiveSpeedButton:
            setScheme(kTempFiveSpeed);
            break;
        case kVariableButton:
            setScheme(kMoistVariable);
            break;
        case kAutoCentering:
            edits().setBit(dryingOptionsRecord(), kAutoCenteringBit,
                           !state().edit.dryingOptions().bit(kAutoCenteringBit));
            break;
        case kSensorSelect:
            edits().setBit(dryingOptionsRecord(), kSensorDisabledBit,
                           !state().edit.dryingOptions().bit(kSensorDisabledBit));
            break;
        case kDisable:
            toggleSafety();
            break;
        case kMaxGrainTemp:
            keypads::openTemperatureKeypad(dialog, state().edit.dryingWord277(),
                                           state().pending.dryingWord277(), kGrainTempLimits,
                                           {245, "MAX GRAIN TEMP"});
            break;
        case kFiveSpeedSetup:
            openBracketedSetup(dialog);
            break;
        case kHelp:
            showHelp(dialog, "SelectDryingCriteriaHelp.txt", 359, kCriteriaHelpBytes);
            break;
        case kAccept:
            accept(dialog);
            break;
        default:
            break;  // a radio: the paint puts the marks back on the values
    }
}

ui::LResult proc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            open(dialog);
            return 1;
        case ui::kPaint:
            paint(dialog);
            return 0;
        case ui::kCommand:
            command(dialog, ui::commandId(wp));
            ui::invalidate(dialog, false);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

int runContinuousFlowSetup(ui::Window owner) {
    edits() = ByteEdits{};
    return ui::runDialog(kDialog, owner, proc);
}

}  // namespace modes
