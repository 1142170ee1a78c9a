// The display I/O test pages: the sixteen light outputs with their shorted and activated bits,
// and every switch input. They only show the controller's bits; the decoder repaints them.
#include <array>
#include <string_view>
#include <vector>

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
constexpr std::array<std::string_view, 16> kLightNames = {
    "J1-01 SPARE", "J1-02 BURNER 6", "J1-03 FAN 6",  "J1-04 BURNER 5",
    "J1-05 FAN 5", "J1-06 BURNER 4", "J1-07 FAN 4",  "J1-08 BURNER 3",
    "J2-01 FAN 3", "J2-02 BURNER 2", "J2-03 FAN 2",  "J2-04 BURNER 1",
    "J2-05 FAN 1", "J2-06 LOAD",     "J2-07 UNLOAD", "J2-08 START",
};

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
        items.push_back(
            {lightLabel(k), ControlKind::Static, kLightNames[k], x, y + 3, kLabelWidth, 12});
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
        setBox(dialog, lightShortedBox(k), statusBit(shortedBit(k)));
        setBox(dialog, lightActivatedBox(k), statusBit(activatedBit(k)));
    }
}

// ---- Switch inputs -----------------------------------------------------------------------------

constexpr std::array<int, 6> kSwitchBytes = {179, 180, 181, 182, 183, 225};
// An empty name: no input on that bit.
constexpr std::string_view kSwitchNames[6][8] = {
    {"STOP", "UNLOAD 1 SPEED", "UNLOAD 2 SPEED", "LOAD ON", "LOAD AUTO", "FAN 1 AUTO", "FAN 1 ON",
     "SPARE #1"},
    {"BURNER 1 AUTO", "BURNER 1 ON", "FAN 2 AUTO", "FAN 2 ON", "BURNER 2 AUTO", "BURNER 2 ON",
     "FAN 3 AUTO", "FAN 3 ON"},
    {"SPARE #2", "BURNER 3 AUTO", "BURNER 3 ON", "FAN 4 AUTO", "FAN 4 ON", "BURNER 4 AUTO",
     "BURNER 4 ON", "FAN 5 AUTO"},
    {"BURNER 6 ON", "FAN 5 ON", "SPARE #3", "BURNER 5 AUTO", "BURNER 5 ON", "FAN 6 AUTO",
     "FAN 6 ON", "BURNER 6 AUTO"},
    {"START", "MANUAL", "AUX", "DEFAULTS", "MR PUSH BUTON", "MR LEFT", "MR RIGHT", ""},
    {"AUX 2", "AUX 1", "COMP", "M/C", "TOWER", "FT SERIES", "AF", "PORT"},
};

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
            if (kSwitchNames[b][bit].empty()) continue;
            items.push_back({switchBox(b, bit), ControlKind::CheckBox, kSwitchNames[b][bit], x + 5,
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
            if (!kSwitchNames[b][bit].empty()) {
                setBox(dialog, switchBox(b, bit), statusBit({kSwitchBytes[b], bit}));
            }
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
