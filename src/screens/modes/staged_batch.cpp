// "STAGED BATCH SETUP - 09": what ends a batch (time, grain temperature or moisture), one or two
// plenum temperatures, the heat split of moisture-controlled batches and the safety limits.
//
// The MOISTURE criterion is the batch's automatic moisture control: it stands alone (TIME and
// TEMPERATURE switch it off, it switches them off), and it sets bits 1, 2 and 7 of
// moistureControlMode, which together with bit 6 of plenumTempOptions let MISC open the moisture
// setpoint. The heat split belongs to it and is enabled only while it is on.
#include <cstdio>

#include "i18n/language.h"
#include "platform/ui/controls.h"
#include "screens/keypads/keypads.h"
#include "screens/modes/modes_common.h"
#include "screens/modes/modes_dialogs.h"

namespace modes {
namespace {

using Kind = ui::ControlKind;

enum : int {
    kCriteriaGroup = 1340,
    kTimeButton = 1311,
    kTemperatureButton = 1312,
    kMoistureButton = 1045,
    kTimeRadio = 1046,
    kTemperatureRadio = 1047,
    kMoistureRadio = 1048,
    kCriteriaNote = 1148,
    kPlenumGroup = 1341,
    kSingleButton = 1313,
    kDualButton = 1314,
    kSingleRadio = 1049,
    kDualRadio = 1050,
    kDualNote = 1149,
    kHeatGroup = 1342,
    kFullButton = 1315,
    kTwoThirdsButton = 1316,
    kHalfButton = 1317,
    kFullRadio = 1051,
    kTwoThirdsRadio = 1052,
    kHalfRadio = 1053,
    kSafetyGroup = 1343,
    kDisable = 1321,
    kMaxTime = 1319,
    kMaxGrainTemp = 1320,
    kMaxTimeField = 1146,
    kMaxGrainTempField = 1147,
};

// plenumTempOptions: dual plenum and the three criteria.
constexpr int kDualBit = 1;
constexpr int kTimeBit = 4;
constexpr int kTemperatureBit = 5;
constexpr int kMoistureBit = 6;
// userSettings: the maximum time limit, the maximum grain temperature limit, the safety limits.
constexpr int kTimeLimitBit = 3;
constexpr int kGrainTempLimitBit = 4;
constexpr int kSafetyBit = 5;
// moistureControlMode: automatic moisture control of the batch.
constexpr uint8_t kBatchMoistureBits = 0x86;
constexpr uint8_t kBatchTemperatureBit = 0x80;
// dryingOptions: the heat split, bits 4 to 6.
constexpr int kFirstHeatBit = 4;

constexpr int kRaise = 20;
constexpr keypads::TemperatureLimits kGrainTempLimits{100, 150, 200};
// Hours and minutes: at least one minute, at most what the keypad can take.
constexpr keypads::TimeLimits kMaxTimeLimits{{0, 1}, {8, 0}, {249, 59}};

constexpr ui::DialogItem radio(int id, std::string_view label, int x, int y, int width) {
    return {id, Kind::RadioButton, label, x, y, width, 12};
}

constexpr ui::DialogItem kItems[] = {
    {kCriteriaGroup, Kind::GroupBox, "Staged Batch Drying Criteria", 4, 2, 346, 80},
    {kTimeButton, Kind::PushButton, "TIME", 10, 13, 70, 15},
    radio(kTimeRadio, "TIME - Dry Timer(s) must expire before drying is complete", 84, 14, 262),
    {kTemperatureButton, Kind::PushButton, "TEMPERATURE", 10, 31, 70, 15},
    radio(kTemperatureRadio,
          "TEMPERATURE - Grain Temp must reach setpoint before drying is complete", 84, 32, 262),
    {kMoistureButton, Kind::PushButton, "MOISTURE", 10, 49, 70, 15},
    radio(kMoistureRadio, "MOISTURE - Batch automatic moisture control selected", 84, 50, 262),
    {kCriteriaNote, Kind::StaticCenter, "", 10, 67, 336, 12},
    {kPlenumGroup, Kind::GroupBox, "Plenum Mode", 4, 84, 170, 76},
    {kSingleButton, Kind::PushButton, "SINGLE", 10, 96, 60, 15},
    radio(kSingleRadio, "Single Plenum", 74, 97, 96),
    {kDualButton, Kind::PushButton, "DUAL *", 10, 115, 60, 15},
    radio(kDualRadio, "Dual Plenum", 74, 116, 96),
    {kDualNote, Kind::Static, "* Dual plenum only on single fan/heater dryers", 10, 134, 160, 24,
     ui::kMultiLine},
    {kHeatGroup, Kind::GroupBox, "Moisture Based Options", 180, 84, 170, 76},
    {kFullButton, Kind::PushButton, "FULL", 186, 96, 64, 15},
    radio(kFullRadio, "FULL HEAT", 254, 97, 92),
    {kTwoThirdsButton, Kind::PushButton, "1/3 - 2/3", 186, 115, 64, 15},
    radio(kTwoThirdsRadio, "2/3 HEAT", 254, 116, 92),
    {kHalfButton, Kind::PushButton, "1/2 - 1/2", 186, 134, 64, 15},
    radio(kHalfRadio, "1/2 HEAT", 254, 135, 92),
    {kSafetyGroup, Kind::GroupBox, "Safety Parameters", 4, 162, 252, 56},
    {kDisable, Kind::PushButton, "DISABLE", 10, 174, 70, 38},
    {kMaxTime, Kind::PushButton, "MAX TIME", 86, 174, 94, 17},
    {kMaxTimeField, Kind::Edit, "", 184, 174, 66, 17},
    {kMaxGrainTemp, Kind::PushButton, "MAX GRAIN TEMP", 86, 195, 94, 17},
    {kMaxGrainTempField, Kind::Edit, "", 184, 195, 66, 17},
    {kHelp, Kind::PushButton, "HELP", 262, 166, 88, 20},
    {kAccept, Kind::PushButton, "ACCEPT", 262, 190, 88, 28},
};

constexpr ui::DialogTemplate kDialog{"STAGED BATCH SETUP - 09", 354, 222, kItems};

ByteEdits& edits() {
    static ByteEdits instance;
    return instance;
}

bool criterion(int bit) {
    return state().edit.plenumTempOptions().bit(bit);
}

bool userBit(int bit) {
    return state().edit.userSettings().bit(bit);
}

void setUserBit(int bit, bool on) {
    edits().setBit(userSettingsRecord(), bit, on);
}

// moistureControlMode goes out at once.
void changeControlMode(uint8_t set, uint8_t clear) {
    edits().change(controlModeRecord(), set, clear);
    state().commitEdit(state().pending.moistureControlMode());
}

void enableAll(ui::Window dialog, std::initializer_list<int> ids, bool enable) {
    for (int id : ids)
        ui::enableItem(dialog, id, enable);
}

void paintCriteria(ui::Window dialog) {
    ui::checkItem(dialog, kTimeRadio, criterion(kTimeBit));
    ui::checkItem(dialog, kTemperatureRadio, criterion(kTemperatureBit));
    ui::checkItem(dialog, kMoistureRadio, criterion(kMoistureBit));
    const bool none =
        !criterion(kTimeBit) && !criterion(kTemperatureBit) && !criterion(kMoistureBit);
    ui::setItemText(dialog, kCriteriaNote, none ? text(450) : std::string());
    const bool dual = criterion(kDualBit);
    ui::checkItem(dialog, kSingleRadio, !dual);
    ui::checkItem(dialog, kDualRadio, dual);
}

void paintHeat(ui::Window dialog) {
    const auto options = state().edit.dryingOptions();
    ui::checkItem(dialog, kFullRadio, options.bit(kFirstHeatBit));
    ui::checkItem(dialog, kTwoThirdsRadio, options.bit(kFirstHeatBit + 1));
    ui::checkItem(dialog, kHalfRadio, options.bit(kFirstHeatBit + 2));
    enableAll(dialog,
              {kHeatGroup, kFullButton, kTwoThirdsButton, kHalfButton, kFullRadio, kTwoThirdsRadio,
               kHalfRadio},
              criterion(kMoistureBit));
}

std::string timeText(dryer::Field time) {
    char out[16];
    std::snprintf(out, sizeof out, "%03d:%02d", time.byte(0), time.byte(1));
    return out;
}

void paintSafety(ui::Window dialog) {
    const auto& edit = state().edit;
    const bool safety = userBit(kSafetyBit);
    ui::setItemText(dialog, kDisable, text(safety ? 84 : 73));
    enableAll(dialog, {kMaxTime, kMaxTimeField}, safety && userBit(kTimeLimitBit));
    enableAll(dialog, {kMaxGrainTemp, kMaxGrainTempField}, safety && userBit(kGrainTempLimitBit));
    ui::setItemText(dialog, kMaxTimeField, timeText(edit.stagedBatchWord274()));
    ui::setItemText(dialog, kMaxGrainTempField, temperatureText(edit.dryingWord277().get()));
}

void paint(ui::Window dialog) {
    static constexpr ItemString kStrings[] = {
        {kCriteriaGroup, 223},  {kTimeButton, 224},  {kTemperatureButton, 225},
        {kMoistureButton, 226}, {kTimeRadio, 227},   {kTemperatureRadio, 228},
        {kMoistureRadio, 229},  {kPlenumGroup, 230}, {kSingleButton, 231},
        {kDualButton, 232},     {kSingleRadio, 233}, {kDualRadio, 234},
        {kHeatGroup, 235},      {kFullButton, 236},  {kTwoThirdsButton, 237},
        {kHalfButton, 238},     {kFullRadio, 239},   {kTwoThirdsRadio, 240},
        {kHalfRadio, 241},      {kSafetyGroup, 242}, {kMaxTime, 244},
        {kMaxGrainTemp, 245},   {kHelp, 3},          {kAccept, 4},
    };
    setTexts(dialog, 222, kStrings);
    ui::setItemText(dialog, kDualNote, text(246));
    paintCriteria(dialog);
    paintHeat(dialog);
    paintSafety(dialog);
    setup::fitItemText(dialog, kDisable);
}

void open(ui::Window dialog) {
    auto& s = state();
    for (const ByteRecord& record : {plenumOptionsRecord(), dryingOptionsRecord(),
                                     userSettingsRecord(), controlModeRecord()}) {
        startFromController(record);
    }
    s.beginEdit(s.status.stagedBatchWord274());
    s.beginEdit(s.status.dryingWord277());
    ui::centreOnOwner(dialog, kRaise);
    for (int id : {kMaxTimeField, kMaxGrainTempField})
        ui::setWindowFont(ui::dialogItem(dialog, id), gfx::font(16, 700));
    ui::setWindowFont(ui::dialogItem(dialog, kCriteriaNote), gfx::font(14, 700));
    paint(dialog);
}

void toggleTime() {
    const bool on = !criterion(kTimeBit);
    edits().change(plenumOptionsRecord(), on ? bitMask(kTimeBit) : 0,
                   bitMask(kMoistureBit) | (on ? 0 : bitMask(kTimeBit)));
    if (!on || userBit(kSafetyBit)) setUserBit(kGrainTempLimitBit, on);
    changeControlMode(0, kBatchMoistureBits);
}

void toggleTemperature() {
    if (criterion(kMoistureBit)) setUserBit(kGrainTempLimitBit, false);
    const bool on = !criterion(kTemperatureBit);
    edits().change(plenumOptionsRecord(), on ? bitMask(kTemperatureBit) : 0,
                   bitMask(kMoistureBit) | (on ? 0 : bitMask(kTemperatureBit)));
    if (!on || userBit(kSafetyBit)) setUserBit(kTimeLimitBit, on);
    changeControlMode(kBatchTemperatureBit, kBatchMoistureBits & ~kBatchTemperatureBit);
}

// On, MOISTURE ends the batch alone: TIME and TEMPERATURE go off with the time limit, and the
// grain temperature limit follows the safety switch. Off, it leaves no criterion.
void toggleMoisture() {
    const bool on = !criterion(kMoistureBit);
    const uint8_t others = bitMask(kTimeBit) | bitMask(kTemperatureBit);
    edits().change(plenumOptionsRecord(), on ? bitMask(kMoistureBit) : 0,
                   on ? others : bitMask(kMoistureBit));
    if (!on || userBit(kSafetyBit)) setUserBit(kGrainTempLimitBit, on);
    if (on) setUserBit(kTimeLimitBit, false);
    changeControlMode(on ? kBatchMoistureBits : 0, on ? 0 : kBatchMoistureBits);
}

void choosePlenum(ui::Window dialog, bool dual) {
    if (dual && state().status.fanHeaterCountCode().get() != 0) {
        ui::messageBox(dialog,
                       i18n::GetStringOr(713,
                                         "Dual-Plenum Temperature Mode is only available on "
                                         "single fan/heater models."),
                       i18n::GetStringOr(714, "INVALID SELECTION"),
                       ui::kMbRetryCancel | ui::kMbIconInformation);
        dual = false;
    }
    edits().setBit(plenumOptionsRecord(), kDualBit, dual);
}

// One of bits 4 to 6 of dryingOptions, sent at once.
void chooseHeat(int step) {
    const uint8_t all = 0x70;
    const uint8_t chosen = bitMask(kFirstHeatBit + step);
    edits().change(dryingOptionsRecord(), chosen, all & ~chosen);
    state().commitEdit(state().pending.dryingOptions());
}

// Switching the safety limits on sets each limit whose criterion is on.
void toggleSafety() {
    const bool on = !userBit(kSafetyBit);
    setUserBit(kSafetyBit, on);
    if (!on) return;
    setUserBit(kGrainTempLimitBit, criterion(kTimeBit) || criterion(kMoistureBit));
    setUserBit(kTimeLimitBit, criterion(kTemperatureBit));
}

void accept(ui::Window dialog) {
    if (!criterion(kTimeBit) && !criterion(kTemperatureBit) && !criterion(kMoistureBit)) {
        showHelp(dialog, "NoDryingCriteriaSelectedHelp.txt", 450);
        return;
    }
    auto& s = state();
    for (const ByteRecord& record :
         {plenumOptionsRecord(), dryingOptionsRecord(), userSettingsRecord()}) {
        raiseIfChanged(record);
    }
    setup::raiseIfChanged(s.status.stagedBatchWord274(), s.edit.stagedBatchWord274(),
                          s.pending.stagedBatchWord274());
    setup::raiseIfChanged(s.status.dryingWord277(), s.edit.dryingWord277(),
                          s.pending.dryingWord277());
    ui::endDialog(dialog, kAccept);
}

void command(ui::Window dialog, int id) {
    auto& s = state();
    switch (id) {
        case kTimeButton:
            toggleTime();
            break;
        case kTemperatureButton:
            toggleTemperature();
            break;
        case kMoistureButton:
            toggleMoisture();
            break;
        case kSingleButton:
        case kDualButton:
            choosePlenum(dialog, id == kDualButton);
            break;
        case kFullButton:
        case kTwoThirdsButton:
        case kHalfButton:
            chooseHeat(id - kFullButton);
            break;
        case kDisable:
            toggleSafety();
            break;
        case kMaxTime:
            keypads::openTimerKeypad(dialog, s.edit.stagedBatchWord274(),
                                     s.pending.stagedBatchWord274(), kMaxTimeLimits,
                                     {244, "MAX TIME"}, keypads::TimeUnits::HoursMinutes);
            break;
        case kMaxGrainTemp:
            keypads::openTemperatureKeypad(dialog, s.edit.dryingWord277(),
                                           s.pending.dryingWord277(), kGrainTempLimits,
                                           {245, "MAX GRAIN TEMP"});
            break;
        case kHelp:
            showHelp(dialog, "AvailableDryingModesHelp.txt", 365);
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

int runStagedBatchSetup(ui::Window owner) {
    edits() = ByteEdits{};
    return ui::runDialog(kDialog, owner, proc);
}

}  // namespace modes
