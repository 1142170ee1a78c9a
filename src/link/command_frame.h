#pragma once
// Command frames: the display's writes to the controller. Byte 0 is the frame's length L
// (including the CRC), byte 1 the number of records, then the records (address high, address
// low, byte count n, n bytes) and the CRC over bytes 0 .. L-3.

#include <cstdint>
#include <span>

#include "link/dryer_state.h"

namespace dryer {

inline constexpr int kMaxCommandFrame = 118;
// Records are started only while the frame is shorter than this (apart from two rows).
inline constexpr int kRecordIndexLimit = 100;

struct CommandRecord {
    uint16_t address;
    uint8_t count;
    int16_t statusSource;  // -1: the bytes of `edit` at address; else `status` from this offset
};

// The 82 records in the order they are tested and sent; record n is element n-1 and is governed
// by `state.pending.record(n)`.
std::span<const CommandRecord> commandRecords();

inline constexpr int kClockRecord = 21;         // one-shot, sent whatever the length
inline constexpr int kUserSettingsRecord = 73;  // one-shot; command bits 0-1 cleared once sent
inline constexpr int kGrainTypeRecord = 79;     // sent whatever the length

// Fills frame[0 .. L-3] from the raised flags (frame holds kMaxCommandFrame bytes) and clears the
// one-shot flags it sends. True when at least one record went in; byte 0 is 2 otherwise. The
// CRC is left to the caller.
bool buildCommandFrame(DryerState& state, uint8_t* frame);

}  // namespace dryer
