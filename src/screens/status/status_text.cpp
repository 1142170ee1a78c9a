#include "screens/status/status_text.h"

#include <cstdio>

#include "i18n/language.h"
#include "link/dryer_state.h"

namespace status {

int toCelsius(int fahrenheit) {
    return (fahrenheit - 32) * 5 / 9;
}

std::string temperatureText(int fahrenheit, bool inCelsius, bool spaced) {
    const int value = inCelsius ? toCelsius(fahrenheit) : fahrenheit;
    return std::to_string(value) + (spaced ? " " : "") + kDegree + (inCelsius ? "C" : "F");
}

std::string tenthsText(int tenths) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%d.%d", tenths / 10, tenths % 10);
    return buffer;
}

std::string minutesSecondsText(int seconds) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%d:%02d", seconds / 60, seconds % 60);
    return buffer;
}

std::string text(int number) {
    return i18n::GetString(number);
}

bool celsius() {
    return dryer::dryerState().unitsSetting != 0;
}

}  // namespace status
