#pragma once
// The fixed set of screen windows: created once at start-up in this order, then only shown and
// hidden.

#include <array>
#include <string_view>

#include "shell/shell_env.h"

namespace shell {

// Which windows are up right after creation, before the layout rules run.
enum class StartVisibility {
    Hidden,
    Shown,
    ChartView,   // when dryingMode is 0 and ScreenViewSelection is 0
    PlenumView,  // when ScreenViewSelection is 0
    GraphView,   // when dryingMode is 0 and ScreenViewSelection is 1
};

struct ScreenSpec {
    Screen screen;
    std::string_view className;
    std::string_view title;
    int x, y, width, height;
    bool caption;
    bool topmost;  // topmost with a modal frame: the selection screens and auto-start set-up
    StartVisibility start;
};

inline constexpr int kCreatedScreenCount = kScreenCount - 1;  // DrawGraph belongs to Graph

const std::array<ScreenSpec, kCreatedScreenCount>& screenTable();
const ScreenSpec& screenSpec(Screen screen);

// Visibility at creation, from dryingMode 0 and the view selection loaded from the registry.
bool shownAtStart(const ScreenSpec& entry, int screenViewSelection);

struct MainButtonSpec {
    MainButton button;
    std::string_view name;
    int commandId;
    int x, y, width, height;
    bool shownAtStart;
    int bitmap;  // localized button bitmap number; 0 for the program's own pictures
};

const std::array<MainButtonSpec, kMainButtonCount>& mainButtonTable();
const MainButtonSpec& mainButtonSpec(MainButton button);

}  // namespace shell
