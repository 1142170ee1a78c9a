#include "screens/warnings/history_dialog.h"

#include <algorithm>
#include <array>

#include "i18n/language.h"
#include "link/node_id.h"
#include "logging/graph_scale.h"
#include "platform/files/files.h"
#include "platform/gfx/painter.h"
#include "platform/gfx/text.h"
#include "platform/ui/dialog.h"
#include "screens/graphs/graph_drawing.h"
#include "screens/warnings/shutdown_help.h"
#include "screens/warnings/shutdown_history.h"
#include "shell/hooks.h"
#include "shell/periodic.h"

namespace warnings {
namespace {

namespace ui = platform::ui;
using ui::ControlKind;

constexpr uint32_t kTwoLines = ui::kMultiLine;

constexpr std::array<ui::DialogItem, 11> kHistoryItems = {{
    {kHistoryList, ControlKind::ListView, "", 5, 4, 341, 152},
    {kSortedByWarningRadio, ControlKind::RadioButton, "Sorted by warning.", 7, 161, 79, 10,
     ui::kGroup},
    {kSortedByDateTimeRadio, ControlKind::RadioButton, "Sorted by date/time.", 7, 172, 79, 10},
    {kSortedByNodeIdRadio, ControlKind::RadioButton, "Sorted by node id.", 7, 183, 79, 10},
    {kSortByWarningButton, ControlKind::PushButton, "SORT BY WARNING", 7, 198, 68, 26, kTwoLines},
    {kSortByDateTimeButton, ControlKind::PushButton, "SORT BY DATE/TIME", 83, 198, 67, 26,
     kTwoLines},
    {kSortByNodeIdButton, ControlKind::PushButton, "SORT BY    NODE ID", 157, 198, 67, 26,
     kTwoLines},
    {kShowHelpButton, ControlKind::PushButton, "Show Help File", 157, 165, 56, 26, kTwoLines},
    {kCopyToUsbButton, ControlKind::PushButton,
     "COPY TO USB FLASH CARD AS \"DryerShutdownHistory.txt\"", 217, 165, 130, 26, kTwoLines},
    {kClearHistoryButton, ControlKind::PushButton, "CLEAR HISTORY", 245, 198, 36, 26,
     ui::kHidden | kTwoLines},
    {kHistoryExitButton, ControlKind::PushButton, "EXIT", 286, 198, 61, 26},
}};
constexpr ui::DialogTemplate kHistoryTemplate{"Shutdown History -29", 354, 231, kHistoryItems};

// The three confirmations share one layout; only their ids and texts differ.
struct Confirmation {
    int text, yes, no, cancel;  // control ids
    int message, title;         // string numbers
};
constexpr Confirmation kClear{1471, 1468, 1469, 1470, 436, 437};
constexpr Confirmation kCopy{1472, 1473, 1474, 1475, 438, 439};
constexpr Confirmation kNoDrive{1476, 1477, 1478, 1479, 440, 441};

// The confirmation's text may run to two lines: the space down to the buttons holds them.
template <const Confirmation& c>
constexpr std::array<ui::DialogItem, 4> kConfirmationItems = {{
    {c.text, ControlKind::StaticCenter, "", 9, 9, 274, 34, ui::kMultiLine},
    {c.yes, ControlKind::PushButton, "Yes", 23, 49, 73, 26},
    {c.no, ControlKind::PushButton, "No", 109, 49, 73, 26},
    {c.cancel, ControlKind::PushButton, "CANCEL", 195, 49, 73, 26},
}};

constexpr ui::DialogTemplate kClearTemplate{"", 300, 84, kConfirmationItems<kClear>};
constexpr ui::DialogTemplate kCopyTemplate{"", 300, 84, kConfirmationItems<kCopy>};
constexpr ui::DialogTemplate kNoDriveTemplate{"", 300, 84, kConfirmationItems<kNoDrive>};

struct ColumnSpec {
    int title;  // string number
    std::string_view english;
    int createdWidth;
};
constexpr std::array<ColumnSpec, 4> kColumns = {
    {{623, "Shutdown ID", 280}, {624, "Node ID", 140}, {625, "Date", 90}, {626, "Time", 90}}};

constexpr std::string_view kUsbDrive = "\\Hard Disk2";

// The black box of the selected shutdown, drawn in the room beside the sort radios.
constexpr platform::gfx::Rect kBlackBoxUnits{90, 159, 152, 195};
constexpr int kBlackBoxPadding = 3;

// The dialog's state while it is open: the time of each listed row, and the black box shown.
struct HistoryView {
    std::vector<platform::FileTime> rowStamps;
    std::vector<logging::DryerSample> blackBox;
};

HistoryView& view() {
    static HistoryView state;
    return state;
}
constexpr int kCellRoom = 10;  // the list's padding on both sides of a cell's text

// ---- Confirmations --------------------------------------------------------------------------

const Confirmation& confirmationOf(ui::Window dialog) {
    return *reinterpret_cast<const Confirmation*>(ui::userData(dialog));
}

void labelConfirmation(ui::Window dialog, const Confirmation& c) {
    ui::setWindowText(dialog, i18n::GetString(c.title));
    ui::setItemText(dialog, c.text, i18n::GetString(c.message));
    ui::setItemText(dialog, c.yes, i18n::GetString(134));
    ui::setItemText(dialog, c.no, i18n::GetString(135));
    ui::setItemText(dialog, c.cancel, i18n::GetString(10));
}

ui::LResult confirmationProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            ui::setUserData(dialog, lp);
            labelConfirmation(dialog, confirmationOf(dialog));
            ui::centreOnOwner(dialog);
            return 1;
        case ui::kPaint:
            labelConfirmation(dialog, confirmationOf(dialog));
            return 0;
        case ui::kCommand: {
            const Confirmation& c = confirmationOf(dialog);
            const int id = ui::commandId(wp);
            if (id != c.yes && id != c.no && id != c.cancel) return 0;
            ui::endDialog(dialog, id);
            return 1;
        }
        default:
            return 0;
    }
}

// True when the operator answered Yes.
bool confirm(ui::Window owner, const ui::DialogTemplate& dialogTemplate, const Confirmation& c) {
    return ui::runDialog(dialogTemplate, owner, confirmationProc,
                         reinterpret_cast<ui::LParam>(&c)) == c.yes;
}

// ---- The list ---------------------------------------------------------------------------------

// The columns come out 325, 90, 90 and 90 pixels wide; the device names are never cut: where
// the list's font needs more for the longest of them, the warning text (cut anyway) gives it up.
void setUpColumns(ui::Window list) {
    for (const ColumnSpec& column : kColumns)
        ui::listViewAddColumn(list, i18n::GetStringOr(column.title, column.english),
                              column.createdWidth);
    int nodeWidth = 90;
    for (int node = 1; node <= 15; ++node) {
        const std::string name = shownNodeName(dryer::nodeName(static_cast<uint8_t>(node)));
        const int width = platform::gfx::textExtent(name, ui::windowFont(list)).width;
        nodeWidth = std::max(nodeWidth, width + kCellRoom);
    }
    ui::listViewSetColumnWidth(list, 0, 325 - (nodeWidth - 90));
    ui::listViewSetColumnWidth(list, 1, nodeWidth);
}

void checkSortRadio(ui::Window dialog, int radio) {
    for (int id : {kSortedByWarningRadio, kSortedByDateTimeRadio, kSortedByNodeIdRadio})
        ui::checkItem(dialog, id, id == radio);
}

void fillList(ui::Window dialog, int sortOrder, int radio) {
    const ui::Window list = ui::dialogItem(dialog, kHistoryList);
    ui::listViewClear(list);
    view().rowStamps.clear();
    view().blackBox.clear();
    for (const HistoryRow& row : listShutdownHistory(sortOrder)) {
        ui::listViewInsertRow(
            list, ui::listViewRowCount(list),
            {shownWarning(row.warning), shownNodeName(row.node),
             i18n::shownDate(platform::fileTimeToLocalTime(row.stamp), false), row.time});
        view().rowStamps.push_back(row.stamp);
    }
    ui::invalidate(dialog, true);
    checkSortRadio(dialog, radio);
}

void labelHistory(ui::Window dialog) {
    ui::setWindowText(dialog, i18n::GetString(427));
    const std::pair<int, int> sortLabels[] = {
        {kSortedByWarningRadio, 429}, {kSortByWarningButton, 429}, {kSortedByDateTimeRadio, 430},
        {kSortByDateTimeButton, 430}, {kSortedByNodeIdRadio, 431}, {kSortByNodeIdButton, 431},
    };
    for (const auto& [id, number] : sortLabels)
        ui::setItemText(dialog, id, i18n::GetString(number));
    ui::setItemText(dialog, kCopyToUsbButton, i18n::GetString(434) + " " + i18n::GetString(435));
    ui::setItemText(dialog, kShowHelpButton, i18n::GetString(3));
    ui::setItemText(dialog, kClearHistoryButton, i18n::GetStringOr(437, "CLEAR HISTORY"));
    ui::setItemText(dialog, kHistoryExitButton, i18n::GetString(145));
}

// ---- The black box ---------------------------------------------------------------------------

// The values of one trace as the graph screen plots them: whole degrees, tenths of a percent.
int traceValue(const logging::DryerSample& s, int trace) {
    switch (trace) {
        case logging::kTraceMoistureIn:
            return s.moistureIn();
        case logging::kTraceGrainTempIn:
            return s.grainTempIn() / 10;
        case logging::kTraceMoistureOut:
            return s.moistureOut();
        case logging::kTraceGrainTempOut:
            return s.grainTempOut() / 10;
        case logging::kTraceGrainColumnTemp:
            return s.grainColumnTemp();
        default:
            return s.meterRollSpeed();
    }
}

// Each trace on its own scale, as on the graph screen, squeezed into the box's height.
void drawBlackBoxTrace(platform::gfx::Painter& p, const platform::gfx::Rect& box, int trace) {
    const std::vector<logging::DryerSample>& samples = view().blackBox;
    std::vector<int> values(samples.size());
    for (size_t i = 0; i < samples.size(); ++i)
        values[i] = traceValue(samples[i], trace);
    std::vector<int> heights(values.size());
    logging::GraphScaleHeights(values, logging::GraphAxisTicks(values), heights);
    const int inner = box.height() - 2 * kBlackBoxPadding;
    const int width = box.width() - 2 * kBlackBoxPadding;
    const int last = std::max<int>(1, static_cast<int>(values.size()) - 1);
    std::vector<platform::gfx::Point> points(values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        points[i] = {box.left + kBlackBoxPadding + static_cast<int>(i) * width / last,
                     box.bottom - kBlackBoxPadding - std::clamp(heights[i], 0, 180) * inner / 180};
    }
    p.drawPolyline(points, graphs::kTraceStyles[trace].pen);
}

void drawBlackBox(platform::gfx::Painter& p) {
    const platform::gfx::Rect box = ui::dialogUnitsToPixels(kBlackBoxUnits);
    p.fillRect(box, platform::gfx::colors::kBlack);
    p.drawFrame(box, platform::gfx::rgb(100, 100, 100));
    if (view().blackBox.size() < 2) return;
    for (int trace = 0; trace < logging::kGraphTraceCount; ++trace) {
        if (logging::GraphTraceOn[trace]) drawBlackBoxTrace(p, box, trace);
    }
}

void showBlackBoxOfSelection(ui::Window dialog) {
    const int row = ui::listViewSelection(ui::dialogItem(dialog, kHistoryList));
    const auto& stamps = view().rowStamps;
    view().blackBox = row >= 0 && static_cast<size_t>(row) < stamps.size()
                          ? readBlackBox(stamps[static_cast<size_t>(row)])
                          : std::vector<logging::DryerSample>{};
    ui::invalidate(dialog, true);
}

// ---- Commands ---------------------------------------------------------------------------------

void showHelpOfSelection(ui::Window dialog) {
    shell::periodic().helpFromHistory = true;
    const ui::Window list = ui::dialogItem(dialog, kHistoryList);
    const int row = ui::listViewSelection(list);
    if (row < 0) {
        ui::messageBox(dialog, i18n::GetString(471), i18n::GetString(472), ui::kMbOkCancel);
        return;
    }
    const NodeWarning pair = parseNodeWarning(ui::listViewCell(list, row, 0));
    helpRequest() = {pair.node, pair.warning};
    runShutdownHelp(dialog);
}

bool usbDrivePresent() {
    const auto drive = platform::fileInfo(kUsbDrive);
    return drive && drive->isFolder;
}

// A drive that went away, is read-only or is full; other failures are the database's.
bool driveFault(const ExportResult& result) {
    return result.message.empty() || result.message == kExportWriteFailedText;
}

// The history is on the drive only once the export has written and synced it; anything short of
// that is offered again.
void copyToUsb(ui::Window dialog) {
    bool confirmed = false;
    for (;;) {
        if (!usbDrivePresent()) {
            // Yes: the operator has plugged a drive in; the command starts over.
            if (!confirm(dialog, kNoDriveTemplate, kNoDrive)) return;
            confirmed = false;
            continue;
        }
        if (!confirmed && !confirm(dialog, kCopyTemplate, kCopy)) return;
        confirmed = true;
        const ExportResult result = exportShutdownHistory();
        if (result.written) {
            ui::messageBox(dialog, i18n::GetStringOr(643, kExportDoneText), i18n::GetString(439),
                           ui::kMbIconInformation);
            return;
        }
        if (!driveFault(result)) {
            ui::messageBox(dialog, shownExportMessage(result.message), i18n::GetString(439),
                           ui::kMbIconExclamation);
            return;
        }
        const std::string text = result.message.empty()
                                     ? i18n::GetStringOr(644, kExportOpenFailedText)
                                     : shownExportMessage(result.message);
        if (ui::messageBox(dialog, text, i18n::GetString(439),
                           ui::kMbRetryCancel | ui::kMbIconExclamation) != ui::kIdRetry) {
            return;
        }
    }
}

void clearHistory(ui::Window dialog) {
    if (!confirm(dialog, kClearTemplate, kClear)) return;
    clearShutdownHistory();
    fillList(dialog, kSortByDateTime, kSortedByDateTimeRadio);
}

// EXIT closes the dialog, unless it was held down for the whole count of the one-second tick:
// then it clears the history instead.
void exitOrClear(ui::Window dialog) {
    shell::PeriodicState& ticks = shell::periodic();
    ticks.helpFromHistory = false;
    if (ticks.historyExitHoldSeconds != 0) {
        ui::endDialog(dialog, kHistoryExitButton);
        return;
    }
    ticks.historyExitHoldSeconds = 10;
    clearHistory(dialog);
}

// The radios sort as their buttons do.
bool runCommand(ui::Window dialog, int id) {
    switch (id) {
        case kSortByWarningButton:
        case kSortedByWarningRadio:
            fillList(dialog, kSortByWarning, kSortedByWarningRadio);
            return true;
        case kSortByDateTimeButton:
        case kSortedByDateTimeRadio:
            fillList(dialog, kSortByDateTime, kSortedByDateTimeRadio);
            return true;
        case kSortByNodeIdButton:
        case kSortedByNodeIdRadio:
            fillList(dialog, kSortByNodeId, kSortedByNodeIdRadio);
            return true;
        case kShowHelpButton:
            showHelpOfSelection(dialog);
            return true;
        case kCopyToUsbButton:
            copyToUsb(dialog);
            return true;
        case kClearHistoryButton:
            clearHistory(dialog);
            return true;
        case kHistoryExitButton:
            exitOrClear(dialog);
            return true;
        default:
            return false;
    }
}

ui::LResult historyDialogProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kInitDialog:
            shell::registerOpenDialog(shell::Dialog::ShutdownHistory, dialog);
            setUpColumns(ui::dialogItem(dialog, kHistoryList));
            labelHistory(dialog);
            fillList(dialog, kSortByDateTime, kSortedByDateTimeRadio);
            ui::centreOnOwner(dialog);
            return 1;
        case ui::kPaint:
            labelHistory(dialog);
            drawBlackBox(ui::paintContext(lp).painter);
            return 0;
        case ui::kCommand:
            if (ui::commandId(wp) == kHistoryList &&
                ui::commandNotification(wp) == ui::kSelectionChanged) {
                showBlackBoxOfSelection(dialog);
                return 1;
            }
            if (ui::commandNotification(wp) != ui::kClicked) return 0;
            return runCommand(dialog, ui::commandId(wp)) ? 1 : 0;
        default:
            return 0;
    }
}

uint32_t hexDigit(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
    return 0;
}

}  // namespace

NodeWarning parseNodeWarning(std::string_view warningText) {
    uint32_t digits[4] = {};
    for (size_t i = 0; i < 4 && i < warningText.size(); ++i)
        digits[i] = hexDigit(warningText[i]);
    return {digits[0] * 16 + digits[1], digits[2] * 16 + digits[3]};
}

int runShutdownHistory(ui::Window owner) {
    shell::periodic().historyExitHoldSeconds = 5;
    const int result = ui::runDialog(kHistoryTemplate, owner, historyDialogProc);
    shell::unregisterOpenDialog(shell::Dialog::ShutdownHistory);
    return result;
}

}  // namespace warnings
