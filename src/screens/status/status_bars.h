#pragma once
// The window procedures of DRYER_LEFT_STATUS_BAR_WINDOW and DRYER_RIGHT_STATUS_BAR_WINDOW.

#include "platform/ui/ui.h"

#include <string>

namespace status {

// The running state the right status bar shows when nothing more urgent is up ("DRYER
// RUNNING", "DRYER READY", ...), in the current language. Any thread.
std::string runningStateWord();

platform::ui::LResult leftStatusBarProc(platform::ui::Window window, uint32_t message,
                                        platform::ui::WParam wp, platform::ui::LParam lp);
platform::ui::LResult rightStatusBarProc(platform::ui::Window window, uint32_t message,
                                         platform::ui::WParam wp, platform::ui::LParam lp);

}  // namespace status
