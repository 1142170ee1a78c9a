#pragma once
// The live values written over the dryer picture: one overlay per picture, built from a shared
// family of value cells (A to M), each one line of text made from a group of dryer values.

#include <string>

#include "platform/gfx/painter.h"

namespace status {

enum class Picture { SingleModule, TwoModuleTower, ThreeModuleTower, Bin };

// `right`: the right edge of the picture window's client area.
// Lines that would start above `clearAbove` are left out.
void drawPictureValues(platform::gfx::Painter& p, Picture picture, int right, int clearAbove = 0);

struct CellText {
    std::string text;
    platform::gfx::Color color;
};

// The cells, for the overlays and their tests.
CellText moistureControlStateCell();                      // A: sets its own colour
std::string meterRollCell();                              // B
std::string bushelRateCell();                             // C
std::string unloadCell();                                 // D
std::string bushelCounterCell();                          // E
std::string grainOutTemperatureCell(bool spaced = true);  // F
std::string moistureCell(int tenths);                     // G: "***" for a reading of 0
std::string samplerCell();                                // H: empty when the sampler says nothing
std::string moistureValueCell(int tenths);                // I, J
std::string moistureSetpointCell();                       // K
std::string moistureControlKindCell();                    // L
std::string hourlyMoistureCell();                         // M

}  // namespace status
