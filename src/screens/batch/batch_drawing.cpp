#include "screens/batch/batch_drawing.h"

#include <cstdio>

#include "i18n/language.h"
#include "platform/gfx/text.h"
#include "screens/status/status_draw.h"
#include "shell/layout.h"

namespace batch {
namespace gfx = platform::gfx;

namespace {

constexpr gfx::Color kHeatColour = gfx::rgb(200, 200, 0);
constexpr gfx::Color kCoolColour = gfx::rgb(0, 0, 250);
constexpr gfx::Color kUnloadColour = gfx::rgb(0, 250, 0);
constexpr gfx::Color kSeparator = gfx::rgb(150, 150, 150);

constexpr int kHoursString = 449;
constexpr int kMinutesString = 448;

Stage readStage(const dryer::Field running, const dryer::Field set) {
    return {{running.byte(0), running.byte(1)}, {set.byte(0), set.byte(1)}};
}

// Where one stage's texts go and in which sizes.
struct StageLayout {
    gfx::Rect major;
    int majorHeight;
    gfx::Rect minor;
    int minorHeight;
    gfx::Rect set;
};

// Drawing A, and the cool and unload columns of drawing B.
constexpr StageLayout kHeatA{{0, 15, 90, 90}, 66, {90, 55, 150, 135}, 32, {0, 0, 126, 20}};
constexpr StageLayout kCool{{120, 15, 220, 90}, 66, {220, 55, 280, 135}, 32, {126, 0, 259, 20}};
constexpr StageLayout kUnload{{220, 15, 350, 90}, 66, {350, 55, 410, 135}, 32, {259, 0, 400, 20}};
// The two rows of the heat column in drawing B.
constexpr StageLayout kHeatB{{0, 20, 70, 60}, 32, {75, 30, 150, 60}, 20, {0, 0, 126, 20}};
constexpr StageLayout kLoHeatB{{0, 107, 70, 147}, 32, {75, 117, 150, 147}, 20, {0, 87, 126, 107}};

constexpr int kDigitWeight = 900;
constexpr int kSetTimeHeight = 18;
constexpr int kSetTimeWeight = 300;
constexpr int kNoteHeight = 16;
constexpr int kNoteWeight = 400;

std::string number(const char* format, int value) {
    char text[16];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// One line in `rect`, in the asked size or smaller where a long text or translation would not
// fit the rectangle's width.
void drawLine(gfx::Painter& p, const std::string& text, const gfx::Rect& rect, int height,
              int weight, gfx::Color colour, unsigned align) {
    p.drawText(text, rect,
               gfx::fitFont(text, gfx::font(height, weight), rect.width(), status::kSmallestFont),
               {colour, align | gfx::kSingleLine});
}

void drawRunning(gfx::Painter& p, const StageTime& time, const StageLayout& at, gfx::Color colour) {
    drawLine(p, number("%d", time[0]), at.major, at.majorHeight, kDigitWeight, colour,
             gfx::kAlignRight);
    drawLine(p, number("%02d", time[1]), at.minor, at.minorHeight, kDigitWeight, colour,
             gfx::kAlignLeft);
}

void drawSetTime(gfx::Painter& p, const BatchTimers& timers, const StageTime& time,
                 const StageLayout& at, gfx::Color colour) {
    const std::string text = number("%02d", time[0]) + " " + timers.hours + " " +
                             number("%02d", time[1]) + " " + timers.minutes;
    drawLine(p, text, at.set, kSetTimeHeight, kSetTimeWeight, colour, gfx::kAlignCenter);
}

void drawStage(gfx::Painter& p, const BatchTimers& timers, const Stage& stage,
               const StageLayout& at, gfx::Color colour) {
    drawRunning(p, stage.running, at, colour);
    drawSetTime(p, timers, stage.set, at, colour);
}

void drawAveragingNote(gfx::Painter& p) {
    drawLine(p, i18n::GetStringOr(738, "AVERAGING"), {0, 25, 130, 65}, kNoteHeight, kNoteWeight,
             kHeatColour, gfx::kAlignCenter);
    drawLine(p, i18n::GetStringOr(739, "INCOMING"), {0, 40, 130, 95}, kNoteHeight, kNoteWeight,
             kHeatColour, gfx::kAlignCenter);
    drawLine(p, i18n::GetStringOr(740, "MOISTURE"), {0, 55, 130, 70}, kNoteHeight, kNoteWeight,
             kHeatColour, gfx::kAlignCenter);
}

void drawOneHeatStage(gfx::Painter& p, const BatchTimers& timers) {
    if (timers.averaging) {
        drawAveragingNote(p);
        drawSetTime(p, timers, timers.heat.set, kHeatA, kHeatColour);
    } else {
        drawStage(p, timers, timers.heat, kHeatA, kHeatColour);
    }
}

void drawTwoHeatStages(gfx::Painter& p, const BatchTimers& timers) {
    drawStage(p, timers, timers.heat, kHeatB, kHeatColour);
    drawStage(p, timers, timers.loHeat, kLoHeatB, kHeatColour);
}

// Three pixels wide between the columns (and between the heat rows), one under the set times.
void drawSeparators(gfx::Painter& p, bool twoHeatStages) {
    p.drawLine({126, 0}, {126, 170}, kSeparator, 3);
    p.drawLine({259, 0}, {259, 170}, kSeparator, 3);
    p.drawLine({0, 20}, {400, 20}, kSeparator);
    if (!twoHeatStages) return;
    p.drawLine({0, 87}, {126, 87}, kSeparator, 3);
    p.drawLine({0, 107}, {126, 107}, kSeparator);
}

}  // namespace

BatchTimers readBatchTimers(const dryer::DryerState& state) {
    BatchTimers timers;
    {
        const auto hold = state.hold();
        const dryer::ParameterImage& s = state.status;
        timers.heat = readStage(s.heatStageTime(), s.heatStageTimeSetpoint());
        timers.loHeat = readStage(s.loHeatStageTime(), s.loHeatStageTimeSetpoint());
        timers.cool = readStage(s.coolStageTime(), s.coolStageTimeSetpoint());
        timers.unload = readStage(s.unloadStageTime(), s.unloadStageTimeSetpoint());
        const auto options = s.plenumTempOptions();
        timers.twoHeatStages = shell::batchHasTwoHeatStages(s);
        timers.averaging = options.bit(6) && (s.moistureControlMode().get() & 0x07) == 6 &&
                           !s.statusFlags171().bit(7) && !s.batchStatus13().bit(0);
    }
    timers.hours = i18n::GetString(kHoursString);
    timers.minutes = i18n::GetString(kMinutesString);
    return timers;
}

void drawBatchTimers(gfx::Painter& p, const gfx::Rect& client, const BatchTimers& timers) {
    p.fillRect(client, gfx::colors::kBlack);
    if (timers.twoHeatStages) {
        drawTwoHeatStages(p, timers);
    } else {
        drawOneHeatStage(p, timers);
    }
    drawStage(p, timers, timers.cool, kCool, kCoolColour);
    drawStage(p, timers, timers.unload, kUnload, kUnloadColour);
    drawSeparators(p, timers.twoHeatStages);
}

}  // namespace batch
