#include "platform/gfx/legible.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace platform::gfx {
namespace {

double luminance(Color c) {
    auto channel = [](uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

Color mix(Color from, Color to, int step, int steps) {
    auto part = [&](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>(a + ((b - a) * step + steps / 2) / steps);
    };
    return rgb(part(from.r, to.r), part(from.g, to.g), part(from.b, to.b));
}

}  // namespace

double contrastRatio(Color a, Color b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color legibleColor(Color text, Color ground, int cellHeight) {
    const double need = cellHeight >= kLargeTextHeight ? kMinLargeTextContrast : kMinTextContrast;
    if (contrastRatio(text, ground) >= need) return text;
    const Color end = contrastRatio(colors::kWhite, ground) >= contrastRatio(colors::kBlack, ground)
                          ? colors::kWhite
                          : colors::kBlack;
    constexpr int kSteps = 64;
    for (int step = 1; step < kSteps; ++step) {
        const Color c = mix(text, end, step, kSteps);
        if (contrastRatio(c, ground) >= need) return c;
    }
    return end;
}

// Counted run by run: the box behind a text is mostly long runs of a few colours, and it is
// looked at for every text drawn.
std::optional<Color> dominantColor(const Surface& surface, const Rect& area, Color except) {
    const Rect inside = area.intersect(surface.bounds());
    std::unordered_map<uint32_t, int> counts;
    for (int y = inside.top; y < inside.bottom; ++y) {
        const uint32_t* row = surface.row(y);
        for (int x = inside.left; x < inside.right;) {
            const uint32_t pixel = row[x];
            const int start = x;
            while (x < inside.right && row[x] == pixel)
                ++x;
            if ((pixel >> 24) == 0 || (pixel | 0xFF000000u) == except.argb()) continue;
            counts[pixel | 0xFF000000u] += x - start;
        }
    }
    if (counts.empty()) return std::nullopt;
    const auto best = std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
        return a.second < b.second || (a.second == b.second && a.first > b.first);
    });
    return Color::fromArgb(best->first);
}

}  // namespace platform::gfx
