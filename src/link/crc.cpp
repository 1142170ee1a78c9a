#include "link/crc.h"

namespace dryer {
namespace {

// Plain arrays: a byte always indexes them in range, and the lookup stays in the loop where
// std::array's operator[] is a call of its own in the sanitizer builds.
struct CrcTable {
    uint16_t entry[256];
};

constexpr CrcTable makeTable() {
    CrcTable table{};
    for (int i = 0; i < 256; ++i) {
        uint16_t crc = static_cast<uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : (crc >> 1);
        }
        table.entry[i] = crc;
    }
    return table;
}

constexpr CrcTable kTable = makeTable();

// One byte into the CRC register. The step is linear: the register and byte of two runs XORed
// together give the XOR of their results.
uint16_t step(uint16_t crc, uint8_t byte) {
    return static_cast<uint16_t>((crc >> 8) ^ kTable.entry[static_cast<uint8_t>(crc ^ byte)]);
}

uint16_t update(uint16_t crc, const uint8_t* data, size_t length) {
    for (const uint8_t* p = data; p != data + length; ++p)
        crc = step(crc, *p);
    return crc;
}

}  // namespace

uint16_t crc16(const uint8_t* data, size_t length) {
    return update(0xFFFF, data, length);
}

void appendCrc(uint8_t* buffer, size_t length) {
    const uint16_t crc = crc16(buffer, length);
    buffer[length] = static_cast<uint8_t>(crc);
    buffer[length + 1] = static_cast<uint8_t>(crc >> 8);
}

bool checkCrc(const uint8_t* buffer, size_t length) {
    const uint16_t crc = crc16(buffer, length);
    return buffer[length] == static_cast<uint8_t>(crc) &&
           buffer[length + 1] == static_cast<uint8_t>(crc >> 8);
}

// With c the CRC of window w and w' the window one place on, by linearity
//   crc(w') = step(c, entering) ^ crc0(leaving, length zeros) ^ step(z, 0) ^ z,
// where crc0 starts from a zero register and z is the CRC of `length` zeros: the start value's
// part cancels out, and what the leaving byte still adds is one table entry.
SlidingCrc::SlidingCrc(size_t length) {
    uint16_t zeros = 0xFFFF;
    for (size_t i = 0; i < length; ++i)
        zeros = step(zeros, 0);
    const uint16_t startPart = static_cast<uint16_t>(step(zeros, 0) ^ zeros);
    for (int byte = 0; byte < 256; ++byte) {
        uint16_t part = step(0, static_cast<uint8_t>(byte));
        for (size_t i = 0; i < length; ++i)
            part = step(part, 0);
        leaving_[byte] = static_cast<uint16_t>(part ^ startPart);
    }
}

uint16_t SlidingCrc::slide(uint16_t crc, uint8_t leaving, uint8_t entering) const {
    return static_cast<uint16_t>(step(crc, entering) ^ leaving_[leaving]);
}

}  // namespace dryer
