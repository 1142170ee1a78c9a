#include "screens/setup/setup.h"

#include "screens/setup/setup_dialogs.h"
#include "shell/hooks.h"

namespace setup {

constexpr int kMoistureCalibrationDialog = 223;

void wireSetupScreens() {
    shell::setScreenProcedure(shell::Screen::SetupSelection, setupSelectionProc);
    shell::setScreenProcedure(shell::Screen::ExtendedSetupSelection, extendedSetupProc);
    shell::setScreenProcedure(shell::Screen::UnloadStatus, unloadStatusProc);
    shell::setDialogOpener(shell::kMeterRollSpeedDialog, runMeterRollSpeed);
    shell::setDialogOpener(shell::kDefaultsNoticeDialog, runDefaultsNotice);
    shell::setDialogOpener(shell::kMoistureSetpointDialog, runMoistureSetpoint);
    shell::setDialogOpener(kMoistureCalibrationDialog, runMoistureCalibration);
}

}  // namespace setup
