// "GRAPH SETUP - 25": the hours shown across the graph.
#include "i18n/language.h"
#include "logging/view_settings.h"
#include "platform/ui/dialog.h"
#include "screens/graphs/graph_window.h"

namespace graphs {
namespace ui = platform::ui;

namespace {

constexpr int kAcceptExit = 1008;

struct ScaleChoice {
    int button;
    int radio;
    int label;  // string number
};

// By GraphScale: 1, 2, 4 and 8 hours.
constexpr ScaleChoice kChoices[] = {
    {1103, 1049, 454},
    {1044, 1050, 455},
    {1045, 1051, 456},
    {1046, 1052, 457},
};

constexpr ui::DialogItem kItems[] = {
    {1103, ui::ControlKind::PushButton, "1 HOUR", 10, 8, 96, 20},
    {1049, ui::ControlKind::RadioButton, "", 114, 12, 12, 12, ui::kGroup},
    {1044, ui::ControlKind::PushButton, "2 HOURS", 10, 32, 96, 20},
    {1050, ui::ControlKind::RadioButton, "", 114, 36, 12, 12},
    {1045, ui::ControlKind::PushButton, "4 HOURS", 10, 56, 96, 20},
    {1051, ui::ControlKind::RadioButton, "", 114, 60, 12, 12},
    {1046, ui::ControlKind::PushButton, "8 HOUR", 10, 80, 96, 20},
    {1052, ui::ControlKind::RadioButton, "", 114, 84, 12, 12},
    {kAcceptExit, ui::ControlKind::PushButton, "ACCEPT/EXIT", 10, 108, 116, 20},
};

void checkOnly(ui::Window dialog, int scale) {
    for (int i = 0; i < 4; ++i) {
        ui::checkItem(dialog, kChoices[i].radio, i == scale);
    }
}

void paint(ui::Window dialog) {
    ui::setWindowText(dialog, i18n::GetString(453));
    for (const ScaleChoice& choice : kChoices) {
        ui::setItemText(dialog, choice.button, i18n::GetString(choice.label));
    }
    ui::setItemText(dialog, kAcceptExit, i18n::GetString(4));
    if (logging::GraphScale < 0 || logging::GraphScale > 3) logging::GraphScale = 0;
    checkOnly(dialog, logging::GraphScale);
}

void accept(ui::Window dialog) {
    logging::GraphScale = 0;
    for (int i = 0; i < 4; ++i) {
        if (ui::isItemChecked(dialog, kChoices[i].radio)) logging::GraphScale = i;
    }
    logging::SaveGraphScale();
    invalidateGraph();
    ui::endDialog(dialog, kAcceptExit);
}

ui::LResult graphSetupProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog);
            paint(dialog);
            return 1;
        case ui::kPaint:
            paint(dialog);
            return 0;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id == kAcceptExit) {
                accept(dialog);
                return 1;
            }
            for (int i = 0; i < 4; ++i) {
                if (id == kChoices[i].button || id == kChoices[i].radio) checkOnly(dialog, i);
            }
            return 1;
        }
        default:
            return 0;
    }
}

}  // namespace

void runGraphSetupDialog(ui::Window owner) {
    static constexpr ui::DialogTemplate kDialog{"GRAPH SETUP - 25", 136, 136, kItems};
    ui::runDialog(kDialog, owner, graphSetupProc);
}

}  // namespace graphs
