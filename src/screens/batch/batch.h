#pragma once
// BATCH_DRYING_WINDOW, the upper right panel of the main screen in the staged batch modes: each
// stage's running time under its set time, and a button per stage that edits the set time with
// the time keypad. Holding a stage button asks whether to restart the stage (the shell's
// one-second tick); which heat buttons are shown follows the shell's batch-stage button rule.

#include "platform/ui/ui.h"

namespace batch {

// Gives the shell the window's procedure; before start-up.
void wireBatchScreen();

platform::ui::LResult batchDryingProc(platform::ui::Window window, uint32_t message,
                                      platform::ui::WParam wp, platform::ui::LParam lp);

}  // namespace batch
