#include "platform/gfx/surface.h"

#include <algorithm>

namespace platform::gfx {

Surface::Surface(int width, int height, Color fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    if (width_ == 0 || height_ == 0) {
        width_ = height_ = 0;
        return;
    }
    pixels_.assign(static_cast<size_t>(width_) * height_, fill.argb());
}

uint32_t Surface::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return row(y)[x];
}

void Surface::setPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    row(y)[x] = c.argb();
}

void Surface::fill(Color c) {
    std::fill(pixels_.begin(), pixels_.end(), c.argb());
}

void Surface::clear() {
    std::fill(pixels_.begin(), pixels_.end(), 0u);
}

}  // namespace platform::gfx
