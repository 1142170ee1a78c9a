#pragma once
// The dryer values the three logs record, and the 18-byte sample that the short-term and graph
// logs store: 16-bit values high byte first, a reserved zero byte, then the panel's local hour,
// minute, second, month and day.

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/clock/clock.h"

namespace logging {

// The values as the dryer state holds them, without any conversion of units.
struct LogValues {
    uint16_t grainColumnTemp = 0;  // the grain temperature in use, whole degrees
    int16_t grainTempIn = 0;       // tenths of a degree
    uint16_t moistureIn = 0;       // tenths of a percent
    int16_t grainTempOut = 0;      // tenths of a degree
    uint16_t moistureOut = 0;      // tenths of a percent
    uint8_t meterRollSpeed = 0;
    uint16_t bushelRate = 0;  // bushels per hour (long-term log only)
};

constexpr size_t kDryerSampleSize = 18;

struct DryerSample {
    std::array<uint8_t, kDryerSampleSize> bytes{};

    uint16_t word(size_t offset) const {
        return static_cast<uint16_t>(bytes[offset] << 8 | bytes[offset + 1]);
    }
    uint16_t grainColumnTemp() const { return word(0); }
    int16_t grainTempIn() const { return static_cast<int16_t>(word(2)); }
    uint16_t moistureIn() const { return word(4); }
    int16_t grainTempOut() const { return static_cast<int16_t>(word(6)); }
    uint16_t moistureOut() const { return word(8); }
    uint16_t meterRollSpeed() const { return word(10); }
    int hour() const { return bytes[13]; }
    int minute() const { return bytes[14]; }
    int second() const { return bytes[15]; }
    int month() const { return bytes[16]; }
    int day() const { return bytes[17]; }

    bool operator==(const DryerSample&) const = default;
};

// Arrays of samples are read and written as plain runs of bytes.
static_assert(sizeof(DryerSample) == kDryerSampleSize);

DryerSample makeDryerSample(const LogValues& values, const platform::LocalTime& now);

// A whole number of samples: a torn tail left by a cut write is not a sample.
inline uint64_t wholeSampleBytes(uint64_t size) {
    return size - size % kDryerSampleSize;
}

}  // namespace logging
