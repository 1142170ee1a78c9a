#pragma once
// The panel's clock: local time read and set, the time base of timers (real or manual), file
// times and the date and time pictures the screens and logs format with.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Local wall-clock time, field for field as the panel keeps it.
struct LocalTime {
    int year = 2000;
    int month = 1;      // 1..12
    int dayOfWeek = 6;  // 0 = Sunday; filled in by every function that returns a LocalTime
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int milliseconds = 0;

    bool operator==(const LocalTime&) const = default;
};

// 100-nanosecond intervals since 1 January 1601, the panel's file-time unit.
using FileTime = uint64_t;

// ---- Time source -------------------------------------------------------------------------------

// Milliseconds of a monotonic clock: the time base of every timer. Under the manual clock it
// moves only when advanceManualClock is called.
int64_t monotonicMs();

// Switches the process to the manual clock (tests and the panel harness): local time starts at
// `start` and moves together with monotonicMs.
void useManualClock(const LocalTime& start);
void advanceManualClock(int64_t ms);
bool manualClockActive();
// Back to the host's clocks.
void useRealClock();

// ---- Panel local time --------------------------------------------------------------------------

enum class ClockSetMode {
    PanelOffset,  // the panel's time is the host's time plus an offset kept in the registry
    HostClock,    // setting the time sets the host's clock (needs the privilege to do so)
};

// Reads the kept offset from the registry; call once the registry's root is known.
void initPanelClock(ClockSetMode mode);

LocalTime localNow();

// Sets the panel's local time. False when the time is not a valid date and time, or when the
// host clock cannot be set.
bool setLocalNow(const LocalTime& time);

// ---- Conversions -------------------------------------------------------------------------------

bool isValidLocalTime(const LocalTime& time);
int dayOfWeek(int year, int month, int day);  // 0 = Sunday

// Field-for-field conversion between a LocalTime and a file time (no zone shift), as the panel
// does when it stores a local time as a file time.
FileTime localTimeToFileTime(const LocalTime& time);
LocalTime fileTimeToLocalTime(FileTime time);

// A host file time (UTC) as a file time of the panel's local time.
FileTime utcFileTimeToLocal(FileTime utc);

// Seconds and nanoseconds since 1970 (UTC) as a file time.
FileTime unixToFileTime(int64_t seconds, int64_t nanoseconds);

// Formats `time` with a date or time picture: d dd ddd dddd, M MM MMM MMMM, y yy yyy(y),
// h hh H HH, m mm, s ss, t tt, and 'quoted' literal text. English names.
std::string formatPicture(const LocalTime& time, std::string_view picture);

// The names a shown date is written with in the panel's language: MMM takes `months`
// (abbreviated, January first) and dddd takes `days` (Sunday first); the others stay English.
struct CalendarNames {
    std::array<std::string, 12> months;
    std::array<std::string, 7> days;
};
std::string formatPicture(const LocalTime& time, std::string_view picture,
                          const CalendarNames& names);

}  // namespace platform
