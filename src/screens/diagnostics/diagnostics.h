#pragma once
// The service pages: the "System Diagnostics - 14" dialog with its questions, the display I/O
// test pages, the metering-roll output voltage setup, and the programming window.

#include "platform/ui/ui.h"

namespace diagnostics {

// Dialog templates.
inline constexpr int kDiagnosticsDialog = 168;
inline constexpr int kLightOutputsDialog = 202;
inline constexpr int kSwitchTestDialog = 203;
inline constexpr int kVoltageSetupDialog = 252;
inline constexpr int kMrSpeedViaScreenDialog = 606;
inline constexpr int kMrSensorShutdownDialog = 607;
inline constexpr int kAirSwitchDialog = 608;
inline constexpr int kMoistureCalibrationDialog = 223;

// Controls of the diagnostics dialog.
inline constexpr int kExitButton = 1040;
inline constexpr int kSetupMeteringRollsButton = 1041;
inline constexpr int kCheckLightOutputsButton = 1042;
inline constexpr int kCheckSwitchWiringButton = 1043;
inline constexpr int kMrSpeedViaScreenButton = 1044;
inline constexpr int kAirSwitchButton = 1045;
inline constexpr int kMrSensorShutdownButton = 1046;
inline constexpr int kAirSwitchBox = 1047;
inline constexpr int kCalibrateMoistureButton = 1048;
inline constexpr int kHelpButton = 1049;

// Registers the diagnostics dialog's opener and the programming window's procedure with the
// shell; before start-up.
void wireDiagnostics();

// Runs "System Diagnostics - 14" modally over `owner`.
void runDiagnosticsDialog(platform::ui::Window owner);

}  // namespace diagnostics
