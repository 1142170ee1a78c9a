// The time keypad (dialog 165): a left pad for the larger unit, a right pad for the smaller.
#include <cstdio>
#include <string>

#include "screens/keypads/keypad_entry.h"
#include "screens/keypads/keypad_face.h"
#include "screens/keypads/keypads.h"

namespace keypads {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr PadIds kMajorPad{{1046, 1068, 1071, 1072, 1069, 1074, 1076, 1070, 1075, 1077}, 1073};
constexpr PadIds kMinorPad{{1078, 1079, 1082, 1083, 1080, 1085, 1087, 1081, 1086, 1088}, 1084};
constexpr int kDefaultButton = 1066;
constexpr int kAcceptButton = 1090;
constexpr int kCancelButton = 1089;

constexpr int kMajorPadX = 21;
constexpr int kMinorPadX = 191;
constexpr int kBottomRowY = 196;

constexpr ui::DialogItem kItems[] = {
    padKey(kMajorPad, 1, kMajorPadX),
    padKey(kMajorPad, 2, kMajorPadX),
    padKey(kMajorPad, 3, kMajorPadX),
    padKey(kMajorPad, 4, kMajorPadX),
    padKey(kMajorPad, 5, kMajorPadX),
    padKey(kMajorPad, 6, kMajorPadX),
    padKey(kMajorPad, 7, kMajorPadX),
    padKey(kMajorPad, 8, kMajorPadX),
    padKey(kMajorPad, 9, kMajorPadX),
    padKey(kMajorPad, 0, kMajorPadX),
    padDelete(kMajorPad, kMajorPadX),
    padKey(kMinorPad, 1, kMinorPadX),
    padKey(kMinorPad, 2, kMinorPadX),
    padKey(kMinorPad, 3, kMinorPadX),
    padKey(kMinorPad, 4, kMinorPadX),
    padKey(kMinorPad, 5, kMinorPadX),
    padKey(kMinorPad, 6, kMinorPadX),
    padKey(kMinorPad, 7, kMinorPadX),
    padKey(kMinorPad, 8, kMinorPadX),
    padKey(kMinorPad, 9, kMinorPadX),
    padKey(kMinorPad, 0, kMinorPadX),
    padDelete(kMinorPad, kMinorPadX),
    {kDefaultButton, ui::ControlKind::PushButton, "DEFAULT", 21, kBottomRowY, 90, 24},
    {kAcceptButton, ui::ControlKind::PushButton, "ACCEPT", 125, kBottomRowY, 90, 24},
    {kCancelButton, ui::ControlKind::PushButton, "CANCEL", 229, kBottomRowY, 90, 24},
};

constexpr ui::DialogTemplate kTimerKeypadDialog{"MODIFYING TIMER SETPOINT - 21", 340, 225, kItems};

// Default, upper and lower limit beside the value.
constexpr int kLimitsX = 410;
constexpr int kLimitsRight = 590;
constexpr int kLimitsTop = 50;
constexpr int kLimitsLineHeight = 15;
constexpr size_t kLimitsLineChars = 21;
constexpr int kLimitsSmallest = 12;

// The units over the value's two groups of digits, above the box.
constexpr int kUnitsTop = 20;
constexpr int kUnitsHeight = 14;
constexpr int kUnitsGap = 4;

std::string unitName(TimeUnits units, Pad pad) {
    const bool hours = units == TimeUnits::HoursMinutes;
    if (pad == Pad::Major) return hours ? labelText(818, "HOURS") : labelText(50, "MINUTES");
    return hours ? labelText(50, "MINUTES") : labelText(51, "SECONDS");
}

std::string timeText(int major, int minor) {
    char time[16];
    std::snprintf(time, sizeof time, "%d:%02d", major, minor);
    return time;
}

// "RANGE 0:01 - 10:00 MIN:SEC"
std::string shownRange(const TimerKeypadRequest& request) {
    const std::string unit = request.units == TimeUnits::HoursMinutes ? labelText(817, "HR:MIN")
                                                                      : labelText(816, "MIN:SEC");
    return rangeText(timeText(request.minMajor, request.minMinor),
                     timeText(request.maxMajor, request.maxMinor), unit);
}

void refreshLabels(ui::Window dialog) {
    ui::setWindowText(dialog, labelText(355, "MODIFYING TIMER SETPOINT - 21"));
    ui::setItemText(dialog, kMajorPad.deleteKey, labelText(141, "DELETE"));
    ui::setItemText(dialog, kMinorPad.deleteKey, labelText(141, "DELETE"));
    ui::setItemText(dialog, kDefaultButton, labelText(55, "DEFAULT"));
    ui::setItemText(dialog, kAcceptButton, labelText(4, "ACCEPT"));
    ui::setItemText(dialog, kCancelButton, labelText(10, "CANCEL"));
}

std::string limitLine(int stringNumber, std::string_view fallback, int major, int minor) {
    char time[16];
    std::snprintf(time, sizeof time, "%02d:%02d", major, minor);
    std::string line = labelText(stringNumber, fallback) + " = " + time;
    clipToCharacters(line, kLimitsLineChars);
    return line;
}

// Default, maximum and minimum, then the range with its units, smaller where it would not fit.
void paintLimits(gfx::Painter& painter, const TimerKeypadRequest& request) {
    const std::string lines[] = {
        limitLine(55, "DEFAULT", request.defaultMajor, request.defaultMinor),
        limitLine(356, "MAXIMUM", request.maxMajor, request.maxMinor),
        limitLine(357, "MINIMUM", request.minMajor, request.minMinor),
        shownRange(request),
    };
    int y = kLimitsTop;
    for (const std::string& line : lines) {
        const gfx::FontSpec font = gfx::fitFont(line, gfx::font(kLimitsLineHeight),
                                                kLimitsRight - kLimitsX, kLimitsSmallest);
        painter.drawText(line, {kLimitsX, y, kLimitsRight, y + kLimitsLineHeight}, font,
                         {gfx::colors::kBlack, gfx::kSingleLine, gfx::colors::kDialog});
        y += kLimitsLineHeight;
    }
}

// The unit names centred over the groups of digits of " 000 : 00 ", as right-aligned in the
// box; each stays on its side of the colon.
void paintUnits(gfx::Painter& painter, const TimerKeypadRequest& request,
                const std::string& value) {
    const gfx::FontSpec font = valueFont(value);
    const int left = kValueBox.right - gfx::textExtent(value, font).width;
    const auto at = [&](size_t characters) {
        return left + gfx::textExtent(value.substr(0, characters), font).width;
    };
    const size_t colon = value.find(':');
    const int majorCentre = (at(1) + at(colon - 1)) / 2;
    const int minorCentre = (at(colon + 2) + at(value.size() - 1)) / 2;
    const int divide = at(colon) + (at(colon + 1) - at(colon)) / 2;
    const int majorHalf = divide - kUnitsGap - majorCentre;
    const int minorHalf = minorCentre - divide - kUnitsGap;
    const int bottom = kUnitsTop + kUnitsHeight + 4;
    paintNote(painter, unitName(request.units, Pad::Major),
              {majorCentre - majorHalf, kUnitsTop, majorCentre + majorHalf, bottom}, kUnitsHeight);
    paintNote(painter, unitName(request.units, Pad::Minor),
              {minorCentre - minorHalf, kUnitsTop, minorCentre + minorHalf, bottom}, kUnitsHeight);
}

void paint(ui::Window dialog, ui::PaintContext& pc) {
    refreshLabels(dialog);
    const TimerKeypadRequest& request = timerKeypadRequest();
    paintLimits(pc.painter, request);
    char value[32];
    std::snprintf(value, sizeof value, " %03d : %02d ", request.majorValue, request.minorValue);
    paintValue(pc.painter, value);
    paintUnits(pc.painter, request, value);
    paintName(pc.painter, shownName(request.name), pc.client.width());
}

void initDialog(ui::Window dialog) {
    ui::centreOnOwner(dialog);
    setKeyFonts(dialog, kMajorPad);
    setKeyFonts(dialog, kMinorPad);
    for (const int id : {kDefaultButton, kAcceptButton, kCancelButton}) {
        setButtonFont(dialog, id);
    }
    refreshLabels(dialog);
}

void accept(ui::Window dialog) {
    const TimerKeypadRequest& request = timerKeypadRequest();
    if (timerKeypadInRange(request)) {
        storeTimerKeypadValue(request);
    } else {
        refuseOutOfRange(dialog, shownRange(request));
    }
    ui::endDialog(dialog, kAcceptButton);
}

// True when the id was one of the keypad's.
bool command(ui::Window dialog, int id) {
    TimerKeypadRequest& request = timerKeypadRequest();
    if (const int digit = digitOf(kMajorPad, id); digit >= 0) {
        timerKeypadKey(request, Pad::Major, digit);
    } else if (const int minorDigit = digitOf(kMinorPad, id); minorDigit >= 0) {
        timerKeypadKey(request, Pad::Minor, minorDigit);
    } else if (id == kMajorPad.deleteKey) {
        timerKeypadKey(request, Pad::Major, kKeyDelete);
    } else if (id == kMinorPad.deleteKey) {
        timerKeypadKey(request, Pad::Minor, kKeyDelete);
    } else if (id == kDefaultButton) {
        timerKeypadDefault(request);
    } else if (id == kAcceptButton) {
        accept(dialog);
        return true;
    } else if (id == kCancelButton) {
        ui::endDialog(dialog, kCancelButton);
        return true;
    } else {
        return false;
    }
    ui::invalidateRect(dialog, kValueBox, false);
    return true;
}

ui::LResult timerKeypadProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            initDialog(dialog);
            return 1;
        case ui::kPaint:
            paint(dialog, ui::paintContext(lp));
            return 1;
        case ui::kCommand:
            return command(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace

TimerKeypadRequest& timerKeypadRequest() {
    static TimerKeypadRequest request;
    return request;
}

int runTimerKeypad(ui::Window owner) {
    return ui::runDialog(kTimerKeypadDialog, owner, timerKeypadProc);
}

int openTimerKeypad(ui::Window owner, dryer::Field editTime, dryer::Flag flag,
                    const TimeLimits& limits, const KeypadName& name, TimeUnits units) {
    dryer::dryerState().beginEdit(editTime);
    TimerKeypadRequest& request = timerKeypadRequest();
    request = TimerKeypadRequest{};
    request.majorValue = editTime.byte(0);
    request.minorValue = editTime.byte(1);
    request.maxMajor = limits.max.major;
    request.maxMinor = limits.max.minor;
    request.defaultMajor = limits.def.major;
    request.defaultMinor = limits.def.minor;
    request.minMajor = limits.min.major;
    request.minMinor = limits.min.minor;
    request.majorTarget = EditByte{editTime, 0};
    request.minorTarget = EditByte{editTime, 1};
    request.sendFlag = flag;
    request.name = name;
    request.units = units;
    return runTimerKeypad(owner);
}

}  // namespace keypads
