#include "shell/screen_table.h"

namespace shell {
namespace {

using enum Screen;
using enum StartVisibility;

constexpr std::array<ScreenSpec, kCreatedScreenCount> kScreens = {{
    {ViewSelection, "VIEW_SELECTION_WINDOW", "  VIEW SELECTION WINDOW - 04", 100, 50, 450, 275,
     true, true, Hidden},
    {Warning, "WARNING_WINDOW", " WARNING - DRYER SHUTTING DOWN! - 05", 10, 20, 600, 325, true,
     false, Hidden},
    {LineGraph, "LINE_GRAPH_WINDOW", " GRAIN TEMPERATURE / MOISTURE", 0, 40, 240, 205, true, false,
     Hidden},
    {AverageValues, "AVERAGE_VALUES_WINDOW", " DRYER STATUS CHART", 240, 40, 400, 205, true, false,
     ChartView},
    {BootLoader, "BOOT_LOADER_WINDOW", " UPDATE DRYER PROGRAMMING", 0, 0, 640, 480, true, false,
     Hidden},
    {CustomView, "CUSTOM_VIEW_WINDOW", "  PLENUM(S)", 240, 245, 400, 175, true, false, PlenumView},
    {UnloadStatus, "UNLOAD_STATUS_WINDOW", " UNLOAD STATUS", 0, 245, 240, 175, true, false, Hidden},
    {LeftStatusBar, "DRYER_LEFT_STATUS_BAR_WINDOW", " DRYER BAR STATUS", 0, 0, 240, 40, false,
     false, Hidden},
    {RightStatusBar, "DRYER_RIGHT_STATUS_BAR_WINDOW", " DRYER BAR STATUS", 240, 0, 400, 40, false,
     false, Shown},
    {ButtonBar, "BUTTON_BAR_WINDOW", " DRYER BAR STATUS", 0, 420, 640, 55, false, false, Shown},
    {TimerSelect, "TIMER_SELECT_WINDOW", " SELECT TIMER TO MODIFY - 01", 0, 0, 640, 475, true, true,
     Hidden},
    {TempSelect, "TEMP_SELECT_WINDOW", " SELECT TEMPERATURE SETPOINT TO MODIFY - 02", 0, 0, 640,
     475, true, true, Hidden},
    {SetupSelection, "SETUP_SELECTION_WINDOW", " SELECT HARDWARE SETUP PARAMETER TO MODIFY - 03", 0,
     0, 640, 475, true, true, Hidden},
    {ExtendedSetupSelection, "EXTENDED_SETUP_SELECTION_WINDOW_NEW",
     " SELECT SETUP PARAMETER TO MODIFY - 06", 0, 0, 640, 475, true, true, Hidden},
    {Graph, "GRAPH_WINDOW", " GRAPH OF SELECTED DRYER VARIABLES", 240, 40, 400, 380, false, false,
     GraphView},
    {DryerPic, "DRYER_PIC_WINDOW", " SYSTEM STATUS", 0, 0, 240, 420, false, false, Shown},
    {BatchDrying, "BATCH_DRYING_WINDOW", " BATCH DRYING TIMERS", 240, 40, 400, 205, true, false,
     Hidden},
    {AutoStartConfig, "AUTO_START_CONFIG_WINDOW", " SELECT HARDWARE SETUP PARAMETER TO MODIFY - 03",
     0, 0, 640, 475, true, true, Hidden},
}};

constexpr std::array<MainButtonSpec, kMainButtonCount> kMainButtons = {{
    {MainButton::Timers, "TIMERS", 0x8801, 20, 427, 105, 40, true, 1},
    {MainButton::Temps, "TEMPS", 0x8802, 144, 427, 105, 40, true, 2},
    {MainButton::Setup, "SETUP", 0x8803, 268, 427, 105, 40, true, 3},
    {MainButton::View, "VIEW", 0x8804, 392, 427, 105, 40, true, 4},
    {MainButton::Misc, "MISC", 0x8805, 516, 427, 105, 40, true, 5},
    {MainButton::Qs, "QS", 0x9093, 585, 427, 44, 40, false, 0},
    {MainButton::ExitToDryer, "EXIT_TO_DRYER", 0x8840, 425, 300, 186, 100, false, 0},
}};

}  // namespace

const std::array<ScreenSpec, kCreatedScreenCount>& screenTable() {
    return kScreens;
}

const ScreenSpec& screenSpec(Screen screen) {
    return kScreens[static_cast<int>(screen)];
}

bool shownAtStart(const ScreenSpec& entry, int screenViewSelection) {
    switch (entry.start) {
        case Hidden:
            return false;
        case Shown:
            return true;
        case ChartView:
        case PlenumView:
            return screenViewSelection == 0;
        case GraphView:
            return screenViewSelection == 1;
    }
    return false;
}

const std::array<MainButtonSpec, kMainButtonCount>& mainButtonTable() {
    return kMainButtons;
}

const MainButtonSpec& mainButtonSpec(MainButton button) {
    return kMainButtons[static_cast<int>(button)];
}

}  // namespace shell
