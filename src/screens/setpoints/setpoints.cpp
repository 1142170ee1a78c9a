#include "screens/setpoints/setpoints.h"

#include "screens/setpoints/temp_select.h"
#include "screens/setpoints/timer_select.h"
#include "shell/hooks.h"

namespace setpoints {

void wireSetpointScreens() {
    shell::setScreenProcedure(shell::Screen::TimerSelect, timerSelectProc);
    shell::setScreenProcedure(shell::Screen::TempSelect, tempSelectProc);
}

}  // namespace setpoints
