#pragma once
// The window procedures of DRYER_LEFT_STATUS_BAR_WINDOW and DRYER_RIGHT_STATUS_BAR_WINDOW.

#include "link/dryer_state.h"
#include "platform/gfx/painter.h"
#include "platform/ui/ui.h"

#include <string>

namespace status {

// The running state the right status bar shows when nothing more urgent is up ("DRYER
// RUNNING", "DRYER READY", ...), in the current language. Any thread.
std::string runningStateWord();

// Whether any fan/heater has its airflow testing disabled, and the notice that says so: red
// with black text in the blink's shown phase, white on black in the other.
bool airflowTestingDisabled(const dryer::ParameterImage& s);
void drawAirflowNotice(platform::gfx::Painter& p, const platform::gfx::Rect& box);

platform::ui::LResult leftStatusBarProc(platform::ui::Window window, uint32_t message,
                                        platform::ui::WParam wp, platform::ui::LParam lp);
platform::ui::LResult rightStatusBarProc(platform::ui::Window window, uint32_t message,
                                         platform::ui::WParam wp, platform::ui::LParam lp);

}  // namespace status
