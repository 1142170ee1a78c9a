#include "screens/moisture/moisture.h"

#include "screens/moisture/moisture_dialogs.h"
#include "shell/hooks.h"

namespace moisture {

void setCaption(ui::Window dialog, int stringNumber) {
    const std::string caption = text(stringNumber);
    if (ui::windowText(dialog) != caption) ui::setWindowText(dialog, caption);
}

void showItemText(ui::Window dialog, int id, std::string_view value) {
    if (ui::itemText(dialog, id) == value) return;
    ui::setItemText(dialog, id, value);
    // Fields and plain texts hold no control state, and the window system repaints only the
    // controls that do when their text changes.
    ui::invalidate(ui::dialogItem(dialog, id), true);
}

void wireMoistureScreens() {
    resetUnloadWarning();
    shell::setDialogOpener(kUnloadParametersDialog, runUnloadParameters);
    shell::setDialogOpener(kTempManagerDialog, runTempManager);
    shell::setDialogOpener(kWatchdogDialog, runWatchdogSetup);
    shell::setDialogOpener(kUserSettingsDialog, runUserSettings);
    shell::setDialogOpener(kBracketedSetupDialog, runBracketedSetup);
}

}  // namespace moisture
