#include "screens/keypads/keypad_entry.h"

namespace keypads {
namespace {

// The pad's value and entry state, and how many digits it takes.
struct PadEntry {
    uint8_t& value;
    int& digits;
    int lastState;    // 3 on the major pad, 2 on the minor pad
    int appendLimit;  // the largest value to which a last digit is still appended
};

PadEntry padOf(TimerKeypadRequest& request, Pad pad) {
    if (pad == Pad::Major) return {request.majorValue, request.majorDigits, 3, 24};
    return {request.minorValue, request.minorDigits, 2, 5};
}

void typeDigit(PadEntry pad, int digit) {
    if (pad.digits == 0) {
        pad.value = static_cast<uint8_t>(digit);
        if (digit != 0) pad.digits = 1;  // a leading 0 keeps the pad empty
    } else if (pad.digits < pad.lastState - 1) {
        pad.value = static_cast<uint8_t>(pad.value * 10 + digit);
        ++pad.digits;
    } else if (pad.digits == pad.lastState - 1) {
        if (pad.value <= pad.appendLimit) pad.value = static_cast<uint8_t>(pad.value * 10 + digit);
        pad.digits = pad.lastState;
    }
}

void deleteDigit(PadEntry pad) {
    pad.value = static_cast<uint8_t>(pad.value / 10);
    if (pad.digits > 0) --pad.digits;
}

void store(const std::optional<EditByte>& target, uint8_t value) {
    if (!target) return;
    dryer::Field field = target->field;
    field.setByte(target->index, value);
}

void raise(std::optional<dryer::Flag> flag) {
    if (flag) flag->raise();
}

int digitCount(int value) {
    if (value >= 100) return 3;
    return value >= 10 ? 2 : 1;
}

}  // namespace

void timerKeypadKey(TimerKeypadRequest& request, Pad pad, int key) {
    request.lastKey = key;
    const PadEntry entry = padOf(request, pad);
    if (entry.digits == 0 && !request.entryStarted) {
        // The first key of an opening on an empty pad clears that pad's start value only.
        request.entryStarted = true;
        entry.value = 0;
    }
    if (key == kKeyDelete) {
        deleteDigit(entry);
    } else if (key >= 0 && key <= 9) {
        typeDigit(entry, key);
    }
}

void timerKeypadDefault(TimerKeypadRequest& request) {
    request.lastKey = kKeyDefault;
    request.minorValue = request.defaultMinor;
    request.majorValue = request.defaultMajor;
    request.minorDigits = request.defaultMinor >= 10 ? 1 : 0;
    request.majorDigits = digitCount(request.defaultMajor);
}

bool timerKeypadInRange(const TimerKeypadRequest& request) {
    const int value = request.majorValue * 60 + request.minorValue;
    return value <= request.maxMajor * 60 + request.maxMinor &&
           value >= request.minMajor * 60 + request.minMinor;
}

void storeTimerKeypadValue(const TimerKeypadRequest& request) {
    auto hold = dryer::dryerState().hold();
    store(request.minorTarget, request.minorValue);
    store(request.majorTarget, request.majorValue);
    raise(request.sendFlag);
}

void temperatureKeypadKey(TemperatureKeypadRequest& request, int key) {
    request.lastKey = key;
    if (request.digits == 0 && !request.entryStarted) {
        // The first key of an opening discards the start value.
        request.entryStarted = true;
        request.value = 0;
    }
    if (key == kKeyDelete) {
        request.value = static_cast<uint16_t>(request.value / 10);
        request.digits = request.digits == 1 ? 2 : 1;
        return;
    }
    if (key < 0 || key > 9) return;
    switch (request.digits) {
        case 0:
            request.value = static_cast<uint16_t>(key);
            request.digits = 1;
            break;
        case 1:
            request.value = static_cast<uint16_t>(request.value * 10 + key);
            request.digits = 2;
            break;
        default:
            if (request.value < 100)
                request.value = static_cast<uint16_t>(request.value * 10 + key);
            break;
    }
}

void temperatureKeypadClear(TemperatureKeypadRequest& request) {
    request.digits = 0;
    request.value = 0;
}

void temperatureKeypadDefault(TemperatureKeypadRequest& request, bool celsius) {
    request.lastKey = kKeyDefault;
    request.value = temperatureKeypadStart(request.defaultValue, celsius);
    request.digits = request.value >= 100 ? 2 : (request.value >= 10 ? 1 : 0);
}

uint16_t temperatureKeypadStart(uint16_t fahrenheit, bool celsius) {
    if (!celsius) return fahrenheit;
    const int c = displayCelsius(fahrenheit);
    return static_cast<uint16_t>(c < 0 ? 0 : c);
}

int displayCelsius(int fahrenheit) {
    return (fahrenheit - 32) * 5 / 9;
}

std::optional<uint16_t> temperatureToStore(const TemperatureKeypadRequest& request, bool celsius) {
    const int typed = request.value;
    const auto inRange = [&request](int f) {
        return f >= request.minValue && f <= request.maxValue;
    };
    if (!celsius) {
        if (!inRange(typed)) return std::nullopt;
        return static_cast<uint16_t>(typed);
    }
    // Whole degrees C do not map onto whole degrees F; the correction makes the display's
    // truncating conversion give the typed value back. The limits hold for what is stored. Where
    // only the correction passes the upper limit, the limit itself still shows as the typed value
    // and is stored instead.
    static constexpr int kCorrection[5] = {0, 2, 2, 2, 1};
    const int fahrenheit = typed * 9 / 5 + 32 + kCorrection[typed % 5];
    if (inRange(fahrenheit)) return static_cast<uint16_t>(fahrenheit);
    if (fahrenheit > request.maxValue && displayCelsius(request.maxValue) == typed) {
        return request.maxValue;
    }
    return std::nullopt;
}

ShownRange temperatureKeypadRange(const TemperatureKeypadRequest& request, bool celsius) {
    if (!celsius) return {request.minValue, request.maxValue};
    // What whole degrees C the limits let through, as the keypad can type them (0 to 999).
    TemperatureKeypadRequest typed = request;
    std::optional<ShownRange> range;
    for (int c = 0; c <= 999; ++c) {
        typed.value = static_cast<uint16_t>(c);
        if (!temperatureToStore(typed, true)) continue;
        if (!range) range = ShownRange{c, c};
        range->high = c;
    }
    return range.value_or(
        ShownRange{displayCelsius(request.minValue), displayCelsius(request.maxValue)});
}

void storeTemperatureKeypadValue(const TemperatureKeypadRequest& request, uint16_t fahrenheit) {
    auto hold = dryer::dryerState().hold();
    if (request.target) {
        dryer::Field target = *request.target;
        target.set(fahrenheit);
    }
    raise(request.sendFlag);
}

}  // namespace keypads
