// The values over the dryer picture: moisture in and out, grain temperatures, moisture-control
// kind and state, metering-roll speed, bushel rate and counter, batches, setpoints, the sampler
// and the one-hour moisture mean. Each overlay places the cells beside its picture.
#include "screens/status/picture_values.h"

#include <cstdint>
#include <cstdio>

#include "link/dryer_state.h"
#include "screens/status/status_draw.h"
#include "screens/status/status_text.h"
#include "shell/periodic.h"

namespace status {
namespace gfx = platform::gfx;

namespace {

constexpr gfx::Color kGreen = gfx::rgb(0, 255, 0);
constexpr gfx::Color kRed = gfx::rgb(255, 0, 0);
constexpr gfx::Color kCyan = gfx::rgb(0, 255, 255);
constexpr gfx::Color kWhite = gfx::rgb(255, 255, 255);
constexpr gfx::Color kSetpoint = gfx::rgb(200, 200, 0);
constexpr gfx::Color kSampler = gfx::rgb(0, 0, 255);
constexpr gfx::Color kScale = gfx::rgb(175, 175, 175);
// Metric bushel figures: tonnes per bushel as the controller counts them.
constexpr double kTonnesPerBushel = 0.0254000508;

const dryer::ParameterImage& status() {
    return dryer::dryerState().status;
}

int kind() {
    return status().moistureControlMode().get() & 0x07;
}

bool automatic() {
    return status().moistureControlMode().bit(7);
}

std::string labelled(int string, int value) {
    return text(string) + " " + std::to_string(value);
}

std::string percent(int tenths) {
    return tenthsText(tenths) + "%";
}

// The dryer's own grain temperature; a sensor choice above 2 reads the first.
int dryerGrainTemperature() {
    const int source = status().grainTempSelect().get();
    return status().grainTemp(source <= 2 ? source : 0).get();
}

int stagedBatchStateString() {
    const auto options = status().plenumTempOptions();
    if (options.bit(5)) return options.bit(4) ? 264 : 265;
    if (options.bit(4)) return 266;
    return options.bit(6) ? 267 : 268;
}

// Kinds 1 (TEMP) and 5 (TEMP 5 SPEED) steer by grain temperature, the others by moisture.
bool grainTemperatureControl() {
    return kind() == 1 || kind() == 5;
}

// ---- drawing ----------------------------------------------------------------------------

struct Writer {
    gfx::Painter& p;
    int right;       // the client's right edge
    int clearAbove;  // lines that start above it are left out: a notice covers them

    void line(const std::string& value, int left, int top, int bottom, gfx::Color color,
              int height = 16, int weight = 500, unsigned align = gfx::kAlignLeft) const {
        if (value.empty() || top < clearAbove) return;
        drawFitted(p, value, {left, top, right - 2, bottom}, height, weight, color, align);
    }
    // Word-broken, as the sampler's state is.
    void words(const std::string& value, int left, int top, int bottom, gfx::Color color) const {
        if (!value.empty() && top >= clearAbove)
            drawWords(p, value, {left, top, right - 2, bottom}, 16, 500, color);
    }
    // The dryer's grain temperature under its label, in cyan.
    void grainTemperature(int left, int top, bool spaced) const {
        line(text(295), left, top, top + 16, kCyan);
        line(temperatureText(dryerGrainTemperature(), celsius(), spaced), left, top + 16, top + 38,
             kCyan, 22, 700);
    }
    // Cells L, A, B, the batch count in staged batch, D, C and E from `top`, 16 pixels apart;
    // C lands at (`cLeft`, `cTop`) when it is given.
    void machineCells(int left, int top, int cLeft = 0, int cTop = -1) const {
        line(moistureControlKindCell(), left, top, top + 16, kGreen);
        const CellText state = moistureControlStateCell();
        line(state.text, left, top + 16, top + 32, state.color);
        line(meterRollCell(), left, top + 32, top + 48, kRed);
        int y = top + 48;
        if (status().dryingMode().get() == 1) {
            line(labelled(296, status().batchCounter().get()), left, y, y + 16, kWhite);
            y += 16;
        }
        line(unloadCell(), left, y, y + 16, kWhite);
        y += 16;
        if (cTop < 0) {
            line(bushelRateCell(), left, y, y + 16, kWhite);
            y += 16;
        } else {
            line(bushelRateCell(), cLeft, cTop, cTop + 20, kWhite);
        }
        line(bushelCounterCell(), left, y, y + 16, kWhite);
    }
    // The setpoint line: the moisture setpoint, or the grain setpoint under grain-temperature
    // control. The single-module picture writes it shorter ("SP 15.5%", "SP 110°F").
    void setpoint(int left, int top, bool compact) const {
        std::string value;
        if (grainTemperatureControl()) {
            value = text(288) + (compact ? " " : ": ") +
                    temperatureText(status().grainTempSetpoint().get(), celsius(), !compact);
        } else {
            const int sp = status().moistureSetpoint().get();
            value = (compact ? std::string("SP ") : text(288) + ": ") + percent(sp);
        }
        line(value, left, top, top + 16, kSetpoint);
    }
    void hourlyMean() const {
        drawFitted(p, hourlyMoistureCell(), {3, 395, 103, 415}, 16, 500, kGreen, gfx::kAlignLeft);
    }
};

void twoModuleTower(const Writer& w) {
    gfx::Painter& p = w.p;
    p.drawLine({143, 280}, {143, 392}, kScale, 2);
    for (int y = 280; y <= 364; y += 12)
        p.drawLine({143, y}, {153, y}, kScale, 2);
    p.drawLine({125, 392}, {153, 392}, kScale, 2);
    p.drawLine({115, 23}, {145, 23}, kScale, 2);
    p.drawLine({125, 187}, {147, 187}, kScale, 2);
    w.line(percent(status().moistureIn().get()), 145, 10, 50, kGreen, 30, 800);
    w.grainTemperature(155, 175, true);
    w.machineCells(140, 54, 155, 320);
    w.words(samplerCell(), 140, 240, 278, kSampler);
    // The controller counts the outgoing grain temperature in tenths, as cell F reads it.
    w.line(grainOutTemperatureCell(), 155, 340, 356, kSetpoint);
    w.setpoint(155, 356, false);
    w.line(moistureCell(status().moistureOut().get()), 155, 374, 406, kGreen, 30, 500);
    w.hourlyMean();
}

void threeModuleTower(const Writer& w) {
    w.line(moistureCell(status().moistureIn().get()), 114, 4, 36, kGreen, 30, 800);
    w.machineCells(114, 40);
    w.grainTemperature(114, 160, true);
    w.line(moistureSetpointCell(), 114, 206, 222, kSetpoint);
    w.line(text(298) + ": " + temperatureText(status().grainHiTempSetpoint().get(), celsius()), 114,
           222, 238, kSetpoint);
    w.line(text(297) + ": " + temperatureText(status().grainLoTempSetpoint().get(), celsius()), 114,
           238, 254, kSetpoint);
    w.line(grainOutTemperatureCell(), 114, 254, 270, kSetpoint);
    w.words(samplerCell(), 114, 276, 334, kSampler);
    w.line(moistureCell(status().moistureOut().get()), 114, 340, 372, kGreen, 30, 500);
    w.hourlyMean();
}

void singleModule(const Writer& w) {
    w.line(percent(status().moistureIn().get()), 148, 2, 30, kGreen, 26, 800);
    if (status().dryingMode().get() == 1) {
        constexpr gfx::Color kBatchLabel = gfx::rgb(0, 0, 150);
        constexpr gfx::Color kBatchValue = gfx::rgb(0, 250, 0);
        w.line(text(293), 148, 32, 44, kBatchLabel, 12);
        w.line(moistureValueCell(status().moistureValue247().get()), 148, 44, 60, kBatchValue);
        w.line(text(294), 148, 60, 72, kBatchLabel, 12);
        w.line(moistureValueCell(status().moistureValue249().get()), 148, 72, 88, kBatchValue);
    }
    w.grainTemperature(148, 92, false);
    w.machineCells(148, 132);
    w.line(grainOutTemperatureCell(false), 148, 250, 266, kSetpoint);
    w.setpoint(148, 266, true);
    w.words(samplerCell(), 148, 286, 338, kSampler);
    w.line(moistureCell(status().moistureOut().get()), 110, 344, 380, kGreen, 30, 500,
           gfx::kAlignRight);
    w.hourlyMean();
}

void bin(const Writer& w) {
    gfx::Painter& p = w.p;
    const CellText state = moistureControlStateCell();
    w.line(state.text, 112, 4, 20, state.color);
    w.line(meterRollCell(), 112, 20, 36, kRed);
    w.line(bushelRateCell(), 112, 36, 52, kWhite);
    w.line(unloadCell(), 112, 52, 68, kWhite);
    // The lamps' arm reaches into the column between 78 and 92.
    w.line(bushelCounterCell(), 112, 96, 112, kWhite);
    w.line(grainOutTemperatureCell(), 112, 112, 128, kSetpoint);
    const int sp = status().moistureSetpoint().get();
    w.line(text(288) + " " + percent(sp), 112, 128, 144, kSetpoint);
    w.words(samplerCell(), 112, 150, 210, kSampler);
    // Large readouts: the dryer's grain temperature, then the outgoing moisture.
    const bool inCelsius = celsius();
    const int temperature = dryerGrainTemperature();
    const int unitLeft = w.right - 30;
    drawFitted(p, std::to_string(inCelsius ? toCelsius(temperature) : temperature),
               {110, 262, unitLeft, 322}, 60, 800, kCyan, gfx::kAlignRight | gfx::kAlignVCenter);
    drawFitted(p, std::string(kDegree) + (inCelsius ? "C" : "F"), {unitLeft, 270, w.right - 2, 292},
               20, 700, kCyan, gfx::kAlignLeft);
    const int out = status().moistureOut().get();
    drawFitted(p, tenthsText(out), {4, 352, w.right - 34, 412}, 60, 800, kGreen,
               gfx::kAlignRight | gfx::kAlignVCenter);
    drawFitted(p, "%", {w.right - 32, 372, w.right - 2, 400}, 28, 800, kGreen, gfx::kAlignLeft);
}

}  // namespace

CellText moistureControlStateCell() {
    const auto& s = status();
    if (s.dryingMode().get() == 1) return {text(stagedBatchStateString()), kGreen};
    switch (kind()) {
        case 1:
            if (automatic()) return {text(s.moistureControlMode().bit(6) ? 33 : 269), kGreen};
            return {text(270), kRed};
        case 4:
        case 5:
            if (!automatic()) return {text(270), kRed};
            return {text(kind() == 4 && s.dryingOptions().bit(7) ? 271 : 34), kGreen};
        case 2: {
            const int setting = s.mcByte201().get();
            if (setting >= 5 && setting <= 7) return {text(34), kGreen};
            return {text(270), kRed};
        }
        default:
            break;
    }
    if (s.dryingMode().get() % 2 == 1) {
        if (s.operatingModeFlags().bit(1)) return {text(270), kRed};
        return {text(34), kGreen};
    }
    if (s.mcByte201().get() == 3) return {text(34), kGreen};
    return {text(270), kRed};
}

std::string meterRollCell() {
    const auto& s = status();
    const int speed = s.meterRollSpeed().get();
    if (s.statusFlags280().bit(1)) return "AS " + std::to_string(speed);
    switch (kind()) {
        case 2: {
            const int setting = s.mcByte201().get();
            return labelled(setting == 5 ? 272 : (setting == 6 ? 274 : 273), speed);
        }
        case 4:
        case 5: {
            if (!automatic()) return labelled(274, speed);
            static constexpr int kByStep[] = {274, 276, 273, 275, 272, 273, 273, 273};
            return labelled(kByStep[s.statusByte220().get() & 0x07], speed);
        }
        default:
            break;
    }
    switch (s.meterRollKnobSpeed(0).get()) {
        case 2:
            return labelled(272, speed);
        case 0:
            if (s.moistureControlMode().bit(6)) return text(277);
            return labelled(278, speed);
        default:
            return text(273) + " " + std::to_string(speed) + "." +
                   std::to_string(s.statusByte223().get());
    }
}

std::string bushelRateCell() {
    const int rate = status().bushelRate().get();
    if (celsius()) return labelled(279, static_cast<int>(rate * kTonnesPerBushel));
    return labelled(280, rate);
}

std::string unloadCell() {
    const auto& s = status();
    if (s.meteringRollReverse().bit(5)) return text(281);
    const int value = s.statusWord197().get();
    char buffer[160];
    if (s.dryerModelFlags().bit(5)) {
        std::snprintf(buffer, sizeof buffer, "%s %d.%02d", text(282).c_str(), value / 100,
                      value % 100);
    } else {
        std::snprintf(buffer, sizeof buffer, "%s %d.%01d", text(282).c_str(), value / 10,
                      value % 10);
    }
    return buffer;
}

std::string bushelCounterCell() {
    const auto counter = static_cast<uint32_t>(status().bushelCounter().get());
    if (celsius()) return labelled(283, static_cast<int>(counter * kTonnesPerBushel / 3600));
    return labelled(284, static_cast<int>(counter / 3600));
}

std::string grainOutTemperatureCell(bool spaced) {
    return temperatureText(status().grainTempOut().get() / 10, celsius(), spaced);
}

std::string moistureCell(int tenths) {
    return tenths == 0 ? "***" : percent(tenths);
}

std::string samplerCell() {
    const auto& s = status();
    if (!s.statusFlags171().bit(3)) return {};
    const auto either = [](int preferred, int fallback) {
        const std::string value = text(preferred);
        return value.empty() ? text(fallback) : value;
    };
    if (s.statusByte292().bit(0)) return either(520, 285);
    if (s.statusByte292().bit(1)) return either(519, 286);
    return either(521, 287);
}

std::string moistureValueCell(int tenths) {
    return percent(tenths);
}

std::string moistureSetpointCell() {
    return text(288) + ": " + percent(status().moistureSetpoint().get());
}

std::string moistureControlKindCell() {
    const int mode = status().dryingMode().get();
    if (mode != 0) return text(mode == 1 ? 291 : 292);
    switch (kind()) {
        case 2:
            return "3 SPEED";
        case 4:
            return text(77);
        case 3:
            return text(79);
        case 1:
            return text(265);
        case 5:
            return text(289);
        default:
            return text(290);
    }
}

std::string hourlyMoistureCell() {
    const auto& average = shell::periodic().hourlyMoisture;
    if (average.warmup() > 0) return "***";
    return percent(static_cast<int>(average.average()));
}

void drawPictureValues(gfx::Painter& p, Picture picture, int right, int clearAbove) {
    const Writer w{p, right, clearAbove};
    switch (picture) {
        case Picture::TwoModuleTower:
            twoModuleTower(w);
            break;
        case Picture::ThreeModuleTower:
            threeModuleTower(w);
            break;
        case Picture::SingleModule:
            singleModule(w);
            break;
        case Picture::Bin:
            bin(w);
            break;
    }
}

}  // namespace status
