// The three questions of the diagnostics dialog: the metering-roll speed from the screen, the
// metering-roll sensor failure shutdown and the air-switch test. Each says how things stand and
// asks Yes, No or CANCEL.
#include <atomic>

#include "link/dryer_state.h"
#include "screens/diagnostics/air_switch.h"
#include "screens/diagnostics/pages.h"

namespace diagnostics {
namespace {

namespace ui = platform::ui;
using ui::ControlKind;

constexpr int kStateLine = 1101;
constexpr int kQuestionLine = 1102;

constexpr ui::DialogItem kItems[] = {
    {kStateLine, ControlKind::StaticCenter, "", 7, 8, 236, 30, ui::kMultiLine},
    {kQuestionLine, ControlKind::StaticCenter, "", 7, 40, 236, 30, ui::kMultiLine},
    {ui::kIdYes, ControlKind::PushButton, "Yes", 7, 76, 74, 24},
    {ui::kIdNo, ControlKind::PushButton, "No", 88, 76, 74, 24},
    {ui::kIdCancel, ControlKind::PushButton, "CANCEL", 169, 76, 74, 24},
};

constexpr ui::DialogTemplate kTemplate{"", 250, 106, kItems};

constexpr int kYesString = 134;
constexpr int kNoString = 135;
constexpr int kCancelString = 10;
constexpr int kTestingEnabledString = 207;
constexpr int kTestingDisabledString = 208;
constexpr int kSensorShutdownBit = 5;

std::atomic<uint32_t> gOpenQuestion{0};

struct QuestionRun {
    Question question;
    bool armed = false;  // the air-switch question after its first Yes
};

struct Texts {
    int title;
    int state;
    int question;
    bool yes = true;
};

Texts airSwitchTexts(bool armed) {
    const auto& state = dryer::dryerState();
    const bool off = airSwitchTestingOffInstalled(state);
    const int current = off ? kTestingDisabledString : kTestingEnabledString;
    if (!airSwitchChangeAllowed(state)) return {416, current, 417, false};
    if (off) return {416, current, 420};
    return {416, current, armed ? 419 : 418};
}

Texts textsOf(const QuestionRun& run) {
    const auto& state = dryer::dryerState();
    switch (run.question) {
        case Question::MrSpeedViaScreen:
            return state.knobCaptureHold ? Texts{406, 409, 410} : Texts{406, 407, 408};
        case Question::MrSensorShutdown:
            return state.status.meteringRollReverse().bit(kSensorShutdownBit)
                       ? Texts{411, 414, 415}
                       : Texts{411, 412, 413};
        case Question::AirSwitch:
            return airSwitchTexts(run.armed);
    }
    return {};
}

void refresh(ui::Window dialog, const QuestionRun& run) {
    const Texts texts = textsOf(run);
    setTitleString(dialog, texts.title);
    setItemString(dialog, kStateLine, texts.state);
    setItemString(dialog, kQuestionLine, texts.question);
    setItemString(dialog, ui::kIdYes, kYesString);
    setItemString(dialog, ui::kIdNo, kNoString);
    setItemString(dialog, ui::kIdCancel, kCancelString);
    if (ui::isEnabled(ui::dialogItem(dialog, ui::kIdYes)) != texts.yes) {
        ui::enableItem(dialog, ui::kIdYes, texts.yes);
    }
}

// The shutdown is set to the opposite of what the question showed, so a second Yes before the
// controller has answered does not undo the first.
void answerSensorShutdownYes() {
    auto& state = dryer::dryerState();
    const auto lock = state.hold();
    const bool off = state.status.meteringRollReverse().bit(kSensorShutdownBit);
    state.beginEdit(state.status.meteringRollReverse());
    state.edit.meteringRollReverse().setBit(kSensorShutdownBit, !off);
    state.commitEdit(state.pending.meteringRollReverse());
}

// True when the question is answered and closes.
bool answerYes(QuestionRun& run) {
    auto& state = dryer::dryerState();
    switch (run.question) {
        case Question::MrSpeedViaScreen:
            state.knobCaptureHold = state.knobCaptureHold ? 0 : 1;
            return true;
        case Question::MrSensorShutdown:
            answerSensorShutdownYes();
            return true;
        case Question::AirSwitch: {
            const AirSwitchYes answer = answerAirSwitchYes(state, run.armed);
            return answer == AirSwitchYes::Enabled || answer == AirSwitchYes::Disabled;
        }
    }
    return true;
}

QuestionRun& runOf(ui::Window dialog) {
    return *reinterpret_cast<QuestionRun*>(ui::userData(dialog));
}

ui::LResult questionProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            ui::setUserData(dialog, lp);
            gOpenQuestion = dialog.id;
            centreOverOwner(dialog);
            refresh(dialog, runOf(dialog));
            return 1;
        case ui::kPaint:
            refresh(dialog, runOf(dialog));
            return 0;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id == ui::kIdYes && !answerYes(runOf(dialog))) {
                ui::invalidate(dialog, true);
                return 1;
            }
            if (id == ui::kIdYes || id == ui::kIdNo || id == ui::kIdCancel)
                ui::endDialog(dialog, id);
            return 1;
        }
        default:
            return 0;
    }
}

}  // namespace

void runQuestionDialog(Question question, ui::Window owner) {
    QuestionRun run{question};
    ui::runDialog(kTemplate, owner, questionProc, reinterpret_cast<ui::LParam>(&run));
    gOpenQuestion = 0;
}

ui::Window openQuestion() {
    return ui::Window{gOpenQuestion.load()};
}

}  // namespace diagnostics
