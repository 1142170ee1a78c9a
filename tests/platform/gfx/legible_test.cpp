// Texts keep the contrast they need against what they are drawn on.
#include "platform/gfx/legible.h"

#include <gtest/gtest.h>

#include "platform/gfx/painter.h"

namespace {

namespace gfx = platform::gfx;

TEST(Legible, ColoursThatStandOutStayAndOthersTakeTheNearestTintOrShadeThatDoes) {
    const gfx::Color blue = gfx::rgb(0, 0, 255), red = gfx::rgb(255, 0, 0);
    EXPECT_EQ(gfx::legibleColor(red, gfx::colors::kBlack, 13), red);  // 5.25:1
    const gfx::Color lifted = gfx::legibleColor(blue, gfx::colors::kBlack, 13);
    EXPECT_GE(gfx::contrastRatio(lifted, gfx::colors::kBlack), 4.5);
    EXPECT_EQ(lifted.b, 255);  // a lighter tint of the same blue
    EXPECT_EQ(lifted.r, lifted.g);
    EXPECT_LT(
        gfx::contrastRatio(gfx::legibleColor(blue, gfx::colors::kBlack, 18), gfx::colors::kBlack),
        4.5);  // large text needs only 3:1
    const gfx::Color darker = gfx::legibleColor(red, gfx::colors::kMenu, 13);
    EXPECT_GE(gfx::contrastRatio(darker, gfx::colors::kMenu), 4.5);
    EXPECT_EQ(darker.g, 0);  // a darker shade on the light grey
    EXPECT_LT(darker.r, 255);
}

// Row 0 the text's own white, row 1 seven red then three green, row 2 five clear pixels (red
// with no alpha) then five green.
TEST(Legible, TheGroundIsTheCommonestColourOfTheBoxLeavingOutTheTextsOwnAndClearPixels) {
    const gfx::Color white = gfx::colors::kWhite, red = gfx::rgb(255, 0, 0),
                     green = gfx::rgb(0, 255, 0);
    gfx::Surface surface(10, 3, white);
    for (int x = 0; x < 10; ++x) {
        surface.setPixel(x, 1, x < 7 ? red : green);
        if (x < 5) {
            surface.row(2)[x] = red.argb() & 0x00FFFFFFu;
        } else {
            surface.setPixel(x, 2, green);
        }
    }
    EXPECT_EQ(gfx::dominantColor(surface, surface.bounds(), white), green);
    EXPECT_EQ(gfx::dominantColor(surface, {0, 1, 10, 3}, green), red);
    EXPECT_EQ(gfx::dominantColor(surface, {0, 1, 8, 3}, white), red);  // runs cut at the edge
    EXPECT_EQ(gfx::dominantColor(surface, {-5, -5, 3, 2}, white), red);
    EXPECT_EQ(gfx::dominantColor(surface, {0, 2, 5, 3}, white), std::nullopt);
    EXPECT_EQ(gfx::dominantColor(surface, {20, 20, 30, 30}, white), std::nullopt);
}

TEST(Legible, ThePainterLiftsWhatItDrawsUnlessAskedToKeepTheColour) {
    gfx::Surface surface(100, 40, gfx::colors::kBlack);
    gfx::Painter p(surface);
    std::vector<gfx::DrawnText> seen;
    const gfx::TextObserver observer = [&seen](const gfx::DrawnText& t) { seen.push_back(t); };
    gfx::setTextObserver(&observer);
    p.drawText("RUNNING", {0, 0, 100, 20}, gfx::font(13), {gfx::rgb(0, 0, 255)});
    p.drawText("OFF", {0, 20, 100, 40}, gfx::font(13), {gfx::rgb(0, 0, 255), gfx::kAsGiven});
    gfx::setTextObserver(nullptr);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].color, gfx::rgb(0, 0, 255));
    EXPECT_GE(gfx::contrastRatio(seen[0].shown, gfx::colors::kBlack), 4.5);
    EXPECT_EQ(seen[1].shown, gfx::rgb(0, 0, 255));
    bool liftedInk = false;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 100; ++x)
            liftedInk = liftedInk || surface.colorAt(x, y) == seen[0].shown;
    }
    EXPECT_TRUE(liftedInk);
}

}  // namespace
