// DRYER_PIC_WINDOW: a live picture of the dryer. One of four pictures by the dryer's layout,
// an icon for every fan/heater in its state, the turning motors, then the picture's values.
#include <array>
#include <vector>

#include "link/dryer_state.h"
#include "platform/ui/dialog.h"
#include "resources/program_bitmaps.h"
#include "screens/status/picture_values.h"
#include "screens/status/status_bars.h"
#include "screens/status/status_screens.h"
#include "screens/status/status_text.h"
#include "shell/periodic.h"

namespace status {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr int kAirflowBandHeight = 20;

// The single-module notice is shown once each time its condition becomes true.
bool gNoticeArmed = true;

// Any frame value other than 1 or 2 shows frame 0.
int frameOf(uint32_t frame) {
    return frame == 1 || frame == 2 ? static_cast<int>(frame) : 0;
}

void copy(gfx::Painter& p, int number, int x, int y) {
    if (const resources::ProgramBitmap bitmap = resources::LoadProgramBitmap(number)) {
        p.copyBitmap(*bitmap, {x, y});
    }
}

// The first number of each state's three frames: off, fan on, heater on, burner firing.
struct FanIcons {
    int off, fan, heater, firing;
};
constexpr FanIcons kSmallFan{325, 328, 331, 334};
constexpr FanIcons kMediumFan{341, 344, 350, 347};
constexpr FanIcons kLargeFan{292, 295, 304, 301};

using MotorFrames = std::array<int, 3>;
constexpr MotorFrames kTowerMotorSmall{354, 355, 356};
constexpr MotorFrames kTowerRollSmall{357, 358, 359};
constexpr MotorFrames kTowerMotorMedium{360, 361, 362};
constexpr MotorFrames kTowerRollMedium{363, 364, 365};
constexpr MotorFrames kModuleMotor{310, 311, 316};
constexpr MotorFrames kModuleRoll{317, 318, 319};
constexpr MotorFrames kBinFan{418, 419, 420};
constexpr MotorFrames kBinFlame{408, 409, 410};
constexpr MotorFrames kBinSpout{422, 423, 424};
constexpr MotorFrames kBinStirrer{425, 426, 427};
constexpr MotorFrames kBinAuger{430, 431, 432};

void drawFrame(gfx::Painter& p, const MotorFrames& set, uint32_t frame, int x, int y) {
    copy(p, set[frameOf(frame)], x, y);
}

// Heater on wins over fan on; a heater whose burner fires shows the flame.
void drawFanHeater(gfx::Painter& p, const FanIcons& icons, int fanHeater, int x, int y) {
    const auto& s = dryer::dryerState().status;
    const int i = 6 - fanHeater;
    const auto state = s.fanHeaterStatus(i);
    int first = icons.off;
    if (state.bit(1)) {
        first = s.fanHeaterOutputs(i).bit(2) ? icons.firing : icons.heater;
    } else if (state.bit(0)) {
        first = icons.fan;
    }
    copy(p, first + frameOf(shell::periodic().fanFrame[i]), x, y);
}

struct Placed {
    int fanHeater;
    int y;
};

// The outer grain columns of a picture, in the picture window's coordinates: the marks of the
// grain in them move down while the metering rolls turn, and stand while they do not.
struct GrainColumns {
    std::array<int, 2> centres;
    int top, bottom;
    std::vector<int> bands;  // module joints across the columns, where no mark is drawn
};

constexpr int kGrainMarkSpacing = 34;
constexpr gfx::Color kGrainMark = gfx::rgb(240, 208, 128);

bool nearBand(const GrainColumns& c, int y) {
    for (int band : c.bands) {
        if (y + 4 >= band - 4 && y <= band + 4) return true;
    }
    return false;
}

void drawGrainFlow(gfx::Painter& p, const GrainColumns& c) {
    const int phase = static_cast<int>(shell::periodic().grainFlowStep % kGrainMarkSpacing);
    for (int y = c.top + 14 - kGrainMarkSpacing + phase; y < c.bottom - 8; y += kGrainMarkSpacing) {
        if (y < c.top + 3 || nearBand(c, y)) continue;
        for (int x : c.centres) {
            const gfx::Point mark[] = {{x - 3, y}, {x, y + 4}, {x + 3, y}};
            p.drawPolyline(mark, kGrainMark);
        }
    }
}

void drawThreeModuleTower(gfx::Painter& p) {
    const auto& s = dryer::dryerState().status;
    const auto& frames = shell::periodic();
    copy(p, 323, 25, 0);
    drawGrainFlow(p, {{36, 99}, 37, 384, {150, 278}});
    std::vector<Placed> fans;
    switch (s.fanHeaterCountCode().get()) {
        case 4:
            fans = {{6, 39}, {5, 87}, {4, 167}, {3, 215}, {2, 295}, {1, 343}};
            break;
        case 3:
            fans = {{4, 63}, {3, 191}, {2, 295}, {1, 343}};
            break;
        case 2:
            fans = {{3, 63}, {2, 191}, {1, 319}};
            break;
        default:
            fans = {{2, 295}, {1, 343}};
            break;
    }
    for (const Placed& fan : fans)
        drawFanHeater(p, kSmallFan, fan.fanHeater, 46, fan.y);
    drawFrame(p, kTowerMotorSmall, frames.loadFrame, 60, 5);
    drawFrame(p, kTowerMotorSmall, frames.unloadFrame, 62, 395);
    drawFrame(p, kTowerRollSmall, frames.meterRollFrame[0], 52, 388);
    drawFrame(p, kTowerRollSmall, frames.meterRollFrame[1], 77, 388);
}

void drawTwoModuleTower(gfx::Painter& p) {
    const auto& s = dryer::dryerState().status;
    const auto& frames = shell::periodic();
    copy(p, 324, 15, 0);
    drawGrainFlow(p, {{36, 116}, 56, 366, {213}});
    std::vector<Placed> fans;
    switch (s.fanHeaterCountCode().get()) {
        case 0:
        case 1:
            fans = {{2, 92}, {1, 277}};
            break;
        case 2:
            fans = {{3, 92}, {2, 245}, {1, 310}};
            break;
        case 3:
            fans = {{4, 60}, {3, 125}, {2, 245}, {1, 310}};
            break;
        default:
            fans = {{3, 125}, {2, 245}, {1, 310}};
            break;
    }
    for (const Placed& fan : fans)
        drawFanHeater(p, kMediumFan, fan.fanHeater, 48, fan.y);
    drawFrame(p, kTowerMotorMedium, frames.loadFrame, 63, 12);
    drawFrame(p, kTowerMotorMedium, frames.unloadFrame, 67, 380);
    drawFrame(p, kTowerRollMedium, frames.meterRollFrame[0], 49, 368);
    drawFrame(p, kTowerRollMedium, frames.meterRollFrame[1], 91, 368);
}

// Shown once when a batch in single-module staged drying finishes; armed again once the
// condition has gone.
void singleModuleNotice(ui::Window window) {
    const auto& s = dryer::dryerState().status;
    const bool condition =
        s.operatingModeFlags().bit(1) && s.dryingMode().get() == 1 && s.alarmFlags().bit(6);
    if (!condition) {
        gNoticeArmed = true;
        return;
    }
    if (!gNoticeArmed) return;
    gNoticeArmed = false;
    // Not from inside the paint: the message box runs a loop of its own.
    ui::postTask([window] { ui::messageBox(window, text(451), text(452), ui::kMbOk); });
}

void drawSingleModule(ui::Window window, gfx::Painter& p) {
    singleModuleNotice(window);
    const auto& s = dryer::dryerState().status;
    const auto& frames = shell::periodic();
    copy(p, 367, 0, 25);
    drawGrainFlow(p, {{43, 137}, 89, 275, {}});
    switch (s.fanHeaterCountCode().get()) {
        case 2:
            drawFanHeater(p, kMediumFan, 3, 63, 95);
            drawFanHeater(p, kMediumFan, 2, 63, 155);
            drawFanHeater(p, kMediumFan, 1, 63, 215);
            break;
        case 1:
            drawFanHeater(p, kLargeFan, 2, 48, 100);
            drawFanHeater(p, kLargeFan, 1, 48, 190);
            break;
        case 0:
            drawFanHeater(p, kLargeFan, 1, 48, 145);
            break;
        default:
            break;
    }
    drawFrame(p, kModuleMotor, frames.loadFrame, 75, 35);
    drawFrame(p, kModuleMotor, frames.unloadFrame, 75, 292);
    drawFrame(p, kModuleRoll, frames.meterRollFrame[0], 55, 282);
    drawFrame(p, kModuleRoll, frames.meterRollFrame[1], 107, 282);
}

void drawBin(gfx::Painter& p) {
    const auto& s = dryer::dryerState().status;
    const auto& frames = shell::periodic();
    constexpr int kFanHeater1 = 5;
    copy(p, 406, 0, 0);
    drawFrame(p, kBinFan, frames.fanFrame[kFanHeater1], 51, 232);
    if (s.fanHeaterStatus(kFanHeater1).bit(1)) {
        drawFrame(p, kBinFlame, frames.fanFrame[kFanHeater1], 52, 175);
    }
    drawFrame(p, kBinSpout, frames.loadFrame, 43, 10);
    drawFrame(p, kBinStirrer, frames.binMotorFrame, 55, 308);
    drawFrame(p, kBinAuger, frames.unloadFrame, 66, 326);
    const auto lamps = s.statusWord168();
    copy(p, (lamps.byte(0) & 0x08) != 0 ? 429 : 428, 118, 80);
    copy(p, (lamps.byte(1) & 0x04) != 0 ? 434 : 433, 93, 53);
}

Picture choosePicture() {
    const auto& s = dryer::dryerState().status;
    const int modules = s.moduleCountCode().get();
    if (modules == 1) return Picture::TwoModuleTower;
    if (modules == 2) return Picture::ThreeModuleTower;
    const int model = s.dryerModelFlags().get();
    if ((model & 0x80) == 0 && (model & 0x20) != 0) return Picture::Bin;
    return Picture::SingleModule;
}

void paintPicture(ui::Window window, ui::PaintContext& pc) {
    gfx::Painter& p = pc.painter;
    p.fillRect(pc.client, gfx::colors::kBlack);
    const Picture picture = choosePicture();
    switch (picture) {
        case Picture::TwoModuleTower:
            drawTwoModuleTower(p);
            break;
        case Picture::ThreeModuleTower:
            drawThreeModuleTower(p);
            break;
        case Picture::SingleModule:
            drawSingleModule(window, p);
            break;
        case Picture::Bin:
            drawBin(p);
            break;
    }
    // The left bar that would say so is not shown beside the picture: the notice goes across
    // the picture's top instead, over the values of its first line.
    const bool notice = airflowTestingDisabled(dryer::dryerState().status);
    drawPictureValues(p, picture, pc.client.right, notice ? kAirflowBandHeight : 0);
    if (dryer::dryerState().status.alarmFlags().bit(7)) copy(p, 462, 0, 0);
    if (notice) drawAirflowNotice(p, {0, 0, pc.client.right, kAirflowBandHeight});
}

}  // namespace

ui::LResult dryerPictureProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
        case ui::kDestroy:
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paintPicture(window, ui::paintContext(lp));
            return 0;
        default:
            return ui::defaultProc(window, message, wp, lp);
    }
}

void resetDryerPicture() {
    gNoticeArmed = true;
}

}  // namespace status
