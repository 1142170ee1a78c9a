#include "screens/warnings/program_pictures.h"

#include <array>

#include "platform/gfx/painter.h"

namespace warnings {
namespace {

namespace gfx = platform::gfx;

// The warning window's gray, so that the pictures sit on it without a box.
constexpr gfx::Color kGround = gfx::rgb(100, 100, 100);
constexpr gfx::Color kOutline = gfx::rgb(30, 30, 34);

gfx::Surface drawDisplay() {
    gfx::Surface s(75, 56, kGround);
    gfx::Painter p(s);
    p.fillRect({6, 2, 69, 44}, gfx::rgb(45, 45, 52));
    p.drawFrame({6, 2, 69, 44}, kOutline, 2);
    p.fillRect({11, 7, 64, 39}, gfx::rgb(40, 110, 190));
    p.fillRect({14, 10, 40, 22}, gfx::rgb(230, 230, 230));
    p.fillRect({43, 10, 61, 36}, gfx::rgb(20, 60, 120));
    p.fillRect({14, 26, 40, 36}, gfx::rgb(120, 200, 120));
    p.fillRect({31, 44, 44, 50}, gfx::rgb(70, 70, 78));
    p.fillRect({22, 50, 53, 54}, gfx::rgb(70, 70, 78));
    return s;
}

gfx::Surface drawDryer() {
    gfx::Surface s(75, 93, kGround);
    gfx::Painter p(s);
    const gfx::Color steel = gfx::rgb(175, 180, 188);
    p.fillRect({20, 2, 55, 16}, steel);  // garner
    p.drawFrame({20, 2, 55, 16}, kOutline, 2);
    p.fillRect({22, 16, 53, 80}, gfx::rgb(150, 156, 165));  // column
    p.drawFrame({22, 16, 53, 80}, kOutline, 2);
    for (int y = 30; y < 80; y += 16)
        p.drawLine({24, y}, {50, y}, gfx::rgb(110, 114, 122), 1);
    for (int y : {26, 52}) {  // fan/heaters on the side
        p.fillRect({53, y, 68, y + 16}, gfx::rgb(90, 160, 200));
        p.drawFrame({53, y, 68, y + 16}, kOutline, 1);
    }
    p.fillRect({16, 80, 59, 91}, gfx::rgb(110, 114, 122));  // base and unload
    p.drawFrame({16, 80, 59, 91}, kOutline, 1);
    return s;
}

gfx::Surface drawWarningSign() {
    gfx::Surface s(50, 46, kGround);
    gfx::Painter p(s);
    const std::array<gfx::Point, 3> outer = {{{25, 1}, {49, 44}, {1, 44}}};
    const std::array<gfx::Point, 3> inner = {{{25, 7}, {44, 41}, {6, 41}}};
    p.fillPolygon(outer, gfx::rgb(200, 0, 0));
    p.fillPolygon(inner, gfx::rgb(255, 210, 0));
    p.fillRect({23, 16, 28, 32}, gfx::colors::kBlack);
    p.fillRect({23, 35, 28, 39}, gfx::colors::kBlack);
    return s;
}

}  // namespace

const gfx::Surface& programPicture(int number) {
    static const gfx::Surface display = drawDisplay();
    static const gfx::Surface dryer = drawDryer();
    static const gfx::Surface sign = drawWarningSign();
    static const gfx::Surface none;
    switch (number) {
        case 259:
            return display;
        case 260:
            return dryer;
        case 517:
            return sign;
        default:
            return none;
    }
}

}  // namespace warnings
