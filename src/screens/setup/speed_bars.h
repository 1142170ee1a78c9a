#pragma once
// The metering-roll speed setpoints drawn as vertical bars, one per setpoint the moisture-control
// kind uses; the setpoint selected for change in red.

#include <array>
#include <string>

#include "platform/gfx/painter.h"

namespace setup {

enum class BarDrawing { OneBar, TwoBars, HighOnly, ThreeBars, Automatic };

struct SpeedBarView {
    BarDrawing drawing = BarDrawing::OneBar;
    std::array<int, 3> values{};  // by index: 0 low, 1 main, 2 high; 0 to 100
    int selected = 1;             // the index drawn red
    bool inactive = false;        // low and high (three bars) or main (automatic) in grey
    bool automaticNote = false;   // the controller runs in automatic mode
    std::string oneBarTitle;      // the title of the one-bar drawing
    int oneBarTitleX = 125;
};

// Draws the view into the dialog's client area (bars from x 30 to 380, y 30 to 400).
void drawSpeedBars(platform::gfx::Painter& painter, const SpeedBarView& view);

// The drawing for a moisture-control kind (bits 0-2 of moistureControlMode), with the unload
// selector in manual or automatic and one or two speeds (on/off control).
BarDrawing chooseBarDrawing(int kind, bool manual, bool oneSpeed);

}  // namespace setup
