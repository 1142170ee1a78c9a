#pragma once
// "DAY DATA LOGGER SETUP - 19" (template 258): the long-term log switched on and off, its fill
// level, its deletion and its copy to the USB drive.

#include <string>

#include "platform/clock/clock.h"
#include "platform/ui/ui.h"

namespace graphs {

inline constexpr int kDataLoggerSetupDialog = 258;
inline constexpr const char* kUsbDrive = "\\Hard Disk2";

// "LongTermDataLog21_09_10_19_12_57.CSV": the copy's name on the drive, stamped with `now`.
std::string exportFileName(const platform::LocalTime& now);

// Copies the long-term log to the drive as `fileName`. True only once the copy and its folder
// entry are on the drive; a copy that fails midway is taken away again, and an existing file of
// that name is never touched.
bool copyLongTermLogToDrive(const std::string& fileName);

void runDataLoggerSetupDialog(platform::ui::Window owner);

}  // namespace graphs
