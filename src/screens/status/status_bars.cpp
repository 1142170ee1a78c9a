// The bars across the top of the main screen: the clock, date and version on the left (or the
// airflow notice), and on the right the most important dryer status of the moment.
#include "screens/status/status_bars.h"
#include "i18n/language.h"

#include <algorithm>
#include <cstdio>

#include "link/dryer_state.h"
#include "platform/clock/clock.h"
#include "screens/status/status_draw.h"
#include "screens/status/status_text.h"
#include "shell/periodic.h"

namespace status {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 9;

constexpr gfx::Color kRed = gfx::rgb(255, 0, 0);
constexpr gfx::Color kGreen = gfx::rgb(0, 255, 0);
constexpr gfx::Color kYellow = gfx::rgb(255, 255, 0);
constexpr gfx::Color kBlue = gfx::rgb(0, 0, 255);
constexpr gfx::Color kWhite = gfx::rgb(255, 255, 255);

bool blinkShown() {
    return (shell::periodic().alertBlinkFlags & shell::kBlinkCaption) != 0;
}

// ---- left bar -------------------------------------------------------------------------------

void paintLeftBar(ui::PaintContext& pc) {
    gfx::Painter& p = pc.painter;
    p.fillRect(pc.client, gfx::colors::kBlack);
    if (airflowTestingDisabled(dryer::dryerState().status)) {
        drawAirflowNotice(p, {2, 2, 229, 29});
        return;
    }
    const platform::LocalTime now = platform::localNow();
    const gfx::FontSpec small = gfx::font(13, 400);
    p.drawText(platform::formatPicture(now, "h':'mm tt"), {5, 0, 80, 20}, small,
               {kWhite, gfx::kSingleLine});
    p.drawText(i18n::shownDate(now, true), {65, 0, 240, 20}, small,
               {kWhite, gfx::kAlignCenter | gfx::kSingleLine});
    char version[32];
    std::snprintf(version, sizeof version, "VER: %d.%02d", kVersionMajor, kVersionMinor);
    p.drawText(version, {5, 15, 240, 30}, small, {kWhite, gfx::kSingleLine});
}

}  // namespace

// ---- airflow notice, for the left bar and the dryer picture ---------------------------------

bool airflowTestingDisabled(const dryer::ParameterImage& s) {
    for (int i = 0; i < 6; ++i) {
        if (s.fanHeaterStatusD(i).bit(2)) return true;
    }
    return false;
}

void drawAirflowNotice(gfx::Painter& p, const gfx::Rect& box) {
    const std::string notice = i18n::GetStringOr(726, "AIRFLOW TESTING DISABLED");
    const gfx::FontSpec font = gfx::fitFont(notice, gfx::font(14, 700), box.width() - 4, 12);
    const unsigned centred = gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine;
    if (blinkShown()) {
        p.fillRect(box, kRed);
        p.drawText(notice, box, font, {gfx::colors::kBlack, centred});
    } else {
        p.fillRect(box, gfx::colors::kBlack);
        p.drawText(notice, box, font, {gfx::rgb(250, 250, 250), centred});
    }
}

namespace {

// ---- right bar ------------------------------------------------------------------------------

struct BarLine {
    std::string text;
    gfx::Color color = kGreen;
    bool blinking = false;
    bool leftAligned = false;
    bool smallFont = false;  // state 4
};

int moistureControlKind(const dryer::ParameterImage& s) {
    return s.moistureControlMode().get() & 0x07;
}

bool loadingAndUnloadingBothOff(const dryer::ParameterImage& s) {
    return (s.statusFlags171().get() & 0xA0) == 0xA0;
}

BarLine autoStartLine(const dryer::ParameterImage& s) {
    BarLine line{text(301), kWhite};
    if (!loadingAndUnloadingBothOff(s)) {
        line.leftAligned = true;
        if (blinkShown()) line.text += " " + text(307);
    } else if (s.statusFlags280().bit(2)) {
        line = {text(504), kWhite, false, true};
    } else if (s.statusFlags280().bit(1)) {
        line.text += " " + minutesSecondsText(s.statusWord320().get());
        line.leftAligned = true;
    }
    return line;
}

// Time left before the moisture control resets; a count past its end shows as 00:00.
BarLine resetLine(int remaining) {
    char buffer[160];
    remaining = std::max(0, remaining);
    std::snprintf(buffer, sizeof buffer, "%s [%02d:%02d]", text(310).c_str(), remaining / 60,
                  remaining % 60);
    return {buffer, kRed, true};
}

BarLine learningLine(int minutes) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%s %d Minutes", text(309).c_str(), minutes);
    if (minutes > 5) return {buffer, gfx::rgb(100, 255, 0), false, false, true};
    return {buffer, gfx::rgb(200, 0, 0), true, false, true};
}

// The grain temperature's distance from its setpoint. With the dryer's own sensor (source 0) a
// distance of 0 is written "- 0" and any other without the dash; with the incoming or outgoing
// sensor the dash always stands, except before a negative distance, whose own sign says it.
BarLine grainDistanceLine(const dryer::ParameterImage& s) {
    const std::string label = text(308);
    const int source = s.grainTempSelect().get();
    if (source > 2) return {label, kGreen};
    int setpoint = s.grainTempSetpoint().get();
    if (source == 0 && s.plenumTempOptions().bit(1)) {
        setpoint = s.fanHeaterStatusD(5).bit(4) ? s.grainHiTempSetpoint().get()
                                                : s.grainLoTempSetpoint().get();
    }
    const int fahrenheit = setpoint - s.grainTemp(source).get();
    const bool inCelsius = celsius();
    const int distance = inCelsius ? fahrenheit * 5 / 9 : fahrenheit;
    const bool dash = source == 0 ? fahrenheit == 0 : distance >= 0;
    return {label + (dash ? " [- " : " [ ") + std::to_string(distance) + " " + kDegree +
                (inCelsius ? "C]" : "F]"),
            kGreen};
}

// Colour by the share of the setpoint that the out-of-grain count still holds; a setpoint of 0
// leaves no share at all and shows red. The time shown never goes below 0:00.
BarLine outOfGrainLine(const dryer::ParameterImage& s) {
    const int elapsed = s.outOfGrainElapsed().get();
    const int setpoint = s.outOfGrainTimerSetpoint().get();
    gfx::Color color = kRed;
    if (setpoint > 0 && 2 * elapsed > setpoint) {
        color = kGreen;
    } else if (setpoint > 0 && 4 * elapsed > setpoint) {
        color = kYellow;
    }
    std::string line = text(307);
    if (s.outOfGrainFlags().bit(0)) {
        line += "  " + minutesSecondsText(std::max(0, setpoint - elapsed));
    }
    return {line, color};
}

BarLine runningStateLine(const dryer::ParameterImage& s) {
    if (s.statusFlags172().bit(0) || s.statusFlags171().bit(6)) {
        std::string line = text(306);
        if (s.timerFlags43().bit(0)) {
            char buffer[16];
            std::snprintf(buffer, sizeof buffer, "  %d:%02d", s.loadDelayElapsed().byte(0),
                          s.loadDelayElapsed().byte(1));
            line += buffer;
        }
        return {line, kBlue};
    }
    if (s.alarmFlags().bit(6)) {
        if (s.plenumTempOptions().bit(0) && s.dryingMode().get() == 1) return {text(305), kRed};
        return {text(303), kGreen};
    }
    if ((s.statusByte271().get() & 0x03) == 0) return {text(304), kBlue};
    return {text(302), kRed};
}

BarLine rightBarLine() {
    const auto& s = dryer::dryerState().status;
    if (s.rightBarFlags(5).bit(5)) return {text(311), kRed, true};
    if (s.hardwareOptions().bit(0) &&
        (shell::periodic().alertBlinkFlags & shell::kBlinkStartupDone) != 0) {
        return autoStartLine(s);
    }
    const int kind = moistureControlKind(s);
    const int remaining = 3600 - s.statusWord290().get();
    if (remaining < 180 && s.alarmFlags().bit(6) && s.dryingOptions().bit(7) &&
        (kind == 4 || kind == 5)) {
        return resetLine(remaining);
    }
    const int learning = s.mcLearningMinutes().get();
    if (learning > 0 && s.operatingModeFlags().bit(2) && s.statusFlags171().bit(3) && kind == 3) {
        return learningLine(learning);
    }
    if (s.dryingOptions().bit(3) && s.alarmFlags().bit(6)) return grainDistanceLine(s);
    if (!loadingAndUnloadingBothOff(s)) return outOfGrainLine(s);
    return runningStateLine(s);
}

void paintRightBar(ui::PaintContext& pc) {
    gfx::Painter& p = pc.painter;
    p.fillRect(pc.client, gfx::colors::kBlack);
    const BarLine line = rightBarLine();
    if (line.blinking && !blinkShown()) return;
    // A translation too long for the bar gets a smaller font rather than losing its ends.
    drawFitted(p, line.text, {5, 0, 390, 45}, line.smallFont ? 25 : 28, line.smallFont ? 500 : 700,
               line.color, line.leftAligned ? gfx::kAlignLeft : gfx::kAlignCenter);
}

}  // namespace

ui::LResult leftStatusBarProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    if (message == ui::kPaint) {
        paintLeftBar(ui::paintContext(lp));
        return 0;
    }
    return ui::defaultProc(window, message, wp, lp);
}

ui::LResult rightStatusBarProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            paintRightBar(ui::paintContext(lp));
            return 0;
        default:
            return ui::defaultProc(window, message, wp, lp);
    }
}

std::string runningStateWord() {
    return runningStateLine(dryer::dryerState().status).text;
}

}  // namespace status
