#include "shell/layout.h"

#include "link/dryer_state.h"
#include "logging/view_settings.h"
#include "shell/screen_table.h"

namespace shell {
namespace {

constexpr MainButton kFiveMainButtons[] = {MainButton::Timers, MainButton::Temps, MainButton::Setup,
                                           MainButton::View, MainButton::Misc};

void showGraphView(ShellEnvironment& env, bool graph) {
    env.setVisible(Screen::DrawGraph, graph);
    env.setVisible(Screen::Graph, graph);
}

}  // namespace

void updateScreenLayout(ShellEnvironment& env) {
    auto& state = dryer::dryerState();
    logging::ScreenViewSelection = state.status.userSettings().bit(6) ? 1 : 0;
    updateBatchStageButtons(env);
    if (state.status.dryingMode().get() == 0) {
        const bool graph = logging::ScreenViewSelection == 1;
        showGraphView(env, graph);
        env.setVisible(Screen::CustomView, !graph);
        env.setVisible(Screen::AverageValues, !graph);
        env.setVisible(Screen::BatchDrying, false);
    } else {
        showGraphView(env, false);
        env.setVisible(Screen::AverageValues, false);
        env.setVisible(Screen::CustomView, true);
        env.setVisible(Screen::BatchDrying, true);
    }
}

bool batchHasTwoHeatStages(const dryer::ParameterImage& status) {
    const int mode = status.dryingMode().get();
    if (mode == 0) return false;
    if (mode == 3) return true;
    return status.plenumTempOptions().bit(1);
}

void updateBatchStageButtons(ShellEnvironment& env) {
    const bool twoHeatStages = batchHasTwoHeatStages(dryer::dryerState().status);
    env.setChildVisible(Screen::BatchDrying, kHiHeatButton, twoHeatStages);
    env.setChildVisible(Screen::BatchDrying, kLoHeatButton, twoHeatStages);
    env.setChildVisible(Screen::BatchDrying, kDryButton, !twoHeatStages);
    env.invalidateChild(Screen::BatchDrying, kDryButton);
}

void layoutButtonBar(ShellEnvironment& env) {
    const bool quickStart = dryer::dryerState().status.hardwareOptions().bit(0);
    env.setButtonVisible(MainButton::Qs, quickStart);
    const int first = quickStart ? 10 : 20;
    const int step = quickStart ? 115 : 124;
    for (int i = 0; i < 5; ++i) {
        const int x = first + step * i;
        env.moveButton(kFiveMainButtons[i], Area{x, 427, x + 105, 427 + 40});
    }
}

void showLeftColumn(ShellEnvironment& env) {
    const bool values = logging::LeftColumnSelection == 1;
    env.setVisible(Screen::DryerPic, !values);
    for (Screen screen : {Screen::LeftStatusBar, Screen::LineGraph, Screen::UnloadStatus})
        env.setVisible(screen, values);
}

void hideStatusScreens(ShellEnvironment& env) {
    for (Screen screen :
         {Screen::LeftStatusBar, Screen::LineGraph, Screen::UnloadStatus, Screen::RightStatusBar,
          Screen::CustomView, Screen::AverageValues, Screen::ButtonBar, Screen::DrawGraph,
          Screen::Graph, Screen::DryerPic, Screen::BatchDrying}) {
        env.setVisible(screen, false);
    }
    for (MainButton button : kFiveMainButtons)
        env.setButtonVisible(button, false);
    env.setButtonVisible(MainButton::Qs, false);
}

void returnToMainView(ShellEnvironment& env) {
    env.setButtonVisible(MainButton::ExitToDryer, false);
    env.setVisible(Screen::BootLoader, false);
    env.setVisible(Screen::ButtonBar, true);
    env.setVisible(Screen::RightStatusBar, true);
    updateScreenLayout(env);
    showLeftColumn(env);
    for (MainButton button : kFiveMainButtons)
        env.setButtonVisible(button, true);
    layoutButtonBar(env);
}

}  // namespace shell
