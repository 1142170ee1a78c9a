#include "shell/periodic.h"

#include <cctype>
#include <cstdio>

namespace shell {

void HourlyMoistureAverage::add(uint16_t sample) {
    const float value = sample;
    if (held_ == kSamples) {
        sum_ -= ring_[next_];
    } else {
        ++held_;
    }
    ring_[next_] = value;
    sum_ += value;
    next_ = (next_ + 1) % kSamples;
    average_ = static_cast<float>(sum_ / held_);
    if (warmup_ > 0) --warmup_;
}

std::optional<int> RepeatTimer::step(std::optional<int> held) {
    if (!held) {
        delay_ = kDelayTicks;
        return std::nullopt;
    }
    if (delay_ > 0) {
        --delay_;
        return std::nullopt;
    }
    return held;
}

bool StagePrompt::step(bool held) {
    if (!held || delay_ > 0) {
        delay_ = held ? 0 : 1;
        return false;
    }
    delay_ = 1;
    return true;
}

PeriodicState& periodic() {
    static PeriodicState state;
    return state;
}

BlinkStep advanceBlink(PeriodicState& state) {
    state.blinkPhase = state.blinkPhase > 6 ? 0 : state.blinkPhase + 1;
    BlinkStep step;
    if (state.blinkPhase == 0) {
        state.alertBlinkFlags &= ~(kBlinkCaption | kBlinkCountdown);
        step.phaseStart = true;
    }
    if (state.blinkPhase == 2) {
        state.alertBlinkFlags |= kBlinkCountdown;
        step.countdownShow = true;
    }
    if (state.blinkPhase == 3) {
        state.alertBlinkFlags |= kBlinkCaption;
        // Marks the end of the first seconds after start (the third show step) for good.
        if (state.blinkSlowCount > 3) state.alertBlinkFlags |= kBlinkStartupDone;
        state.blinkSlowCount += state.blinkSlowCount <= 3 ? 2 : 1;
        step.phaseShow = true;
    }
    return step;
}

std::string formatNumbers(std::string_view format, std::span<const int> values) {
    std::string out;
    size_t used = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        const bool zeroPad = j < format.size() && format[j] == '0';
        if (zeroPad) ++j;
        int width = 0;
        while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])) &&
               width < 10) {
            width = width * 10 + (format[j++] - '0');
        }
        if (j >= format.size() || format[j] != 'd' || used >= values.size()) {
            out += '%';
            continue;
        }
        char number[32];
        std::snprintf(number, sizeof number, zeroPad ? "%0*d" : "%*d", width, values[used++]);
        out += number;
        i = j;
    }
    return out;
}

}  // namespace shell
