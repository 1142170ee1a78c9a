#pragma once
// A block of ARGB32 pixels: a window's image, an off-screen bitmap or a loaded picture.

#include <cstdint>
#include <utility>
#include <vector>

#include "platform/gfx/types.h"

namespace platform::gfx {

class Surface {
  public:
    Surface() = default;
    // Sizes below zero count as zero.
    Surface(int width, int height, Color fill = colors::kBlack);
    Surface(const Surface&) = default;
    Surface& operator=(const Surface&) = default;
    // A moved-from surface is empty.
    Surface(Surface&& other) noexcept
        : width_(std::exchange(other.width_, 0)),
          height_(std::exchange(other.height_, 0)),
          pixels_(std::move(other.pixels_)) {}
    Surface& operator=(Surface&& other) noexcept {
        width_ = std::exchange(other.width_, 0);
        height_ = std::exchange(other.height_, 0);
        pixels_ = std::move(other.pixels_);
        other.pixels_.clear();
        return *this;
    }

    int width() const { return width_; }
    int height() const { return height_; }
    Size size() const { return {width_, height_}; }
    Rect bounds() const { return {0, 0, width_, height_}; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    uint32_t* row(int y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const uint32_t* row(int y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const std::vector<uint32_t>& pixels() const { return pixels_; }

    // Outside the surface: reads give 0, writes are dropped.
    uint32_t pixel(int x, int y) const;
    Color colorAt(int x, int y) const { return Color::fromArgb(pixel(x, y)); }
    void setPixel(int x, int y, Color c);
    void fill(Color c);
    // Makes every pixel transparent (alpha 0); drawing makes pixels opaque again.
    void clear();

    bool operator==(const Surface&) const = default;

  private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;
};

}  // namespace platform::gfx
