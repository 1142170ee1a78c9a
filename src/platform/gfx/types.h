#pragma once
// Geometry and colours shared by the painter and the window system.

#include <algorithm>
#include <cstdint>

namespace platform::gfx {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// Left and top inside, right and bottom outside, as the screens give their rectangles.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect fromSize(int x, int y, int width, int height) {
        return {x, y, x + width, y + height};
    }
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool empty() const { return right <= left || bottom <= top; }
    constexpr bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr Rect offset(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    constexpr Rect intersect(const Rect& o) const {
        Rect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
               std::min(bottom, o.bottom)};
        return r.empty() ? Rect{} : r;
    }
    // Bounding rectangle; an empty side does not widen it.
    constexpr Rect unite(const Rect& o) const {
        if (empty()) return o;
        if (o.empty()) return *this;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                std::max(bottom, o.bottom)};
    }
    constexpr Rect inflate(int dx, int dy) const {
        return {left - dx, top - dy, right + dx, bottom + dy};
    }
    bool operator==(const Rect&) const = default;
};

struct Color {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;

    constexpr uint32_t argb() const {
        return 0xFF000000u | (uint32_t{r} << 16) | (uint32_t{g} << 8) | uint32_t{b};
    }
    static constexpr Color fromArgb(uint32_t v) {
        return {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                static_cast<uint8_t>(v)};
    }
    bool operator==(const Color&) const = default;
};

constexpr Color rgb(int r, int g, int b) {
    return {static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

// The panel's fixed system colours and stock brushes.
namespace colors {
inline constexpr Color kBlack = rgb(0, 0, 0);
inline constexpr Color kWhite = rgb(255, 255, 255);
inline constexpr Color kMenu = rgb(192, 192, 192);    // system menu colour
inline constexpr Color kWindow = rgb(255, 255, 255);  // window background
inline constexpr Color kWindowText = rgb(0, 0, 0);
inline constexpr Color kButtonFace = rgb(192, 192, 192);
inline constexpr Color kButtonLight = rgb(255, 255, 255);
inline constexpr Color kButtonShadow = rgb(128, 128, 128);
inline constexpr Color kButtonDarkShadow = rgb(64, 64, 64);
inline constexpr Color kGrayText = rgb(128, 128, 128);
inline constexpr Color kCaption = rgb(0, 0, 128);
inline constexpr Color kInactiveCaption = rgb(96, 96, 128);
inline constexpr Color kCaptionText = rgb(255, 255, 255);
inline constexpr Color kHighlight = rgb(0, 0, 128);
inline constexpr Color kHighlightText = rgb(255, 255, 255);
inline constexpr Color kDialog = rgb(192, 192, 192);  // dialog background
inline constexpr Color kStockBlackBrush = kBlack;
}  // namespace colors

}  // namespace platform::gfx
