// "WATCHDOG SETUP": rings before the modem connects and the connection type, as radios.
#include <array>

#include "screens/moisture/moisture_dialogs.h"

namespace moisture {
namespace {

using Kind = ui::ControlKind;

enum : int {
    kRingsGroup = 1201,
    kConnectionGroup = 1202,
    kAccept = 1128,
    kCancel = 1129,
};

// Radios by the value they stand for: rings code 0 to 3, connection 0 to 2.
constexpr std::array<int, 4> kRingRadios = {1197, 1198, 1199, 1200};
constexpr std::array<int, 3> kConnectionRadios = {1193, 1194, 1195};
constexpr int kEthernet = 1195;
constexpr int kConnectionShift = 2;

constexpr ui::DialogItem kItems[] = {
    {kRingsGroup, Kind::GroupBox, "RINGS BEFORE CONNECT", 6, 4, 124, 102},
    {1197, Kind::RadioButton, "1 RING", 14, 20, 110, 16, ui::kGroup},
    {1198, Kind::RadioButton, "5 RINGS", 14, 40, 110, 16},
    {1199, Kind::RadioButton, "10 RINGS", 14, 60, 110, 16},
    {1200, Kind::RadioButton, "15 RINGS", 14, 80, 110, 16},
    {kConnectionGroup, Kind::GroupBox, "CONNECTION TYPE", 136, 4, 124, 102},
    {1193, Kind::RadioButton, "Direct Serial", 144, 20, 110, 16, ui::kGroup},
    {1194, Kind::RadioButton, "MODEM", 144, 40, 110, 16},
    {kEthernet, Kind::RadioButton, "ETHERNET", 144, 60, 110, 16, ui::kDisabled},
    {kAccept, Kind::PushButton, "ACCEPT / EXIT", 6, 114, 124, 22},
    {kCancel, Kind::PushButton, "CANCEL", 136, 114, 124, 22},
};

constexpr ui::DialogTemplate kDialog{"WATCHDOG SETUP", 266, 142, kItems};

void showTexts(ui::Window dialog) {
    setCaption(dialog, 385);
    static constexpr ItemString kStrings[] = {{kRingsGroup, 396}, {kConnectionGroup, 397},
                                              {1197, 398},        {1198, 399},
                                              {1199, 400},        {1200, 401},
                                              {1193, 402},        {1194, 403},
                                              {1195, 404},        {kAccept, 190},
                                              {kCancel, 10}};
    setup::setCaptionString(dialog, 385);
    setup::setItemStrings(dialog, kStrings);
    for (int id : kRingRadios)
        setup::fitItemText(dialog, id);
    for (int id : kConnectionRadios)
        setup::fitItemText(dialog, id);
    for (int id : {kAccept, kCancel})
        setup::fitItemText(dialog, id, setup::kButtonPadding);
}

// The controller's setting, marked once as the dialog opens; from then on the radios are the
// operator's (a repaint must not throw a choice away).
void markSetting(ui::Window dialog) {
    const int value = state().status.watchdogSetup().get();
    ui::checkItem(dialog, kRingRadios[value & 0x03], true);
    const int connection = (value >> kConnectionShift) & 0x03;
    if (connection < static_cast<int>(kConnectionRadios.size()))
        ui::checkItem(dialog, kConnectionRadios[connection], true);
}

// The checked radio's position in its row; 0 when none is checked.
template <size_t N>
int checkedValue(ui::Window dialog, const std::array<int, N>& radios) {
    for (size_t i = 0; i < N; ++i) {
        if (ui::isItemChecked(dialog, radios[i])) return static_cast<int>(i);
    }
    return 0;
}

void accept(ui::Window dialog) {
    auto& s = state();
    const int value = checkedValue(dialog, kConnectionRadios) << kConnectionShift |
                      checkedValue(dialog, kRingRadios);
    s.edit.watchdogSetup().set(value);
    s.commitEdit(s.pending.watchdogSetup());
}

ui::LResult proc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog, 20);
            showTexts(dialog);
            markSetting(dialog);
            return 1;
        case ui::kPaint:
            showTexts(dialog);
            return 0;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id != kAccept && id != kCancel) return 0;
            if (id == kAccept) accept(dialog);
            ui::endDialog(dialog, id);
            return 1;
        }
        default:
            return 0;
    }
}

}  // namespace

void runWatchdogSetup(ui::Window owner) {
    ui::runDialog(kDialog, owner, proc);
}

}  // namespace moisture
