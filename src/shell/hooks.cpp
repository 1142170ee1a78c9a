#include "shell/hooks.h"

#include <array>
#include <map>

namespace shell {
namespace {

struct Hooks {
    std::array<platform::ui::WindowProc, kScreenCount> procedures{};
    std::map<int, DialogOpener> dialogOpeners;
    GrainKeypadOpener grainKeypad;
    std::function<void()> operatorEvent;
    std::array<platform::ui::Window, kDialogCount> openDialogs{};
};

Hooks& hooks() {
    static Hooks instance;
    return instance;
}

}  // namespace

void setScreenProcedure(Screen screen, platform::ui::WindowProc procedure) {
    hooks().procedures[static_cast<int>(screen)] = procedure;
}

platform::ui::WindowProc screenProcedure(Screen screen) {
    return hooks().procedures[static_cast<int>(screen)];
}

void setDialogOpener(int templateId, DialogOpener opener) {
    hooks().dialogOpeners[templateId] = std::move(opener);
}

const DialogOpener* dialogOpener(int templateId) {
    const auto it = hooks().dialogOpeners.find(templateId);
    return it != hooks().dialogOpeners.end() && it->second ? &it->second : nullptr;
}

void setGrainKeypadOpener(GrainKeypadOpener opener) {
    hooks().grainKeypad = std::move(opener);
}

const GrainKeypadOpener* grainKeypadOpener() {
    return hooks().grainKeypad ? &hooks().grainKeypad : nullptr;
}

void setOperatorEventRecorder(std::function<void()> recorder) {
    hooks().operatorEvent = std::move(recorder);
}

void recordOperatorEventHook() {
    if (hooks().operatorEvent) hooks().operatorEvent();
}

void registerOpenDialog(Dialog dialog, platform::ui::Window window) {
    hooks().openDialogs[static_cast<int>(dialog)] = window;
}

void unregisterOpenDialog(Dialog dialog) {
    hooks().openDialogs[static_cast<int>(dialog)] = {};
}

platform::ui::Window openDialogWindow(Dialog dialog) {
    const platform::ui::Window window = hooks().openDialogs[static_cast<int>(dialog)];
    return platform::ui::isWindow(window) ? window : platform::ui::Window{};
}

void clearShellHooks() {
    hooks() = Hooks{};
}

}  // namespace shell
