#include "shell/fake_env.h"

#include <algorithm>

namespace shelltest {

std::string screenName(Screen screen) {
    static const char* const kNames[] = {"ViewSelection",  "Warning",
                                         "LineGraph",      "AverageValues",
                                         "BootLoader",     "CustomView",
                                         "UnloadStatus",   "LeftStatusBar",
                                         "RightStatusBar", "ButtonBar",
                                         "TimerSelect",    "TempSelect",
                                         "SetupSelection", "ExtendedSetupSelection",
                                         "Graph",          "DryerPic",
                                         "BatchDrying",    "AutoStartConfig",
                                         "DrawGraph",      "MainWindow"};
    return kNames[static_cast<int>(screen)];
}

std::string dialogName(Dialog dialog) {
    static const char* const kNames[] = {
        "ShutdownHelp",        "ShutdownHistory", "DataLogSetup", "UnloadParameters",
        "MoistureCalibration", "MeterRollSpeed",  "BushelSetup"};
    return kNames[static_cast<int>(dialog)];
}

namespace {
std::string areaText(const Area* area) {
    if (area == nullptr) return "";
    return " " + std::to_string(area->left) + "," + std::to_string(area->top) + "," +
           std::to_string(area->right) + "," + std::to_string(area->bottom);
}
}  // namespace

int FakeEnvironment::count(const std::string& event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
}

void FakeEnvironment::setVisible(Screen screen, bool shown) {
    if (shown) {
        visible.insert(screen);
    } else {
        visible.erase(screen);
    }
    events.push_back((shown ? "show " : "hide ") + screenName(screen));
}

void FakeEnvironment::invalidate(Screen screen, bool erase, const Area* area) {
    events.push_back("invalidate " + screenName(screen) + (erase ? " erase" : "") + areaText(area));
}

void FakeEnvironment::setChildVisible(Screen screen, int id, bool shown) {
    childVisible[{screen, id}] = shown;
}

void FakeEnvironment::invalidateChild(Screen screen, int id) {
    events.push_back("invalidate " + screenName(screen) + "/" + std::to_string(id));
}

void FakeEnvironment::setButtonVisible(MainButton button, bool shown) {
    buttonVisible[button] = shown;
}

void FakeEnvironment::moveButton(MainButton button, const Area& area) {
    buttonArea[button] = area;
}

bool FakeEnvironment::dialogButtonHeld(Dialog dialog, int id) {
    return heldDialogButtons.count({dialog, id}) != 0;
}

void FakeEnvironment::sendDialogCommand(Dialog dialog, int id) {
    events.push_back("command " + dialogName(dialog) + " " + std::to_string(id));
}

void FakeEnvironment::invalidateDialog(Dialog dialog, bool erase, const Area* area) {
    if (!dialogOpen(dialog)) return;
    events.push_back("invalidate " + dialogName(dialog) + (erase ? " erase" : "") + areaText(area));
}

MessageAnswer FakeEnvironment::messageBox(std::string_view text, std::string_view caption,
                                          shell::MessageButtons, shell::MessageIcon) {
    events.push_back("box " + std::string(caption) + ": " + std::string(text));
    if (answers.empty()) return MessageAnswer::Cancel;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakeEnvironment::openDialog(int templateId, Screen owner) {
    events.push_back("dialog " + std::to_string(templateId) + " over " + screenName(owner));
}

void FakeEnvironment::openGrainSetpointKeypad(shell::GrainSetpoint setpoint, Screen owner) {
    static const char* const kNames[] = {"grain", "grainHi", "grainLo"};
    events.push_back(std::string("keypad ") + kNames[static_cast<int>(setpoint)] + " over " +
                     screenName(owner));
}

void FakeEnvironment::signalExchange() {
    ++exchangeSignals;
    events.push_back("exchange");
}

void FakeEnvironment::runLogSteps(const platform::LocalTime&) {
    ++logSteps;
    events.push_back("logs");
}

void FakeEnvironment::recordOperatorEvent() {
    ++operatorEvents;
    events.push_back("operator event");
}

}  // namespace shelltest
