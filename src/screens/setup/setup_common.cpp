#include "screens/setup/setup_common.h"

#include <cstdio>
#include <cstdlib>

#include "i18n/language.h"
#include "i18n/resources.h"
#include "platform/gfx/text.h"

namespace setup {

std::string text(int stringNumber) {
    return i18n::GetString(stringNumber);
}

void setItemStrings(ui::Window dialog, std::span<const ItemString> items) {
    for (const ItemString& item : items) {
        const std::string wanted = text(item.string);
        if (ui::itemText(dialog, item.id) != wanted) ui::setItemText(dialog, item.id, wanted);
    }
}

void setCaptionString(ui::Window dialog, int number) {
    const std::string caption = text(number);
    if (ui::windowText(dialog) != caption) ui::setWindowText(dialog, caption);
}

void fitItemText(ui::Window dialog, int id, int padding, const gfx::FontSpec& font) {
    const ui::Window item = ui::dialogItem(dialog, id);
    const gfx::FontSpec fitted = gfx::fitFont(
        ui::windowText(item), font, ui::clientRect(item).width() - padding, kSmallestFont);
    if (!(ui::windowFont(item) == fitted)) ui::setWindowFont(item, fitted);
}

void editBit(dryer::Field status, dryer::Field edit, int bit, bool on) {
    const auto hold = state().hold();
    state().beginEdit(status);
    edit.setBit(bit, on);
}

void editUserSettingsBit(int bit, bool on) {
    auto& s = state();
    const auto hold = s.hold();
    s.edit.userSettings().set(s.status.userSettings().get() & ~0x03);
    s.edit.userSettings().setBit(bit, on);
}

std::string signedTenths(int tenths) {
    char out[24];
    std::snprintf(out, sizeof out, "%s%d.%d", tenths < 0 ? "-" : "", std::abs(tenths) / 10,
                  std::abs(tenths) % 10);
    return out;
}

void showHelp(ui::Window owner, std::string_view fileName, int captionString, size_t byteLimit) {
    std::string help;
    i18n::ReadHelpFile(fileName, help, byteLimit);
    ui::messageBox(owner, help, text(captionString), ui::kMbOkCancel);
}

bool raiseIfChanged(dryer::Field status, dryer::Field edit, dryer::Flag flag) {
    if (status.get() == edit.get()) return false;
    state().commitEdit(flag);
    return true;
}

}  // namespace setup
