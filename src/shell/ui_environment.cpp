// The shell's environment in the running program: the window system, the link and the logs.
#include <string>

#include "i18n/language.h"
#include "link/controller_link.h"
#include "link/dryer_state.h"
#include "logging/log_ticks.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/display.h"
#include "shell/app.h"
#include "shell/app_internal.h"
#include "shell/hooks.h"

namespace shell {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

using detail::app;

gfx::Rect rectOf(const Area& area) {
    return {area.left, area.top, area.right, area.bottom};
}

void invalidateWindow(ui::Window window, bool erase, const Area* area) {
    if (area != nullptr) {
        ui::invalidateRect(window, rectOf(*area), erase);
    } else {
        ui::invalidate(window, erase);
    }
}

// The graph window makes its drawing child itself; it is found once it exists.
ui::Window drawGraphWindow() {
    ui::Window& cached = app().screens[static_cast<int>(Screen::DrawGraph)];
    if (ui::isWindow(cached)) return cached;
    const ui::Window graph = app().screens[static_cast<int>(Screen::Graph)];
    for (ui::Window w : ui::allWindows()) {
        if (ui::parentOf(w) == graph && ui::windowClassName(w) == "DRAW_GRAPH_WINDOW") {
            cached = w;
            break;
        }
    }
    return cached;
}

unsigned messageFlags(MessageButtons buttons, MessageIcon icon) {
    unsigned flags = ui::kMbOk;
    switch (buttons) {
        case MessageButtons::Ok:
            flags = ui::kMbOk;
            break;
        case MessageButtons::OkCancel:
            flags = ui::kMbOkCancel;
            break;
        case MessageButtons::YesNo:
            flags = ui::kMbYesNo;
            break;
        case MessageButtons::YesNoCancel:
            flags = ui::kMbYesNoCancel;
            break;
    }
    switch (icon) {
        case MessageIcon::None:
            break;
        case MessageIcon::Information:
            flags |= ui::kMbIconInformation;
            break;
        case MessageIcon::Question:
            flags |= ui::kMbIconQuestion;
            break;
        case MessageIcon::Exclamation:
            flags |= ui::kMbIconExclamation;
            break;
    }
    return flags;
}

MessageAnswer answerOf(int id) {
    switch (id) {
        case ui::kIdOk:
            return MessageAnswer::Ok;
        case ui::kIdYes:
            return MessageAnswer::Yes;
        case ui::kIdNo:
            return MessageAnswer::No;
        default:
            return MessageAnswer::Cancel;
    }
}

class UiEnvironment : public ShellEnvironment {
  public:
    bool isVisible(Screen screen) override { return ui::isVisible(window(screen)); }
    void setVisible(Screen screen, bool shown) override { ui::showWindow(window(screen), shown); }
    void invalidate(Screen screen, bool erase, const Area* area) override {
        invalidateWindow(window(screen), erase, area);
    }
    void setChildVisible(Screen screen, int id, bool shown) override {
        const ui::Window child = ui::childById(window(screen), id);
        if (ui::isVisible(child) != shown) ui::showWindow(child, shown);
    }
    void invalidateChild(Screen screen, int id) override {
        ui::invalidate(ui::childById(window(screen), id), true);
    }
    bool childHeld(Screen screen, int id) override {
        return ui::isButtonHeld(ui::childById(window(screen), id));
    }
    void setButtonVisible(MainButton button, bool shown) override {
        const ui::Window w = app().buttons[static_cast<int>(button)];
        ui::showWindow(w, shown);
        if (shown) ui::bringToTop(w);
    }
    void moveButton(MainButton button, const Area& area) override {
        const ui::Window w = app().buttons[static_cast<int>(button)];
        ui::moveWindow(w, rectOf(area));
        ui::invalidate(w, true);
    }
    bool dialogOpen(Dialog dialog) override { return bool(openDialogWindow(dialog)); }
    bool dialogButtonHeld(Dialog dialog, int id) override {
        return ui::isButtonHeld(ui::childById(openDialogWindow(dialog), id));
    }
    void sendDialogCommand(Dialog dialog, int id) override {
        const ui::Window w = openDialogWindow(dialog);
        if (!w) return;
        ui::sendMessage(w, ui::kCommand, ui::commandParam(id), ui::childById(w, id).id);
    }
    void invalidateDialog(Dialog dialog, bool erase, const Area* area) override {
        if (const ui::Window w = openDialogWindow(dialog)) invalidateWindow(w, erase, area);
    }
    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             MessageButtons buttons, MessageIcon icon) override {
        return answerOf(ui::messageBox(app().main, text, caption, messageFlags(buttons, icon)));
    }
    void openDialog(int templateId, Screen owner) override {
        if (const DialogOpener* opener = dialogOpener(templateId)) {
            (*opener)(window(owner));
        } else {
            notAvailable();
        }
    }
    void openGrainSetpointKeypad(GrainSetpoint setpoint, Screen owner) override {
        if (const GrainKeypadOpener* opener = grainKeypadOpener()) {
            (*opener)(setpoint, window(owner));
        } else {
            notAvailable();
        }
    }
    void signalExchange() override {
        if (app().link != nullptr) app().link->signalExchange();
    }
    void runLogSteps(const platform::LocalTime& now) override {
        logging::LogHooks hooks;
        hooks.longTermRecordStep = [this] {
            invalidateDialog(Dialog::DataLogSetup, true, nullptr);
        };
        hooks.logFullWarning = [this] { askToOpenLoggerSetup(); };
        hooks.shortTermSampleWritten = [this] { invalidate(Screen::AverageValues, true, nullptr); };
        hooks.graphSampleWritten = [this] { invalidate(Screen::DrawGraph, false, nullptr); };
        logging::RunLogTickSteps(dryer::dryerState(), now, hooks);
    }
    void recordOperatorEvent() override { recordOperatorEventHook(); }

  private:
    static ui::Window window(Screen screen) {
        if (screen == kMainWindowOwner) return app().main;
        if (screen == Screen::DrawGraph) return drawGraphWindow();
        return app().screens[static_cast<int>(screen)];
    }

    void notAvailable() {
        messageBox(i18n::GetStringOr(604, "This function is not part of this build yet."),
                   i18n::GetStringOr(603, "NOT AVAILABLE"), MessageButtons::Ok,
                   MessageIcon::Information);
    }

    void askToOpenLoggerSetup() {
        const std::string question = i18n::GetStringsJoined(
            {{605, "Data Logger close to full.  Do you wish to open Data Logger"},
             {606, "Setup Window?"}},
            " \n ");
        if (messageBox(question, i18n::GetStringOr(607, "DATA LOG FILE SIZE WARNING"),
                       MessageButtons::YesNo, MessageIcon::Exclamation) == MessageAnswer::Yes) {
            openDialog(kDayDataLoggerSetupDialog, Screen::SetupSelection);
        }
    }
};

}  // namespace

ShellEnvironment& environment() {
    static UiEnvironment instance;
    return instance;
}

}  // namespace shell
