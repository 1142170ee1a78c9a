// Burner mode of each fan/heater and burner differential of each plenum. Both arrays run from
// the sixth fan/heater or plenum down to the first.
#include <array>
#include <cstdio>

#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/setup/setup_common.h"
#include "screens/setup/setup_dialogs.h"

namespace setup {
namespace {

using Kind = ui::ControlKind;
constexpr int kStages = 6;

// ---- burner mode -------------------------------------------------------------------------------

enum : int {
    kModeAccept = 1044,
    kModeCancel = 1063,
    kAllHiLo = 1064,
    kAllOnOff = 1065,
    kAllAuto = 1066,
};

// The three radios of a fan/heater: HI/LO, ON/OFF, AUTO; and the mode bits each stands for.
constexpr std::array<int, 3> kModeBits = {0, 1, 3};

struct StageControls {
    int group;
    int firstRadio;
    int select;
};

// Fan/heater 1 first.
constexpr std::array<StageControls, kStages> kStageControls = {{
    {1370, 1045, 1090},
    {1369, 1048, 1091},
    {1368, 1051, 1092},
    {1367, 1054, 1093},
    {1366, 1057, 1094},
    {1365, 1060, 1095},
}};

constexpr int stageX(int stage) {
    return 4 + (stage % 3) * 116;
}
constexpr int stageY(int stage) {
    return 4 + (stage / 3) * 84;
}

constexpr ui::DialogItem stageItem(int stage, int part) {
    const StageControls c = kStageControls[stage];
    const int x = stageX(stage);
    const int y = stageY(stage);
    switch (part) {
        case 0:
            return {c.group, Kind::GroupBox, "FAN/HEATER", x, y, 112, 78};
        case 1:
            return {c.firstRadio, Kind::RadioButton, "HI/LO", x + 8, y + 16, 60, 12, ui::kGroup};
        case 2:
            return {c.firstRadio + 1, Kind::RadioButton, "ON/OFF", x + 8, y + 34, 60, 12};
        case 3:
            return {c.firstRadio + 2, Kind::RadioButton, "AUTO", x + 8, y + 52, 60, 12};
        default:
            return {c.select, Kind::PushButton, "SELECT", x + 70, y + 30, 38, 22};
    }
}

template <size_t... I>
constexpr auto modeItems(std::index_sequence<I...>) {
    return std::array<ui::DialogItem, sizeof...(I) + 5>{
        stageItem(static_cast<int>(I / 5), static_cast<int>(I % 5))...,
        ui::DialogItem{kAllHiLo, Kind::PushButton, "ALL HI/LO", 4, 176, 64, 22},
        ui::DialogItem{kAllOnOff, Kind::PushButton, "ALL ON/OFF", 74, 176, 64, 22},
        ui::DialogItem{kAllAuto, Kind::PushButton, "ALL AUTO", 144, 176, 64, 22},
        ui::DialogItem{kModeAccept, Kind::PushButton, "ACCEPT", 214, 176, 64, 22},
        ui::DialogItem{kModeCancel, Kind::PushButton, "CANCEL", 284, 176, 64, 22}};
}

constexpr auto kModeItems = modeItems(std::make_index_sequence<kStages * 5>());
constexpr ui::DialogTemplate kModeDialog{"Select Burner Mode - 10", 352, 204, kModeItems};

// The edit byte of fan/heater `stage` (0 = fan/heater 1).
dryer::Field modeByte(dryer::ParameterImage& image, int stage) {
    return image.burnerMode(kStages - 1 - stage);
}

void markStage(ui::Window dialog, int stage, int radio) {
    for (int r = 0; r < 3; ++r)
        ui::checkItem(dialog, kStageControls[stage].firstRadio + r, r == radio);
}

// -1: no radio marked.
int markedRadio(ui::Window dialog, int stage) {
    for (int r = 0; r < 3; ++r) {
        if (ui::isItemChecked(dialog, kStageControls[stage].firstRadio + r)) return r;
    }
    return -1;
}

void openBurnerMode(ui::Window dialog) {
    auto& s = state();
    s.beginEdit(s.status.burnerMode());
    ui::centreOnOwner(dialog);
    static constexpr ItemString kStrings[] = {{1370, 28},       {1369, 27},       {1368, 26},
                                              {1367, 25},       {1366, 24},       {1365, 23},
                                              {kAllHiLo, 29},   {kAllOnOff, 30},  {kAllAuto, 31},
                                              {kModeAccept, 4}, {kModeCancel, 10}};
    setItemStrings(dialog, kStrings);
    for (int id : {kAllHiLo, kAllOnOff, kAllAuto, kModeAccept, kModeCancel})
        fitItemText(dialog, id, kButtonPadding);
    ui::setWindowText(dialog, text(22));
    for (int stage = 0; stage < kStages; ++stage) {
        for (int r = 0; r < 3; ++r)
            ui::setItemText(dialog, kStageControls[stage].firstRadio + r, text(32 + r));
        ui::setItemText(dialog, kStageControls[stage].select, text(20));
        const int bits = modeByte(s.edit, stage).get() & 0x03;
        markStage(dialog, stage, bits == 3 ? 2 : (bits == 2 ? -1 : bits));
    }
}

void acceptBurnerMode(ui::Window dialog) {
    auto& s = state();
    for (int stage = 0; stage < kStages; ++stage) {
        const int radio = markedRadio(dialog, stage);
        const int bits = radio < 0 ? 0 : kModeBits[radio];
        dryer::Field edit = modeByte(s.edit, stage);
        edit.set((edit.get() & ~0x03) | bits);
        raiseIfChanged(modeByte(s.status, stage), edit, s.pending.burnerMode(kStages - 1 - stage));
    }
}

bool burnerModeCommand(ui::Window dialog, int id) {
    switch (id) {
        case kAllHiLo:
        case kAllOnOff:
        case kAllAuto:
            for (int stage = 0; stage < kStages; ++stage)
                markStage(dialog, stage, id - kAllHiLo);
            return true;
        case kModeAccept:
            acceptBurnerMode(dialog);
            ui::endDialog(dialog, id);
            return true;
        case kModeCancel:
            ui::endDialog(dialog, id);
            return true;
        default:
            break;
    }
    for (int stage = 0; stage < kStages; ++stage) {
        if (id == kStageControls[stage].select) {
            markStage(dialog, stage, (markedRadio(dialog, stage) + 1) % 3);
            return true;
        }
    }
    return false;
}

ui::LResult burnerModeProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            openBurnerMode(dialog);
            return 1;
        case ui::kCommand:
            return burnerModeCommand(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

// ---- burner differential -----------------------------------------------------------------------

enum : int {
    kDifferentialHelp = 1094,
    kDifferentialAccept = 1108,
    kOneDegree = 1102,  // down to kFiveDegrees 1098
    kFiveDegrees = 1098,
};

struct PlenumPlace {
    int button;
    int string;
    int x, y;  // where its line is drawn, in pixels
};

// Plenum 1 first.
constexpr std::array<PlenumPlace, kStages> kPlenums = {{
    {1092, 91, 15, 205},
    {1090, 90, 15, 112},
    {1088, 89, 15, 20},
    {1105, 88, 197, 205},
    {1104, 87, 197, 112},
    {1103, 86, 197, 20},
}};

// Buttons under each plenum's line: pixels to dialog units.
constexpr ui::DialogItem plenumButton(int plenum) {
    const PlenumPlace& p = kPlenums[plenum];
    return {p.button, Kind::PushButton, "PLENUM", p.x * 4 / 7, (p.y + 24) * 8 / 15, 90, 20};
}
constexpr ui::DialogItem degreeButton(int degrees) {
    return {kOneDegree - (degrees - 1),
            Kind::PushButton,
            "DEGREES",
            232,
            8 + (degrees - 1) * 26,
            112,
            22};
}

constexpr ui::DialogItem kDifferentialItems[] = {
    plenumButton(0),
    plenumButton(1),
    plenumButton(2),
    plenumButton(3),
    plenumButton(4),
    plenumButton(5),
    degreeButton(1),
    degreeButton(2),
    degreeButton(3),
    degreeButton(4),
    degreeButton(5),
    {kDifferentialHelp, Kind::PushButton, "HELP", 8, 160, 100, 24},
    {kDifferentialAccept, Kind::PushButton, "ACCEPT / EXIT", 232, 160, 112, 24},
};
constexpr ui::DialogTemplate kDifferentialDialog{"MODIFYING BURNER DIFFERENTIAL SETTINGS - 15", 352,
                                                 192, kDifferentialItems};

int gSelectedPlenum = 0;  // 0 = plenum 1

dryer::Field differentialByte(dryer::ParameterImage& image, int plenum) {
    return image.burnerDifferential(kStages - 1 - plenum);
}

void labelDifferential(ui::Window dialog) {
    for (int plenum = 0; plenum < kStages; ++plenum)
        ui::setItemText(dialog, kPlenums[plenum].button, text(kPlenums[plenum].string));
    for (int degrees = 1; degrees <= 5; ++degrees)
        ui::setItemText(dialog, kOneDegree - (degrees - 1), text(91 + degrees));
    ui::setItemText(dialog, kDifferentialHelp, text(3));
    ui::setItemText(dialog, kDifferentialAccept, text(4));
    ui::setWindowText(dialog, text(85));
}

// Always in degrees Fahrenheit.
void paintDifferential(ui::PaintContext& pc) {
    pc.painter.fillRect(pc.client, gfx::colors::kMenu);
    for (int plenum = 0; plenum < kStages; ++plenum) {
        const PlenumPlace& p = kPlenums[plenum];
        char line[96];
        std::snprintf(line, sizeof line, "%s: %3d \u00B0F ", text(p.string).c_str(),
                      differentialByte(state().edit, plenum).get());
        const gfx::Color color =
            plenum == gSelectedPlenum ? gfx::rgb(255, 0, 0) : gfx::rgb(0, 0, 255);
        pc.painter.drawText(line, {p.x, p.y, p.x + 180, p.y + 20}, gfx::font(15, 700),
                            {color, gfx::kSingleLine});
    }
}

bool differentialCommand(ui::Window dialog, int id) {
    auto& s = state();
    if (id <= kOneDegree && id >= kFiveDegrees) {
        differentialByte(s.edit, gSelectedPlenum).set(kOneDegree - id + 1);
    } else if (id == kDifferentialHelp) {
        showHelp(dialog, "PlenumDiffHelp.txt", 364);
    } else if (id == kDifferentialAccept) {
        for (int i = 0; i < kStages; ++i) {
            raiseIfChanged(s.status.burnerDifferential(i), s.edit.burnerDifferential(i),
                           s.pending.burnerDifferential(i));
        }
        ui::endDialog(dialog, id);
        return true;
    } else {
        int plenum = 0;
        while (plenum < kStages && kPlenums[plenum].button != id)
            ++plenum;
        if (plenum == kStages) return false;
        gSelectedPlenum = plenum;
    }
    ui::invalidate(dialog, true);
    return true;
}

ui::LResult differentialProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            state().beginEdit(state().status.burnerDifferential());
            gSelectedPlenum = 0;
            ui::centreOnOwner(dialog);
            labelDifferential(dialog);
            return 1;
        case ui::kPaint:
            paintDifferential(ui::paintContext(lp));
            return 1;
        case ui::kCommand:
            return differentialCommand(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace

void runBurnerMode(ui::Window owner) {
    ui::runDialog(kModeDialog, owner, burnerModeProc);
}

void runBurnerDifferential(ui::Window owner) {
    ui::runDialog(kDifferentialDialog, owner, differentialProc);
}

}  // namespace setup
