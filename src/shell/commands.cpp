#include "shell/commands.h"

#include "i18n/language.h"
#include "link/dryer_state.h"
#include "shell/layout.h"

namespace shell {
namespace {

dryer::DryerState& state() {
    return dryer::dryerState();
}

int moistureControlMode() {
    return state().status.moistureControlMode().get() & 0x07;
}

bool learningPeriodActive() {
    return state().status.mcLearningMinutes().get() > 0 &&
           state().status.operatingModeFlags().bit(2);
}

// True when the operator may go on to the moisture setpoint.
bool confirmDuringLearningPeriod(ShellEnvironment& env) {
    const std::string question = i18n::GetStringsJoined(
        {{608, "The Moisture Control learning period has not expired."},
         {609,
          "Modifying the MC Setpoint is not recommended until the learning period is complete."},
         {610, "Do wish to modify the moisture control setpoint?"}},
        "  ");
    const std::string caption =
        i18n::GetStringOr(611, "MOISTURE CONTROL LEARNING PERIOD STILL ACTIVE");
    return env.messageBox(question, caption, MessageButtons::YesNoCancel,
                          MessageIcon::Exclamation) == MessageAnswer::Yes;
}

void openGrainKeypad(ShellEnvironment& env, GrainSetpoint setpoint) {
    auto& s = state();
    switch (setpoint) {
        case GrainSetpoint::Grain:
            s.beginEdit(s.status.grainTempSetpoint());
            break;
        case GrainSetpoint::GrainHi:
            s.beginEdit(s.status.grainHiTempSetpoint());
            break;
        case GrainSetpoint::GrainLo:
            s.beginEdit(s.status.grainLoTempSetpoint());
            break;
    }
    env.openGrainSetpointKeypad(setpoint, Screen::TempSelect);
}

void openMoistureSetpoint(ShellEnvironment& env) {
    env.openDialog(kMoistureSetpointDialog, Screen::LineGraph);
}

// Staged batch with manual moisture control or a plenum temperature option: the setpoint the
// controller works to in that mode.
bool stagedBatchSetpoint(ShellEnvironment& env) {
    const auto& status = state().status;
    const int mc = status.moistureControlMode().get();
    const int options = status.plenumTempOptions().get();
    const bool manual = (mc & 0x06) == 0x06;
    if (status.dryingMode().get() != 1 || !(manual || (options & 0x30) != 0)) return false;
    if ((options & 0x40) != 0 && (mc & 0x80) != 0) {
        openMoistureSetpoint(env);
    } else if ((options & 0x02) == 0) {
        openGrainKeypad(env, GrainSetpoint::Grain);
    }
    return true;
}

void misc(ShellEnvironment& env) {
    if (state().knobCaptureHold &&
        env.messageBox(i18n::GetString(299), i18n::GetString(300), MessageButtons::YesNoCancel,
                       MessageIcon::Question) == MessageAnswer::Yes) {
        env.openDialog(kMeterRollSpeedDialog, kMainWindowOwner);
    }
    if (state().miscLockout) return;
    if (stagedBatchSetpoint(env)) return;
    switch (moistureControlMode()) {
        case 1:
            if (state().status.dryingMode().get() == 3) {
                openGrainKeypad(env, GrainSetpoint::GrainLo);
                openGrainKeypad(env, GrainSetpoint::GrainHi);
            } else {
                openGrainKeypad(env, GrainSetpoint::Grain);
            }
            break;
        case 3:
            if (learningPeriodActive() && !confirmDuringLearningPeriod(env)) return;
            openMoistureSetpoint(env);
            break;
        case 4:
            openMoistureSetpoint(env);
            break;
        case 5:
            openGrainKeypad(env, GrainSetpoint::Grain);
            break;
        default:
            break;
    }
}

void knobSpeedChange(ShellEnvironment& env) {
    if (moistureControlMode() == 3 && learningPeriodActive() && !confirmDuringLearningPeriod(env)) {
        return;
    }
    env.openDialog(kMeterRollSpeedDialog, kMainWindowOwner);
}

void showSelectionScreen(ShellEnvironment& env, Screen screen) {
    hideStatusScreens(env);
    env.setVisible(screen, true);
}

}  // namespace

bool mainWindowCommand(ShellEnvironment& env, int id) {
    switch (id) {
        case kCmdTimers:
            showSelectionScreen(env, Screen::TimerSelect);
            return true;
        case kCmdTemps:
            showSelectionScreen(env, Screen::TempSelect);
            return true;
        case kCmdSetup:
            env.setVisible(Screen::Warning, false);
            showSelectionScreen(env, Screen::SetupSelection);
            state().statusScreensActive = 0;
            return true;
        case kCmdView:
            env.setVisible(Screen::ViewSelection, true);
            return true;
        case kCmdMisc:
            misc(env);
            return true;
        case kCmdKnobSpeedChange:
            knobSpeedChange(env);
            return true;
        case kCmdDefaultsNotice:
            env.openDialog(kDefaultsNoticeDialog, kMainWindowOwner);
            return true;
        case kCmdExitToDryer:
            returnToMainView(env);
            return true;
        case kCmdQuickStart:
            env.openDialog(kAutoStartStatusDialog, kMainWindowOwner);
            return true;
        default:
            return false;
    }
}

void checkLoopFlags(const std::function<void(int command)>& sendCommand) {
    auto& s = state();
    if (s.knobSpeedChangeRequest.exchange(0) == 1) sendCommand(kCmdKnobSpeedChange);
    if (s.statusEvent188 && !s.pending.defaultsNoticeShowing().raised() &&
        s.statusEvent188.exchange(0) != 0) {
        sendCommand(kCmdDefaultsNotice);
    }
}

}  // namespace shell
