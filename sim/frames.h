#pragma once
// The controller's reading of what the display sends: idle, resync and command frames.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct WriteRecord {
    int address = 0;
    std::vector<uint8_t> bytes;
};

struct DisplayFrame {
    enum class Kind { Idle, Resync, Command, Bad };
    Kind kind = Kind::Bad;
    std::vector<WriteRecord> records;
};

// One frame as it arrived between two gaps on the line. A command frame is taken only whole:
// the length byte matches what arrived, the CRC is good and its records fill it exactly.
DisplayFrame parseDisplayFrame(const uint8_t* bytes, size_t length);

// "53+5 clock = 07 0E 15 03 19"
std::string describeRecord(const WriteRecord& record);

}  // namespace sim
