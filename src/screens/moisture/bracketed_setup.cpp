// "BRACKETED 5 SPEED MOISTURE CONTROL SETUP - 23": the inner and outer brackets around the
// moisture (or grain temperature) setpoint and the metering-roll speed offsets used beyond them.
//
// The speed offsets are tenths of a percent of the metering-roll speed. Grain wetter (or colder)
// than the setpoint needs more time in the dryer, so the rows above the setpoint slow the rolls
// down by the offset and the rows below speed them up; the actual speed of a row is the medium
// metering-roll speed that the controller reports, minus or plus the row's offset, kept within
// 0 to 100 %.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "screens/moisture/moisture_dialogs.h"

namespace moisture {
namespace {

using Kind = ui::ControlKind;

enum : int {
    kMoistureGroup = 1276,
    kSpeedGroup = 1277,
    kBracketInc = 1242,
    kBracketDec = 2,
    kSpeedInc = 1243,
    kSpeedDec = 3,
    kSelect = 1244,
    kAcceptExit = 1245,
    kDefaults = 1246,
    kBracketSelection = 1247,
    kSpeedSelection = 1248,
};

// bracketedMcSettings, byte by byte.
enum : int { kOuterBracket = 0, kInnerBracket = 1, kOuterOffset = 2, kInnerOffset = 3 };

// The five rows, top to bottom: outer above, inner above, the setpoint, inner below, outer below.
constexpr std::array<int, 5> kBracketFields = {1151, 1152, 1153, 1154, 1155};
constexpr std::array<int, 5> kOffsetFields = {1150, 1149, 1148, 1147, 1146};
constexpr std::array<int, 5> kActualFields = {1160, 1159, 1158, 1157, 1156};
// Dialog units of each row's fields, inside the selection frames (pixels 42, 67, 127, 152).
constexpr std::array<int, 5> kRowY = {24, 38, 53, 70, 83};

// The selection frames, in pixels: 3-pixel lines from x 155 to 412, 20 pixels high.
constexpr int kFrameLeft = 155;
constexpr int kFrameRight = 412;
constexpr int kFrameHeight = 20;
constexpr std::array<int, 2> kOuterFrames = {42, 152};
constexpr std::array<int, 2> kInnerFrames = {67, 127};

constexpr ui::DialogItem rowItem(int row, int column) {
    switch (column) {
        case 0:
            return {kBracketFields[row], Kind::StaticCenter, "", 93, kRowY[row], 42, 7};
        case 1:
            return {kOffsetFields[row], Kind::StaticCenter, "", 144, kRowY[row], 40, 7};
        default:
            return {kActualFields[row], Kind::StaticCenter, "", 190, kRowY[row], 40, 7};
    }
}

constexpr ui::DialogItem kItems[] = {
    {kMoistureGroup, Kind::GroupBox, "MOISTURE ", 86, 10, 54, 86},
    {kSpeedGroup, Kind::GroupBox, "METERING SPEED", 141, 10, 98, 86},
    rowItem(0, 0),
    rowItem(1, 0),
    rowItem(2, 0),
    rowItem(3, 0),
    rowItem(4, 0),
    rowItem(0, 1),
    rowItem(1, 1),
    rowItem(2, 1),
    rowItem(3, 1),
    rowItem(4, 1),
    rowItem(0, 2),
    rowItem(1, 2),
    rowItem(2, 2),
    rowItem(3, 2),
    rowItem(4, 2),
    {kBracketInc, Kind::PushButton, "INC", 6, 26, 74, 16},
    {kBracketSelection, Kind::StaticCenter, "", 6, 48, 74, 12},
    {kBracketDec, Kind::PushButton, "DEC", 6, 66, 74, 16},
    {kSpeedInc, Kind::PushButton, "INC", 243, 26, 74, 16},
    {kSpeedSelection, Kind::StaticCenter, "", 243, 48, 74, 12},
    {kSpeedDec, Kind::PushButton, "DEC", 243, 66, 74, 16},
    {kSelect, Kind::PushButton, "SELECT", 6, 104, 100, 22},
    {kDefaults, Kind::PushButton, "SELECT DEFAULTS", 112, 104, 100, 22},
    {kAcceptExit, Kind::PushButton, "ACCEPT / EXIT", 217, 104, 100, 22},
};

constexpr ui::DialogTemplate kDialog{"BRACKETED 5 SPEED MOISTURE CONTROL SETUP - 23", 323, 132,
                                     kItems};

// Limits of one scheme: the moisture scheme counts tenths of a percent, the temperature scheme
// whole degrees.
struct SchemeLimits {
    int innerMax;  // the inner bracket grows while below this
    int outerMax;  // the outer bracket grows up to this
    int outerMin;  // the outer bracket shrinks while above this
    int outerDefault;
    int innerDefault;
};
constexpr SchemeLimits kMoistureScheme{6, 30, 3, 6, 3};
constexpr SchemeLimits kTemperatureScheme{2, 5, 2, 3, 1};

constexpr int kTemperatureMode = 5;
constexpr int kInnerOffsetMax = 9;  // the inner offset grows up to this and the outer offset
constexpr int kOuterOffsetMax = 30;
constexpr int kOuterOffsetMin = 4;
constexpr int kDefaultOuterOffset = 6;
constexpr int kDefaultInnerOffset = 3;

// Which pair the INC and DEC buttons work on; the outer brackets first.
bool innerSelected = false;

bool temperatureScheme() {
    return (state().status.moistureControlMode().get() & 0x07) == kTemperatureMode;
}

const SchemeLimits& limits() {
    return temperatureScheme() ? kTemperatureScheme : kMoistureScheme;
}

dryer::Field setting(int element) {
    return state().edit.bracketedMcSettings(element);
}

int value(int element) {
    return setting(element).get();
}

void setValue(int element, int v) {
    setting(element).set(v);
}

std::string bracketText(int row) {
    char out[48];
    if (row == 2) {
        if (temperatureScheme()) {
            std::snprintf(out, sizeof out, "%d \u00b0F", state().status.grainTempSetpoint().get());
        } else {
            const int setpoint = state().status.moistureSetpoint().get();
            std::snprintf(out, sizeof out, "%d.%d %%", setpoint / 10, setpoint % 10);
        }
        return out;
    }
    const int bracket = value(row == 0 || row == 4 ? kOuterBracket : kInnerBracket);
    const char sign = row < 2 ? '+' : '-';
    if (temperatureScheme()) {
        std::snprintf(out, sizeof out, "%c%01d \u00b0F", sign, bracket);
    } else {
        std::snprintf(out, sizeof out, "%c%01d.%d %%", sign, bracket / 10, bracket % 10);
    }
    return out;
}

// The row's speed change in tenths of a percent: slower above the setpoint, faster below.
int speedChange(int row) {
    if (row == 2) return 0;
    const int offset = value(row == 0 || row == 4 ? kOuterOffset : kInnerOffset);
    return row < 2 ? -offset : offset;
}

// Signed: "+0.6 %" and "-0.6 %", but "0.0 %".
std::string tenthsPercent(int tenths, bool sign) {
    char out[32];
    const int magnitude = std::abs(tenths);
    const char* prefix = !sign || tenths == 0 ? "" : tenths < 0 ? "-" : "+";
    std::snprintf(out, sizeof out, "%s%d.%d %%", prefix, magnitude / 10, magnitude % 10);
    return out;
}

int actualSpeed(int row) {
    const int base = state().status.meterRollKnobSpeed(2).get() * 10;
    return std::clamp(base + speedChange(row), 0, 1000);
}

void showValues(ui::Window dialog) {
    for (int row = 0; row < 5; ++row) {
        ui::setItemText(dialog, kBracketFields[row], bracketText(row));
        ui::setItemText(dialog, kOffsetFields[row], tenthsPercent(speedChange(row), true));
        ui::setItemText(dialog, kActualFields[row], tenthsPercent(actualSpeed(row), false));
    }
}

void showTexts(ui::Window dialog) {
    setCaption(dialog, 395);
    const ItemString strings[] = {{kMoistureGroup, temperatureScheme() ? 39 : 38},
                                  {kSpeedGroup, 255},
                                  {kBracketInc, 256},
                                  {kBracketDec, 257},
                                  {kSpeedInc, 256},
                                  {kSpeedDec, 257},
                                  {kSelect, 20},
                                  {kDefaults, 258},
                                  {kAcceptExit, 190}};
    setup::setCaptionString(dialog, 395);
    setup::setItemStrings(dialog, strings);
    for (int id : {kBracketSelection, kSpeedSelection})
        ui::setItemText(dialog, id, text(innerSelected ? 259 : 260));
    for (int id : {kBracketInc, kBracketDec, kSpeedInc, kSpeedDec, kSelect, kDefaults, kAcceptExit})
        setup::fitItemText(dialog, id, setup::kButtonPadding);
    for (int id : {kMoistureGroup, kSpeedGroup, kBracketSelection, kSpeedSelection})
        setup::fitItemText(dialog, id, 8);
    showValues(dialog);
}

void paintFrames(gfx::Painter& p) {
    const gfx::Color colour = gfx::rgb(0, 0, 200);
    for (int top : innerSelected ? kInnerFrames : kOuterFrames) {
        p.drawFrame({kFrameLeft, top, kFrameRight + 1, top + kFrameHeight + 1}, colour, 3);
    }
}

void stepBrackets(bool up) {
    const SchemeLimits& l = limits();
    const int outer = value(kOuterBracket);
    const int inner = value(kInnerBracket);
    if (innerSelected) {
        if (up && inner < outer && inner < l.innerMax) setValue(kInnerBracket, inner + 1);
        if (!up && inner > 1) setValue(kInnerBracket, inner - 1);
    } else {
        if (up && outer < l.outerMax) setValue(kOuterBracket, outer + 1);
        if (!up && inner < outer && outer > l.outerMin) setValue(kOuterBracket, outer - 1);
    }
}

void stepOffsets(bool up) {
    const int outer = value(kOuterOffset);
    const int inner = value(kInnerOffset);
    if (innerSelected) {
        if (up && inner < outer && inner < kInnerOffsetMax) setValue(kInnerOffset, inner + 1);
        if (!up && inner > 1) setValue(kInnerOffset, inner - 1);
    } else {
        if (up && outer < kOuterOffsetMax) setValue(kOuterOffset, outer + 1);
        if (!up && outer > inner + 1 && outer >= kOuterOffsetMin) setValue(kOuterOffset, outer - 1);
    }
}

void setDefaults() {
    const SchemeLimits& l = limits();
    setValue(kOuterBracket, l.outerDefault);
    setValue(kInnerBracket, l.innerDefault);
    setValue(kOuterOffset, kDefaultOuterOffset);
    setValue(kInnerOffset, kDefaultInnerOffset);
}

void accept() {
    auto& s = state();
    for (int i = 0; i < 4; ++i) {
        setup::raiseIfChanged(s.status.bracketedMcSettings(i), s.edit.bracketedMcSettings(i),
                              s.pending.bracketedMcSettings(i));
    }
}

bool command(ui::Window dialog, int id) {
    switch (id) {
        case kBracketInc:
        case kBracketDec:
            stepBrackets(id == kBracketInc);
            break;
        case kSpeedInc:
        case kSpeedDec:
            stepOffsets(id == kSpeedInc);
            break;
        case kSelect:
            innerSelected = !innerSelected;
            ui::invalidate(dialog, true);
            break;
        case kDefaults:
            setDefaults();
            break;
        case kAcceptExit:
            accept();
            ui::endDialog(dialog, id);
            return true;
        default:
            return false;
    }
    showTexts(dialog);
    return true;
}

void open(ui::Window dialog) {
    state().beginEdit(state().status.bracketedMcSettings());
    innerSelected = false;
    ui::centreOnOwner(dialog, 20);
    for (const auto& fields : {kBracketFields, kOffsetFields, kActualFields}) {
        for (int id : fields)
            ui::setWindowFont(ui::dialogItem(dialog, id), gfx::font(13, 700));
    }
    showTexts(dialog);
}

ui::LResult proc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            open(dialog);
            return 1;
        case ui::kPaint:
            showTexts(dialog);
            paintFrames(ui::paintContext(lp).painter);
            return 1;
        case ui::kCommand:
            return command(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace

void runBracketedSetup(ui::Window owner) {
    ui::runDialog(kDialog, owner, proc);
}

}  // namespace moisture
