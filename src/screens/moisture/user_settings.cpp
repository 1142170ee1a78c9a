// "USER SETTINGS - 20": asks the controller to save its present settings or to bring back the
// ones saved before. Both are one-shot command bits of userSettings.
#include "screens/moisture/moisture_dialogs.h"

namespace moisture {
namespace {

using Kind = ui::ControlKind;

enum : int {
    kSave = 2,
    kRestore = 3,
    kCancel = 1287,
    kFirstLine = 1288,
    kSecondLine = 1289,
};

constexpr int kSaveBit = 1;
constexpr int kRestoreBit = 0;

constexpr ui::DialogItem kItems[] = {
    {kFirstLine, Kind::StaticCenter, "", 6, 8, 248, 14},
    {kSecondLine, Kind::StaticCenter, "", 6, 24, 248, 14},
    {kSave, Kind::PushButton, "SAVE SETTINGS", 6, 48, 120, 24},
    {kRestore, Kind::PushButton, "RESTORE SETTINGS", 134, 48, 120, 24},
    {kCancel, Kind::PushButton, "CANCEL", 70, 82, 120, 22},
};

constexpr ui::DialogTemplate kDialog{"USER SETTINGS - 20", 260, 112, kItems};

void showTexts(ui::Window dialog) {
    setCaption(dialog, 215);
    static constexpr ItemString kStrings[] = {
        {kFirstLine, 216}, {kSecondLine, 217}, {kSave, 218}, {kRestore, 219}, {kCancel, 10}};
    setup::setCaptionString(dialog, 215);
    setup::setItemStrings(dialog, kStrings);
    for (int id : {kFirstLine, kSecondLine})
        setup::fitItemText(dialog, id, 0);
    for (int id : {kSave, kRestore, kCancel})
        setup::fitItemText(dialog, id, setup::kButtonPadding);
}

void request(int bit) {
    setup::editUserSettingsBit(bit, true);
    state().commitEdit(state().pending.userSettings());
}

ui::LResult proc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog, 20);
            showTexts(dialog);
            return 1;
        case ui::kPaint:
            showTexts(dialog);
            return 0;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id != kSave && id != kRestore && id != kCancel) return 0;
            if (id != kCancel) request(id == kSave ? kSaveBit : kRestoreBit);
            ui::endDialog(dialog, id);
            return 1;
        }
        default:
            return 0;
    }
}

}  // namespace

void runUserSettings(ui::Window owner) {
    ui::runDialog(kDialog, owner, proc);
}

}  // namespace moisture
