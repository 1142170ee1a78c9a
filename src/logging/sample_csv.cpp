#include "logging/sample_csv.h"

#include <cstdio>
#include <cstdlib>

namespace logging {
namespace {

std::string tenths(int value) {
    char text[16];
    const int magnitude = std::abs(value);
    std::snprintf(text, sizeof text, "%s%d.%d", value < 0 ? "-" : "", magnitude / 10,
                  magnitude % 10);
    return text;
}

}  // namespace

std::string SampleCsvHeader() {
    return "Date Time,Grain Column Temp (F),Grain Temp In (F),Moist In (%),Grain Temp Out (F),"
           "Moist Out (%),MR Speed (%)";
}

std::string SampleCsvRow(const DryerSample& s, int year) {
    char text[160];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d,%d,%s,%s,%s,%s,%d", year,
                  s.month(), s.day(), s.hour(), s.minute(), s.second(), s.grainColumnTemp(),
                  tenths(s.grainTempIn()).c_str(), tenths(s.moistureIn()).c_str(),
                  tenths(s.grainTempOut()).c_str(), tenths(s.moistureOut()).c_str(),
                  s.meterRollSpeed());
    return text;
}

bool SampleTimeValid(const DryerSample& s) {
    return s.hour() <= 23 && s.minute() <= 59 && s.second() <= 59 && s.month() >= 1 &&
           s.month() <= 12 && s.day() >= 1 && s.day() <= 31;
}

}  // namespace logging
