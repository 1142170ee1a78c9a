// The keypads' entry tables, DEFAULT and the range checks, apart from the dialogs.
#include <gtest/gtest.h>

#include <vector>

#include "screens/keypads/keypad_entry.h"
#include "screens/keypads/keypad_face.h"

namespace keypads {
namespace {

TimerKeypadRequest timerAt(uint8_t major, uint8_t minor) {
    TimerKeypadRequest request;
    request.majorValue = major;
    request.minorValue = minor;
    return request;
}

void type(TimerKeypadRequest& request, Pad pad, const std::vector<int>& keys) {
    for (const int key : keys)
        timerKeypadKey(request, pad, key);
}

void type(TemperatureKeypadRequest& request, const std::vector<int>& keys) {
    for (const int key : keys)
        temperatureKeypadKey(request, key);
}

TEST(TimerKeypadEntry, LeftPadTakesUpTo249AndALeadingZeroKeepsItEmpty) {
    struct Case {
        std::vector<int> keys;
        int value;
        int state;
    };
    const Case cases[] = {
        {{2, 5, 0}, 25, 3},  // 250 is impossible: the digit is dropped, the pad is full
        {{2, 4, 9}, 249, 3},
        {{2, 4, 9, 7}, 249, 3},  // a full pad ignores digits
        {{0, 5}, 5, 1},          // not 50
        {{0, 0, 0, 7}, 7, 1},
        {{1, 2, 3, kKeyDelete}, 12, 2},
        {{1, 2, kKeyDelete, kKeyDelete, kKeyDelete}, 0, 0},
    };
    for (const Case& c : cases) {
        TimerKeypadRequest request = timerAt(10, 30);
        type(request, Pad::Major, c.keys);
        EXPECT_EQ(request.majorValue, c.value) << ::testing::PrintToString(c.keys);
        EXPECT_EQ(request.majorDigits, c.state) << ::testing::PrintToString(c.keys);
        EXPECT_EQ(request.minorValue, 30) << "the other pad keeps its start value";
    }
}

TEST(TimerKeypadEntry, RightPadTakesUpTo59) {
    struct Case {
        std::vector<int> keys;
        int value;
    };
    const Case cases[] = {
        {{7, 5}, 7}, {{5, 9}, 59}, {{5, 9, 9}, 59}, {{0, 8}, 8}, {{6, kKeyDelete, 4, 2}, 42},
    };
    for (const Case& c : cases) {
        TimerKeypadRequest request = timerAt(3, 0);
        type(request, Pad::Minor, c.keys);
        EXPECT_EQ(request.minorValue, c.value) << ::testing::PrintToString(c.keys);
    }
}

TEST(TimerKeypadEntry, OnlyTheFirstKeyOfAnOpeningClearsAStartValue) {
    TimerKeypadRequest request = timerAt(12, 34);
    timerKeypadKey(request, Pad::Minor, kKeyDelete);  // clears the seconds only
    EXPECT_EQ(request.minorValue, 0);
    EXPECT_EQ(request.majorValue, 12);
    timerKeypadKey(request, Pad::Major, kKeyDelete);  // not the first key: 12 / 10
    EXPECT_EQ(request.majorValue, 1);
    EXPECT_TRUE(request.entryStarted);
}

TEST(TimerKeypadEntry, DefaultSetsTheValueAndTheEntryStatesByItsDigits) {
    TimerKeypadRequest request = timerAt(0, 0);
    request.defaultMajor = 100;
    request.defaultMinor = 30;
    timerKeypadDefault(request);
    EXPECT_EQ(request.lastKey, kKeyDefault);
    EXPECT_EQ(request.majorValue, 100);
    EXPECT_EQ(request.minorValue, 30);
    EXPECT_EQ(request.majorDigits, 3);
    EXPECT_EQ(request.minorDigits, 1);
    request.defaultMajor = 8;
    request.defaultMinor = 3;
    timerKeypadDefault(request);
    EXPECT_EQ(request.majorDigits, 1);
    EXPECT_EQ(request.minorDigits, 0);
    // A digit after DEFAULT goes on from the default instead of starting afresh.
    timerKeypadKey(request, Pad::Major, 5);
    EXPECT_EQ(request.majorValue, 85);
}

TEST(TimerKeypadEntry, LimitsAreInclusiveOnMinutesAndSecondsTogether) {
    TimerKeypadRequest request;
    request.minMajor = 0;
    request.minMinor = 1;
    request.maxMajor = 10;
    request.maxMinor = 0;
    const struct {
        uint8_t major, minor;
        bool inRange;
    } cases[] = {{10, 0, true}, {10, 1, false}, {0, 1, true}, {0, 0, false}, {9, 59, true}};
    for (const auto& c : cases) {
        request.majorValue = c.major;
        request.minorValue = c.minor;
        EXPECT_EQ(timerKeypadInRange(request), c.inRange) << int(c.major) << ":" << int(c.minor);
    }
}

TEST(TemperatureKeypadEntry, ThreeDigitsAtMostAndDeleteWalksTheStates) {
    struct Case {
        std::vector<int> keys;
        int value;
        int state;
    };
    const Case cases[] = {
        {{1, 9, 0}, 190, 2},
        {{1, 9, 0, 5}, 190, 2},
        {{0, 0, 7}, 7, 2},  // a leading 0 counts as a digit here
        {{9, 9, 9}, 999, 2},
        {{kKeyDelete}, 0, 1},  // the start value goes at once
        {{1, 8, kKeyDelete}, 1, 1},
        {{1, 8, 0, kKeyDelete, kKeyDelete}, 1, 2},
        {{5, kKeyDelete, 4, 2}, 42, 2},
    };
    for (const Case& c : cases) {
        TemperatureKeypadRequest request;
        request.value = 180;
        type(request, c.keys);
        EXPECT_EQ(request.value, c.value) << ::testing::PrintToString(c.keys);
        EXPECT_EQ(request.digits, c.state) << ::testing::PrintToString(c.keys);
    }
}

TEST(TemperatureKeypadEntry, ClearAndDefault) {
    TemperatureKeypadRequest request;
    request.value = 180;
    request.defaultValue = 180;
    type(request, {2, 1});
    temperatureKeypadClear(request);
    EXPECT_EQ(request.value, 0);
    EXPECT_EQ(request.digits, 0);
    type(request, {7});
    EXPECT_EQ(request.value, 7) << "CLEAR leaves the opening started";

    temperatureKeypadDefault(request, false);
    EXPECT_EQ(request.value, 180);
    EXPECT_EQ(request.digits, 2);
    temperatureKeypadDefault(request, true);
    EXPECT_EQ(request.value, 82);  // shown in degrees C
    EXPECT_EQ(request.digits, 1);
    request.defaultValue = 40;  // 4 degrees C
    temperatureKeypadDefault(request, true);
    EXPECT_EQ(request.digits, 0);
}

TEST(TemperatureKeypadEntry, DisplayConversionTruncatesTowardZero) {
    EXPECT_EQ(displayCelsius(33), 0);
    EXPECT_EQ(displayCelsius(31), 0);
    EXPECT_EQ(displayCelsius(180), 82);
    EXPECT_EQ(displayCelsius(250), 121);
    EXPECT_EQ(displayCelsius(0), -17);
    EXPECT_EQ(temperatureKeypadStart(20, true), 0) << "the pad shows no sign";
}

TEST(TemperatureKeypadEntry, StoredValueStaysInsideTheLimitsAndShowsBackAsTyped) {
    TemperatureKeypadRequest request;
    request.minValue = 50;
    request.maxValue = 250;
    const struct {
        uint16_t typed;
        bool celsius;
        int stored;  // -1: refused
    } cases[] = {
        {1, true, -1},    {10, true, 50},  {4, true, -1},    {50, false, 50}, {250, false, 250},
        {251, false, -1}, {49, false, -1}, {121, true, 250}, {122, true, -1}, {120, true, 248},
        {82, true, 181},  {83, true, 183}, {9, true, -1},    {66, true, 152},
    };
    for (const auto& c : cases) {
        request.value = c.typed;
        const auto stored = temperatureToStore(request, c.celsius);
        EXPECT_EQ(stored ? int(*stored) : -1, c.stored) << c.typed << (c.celsius ? " C" : " F");
        if (stored && c.celsius) {
            EXPECT_EQ(displayCelsius(*stored), c.typed);
        }
    }
    // Under any upper limit: what is stored never passes it and shows back as typed, and what
    // is refused lies above the limit even in whole degrees C.
    request.minValue = 0;
    for (int limit : {150, 160, 180, 200, 250}) {
        request.maxValue = static_cast<uint16_t>(limit);
        for (uint16_t c = 0; c <= 130; ++c) {
            request.value = c;
            const auto stored = temperatureToStore(request, true);
            if (!stored) {
                EXPECT_GT(c, displayCelsius(limit)) << c << " C refused under " << limit;
                continue;
            }
            EXPECT_LE(*stored, limit) << c;
            EXPECT_EQ(displayCelsius(*stored), c) << c << " C under " << limit;
        }
    }
    // The lower limit holds for the stored value too: 37 C is stored as 100 F.
    request.minValue = 100;
    request.maxValue = 200;
    request.value = 37;
    EXPECT_EQ(temperatureToStore(request, true), 100);
    request.value = 36;
    EXPECT_EQ(temperatureToStore(request, true), std::nullopt);
    request.minValue = 0;
    request.maxValue = 250;
    for (const auto& [typed, stored] : {std::pair{1, 35}, {4, 40}, {10, 50}}) {
        request.value = static_cast<uint16_t>(typed);
        EXPECT_EQ(temperatureToStore(request, true), stored) << typed;
    }
}

TEST(KeypadFace, LinesAreCutBetweenCharacters) {
    std::string line = "ÜBERNEHMEN = 10:00";  // Ü is two bytes
    clipToCharacters(line, 3);
    EXPECT_EQ(line, "ÜBE");
    line = "MAXIMUM";
    clipToCharacters(line, 21);
    EXPECT_EQ(line, "MAXIMUM");
}

}  // namespace
}  // namespace keypads
