#pragma once
// The language selection dialog ("Select Language to Use"): thirteen two-line buttons, the
// language's name in the current language over its English name. Pressing one makes that
// language current, repaints the window that opened the dialog and closes the dialog with the
// button's id; there is no other way out. The opener reloads its button bitmaps afterwards
// (ReloadButtonBitmaps).

#include "platform/ui/dialog.h"

namespace i18n {

extern const platform::ui::DialogTemplate kLanguageDialog;  // template 615

// The language of a button id; -1 for any other id.
int languageOfButton(int buttonId);

// Runs the dialog modally over `owner` and returns the id of the button pressed.
int RunLanguageDialog(platform::ui::Window owner);

}  // namespace i18n
