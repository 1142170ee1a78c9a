#pragma once
// The dialogs of this library, each run modally over its owner, and what they share.

#include <string_view>

#include "platform/ui/dialog.h"
#include "screens/setup/setup_common.h"

namespace moisture {

namespace ui = platform::ui;
namespace gfx = platform::gfx;
using setup::ItemString;
using setup::state;
using setup::text;

void runUnloadParameters(ui::Window owner);  // 513
void runTempManager(ui::Window owner);       // 514
void runWatchdogSetup(ui::Window owner);     // 206
void runUserSettings(ui::Window owner);      // 479
void runBracketedSetup(ui::Window owner);    // 435

// A new program run: the once-per-run warning of the unload parameters may show again.
void resetUnloadWarning();

// The dialog's caption from the string table, set only when it changed.
void setCaption(ui::Window dialog, int stringNumber);

}  // namespace moisture
