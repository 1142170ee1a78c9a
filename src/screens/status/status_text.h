#pragma once
// How the status screens turn the controller's values into text: temperatures in degrees F or C,
// tenths of a percent, minutes and seconds, and the numbered strings of the current language.

#include <string>

namespace status {

inline constexpr const char* kDegree = "\u00B0";

// Whole degrees C from whole degrees F, truncated toward zero: 212 -> 100, 33 -> 0, 0 -> -17.
int toCelsius(int fahrenheit);

// "%d °F" or, with `celsius`, the converted "%d °C"; `spaced` puts a space before the degree sign.
std::string temperatureText(int fahrenheit, bool celsius, bool spaced = true);

// Tenths as "%d.%d": 153 -> "15.3", 7 -> "0.7".
std::string tenthsText(int tenths);

// Seconds as "%d:%02d".
std::string minutesSecondsText(int seconds);

// String `number` of the current language.
std::string text(int number);

// Whether the units setting asks for degrees C.
bool celsius();

}  // namespace status
