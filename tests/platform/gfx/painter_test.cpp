#include "platform/gfx/painter.h"

#include <gtest/gtest.h>

#include <vector>

namespace platform::gfx {
namespace {

constexpr Color kRed = rgb(255, 0, 0);
constexpr Color kBlue = rgb(0, 0, 255);

// The pixels of `s` that are `c`, as a set of points in row order.
std::vector<Point> pixelsOf(const Surface& s, Color c) {
    std::vector<Point> out;
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            if (s.colorAt(x, y) == c) out.push_back({x, y});
        }
    }
    return out;
}

Rect boundsOf(const Surface& s, Color c) {
    Rect r;
    for (Point p : pixelsOf(s, c))
        r = r.unite(Rect{p.x, p.y, p.x + 1, p.y + 1});
    return r;
}

TEST(PainterTest, FillsAndPixelsStayInsideSurfaceAndClip) {
    Surface s(10, 8);
    Painter p(s);
    p.fillRect({-5, -5, 3, 2}, kRed);
    EXPECT_EQ(boundsOf(s, kRed), (Rect{0, 0, 3, 2}));
    p.setPixel(-1, 0, kBlue);
    p.setPixel(10, 0, kBlue);
    p.setPixel(9, 7, kBlue);
    EXPECT_EQ(pixelsOf(s, kBlue), (std::vector<Point>{{9, 7}}));

    Surface t(10, 8);
    Painter clipped(t, {2, 1}, {0, 0, 4, 4});  // logical (0,0) is surface (2,1)
    clipped.fillRect({-10, -10, 100, 100}, kRed);
    EXPECT_EQ(boundsOf(t, kRed), (Rect{2, 1, 6, 5}));
    clipped.setClip({1, 1, 2, 2});
    clipped.fillRect({0, 0, 10, 10}, kBlue);
    EXPECT_EQ(pixelsOf(t, kBlue), (std::vector<Point>{{3, 2}}));
    EXPECT_EQ(clipped.clip(), (Rect{1, 1, 2, 2}));
}

TEST(PainterTest, LinesCoverEndPointsAndTheirWidthCentredOnTheLine) {
    Surface s(200, 120);
    Painter p(s);
    p.drawLine({2, 3}, {9, 3}, kRed);
    EXPECT_EQ(boundsOf(s, kRed), (Rect{2, 3, 10, 4}));

    s.fill(colors::kBlack);
    p.drawLine({0, 70}, {150, 70}, kRed, 2);
    EXPECT_EQ(boundsOf(s, kRed), (Rect{0, 69, 151, 71}));

    // A bar 35 pixels wide drawn upwards from y = 100 to y = 40 at x = 60.
    s.fill(colors::kBlack);
    p.drawLine({60, 100}, {60, 40}, kBlue, 35);
    EXPECT_EQ(boundsOf(s, kBlue), (Rect{43, 40, 78, 101}));
    EXPECT_EQ(pixelsOf(s, kBlue).size(), 35u * 61u);

    // A slanted wide line is symmetric about its centre line and roughly width * length.
    s.fill(colors::kBlack);
    p.drawLine({20, 20}, {80, 80}, kRed, 9);
    const size_t count = pixelsOf(s, kRed).size();
    EXPECT_NEAR(static_cast<double>(count), 9 * 60 * 1.41421 + 9, 60);
    for (Point q : pixelsOf(s, kRed))
        EXPECT_EQ(s.colorAt(q.y, q.x), kRed);

    // Steep 1-pixel lines have one pixel per row.
    s.fill(colors::kBlack);
    p.drawLine({5, 0}, {8, 20}, kRed);
    EXPECT_EQ(pixelsOf(s, kRed).size(), 21u);
}

TEST(PainterTest, FarAwayEndPointsAreCutWithoutWalkingThem) {
    Surface s(50, 50);
    Painter p(s);
    p.drawLine({-2000000000, 10}, {2000000000, 10}, kRed);
    EXPECT_EQ(boundsOf(s, kRed), (Rect{0, 10, 50, 11}));
    s.fill(colors::kBlack);
    p.drawLine({-1000000, -1000000}, {1000000, 1000000}, kRed);
    EXPECT_EQ(pixelsOf(s, kRed).size(), 50u);
    p.drawLine({-1000000, -1000000}, {1000000, 1000000}, kRed, 35);
    p.drawLine({-1000000, 5}, {1000000, -999999}, kRed, 35);
}

TEST(PainterTest, FramesPolylinesAndDottedLines) {
    Surface s(20, 20);
    Painter p(s);
    p.drawFrame({2, 2, 8, 7}, kRed, 2);
    EXPECT_EQ(boundsOf(s, kRed), (Rect{2, 2, 8, 7}));
    EXPECT_EQ(s.colorAt(4, 4), colors::kBlack);
    EXPECT_EQ(s.colorAt(3, 5), kRed);
    EXPECT_EQ(pixelsOf(s, kRed).size(), 30u - 2u);

    s.fill(colors::kBlack);
    const Point pts[] = {{1, 1}, {10, 1}, {10, 12}};
    p.drawPolyline(pts, kBlue);
    EXPECT_EQ(pixelsOf(s, kBlue).size(), 10u + 11u);
    EXPECT_EQ(s.colorAt(10, 12), kBlue);

    // The graph's grid: single pixels at x = 1, 4, 7, ...
    Surface g(20, 3);
    Painter gp(g);
    gp.drawDottedLine({1, 1}, {16, 1}, kRed, 3);
    EXPECT_EQ(pixelsOf(g, kRed),
              (std::vector<Point>{{1, 1}, {4, 1}, {7, 1}, {10, 1}, {13, 1}, {16, 1}}));
}

TEST(PainterTest, BitmapsCopyAndStretchWithClipping) {
    Surface bmp(2, 2);
    bmp.setPixel(0, 0, kRed);
    bmp.setPixel(1, 0, kBlue);
    bmp.setPixel(0, 1, colors::kWhite);
    bmp.setPixel(1, 1, rgb(1, 2, 3));

    Surface s(6, 6);
    Painter p(s);
    p.copyBitmap(bmp, {-1, -1});
    EXPECT_EQ(s.colorAt(0, 0), rgb(1, 2, 3));
    EXPECT_EQ(s.colorAt(1, 0), colors::kBlack);
    p.copyBitmap(bmp, {1, 0, 2, 2}, {5, 4});
    EXPECT_EQ(s.colorAt(5, 4), kBlue);
    EXPECT_EQ(s.colorAt(5, 5), rgb(1, 2, 3));

    Surface big(8, 8);
    Painter bp(big);
    bp.stretchBitmap(bmp, bmp.bounds(), {2, 2, 6, 6});
    EXPECT_EQ(boundsOf(big, kRed), (Rect{2, 2, 4, 4}));
    EXPECT_EQ(boundsOf(big, kBlue), (Rect{4, 2, 6, 4}));
    EXPECT_EQ(boundsOf(big, colors::kWhite), (Rect{2, 4, 4, 6}));
    EXPECT_EQ(big.colorAt(1, 1), colors::kBlack);
    bp.stretchBitmap(bmp, {0, 0, 1, 1}, {0, 0, 8, 8});
    EXPECT_EQ(pixelsOf(big, kRed).size(), 64u);
    bp.stretchBitmap(bmp, {5, 5, 9, 9}, {0, 0, 8, 8});  // outside the source: nothing
    EXPECT_EQ(pixelsOf(big, kRed).size(), 64u);
}

TEST(PainterTest, EllipsesAndPolygonsFillThePixelsWhoseCentresLieInside) {
    Surface s(20, 20);
    Painter p(s);
    p.fillEllipse({2, 2, 12, 12}, kRed);
    EXPECT_EQ(boundsOf(s, kRed), (Rect{2, 2, 12, 12}));
    EXPECT_EQ(s.colorAt(2, 2), colors::kBlack);  // the corners stay out
    EXPECT_EQ(s.colorAt(7, 7), kRed);
    const size_t area = pixelsOf(s, kRed).size();
    EXPECT_NEAR(static_cast<double>(area), 3.14159 * 25, 6);

    s.fill(colors::kBlack);
    const Point square[] = {{1, 1}, {5, 1}, {5, 5}, {1, 5}};
    p.fillPolygon(square, kBlue);
    EXPECT_EQ(boundsOf(s, kBlue), (Rect{1, 1, 5, 5}));
    const Point triangle[] = {{10, 0}, {19, 18}, {1, 18}};
    p.fillPolygon(triangle, kRed);
    EXPECT_EQ(s.colorAt(10, 17), kRed);
    EXPECT_EQ(s.colorAt(2, 2), kBlue);
    EXPECT_EQ(s.colorAt(18, 2), colors::kBlack);
}

TEST(PainterTest, TransparentPixelsLetTheTargetShowThrough) {
    Surface layer(4, 1);
    layer.clear();
    layer.setPixel(1, 0, kRed);
    Painter lp(layer);
    lp.clearRect({3, 0, 4, 1});
    Surface s(4, 1, kBlue);
    Painter p(s);
    p.copyBitmapOver(layer, {0, 0});
    EXPECT_EQ(s.colorAt(0, 0), kBlue);
    EXPECT_EQ(s.colorAt(1, 0), kRed);
    EXPECT_EQ(s.colorAt(3, 0), kBlue);
    EXPECT_EQ(layer.pixel(0, 0), 0u);
}

TEST(PainterTest, WidePolylinesHaveNoGapsAtTheirJoints) {
    Surface s(60, 60);
    Painter p(s);
    const Point pts[] = {{10, 10}, {40, 40}, {10, 50}};
    p.drawPolyline(pts, kRed, 8);
    // The outer corner at (40, 40) is covered by the round join.
    EXPECT_EQ(s.colorAt(43, 40), kRed);
    EXPECT_EQ(s.colorAt(40, 43), kRed);
}

}  // namespace
}  // namespace platform::gfx
