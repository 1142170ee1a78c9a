#include "platform/clock/clock.h"

#include <sys/time.h>
#include <time.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/registry/registry.h"

namespace platform {
namespace {

constexpr int64_t kMsPerDay = 86'400'000;
constexpr int64_t kFileTimeUnitsPerMs = 10'000;
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t kDaysFrom1601To1970 = 134'774;
constexpr std::string_view kOffsetKey = "Panel\\Clock";
constexpr std::string_view kOffsetName = "OFFSET_MS";

std::atomic<bool> gManual{false};
std::atomic<int64_t> gManualMs{0};
// Naive local milliseconds since 1970 of the manual clock at gManualMs == 0.
std::atomic<int64_t> gManualBase{0};
std::atomic<int64_t> gOffsetMs{0};
std::atomic<ClockSetMode> gMode{ClockSetMode::PanelOffset};

// Howard Hinnant's civil-date algorithms: days since 1970-01-01 and back.
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

int64_t floorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Local time as milliseconds since 1970 with no zone applied.
int64_t toNaiveMs(const LocalTime& t) {
    const int64_t days = daysFromCivil(t.year, t.month, t.day);
    return days * kMsPerDay + ((t.hour * 60LL + t.minute) * 60 + t.second) * 1000 + t.milliseconds;
}

LocalTime fromNaiveMs(int64_t ms) {
    LocalTime t;
    const int64_t days = floorDiv(ms, kMsPerDay);
    int64_t rest = ms - days * kMsPerDay;
    civilFromDays(days, t.year, t.month, t.day);
    t.dayOfWeek = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
    t.milliseconds = static_cast<int>(rest % 1000);
    rest /= 1000;
    t.second = static_cast<int>(rest % 60);
    rest /= 60;
    t.minute = static_cast<int>(rest % 60);
    t.hour = static_cast<int>(rest / 60);
    return t;
}

int64_t hostUnixMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// Host UTC milliseconds to naive local milliseconds, in the host's time zone.
int64_t unixMsToNaiveLocal(int64_t unixMs) {
    const time_t secs = static_cast<time_t>(floorDiv(unixMs, 1000));
    struct tm tmv {};
    localtime_r(&secs, &tmv);
    return unixMs + static_cast<int64_t>(tmv.tm_gmtoff) * 1000;
}

// Naive local milliseconds to host UTC milliseconds, in the host's time zone.
int64_t naiveLocalToUnixMs(int64_t naiveMs) {
    const LocalTime t = fromNaiveMs(naiveMs);
    struct tm tmv {};
    tmv.tm_year = t.year - 1900;
    tmv.tm_mon = t.month - 1;
    tmv.tm_mday = t.day;
    tmv.tm_hour = t.hour;
    tmv.tm_min = t.minute;
    tmv.tm_sec = t.second;
    tmv.tm_isdst = -1;
    return static_cast<int64_t>(mktime(&tmv)) * 1000 + t.milliseconds;
}

void storeOffset(int64_t offsetMs) {
    std::array<uint8_t, 8> bytes{};
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<uint8_t>(static_cast<uint64_t>(offsetMs) >> (8 * i));
    }
    registryWrite(kOffsetKey, kOffsetName, bytes);
}

bool setHostClock(int64_t unixMs) {
    struct timespec ts {};
    ts.tv_sec = static_cast<time_t>(floorDiv(unixMs, 1000));
    ts.tv_nsec = static_cast<long>((unixMs - ts.tv_sec * 1000LL) * 1'000'000);
    return clock_settime(CLOCK_REALTIME, &ts) == 0;
}

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

std::string twoDigits(int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v % 100);
    return buf;
}

std::string formatToken(const LocalTime& t, char c, size_t n) {
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    switch (c) {
        case 'd':
            if (n == 1) return std::to_string(t.day);
            if (n == 2) return twoDigits(t.day);
            if (n == 3) return std::string(kDayNames[t.dayOfWeek % 7]).substr(0, 3);
            return kDayNames[t.dayOfWeek % 7];
        case 'M':
            if (n == 1) return std::to_string(t.month);
            if (n == 2) return twoDigits(t.month);
            if (n == 3) return std::string(kMonthNames[(t.month + 11) % 12]).substr(0, 3);
            return kMonthNames[(t.month + 11) % 12];
        case 'y':
            if (n == 1) return std::to_string(t.year % 100);
            if (n == 2) return twoDigits(t.year);
            return std::to_string(t.year);
        case 'h':
            return n == 1 ? std::to_string(hour12) : twoDigits(hour12);
        case 'H':
            return n == 1 ? std::to_string(t.hour) : twoDigits(t.hour);
        case 'm':
            return n == 1 ? std::to_string(t.minute) : twoDigits(t.minute);
        case 's':
            return n == 1 ? std::to_string(t.second) : twoDigits(t.second);
        case 't':
            return n == 1 ? (t.hour < 12 ? "A" : "P") : (t.hour < 12 ? "AM" : "PM");
        default:
            return std::string(n, c);
    }
}

// The language's name for MMM and dddd, when names are given.
std::optional<std::string> localName(const LocalTime& t, char c, size_t n,
                                     const CalendarNames* names) {
    if (names == nullptr) return std::nullopt;
    if (c == 'M' && n == 3) return names->months[(t.month + 11) % 12];
    if (c == 'd' && n >= 4) return names->days[t.dayOfWeek % 7];
    return std::nullopt;
}

}  // namespace

int64_t monotonicMs() {
    if (gManual.load()) return gManualMs.load();
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void useManualClock(const LocalTime& start) {
    gManualBase.store(toNaiveMs(start));
    gManualMs.store(0);
    gManual.store(true);
}

void advanceManualClock(int64_t ms) {
    gManualMs.fetch_add(ms);
}

bool manualClockActive() {
    return gManual.load();
}

void useRealClock() {
    gManual.store(false);
}

void initPanelClock(ClockSetMode mode) {
    gMode.store(mode);
    std::vector<uint8_t> bytes;
    int64_t offset = 0;
    if (mode == ClockSetMode::PanelOffset && registryRead(kOffsetKey, kOffsetName, bytes) &&
        bytes.size() == 8) {
        uint64_t raw = 0;
        for (size_t i = 0; i < 8; ++i)
            raw |= static_cast<uint64_t>(bytes[i]) << (8 * i);
        offset = static_cast<int64_t>(raw);
    }
    gOffsetMs.store(offset);
}

LocalTime localNow() {
    if (gManual.load()) return fromNaiveMs(gManualBase.load() + gManualMs.load());
    return fromNaiveMs(unixMsToNaiveLocal(hostUnixMs() + gOffsetMs.load()));
}

bool setLocalNow(const LocalTime& time) {
    if (!isValidLocalTime(time)) return false;
    const int64_t naive = toNaiveMs(time);
    if (gManual.load()) {
        gManualBase.store(naive - gManualMs.load());
        return true;
    }
    const int64_t targetUnix = naiveLocalToUnixMs(naive);
    if (gMode.load() == ClockSetMode::HostClock) return setHostClock(targetUnix);
    const int64_t offset = targetUnix - hostUnixMs();
    gOffsetMs.store(offset);
    storeOffset(offset);
    return true;
}

bool isValidLocalTime(const LocalTime& t) {
    static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.year < 1601 || t.year > 30827 || t.month < 1 || t.month > 12 || t.day < 1) return false;
    const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
    const int days = t.month == 2 && !leap ? 28 : kDays[t.month - 1];
    return t.day <= days && t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 &&
           t.second >= 0 && t.second < 60 && t.milliseconds >= 0 && t.milliseconds < 1000;
}

int dayOfWeek(int year, int month, int day) {
    const int64_t days = daysFromCivil(year, month, day);
    return static_cast<int>(((days % 7) + 11) % 7);
}

FileTime localTimeToFileTime(const LocalTime& time) {
    const int64_t ms = toNaiveMs(time) + kDaysFrom1601To1970 * kMsPerDay;
    return ms < 0 ? 0 : static_cast<FileTime>(ms) * kFileTimeUnitsPerMs;
}

LocalTime fileTimeToLocalTime(FileTime time) {
    const int64_t ms = static_cast<int64_t>(time / kFileTimeUnitsPerMs);
    return fromNaiveMs(ms - kDaysFrom1601To1970 * kMsPerDay);
}

FileTime utcFileTimeToLocal(FileTime utc) {
    const int64_t unixMs =
        static_cast<int64_t>(utc / kFileTimeUnitsPerMs) - kDaysFrom1601To1970 * kMsPerDay;
    const int64_t localMs = unixMsToNaiveLocal(unixMs) + kDaysFrom1601To1970 * kMsPerDay;
    return localMs < 0
               ? 0
               : static_cast<FileTime>(localMs) * kFileTimeUnitsPerMs + utc % kFileTimeUnitsPerMs;
}

FileTime unixToFileTime(int64_t seconds, int64_t nanoseconds) {
    const int64_t units = (seconds + kDaysFrom1601To1970 * 86'400) * 10'000'000 + nanoseconds / 100;
    return units < 0 ? 0 : static_cast<FileTime>(units);
}

namespace {

std::string formatWith(const LocalTime& time, std::string_view picture,
                       const CalendarNames* names) {
    std::string out;
    for (size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        if (c == '\'') {
            const size_t end = picture.find('\'', i + 1);
            const size_t stop = end == std::string_view::npos ? picture.size() : end;
            out.append(picture.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        size_t n = 1;
        while (i + n < picture.size() && picture[i + n] == c)
            ++n;
        if (std::strchr("dMyhHmst", c) != nullptr) {
            out += localName(time, c, n, names).value_or(formatToken(time, c, n));
        } else {
            out.append(n, c);
        }
        i += n;
    }
    return out;
}

}  // namespace

std::string formatPicture(const LocalTime& time, std::string_view picture) {
    return formatWith(time, picture, nullptr);
}

std::string formatPicture(const LocalTime& time, std::string_view picture,
                          const CalendarNames& names) {
    return formatWith(time, picture, &names);
}

}  // namespace platform
