// The three small questions of the extended setup menu: units of measure, metering-roll reverse
// and clearing the batch counter. Each shows Yes, No and CANCEL; only Yes changes anything.
#include "platform/ui/dialog.h"
#include "screens/setup/setup_common.h"
#include "screens/setup/setup_dialogs.h"

namespace setup {
namespace {

// Where the three buttons and the text of a question sit; the ids differ per question.
struct QuestionIds {
    int yes, no, cancel, text;
};

constexpr ui::DialogItem question(QuestionIds ids, int which) {
    switch (which) {
        case 0:
            return {ids.text, ui::ControlKind::Static, "", 10, 8, 190, 40, ui::kMultiLine};
        case 1:
            return {ids.yes, ui::ControlKind::PushButton, "Yes", 10, 56, 56, 22};
        case 2:
            return {ids.no, ui::ControlKind::PushButton, "No", 77, 56, 56, 22};
        default:
            return {ids.cancel, ui::ControlKind::PushButton, "CANCEL", 144, 56, 56, 22};
    }
}

constexpr QuestionIds kUnits{1379, 1381, 1380, 1382};
constexpr QuestionIds kReverse{1383, 1384, 1385, 1386};
constexpr QuestionIds kBatch{1393, 1394, 1395, 1392};

constexpr ui::DialogItem kUnitsItems[] = {question(kUnits, 0), question(kUnits, 1),
                                          question(kUnits, 2), question(kUnits, 3)};
constexpr ui::DialogItem kReverseItems[] = {question(kReverse, 0), question(kReverse, 1),
                                            question(kReverse, 2), question(kReverse, 3)};
constexpr ui::DialogItem kBatchItems[] = {question(kBatch, 0), question(kBatch, 1),
                                          question(kBatch, 2), question(kBatch, 3)};

constexpr ui::DialogTemplate kUnitsDialog{"UNITS OF MEASURE", 210, 86, kUnitsItems};
constexpr ui::DialogTemplate kReverseDialog{"METERING ROLL REVERSE OPTION", 210, 86, kReverseItems};
constexpr ui::DialogTemplate kBatchDialog{"CLEAR BATCH COUNT", 210, 86, kBatchItems};

// Caption, question and the button texts, by string number.
void showTexts(ui::Window dialog, QuestionIds ids, int captionString, int textString) {
    const std::string caption = text(captionString);
    if (ui::windowText(dialog) != caption) ui::setWindowText(dialog, caption);
    const ItemString items[] = {
        {ids.text, textString}, {ids.yes, 134}, {ids.no, 135}, {ids.cancel, 10}};
    setItemStrings(dialog, items);
}

bool reverseIsOn() {
    return state().status.meteringRollReverse().bit(4);
}

void paintQuestion(ui::Window dialog, QuestionIds ids) {
    if (ids.yes == kUnits.yes) {
        const bool si = state().unitsSetting != 0;
        showTexts(dialog, ids, si ? 136 : 132, si ? 137 : 133);
    } else if (ids.yes == kReverse.yes) {
        showTexts(dialog, ids, 138, reverseIsOn() ? 140 : 139);
    } else {
        showTexts(dialog, ids, 221, 220);
    }
}

void switchUnits() {
    auto& s = state();
    const bool toSi = s.unitsSetting == 0;
    s.unitsSetting = toSi ? 1 : 0;
    editUserSettingsBit(7, toSi);
    s.commitEdit(s.pending.userSettings());
}

// Decided on the controller's bit: pressing Yes again before the controller answers asks for the
// same change again.
void switchReverse() {
    auto& s = state();
    editBit(s.status.meteringRollReverse(), s.edit.meteringRollReverse(), 4, !reverseIsOn());
    s.commitEdit(s.pending.meteringRollReverse());
}

void clearBatchCount() {
    auto& s = state();
    s.edit.batchCounter().set(0);
    s.commitEdit(s.pending.batchCounter());
}

void answerYes(QuestionIds ids) {
    if (ids.yes == kUnits.yes) {
        switchUnits();
    } else if (ids.yes == kReverse.yes) {
        switchReverse();
    } else {
        clearBatchCount();
    }
}

template <const QuestionIds& ids>
ui::LResult questionProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog);
            paintQuestion(dialog, ids);
            return 1;
        case ui::kPaint:
            paintQuestion(dialog, ids);
            return 0;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id != ids.yes && id != ids.no && id != ids.cancel) return 0;
            if (id == ids.yes) answerYes(ids);
            ui::endDialog(dialog, id);
            return 1;
        }
        default:
            return 0;
    }
}

}  // namespace

void runUnitsQuestion(ui::Window owner) {
    ui::runDialog(kUnitsDialog, owner, questionProc<kUnits>);
}

void runMeterRollReverseQuestion(ui::Window owner) {
    ui::runDialog(kReverseDialog, owner, questionProc<kReverse>);
}

void runClearBatchCountQuestion(ui::Window owner) {
    ui::runDialog(kBatchDialog, owner, questionProc<kBatch>);
}

}  // namespace setup
