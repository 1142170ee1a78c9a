#pragma once
// The display backend without a display: nothing is shown; the screen is composed on demand
// (captureScreen) for screenshots and tests.

#include <memory>

#include "platform/ui/display.h"

namespace platform::backend {

std::unique_ptr<ui::Backend> makeHeadlessBackend();

}  // namespace platform::backend
