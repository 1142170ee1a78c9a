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

// The CRC over a window of a fixed number of bytes that moves along a run of bytes one place at
// a time, for a search of frames of that size at every place: each step takes out the byte that
// leaves the window and takes in the one that enters it, rather than going over the window
// again. Making one costs some 256 windows' worth of CRC, so keep it.
class SlidingCrc {
  public:
    explicit SlidingCrc(size_t length);

    // The CRC over the window one place on from the one whose CRC is `crc`: `leaving` was the
    // first byte of that window and `entering` is the byte after its last.
    uint16_t slide(uint16_t crc, uint8_t leaving, uint8_t entering) const;

  private:
    uint16_t leaving_[256] = {};  // what each value of the leaving byte takes out
};

}  // namespace dryer
