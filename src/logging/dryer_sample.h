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

// Where a sample holds its 16-bit values.
enum SampleWordAt : size_t {
    kGrainColumnTempAt = 0,
    kGrainTempInAt = 2,
    kMoistureInAt = 4,
    kGrainTempOutAt = 6,
    kMoistureOutAt = 8,
    kMeterRollSpeedAt = 10,
};

// The 16-bit value whose high byte is at `at`.
inline uint16_t sampleWord(const uint8_t* at) {
    return static_cast<uint16_t>(at[0] << 8 | at[1]);
}

struct DryerSample {
    std::array<uint8_t, kDryerSampleSize> bytes{};

    uint16_t word(size_t offset) const { return sampleWord(bytes.data() + offset); }
    uint16_t grainColumnTemp() const { return word(kGrainColumnTempAt); }
    int16_t grainTempIn() const { return static_cast<int16_t>(word(kGrainTempInAt)); }
    uint16_t moistureIn() const { return word(kMoistureInAt); }
    int16_t grainTempOut() const { return static_cast<int16_t>(word(kGrainTempOutAt)); }
    uint16_t moistureOut() const { return word(kMoistureOutAt); }
    uint16_t meterRollSpeed() const { return word(kMeterRollSpeedAt); }
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
