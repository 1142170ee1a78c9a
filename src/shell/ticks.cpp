#include "shell/ticks.h"

#include <array>
#include <string>

#include "i18n/language.h"
#include "i18n/resources.h"
#include "link/dryer_state.h"
#include "shell/layout.h"
#include "shell/periodic.h"

namespace shell {
namespace {

dryer::DryerState& state() {
    return dryer::dryerState();
}

bool shutdownPresent() {
    return state().status.shutdownNodeId().get() > 0 ||
           state().status.shutdownWarningId().get() > 0;
}

bool dryerRunning() {
    return state().status.statusFlags172().bit(0) || state().status.statusFlags171().bit(6);
}

// ---- 175 ms ----------------------------------------------------------------------------------

void followHardwareOptions(ShellEnvironment& env, PeriodicState& p) {
    const auto options = static_cast<uint8_t>(state().status.hardwareOptions().get());
    if (!p.hardwareOptionsKnown) {
        p.hardwareOptionsKnown = true;
        p.rememberedHardwareOptions = options;
    } else if (options != p.rememberedHardwareOptions) {
        p.rememberedHardwareOptions = options;
        layoutButtonBar(env);
    }
}

void stepSetupRefresh(ShellEnvironment& env, PeriodicState& p) {
    if (!p.setupRefreshPending) return;
    if (p.setupRefreshDelay > 0) --p.setupRefreshDelay;
    if (p.setupRefreshDelay > 0) return;
    p.setupRefreshPending = 0;
    p.setupRefreshDelay = 25;
    env.invalidate(Screen::LineGraph, true);
    env.invalidate(Screen::CustomView, true);
}

// ---- one second ------------------------------------------------------------------------------

void sendClock(const platform::LocalTime& now) {
    auto& s = state();
    const auto hold = s.hold();
    const int fields[5] = {now.minute, now.hour, now.day, now.month, now.year % 100};
    for (int i = 0; i < 5; ++i)
        s.edit.clock(i).set(fields[i]);
    s.commitEdit(s.pending.clock());
}

void keepSetupButtons(ShellEnvironment& env) {
    const auto& status = state().status;
    const bool singleColumn = status.dryerModelFlags().bit(5);
    env.setChildVisible(Screen::ExtendedSetupSelection, kDryerModelButton,
                        status.statusByte183().bit(2));
    env.setChildVisible(Screen::ExtendedSetupSelection, kMeterRollReverseButton,
                        status.statusByte183().bit(1) && !singleColumn);
    env.setChildVisible(Screen::SetupSelection, kBurnerModeButton, !singleColumn);
}

void stepHistoryExitHold(ShellEnvironment& env, PeriodicState& p) {
    if (!env.dialogOpen(Dialog::ShutdownHistory)) return;
    if (!env.dialogButtonHeld(Dialog::ShutdownHistory, kHistoryExitButton)) {
        p.historyExitHoldSeconds = 5;
    } else if (p.historyExitHoldSeconds > 0) {
        --p.historyExitHoldSeconds;
    }
}

struct StageGroup {
    int firstButton;
    int secondButton;  // 0: none
    int question;      // string number; the second button's question follows below
    int secondQuestion;
    dryer::Field (dryer::ParameterImage::*setpoint)() const;
    dryer::Field (dryer::ParameterImage::*running)() const;
    dryer::Flag (dryer::PendingFlags::*flag)() const;
};

using Image = dryer::ParameterImage;
using Flags = dryer::PendingFlags;

const std::array<StageGroup, 4> kStageGroups = {{
    {kDryButton, kHiHeatButton, 513, 514, &Image::heatStageTimeSetpoint, &Image::heatStageTime,
     &Flags::heatStageTime},
    {kLoHeatButton, 0, 516, 516, &Image::loHeatStageTimeSetpoint, &Image::loHeatStageTime,
     &Flags::loHeatStageTime},
    {kCoolButton, 0, 517, 517, &Image::coolStageTimeSetpoint, &Image::coolStageTime,
     &Flags::coolStageTime},
    {kUnloadButton, 0, 518, 518, &Image::unloadStageTimeSetpoint, &Image::unloadStageTime,
     &Flags::unloadStageTime},
}};

void askStageTime(ShellEnvironment& env, const StageGroup& group, bool firstHeld) {
    auto& s = state();
    const dryer::Field setpoint = (s.status.*group.setpoint)();
    const int bytes[2] = {setpoint.byte(0), setpoint.byte(1)};
    const std::string question =
        formatNumbers(i18n::GetString(firstHeld ? group.question : group.secondQuestion), bytes);
    if (env.messageBox(question, i18n::GetString(515), MessageButtons::YesNo,
                       MessageIcon::Question) != MessageAnswer::Yes) {
        return;
    }
    const auto hold = s.hold();
    dryer::Field running = (s.edit.*group.running)();
    running.setByte(0, static_cast<uint8_t>(bytes[0]));
    running.setByte(1, static_cast<uint8_t>(bytes[1]));
    s.commitEdit((s.pending.*group.flag)());
}

void stepStagePrompts(ShellEnvironment& env, PeriodicState& p) {
    for (size_t i = 0; i < kStageGroups.size(); ++i) {
        const StageGroup& group = kStageGroups[i];
        const bool firstHeld = env.childHeld(Screen::BatchDrying, group.firstButton);
        const bool held = firstHeld || (group.secondButton != 0 &&
                                        env.childHeld(Screen::BatchDrying, group.secondButton));
        if (p.stagePromptDelay[i].step(held)) askStageTime(env, group, firstHeld);
    }
}

void stepAutoStartFinished(ShellEnvironment& env, PeriodicState& p) {
    if (p.autoStartNoticeShown || !state().status.statusFlags280().bit(7)) return;
    p.autoStartNoticeShown = true;
    std::string text;
    i18n::ReadHelpFile(
        state().unitsSetting ? "AutoStartFinishedMessageC.txt" : "AutoStartFinishedMessageF.txt",
        text, i18n::kHelpFileBytes);
    if (env.messageBox(text, i18n::GetStringOr(612, "Auto-Start Finished..."), MessageButtons::Ok,
                       MessageIcon::None) == MessageAnswer::Ok) {
        env.recordOperatorEvent();
    }
}

// ---- 100 ms ----------------------------------------------------------------------------------

void stepWarningWindow(ShellEnvironment& env, PeriodicState& p) {
    if (shutdownPresent() || state().linkAliveSeconds == 0) {
        if (!env.isVisible(Screen::Warning)) env.setVisible(Screen::Warning, true);
        if (state().status.shutdownNodeId().get() == 14 &&
            state().status.shutdownWarningId().get() == 5) {
            const Area animation{150, 20, 400, 150};
            env.invalidateDialog(Dialog::ShutdownHelp, false, &animation);
            p.rearDischargeFrame = static_cast<uint8_t>((p.rearDischargeFrame + 1) % 7);
        }
        return;
    }
    if (!p.helpFromHistory && env.dialogOpen(Dialog::ShutdownHelp)) {
        env.sendDialogCommand(Dialog::ShutdownHelp, kHelpCloseCommand);
    }
    if (env.isVisible(Screen::Warning)) env.setVisible(Screen::Warning, false);
}

uint32_t nextFrame(uint32_t frame) {
    return (frame + 1) % 3;
}

void stepAnimations(ShellEnvironment& env, PeriodicState& p, bool thirdTick) {
    const auto& status = state().status;
    for (int stage = 0; stage < 6; ++stage) {
        if (status.fanHeaterOutputs(stage).bit(0)) p.fanFrame[stage] = nextFrame(p.fanFrame[stage]);
    }
    if (!status.statusFlags171().bit(7)) p.loadFrame = nextFrame(p.loadFrame);
    if (dryerRunning()) {
        p.unloadFrame = nextFrame(p.unloadFrame);
        if (++p.motorTick % 5 == 0) p.binMotorFrame = nextFrame(p.binMotorFrame);
    }
    if (status.statusByte58().bit(3)) ++p.grainFlowStep;
    if (thirdTick && status.statusByte58().bit(3)) {
        const int moving = status.statusByte58().bit(2) ? 0 : 1;
        p.meterRollFrame[moving] = nextFrame(p.meterRollFrame[moving]);
        p.meterRollFrame[1 - moving] = 0;
    }
    env.invalidate(Screen::DryerPic, true);
}

struct RepeatDialog {
    Dialog dialog;
    std::array<int, 8> buttons;
    int count;
};

constexpr std::array<RepeatDialog, 4> kRepeatDialogs = {{
    // Maximum rate INCREASE and DECREASE, then minimum rate INCREASE and DECREASE.
    {Dialog::UnloadParameters, {1300, 1301, 1045, 1046}, 4},
    {Dialog::MoistureCalibration, {1149, 1150, 1045, 1046, 1154, 1155, 1047, 1048}, 8},
    {Dialog::MeterRollSpeed, {1047, 1046}, 2},
    {Dialog::BushelSetup, {1171, 1172}, 2},
}};

void stepAutoRepeat(ShellEnvironment& env, PeriodicState& p) {
    for (size_t i = 0; i < kRepeatDialogs.size(); ++i) {
        const RepeatDialog& dialog = kRepeatDialogs[i];
        if (!env.dialogOpen(dialog.dialog)) continue;
        std::optional<int> held;
        for (int b = 0; b < dialog.count && !held; ++b) {
            if (env.dialogButtonHeld(dialog.dialog, dialog.buttons[b])) held = dialog.buttons[b];
        }
        if (const auto command = p.repeatDelay[i].step(held)) {
            env.sendDialogCommand(dialog.dialog, *command);
        }
    }
}

}  // namespace

void tick175(ShellEnvironment& env) {
    PeriodicState& p = periodic();
    followHardwareOptions(env, p);
    // Both bars follow the blink; the left one also its clock and the airflow notice.
    env.invalidate(Screen::RightStatusBar, false);
    env.invalidate(Screen::LeftStatusBar, false);
    const BlinkStep blink = advanceBlink(p);
    if ((blink.phaseStart || blink.countdownShow || blink.phaseShow) && shutdownPresent()) {
        env.invalidate(Screen::Warning, true);
    }
    if (++p.exchangeTickCount % 2 == 0) env.signalExchange();
    stepSetupRefresh(env, p);
}

void tickSecond(ShellEnvironment& env) {
    PeriodicState& p = periodic();
    auto& s = state();
    const platform::LocalTime now = platform::localNow();
    if (s.status.statusFlags171().bit(3)) {
        p.hourlyMoisture.add(static_cast<uint16_t>(s.status.moistureOut().get()));
    }
    dryer::countDownSecond(s.recordSuppressSeconds);
    sendClock(now);
    dryer::countDownSecond(s.linkAliveSeconds);
    env.runLogSteps(now);
    env.invalidate(Screen::AverageValues, true);
    keepSetupButtons(env);
    stepHistoryExitHold(env, p);
    stepStagePrompts(env, p);
    stepAutoStartFinished(env, p);
}

void tick100(ShellEnvironment& env) {
    PeriodicState& p = periodic();
    stepWarningWindow(env, p);
    const bool thirdTick = ++p.animationTick % 3 == 0;
    if (thirdTick) {
        p.alertBlinkFlags |= kBlinkAnimationStep;
        const Area band{105, 65, 260, 75};
        env.invalidate(Screen::Warning, false, &band);
    }
    stepAnimations(env, p, thirdTick);
    stepAutoRepeat(env, p);
}

}  // namespace shell
