#pragma once
// The timer screen's window procedure (TIMER_SELECT_WINDOW).

#include "platform/ui/ui.h"

namespace setpoints {

inline constexpr int kTimerScreenExitButton = 34836;

platform::ui::LResult timerSelectProc(platform::ui::Window screen, uint32_t message,
                                      platform::ui::WParam wp, platform::ui::LParam lp);

}  // namespace setpoints
