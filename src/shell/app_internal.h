#pragma once
// Shared between the files of the running shell; not for the screens.

#include <array>
#include <functional>

#include "platform/ui/ui.h"
#include "shell/shell_env.h"

namespace dryer {
class ControllerLink;
}

namespace shell::detail {

struct AppWindows {
    platform::ui::Window main;
    std::array<platform::ui::Window, kScreenCount> screens{};
    std::array<platform::ui::Window, kMainButtonCount> buttons{};
    dryer::ControllerLink* link = nullptr;
    std::function<void()> afterSecondTick;
};

AppWindows& app();

// Posted to the main window by the decoder's hooks, so that the layout runs on the UI thread.
inline constexpr uint32_t kLayoutRequest = platform::ui::kUser + 1;
inline constexpr uint32_t kBatchButtonsRequest = platform::ui::kUser + 2;

bool registerMainWindowClass();
// Creates every screen window in table order, each visible as at start-up.
void createScreenWindows(platform::ui::Window main, int screenViewSelection);
// Keeps the main buttons above the button bar that hosts them.
void raiseMainButtons();

}  // namespace shell::detail
