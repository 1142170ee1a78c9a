#include "tools/artwork/program_art.h"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <numbers>
#include <vector>

namespace artwork {
namespace {

// One palette for every picture: steel greys with a dark outline, colour only for state.
constexpr const char* kOutline = "#1a1e23";
constexpr const char* kSteelLight = "#b7c0c9";
constexpr const char* kSteelMid = "#8b959f";
constexpr const char* kSteelDark = "#5a636c";
constexpr const char* kSteelDeep = "#373e45";
constexpr const char* kInner = "#0d1115";
constexpr const char* kCyan = "#2fd4ff";
constexpr const char* kOrange = "#ff8c1a";
constexpr const char* kFlameYellow = "#ffe84a";
constexpr const char* kFlameOrange = "#ff9320";
constexpr const char* kFlameRed = "#e8341c";
constexpr const char* kGreen = "#46e66a";
constexpr const char* kGrain = "#b4863a";
constexpr const char* kGrainDark = "#76561f";
constexpr const char* kWarningGrey = "#646464";  // the warning window's background

__attribute__((format(printf, 1, 2))) std::string fmt(const char* pattern, ...) {
    char buffer[1024];
    va_list args;
    va_start(args, pattern);
    std::vsnprintf(buffer, sizeof buffer, pattern, args);
    va_end(args);
    return buffer;
}

std::string open(int width, int height, const char* background = "#000000") {
    return fmt(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
        "viewBox=\"0 0 %d %d\" shape-rendering=\"geometricPrecision\">\n"
        "<rect width=\"%d\" height=\"%d\" fill=\"%s\"/>\n",
        width, height, width, height, width, height, background);
}

std::string close() {
    return "</svg>\n";
}

std::string rect(double x, double y, double w, double h, const char* fill, const char* stroke,
                 double strokeWidth = 2, double radius = 0) {
    return fmt(
        "<rect x=\"%.2f\" y=\"%.2f\" width=\"%.2f\" height=\"%.2f\" rx=\"%.2f\" "
        "fill=\"%s\" stroke=\"%s\" stroke-width=\"%.2f\"/>\n",
        x, y, w, h, radius, fill, stroke, strokeWidth);
}

std::string circle(double cx, double cy, double r, const char* fill, const char* stroke,
                   double strokeWidth = 1) {
    return fmt(
        "<circle cx=\"%.2f\" cy=\"%.2f\" r=\"%.2f\" fill=\"%s\" stroke=\"%s\" "
        "stroke-width=\"%.2f\"/>\n",
        cx, cy, r, fill, stroke, strokeWidth);
}

std::string line(double x1, double y1, double x2, double y2, const char* stroke, double width = 1) {
    return fmt(
        "<line x1=\"%.2f\" y1=\"%.2f\" x2=\"%.2f\" y2=\"%.2f\" stroke=\"%s\" "
        "stroke-width=\"%.2f\" stroke-linecap=\"round\"/>\n",
        x1, y1, x2, y2, stroke, width);
}

std::string path(const std::string& d, const char* fill, const char* stroke,
                 double strokeWidth = 1) {
    return "<path d=\"" + d + "\" fill=\"" + fill + "\" stroke=\"" + stroke +
           fmt("\" stroke-width=\"%.2f\" stroke-linejoin=\"round\"/>\n", strokeWidth);
}

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// ---------------------------------------------------------------------------------------------
// Fan/heater icons

enum class FanState { Off, Fan, Heater, Firing };

// One swept blade from the hub, pointing up before rotation.
std::string blade(double cx, double cy, double r, double angle, const char* fill) {
    const std::string d = fmt("M 0 0 C %.2f %.2f %.2f %.2f %.2f %.2f C %.2f %.2f %.2f %.2f 0 0 Z",
                              r * 0.42, -r * 0.12, r * 0.55, -r * 0.72, r * 0.16, -r * 0.98,
                              -r * 0.16, -r * 0.86, -r * 0.26, -r * 0.42);
    return fmt("<g transform=\"translate(%.2f %.2f) rotate(%.2f)\">", cx, cy, angle) +
           path(d, fill, kOutline, 0.8) + "</g>\n";
}

// Three blades turning 40 degrees a frame: 120 degree symmetry gives a seamless loop.
std::string fanRotor(double cx, double cy, double r, int frame, const char* bladeColour) {
    std::string svg;
    for (int k = 0; k < 3; ++k)
        svg += blade(cx, cy, r, 15 + 40.0 * frame + 120.0 * k, bladeColour);
    svg += circle(cx, cy, std::max(2.2, r * 0.22), kSteelLight, kOutline, 1);
    return svg;
}

// Flame tongues standing on a burner bar from `base` up to about `height`, changing height and
// lean per frame.
std::string flames(double left, double width, double base, double height, int frame) {
    static constexpr double kHeights[3][4] = {
        {0.70, 1.00, 0.62, 0.86}, {0.95, 0.66, 0.90, 0.60}, {0.60, 0.88, 1.00, 0.74}};
    static constexpr double kLean[3] = {-0.12, 0.10, 0.0};
    std::string svg;
    const int tongues = width >= 24 ? 4 : 3;
    const double step = width / tongues;
    for (int i = 0; i < tongues; ++i) {
        const double cx = left + step * (i + 0.5);
        const double h = height * kHeights[frame % 3][(i + frame) % 4];
        const double half = step * 0.62;
        const double lean = kLean[(i + frame) % 3] * h;
        const auto tongue = [&](double scale, const char* colour) {
            const double hh = h * scale;
            const double hw = half * scale;
            return path(fmt("M %.2f %.2f Q %.2f %.2f %.2f %.2f Q %.2f %.2f %.2f %.2f Z", cx - hw,
                            base, cx - hw * 0.9, base - hh * 0.55, cx + lean * scale, base - hh,
                            cx + hw * 0.9, base - hh * 0.55, cx + hw, base),
                        colour, "none", 0);
        };
        svg += tongue(1.0, kFlameRed);
        svg += tongue(0.72, kFlameOrange);
        svg += tongue(0.42, kFlameYellow);
    }
    return svg;
}

// A fan/heater unit seen from the front: a steel housing with the fan behind its round opening
// and the burner's window below it. Cyan blades: air moving; orange rim: heater enabled; flames:
// burner firing.
std::string fanHeaterIcon(int width, int height, FanState state, int frame) {
    const double w = width;
    const double h = height;
    const bool heater = state == FanState::Heater || state == FanState::Firing;
    const bool air = state != FanState::Off;
    std::string svg = open(width, height);
    svg += rect(1, 1, w - 2, h - 2, kSteelMid, heater ? kOrange : kOutline, 2, 3);
    // Light from the top left.
    svg +=
        line(2.5, h - 4, 2.5, 2.5, kSteelLight, 1.2) + line(2.5, 2.5, w - 4, 2.5, kSteelLight, 1.2);
    const double cx = w / 2;
    const double cy = h * 0.385;
    const double r = w * 0.33;
    svg += circle(cx, cy, r, kInner, air ? kCyan : kSteelDeep, air ? 2.2 : 2);
    svg += fanRotor(cx, cy, r - 2.2, frame, air ? kCyan : "#7a848e");
    // Burner window.
    const double bx = w * 0.15;
    const double by = h * 0.755;
    const double bw = w * 0.70;
    const double bh = h * 0.19;
    svg += rect(bx, by, bw, bh, kInner, kOutline, 1.5, 1.5);
    const double barY = by + bh - 2.6;
    if (state == FanState::Firing) {
        svg += flames(bx + 1.5, bw - 3, barY, bh + 2.5, frame);
    } else if (state == FanState::Heater) {
        svg += rect(bx + 2, by + bh * 0.45, bw - 4, bh * 0.3, "#5a2a08", "none", 0, 1);
    }
    svg += rect(bx + 1.5, barY, bw - 3, 1.8, heater ? kOrange : kSteelDark, "none", 0);
    svg += close();
    return svg;
}

// ---------------------------------------------------------------------------------------------
// Motors, rolls and lamps

enum class MotorLook { Motor, Roll };

// A drive seen end on: a disc with one bright mark that moves a third of a turn per frame.
std::string motorIcon(int size, MotorLook look, int frame) {
    const double c = size / 2.0;
    const double r = c - 0.6;
    std::string svg = open(size, size);
    svg += circle(c, c, r, look == MotorLook::Roll ? "#6f6450" : kSteelDark, kOutline, 1);
    if (size >= 12) {
        // Flutes of a roll, cooling ribs of a motor.
        const int count = look == MotorLook::Roll ? 6 : 8;
        for (int i = 0; i < count; ++i) {
            const double a = radians(360.0 / count * i + 40.0 * frame);
            svg += line(c + std::cos(a) * r * 0.62, c + std::sin(a) * r * 0.62,
                        c + std::cos(a) * r * 0.92, c + std::sin(a) * r * 0.92, kSteelDeep,
                        size >= 20 ? 1.4 : 0.9);
        }
        svg += circle(c, c, r * 0.58, "none", kSteelLight, size >= 20 ? 1.2 : 0.8);
    }
    const double a = radians(-90 + 120.0 * frame);
    const double markRadius = std::max(1.4, r * 0.26);
    svg +=
        circle(c + std::cos(a) * r * 0.5, c + std::sin(a) * r * 0.5, markRadius, kGreen, "none", 0);
    if (size >= 12) svg += circle(c, c, std::max(1.0, r * 0.14), kSteelLight, kOutline, 0.6);
    svg += close();
    return svg;
}

std::string lampIcon(int width, int height, bool on) {
    std::string svg = open(width, height);
    const double w = width;
    const double h = height;
    svg += rect(0.5, h - 2.5, w - 1, 2, kSteelDark, "none", 0);
    if (on) {
        svg +=
            fmt("<ellipse cx=\"%.2f\" cy=\"%.2f\" rx=\"%.2f\" ry=\"%.2f\" fill=\"#ffd23a\" "
                "stroke=\"#fff3b0\" stroke-width=\"0.8\"/>\n",
                w / 2, (h - 2.5) / 2 + 0.5, w / 2 - 0.5, (h - 2.5) / 2);
    } else {
        svg +=
            fmt("<ellipse cx=\"%.2f\" cy=\"%.2f\" rx=\"%.2f\" ry=\"%.2f\" fill=\"#4a4232\" "
                "stroke=\"%s\" stroke-width=\"0.8\"/>\n",
                w / 2, (h - 2.5) / 2 + 0.5, w / 2 - 0.5, (h - 2.5) / 2, kSteelMid);
    }
    svg += close();
    return svg;
}

// ---------------------------------------------------------------------------------------------
// Bin dryer pieces

// The burner box over the bin's fan, as the bin picture draws it; with its flame when firing.
std::string burnerBox(double x, double y, double size, int frame, bool firing) {
    std::string svg =
        rect(x + 1, y + 1, size - 2, size - 2, kSteelMid, firing ? kOrange : kOutline, 2, 3);
    svg += rect(x + 7, y + 6, size - 14, size - 12, kInner, kOutline, 1.5, 2);
    const double barY = y + size - 9;
    if (firing) svg += flames(x + 8, size - 16, barY, size - 17, frame);
    svg += rect(x + 8, barY, size - 16, 2, firing ? kOrange : kSteelDark, "none", 0);
    return svg;
}

std::string binFlameIcon(int frame) {
    return open(42, 42) + burnerBox(0, 0, 42, frame, true) + close();
}

std::string binFanIcon(int frame) {
    std::string svg = open(46, 28);
    // Transition into the bin on the right, the fan housing with its inlet on the left.
    svg += path("M 31 5 L 45 1.5 L 45 26.5 L 31 23 Z", kSteelDark, kOutline, 1.5);
    svg += rect(1, 1, 31, 26, kSteelMid, kOutline, 2, 3);
    svg += circle(16.5, 14, 10.5, kInner, kSteelDeep, 1.6);
    svg += fanRotor(16.5, 14, 9, frame, "#d3dbe3");
    svg += close();
    return svg;
}

// The fill spout at the roof's peak: the load conveyor's pipe comes in from the right and grain
// falls into the roof opening, a third of a kernel spacing further each frame.
std::string fillSpoutIcon(int frame) {
    std::string svg = open(43, 40);
    svg += path("M 43 6 L 22 6 L 14 16 L 14 30 L 22 30 L 22 19 L 27 14 L 43 14 Z", kSteelMid,
                kOutline, 1.6);
    svg += rect(36, 2, 6, 16, kSteelDark, kOutline, 1.2, 1);
    for (int i = 0; i < 4; ++i) {
        const double y = 31 + std::fmod(i * 3.0 + frame * 1.0, 9.0);
        svg += fmt("<ellipse cx=\"%.2f\" cy=\"%.2f\" rx=\"1.4\" ry=\"1.1\" fill=\"%s\"/>\n",
                   16.5 + (i % 2) * 3.0, y, kGrain);
    }
    svg += close();
    return svg;
}

// The stirring drive: a motor lying on its side, fan cover on the left, gearbox on the right.
std::string binStirMotorIcon(int frame) {
    std::string svg = open(38, 18);
    svg += rect(9, 3, 18, 12, kSteelMid, kOutline, 1.5, 2);
    for (int i = 0; i < 4; ++i)
        svg += line(12 + i * 4, 4.5, 12 + i * 4, 13.5, kSteelDark, 1);
    svg += rect(27, 5, 9, 10, kSteelDark, kOutline, 1.4, 1);
    svg += line(9, 16.5, 36, 16.5, kSteelDeep, 1.5);
    svg += circle(6, 9, 5.4, kSteelDark, kOutline, 1);
    const double a = radians(-90 + 120.0 * frame);
    svg += circle(6 + std::cos(a) * 2.8, 9 + std::sin(a) * 2.8, 1.6, kGreen, "none", 0);
    svg += close();
    return svg;
}

// The unload auger leaving the bin: a tube with its flight moving a third of a pitch per frame
// and the drive at its outer end.
std::string binAugerIcon(int frame) {
    std::string svg = open(71, 16);
    svg += rect(1, 4, 57, 9, kSteelDark, kOutline, 1.5, 2);
    svg += "<clipPath id=\"tube\"><rect x=\"2\" y=\"5\" width=\"55\" height=\"7\"/></clipPath>\n";
    svg += "<g clip-path=\"url(#tube)\">\n";
    svg += rect(2, 5, 55, 7, kGrainDark, "none", 0);
    const double pitch = 9;
    for (int i = -1; i < 8; ++i) {
        const double x = 2 + i * pitch + frame * pitch / 3;
        svg += line(x, 12, x + 5, 5, kSteelLight, 1.6);
    }
    svg += "</g>\n";
    svg += rect(58, 2, 12, 12, kSteelMid, kOutline, 1.5, 2);
    const double a = radians(-90 + 120.0 * frame);
    svg += circle(64 + std::cos(a) * 2.6, 8 + std::sin(a) * 2.6, 1.6, kGreen, "none", 0);
    svg += close();
    return svg;
}

// ---------------------------------------------------------------------------------------------
// Dryer pictures

std::string grainPattern() {
    // Grain behind a perforated screen: kernels and the screen's holes.
    return std::string(
               "<defs><pattern id=\"grain\" width=\"6\" height=\"6\" "
               "patternUnits=\"userSpaceOnUse\">") +
           rect(0, 0, 6, 6, kGrain, "none", 0) +
           "<ellipse cx=\"1.5\" cy=\"1.5\" rx=\"1.2\" ry=\"0.8\" fill=\"#d3a452\"/>" +
           "<ellipse cx=\"4.5\" cy=\"4.5\" rx=\"1.2\" ry=\"0.8\" fill=\"#d3a452\"/>" +
           "<circle cx=\"4.5\" cy=\"1.5\" r=\"0.6\" fill=\"#5c4216\"/>" +
           "<circle cx=\"1.5\" cy=\"4.5\" r=\"0.6\" fill=\"#5c4216\"/>" + "</pattern></defs>\n";
}

struct TowerShape {
    int width;
    double left, right;  // the drying column
    double columnTop, columnBottom;
    double grainWidth;          // each outer grain column
    std::vector<double> bands;  // module joints
    double garnerTop;
    double rollsTop, rollsBottom, rollsLeft, rollsRight;  // the opening over the metering rolls
    double conveyorY;                                     // the unload conveyor's tube
};

std::string towerSvg(const TowerShape& t) {
    std::string svg = open(t.width, 420);
    svg += grainPattern();
    const double mid = (t.left + t.right) / 2;
    // Load conveyor coming in at the top, into the garner's head.
    svg += rect(0, t.garnerTop - 12, mid - 4, 6, kSteelDark, kOutline, 1.4, 1);
    // Garner: a wet holding bin with a sloped roof.
    const double gTop = t.garnerTop;
    const double gBottom = t.columnTop;
    svg += path(fmt("M %.1f %.1f L %.1f %.1f L %.1f %.1f L %.1f %.1f Z", t.left + 8, gTop,
                    t.right - 8, gTop, t.right, gTop + 6, t.left, gTop + 6),
                kSteelLight, kOutline, 1.6);
    svg += rect(t.left, gTop + 6, t.right - t.left, gBottom - gTop - 6, kSteelMid, kOutline, 2);
    for (double y = gTop + 10; y < gBottom - 2; y += 5)
        svg += line(t.left + 2, y, t.right - 2, y, kSteelDark, 0.8);
    // Drying column: grain in the two outer columns, the hot-air plenum between them.
    const double ch = t.columnBottom - t.columnTop;
    svg += rect(t.left, t.columnTop, t.grainWidth, ch, "url(#grain)", kOutline, 2);
    svg += rect(t.right - t.grainWidth, t.columnTop, t.grainWidth, ch, "url(#grain)", kOutline, 2);
    const double pl = t.left + t.grainWidth;
    const double pr = t.right - t.grainWidth;
    svg += rect(pl, t.columnTop, pr - pl, ch, kSteelDeep, kOutline, 2);
    for (double x = pl + 5; x < pr - 3; x += 6)
        svg += line(x, t.columnTop + 2, x, t.columnBottom - 2, "#2c3238", 1);
    // The marks of the grain moving down the outer columns are the display's own drawing, so
    // that they move while the grain flows.
    for (double y : t.bands) {
        svg += rect(t.left - 1, y - 2.5, t.right - t.left + 2, 5, kSteelLight, kOutline, 1.2);
        for (double x = t.left + 3; x < t.right - 2; x += 8)
            svg += circle(x, y, 0.8, kSteelDark, "none", 0);
    }
    // Hopper with the opening over the metering rolls.
    svg += path(fmt("M %.1f %.1f L %.1f %.1f L %.1f %.1f L %.1f %.1f Z", t.left, t.columnBottom,
                    t.right, t.columnBottom, t.rollsRight + 3, t.rollsBottom + 2, t.rollsLeft - 3,
                    t.rollsBottom + 2),
                kSteelMid, kOutline, 2);
    svg += rect(t.rollsLeft, t.rollsTop, t.rollsRight - t.rollsLeft, t.rollsBottom - t.rollsTop,
                "#000000", kOutline, 1.2, 1);
    // Unload conveyor under the base, running out to the right; legs to the ground. The
    // ground's left corner stays dark for the hourly moisture mean written there.
    svg += rect(mid - 12, t.conveyorY, t.width - mid + 12, 7, kSteelDark, kOutline, 1.4, 1);
    for (double x : {t.left + 22, t.right - 26}) {
        svg += rect(x, t.columnBottom, 4, 419 - t.columnBottom, kSteelDark, kOutline, 1);
    }
    svg += line(t.left + 20, 419, t.width, 419, kSteelDark, 2);
    svg += close();
    return svg;
}

std::string threeModuleTower() {
    return towerSvg({86, 4, 82, 37, 384, 15, {150, 278}, 21, 386, 398, 25, 63, 402});
}

std::string twoModuleTower() {
    return towerSvg({122, 12, 110, 56, 366, 18, {213}, 33, 366, 382, 32, 90, 390});
}

// A box dryer on legs: garner on top, one drying section with the fan/heaters on its front,
// metering rolls and the unload conveyor at the bottom.
std::string singleModule() {
    std::string svg = open(180, 315);
    svg += grainPattern();
    // Legs.
    for (double x : {36.0, 138.0})
        svg += rect(x, 250, 6, 63, kSteelDark, kOutline, 1.4);
    svg += line(20, 313, 160, 313, kSteelDark, 2);
    // Load conveyor coming in from the left to the garner's head.
    svg += rect(0, 18, 78, 7, kSteelDark, kOutline, 1.4, 1);
    svg += path("M 50 36 L 130 36 L 144 48 L 36 48 Z", kSteelLight, kOutline, 1.6);
    svg += rect(36, 48, 108, 16, kSteelMid, kOutline, 2);
    for (double y = 52; y < 63; y += 5)
        svg += line(38, y, 142, y, kSteelDark, 0.8);
    // Drying section: grain columns at the sides, the plenum front carrying the fan/heaters.
    svg += rect(36, 64, 14, 186, "url(#grain)", kOutline, 2);
    svg += rect(130, 64, 14, 186, "url(#grain)", kOutline, 2);
    svg += rect(50, 64, 80, 186, kSteelDeep, kOutline, 2);
    for (double x = 55; x < 128; x += 6)
        svg += line(x, 66, x, 248, "#2c3238", 1);
    // Hopper and the opening over the metering rolls.
    svg += path("M 36 250 L 144 250 L 132 278 L 48 278 Z", kSteelMid, kOutline, 2);
    svg += rect(52, 255, 76, 21, "#000000", kOutline, 1.2, 1);
    // Unload conveyor.
    svg += rect(14, 284, 132, 9, kSteelDark, kOutline, 1.4, 1);
    svg += close();
    return svg;
}

// A round corrugated bin with a conical roof, its fan/heater in front at the base, the stirring
// drive and the unload auger in the pit under the floor.
std::string binPicture() {
    std::string svg = open(150, 360);
    const double left = 8;
    const double right = 106;
    const double peakX = 57;
    // Signal lamps: a short mast on the roof with an arm to the second lamp.
    svg += rect(97, 62, 3, 26, kSteelDark, kOutline, 0.8);
    svg += rect(97, 88, 26, 3, kSteelDark, kOutline, 0.8);
    // Roof.
    svg += path(fmt("M %.1f 46 L %.1f 100 L %.1f 100 Z", peakX, right + 4, left - 4), kSteelLight,
                kOutline, 2);
    for (int i = 1; i < 6; ++i) {
        const double t = i / 6.0;
        svg += line(peakX, 48, left - 4 + (right - left + 8) * t, 99, kSteelMid, 0.8);
    }
    svg += rect(peakX - 6, 44, 12, 5, kSteelMid, kOutline, 1.2, 1);
    // Corrugated wall.
    svg += rect(left, 100, right - left, 204, kSteelMid, kOutline, 2);
    for (double y = 104; y < 302; y += 5)
        svg += line(left + 1.5, y, right - 1.5, y, "#76808a", 1);
    svg += line(left + 2, 101, left + 2, 302, kSteelLight, 1.2);
    // Door and ladder.
    svg += rect(16, 232, 18, 30, kSteelDark, kOutline, 1.2, 1);
    for (double y = 112; y < 300; y += 9)
        svg += line(100, y, 104, y, kSteelDeep, 1);
    // The fan/heater unit in front of the wall: burner box over the fan, duct into the bin.
    svg += rect(46, 168, 56, 98, kSteelDark, kOutline, 1.6, 2);
    svg += burnerBox(52, 175, 42, 0, false);
    svg += rect(66, 266, 16, 38, kSteelDark, kOutline, 1.4);
    // Floor, pit and ground.
    svg += rect(2, 304, 146, 4, kSteelLight, kOutline, 1.2);
    svg += path("M 4 308 L 4 350 L 146 350", "none", "#6b6b6b", 2);
    svg += line(0, 352, 150, 352, "#6b6b6b", 2);
    svg += close();
    return svg;
}

// ---------------------------------------------------------------------------------------------
// Warning window pictures (drawn on its grey) and the program's own button faces

std::string displayPanelPicture() {
    std::string svg = open(75, 56, kWarningGrey);
    svg += rect(4, 3, 67, 44, "#2b3038", kOutline, 2, 3);
    svg += rect(9, 7, 57, 35, "#0f2a3a", "#0a0d10", 1);
    svg += rect(12, 10, 22, 29, "#1e3d52", "none", 0);
    for (int i = 0; i < 3; ++i)
        svg += rect(38, 11 + i * 10, 24, 6, "#2f7fb0", "none", 0, 1);
    svg += path("M 30 47 L 45 47 L 49 53 L 26 53 Z", "#2b3038", kOutline, 1.5);
    svg += close();
    return svg;
}

std::string controllerPicture() {
    std::string svg = open(75, 93, kWarningGrey);
    svg += rect(8, 3, 59, 86, "#c9ced4", kOutline, 2, 2);
    svg += rect(13, 8, 49, 76, "#b3b9c0", "#7d858e", 1.2, 1);
    svg += rect(20, 14, 35, 18, "#1c2a1c", kOutline, 1.2, 1);
    svg +=
        fmt("<text x=\"37.5\" y=\"27\" font-family=\"DejaVu Sans\" font-size=\"9\" "
            "font-weight=\"bold\" text-anchor=\"middle\" fill=\"#5cff7a\">I/O</text>\n");
    for (int i = 0; i < 3; ++i)
        svg += circle(24 + i * 13.5, 42, 3.2, i == 0 ? "#46e66a" : (i == 1 ? "#ffcc33" : "#e53935"),
                      kOutline, 0.8);
    for (int i = 0; i < 4; ++i)
        svg += rect(20, 52 + i * 7, 35, 4, "#7d858e", "none", 0, 1);
    svg += rect(56, 44, 4, 14, "#3a4047", "none", 0, 1);
    svg += close();
    return svg;
}

std::string shutdownSign() {
    std::string svg = open(50, 46, kWarningGrey);
    svg += path("M 25 3 L 47 42 L 3 42 Z", "#ffcc00", "#1a1a1a", 3);
    svg += rect(22.6, 15, 4.8, 15, "#1a1a1a", "none", 0, 1.5);
    svg += circle(25, 35.3, 2.7, "#1a1a1a", "none", 0);
    svg += close();
    return svg;
}

std::string remoteMessagingIcon() {
    std::string svg = open(25, 25);
    svg += rect(1, 1, 23, 23, "#12324a", "#2fd4ff", 1.5, 3);
    svg += rect(4.5, 10, 13, 9, "#ffffff", kOutline, 0.8, 0.8);
    svg += path("M 4.5 10 L 11 15.5 L 17.5 10", "none", "#12324a", 1.2);
    svg += path("M 17 6 Q 20 7.5 20.5 10.5", "none", "#2fd4ff", 1.5);
    svg += path("M 18 3 Q 23 5 23 10", "none", "#2fd4ff", 1.5);
    svg += close();
    return svg;
}

struct Face {
    const char* top;
    const char* bottom;
    const char* edge;
};

// A button face with a vertical gradient; pressed faces are darker and sunk by a pixel.
std::string buttonFace(int width, int height, Face face, bool pressed) {
    std::string svg = open(width, height, "#10161e");
    svg += std::string("<defs><linearGradient id=\"face\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">") +
           "<stop offset=\"0\" stop-color=\"" + (pressed ? face.bottom : face.top) + "\"/>" +
           "<stop offset=\"1\" stop-color=\"" + (pressed ? face.top : face.bottom) + "\"/>" +
           "</linearGradient></defs>\n";
    svg += rect(1, 1, width - 2, height - 2, "url(#face)", pressed ? "#ffffff" : face.edge,
                pressed ? 2.5 : 1.5, 5);
    if (!pressed) {
        svg += rect(3, 2.5, width - 6, (height - 5) * 0.45, "#ffffff", "none", 0, 4);
        svg.insert(svg.rfind("/>"), " fill-opacity=\"0.12\"");
    }
    return svg;
}

std::string label(double x, double y, double size, const char* text,
                  const char* anchor = "middle") {
    return fmt(
        "<text x=\"%.1f\" y=\"%.1f\" font-family=\"DejaVu Sans\" font-size=\"%.1f\" "
        "font-weight=\"bold\" text-anchor=\"%s\" fill=\"#ffffff\">%s</text>\n",
        x, y, size, anchor, text);
}

// A small tower pictogram with an arrow back to it.
std::string exitToDryerButton(bool pressed) {
    const double s = pressed ? 1 : 0;
    std::string svg = buttonFace(186, 100, {"#34b04e", "#155f26", "#c4f5cf"}, pressed);
    svg += fmt("<g transform=\"translate(%.1f %.1f)\">\n", s, s);
    svg += rect(24, 16, 30, 8, "#e8edf2", kOutline, 1.5, 1);
    svg += rect(22, 24, 34, 58, "#e8edf2", kOutline, 1.5, 1);
    svg += rect(27, 26, 6, 54, kGrain, "none", 0);
    svg += rect(45, 26, 6, 54, kGrain, "none", 0);
    for (double y : {34.0, 58.0})
        svg += circle(39, y, 5, kCyan, kOutline, 1);
    svg += path("M 70 50 L 92 50", "none", "#ffffff", 5);
    svg += path("M 80 40 L 68 50 L 80 60", "none", "#ffffff", 5);
    svg += label(134, 47, 22, "EXIT");
    svg += label(134, 72, 17, "DRYER");
    svg += "</g>\n" + close();
    return svg;
}

std::string exitProgrammingButton(bool pressed) {
    const double s = pressed ? 1 : 0;
    std::string svg = buttonFace(159, 41, {"#d0453a", "#7a1a12", "#ffc2b8"}, pressed);
    svg += fmt("<g transform=\"translate(%.1f %.1f)\">\n", s, s);
    svg += path("M 30 12 L 20 12 L 20 30 L 30 30", "none", "#ffffff", 2.5);
    svg += path("M 26 21 L 42 21 M 37 16 L 42 21 L 37 26", "none", "#ffffff", 2.5);
    svg += label(96, 28, 18, "EXIT");
    svg += "</g>\n" + close();
    return svg;
}

std::string quickStatusButton() {
    std::string svg = buttonFace(44, 40, {"#1f9a7c", "#0b4c3c", "#b8f2e2"}, false);
    svg += label(22, 27, 17, "QS");
    svg += close();
    return svg;
}

// The MISC button while the drying mode locks it: a dim face with a closed padlock.
std::string miscLockedButton() {
    std::string svg = open(105, 40, "#10161e");
    svg += rect(1, 1, 103, 38, "#3a3f47", "#6b737c", 1.5, 5);
    svg += path("M 46 18 L 46 13 A 6.5 6.5 0 0 1 59 13 L 59 18", "none", "#9aa3ac", 2.5);
    svg += rect(42, 18, 21, 15, "#9aa3ac", kOutline, 1.2, 2);
    svg += circle(52.5, 24.5, 2.2, "#3a3f47", "none", 0);
    svg += rect(51.5, 25, 2, 5, "#3a3f47", "none", 0);
    svg += close();
    return svg;
}

// ---------------------------------------------------------------------------------------------

struct FanSet {
    int first;  // number of frame 0
    int width, height;
    FanState state;
};

// The fan/heater sets: three consecutive numbers each, frames 0, 1, 2.
constexpr FanSet kFanSets[] = {
    {325, 44, 45, FanState::Off},    {328, 44, 45, FanState::Fan},
    {331, 44, 45, FanState::Heater}, {334, 44, 45, FanState::Firing},
    {341, 56, 57, FanState::Off},    {344, 56, 57, FanState::Fan},
    {350, 56, 57, FanState::Heater}, {347, 56, 57, FanState::Firing},
    {292, 83, 85, FanState::Off},    {295, 83, 85, FanState::Fan},
    {304, 83, 85, FanState::Heater}, {301, 83, 85, FanState::Firing},
};

struct MotorSet {
    int numbers[3];
    int size;
    MotorLook look;
};

constexpr MotorSet kMotorSets[] = {
    {{354, 355, 356}, 15, MotorLook::Motor}, {{357, 358, 359}, 9, MotorLook::Roll},
    {{360, 361, 362}, 19, MotorLook::Motor}, {{363, 364, 365}, 12, MotorLook::Roll},
    {{310, 311, 316}, 29, MotorLook::Motor}, {{317, 318, 319}, 17, MotorLook::Roll},
};

std::string animatedSvg(int number) {
    for (const FanSet& set : kFanSets) {
        if (number >= set.first && number < set.first + 3)
            return fanHeaterIcon(set.width, set.height, set.state, number - set.first);
    }
    for (const MotorSet& set : kMotorSets) {
        for (int frame = 0; frame < 3; ++frame) {
            if (set.numbers[frame] == number) return motorIcon(set.size, set.look, frame);
        }
    }
    if (number >= 408 && number <= 410) return binFlameIcon(number - 408);
    if (number >= 418 && number <= 420) return binFanIcon(number - 418);
    if (number >= 422 && number <= 424) return fillSpoutIcon(number - 422);
    if (number >= 425 && number <= 427) return binStirMotorIcon(number - 425);
    if (number >= 430 && number <= 432) return binAugerIcon(number - 430);
    return {};
}

}  // namespace

std::string programBitmapSvg(int number) {
    switch (number) {
        case 136:
            return exitProgrammingButton(false);
        case 137:
            return exitProgrammingButton(true);
        case 210:
            return exitToDryerButton(false);
        case 211:
            return exitToDryerButton(true);
        case 212:
            return miscLockedButton();
        case 259:
            return displayPanelPicture();
        case 260:
            return controllerPicture();
        case 323:
            return threeModuleTower();
        case 324:
            return twoModuleTower();
        case 367:
            return singleModule();
        case 406:
            return binPicture();
        case 428:
            return lampIcon(7, 9, false);
        case 429:
            return lampIcon(7, 9, true);
        case 433:
            return lampIcon(11, 9, false);
        case 434:
            return lampIcon(11, 9, true);
        case 462:
            return remoteMessagingIcon();
        case 517:
            return shutdownSign();
        case 595:
            return quickStatusButton();
        default:
            return animatedSvg(number);
    }
}

}  // namespace artwork
