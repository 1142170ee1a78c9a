#pragma once
// The display backend on SDL2: a 640 x 480 window (scaled by a whole factor) or the full screen,
// with mouse and touch as pointer input. Only the changed parts of the screen are uploaded.

#include <memory>
#include <string>

#include "platform/ui/display.h"

namespace platform::backend {

struct SdlOptions {
    int scale = 1;  // window size = screen size * scale
    bool fullscreen = false;
    std::string title = "Orvane";
    ui::Size screen = ui::kPanelScreen;
};

// Null when no display can be opened (no X server, no Wayland, no DRM device); `error` then
// says why, and the program can run headless instead.
std::unique_ptr<ui::Backend> makeSdlBackend(const SdlOptions& options, std::string& error);

}  // namespace platform::backend
