#pragma once
// What the ticks, the layout rules and the main window's commands do to the screens: show, hide,
// repaint, ask. The running program implements it over the window system; tests record it.

#include <cstdint>
#include <string_view>

#include "platform/clock/clock.h"

namespace shell {

// The screen windows created at start-up, in creation order, and the graph's drawing child.
enum class Screen : uint8_t {
    ViewSelection,
    Warning,
    LineGraph,
    AverageValues,
    BootLoader,
    CustomView,
    UnloadStatus,
    LeftStatusBar,
    RightStatusBar,
    ButtonBar,
    TimerSelect,
    TempSelect,
    SetupSelection,
    ExtendedSetupSelection,
    Graph,
    DryerPic,
    BatchDrying,
    AutoStartConfig,
    DrawGraph,  // child of Graph, created by the graph window itself
    Count
};
inline constexpr int kScreenCount = static_cast<int>(Screen::Count);
// Dialogs that open over the main window itself name this as their owner.
inline constexpr Screen kMainWindowOwner = Screen::Count;

// Dialogs the ticks look into while they are open. Each registers itself when it opens.
enum class Dialog : uint8_t {
    ShutdownHelp,
    ShutdownHistory,
    DataLogSetup,
    UnloadParameters,
    MoistureCalibration,
    MeterRollSpeed,
    BushelSetup,
    Count
};
inline constexpr int kDialogCount = static_cast<int>(Dialog::Count);

// The main window's own buttons.
enum class MainButton : uint8_t { Timers, Temps, Setup, View, Misc, Qs, ExitToDryer, Count };
inline constexpr int kMainButtonCount = static_cast<int>(MainButton::Count);

// Left and top inside, right and bottom outside.
struct Area {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Area&) const = default;
};

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Question, Exclamation };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Dialog templates the shell opens; the screens that own them register how (see hooks.h).
inline constexpr int kMeterRollSpeedDialog = 166;
inline constexpr int kDefaultsNoticeDialog = 179;
inline constexpr int kMoistureSetpointDialog = 225;
inline constexpr int kDayDataLoggerSetupDialog = 258;
inline constexpr int kAutoStartStatusDialog = 612;

// The grain setpoints the MISC button edits with the temperature keypad.
enum class GrainSetpoint : uint8_t { Grain, GrainHi, GrainLo };

class ShellEnvironment {
  public:
    virtual ~ShellEnvironment() = default;

    virtual bool isVisible(Screen screen) = 0;
    virtual void setVisible(Screen screen, bool shown) = 0;
    // area == nullptr: the whole window.
    virtual void invalidate(Screen screen, bool erase, const Area* area = nullptr) = 0;

    // Child controls of a screen window, by id; a child that does not exist is skipped.
    virtual void setChildVisible(Screen screen, int id, bool shown) = 0;
    virtual void invalidateChild(Screen screen, int id) = 0;
    virtual bool childHeld(Screen screen, int id) = 0;

    virtual void setButtonVisible(MainButton button, bool shown) = 0;
    virtual void moveButton(MainButton button, const Area& area) = 0;

    // Dialogs that are open; everything on a dialog that is not open is skipped.
    virtual bool dialogOpen(Dialog dialog) = 0;
    virtual bool dialogButtonHeld(Dialog dialog, int id) = 0;
    virtual void sendDialogCommand(Dialog dialog, int id) = 0;
    virtual void invalidateDialog(Dialog dialog, bool erase, const Area* area = nullptr) = 0;

    // Modal: returns when the operator has answered.
    virtual MessageAnswer messageBox(std::string_view text, std::string_view caption,
                                     MessageButtons buttons, MessageIcon icon) = 0;
    // Opens a dialog by its template number over a screen, modally.
    virtual void openDialog(int templateId, Screen owner) = 0;
    // The temperature keypad on a grain setpoint (its edit bytes already hold the controller's
    // value), 50 to 160 degrees F, default 105; ACCEPT raises the setpoint's pending flag.
    virtual void openGrainSetpointKeypad(GrainSetpoint setpoint, Screen owner) = 0;

    virtual void signalExchange() = 0;
    // The logs' share of the one-second tick: long-term record, running flag, short-term and
    // graph samples.
    virtual void runLogSteps(const platform::LocalTime& now) = 0;
    virtual void recordOperatorEvent() = 0;
};

}  // namespace shell
