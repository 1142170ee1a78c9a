#include "link/crc.h"

#include <array>

namespace dryer {
namespace {

struct CrcTables {
    std::array<uint8_t, 256> low{};
    std::array<uint8_t, 256> high{};
};

constexpr CrcTables makeTables() {
    CrcTables t;
    for (int i = 0; i < 256; ++i) {
        uint16_t crc = static_cast<uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0xA001) : (crc >> 1);
        }
        t.low[i] = static_cast<uint8_t>(crc);
        t.high[i] = static_cast<uint8_t>(crc >> 8);
    }
    return t;
}

constexpr CrcTables kTables = makeTables();

}  // namespace

uint16_t crc16(const uint8_t* data, size_t length) {
    uint8_t low = 0xFF;
    uint8_t high = 0xFF;
    for (size_t i = 0; i < length; ++i) {
        const uint8_t index = low ^ data[i];
        low = high ^ kTables.low[index];
        high = kTables.high[index];
    }
    return static_cast<uint16_t>(low | (high << 8));
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

}  // namespace dryer
