#pragma once
// The shutdown history: every shutdown the controller reports, and a few operator events, kept
// with their time in the record database on the flash disk, listed three ways for the history
// dialog, copied to the USB drive and cleared on request.
//
// Recording runs on the exchange thread while the user-interface thread lists, exports or
// clears; every operation may be called from any thread.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/node_id.h"
#include "logging/dryer_sample.h"
#include "platform/clock/clock.h"

namespace warnings {

inline constexpr std::string_view kHistoryVolume = "\\Hard Disk\\ShutdownHistoryDB";
inline constexpr std::string_view kHistoryDatabase = "ShutdownHistoryDB";
inline constexpr std::string_view kHistoryExportFile = "\\Hard Disk2\\DryerShutdownHistory.txt";
inline constexpr std::string_view kOperatorEventText = "User Accepted Auto-Start MC Setup";
inline constexpr std::string_view kOperatorEventNode = "Global";

// The black box: the graph samples of the half hour before each shutdown, kept beside the
// history in the same volume and exported beside the history file.
inline constexpr std::string_view kBlackBoxDatabase = "ShutdownBlackBox";
inline constexpr std::string_view kBlackBoxExportFile = "\\Hard Disk2\\DryerShutdownBlackBox.csv";
inline constexpr int kBlackBoxMinutes = 30;
inline constexpr size_t kBlackBoxSamples = kBlackBoxMinutes * 6;  // one each 10 s of running
inline constexpr size_t kStoredWarningChars = 149;  // characters of a warning text kept
inline constexpr size_t kListedWarningChars = 99;   // characters of it the list shows

// The sort orders of the history database.
inline constexpr int kSortByWarning = 0;   // warning, node, time
inline constexpr int kSortByNodeId = 1;    // node, warning, time
inline constexpr int kSortByDateTime = 2;  // time, warning, node

// One entry of the history.
struct ShutdownRecord {
    std::string warning;          // the warning text in the language of its time
    std::string node;             // the device name
    platform::FileTime time = 0;  // local time
};

// One row of the history dialog's list.
struct HistoryRow {
    std::string warning;  // cut to kListedWarningChars characters
    std::string node;
    std::string date;              // "MMM dd',' yyy"
    std::string time;              // "h':'mm tt"
    platform::FileTime stamp = 0;  // the record's time, which finds its black box
};

// Start-up: mounts the volume, opens the history database or creates it, and remembers it. False
// when the volume cannot be mounted. Here and in every other operation, a volume file found
// damaged is renamed "ShutdownHistoryDB.damaged-<yyyyMMdd-HHmmss>" (kept for inspection) and a
// fresh volume takes its place, so that recording goes on.
bool openShutdownHistory();

// Writes a record for a shutdown of a node now: its warning text in the current language (at most
// kStoredWarningChars characters), the node's device name (empty for a value that names no
// device) and the local time. When a shutdown is recorded is the decoder's repeat guard's
// business (dryer::shutdownRecordRule).
bool recordShutdown(dryer::NodeId node, uint8_t warning);

// The black box of the shutdown recorded at `stamp`, oldest sample first; empty when it has none
// (recorded before the black box, or with the dryer not running in the half hour before).
std::vector<logging::DryerSample> readBlackBox(platform::FileTime stamp);

// Writes the record of the operator accepting the auto-start moisture-control setup.
bool recordOperatorEvent();

// The records as the history dialog lists them: the chosen sort order reversed, so that by
// date/time the newest comes first. A sort order other than 0, 1 or 2 means by date/time. Empty
// when the volume or the database cannot be opened.
std::vector<HistoryRow> listShutdownHistory(int sortOrder);

// The records in a sort order, in that order. False when they cannot be read.
bool readShutdownHistory(int sortOrder, std::vector<ShutdownRecord>& records);

// The number of records, 0 when the volume cannot be read.
uint32_t shutdownHistoryCount();

struct ExportResult {
    bool written = false;  // the file now holds the whole history
    std::string message;   // text for the message box; empty when there is nothing to say
};

// Shown when the history could not be written whole to the USB drive (full or pulled out).
inline constexpr std::string_view kExportWriteFailedText = "ERROR: WRITE TO USB DRIVE FAILED!";

// One record as the export writes it: "warning;node;date;time;" and a line feed.
std::string exportLine(const ShutdownRecord& record);

// Writes the history, oldest first, to the USB drive as "DryerShutdownHistory.txt": one line per
// record, "warning;node;date;time;" and a line feed, UTF-8; the file ends with the last line. A
// file that cannot be opened is given up silently; the failures of the database and of the
// writing come back as the message to show.
// The black boxes go beside it as "DryerShutdownBlackBox.csv": the shutdown's date and time,
// then the sample's row (see logging/sample_csv.h), oldest shutdown first.
ExportResult exportShutdownHistory();

// What the operator reads for stored English texts: an export message, a device name and the
// operator event's text in the current language. The history keeps them in English, as stored
// and exported; other texts come back unchanged.
std::string shownExportMessage(std::string_view message);
std::string shownNodeName(std::string_view storedName);
std::string shownWarning(std::string_view storedWarning);

// Deletes the volume file and creates the history database again.
bool clearShutdownHistory();

}  // namespace warnings
