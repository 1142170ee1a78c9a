#pragma once
// Builds a panel local time for tests, with its weekday filled in.

#include "platform/clock/clock.h"

namespace testsupport {

inline platform::LocalTime localTime(int year, int month, int day, int hour, int minute,
                                     int second = 0) {
    platform::LocalTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    t.dayOfWeek = platform::dayOfWeek(year, month, day);
    return t;
}

}  // namespace testsupport
