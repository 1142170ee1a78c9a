#pragma once
// The panels of the main screen: the dryer picture with its values, the status bars, the plenum
// gauges and the grain temperature and moisture panel. wireStatusScreens() gives the shell their
// window procedures before start-up.

#include "platform/ui/ui.h"

namespace status {

// Commands of LINE_GRAPH_WINDOW: its two value buttons, and the one that flips the shown
// automatic bit of the moisture-control mode until the next status frame.
inline constexpr int kGrainTempViewCommand = 36868;
inline constexpr int kMoistureViewCommand = 36869;
inline constexpr int kAutomaticToggleCommand = 36870;

void wireStatusScreens();

// Back to the state of a program start: the panel's views and the single-module notice.
void resetStatusScreens();

platform::ui::LResult dryerPictureProc(platform::ui::Window window, uint32_t message,
                                       platform::ui::WParam wp, platform::ui::LParam lp);
platform::ui::LResult plenumViewProc(platform::ui::Window window, uint32_t message,
                                     platform::ui::WParam wp, platform::ui::LParam lp);
platform::ui::LResult lineGraphProc(platform::ui::Window window, uint32_t message,
                                    platform::ui::WParam wp, platform::ui::LParam lp);

void resetLineGraphViews();
void resetDryerPicture();

}  // namespace status
