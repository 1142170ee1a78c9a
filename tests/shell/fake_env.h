#pragma once
// A ShellEnvironment that records what the shell does to the screens and answers its questions
// from a script, for tests of the ticks, the layout rules and the commands without windows.

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shell/shell_env.h"

namespace shelltest {

using shell::Area;
using shell::Dialog;
using shell::MainButton;
using shell::MessageAnswer;
using shell::Screen;

class FakeEnvironment : public shell::ShellEnvironment {
  public:
    // What happened, in order: "show Warning", "invalidate DryerPic erase", "box <text>", ...
    std::vector<std::string> events;
    std::set<Screen> visible;
    std::map<std::pair<Screen, int>, bool> childVisible;
    std::set<std::pair<Screen, int>> heldChildren;
    std::map<MainButton, bool> buttonVisible;
    std::map<MainButton, Area> buttonArea;
    std::set<Dialog> openDialogs;
    std::set<std::pair<Dialog, int>> heldDialogButtons;
    std::deque<MessageAnswer> answers;  // next answers of message boxes; Cancel when empty
    int exchangeSignals = 0;
    int logSteps = 0;
    int operatorEvents = 0;

    int count(const std::string& event) const;
    void clear() { events.clear(); }

    bool isVisible(Screen screen) override { return visible.count(screen) != 0; }
    void setVisible(Screen screen, bool shown) override;
    void invalidate(Screen screen, bool erase, const Area* area) override;
    void setChildVisible(Screen screen, int id, bool shown) override;
    void invalidateChild(Screen screen, int id) override;
    bool childHeld(Screen screen, int id) override { return heldChildren.count({screen, id}); }
    void setButtonVisible(MainButton button, bool shown) override;
    void moveButton(MainButton button, const Area& area) override;
    bool dialogOpen(Dialog dialog) override { return openDialogs.count(dialog) != 0; }
    bool dialogButtonHeld(Dialog dialog, int id) override;
    void sendDialogCommand(Dialog dialog, int id) override;
    void invalidateDialog(Dialog dialog, bool erase, const Area* area) override;
    MessageAnswer messageBox(std::string_view text, std::string_view caption,
                             shell::MessageButtons buttons, shell::MessageIcon icon) override;
    void openDialog(int templateId, Screen owner) override;
    void openGrainSetpointKeypad(shell::GrainSetpoint setpoint, Screen owner) override;
    void signalExchange() override;
    void runLogSteps(const platform::LocalTime& now) override;
    void recordOperatorEvent() override;
};

std::string screenName(Screen screen);
std::string dialogName(Dialog dialog);

}  // namespace shelltest
