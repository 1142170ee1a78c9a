#pragma once
// The remote view and the telemetry as the command line asks for them: their sources among the
// screens, the frame tap on the display, their start after the line and their stop before it.

#include <memory>
#include <string>

#include "link/controller_link.h"
#include "platform/ui/display.h"
#include "shell/options.h"

namespace program {

class RemoteServices {
  public:
    RemoteServices();
    ~RemoteServices();
    // Checks the options' values; false with the reason for a bad one (before anything starts).
    static bool checkOptions(const shell::DisplayOptions& options, std::string& error);
    // Puts the frame counter between the window system and the backend when the web view runs.
    std::unique_ptr<platform::ui::Backend> tap(const shell::DisplayOptions& options,
                                               std::unique_ptr<platform::ui::Backend> backend);
    // Starts what the options ask for. False, said on standard error, when one cannot start.
    bool start(const shell::DisplayOptions& options, const std::string& root,
               const dryer::ControllerLink& link);
    void stop();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace program
