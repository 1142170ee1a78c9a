// The display I/O test pages: the sixteen light outputs with their shorted and activated bits,
// and every switch input. They only show the controller's bits; the decoder repaints them.
#include <array>
#include <string_view>
#include <vector>

#include "i18n/language.h"
#include "link/dryer_state.h"
#include "screens/diagnostics/pages.h"

namespace diagnostics {
namespace {

namespace ui = platform::ui;
using ui::ControlKind;

constexpr int kShortedHeading = 1292;
constexpr int kActivatedHeading = 1293;
constexpr int kShortedHeading2 = 1294;
constexpr int kActivatedHeading2 = 1295;

constexpr int kHelpString = 3;
constexpr int kExitString = 145;
constexpr int kLightsTitleString = 212;
constexpr int kSwitchesTitleString = 213;
constexpr int kShortedString = 383;
constexpr int kActivatedString = 384;
constexpr int kHelpCaptionString = 387;
constexpr std::string_view kHelpFile = "CheckLightOutputsHelp.txt";

// ---- Light outputs -----------------------------------------------------------------------------

// J1 comes in bits 0 to 7 of bytes 177 (shorted) and 239 (activated), J2 in bits 7 down to 0 of
// bytes 178 and 240.
// A label of an output (with its pin) or an input: its name is a string that may hold one %d.
struct IoName {
    std::string_view pin;
    int number;
    std::string_view english;
    int value = 0;  // what fills the %d
};

constexpr IoName burner(std::string_view pin, int n) {
    return {pin, 664, "BURNER %d", n};
}
constexpr IoName fan(std::string_view pin, int n) {
    return {pin, 665, "FAN %d", n};
}

constexpr std::array<IoName, 16> kLightNames = {{
    {"J1-01", 663, "SPARE"},
    burner("J1-02", 6),
    fan("J1-03", 6),
    burner("J1-04", 5),
    fan("J1-05", 5),
    burner("J1-06", 4),
    fan("J1-07", 4),
    burner("J1-08", 3),
    fan("J2-01", 3),
    burner("J2-02", 2),
    fan("J2-03", 2),
    burner("J2-04", 1),
    fan("J2-05", 1),
    {"J2-06", 666, "LOAD"},
    {"J2-07", 667, "UNLOAD"},
    {"J2-08", 668, "START"},
}};

std::string labelOf(const IoName& name) {
    const std::string text = i18n::GetStringFilled(name.number, name.english, name.value);
    return name.pin.empty() ? text : std::string(name.pin) + " " + text;
}

void setLabel(ui::Window dialog, int id, const IoName& name) {
    const std::string text = labelOf(name);
    if (ui::itemText(dialog, id) != text) ui::setItemText(dialog, id, text);
}

struct BitPlace {
    int byte;
    int bit;
};

BitPlace shortedBit(int k) {
    return k < 8 ? BitPlace{177, k} : BitPlace{178, 15 - k};
}

BitPlace activatedBit(int k) {
    return k < 8 ? BitPlace{239, k} : BitPlace{240, 15 - k};
}

bool statusBit(BitPlace place) {
    return (dryer::dryerState().status.at(place.byte) >> place.bit) & 1;
}

// Column of J1 at the left, J2 at the right: label, SHORTED, ACTIVATED.
constexpr int kColumnX[] = {6, 182};
constexpr int kLabelWidth = 62;
constexpr int kBoxCell = 54;
constexpr int kFirstRowY = 24;
constexpr int kRowStep = 20;

std::vector<ui::DialogItem> lightItems() {
    std::vector<ui::DialogItem> items;
    const int headings[2][2] = {{kShortedHeading, kActivatedHeading},
                                {kShortedHeading2, kActivatedHeading2}};
    for (int column = 0; column < 2; ++column) {
        const int x = kColumnX[column];
        items.push_back({headings[column][0], ControlKind::StaticCenter, "SHORTED", x + kLabelWidth,
                         4, kBoxCell, 18});
        items.push_back({headings[column][1], ControlKind::StaticCenter, "ACTIVATED",
                         x + kLabelWidth + kBoxCell, 4, kBoxCell, 18});
    }
    for (int k = 0; k < 16; ++k) {
        const int x = kColumnX[k / 8];
        const int y = kFirstRowY + (k % 8) * kRowStep;
        items.push_back({lightLabel(k), ControlKind::Static, "", x, y + 3, kLabelWidth, 12});
        items.push_back({lightShortedBox(k), ControlKind::CheckBox, "",
                         x + kLabelWidth + kBoxCell / 2 - 6, y, 14, 16});
        items.push_back({lightActivatedBox(k), ControlKind::CheckBox, "",
                         x + kLabelWidth + kBoxCell + kBoxCell / 2 - 6, y, 14, 16});
    }
    items.push_back({kPageHelpButton, ControlKind::PushButton, "HELP", 6, 188, 72, 24});
    items.push_back({kPageExitButton, ControlKind::PushButton, "EXIT", 276, 188, 72, 24});
    return items;
}

const std::vector<ui::DialogItem>& lightItemTable() {
    static const std::vector<ui::DialogItem> items = lightItems();
    return items;
}

void setBox(ui::Window dialog, int id, bool on) {
    if (ui::isItemChecked(dialog, id) != on) ui::checkItem(dialog, id, on);
}

void refreshButtons(ui::Window dialog) {
    setItemString(dialog, kPageHelpButton, kHelpString);
    setItemString(dialog, kPageExitButton, kExitString);
}

void refreshLights(ui::Window dialog) {
    setTitleString(dialog, kLightsTitleString);
    for (int heading : {kShortedHeading, kShortedHeading2})
        setItemString(dialog, heading, kShortedString);
    for (int heading : {kActivatedHeading, kActivatedHeading2})
        setItemString(dialog, heading, kActivatedString);
    refreshButtons(dialog);
    for (int k = 0; k < 16; ++k) {
        setLabel(dialog, lightLabel(k), kLightNames[k]);
        setBox(dialog, lightShortedBox(k), statusBit(shortedBit(k)));
        setBox(dialog, lightActivatedBox(k), statusBit(activatedBit(k)));
    }
}

// ---- Switch inputs -----------------------------------------------------------------------------

constexpr std::array<int, 6> kSwitchBytes = {179, 180, 181, 182, 183, 225};
constexpr IoName fanAuto(int n) {
    return {"", 673, "FAN %d AUTO", n};
}
constexpr IoName fanOn(int n) {
    return {"", 674, "FAN %d ON", n};
}
constexpr IoName burnerAuto(int n) {
    return {"", 676, "BURNER %d AUTO", n};
}
constexpr IoName burnerOn(int n) {
    return {"", 677, "BURNER %d ON", n};
}
constexpr IoName spare(int n) {
    return {"", 675, "SPARE #%d", n};
}
constexpr IoName kNoInput{"", 0, ""};

// kNoInput: no input on that bit.
constexpr IoName kSwitchNames[6][8] = {
    {{"", 669, "STOP"},
     {"", 670, "UNLOAD %d SPEED", 1},
     {"", 670, "UNLOAD %d SPEED", 2},
     {"", 671, "LOAD ON"},
     {"", 672, "LOAD AUTO"},
     fanAuto(1),
     fanOn(1),
     spare(1)},
    {burnerAuto(1), burnerOn(1), fanAuto(2), fanOn(2), burnerAuto(2), burnerOn(2), fanAuto(3),
     fanOn(3)},
    {spare(2), burnerAuto(3), burnerOn(3), fanAuto(4), fanOn(4), burnerAuto(4), burnerOn(4),
     fanAuto(5)},
    {burnerOn(6), fanOn(5), spare(3), burnerAuto(5), burnerOn(5), fanAuto(6), fanOn(6),
     burnerAuto(6)},
    {{"", 668, "START"},
     {"", 678, "MANUAL"},
     {"", 679, "AUX"},
     {"", 680, "DEFAULTS"},
     {"", 681, "MR PUSH BUTON"},
     {"", 682, "MR LEFT"},
     {"", 683, "MR RIGHT"},
     kNoInput},
    {{"", 684, "AUX %d", 2},
     {"", 684, "AUX %d", 1},
     {"", 685, "COMP"},
     {"", 686, "M/C"},
     {"", 687, "TOWER"},
     {"", 688, "FT SERIES"},
     {"", 689, "AF"},
     {"", 690, "PORT"}},
};

bool isInput(const IoName& name) {
    return name.number != 0;
}

// Three groups side by side, two rows of them; eight inputs down each group.
constexpr int kGroupX[] = {7, 120, 233};
constexpr int kGroupY[] = {2, 99};
constexpr int kGroupWidth = 106;
constexpr int kGroupHeight = 93;
constexpr int kSwitchStep = 10;

std::vector<ui::DialogItem> switchItems() {
    std::vector<ui::DialogItem> items;
    for (int b = 0; b < 6; ++b) {
        const int x = kGroupX[b % 3];
        const int y = kGroupY[b / 3];
        items.push_back({0, ControlKind::GroupBox, "", x, y, kGroupWidth, kGroupHeight});
        for (int bit = 0; bit < 8; ++bit) {
            if (!isInput(kSwitchNames[b][bit])) continue;
            items.push_back({switchBox(b, bit), ControlKind::CheckBox, "", x + 5,
                             y + 7 + bit * kSwitchStep, kGroupWidth - 8, kSwitchStep});
        }
    }
    items.push_back({kPageHelpButton, ControlKind::PushButton, "HELP", 7, 197, 72, 24});
    items.push_back({kPageExitButton, ControlKind::PushButton, "EXIT", 267, 197, 72, 24});
    return items;
}

const std::vector<ui::DialogItem>& switchItemTable() {
    static const std::vector<ui::DialogItem> items = switchItems();
    return items;
}

void refreshSwitches(ui::Window dialog) {
    setTitleString(dialog, kSwitchesTitleString);
    refreshButtons(dialog);
    for (int b = 0; b < 6; ++b) {
        for (int bit = 0; bit < 8; ++bit) {
            if (!isInput(kSwitchNames[b][bit])) continue;
            setLabel(dialog, switchBox(b, bit), kSwitchNames[b][bit]);
            setBox(dialog, switchBox(b, bit), statusBit({kSwitchBytes[b], bit}));
        }
    }
}

// ---- Both pages --------------------------------------------------------------------------------

struct Page {
    dryer::Window role;
    void (*refresh)(ui::Window);
};

ui::LResult pageProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    const auto* page =
        reinterpret_cast<const Page*>(message == ui::kInitDialog ? lp : ui::userData(dialog));
    switch (message) {
        case ui::kInitDialog:
            ui::setUserData(dialog, lp);
            registerRepaint(page->role, dialog);
            centreOverOwner(dialog);
            page->refresh(dialog);
            return 1;
        case ui::kPaint:
            page->refresh(dialog);
            return 0;
        case ui::kCommand:
            if (ui::commandId(wp) == kPageExitButton) {
                ui::endDialog(dialog, kPageExitButton);
            } else if (ui::commandId(wp) == kPageHelpButton) {
                showHelpFile(dialog, kHelpFile, kHelpCaptionString);
            } else {
                ui::invalidate(dialog, false);  // a touched box goes back to the controller's bit
            }
            return 1;
        default:
            return 0;
    }
}

void runPage(const ui::DialogTemplate& dialogTemplate, const Page& page, ui::Window owner) {
    ui::runDialog(dialogTemplate, owner, pageProc, reinterpret_cast<ui::LParam>(&page));
    unregisterRepaint(page.role);
}

}  // namespace

void runLightOutputsDialog(ui::Window owner) {
    static const Page page{dryer::Window::LightOutputsDialog, refreshLights};
    static const ui::DialogTemplate dialogTemplate{"Display I/O Switch Light Outputs - 28", 354,
                                                   215, lightItemTable()};
    runPage(dialogTemplate, page, owner);
}

void runSwitchTestDialog(ui::Window owner) {
    static const Page page{dryer::Window::SwitchTestDialog, refreshSwitches};
    static const ui::DialogTemplate dialogTemplate{"Display I/O Switch Test - 31", 346, 224,
                                                   switchItemTable()};
    runPage(dialogTemplate, page, owner);
}

}  // namespace diagnostics
