#pragma once
// The two numeric keypads through which every timer and temperature setpoint is typed in: the
// time keypad (dialog 165, minutes and seconds or hours and minutes) and the temperature keypad
// (dialog 101, whole degrees). Neither knows what it edits: the screen that opens one fills its
// request record with the start value, the limits, the default, the edit bytes to store into and
// the pending flag to raise, then runs it modally. ACCEPT with a value inside the limits stores
// the value and raises the flag; CANCEL or a refused value store nothing.
//
//     keypads::openTemperatureKeypad(owner, state.edit.plenumTempSetpoint(5),
//                                    state.pending.plenumTempSetpoint(5), {50, 180, 250},
//                                    {810, "PLENUM %d SETPOINT", 1});
//     keypads::openTimerKeypad(owner, state.edit.fanDelay(), state.pending.fanDelay(),
//                              {{0, 1}, {0, 3}, {0, 25}}, {63, "FAN DELAY"},
//                              keypads::TimeUnits::MinutesSeconds);
//
// The open... calls copy the controller's value into the edit bytes first (beginEdit) and fill
// every field of the request. A caller that needs something else fills the request itself and
// calls run...Keypad. User-interface thread only.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "link/dryer_state.h"
#include "platform/ui/ui.h"

namespace keypads {

inline constexpr int kTemperatureKeypadTemplate = 101;
inline constexpr int kTimerKeypadTemplate = 165;

// Keys as the requests record them: 0 to 9 digits.
inline constexpr int kKeyDelete = 10;
inline constexpr int kKeyDefault = 11;

// One byte of a field of `edit`: byte 0 of a time field is its larger unit, byte 1 the smaller.
struct EditByte {
    dryer::Field field;
    int index = 0;
};

// What a keypad edits, as shown under its value: a numbered string of the language (`english`
// while the language lacks it), its "%d" filled with `number`.
struct KeypadName {
    int string = 0;
    std::string_view english;
    int number = 0;
};
// The name as shown, without the spaces some window captions start with.
std::string shownName(const KeypadName& name);

// The units of the time keypad's two parts, larger first.
enum class TimeUnits { MinutesSeconds, HoursMinutes };

struct TimerKeypadRequest {
    int minorDigits = 0;  // entry state of the right-hand (minor) pad, 0 to 2
    int majorDigits = 0;  // entry state of the left-hand (major) pad, 0 to 3
    uint8_t minorValue = 0;
    uint8_t majorValue = 0;
    uint8_t maxMajor = 0;
    uint8_t defaultMajor = 0;
    uint8_t minMajor = 0;
    uint8_t maxMinor = 0;
    uint8_t defaultMinor = 0;
    uint8_t minMinor = 0;
    std::optional<EditByte> minorTarget;
    std::optional<EditByte> majorTarget;
    int lastKey = 0;
    std::optional<dryer::Flag> sendFlag;
    bool entryStarted = false;  // shared by both pads
    KeypadName name;
    TimeUnits units = TimeUnits::MinutesSeconds;
};

struct TemperatureKeypadRequest {
    int digits = 0;      // entry state, 0 to 2
    uint16_t value = 0;  // degrees F when filled; the dialog works in the display units
    uint16_t maxValue = 0;
    uint16_t minValue = 0;
    int lastKey = 0;
    uint16_t defaultValue = 0;
    bool entryStarted = false;
    std::optional<dryer::Field> target;  // a 16-bit field of `edit`, degrees F
    std::optional<dryer::Flag> sendFlag;
    KeypadName name;
};

// The one request of each keypad; it keeps its contents between openings.
TimerKeypadRequest& timerKeypadRequest();
TemperatureKeypadRequest& temperatureKeypadRequest();

// Run the keypad over `owner` with the request as it stands; the id of the button that closed
// it comes back.
int runTimerKeypad(platform::ui::Window owner);
int runTemperatureKeypad(platform::ui::Window owner);

struct TimeValue {
    uint8_t major = 0;
    uint8_t minor = 0;
};
// Inclusive limits and the default of a time.
struct TimeLimits {
    TimeValue min;
    TimeValue def;
    TimeValue max;
};
// Inclusive limits and the default of a temperature, degrees F.
struct TemperatureLimits {
    uint16_t min = 0;
    uint16_t def = 0;
    uint16_t max = 0;
};

// beginEdit on `editTime` (a time field of the state's edit image), a fresh request aimed at it
// and its flag, then the keypad.
int openTimerKeypad(platform::ui::Window owner, dryer::Field editTime, dryer::Flag flag,
                    const TimeLimits& limits, const KeypadName& name, TimeUnits units);
// beginEdit on `editTemperature` (a 16-bit field of the state's edit image), a fresh request
// aimed at it and its flag, then the keypad.
int openTemperatureKeypad(platform::ui::Window owner, dryer::Field editTemperature,
                          dryer::Flag flag, const TemperatureLimits& limits,
                          const KeypadName& name);

// Degrees C shown for a value in degrees F: (tF - 32) * 5 / 9, truncated toward zero.
int displayCelsius(int fahrenheit);

// Makes MISC's grain setpoint keypad the real one.
void wireKeypads();

}  // namespace keypads
