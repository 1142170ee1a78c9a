#include "screens/graphs/sample_time_dialog.h"

#include "i18n/language.h"
#include "link/dryer_state.h"
#include "logging/short_term_log.h"
#include "logging/view_settings.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "shell/app.h"

namespace graphs {
namespace ui = platform::ui;

namespace {

constexpr int kOneMinute = 1223;
constexpr int kAcceptExit = 1189;
constexpr int kClearTable = 1190;
constexpr int kTimeGroup = 1411;
constexpr int kOptionsGroup = 1412;
constexpr int kDefaultMinutes = 5;

struct MinuteChoice {
    int minutes;
    int button;
    int radio;
    int label;
};

constexpr MinuteChoice kChoices[] = {
    {1, kOneMinute, 1222, 368},
    {5, 1225, 1224, 369},
    {10, 1227, 1226, 370},
    {15, 1229, 1228, 371},
};

constexpr ui::DialogItem kItems[] = {
    {kTimeGroup, ui::ControlKind::GroupBox, "SET SAMPLE TIME", 6, 4, 150, 122},
    {kOneMinute, ui::ControlKind::PushButton, "1 MINUTE", 14, 20, 104, 20},
    {1222, ui::ControlKind::RadioButton, "", 128, 24, 12, 12, ui::kGroup},
    {1225, ui::ControlKind::PushButton, "5 MINUTE", 14, 45, 104, 20},
    {1224, ui::ControlKind::RadioButton, "", 128, 49, 12, 12},
    {1227, ui::ControlKind::PushButton, "10 MINUTE", 14, 70, 104, 20},
    {1226, ui::ControlKind::RadioButton, "", 128, 74, 12, 12},
    {1229, ui::ControlKind::PushButton, "15 MINUTE", 14, 95, 104, 20},
    {1228, ui::ControlKind::RadioButton, "", 128, 99, 12, 12},
    {kOptionsGroup, ui::ControlKind::GroupBox, "OPTIONS", 164, 4, 112, 122},
    {kAcceptExit, ui::ControlKind::PushButton, "ACCEPT / EXIT", 172, 22, 96, 36, ui::kMultiLine},
    {kClearTable, ui::ControlKind::PushButton, "CLEAR TABLE", 172, 72, 96, 36, ui::kMultiLine},
};

bool cycledSampler() {
    return dryer::dryerState().status.samplerOptions().bit(7);
}

void checkOnly(ui::Window dialog, int radio) {
    for (const MinuteChoice& choice : kChoices) {
        ui::checkItem(dialog, choice.radio, choice.radio == radio);
    }
}

const MinuteChoice* choiceOf(int minutes) {
    for (const MinuteChoice& choice : kChoices) {
        if (choice.minutes == minutes) return &choice;
    }
    return nullptr;
}

void paint(ui::Window dialog) {
    ui::setWindowText(dialog, i18n::GetString(366));
    ui::setItemText(dialog, kTimeGroup, i18n::GetString(367));
    ui::setItemText(dialog, kOptionsGroup, i18n::GetString(372));
    ui::setItemText(dialog, kAcceptExit, i18n::GetString(350));
    ui::setItemText(dialog, kClearTable, i18n::GetString(373));
    for (const MinuteChoice& choice : kChoices) {
        ui::setItemText(dialog, choice.button, i18n::GetString(choice.label));
    }
    const bool cycled = cycledSampler();
    ui::enableItem(dialog, kOneMinute, !cycled);
    if (cycled) {
        ui::setItemText(dialog, kOneMinute, i18n::GetString(84));
        logging::ShortTermSampleMinutes = kDefaultMinutes;
    }
    if (const MinuteChoice* current = choiceOf(logging::ShortTermSampleMinutes)) {
        checkOnly(dialog, current->radio);
        return;
    }
    logging::ShortTermSampleMinutes = kDefaultMinutes;
    logging::SaveSampleTime();
    checkOnly(dialog, choiceOf(kDefaultMinutes)->radio);
}

void accept(ui::Window dialog) {
    logging::ShortTermSampleMinutes = kDefaultMinutes;
    for (const MinuteChoice& choice : kChoices) {
        if (ui::isItemChecked(dialog, choice.radio))
            logging::ShortTermSampleMinutes = choice.minutes;
    }
    logging::RestartShortTermCountdown();
    logging::SaveSampleTime();
    shell::environment().invalidate(shell::Screen::AverageValues, true);
    ui::endDialog(dialog, kAcceptExit);
}

void press(ui::Window dialog, int id) {
    for (const MinuteChoice& choice : kChoices) {
        if (id == choice.radio) checkOnly(dialog, choice.radio);
        if (id != choice.button) continue;
        checkOnly(dialog, choice.radio);
        // One minute counts only once accepted.
        if (choice.button != kOneMinute) logging::ShortTermSampleMinutes = choice.minutes;
    }
}

ui::LResult sampleTimeProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog, 20);
            paint(dialog);
            return 1;
        case ui::kPaint:
            paint(dialog);
            return 0;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id == kAcceptExit) {
                accept(dialog);
            } else if (id == kClearTable) {
                ui::endDialog(dialog, kClearTable);
            } else {
                press(dialog, id);
            }
            return 1;
        }
        default:
            return 0;
    }
}

// ---- Clear table confirmation ------------------------------------------------------------------

constexpr int kYes = 1414;
constexpr int kNo = 1415;
constexpr int kCancel = 1416;
constexpr int kQuestion = 1417;

constexpr ui::DialogItem kClearItems[] = {
    {kQuestion, ui::ControlKind::StaticCenter, "", 8, 10, 204, 28, ui::kMultiLine},
    {kYes, ui::ControlKind::PushButton, "Yes", 8, 46, 64, 20},
    {kNo, ui::ControlKind::PushButton, "No", 78, 46, 64, 20},
    {kCancel, ui::ControlKind::PushButton, "CANCEL", 148, 46, 64, 20},
};

void paintClear(ui::Window dialog) {
    ui::setWindowText(dialog, i18n::GetString(374));
    ui::setItemText(dialog, kQuestion, i18n::GetString(375));
    ui::setItemText(dialog, kYes, i18n::GetString(134));
    ui::setItemText(dialog, kNo, i18n::GetString(135));
    ui::setItemText(dialog, kCancel, i18n::GetString(10));
}

ui::LResult clearTableProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog);
            paintClear(dialog);
            return 1;
        case ui::kPaint:
            paintClear(dialog);
            return 0;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id != kYes && id != kNo && id != kCancel) return 0;
            if (id == kYes) {
                logging::ClearShortTermLog();
                shell::environment().invalidate(shell::Screen::AverageValues, true);
            }
            ui::endDialog(dialog, id);
            return 1;
        }
        default:
            return 0;
    }
}

}  // namespace

void runSampleTimeDialog(ui::Window owner) {
    static constexpr ui::DialogTemplate kDialog{"Select Data Log Sample Time - 35", 282, 132,
                                                kItems};
    if (ui::runDialog(kDialog, owner, sampleTimeProc) == kClearTable) runClearTableDialog(owner);
}

void runClearTableDialog(ui::Window owner) {
    static constexpr ui::DialogTemplate kDialog{"CLEAR STATUS CHART", 220, 74, kClearItems};
    ui::runDialog(kDialog, owner, clearTableProc);
}

}  // namespace graphs
