#pragma once
// BMP files: read (1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up or top-down, uncompressed
// or with bit-field masks) and write (24 bits, bottom-up). A file that is malformed, truncated
// or implausibly large is refused; the reader never reads outside the bytes it is given.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/gfx/surface.h"

namespace platform::gfx {

// Largest picture accepted, in pixels per side and in total.
inline constexpr int kMaxBmpSide = 16384;
inline constexpr int64_t kMaxBmpPixels = 4096LL * 4096;

std::optional<Surface> readBmp(std::span<const uint8_t> bytes);
// Reads a host file; nullopt when it cannot be read or is not a valid BMP.
std::optional<Surface> loadBmp(const std::string& hostPath);

std::vector<uint8_t> encodeBmp(const Surface& surface);
bool writeBmp(const Surface& surface, const std::string& hostPath);

}  // namespace platform::gfx
