#include "screens/diagnostics/diagnostics.h"
#include "screens/diagnostics/pages.h"
#include "shell/hooks.h"

namespace diagnostics {

void wireDiagnostics() {
    shell::setDialogOpener(kDiagnosticsDialog, runDiagnosticsDialog);
    shell::setScreenProcedure(shell::Screen::BootLoader, bootLoaderProc);
}

}  // namespace diagnostics
