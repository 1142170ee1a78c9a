#include "screens/modes/modes.h"

#include "screens/modes/modes_dialogs.h"
#include "shell/hooks.h"

namespace modes {

void wireDryingModeScreens() {
    shell::setDialogOpener(kDryingModeDialog,
                           [](platform::ui::Window owner) { runDryingModeSelection(owner); });
    shell::setDialogOpener(kContinuousFlowDialog,
                           [](platform::ui::Window owner) { runContinuousFlowSetup(owner); });
    shell::setDialogOpener(kStagedBatchDialog,
                           [](platform::ui::Window owner) { runStagedBatchSetup(owner); });
}

}  // namespace modes
