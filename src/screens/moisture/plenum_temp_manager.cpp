// "PLENUM TEMPERATURE MANAGER - 12": on or off, the time between steps and the size of the
// temperature steps, each an index 0 to 7 that INCREASE and DECREASE step round.
#include <array>
#include <cstdio>

#include "screens/moisture/moisture_dialogs.h"

namespace moisture {
namespace {

using Kind = ui::ControlKind;

enum : int {
    kSelectOnOff = 1304,
    kOn = 1305,
    kOff = 1306,
    kTimeIncrease = 1307,
    kTimeDecrease = 1045,
    kSizeIncrease = 1308,
    kSizeDecrease = 1046,
    kTimeField = 1146,
    kSizeField = 1147,
    kTimeGroup = 1320,
    kSizeGroup = 1321,
    kAccept = 1008,
    kCancel = 1010,
    kHelp = 1011,
};

constexpr int kOnBit = 7;
constexpr int kTimeShift = 3;
constexpr int kIndexMask = 0x07;

constexpr std::array<const char*, 8> kTimeTexts = {"15 ", "30 ", "45 ", "60 ",
                                                   "90 ", "120", "180", "240"};
constexpr std::array<int, 8> kStepDegrees = {1, 2, 3, 5, 10, 15, 20, 25};

constexpr ui::DialogItem kItems[] = {
    {kSelectOnOff, Kind::PushButton, "SELECT ON / OFF", 8, 8, 116, 22},
    {kOn, Kind::RadioButton, "ON", 136, 12, 52, 14, ui::kGroup},
    {kOff, Kind::RadioButton, "OFF", 194, 12, 56, 14},
    {kTimeGroup, Kind::GroupBox, "Time Between Steps", 6, 38, 248, 56},
    {kTimeIncrease, Kind::PushButton, "INCREASE", 14, 50, 80, 18},
    {kTimeDecrease, Kind::PushButton, "DECREASE", 14, 71, 80, 18},
    {kTimeField, Kind::Edit, "", 104, 60, 142, 20, ui::kTextCenter},
    {kSizeGroup, Kind::GroupBox, "Size of Temperature Steps", 6, 100, 248, 56},
    {kSizeIncrease, Kind::PushButton, "INCREASE", 14, 112, 80, 18},
    {kSizeDecrease, Kind::PushButton, "DECREASE", 14, 133, 80, 18},
    {kSizeField, Kind::Edit, "", 104, 122, 142, 20, ui::kTextCenter},
    {kHelp, Kind::PushButton, "HELP", 6, 164, 76, 22},
    {kAccept, Kind::PushButton, "ACCEPT", 92, 164, 76, 22},
    {kCancel, Kind::PushButton, "CANCEL", 178, 164, 76, 22},
};

constexpr ui::DialogTemplate kDialog{"PLENUM TEMPERATURE MANAGER - 12", 260, 192, kItems};

dryer::Field manager() {
    return state().edit.plenumTempManager();
}

int timeIndex() {
    return (manager().get() >> kTimeShift) & kIndexMask;
}

int sizeIndex() {
    return manager().get() & kIndexMask;
}

void setIndex(int shift, int index) {
    const int value = manager().get() & ~(kIndexMask << shift);
    manager().set(value | ((index & kIndexMask) << shift));
}

void showTexts(ui::Window dialog) {
    setCaption(dialog, 13);
    static constexpr ItemString kStrings[] = {
        {kSelectOnOff, 249}, {kOn, 14},          {kOff, 15},        {kTimeGroup, 250},
        {kTimeIncrease, 8},  {kTimeDecrease, 9}, {kSizeGroup, 251}, {kSizeIncrease, 8},
        {kSizeDecrease, 9},  {kHelp, 3},         {kAccept, 4},      {kCancel, 10}};
    setup::setCaptionString(dialog, 13);
    setup::setItemStrings(dialog, kStrings);
    for (int id : {kSelectOnOff, kTimeIncrease, kTimeDecrease, kSizeIncrease, kSizeDecrease, kHelp,
                   kAccept, kCancel}) {
        setup::fitItemText(dialog, id, setup::kButtonPadding);
    }
    for (int id : {kOn, kOff})
        setup::fitItemText(dialog, id);
    const bool on = manager().bit(kOnBit);
    if (ui::isItemChecked(dialog, kOn) != on) ui::checkItem(dialog, kOn, on);
    if (ui::isItemChecked(dialog, kOff) == on) ui::checkItem(dialog, kOff, !on);
    char time[64];
    std::snprintf(time, sizeof time, "%s %s", kTimeTexts[timeIndex()], text(17).c_str());
    ui::setItemText(dialog, kTimeField, time);
    char size[32];
    std::snprintf(size, sizeof size, "%d \u00b0F", kStepDegrees[sizeIndex()]);
    ui::setItemText(dialog, kSizeField, size);
    for (int id : {kTimeField, kSizeField})
        setup::fitItemText(dialog, id, 6, gfx::font(18, 700));
}

bool command(ui::Window dialog, int id) {
    switch (id) {
        case kSelectOnOff:
            manager().setBit(kOnBit, !manager().bit(kOnBit));
            break;
        case kOn:
        case kOff:
            manager().setBit(kOnBit, id == kOn);
            break;
        case kTimeIncrease:
        case kTimeDecrease:
            setIndex(kTimeShift, timeIndex() + (id == kTimeIncrease ? 1 : -1));
            break;
        case kSizeIncrease:
        case kSizeDecrease:
            setIndex(0, sizeIndex() + (id == kSizeIncrease ? 1 : -1));
            break;
        case kAccept:
            setup::raiseIfChanged(state().status.plenumTempManager(), manager(),
                                  state().pending.plenumTempManager());
            ui::endDialog(dialog, id);
            return true;
        case kCancel:
            ui::endDialog(dialog, id);
            return true;
        case kHelp:
            setup::showHelp(dialog, "PlenumTempManagerHelp.txt", 361);
            return true;
        default:
            return false;
    }
    showTexts(dialog);
    return true;
}

ui::LResult proc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            state().beginEdit(state().status.plenumTempManager());
            ui::centreOnOwner(dialog, 20);
            showTexts(dialog);
            return 1;
        case ui::kPaint:
            showTexts(dialog);
            return 0;
        case ui::kCommand:
            return command(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace

void runTempManager(ui::Window owner) {
    ui::runDialog(kDialog, owner, proc);
}

}  // namespace moisture
