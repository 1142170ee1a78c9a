#include "platform/clock/clock.h"

#include <gtest/gtest.h>

#include "platform/registry/registry.h"
#include "support/local_time.h"
#include "support/temp_dir.h"

namespace platform {
namespace {

LocalTime at(int year, int month, int day, int hour, int minute, int second = 0) {
    return testsupport::localTime(year, month, day, hour, minute, second);
}

TEST(ClockPictures, TwelveHourClockAroundMidnightAndNoon) {
    EXPECT_EQ(formatPicture(at(2026, 3, 7, 0, 5), "h':'mm tt"), "12:05 AM");
    EXPECT_EQ(formatPicture(at(2026, 3, 7, 12, 0), "h':'mm tt"), "12:00 PM");
    EXPECT_EQ(formatPicture(at(2026, 3, 7, 13, 30), "h':'mm tt"), "1:30 PM");
    EXPECT_EQ(formatPicture(at(2026, 3, 7, 13, 30, 9), "h':'mm':'ss tt"), "1:30:09 PM");
    EXPECT_EQ(formatPicture(at(2026, 3, 7, 0, 5, 9), "HH'_'mm'_'ss"), "00_05_09");
}

TEST(ClockPictures, DatesWithNamesAndQuotedLiterals) {
    const LocalTime t = at(2026, 3, 7, 13, 30);
    EXPECT_EQ(formatPicture(t, "dddd  MMM dd',' yyy"), "Saturday  Mar 07, 2026");
    EXPECT_EQ(formatPicture(t, "MMM dd',' yyy"), "Mar 07, 2026");
    EXPECT_EQ(formatPicture(t, "yy'_'MM'_'dd'_'"), "26_03_07_");
    EXPECT_EQ(formatPicture(at(2009, 12, 31, 23, 59), "yy'_'MM'_'dd'_'"), "09_12_31_");
}

TEST(ClockConversions, FileTimesRoundTripAndKnowTheirEpoch) {
    const LocalTime t = at(2024, 2, 29, 23, 59, 58);
    EXPECT_EQ(fileTimeToLocalTime(localTimeToFileTime(t)), t);
    EXPECT_EQ(localTimeToFileTime(at(1601, 1, 1, 0, 0)), 0u);
    EXPECT_EQ(unixToFileTime(0, 0), 116444736000000000ull);
    EXPECT_EQ(fileTimeToLocalTime(unixToFileTime(0, 0)), at(1970, 1, 1, 0, 0));
    EXPECT_FALSE(isValidLocalTime(at(2023, 2, 29, 0, 0)));
    EXPECT_TRUE(isValidLocalTime(at(2024, 2, 29, 0, 0)));
    EXPECT_FALSE(isValidLocalTime(at(2024, 13, 1, 0, 0)));
}

TEST(ManualClock, LocalTimeAndTimerBaseMoveTogether) {
    useManualClock(at(2026, 12, 31, 23, 59, 59));
    const int64_t start = monotonicMs();
    advanceManualClock(1500);
    EXPECT_EQ(monotonicMs() - start, 1500);
    const LocalTime now = localNow();
    EXPECT_EQ(now.year, 2027);
    EXPECT_EQ(now.month, 1);
    EXPECT_EQ(now.second, 0);
    EXPECT_EQ(now.milliseconds, 500);
    EXPECT_EQ(now.dayOfWeek, 5);  // Friday
    ASSERT_TRUE(setLocalNow(at(2030, 6, 1, 8, 0)));
    advanceManualClock(60'000);
    EXPECT_EQ(localNow(), at(2030, 6, 1, 8, 1));
    EXPECT_FALSE(setLocalNow(at(2030, 2, 30, 8, 0)));
}

}  // namespace
}  // namespace platform

namespace platform {
namespace {

int64_t secondsOfDay(const LocalTime& t) {
    return (t.hour * 60 + t.minute) * 60 + t.second;
}

TEST(PanelClock, SetTimeIsKeptAsAnOffsetThatSurvivesARestart) {
    testsupport::TempDir dir;
    registryOpen((dir.path() / "Registry.dat").string());
    useRealClock();
    initPanelClock(ClockSetMode::PanelOffset);
    LocalTime wanted = localNow();
    wanted.year = 2031;
    wanted.month = 5;
    wanted.day = 20;
    wanted.hour = 4;
    ASSERT_TRUE(setLocalNow(wanted));

    initPanelClock(ClockSetMode::PanelOffset);  // as after a restart
    const LocalTime now = localNow();
    EXPECT_EQ(now.year, 2031);
    EXPECT_EQ(now.month, 5);
    EXPECT_EQ(now.day, 20);
    EXPECT_NEAR(static_cast<double>(secondsOfDay(now)), static_cast<double>(secondsOfDay(wanted)),
                5.0);
    EXPECT_EQ(now.dayOfWeek, dayOfWeek(2031, 5, 20));

    registryOpen("");
    initPanelClock(ClockSetMode::PanelOffset);  // no store: the host's time
    EXPECT_LT(localNow().year, 2031);
}

}  // namespace
}  // namespace platform
