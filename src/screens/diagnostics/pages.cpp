#include "screens/diagnostics/pages.h"

#include <string>

#include "i18n/language.h"
#include "i18n/resources.h"
#include "link/dryer_state.h"

namespace diagnostics {

namespace ui = platform::ui;

void setItemString(ui::Window dialog, int id, int number) {
    const std::string text = i18n::GetString(number);
    if (ui::itemText(dialog, id) != text) ui::setItemText(dialog, id, text);
}

void showHelpFile(ui::Window owner, std::string_view fileName, int captionNumber) {
    std::string text;
    if (!i18n::ReadHelpFile(fileName, text, i18n::kHelpFileBytes)) {
        text = "The help text " + std::string(fileName) + " is missing on the flash disk.";
    }
    ui::messageBox(owner, text, i18n::GetString(captionNumber), ui::kMbOk | ui::kMbIconInformation);
}

void registerRepaint(dryer::Window role, ui::Window window) {
    dryer::dryerState().hooks.registerWindow(role, [window](bool erase, const dryer::RepaintArea*) {
        ui::invalidate(window, erase);
        if (const ui::Window question = openQuestion()) ui::invalidate(question, erase);
    });
}

void unregisterRepaint(dryer::Window role) {
    dryer::dryerState().hooks.unregisterWindow(role);
}

}  // namespace diagnostics
