#pragma once
// PNG output for screenshots (8-bit RGB).

#include <cstdint>
#include <string>
#include <vector>

#include "platform/gfx/surface.h"

namespace platform::gfx {

bool writePng(const Surface& surface, const std::string& hostPath);
// Empty on failure.
std::vector<uint8_t> encodePng(const Surface& surface);

}  // namespace platform::gfx
