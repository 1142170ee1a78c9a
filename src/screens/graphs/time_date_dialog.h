#pragma once
// "Set Time / Date - 18" (template 199): the panel's date and time, edited field by field with
// wrapping UP and DOWN buttons, the hour on the 12-hour clock.

#include "platform/clock/clock.h"
#include "platform/ui/ui.h"

namespace graphs {

inline constexpr int kTimeDateDialog = 199;

struct ClockEdit {
    platform::LocalTime opened;  // seconds and the rest are kept as read
    int month = 1;
    int day = 1;
    int year = 2000;
    int dayOfWeek = 0;
    int hour = 12;  // 1..12
    int minute = 0;
    bool am = true;
};

ClockEdit clockEditOf(const platform::LocalTime& now);
// One press of an UP, DOWN, AM or PM button; false for any other id.
bool pressClockButton(ClockEdit& edit, int buttonId);
// Back on the 24-hour clock, as edited.
platform::LocalTime editedTime(const ClockEdit& edit);
// A day past the end of its month becomes the month's last day; true when it did.
bool clampDayToMonth(platform::LocalTime& time);

void runTimeDateDialog(platform::ui::Window owner);

}  // namespace graphs
