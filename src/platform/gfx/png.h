#pragma once
// PNG output for screenshots (8-bit RGB), and PNG input for the build tools that turn
// rasterized artwork into the panel's BMP files.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/gfx/surface.h"

namespace platform::gfx {

bool writePng(const Surface& surface, const std::string& hostPath);
// Empty on failure.
std::vector<uint8_t> encodePng(const Surface& surface);

// Reads a host PNG file of any colour type, transparency composited onto black; nullopt when
// it cannot be read or is larger than a BMP may be.
std::optional<Surface> loadPng(const std::string& hostPath);

}  // namespace platform::gfx
