#pragma once
// The language selection dialog ("Select Language to Use"): thirteen buttons, each with the
// language's name in the current language, its own name and its English name. Pressing one makes
// that language current, repaints the window that opened the dialog and closes the dialog with the
// button's id; there is no other way out. The opener reloads its button bitmaps afterwards
// (ReloadButtonBitmaps).

#include <string>

#include "i18n/language.h"
#include "platform/ui/dialog.h"

namespace i18n {

extern const platform::ui::DialogTemplate kLanguageDialog;  // template 615

// A button's label: "<name in the current language>\n<own name>\n(<English name>)", without the
// own name on English's button and on the current language's.
std::string languageButtonText(LanguageId language, LanguageId current);

// The language of a button id; -1 for any other id.
int languageOfButton(int buttonId);

// Runs the dialog modally over `owner` and returns the id of the button pressed.
int RunLanguageDialog(platform::ui::Window owner);

}  // namespace i18n
