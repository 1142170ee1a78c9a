#pragma once
// What each key does to a keypad's request, apart from the dialogs that show it.

#include <cstdint>
#include <optional>

#include "screens/keypads/keypads.h"

namespace keypads {

enum class Pad { Major, Minor };

// A digit (0 to 9) or kKeyDelete on one pad of the time keypad.
void timerKeypadKey(TimerKeypadRequest& request, Pad pad, int key);
void timerKeypadDefault(TimerKeypadRequest& request);
// The limits are inclusive.
bool timerKeypadInRange(const TimerKeypadRequest& request);
// Stores both parts into the targets (together) and raises the flag.
void storeTimerKeypadValue(const TimerKeypadRequest& request);

// A digit (0 to 9) or kKeyDelete.
void temperatureKeypadKey(TemperatureKeypadRequest& request, int key);
void temperatureKeypadClear(TemperatureKeypadRequest& request);
// The default in the display units.
void temperatureKeypadDefault(TemperatureKeypadRequest& request, bool celsius);
// The value the keypad shows for the request's value in degrees F.
uint16_t temperatureKeypadStart(uint16_t fahrenheit, bool celsius);
// The degrees F to store for the value typed (degrees C when `celsius`), or nothing when it lies
// outside the limits.
std::optional<uint16_t> temperatureToStore(const TemperatureKeypadRequest& request, bool celsius);
// The lowest and the highest value the keypad stores, in the display units.
struct ShownRange {
    int low = 0;
    int high = 0;
};
ShownRange temperatureKeypadRange(const TemperatureKeypadRequest& request, bool celsius);
void storeTemperatureKeypadValue(const TemperatureKeypadRequest& request, uint16_t fahrenheit);

}  // namespace keypads
