// The speed bars as drawn into a surface: fill heights, the selected bar and the drawing chosen.
#include "screens/setup/speed_bars.h"

#include <gtest/gtest.h>

#include "i18n/language.h"
#include "platform/files/files.h"
#include "platform/gfx/surface.h"
#include "support/temp_dir.h"

namespace setuptest {
namespace {

namespace gfx = platform::gfx;
using setup::BarDrawing;

constexpr gfx::Color kRed = gfx::rgb(255, 0, 0);
constexpr gfx::Color kDarkBlue = gfx::rgb(0, 0, 100);
constexpr gfx::Color kGrey = gfx::rgb(100, 100, 100);

struct Drawn {
    gfx::Surface surface{400, 410};
    gfx::Color at(int x, int y) const { return gfx::Color::fromArgb(surface.row(y)[x]); }
};

// The titles come from the language files: an empty panel root, so nothing is read or written
// outside it.
Drawn draw(const setup::SpeedBarView& view) {
    testsupport::TempDir root;
    platform::configureDevicePaths(root.str(), "");
    i18n::ResetLocalization();
    Drawn d;
    gfx::Painter painter(d.surface);
    painter.fillRect({0, 0, 400, 410}, gfx::colors::kMenu);
    setup::drawSpeedBars(painter, view);
    i18n::ResetLocalization();
    return d;
}

TEST(SpeedBars, FullBarFillsFromTheBottomToTheTopAndAnEmptyOneNothing) {
    setup::SpeedBarView view;
    view.drawing = BarDrawing::TwoBars;
    view.values = {0, 50, 100};
    view.selected = 2;
    const Drawn d = draw(view);
    // High bar (right column, centre 310), selected: red from 350 up to 50 (the inner frame
    // drawn over its ends).
    EXPECT_EQ(d.at(310, 348), kRed);
    EXPECT_EQ(d.at(310, 52), kRed);
    EXPECT_EQ(d.at(294, 200), kRed);
    EXPECT_EQ(d.at(326, 200), kRed);
    // Low bar (left column, centre 60), value 0: nothing filled above the inner frame's bottom.
    EXPECT_EQ(d.at(60, 349), gfx::colors::kMenu);
    EXPECT_EQ(d.at(60, 60), gfx::colors::kMenu);
    // No centre bar in this drawing.
    EXPECT_EQ(d.at(185, 300), gfx::colors::kMenu);
}

TEST(SpeedBars, UnselectedBarsAreDarkBlueAndInactiveOnesGrey) {
    setup::SpeedBarView view;
    view.drawing = BarDrawing::ThreeBars;
    view.values = {10, 50, 90};
    view.selected = 1;
    Drawn d = draw(view);
    EXPECT_EQ(d.at(185, 300), kRed);  // 50: filled down from y 200
    EXPECT_EQ(d.at(185, 199), gfx::colors::kMenu);
    EXPECT_EQ(d.at(60, 340), kDarkBlue);
    view.inactive = true;
    d = draw(view);
    EXPECT_EQ(d.at(60, 340), kGrey);
    EXPECT_EQ(d.at(310, 340), kGrey);
    EXPECT_EQ(d.at(185, 300), kRed);
}

TEST(SpeedBars, DrawingFollowsTheMoistureControlKind) {
    EXPECT_EQ(setup::chooseBarDrawing(3, false, false), BarDrawing::Automatic);
    EXPECT_EQ(setup::chooseBarDrawing(3, true, false), BarDrawing::OneBar);
    EXPECT_EQ(setup::chooseBarDrawing(1, true, true), BarDrawing::OneBar);
    EXPECT_EQ(setup::chooseBarDrawing(1, false, true), BarDrawing::HighOnly);
    EXPECT_EQ(setup::chooseBarDrawing(1, false, false), BarDrawing::TwoBars);
    EXPECT_EQ(setup::chooseBarDrawing(2, false, false), BarDrawing::ThreeBars);
    EXPECT_EQ(setup::chooseBarDrawing(4, false, false), BarDrawing::OneBar);
}

}  // namespace
}  // namespace setuptest
