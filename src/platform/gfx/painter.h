#pragma once
// Drawing onto a surface: fills, pixels, lines 1 to 35+ pixels wide, polylines, frames, dotted
// lines, text and bitmaps, all clipped to the surface and to the painter's clip rectangle.
//
// Coordinates are the painter's own: with an origin, logical (x, y) lands on surface pixel
// (x + origin.x, y + origin.y). Lines include both end points. A line w pixels wide covers w
// rows (or columns) from floor(w / 2) before the centre line, and its ends are cut square at
// the end points.

#include <optional>
#include <span>
#include <string_view>

#include "platform/gfx/font.h"
#include "platform/gfx/surface.h"
#include "platform/gfx/text.h"
#include "platform/gfx/types.h"

namespace platform::gfx {

struct TextStyle {
    TextStyle(Color c = colors::kBlack, unsigned f = kAlignLeft, std::optional<Color> bg = {})
        : color(c), flags(f), background(bg) {}

    Color color;
    unsigned flags;                   // TextFlags
    std::optional<Color> background;  // opaque background behind each line; none = transparent
};

class Painter {
  public:
    explicit Painter(Surface& target);
    // `clip` is in logical coordinates; the painter never leaves it or the surface.
    Painter(Surface& target, Point origin, const Rect& clip);

    Surface& target() { return *target_; }
    Point origin() const { return origin_; }
    // The clip rectangle in logical coordinates.
    Rect clip() const { return clip_.offset(-origin_.x, -origin_.y); }
    // Narrows the clip to `rect` (logical) within the painter's original clip.
    void setClip(const Rect& rect);

    void fillRect(const Rect& rect, Color color);
    // Makes the pixels transparent (for windows that let their parent show through).
    void clearRect(const Rect& rect);
    void setPixel(int x, int y, Color color);
    void drawLine(Point from, Point to, Color color, int width = 1);
    void drawPolyline(std::span<const Point> points, Color color, int width = 1);
    // A frame of `width` pixels inside `rect`.
    void drawFrame(const Rect& rect, Color color, int width = 1);
    // Every `spacing`-th pixel of the 1-pixel line, starting with `from`.
    void drawDottedLine(Point from, Point to, Color color, int spacing = 2);

    void fillEllipse(const Rect& bounds, Color color);
    // A filled polygon (even-odd rule), pixel centres inside are set.
    void fillPolygon(std::span<const Point> points, Color color);

    void drawText(std::string_view utf8, const Rect& rect, const FontSpec& font,
                  const TextStyle& style);

    void copyBitmap(const Surface& source, Point to);
    void copyBitmap(const Surface& source, const Rect& sourceRect, Point to);
    // Copies only the source pixels that are not transparent (alpha 0).
    void copyBitmapOver(const Surface& source, Point to);
    // Nearest-neighbour scaling of `sourceRect` onto `destination`.
    void stretchBitmap(const Surface& source, const Rect& sourceRect, const Rect& destination);

  private:
    void fillSurfaceRect(const Rect& surfaceRect, uint32_t argb, const Rect& clip);
    void thinLine(Point a, Point b, uint32_t argb, int spacing);
    void thickLine(Point a, Point b, uint32_t argb, int width);
    void fillDisc(Point centre, int diameter, uint32_t argb);
    void drawGlyphs(const TextLine& line, const FontSpec& font, uint32_t argb, const Rect& clip);
    // The text's colour, lifted where it would not stand out from what lies under its lines.
    Color legibleColorHere(const std::vector<TextLine>& lines, const FontSpec& font,
                           const TextStyle& style, const Rect& clip) const;

    Surface* target_;
    Point origin_;
    Rect baseClip_;  // surface coordinates
    Rect clip_;      // surface coordinates
};

}  // namespace platform::gfx
