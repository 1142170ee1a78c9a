#pragma once
// The line's CRC-16: polynomial 0xA001 (reflected 0x8005), start 0xFFFF, no final XOR, sent low
// byte first.

#include <cstddef>
#include <cstdint>

namespace dryer {

uint16_t crc16(const uint8_t* data, size_t length);

// Stores the CRC over buffer[0 .. length-1] at buffer[length] (low) and buffer[length+1] (high).
void appendCrc(uint8_t* buffer, size_t length);

// True when buffer[length] and buffer[length+1] hold the CRC over buffer[0 .. length-1].
bool checkCrc(const uint8_t* buffer, size_t length);

}  // namespace dryer
