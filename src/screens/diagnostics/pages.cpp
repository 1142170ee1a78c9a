#include "screens/diagnostics/pages.h"

#include <algorithm>
#include <string>

#include "i18n/language.h"
#include "i18n/resources.h"
#include "link/dryer_state.h"
#include "platform/ui/display.h"

namespace diagnostics {

namespace ui = platform::ui;

void setItemString(ui::Window dialog, int id, int number) {
    ui::setItemText(dialog, id, i18n::GetString(number));
}

void setTitleString(ui::Window dialog, int number) {
    const std::string title = i18n::GetString(number);
    if (ui::windowText(dialog) != title) ui::setWindowText(dialog, title);
}

void showHelpFile(ui::Window owner, std::string_view fileName, int captionNumber) {
    std::string text;
    if (!i18n::ReadHelpFile(fileName, text, i18n::kHelpFileBytes)) {
        text = "The help text " + std::string(fileName) + " is missing on the flash disk.";
    }
    ui::messageBox(owner, text, i18n::GetString(captionNumber), ui::kMbOk | ui::kMbIconInformation);
}

void centreOverOwner(ui::Window dialog) {
    const ui::Rect owner = ui::screenRect(ui::parentOf(dialog));
    const ui::Rect r = ui::windowRect(dialog);
    const ui::Size screen = ui::screenSize();
    const int x = std::clamp(owner.left + (owner.width() - r.width()) / 2, 0,
                             std::max(0, screen.width - r.width()));
    const int y = std::clamp(owner.top + (owner.height() - r.height()) / 2, 0,
                             std::max(0, screen.height - r.height()));
    ui::moveWindow(dialog, ui::Rect::fromSize(x, y, r.width(), r.height()));
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
