#pragma once
// The temperature setpoint screen's window procedure (TEMP_SELECT_WINDOW).

#include "platform/ui/ui.h"

namespace setpoints {

inline constexpr int kTemperatureScreenExitButton = 34837;

platform::ui::LResult tempSelectProc(platform::ui::Window screen, uint32_t message,
                                     platform::ui::WParam wp, platform::ui::LParam lp);

}  // namespace setpoints
