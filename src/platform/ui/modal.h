#pragma once
// The modal machinery shared by template dialogs and message boxes.

#include <string_view>

#include "platform/ui/dialog.h"

namespace platform::ui::detail {

// A hidden dialog window with a client area of `client` pixels, centred on the screen.
Window createDialogWindow(std::string_view title, Size client, Window owner, DialogProc proc);
// Shows the dialog and runs it until endDialog; then destroys it.
int runModal(Window dialog, Window owner);
void registerDialogClass();

}  // namespace platform::ui::detail
