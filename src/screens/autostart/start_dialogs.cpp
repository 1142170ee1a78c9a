// The dialogs on the way to a start: the panel switch requirements notice (614) and the
// start/cancel question (617) with what each answer asks of the controller.
#include "i18n/language.h"
#include "link/dryer_state.h"
#include "platform/ui/dialog.h"
#include "screens/autostart/autostart.h"
#include "screens/autostart/internal.h"

namespace autostart::detail {
namespace {

namespace ui = platform::ui;

// ---- Switch requirements (614) ----------------------------------------------------------------

constexpr int kRequirementsTitleString = 491;
constexpr int kFirstRequirementString = 492;
constexpr int kRequirementLines = 11;  // strings 492 to 502
constexpr int kFirstRequirementItem = 1520;
constexpr int kOkString = 145;

constexpr ui::DialogItem requirementLine(int i) {
    return {kFirstRequirementItem + i, ui::ControlKind::Static, "", 10, 8 + 10 * i, 250, 9};
}

constexpr ui::DialogItem kRequirementItems[] = {
    requirementLine(0),  requirementLine(1),
    requirementLine(2),  requirementLine(3),
    requirementLine(4),  requirementLine(5),
    requirementLine(6),  requirementLine(7),
    requirementLine(8),  requirementLine(9),
    requirementLine(10), {ui::kIdOk, ui::ControlKind::PushButton, "OK", 98, 126, 73, 26},
};
constexpr ui::DialogTemplate kRequirementsTemplate{"Auto-Start Control Panel Switch Requirements",
                                                   270, 160, kRequirementItems};

void paintRequirements(ui::Window dialog) {
    ui::setWindowText(dialog, i18n::GetString(kRequirementsTitleString));
    for (int i = 0; i < kRequirementLines; ++i) {
        ui::setItemText(dialog, kFirstRequirementItem + i,
                        i18n::GetString(kFirstRequirementString + i));
    }
    ui::setItemText(dialog, ui::kIdOk, i18n::GetString(kOkString));
}

ui::LResult requirementsProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog);
            paintRequirements(dialog);
            return 1;
        case ui::kPaint:
            paintRequirements(dialog);
            return 0;
        case ui::kCommand:
            if (ui::commandId(wp) == ui::kIdOk) ui::endDialog(dialog, ui::kIdOk);
            return 1;
        default:
            return 0;
    }
}

// ---- Start/cancel question (617) ----------------------------------------------------------------

constexpr int kQuestionItem = 1510;
constexpr int kTitleString = 301;
constexpr int kCancelQuestionString = 510;
constexpr int kStartQuestionString = 511;
constexpr int kYesString = 134;
constexpr int kNoString = 135;
constexpr int kCancelString = 10;

constexpr ui::DialogItem kQuestionItems[] = {
    {kQuestionItem, ui::ControlKind::Static, "", 9, 9, 274, 18, ui::kMultiLine},
    {ui::kIdYes, ui::ControlKind::PushButton, "Yes", 23, 49, 73, 26},
    {ui::kIdNo, ui::ControlKind::PushButton, "No", 109, 49, 73, 26},
    {ui::kIdCancel, ui::ControlKind::PushButton, "CANCEL", 195, 49, 73, 26},
};
constexpr ui::DialogTemplate kQuestionTemplate{"Auto-Start", 300, 84, kQuestionItems};

// The question shown is the one answered: whether a sequence runs is read once, as it opens.
void paintQuestion(ui::Window dialog) {
    const bool running = ui::userData(dialog) != 0;
    ui::setWindowText(dialog, i18n::GetString(kTitleString));
    ui::setItemText(dialog, kQuestionItem,
                    i18n::GetString(running ? kCancelQuestionString : kStartQuestionString));
    ui::setItemText(dialog, ui::kIdYes, i18n::GetString(kYesString));
    ui::setItemText(dialog, ui::kIdNo, i18n::GetString(kNoString));
    ui::setItemText(dialog, ui::kIdCancel, i18n::GetString(kCancelString));
}

ui::LResult questionProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            ui::setUserData(dialog, lp);
            ui::centreOnOwner(dialog);
            paintQuestion(dialog);
            return 1;
        case ui::kPaint:
            paintQuestion(dialog);
            return 0;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id == ui::kIdYes || id == ui::kIdNo || id == ui::kIdCancel)
                ui::endDialog(dialog, id);
            return 1;
        }
        default:
            return 0;
    }
}

// Bit 0 of the hardware options travels with the rest of the byte (bit 7 is the grain inverter),
// so every request starts from the controller's byte, never from an older edit.
void requestSequence(bool run) {
    auto& state = dryer::dryerState();
    const auto hold = state.hold();
    state.beginEdit(state.status.hardwareOptions());
    state.edit.hardwareOptions().setBit(0, run);
    state.commitEdit(state.pending.hardwareOptions());
}

void cancelSequence() {
    auto& state = dryer::dryerState();
    state.beginEdit(state.status.grainType());
    requestSequence(false);
}

void startSequence() {
    auto& state = dryer::dryerState();
    if (autoStartConfigActive()) {
        leaveConfigWindow();
    } else {
        // Asked from the status dialog: no grain was chosen, the controller's stays.
        state.beginEdit(state.status.grainType());
    }
    const auto hold = state.hold();
    requestSequence(true);
    state.commitEdit(state.pending.grainType());
}

void keepWithoutSequence() {
    if (autoStartConfigActive()) leaveConfigWindow();
    requestSequence(false);
}

}  // namespace

void runSwitchRequirements(ui::Window owner) {
    ui::runDialog(kRequirementsTemplate, owner, requirementsProc);
}

void runStartCancelQuestion(ui::Window owner) {
    const bool running = dryer::dryerState().status.hardwareOptions().bit(0);
    const int answer = ui::runDialog(kQuestionTemplate, owner, questionProc, running ? 1 : 0);
    if (answer == ui::kIdYes) {
        running ? cancelSequence() : startSequence();
    } else if (!running && (answer == ui::kIdNo || answer == ui::kIdCancel)) {
        keepWithoutSequence();
    }
}

}  // namespace autostart::detail
