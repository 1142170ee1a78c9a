// Start-up and the message loop of the display.
#include "shell/app.h"

#include "i18n/language.h"
#include "link/dryer_state.h"
#include "logging/view_settings.h"
#include "platform/ui/controls.h"
#include "shell/app_internal.h"
#include "shell/commands.h"
#include "shell/hooks.h"
#include "shell/layout.h"
#include "shell/periodic.h"
#include "shell/ticks.h"

namespace shell {
namespace ui = platform::ui;

namespace detail {

AppWindows& app() {
    static AppWindows windows;
    return windows;
}

}  // namespace detail

namespace {

using detail::app;

void onTick175(ui::Window, uint32_t, int64_t) {
    tick175(environment());
}
void onTickSecond(ui::Window, uint32_t, int64_t) {
    tickSecond(environment());
    if (app().afterSecondTick) app().afterSecondTick();
}
void onTick100(ui::Window, uint32_t, int64_t) {
    tick100(environment());
}

bool createMainWindow() {
    if (!detail::registerMainWindowClass()) return false;
    app().main = ui::createWindow(kWindowClassName, kWindowTitle, ui::kTopmost | ui::kVisible,
                                  ui::kDefaultRect);
    return bool(app().main);
}

ui::Window screenOf(Screen screen) {
    return app().screens[static_cast<int>(screen)];
}

// The decoder asks for repaints of the screens by role; the screens' own dialogs and child
// windows register themselves.
void registerDecoderHooks() {
    using dryer::Window;
    auto& hooks = dryer::dryerState().hooks;
    const std::pair<Window, Screen> screens[] = {
        {Window::DryerPicture, Screen::DryerPic},
        {Window::PlenumView, Screen::CustomView},
        {Window::StatusChart, Screen::AverageValues},
        {Window::BatchDrying, Screen::BatchDrying},
        {Window::RightStatusBar, Screen::RightStatusBar},
        {Window::LineGraph, Screen::LineGraph},
        {Window::UnloadStatus, Screen::UnloadStatus},
        {Window::SetupSelection, Screen::SetupSelection},
        {Window::AutoStartConfig, Screen::AutoStartConfig},
    };
    for (const auto& [role, screen] : screens) {
        const ui::Window window = screenOf(screen);
        hooks.registerWindow(role, [window](bool erase, const dryer::RepaintArea* area) {
            if (area == nullptr) {
                ui::invalidate(window, erase);
            } else {
                ui::invalidateRect(window, {area->left, area->top, area->right, area->bottom},
                                   erase);
            }
        });
    }
    const ui::Window misc = app().buttons[static_cast<int>(MainButton::Misc)];
    hooks.registerWindow(Window::MiscButton, [misc](bool erase, const dryer::RepaintArea*) {
        ui::invalidate(misc, erase);
    });
    hooks.setScreenLayoutUpdate(requestScreenLayout);
    hooks.setBatchStageButtonUpdate(requestBatchStageButtons);
}

void sendMainCommand(int command) {
    ui::sendMessage(app().main, ui::kCommand, ui::commandParam(command), 0);
}

}  // namespace

bool initInstance(const StartupSteps& steps) {
    // Before any paint and before the link can deliver a frame that this would overwrite.
    dryer::dryerState().status.statusFlags171().set(0xA0);
    if (!createMainWindow()) return false;
    logging::LoadViewSettings();
    detail::createScreenWindows(app().main, logging::ScreenViewSelection);
    updateScreenLayout(environment());
    showLeftColumn(environment());
    registerDecoderHooks();
    if (steps.openControllerLink) steps.openControllerLink();
    app().afterSecondTick = steps.afterSecondTick;
    ui::setTimer(app().main, kTimer175, 175, onTick175);
    ui::setTimer(app().main, kTimerSecond, 1000, onTickSecond);
    ui::setTimer(app().main, kTimer100, 100, onTick100);
    if (steps.openShutdownHistory) steps.openShutdownHistory();
    ui::updateWindow(app().main);
    return true;
}

int runShell(const StartupSteps& steps) {
    if (!initInstance(steps)) return 0;
    ui::bringToTop(app().main);
    i18n::ReadLanguageConfig();
    if (steps.started) steps.started();
    return runMessageLoop();
}

int runMessageLoop() {
    ui::runNestedLoop([] {
        checkLoopFlags(sendMainCommand);
        return false;
    });
    return ui::runMessageLoop();
}

void attachControllerLink(dryer::ControllerLink* link) {
    app().link = link;
}

ui::Window mainWindow() {
    return app().main;
}
ui::Window screenWindow(Screen screen) {
    return screenOf(screen);
}
ui::Window mainButtonWindow(MainButton button) {
    return app().buttons[static_cast<int>(button)];
}

void requestScreenLayout() {
    ui::postMessage(app().main, detail::kLayoutRequest);
}
void requestBatchStageButtons() {
    ui::postMessage(app().main, detail::kBatchButtonsRequest);
}

void returnToMainView() {
    shell::returnToMainView(environment());
}

void resetShell() {
    auto& hooks = dryer::dryerState().hooks;
    hooks.setScreenLayoutUpdate({});
    hooks.setBatchStageButtonUpdate({});
    for (int i = 0; i < dryer::kWindowCount; ++i)
        hooks.unregisterWindow(static_cast<dryer::Window>(i));
    app() = detail::AppWindows{};
    periodic() = PeriodicState{};
}

}  // namespace shell
