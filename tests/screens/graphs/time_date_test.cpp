// "Set Time / Date - 18": the 12-hour clock both ways, the wrapping buttons, and a date that the
// month does not have.
#include "graphs_fixture.h"
#include "screens/graphs/time_date_dialog.h"

namespace graphstest {
namespace {

using graphs::ClockEdit;
using graphs::clockEditOf;
using graphs::editedTime;
using graphs::pressClockButton;

constexpr int kMonthUp = 1056, kMonthDown = 1055, kDayUp = 1058, kDayDown = 1057;
constexpr int kYearUp = 1060, kYearDown = 1059, kWeekdayUp = 1062, kWeekdayDown = 1061;
constexpr int kHourUp = 1210, kHourDown = 1211, kMinuteUp = 1046, kMinuteDown = 1045;
constexpr int kAm = 1048, kPm = 1047, kAccept = 1008, kCancel = 1009;
constexpr const char* kTitle = "Set Time / Date - 18";

TEST(ClockEditing, TwelveHourClockBothWays) {
    const int expected[][3] = {{0, 12, 1},  {1, 1, 1},  {11, 11, 1},
                               {12, 12, 0}, {13, 1, 0}, {23, 11, 0}};
    for (const auto& [hour24, hour12, am] : expected) {
        const ClockEdit e = clockEditOf(testsupport::localTime(2024, 6, 1, hour24, 30, 15));
        EXPECT_EQ(e.hour, hour12) << hour24;
        EXPECT_EQ(e.am, am == 1) << hour24;
        EXPECT_EQ(editedTime(e).hour, hour24) << "back from " << hour12 << (am ? " AM" : " PM");
        EXPECT_EQ(editedTime(e).second, 15) << "seconds are kept as read";
    }
    ClockEdit e = clockEditOf(testsupport::localTime(2024, 6, 1, 9, 0));
    e.hour = 11;
    pressClockButton(e, kPm);
    EXPECT_EQ(editedTime(e).hour, 23);
    e.hour = 12;
    pressClockButton(e, kAm);
    EXPECT_EQ(editedTime(e).hour, 0);
}

TEST(ClockEditing, EveryFieldWrapsAtBothEnds) {
    ClockEdit e = clockEditOf(testsupport::localTime(2050, 12, 31, 12, 59));
    e.dayOfWeek = 6;
    for (int id : {kMonthUp, kDayUp, kYearUp, kWeekdayUp, kHourUp, kMinuteUp}) {
        EXPECT_TRUE(pressClockButton(e, id));
    }
    EXPECT_EQ(e.month, 1);
    EXPECT_EQ(e.day, 1);
    EXPECT_EQ(e.year, 2000);
    EXPECT_EQ(e.dayOfWeek, 0);
    EXPECT_EQ(e.hour, 1);
    EXPECT_EQ(e.minute, 0);
    for (int id : {kMonthDown, kDayDown, kYearDown, kWeekdayDown, kHourDown, kMinuteDown}) {
        pressClockButton(e, id);
    }
    EXPECT_EQ(e.month, 12);
    EXPECT_EQ(e.day, 31);
    EXPECT_EQ(e.year, 2050);
    EXPECT_EQ(e.dayOfWeek, 6);
    EXPECT_EQ(e.hour, 12);
    EXPECT_EQ(e.minute, 59);
    EXPECT_FALSE(pressClockButton(e, kAccept));

    // Day 31 goes on to 1 whatever the month holds.
    ClockEdit april = clockEditOf(testsupport::localTime(2024, 4, 30, 8, 0));
    pressClockButton(april, kDayUp);
    EXPECT_EQ(april.day, 31);
    pressClockButton(april, kDayUp);
    EXPECT_EQ(april.day, 1);
}

class TimeDateDialog : public GraphScreens {
  protected:
    ui::Window openDialog() {
        open([] { (*shell::dialogOpener(graphs::kTimeDateDialog))(shell::mainWindow()); });
        return dialog(kTitle);
    }
};

TEST_F(TimeDateDialog, AcceptSetsTheEditedTimeAndCancelLeavesTheClock) {
    start();
    ui::Window box = openDialog();
    ASSERT_TRUE(box);
    EXPECT_EQ(ui::itemText(box, 1430), "JUNE");
    EXPECT_EQ(ui::itemText(box, 1431), " 1");
    EXPECT_EQ(ui::itemText(box, 1433), "SATURDAY");
    EXPECT_EQ(ui::itemText(box, 1434), " 3");
    EXPECT_EQ(ui::itemText(box, 1436), "AM");
    press(kTitle, kHourUp);
    press(kTitle, kPm);
    EXPECT_EQ(ui::itemText(box, 1434), " 4");
    EXPECT_EQ(ui::itemText(box, 1436), "PM");
    press(kTitle, kCancel);
    EXPECT_FALSE(ui::isWindow(box));
    EXPECT_EQ(platform::localNow().hour, 3);

    box = openDialog();
    press(kTitle, kHourUp);
    press(kTitle, kPm);
    press(kTitle, kMinuteDown);
    press(kTitle, kAccept);
    EXPECT_FALSE(ui::isWindow(box));
    const platform::LocalTime now = platform::localNow();
    EXPECT_EQ(now.hour, 16);
    EXPECT_EQ(now.minute, 7);
    EXPECT_EQ(now.day, 1);
}

TEST_F(TimeDateDialog, ADayTheMonthLacksIsSetAsItsLastDayAndTheOperatorIsTold) {
    start();
    const ui::Window box = openDialog();
    ASSERT_TRUE(box);
    for (int i = 0; i < 4; ++i)
        press(kTitle, kMonthDown);  // February 2024, a leap year
    press(kTitle, kDayDown);        // 1 wraps to 31
    EXPECT_EQ(ui::itemText(box, 1430), "FEBRUARY");
    EXPECT_EQ(ui::itemText(box, 1431), " 31");
    press(kTitle, kAccept);
    EXPECT_TRUE(panel_->findText("FEBRUARY has only 29 days.\nThe date was set to FEBRUARY 29."));
    EXPECT_EQ(platform::localNow().month, 2);
    EXPECT_EQ(platform::localNow().day, 29);
    press(kTitle, ui::kIdOk);
    EXPECT_FALSE(ui::isWindow(box));
}

}  // namespace
}  // namespace graphstest
