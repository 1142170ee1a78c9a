// "Unload Parameters - 11": the maximum and minimum unload rates in percent, each with its
// estimated bushels per hour, and the warnings when the maximum is not above the minimum.
#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "i18n/language.h"
#include "screens/moisture/moisture_dialogs.h"
#include "shell/hooks.h"

namespace moisture {
namespace {

using Kind = ui::ControlKind;

enum : int {
    kMaxIncrease = 1300,
    kMaxDecrease = 1301,
    kMinIncrease = 1045,
    kMinDecrease = 1046,
    kMaxPercent = 1147,
    kMinPercent = 1149,
    kMaxEstimate = 1146,
    kMinEstimate = 1148,
    kMaxNote = 1302,
    kMinNote = 1303,
    kMaxGroup = 1310,
    kMinGroup = 1311,
    kMaxEstimateUnit = 1312,
    kMinEstimateUnit = 1313,
    kAccept = 1008,
    kHelp = 1009,
    kCancel = 1010,
};

constexpr int kDefaultMax = 80;
constexpr int kDefaultMin = 10;

std::string warningCaption() {
    return i18n::GetStringOr(700, " ERROR SETTING MAX / MIN UNLOAD RATES");
}

std::string changeWarning() {
    return i18n::GetStringOr(
        701, "The MAXIMUM unload rate must be greater than MINIMUM unload rate.  Set defaults?.");
}

// Three sentences, the tabs breaking the message box's lines between them.
std::string acceptWarning() {
    constexpr std::string_view kBreak = "\t\t\t\t\t\t\t\t\t\t\t";
    return i18n::GetStringOr(702,
                             "The MAXIMUM unload rate must be greater than MINIMUM unload rate.") +
           "  " + std::string(kBreak) +
           i18n::GetStringOr(703,
                             "Set defaults?  Pressing YES will set defaults (Hi = 80% and Low = "
                             "10%).") +
           "   " + std::string(kBreak) +
           i18n::GetStringOr(704, "Pressing NO will not change the previous settings.");
}

// One rate's group, top to bottom: its controls and where they sit (dialog units).
struct RateGroup {
    int group, increase, decrease, percent, estimate, unit, note;
    int captionString;
    int y;
};

constexpr RateGroup kMaxRate{kMaxGroup,   kMaxIncrease, kMaxDecrease,
                             kMaxPercent, kMaxEstimate, kMaxEstimateUnit,
                             kMaxNote,    252,          4};
constexpr RateGroup kMinRate{kMinGroup,   kMinIncrease, kMinDecrease,
                             kMinPercent, kMinEstimate, kMinEstimateUnit,
                             kMinNote,    253,          86};

constexpr ui::DialogItem groupItem(const RateGroup& g, int part) {
    switch (part) {
        case 0:
            return {g.group, Kind::GroupBox, "", 6, g.y, 288, 64};
        case 1:
            return {g.increase, Kind::PushButton, "INCREASE", 14, g.y + 14, 74, 20};
        case 2:
            return {g.decrease, Kind::PushButton, "DECREASE", 14, g.y + 38, 74, 20};
        case 3:
            return {g.percent, Kind::Edit, "", 96, g.y + 26, 56, 20, ui::kTextCenter};
        case 4:
            return {g.estimate, Kind::Edit, "", 160, g.y + 26, 60, 20, ui::kTextRight};
        case 5:
            return {g.unit, Kind::Static, "BU/HR (EST.)", 224, g.y + 30, 66, 12};
        default:
            return {g.note, Kind::Static, "", 10, g.y + 66, 284, 12};
    }
}

constexpr ui::DialogItem kItems[] = {
    groupItem(kMaxRate, 0),
    groupItem(kMaxRate, 1),
    groupItem(kMaxRate, 2),
    groupItem(kMaxRate, 3),
    groupItem(kMaxRate, 4),
    groupItem(kMaxRate, 5),
    groupItem(kMaxRate, 6),
    groupItem(kMinRate, 0),
    groupItem(kMinRate, 1),
    groupItem(kMinRate, 2),
    groupItem(kMinRate, 3),
    groupItem(kMinRate, 4),
    groupItem(kMinRate, 5),
    groupItem(kMinRate, 6),
    {kHelp, Kind::PushButton, "HELP", 6, 172, 90, 22},
    {kAccept, Kind::PushButton, "ACCEPT", 105, 172, 90, 22},
    {kCancel, Kind::PushButton, "CANCEL", 204, 172, 90, 22},
};

constexpr ui::DialogTemplate kDialog{"Unload Parameters - 11", 300, 200, kItems};

// The working rates while the dialog is open; the controller's copy stays as it was until ACCEPT.
struct Rates {
    int max = 0;
    int min = 0;
};
Rates rates;
// The after-change warning is shown once per program run.
bool changeWarningShown = false;
// Set while a warning is open: steps sent by the auto-repeat meanwhile are ignored.
bool asking = false;

// Dryer lengths in feet by length code.
constexpr std::array<int, 15> kLengthFeet = {8,  10, 12, 14, 16, 18, 20, 22,
                                             24, 26, 28, 34, 36, 38, 40};

std::optional<int> dryerLengthFeet() {
    const int code = state().status.dryerLengthCode().get();
    if (code < 0 || code >= static_cast<int>(kLengthFeet.size())) return std::nullopt;
    return kLengthFeet[code];
}

// Rated capacity in bushels per hour of the models with bit 5 of the model flags set.
int modelCapacity() {
    const int code = state().status.dryerLengthCode().get();
    if (code < 4) return 3000;
    if (code <= 5) return 4000;
    if (code == 6) return 6400;
    if (code <= 8) return 7000;
    return 8000;
}

bool capacityByModel() {
    return state().status.dryerModelFlags().bit(5);
}

// Bushels per hour at full unload rate; none for a length code outside the table.
std::optional<double> capacity() {
    if (capacityByModel()) return modelCapacity();
    const std::optional<int> feet = dryerLengthFeet();
    if (!feet) return std::nullopt;
    const double perFoot = state().status.statusByte183().bit(1) ? 129.6 : 140.62021;
    return *feet * perFoot;
}

std::string estimate(int percent) {
    const std::optional<double> full = capacity();
    if (!full) return "---";
    char out[32];
    std::snprintf(out, sizeof out, "%0.0f", percent / 100.0 * *full);
    return out;
}

std::string note() {
    char out[64] = "";
    const std::optional<int> feet = dryerLengthFeet();
    if (state().status.dryerModelFlags().bit(7)) {
        if (feet) std::snprintf(out, sizeof out, "*Based upon %dft dryer @ 17.5 RPM.", *feet);
    } else if (capacityByModel()) {
        std::snprintf(out, sizeof out, "*Based upon %d BPH capacity.", modelCapacity());
    }
    return out;
}

void showRate(ui::Window dialog, const RateGroup& g, int percent) {
    ui::setItemText(dialog, g.percent, std::to_string(percent) + " %");
    ui::setItemText(dialog, g.estimate, estimate(percent));
    ui::setItemText(dialog, g.note, note());
}

void showTexts(ui::Window dialog) {
    setCaption(dialog, 6);
    static constexpr ItemString kStrings[] = {{kMaxGroup, 252},
                                              {kMinGroup, 253},
                                              {kMaxIncrease, 8},
                                              {kMaxDecrease, 9},
                                              {kMinIncrease, 8},
                                              {kMinDecrease, 9},
                                              {kMaxEstimateUnit, 254},
                                              {kMinEstimateUnit, 254},
                                              {kHelp, 3},
                                              {kAccept, 4},
                                              {kCancel, 10}};
    setup::setCaptionString(dialog, 6);
    setup::setItemStrings(dialog, kStrings);
    for (int id : {kMaxIncrease, kMaxDecrease, kMinIncrease, kMinDecrease, kHelp, kAccept, kCancel})
        setup::fitItemText(dialog, id, setup::kButtonPadding);
    for (int id : {kMaxEstimateUnit, kMinEstimateUnit})
        setup::fitItemText(dialog, id, 0);
    showRate(dialog, kMaxRate, rates.max);
    showRate(dialog, kMinRate, rates.min);
}

bool ordered() {
    return rates.max > rates.min;
}

void setDefaults() {
    rates = {kDefaultMax, kDefaultMin};
}

bool askDefaults(ui::Window dialog, const std::string& question) {
    asking = true;
    const int answer =
        ui::messageBox(dialog, question, warningCaption(), ui::kMbYesNo | ui::kMbIconStop);
    asking = false;
    return answer == ui::kIdYes;
}

void warnAfterChange(ui::Window dialog) {
    if (ordered() || changeWarningShown) return;
    changeWarningShown = true;
    if (askDefaults(dialog, changeWarning())) setDefaults();
}

void step(int id) {
    int* rate = id == kMaxIncrease || id == kMaxDecrease ? &rates.max : &rates.min;
    const bool up = id == kMaxIncrease || id == kMinIncrease;
    if (up && *rate < 100) ++*rate;
    if (!up && *rate > 0) --*rate;
}

void close(ui::Window dialog, int id) {
    shell::unregisterOpenDialog(shell::Dialog::UnloadParameters);
    ui::endDialog(dialog, id);
}

void store() {
    auto& s = state();
    const auto hold = s.hold();
    s.edit.unloadRateLimits(0).set(rates.max);
    s.edit.unloadRateLimits(1).set(rates.min);
    for (int i = 0; i < 2; ++i) {
        setup::raiseIfChanged(s.status.unloadRateLimits(i), s.edit.unloadRateLimits(i),
                              s.pending.unloadRateLimits(i));
    }
}

void accept(ui::Window dialog) {
    if (!ordered()) {
        if (!askDefaults(dialog, acceptWarning())) return close(dialog, kCancel);
        setDefaults();
    }
    store();
    close(dialog, kAccept);
}

void open(ui::Window dialog) {
    const auto& status = state().status;
    // Rates outside 0 to 100 are no rates; the steps start from the nearest end.
    rates = {std::clamp<int>(status.unloadRateLimits(0).get(), 0, 100),
             std::clamp<int>(status.unloadRateLimits(1).get(), 0, 100)};
    asking = false;
    ui::centreOnOwner(dialog, 20);
    for (int id : {kMaxPercent, kMinPercent, kMaxEstimate, kMinEstimate})
        ui::setWindowFont(ui::dialogItem(dialog, id), gfx::font(18, 700));
    showTexts(dialog);
    shell::registerOpenDialog(shell::Dialog::UnloadParameters, dialog);
}

bool command(ui::Window dialog, int id) {
    switch (id) {
        case kMaxIncrease:
        case kMaxDecrease:
        case kMinIncrease:
        case kMinDecrease:
            if (asking) return true;
            step(id);
            showTexts(dialog);
            warnAfterChange(dialog);
            showTexts(dialog);
            return true;
        case kAccept:
            accept(dialog);
            return true;
        case kCancel:
            close(dialog, id);
            return true;
        case kHelp:
            setup::showHelp(dialog, "McExtendedSetupHelp.txt", 360);
            return true;
        default:
            return false;
    }
}

ui::LResult proc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            open(dialog);
            return 1;
        case ui::kPaint:
            showTexts(dialog);
            return 0;
        case ui::kCommand:
            return command(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

}  // namespace

void resetUnloadWarning() {
    changeWarningShown = false;
}

void runUnloadParameters(ui::Window owner) {
    ui::runDialog(kDialog, owner, proc);
}

}  // namespace moisture
