#include "screens/moisture/moisture.h"

#include "screens/moisture/moisture_dialogs.h"
#include "shell/hooks.h"

namespace moisture {

void setCaption(ui::Window dialog, int stringNumber) {
    const std::string caption = text(stringNumber);
    if (ui::windowText(dialog) != caption) ui::setWindowText(dialog, caption);
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
