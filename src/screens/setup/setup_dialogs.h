#pragma once
// The setup screens and dialogs inside this library. Each dialog runs modally over its owner.

#include "platform/ui/ui.h"

namespace setup {

platform::ui::LResult setupSelectionProc(platform::ui::Window window, uint32_t message,
                                         platform::ui::WParam wp, platform::ui::LParam lp);
platform::ui::LResult extendedSetupProc(platform::ui::Window window, uint32_t message,
                                        platform::ui::WParam wp, platform::ui::LParam lp);
platform::ui::LResult unloadStatusProc(platform::ui::Window window, uint32_t message,
                                       platform::ui::WParam wp, platform::ui::LParam lp);

void runUnitsQuestion(platform::ui::Window owner);             // 597
void runMeterRollReverseQuestion(platform::ui::Window owner);  // 598
void runClearBatchCountQuestion(platform::ui::Window owner);   // 599
void runHardwareSetup(platform::ui::Window owner);             // 164
void runBurnerMode(platform::ui::Window owner);                // 177
void runBurnerDifferential(platform::ui::Window owner);        // 170
void runMeterRollSpeed(platform::ui::Window owner);            // 166
void runDefaultsNotice(platform::ui::Window owner);            // 179
void runMoistureCalibration(platform::ui::Window owner);       // 223
void runBushelSetup(platform::ui::Window owner);               // 226
void runMoistureSetpoint(platform::ui::Window owner);          // 225, for the target last set

}  // namespace setup
