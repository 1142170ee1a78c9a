#include "logging/dryer_sample.h"

namespace logging {
namespace {

void putWord(DryerSample& sample, size_t offset, uint16_t value) {
    sample.bytes[offset] = static_cast<uint8_t>(value >> 8);
    sample.bytes[offset + 1] = static_cast<uint8_t>(value & 0xFF);
}

}  // namespace

DryerSample makeDryerSample(const LogValues& values, const platform::LocalTime& now) {
    DryerSample sample;
    putWord(sample, 0, values.grainColumnTemp);
    putWord(sample, 2, static_cast<uint16_t>(values.grainTempIn));
    putWord(sample, 4, values.moistureIn);
    putWord(sample, 6, static_cast<uint16_t>(values.grainTempOut));
    putWord(sample, 8, values.moistureOut);
    putWord(sample, 10, values.meterRollSpeed);
    sample.bytes[12] = 0;
    sample.bytes[13] = static_cast<uint8_t>(now.hour);
    sample.bytes[14] = static_cast<uint8_t>(now.minute);
    sample.bytes[15] = static_cast<uint8_t>(now.second);
    sample.bytes[16] = static_cast<uint8_t>(now.month);
    sample.bytes[17] = static_cast<uint8_t>(now.day);
    return sample;
}

}  // namespace logging
