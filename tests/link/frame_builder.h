#pragma once
// Builds status frames for the link tests.

#include <array>
#include <cstdint>
#include <initializer_list>

#include "link/crc.h"
#include "link/dryer_state.h"

namespace dryer::testing {

struct StatusFrameBuilder {
    std::array<uint8_t, kStatusFrameSize> bytes{};

    StatusFrameBuilder& put(int offset, std::initializer_list<uint8_t> values) {
        for (uint8_t v : values)
            bytes[offset++] = v;
        return *this;
    }
    const uint8_t* sealed() {
        appendCrc(bytes.data(), kStatusDataSize);
        return bytes.data();
    }
};

}  // namespace dryer::testing
