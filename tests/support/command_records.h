#pragma once
// What the display sends next, read back as the controller would read its next command frame.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

#include "link/command_frame.h"
#include "link/crc.h"
#include "link/dryer_state.h"
#include "sim/frames.h"

namespace testsupport {

// Address -> bytes of each record in the next command frame, apart from the clock.
using Wire = std::map<int, std::vector<uint8_t>>;

// The records of the next command frame, in order, apart from the clock (the builder's one-shot
// flags are spent).
inline std::vector<sim::WriteRecord> nextCommandRecords() {
    uint8_t frame[dryer::kMaxCommandFrame + 2] = {};
    std::vector<sim::WriteRecord> out;
    if (!dryer::buildCommandFrame(dryer::dryerState(), frame)) return out;
    const int length = frame[0];
    dryer::appendCrc(frame, length - 2);
    const sim::DisplayFrame parsed = sim::parseDisplayFrame(frame, length);
    EXPECT_EQ(parsed.kind, sim::DisplayFrame::Kind::Command);
    for (const sim::WriteRecord& r : parsed.records) {
        if (r.address != 53) out.push_back(r);
    }
    return out;
}

// The same by address; of two records at one address the first.
inline Wire nextCommandWire() {
    Wire wire;
    for (const sim::WriteRecord& r : nextCommandRecords())
        wire.emplace(r.address, r.bytes);
    return wire;
}

}  // namespace testsupport
