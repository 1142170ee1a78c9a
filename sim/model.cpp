#include "sim/model.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace sim {
namespace {

constexpr float kAmbientF = 60.0f;
constexpr int kBatchStages = 3;    // heat, cool, unload
constexpr int kGrainAlarmBit = 4;  // of alarmFlags
constexpr int kCountdownBit = 1;
constexpr int kCountdownSeconds = 5 * 60;

int clampInt(float v, int lo, int hi) {
    return std::clamp(static_cast<int>(std::lround(v)), lo, hi);
}

// Arrays that run from fan/heater 6 down to 1.
int downIndex(int n) {
    return 6 - n;
}

constexpr int kPulseSeconds = 2;
constexpr int kInputAddresses[5] = {179, 180, 181, 182, 183};

int inputIndex(int address) {
    for (int i = 0; i < 5; ++i) {
        if (kInputAddresses[i] == address) return i;
    }
    return -1;
}

// The AUTO positions of the fan and burner selector switches of fan/heater 1 to 6, as
// (input index, bit).
constexpr std::pair<int, int> kFanAuto[6] = {{0, 5}, {1, 2}, {1, 6}, {2, 3}, {2, 7}, {3, 5}};
constexpr std::pair<int, int> kBurnerAuto[6] = {{1, 0}, {1, 4}, {2, 1}, {2, 5}, {3, 3}, {3, 7}};

// Outputs in connector order: J1-01 spare, then burner and fan of fan/heater 6 down to 3, then
// J2: fan 3, burner and fan of 2 and 1, load, unload, start.
int fanOutput(int n) {
    return 14 - 2 * n;
}
int burnerOutput(int n) {
    return 13 - 2 * n;
}
constexpr int kLoadOutput = 13;
constexpr int kUnloadOutput = 14;
constexpr int kStartOutput = 15;

// J1 lies in bits 0 to 7 of the first byte, J2 in bits 7 down to 0 of the second.
void writeOutputBits(dryer::ParameterImage& t, int firstAddress, uint16_t outputs) {
    uint8_t j1 = 0;
    uint8_t j2 = 0;
    for (int k = 0; k < 16; ++k) {
        if (!((outputs >> k) & 1)) continue;
        if (k < 8) {
            j1 |= static_cast<uint8_t>(1 << k);
        } else {
            j2 |= static_cast<uint8_t>(1 << (15 - k));
        }
    }
    t.setAt(firstAddress, j1);
    t.setAt(firstAddress + 1, j2);
}

}  // namespace

float DryerModel::noise(float amplitude) {
    return std::uniform_real_distribution<float>(-amplitude, amplitude)(rng_);
}

// A two-module tower with four fan/heaters on LP, continuous flow, basic moisture control.
void DryerModel::startConfiguration() {
    t_.fanHeaterCountCode().set(3);
    t_.moduleCountCode().set(1);
    t_.dryerLengthCode().set(8);
    t_.heatStageTimeSetpoint().set(30 * 60);
    t_.coolStageTimeSetpoint().set(15 * 60);
    t_.unloadStageTimeSetpoint().set(10 * 60);
    t_.loHeatStageTimeSetpoint().set(10 * 60);
    t_.outOfGrainTimerSetpoint().set(8 * 60);
    t_.loadStartupDelay().set(60);
    t_.unloadCleanoutDelay().set(60);
    t_.fanDelay().set(3);
    for (int i = 0; i < 6; ++i) {
        t_.plenumTempSetpoint(i).set(180);
        t_.burnerDifferential(i).set(3);
        t_.burnerMode(i).set(3);
    }
    t_.grainTempSetpoint().set(110);
    t_.grainHiTempSetpoint().set(120);
    t_.grainLoTempSetpoint().set(90);
    const uint8_t knob[4] = {1, 80, 50, 20};  // selection, high, medium, low
    for (int i = 0; i < 4; ++i) {
        t_.meterRollKnobSpeed(i).set(knob[i]);
        t_.meterRollSpeedSetpoint(i).set(knob[i]);
    }
    t_.statusByte230().set(50);
    t_.bushelSetup().set(50);
    t_.moistureControlMode().set(1);
    t_.moistureSetpoint().set(155);
    t_.unloadRateLimits(0).set(80);  // percent
    t_.unloadRateLimits(1).set(10);
    const uint8_t brackets[4] = {6, 3, 6, 3};  // outer, inner bracket; outer, inner speed offset
    for (int i = 0; i < 4; ++i)
        t_.bracketedMcSettings(i).set(brackets[i]);
    t_.moistureSensorCalA(0).set(100);
    t_.moistureSensorCalB(0).set(100);
    t_.meterRollVoltageSetup(0).set(230);
    t_.meterRollVoltageSetup(1).set(20);
    t_.watchdogSetup().set(1);
    t_.dryingWord277().set(150);            // maximum grain temperature, degrees F
    t_.stagedBatchWord274().setByte(0, 8);  // maximum batch time 8:00
    t_.plenum2LoSetpoint().set(160);
    t_.plenumLoSetpoint().set(160);
    t_.averageIncomingMoisture().set(220);
    setAutoStartProgress(0);
    t_.dayDataLoggerSetup().set(1);
    t_.operatingModeFlags().set(0x10);
    plenum_.fill(kAmbientF);
    grain_.fill(kAmbientF);
    grainIn_ = grainOut_ = kAmbientF;
    moistureIn_ = 22.0f;
    moistureOut_ = 15.5f;
    speed_ = 50;
    advanceSecond();
}

int DryerModel::fanHeaterCount() const {
    static constexpr int kCounts[] = {1, 2, 3, 4, 6};
    const int code = t_.fanHeaterCountCode().get();
    return code <= 4 ? kCounts[code] : 1;
}

void DryerModel::setRunning(bool running) {
    running_ = running;
    if (!running) {
        autoStart_ = false;
        t_.hardwareOptions().setBit(0, false);
    }
}

void DryerModel::raiseShutdown(uint8_t node, uint8_t warning) {
    t_.shutdownWarningId().set(warning);
    t_.shutdownNodeId().set(node);
    t_.alarmFlags().setBit(kGrainAlarmBit, false);
    t_.alarmFlags().setBit(kCountdownBit, false);
    countdownSeconds_ = 0;
    if (node == 15 && warning >= 3 && warning <= 6) {
        countdownSeconds_ = kCountdownSeconds;
        writeCountdown();
        t_.alarmFlags().setBit(kCountdownBit, true);
        return;
    }
    const int select = std::clamp(t_.grainTempSelect().get(), 0, 2);
    const bool grainHot = grain_[select] > t_.grainHiTempSetpoint().get();
    if (node == 14 && warning == 6) {
        grain_.fill(static_cast<float>(t_.grainHiTempSetpoint().get() + 8));
        for (int i = 0; i < 3; ++i)
            t_.grainTemp(i).set(clampInt(grain_[i], 0, 400));
    }
    if ((node == 14 && warning == 6) || (node >= 2 && node <= 7 && warning == 5 && grainHot)) {
        t_.alarmFlags().setBit(kGrainAlarmBit, true);
    }
    setRunning(false);
}

void DryerModel::clearShutdown() {
    t_.shutdownWarningId().set(0);
    t_.shutdownNodeId().set(0);
    t_.alarmFlags().setBit(kGrainAlarmBit, false);
    t_.alarmFlags().setBit(kCountdownBit, false);
    countdownSeconds_ = 0;
    writeCountdown();
}

void DryerModel::writeCountdown() {
    t_.alarmCountdownMinutes().set(countdownSeconds_ / 60);
    t_.alarmCountdownSeconds().set(countdownSeconds_ % 60);
}

// The countdown ends with the dryer stopped; the warning stays until cleared.
void DryerModel::stepCountdown() {
    if (countdownSeconds_ == 0) return;
    --countdownSeconds_;
    writeCountdown();
    if (countdownSeconds_ > 0) return;
    t_.alarmFlags().setBit(kCountdownBit, false);
    setRunning(false);
}

void DryerModel::turnKnob(int speed) {
    t_.meterRollKnobSpeed(2).set(std::clamp(speed, 0, 100));
    t_.meterRollSpeedSetpoint(0).set(t_.meterRollSpeedSetpoint(0).get() ^ 0x80);
}

// Fan/heater n starts one step after n-1 and stays on to the end of the sequence, which lasts
// as many steps as there are fan/heaters, and two more (30 s each unless a length was set).
void DryerModel::startAutoStart() {
    if (autoStart_ || running_) return;
    autoStart_ = true;
    autoStartElapsed_ = 0;
    const int count = fanHeaterCount();
    const int total = autoStartLength_ > 0 ? autoStartLength_ : 30 * (count + 2);
    const int step = total / (count + 2);
    for (int n = 1; n <= 6; ++n) {
        const bool fitted = n <= count;
        t_.autoStartStageTimes(downIndex(n)).set(fitted ? step * (n - 1) : 0);
        t_.autoStartStageTimes(6 + downIndex(n)).set(fitted ? total : 0);
    }
    t_.autoStartTotalTime().set(total);
    t_.autoStartElapsedTime().set(0);
    t_.hardwareOptions().setBit(0, true);
    setAutoStartProgress(0x02);
}

void DryerModel::cancelAutoStart() {
    autoStart_ = false;
    t_.hardwareOptions().setBit(0, false);
    setAutoStartProgress(0);
}

// Bit 6 tells the display that this controller offers auto-start.
void DryerModel::setAutoStartProgress(uint8_t bits) {
    t_.statusFlags280().set(0x40 | bits);
}

void DryerModel::advanceSecond() {
    stepAutoStart();
    stepCountdown();
    const int count = fanHeaterCount();
    for (int n = 1; n <= 6; ++n) {
        const bool started =
            autoStart_ && autoStartElapsed_ >= t_.autoStartStageTimes(downIndex(n)).get();
        stepFanHeater(n, n <= count && (running_ || started));
    }
    stepGrain();
    stepMeteringRoll();
    stepLoading();
    stepBatch();
    writeStatusBits();
    for (auto& bits : pulseSeconds_) {
        for (int& seconds : bits)
            seconds = std::max(0, seconds - 1);
    }
    writePanelIo();
    if (running_) ++secondsRun_;
}

// The burner fires below setpoint minus the differential and stops at the setpoint.
void DryerModel::stepFanHeater(int n, bool active) {
    float& temp = plenum_[n - 1];
    bool& burner = burner_[n - 1];
    if (active) {
        const int setpoint = t_.plenumTempSetpoint(downIndex(n)).get();
        const int differential = std::clamp(t_.burnerDifferential(downIndex(n)).get(), 1, 10);
        if (temp < setpoint - differential) burner = true;
        if (temp >= setpoint) burner = false;
        temp += burner ? 1.2f : -0.8f;
    } else {
        burner = false;
        temp += (kAmbientF - temp) * 0.02f;
    }
    temp = std::max(temp + noise(0.3f), kAmbientF - 5);
    t_.plenumTemp(downIndex(n)).set(clampInt(temp, 0, 999));
    const uint8_t bits = (active ? 0x01 : 0) | (burner ? 0x04 : 0);
    t_.fanHeaterOutputs(downIndex(n)).set(bits);
    t_.fanHeaterStatus(downIndex(n)).set((active ? 0x01 : 0) | (burner ? 0x02 : 0));
}

void DryerModel::stepGrain() {
    const int count = fanHeaterCount();
    float sum = 0;
    for (int n = 1; n <= count; ++n)
        sum += plenum_[n - 1];
    const float column = running_ ? kAmbientF + 0.55f * (sum / count - kAmbientF) : kAmbientF;
    static constexpr float kOffsets[3] = {0, 5, -5};
    for (int i = 0; i < 3; ++i) {
        grain_[i] += (column + kOffsets[i] - grain_[i]) * 0.01f;
        t_.grainTemp(i).set(clampInt(grain_[i], 0, 400));
    }
    grainIn_ = kAmbientF + noise(0.3f);
    grainOut_ += ((running_ ? kAmbientF + 25 : kAmbientF) - grainOut_) * 0.02f;
    t_.grainTempIn().set(clampInt(grainIn_ * 10, -999, 9999));
    t_.grainTempOut().set(clampInt(grainOut_ * 10, -999, 9999));

    moistureIn_ =
        std::clamp(moistureIn_ + (22.0f - moistureIn_) * 0.02f + noise(0.2f), 19.0f, 25.0f);
    if (running_) {
        const float setpoint = t_.moistureSetpoint().get() / 10.0f;
        const float target = setpoint + (speed_ - 50) * 0.08f + (moistureIn_ - 22) * 0.3f;
        moistureOut_ += (target - moistureOut_) * 0.05f;
    }
    t_.moistureIn().set(clampInt(moistureIn_ * 10, 0, 999));
    t_.moistureOut().set(clampInt((moistureOut_ + noise(0.15f)) * 10, 0, 999));
    t_.moistureValue247().set(t_.moistureOut().get());
    t_.moistureValue249().set(t_.moistureIn().get());
}

// Basic moisture control trims the roll speed between the low and high knob speeds.
void DryerModel::stepMeteringRoll() {
    const int high = t_.meterRollKnobSpeed(1).get();
    const int medium = t_.meterRollKnobSpeed(2).get();
    const int low = t_.meterRollKnobSpeed(3).get();
    if ((t_.moistureControlMode().get() & 0x07) == 0) {
        speed_ = medium;
    } else if (running_ && secondsRun_ % 10 == 0) {
        const float error = moistureOut_ - t_.moistureSetpoint().get() / 10.0f;
        if (error > 0.3f) speed_ -= 1;
        if (error < -0.3f) speed_ += 1;
    }
    speed_ = std::clamp(speed_, static_cast<float>(std::min(low, high)),
                        static_cast<float>(std::max(low, high)));
    const int shown = running_ ? clampInt(speed_, 0, 100) : 0;
    t_.meterRollSpeed().set(shown);
    const int rate = shown * 30;  // bushels per hour
    t_.bushelRate().set(rate);
    t_.bushelCounter().set(static_cast<int32_t>(static_cast<uint32_t>(t_.bushelCounter().get()) +
                                                static_cast<uint32_t>(rate)));
}

// The garner drains with the roll; the load fills it while there is grain to fill with. Loading
// without grain runs the out-of-grain timer, which shuts the dryer down at its setpoint.
void DryerModel::stepLoading() {
    if (running_) garnerLevel_ -= speed_ * 0.02f;
    if (garnerLevel_ < 60) loading_ = running_;
    if (garnerLevel_ >= 95 || !running_) loading_ = false;
    if (loading_ && grainSupply_) garnerLevel_ += 1.5f;
    garnerLevel_ = std::clamp(garnerLevel_, 0.0f, 100.0f);

    outOfGrainSeconds_ = loading_ && !grainSupply_ ? outOfGrainSeconds_ + 1 : 0;
    t_.outOfGrainElapsed().set(outOfGrainSeconds_);
    t_.outOfGrainFlags().set(outOfGrainSeconds_ > 0 ? 1 : 0);
    const int limit = t_.outOfGrainTimerSetpoint().get();
    if (limit > 0 && outOfGrainSeconds_ >= limit) raiseShutdown(14, 4);  // OUT OF GRAIN
}

// Staged batch: heat, cool and unload stages run to their setpoints in turn.
void DryerModel::stepBatch() {
    if (!running_ || t_.dryingMode().get() == 0) return;
    const dryer::Field times[kBatchStages] = {t_.heatStageTime(), t_.coolStageTime(),
                                              t_.unloadStageTime()};
    const dryer::Field setpoints[kBatchStages] = {
        t_.heatStageTimeSetpoint(), t_.coolStageTimeSetpoint(), t_.unloadStageTimeSetpoint()};
    dryer::Field time = times[batchStage_];
    time.set(time.get() + 1);
    if (time.get() < setpoints[batchStage_].get()) return;
    time.set(0);
    batchStage_ = (batchStage_ + 1) % kBatchStages;
    if (batchStage_ == 0) t_.batchCounter().set(t_.batchCounter().get() + 1);
}

void DryerModel::stepAutoStart() {
    if (!autoStart_) return;
    ++autoStartElapsed_;
    const int total = t_.autoStartTotalTime().get();
    t_.autoStartElapsedTime().set(std::min(autoStartElapsed_, total));
    t_.statusBytes324(0).set(total > 0 ? 100 * std::min(autoStartElapsed_, total) / total : 0);
    t_.statusByte288().set(autoStartElapsed_ < total / 2 ? 1 : 2);
    if (autoStartElapsed_ < total) {
        setAutoStartProgress(autoStartElapsed_ < total / 2 ? 0x02 : 0x04);
        return;
    }
    autoStart_ = false;
    running_ = true;
    t_.hardwareOptions().setBit(0, false);
    setAutoStartProgress(0x80);
}

void DryerModel::writeStatusBits() {
    const uint8_t run = running_ ? 1 : 0;
    t_.statusFlags171().set(0x20 | (loading_ ? 0 : 0x80) | (run ? 0x48 : 0));
    t_.statusFlags172().set(run);
    t_.alarmFlags().setBit(6, running_);
    t_.statusByte58().set((loading_ ? 0x80 : 0) | (running_ && speed_ > 0 ? 0x08 : 0));
    t_.operatingModeFlags().set(operatingModeBase());
}

uint8_t DryerModel::operatingModeBase() const {
    const bool manual = (t_.moistureControlMode().get() & 0x07) == 0;
    return 0x10 | (manual ? 0x06 : 0);
}

void DryerModel::forceInput(int address, int bit, int state) {
    const int i = inputIndex(address);
    if (i < 0 || bit < 0 || bit > 7) return;
    const auto mask = static_cast<uint8_t>(1 << bit);
    forcedOn_[i] = static_cast<uint8_t>(state == 1 ? forcedOn_[i] | mask : forcedOn_[i] & ~mask);
    forcedOff_[i] = static_cast<uint8_t>(state == 0 ? forcedOff_[i] | mask : forcedOff_[i] & ~mask);
    writePanelIo();
}

void DryerModel::pulseInput(int address, int bit) {
    const int i = inputIndex(address);
    if (i < 0 || bit < 0 || bit > 7) return;
    pulseSeconds_[i][bit] = kPulseSeconds;
    writePanelIo();
}

void DryerModel::setOutputShorted(int output, bool shorted) {
    if (output < 0 || output > 15) return;
    const auto mask = static_cast<uint16_t>(1 << output);
    shortedOutputs_ =
        static_cast<uint16_t>(shorted ? shortedOutputs_ | mask : shortedOutputs_ & ~mask);
    writePanelIo();
}

// The selector switches of the fitted fan/heaters stand in AUTO; the rest is pulses and forcing.
void DryerModel::writePanelIo() {
    std::array<uint8_t, 5> inputs{operatingModeBase(), 0, 0, 0, 0};
    const int count = fanHeaterCount();
    for (int n = 1; n <= count; ++n) {
        inputs[kFanAuto[n - 1].first] |= static_cast<uint8_t>(1 << kFanAuto[n - 1].second);
        inputs[kBurnerAuto[n - 1].first] |= static_cast<uint8_t>(1 << kBurnerAuto[n - 1].second);
    }
    for (int i = 0; i < 5; ++i) {
        for (int bit = 0; bit < 8; ++bit) {
            if (pulseSeconds_[i][bit] > 0) inputs[i] |= static_cast<uint8_t>(1 << bit);
        }
        inputs[i] = static_cast<uint8_t>((inputs[i] | forcedOn_[i]) & ~forcedOff_[i]);
        t_.setAt(kInputAddresses[i], inputs[i]);
    }
    writeOutputs();
}

// A lamp is lit while its fan runs or its burner fires, LOAD while loading, UNLOAD and START
// while the dryer runs.
void DryerModel::writeOutputs() {
    uint16_t lit = 0;
    for (int n = 1; n <= 6; ++n) {
        const uint8_t bits = t_.fanHeaterOutputs(downIndex(n)).get();
        if (bits & 0x01) lit |= static_cast<uint16_t>(1 << fanOutput(n));
        if (bits & 0x04) lit |= static_cast<uint16_t>(1 << burnerOutput(n));
    }
    if (loading_) lit |= 1 << kLoadOutput;
    if (running_) lit |= (1 << kUnloadOutput) | (1 << kStartOutput);
    writeOutputBits(t_, 239, lit);
    writeOutputBits(t_, 177, shortedOutputs_);
}

}  // namespace sim
