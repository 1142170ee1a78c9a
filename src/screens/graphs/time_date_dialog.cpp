#include "screens/graphs/time_date_dialog.h"

#include <string>

#include "i18n/language.h"
#include "platform/ui/dialog.h"

namespace graphs {
namespace ui = platform::ui;

namespace {

constexpr int kAcceptExit = 1008;
constexpr int kCancel = 1009;
constexpr int kDateGroup = 1417;
constexpr int kAmPmLabel = 1425;
constexpr int kAm = 1048;
constexpr int kPm = 1047;
constexpr int kFirstMonthName = 113;
constexpr int kFirstDayName = 125;

enum Field { kMonth, kDay, kYear, kWeekday, kHour, kMinute, kAmPm, kFieldCount };

struct FieldRow {
    int label;      // control id
    int labelText;  // string number
    int value;      // control id
    int up;
    int down;
};

constexpr FieldRow kRows[kFieldCount] = {
    {1418, 103, 1430, 1056, 1055},   {1420, 104, 1431, 1058, 1057}, {1421, 105, 1432, 1060, 1059},
    {1422, 106, 1433, 1062, 1061},   {1423, 107, 1434, 1210, 1211}, {1424, 108, 1435, 1046, 1045},
    {kAmPmLabel, 0, 1436, kAm, kPm},
};

constexpr int rowY(int row) {
    return row < kHour ? 14 + row * 20 : 104 + (row - kHour) * 20;
}

constexpr ui::DialogItem label(int row) {
    return {kRows[row].label, ui::ControlKind::Static, "", 10, rowY(row) + 3, 62, 12};
}
constexpr ui::DialogItem value(int row) {
    return {kRows[row].value, ui::ControlKind::Edit, "", 74, rowY(row), 80, 16};
}
constexpr ui::DialogItem up(int row) {
    return {kRows[row].up, ui::ControlKind::PushButton, "UP", 158, rowY(row), 40, 16};
}
constexpr ui::DialogItem down(int row) {
    return {kRows[row].down, ui::ControlKind::PushButton, "DOWN", 202, rowY(row), 40, 16};
}

constexpr ui::DialogItem kItems[] = {
    {kDateGroup, ui::ControlKind::GroupBox, "DATE", 4, 2, 244, 94},
    label(kMonth),
    value(kMonth),
    up(kMonth),
    down(kMonth),
    label(kDay),
    value(kDay),
    up(kDay),
    down(kDay),
    label(kYear),
    value(kYear),
    up(kYear),
    down(kYear),
    label(kWeekday),
    value(kWeekday),
    up(kWeekday),
    down(kWeekday),
    label(kHour),
    value(kHour),
    up(kHour),
    down(kHour),
    label(kMinute),
    value(kMinute),
    up(kMinute),
    down(kMinute),
    label(kAmPm),
    value(kAmPm),
    up(kAmPm),
    down(kAmPm),
    {kAcceptExit, ui::ControlKind::PushButton, "ACCEPT / EXIT", 32, 170, 90, 20},
    {kCancel, ui::ControlKind::PushButton, "CANCEL", 130, 170, 90, 20},
};

// The dialog's edit, while it is open.
ClockEdit gEdit;

int wrap(int value, int low, int high) {
    if (value > high) return low;
    if (value < low) return high;
    return value;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

std::string number(int n) {
    return " " + std::to_string(n);
}

void paint(ui::Window dialog) {
    ui::setWindowText(dialog, i18n::GetString(101));
    ui::setItemText(dialog, kDateGroup, i18n::GetString(102));
    for (int row = kMonth; row < kAmPm; ++row) {
        ui::setItemText(dialog, kRows[row].label, i18n::GetString(kRows[row].labelText));
        ui::setItemText(dialog, kRows[row].up, i18n::GetString(111));
        ui::setItemText(dialog, kRows[row].down, i18n::GetString(112));
    }
    ui::setItemText(dialog, kAmPmLabel, i18n::GetString(109) + "/" + i18n::GetString(110));
    ui::setItemText(dialog, kAm, i18n::GetString(109));
    ui::setItemText(dialog, kPm, i18n::GetString(110));
    ui::setItemText(dialog, kCancel, i18n::GetString(10));
    ui::setItemText(dialog, kAcceptExit, i18n::GetString(4));
    const ClockEdit& e = gEdit;
    ui::setItemText(dialog, kRows[kMonth].value, i18n::GetString(kFirstMonthName + e.month - 1));
    ui::setItemText(dialog, kRows[kDay].value, number(e.day));
    ui::setItemText(dialog, kRows[kYear].value, number(e.year));
    ui::setItemText(dialog, kRows[kWeekday].value, i18n::GetString(kFirstDayName + e.dayOfWeek));
    ui::setItemText(dialog, kRows[kHour].value, number(e.hour));
    ui::setItemText(dialog, kRows[kMinute].value, number(e.minute));
    ui::setItemText(dialog, kRows[kAmPm].value, i18n::GetString(e.am ? 109 : 110));
}

// The clock takes only real dates: a day past the month's end is set as its last day, and the
// operator is told, so that the date shown afterwards is no surprise.
bool accept(ui::Window dialog) {
    platform::LocalTime time = editedTime(gEdit);
    const bool clamped = clampDayToMonth(time);
    const std::string caption = i18n::GetString(101);
    if (!platform::setLocalNow(time)) {
        ui::messageBox(dialog, i18n::GetStringOr(699, "The panel's clock could not be set."),
                       caption, ui::kMbIconStop);
        return false;
    }
    if (clamped) {
        const std::string month = i18n::GetString(kFirstMonthName + time.month - 1);
        const std::string text = month + " has only " + std::to_string(time.day) +
                                 " days.\nThe date was set to " + month + " " +
                                 std::to_string(time.day) + ".";
        ui::messageBox(dialog, text, caption, ui::kMbIconExclamation);
    }
    return true;
}

ui::LResult timeDateProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            gEdit = clockEditOf(platform::localNow());
            ui::centreOnOwner(dialog);
            paint(dialog);
            return 1;
        case ui::kPaint:
            paint(dialog);
            return 0;
        case ui::kCommand: {
            const int id = ui::commandId(wp);
            if (id == kCancel || (id == kAcceptExit && accept(dialog))) {
                ui::endDialog(dialog, id);
            } else if (pressClockButton(gEdit, id)) {
                ui::invalidate(dialog, true);
            }
            return 1;
        }
        default:
            return 0;
    }
}

}  // namespace

ClockEdit clockEditOf(const platform::LocalTime& now) {
    ClockEdit e;
    e.opened = now;
    e.month = now.month;
    e.day = now.day;
    e.year = now.year;
    e.dayOfWeek = now.dayOfWeek;
    e.minute = now.minute;
    e.am = now.hour < 12;
    e.hour = now.hour % 12 == 0 ? 12 : now.hour % 12;
    return e;
}

bool pressClockButton(ClockEdit& e, int id) {
    switch (id) {
        case 1056:
            e.month = wrap(e.month + 1, 1, 12);
            break;
        case 1055:
            e.month = wrap(e.month - 1, 1, 12);
            break;
        case 1058:
            e.day = wrap(e.day + 1, 1, 31);
            break;
        case 1057:
            e.day = wrap(e.day - 1, 1, 31);
            break;
        case 1060:
            e.year = e.year > 2049 ? 2000 : e.year + 1;
            break;
        case 1059:
            e.year = e.year < 2001 ? 2050 : e.year - 1;
            break;
        case 1062:
            e.dayOfWeek = wrap(e.dayOfWeek + 1, 0, 6);
            break;
        case 1061:
            e.dayOfWeek = wrap(e.dayOfWeek - 1, 0, 6);
            break;
        case 1210:
            e.hour = wrap(e.hour + 1, 1, 12);
            break;
        case 1211:
            e.hour = wrap(e.hour - 1, 1, 12);
            break;
        case 1046:
            e.minute = wrap(e.minute + 1, 0, 59);
            break;
        case 1045:
            e.minute = wrap(e.minute - 1, 0, 59);
            break;
        case kAm:
            e.am = true;
            break;
        case kPm:
            e.am = false;
            break;
        default:
            return false;
    }
    return true;
}

platform::LocalTime editedTime(const ClockEdit& e) {
    platform::LocalTime t = e.opened;
    t.year = e.year;
    t.month = e.month;
    t.day = e.day;
    t.dayOfWeek = e.dayOfWeek;
    t.minute = e.minute;
    t.hour = e.am ? (e.hour == 12 ? 0 : e.hour) : (e.hour == 12 ? 12 : e.hour + 12);
    return t;
}

bool clampDayToMonth(platform::LocalTime& time) {
    const int last = daysInMonth(time.year, time.month);
    if (time.day <= last) return false;
    time.day = last;
    return true;
}

void runTimeDateDialog(ui::Window owner) {
    static constexpr ui::DialogTemplate kDialog{"Set Time / Date - 18", 252, 196, kItems};
    ui::runDialog(kDialog, owner, timeDateProc);
}

}  // namespace graphs
