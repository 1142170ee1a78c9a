#include "screens/status/status_screens.h"

#include "screens/status/status_bars.h"
#include "shell/hooks.h"

namespace status {

void wireStatusScreens() {
    shell::setScreenProcedure(shell::Screen::DryerPic, dryerPictureProc);
    shell::setScreenProcedure(shell::Screen::CustomView, plenumViewProc);
    shell::setScreenProcedure(shell::Screen::LineGraph, lineGraphProc);
    shell::setScreenProcedure(shell::Screen::LeftStatusBar, leftStatusBarProc);
    shell::setScreenProcedure(shell::Screen::RightStatusBar, rightStatusBarProc);
}

void resetStatusScreens() {
    resetLineGraphViews();
    resetDryerPicture();
}

}  // namespace status
