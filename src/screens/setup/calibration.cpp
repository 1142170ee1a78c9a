// Moisture sensor calibration (four offsets of the incoming and discharge sensors) and the
// bushel setup (the bushel-per-hour multiplier and the zeroing of the total bushel counter).
#include <array>
#include <cstdio>

#include "i18n/language.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/setup/setup_common.h"
#include "screens/setup/setup_dialogs.h"
#include "shell/hooks.h"

namespace setup {
namespace {

using Kind = ui::ControlKind;

// ---- moisture sensor calibration ---------------------------------------------------------------

enum : int {
    kCalibrationHelp = 1151,
    kCalibrationAccept = 1147,
};

struct Offset {
    int caption, edit, down, up;
    bool moisture;  // moistureSensorCalA, else moistureSensorCalB
    int element;    // 0 dry, 1 wet
    int limit;      // tenths, either way
    int captionString;
    int y;  // dialog units
};

// Wet offsets beside the incoming sensor above, dry offsets beside the discharge sensor below.
constexpr std::array<Offset, 4> kOffsets = {{
    {1371, 1146, 1150, 1149, true, 1, 200, 40, 6},
    {1373, 1156, 1155, 1154, false, 1, 100, 42, 46},
    {1372, 1148, 1046, 1045, true, 0, 200, 41, 96},
    {1374, 1153, 1048, 1047, false, 0, 100, 43, 136},
}};

constexpr ui::DialogItem offsetItem(int row, int part) {
    const Offset& o = kOffsets[row];
    switch (part) {
        case 0:
            return {o.caption, Kind::Static, "OFFSET", 128, o.y, 170, 11};
        case 1:
            return {o.down, Kind::PushButton, "<<<", 128, o.y + 12, 40, 22};
        case 2:
            return {o.edit, Kind::Edit, "", 172, o.y + 13, 80, 20, ui::kTextCenter};
        default:
            return {o.up, Kind::PushButton, ">>>", 256, o.y + 12, 40, 22};
    }
}

constexpr ui::DialogItem kCalibrationItems[] = {
    offsetItem(0, 0),
    offsetItem(0, 1),
    offsetItem(0, 2),
    offsetItem(0, 3),
    offsetItem(1, 0),
    offsetItem(1, 1),
    offsetItem(1, 2),
    offsetItem(1, 3),
    offsetItem(2, 0),
    offsetItem(2, 1),
    offsetItem(2, 2),
    offsetItem(2, 3),
    offsetItem(3, 0),
    offsetItem(3, 1),
    offsetItem(3, 2),
    offsetItem(3, 3),
    {kCalibrationHelp, Kind::PushButton, "HELP", 8, 180, 90, 22},
    {kCalibrationAccept, Kind::PushButton, "ACCEPT", 206, 180, 90, 22},
};

constexpr ui::DialogTemplate kCalibrationDialog{" MOISTURE SENSOR CALIBRATION - 13", 304, 208,
                                                kCalibrationItems};

dryer::Field offsetField(dryer::ParameterImage& image, const Offset& o) {
    return o.moisture ? image.moistureSensorCalA(o.element) : image.moistureSensorCalB(o.element);
}

// The words travel as 16-bit two's complement, high byte first.
int offsetValue(const Offset& o) {
    return static_cast<int16_t>(offsetField(state().edit, o).get());
}

void showOffsets(ui::Window dialog) {
    for (const Offset& o : kOffsets) {
        char value[16];
        std::snprintf(value, sizeof value, "%3.1f", offsetValue(o) * 0.1);
        if (ui::itemText(dialog, o.edit) != value) ui::setItemText(dialog, o.edit, value);
    }
}

void drawSensor(gfx::Painter& p, int top, int heading, int moisture, int temperature) {
    const gfx::FontSpec font = gfx::font(16, 500);
    p.drawText(text(heading), {10, top, 222, top + 18}, font,
               {gfx::colors::kBlack, gfx::kSingleLine});
    char line[96];
    std::snprintf(line, sizeof line, "%s:  %2d.%1d %%", text(38).c_str(), moisture / 10,
                  moisture % 10);
    const gfx::Color darkBlue = gfx::rgb(0, 0, 100);
    p.drawText(line, {10, top + 26, 222, top + 44}, font, {darkBlue, gfx::kSingleLine});
    const std::string temp = text(39) + ": " + signedTenths(temperature) + " F";
    p.drawText(temp, {10, top + 48, 222, top + 66}, font, {darkBlue, gfx::kSingleLine});
}

void paintCalibration(ui::Window dialog, ui::PaintContext& pc) {
    const auto& status = state().status;
    drawSensor(pc.painter, 20, 36, status.moistureIn().get(), status.grainTempIn().get());
    drawSensor(pc.painter, 186, 37, status.moistureOut().get(), status.grainTempOut().get());
    showOffsets(dialog);
}

void openCalibration(ui::Window dialog) {
    auto& s = state();
    s.beginEdit(s.status.moistureSensorCalA());
    s.beginEdit(s.status.moistureSensorCalB());
    ui::centreOnOwner(dialog);
    for (const Offset& o : kOffsets) {
        ui::setItemText(dialog, o.caption, text(o.captionString));
        ui::setWindowFont(ui::dialogItem(dialog, o.edit), gfx::font(20));
    }
    static constexpr ItemString kStrings[] = {{kCalibrationHelp, 3}, {kCalibrationAccept, 4}};
    setItemStrings(dialog, kStrings);
    ui::setWindowText(dialog, text(35));
    showOffsets(dialog);
    shell::registerOpenDialog(shell::Dialog::MoistureCalibration, dialog);
    s.hooks.registerWindow(
        dryer::Window::MoistureCalibrationDialog,
        [dialog](bool erase, const dryer::RepaintArea*) { ui::invalidate(dialog, erase); });
}

void closeCalibration(ui::Window dialog, int id) {
    state().hooks.unregisterWindow(dryer::Window::MoistureCalibrationDialog);
    shell::unregisterOpenDialog(shell::Dialog::MoistureCalibration);
    ui::endDialog(dialog, id);
}

void acceptCalibration() {
    auto& s = state();
    for (int i = 0; i < 2; ++i) {
        raiseIfChanged(s.status.moistureSensorCalA(i), s.edit.moistureSensorCalA(i),
                       s.pending.moistureSensorCalA(i));
        raiseIfChanged(s.status.moistureSensorCalB(i), s.edit.moistureSensorCalB(i),
                       s.pending.moistureSensorCalB(i));
    }
}

bool stepOffset(ui::Window dialog, int id) {
    for (const Offset& o : kOffsets) {
        if (id != o.up && id != o.down) continue;
        const int value = offsetValue(o);
        const int next = id == o.up ? (value < o.limit ? value + 1 : value)
                                    : (value > -o.limit ? value - 1 : value);
        offsetField(state().edit, o).set(static_cast<uint16_t>(next));
        showOffsets(dialog);
        return true;
    }
    return false;
}

bool calibrationCommand(ui::Window dialog, int id) {
    switch (id) {
        case kCalibrationHelp:
            showHelp(dialog, "MoistSensorCalibHelp.txt", 362);
            return true;
        case kCalibrationAccept:
            acceptCalibration();
            closeCalibration(dialog, id);
            return true;
        default:
            return stepOffset(dialog, id);
    }
}

ui::LResult calibrationProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            openCalibration(dialog);
            return 1;
        case ui::kPaint:
            paintCalibration(dialog, ui::paintContext(lp));
            return 1;
        case ui::kCommand:
            return calibrationCommand(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

// ---- bushel setup ------------------------------------------------------------------------------

enum : int {
    kClearGroup = 1377,
    kClear = 1174,
    kTotalEdit = 1147,
    kMultiplierGroup = 1378,
    kIncrease = 1171,
    kDecrease = 1172,
    kMultiplierEdit = 1146,
    kBushelAccept = 1173,
    kBushelHelp = 1175,
};

constexpr int kMinMultiplier = 50;
constexpr int kMaxMultiplier = 150;

constexpr ui::DialogItem kBushelItems[] = {
    {kClearGroup, Kind::GroupBox, "Clear Total Bushels", 6, 4, 236, 44},
    {kClear, Kind::PushButton, "CLEAR", 14, 20, 76, 22},
    {kTotalEdit, Kind::Edit, "", 98, 21, 136, 20, ui::kTextRight},
    {kMultiplierGroup, Kind::GroupBox, "Bushel / Hour Multiplier (Calibration)", 6, 54, 236, 70},
    {kIncrease, Kind::PushButton, "INCREASE", 14, 68, 76, 22},
    {kDecrease, Kind::PushButton, "DECREASE", 14, 96, 76, 22},
    {kMultiplierEdit, Kind::Edit, "", 98, 83, 136, 20, ui::kTextRight},
    {kBushelHelp, Kind::PushButton, "HELP", 6, 132, 100, 22},
    {kBushelAccept, Kind::PushButton, "ACCEPT", 142, 132, 100, 22},
};

constexpr ui::DialogTemplate kBushelDialog{" UNLOAD BUSHELS SETUP SCREEN - 17", 248, 160,
                                           kBushelItems};

void showBushels(ui::Window dialog) {
    static constexpr ItemString kStrings[] = {
        {kClearGroup, 98}, {kClear, 99},       {kMultiplierGroup, 100}, {kIncrease, 8},
        {kDecrease, 9},    {kBushelAccept, 4}, {kBushelHelp, 3}};
    setItemStrings(dialog, kStrings);
    const std::string title = text(97);
    if (ui::windowText(dialog) != title) ui::setWindowText(dialog, title);
    const auto counter = static_cast<uint32_t>(state().status.bushelCounter().get());
    const std::string total = std::to_string(counter / 3600);
    char multiplier[24];
    std::snprintf(multiplier, sizeof multiplier, "  %d %%", state().edit.bushelSetup().get());
    if (ui::itemText(dialog, kTotalEdit) != total) ui::setItemText(dialog, kTotalEdit, total);
    if (ui::itemText(dialog, kMultiplierEdit) != multiplier) {
        ui::setItemText(dialog, kMultiplierEdit, multiplier);
    }
}

void askToZeroCounter(ui::Window dialog) {
    if (ui::messageBox(dialog, i18n::GetStringOr(697, "Do you wish to ZERO total bushels?"),
                       i18n::GetStringOr(698, " TOTAL BUSHEL COUNTER"),
                       ui::kMbYesNoCancel | ui::kMbIconQuestion) != ui::kIdYes) {
        return;
    }
    auto& s = state();
    editBit(s.status.meterRollVoltageSetup(2), s.edit.meterRollVoltageSetup(2), 3, true);
    s.commitEdit(s.pending.meterRollVoltageSetup(2));
}

void closeBushels(ui::Window dialog, int id) {
    state().hooks.unregisterWindow(dryer::Window::BushelSetupDialog);
    shell::unregisterOpenDialog(shell::Dialog::BushelSetup);
    ui::endDialog(dialog, id);
}

bool bushelCommand(ui::Window dialog, int id) {
    auto& s = state();
    dryer::Field multiplier = s.edit.bushelSetup();
    switch (id) {
        case kIncrease:
            if (multiplier.get() < kMaxMultiplier) multiplier.set(multiplier.get() + 1);
            break;
        case kDecrease:
            if (multiplier.get() > kMinMultiplier) multiplier.set(multiplier.get() - 1);
            break;
        case kClear:
            askToZeroCounter(dialog);
            break;
        case kBushelHelp:
            showHelp(dialog, "BphCalibHelp.txt", 363);
            break;
        case kBushelAccept:
            raiseIfChanged(s.status.bushelSetup(), multiplier, s.pending.bushelSetup());
            closeBushels(dialog, id);
            return true;
        default:
            return false;
    }
    showBushels(dialog);
    return true;
}

ui::LResult bushelProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            state().beginEdit(state().status.bushelSetup());
            ui::centreOnOwner(dialog);
            showBushels(dialog);
            shell::registerOpenDialog(shell::Dialog::BushelSetup, dialog);
            state().hooks.registerWindow(
                dryer::Window::BushelSetupDialog,
                [dialog](bool erase, const dryer::RepaintArea*) { ui::invalidate(dialog, erase); });
            return 1;
        case ui::kPaint:
            showBushels(dialog);
            return 0;
        case ui::kCommand:
            return bushelCommand(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace

void runMoistureCalibration(ui::Window owner) {
    ui::runDialog(kCalibrationDialog, owner, calibrationProc);
}

void runBushelSetup(ui::Window owner) {
    ui::runDialog(kBushelDialog, owner, bushelProc);
}

}  // namespace setup
