#include "screens/warnings/shutdown_history.h"

#include <cstdio>
#include <functional>
#include <mutex>
#include <optional>

#include "i18n/language.h"
#include "i18n/text.h"
#include "link/node_id.h"
#include "logging/graph_log.h"
#include "logging/sample_csv.h"
#include "platform/files/files.h"
#include "platform/store/store.h"

namespace warnings {
namespace {

using platform::DatabaseId;
using platform::Volume;

constexpr uint16_t kWarningProperty = 1;
constexpr uint16_t kNodeProperty = 2;
constexpr uint16_t kTimeProperty = 3;
constexpr uint16_t kBlackBoxTimeProperty = 1;
constexpr uint16_t kBlackBoxSamplesProperty = 2;  // the samples' bytes in hexadecimal

constexpr std::string_view kDatePicture = "MMM dd',' yyy";
constexpr std::string_view kTimePicture = "h':'mm tt";
constexpr size_t kExportChunkBytes = 64 * 1024;

// One volume operation at a time: the exchange thread records while the user-interface thread
// lists, exports or clears. Also guards gDatabase.
std::mutex gMutex;
DatabaseId gDatabase = 0;  // remembered once found or created; 0 = look it up again

struct BlackBox {
    platform::FileTime shutdown = 0;
    std::vector<logging::DryerSample> samples;
};

platform::DatabaseDef historyLayout() {
    using platform::PropertyType;
    return {std::string(kHistoryDatabase),
            0,
            {{kWarningProperty, PropertyType::String},
             {kNodeProperty, PropertyType::String},
             {kTimeProperty, PropertyType::FileTime}},
            {{kWarningProperty, kNodeProperty, kTimeProperty},
             {kNodeProperty, kWarningProperty, kTimeProperty},
             {kTimeProperty, kWarningProperty, kNodeProperty}}};
}

platform::DatabaseDef blackBoxLayout() {
    using platform::PropertyType;
    return {std::string(kBlackBoxDatabase),
            0,
            {{kBlackBoxTimeProperty, PropertyType::FileTime},
             {kBlackBoxSamplesProperty, PropertyType::String}},
            {{kBlackBoxTimeProperty}}};
}

std::string toHex(const std::vector<logging::DryerSample>& samples) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(samples.size() * logging::kDryerSampleSize * 2);
    for (const logging::DryerSample& s : samples) {
        for (uint8_t b : s.bytes) {
            hex += kDigits[b >> 4];
            hex += kDigits[b & 15];
        }
    }
    return hex;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A damaged text gives the samples before the damage.
std::vector<logging::DryerSample> fromHex(std::string_view hex) {
    std::vector<logging::DryerSample> samples;
    constexpr size_t kChars = logging::kDryerSampleSize * 2;
    for (size_t at = 0; at + kChars <= hex.size(); at += kChars) {
        logging::DryerSample s;
        for (size_t i = 0; i < logging::kDryerSampleSize; ++i) {
            const int high = hexValue(hex[at + 2 * i]);
            const int low = hexValue(hex[at + 2 * i + 1]);
            if (high < 0 || low < 0) return samples;
            s.bytes[i] = static_cast<uint8_t>(high << 4 | low);
        }
        samples.push_back(s);
    }
    return samples;
}

// The sample's time; a sample holds no year, so it is the year of `now` unless that would put
// the sample after it (a log running over New Year).
platform::FileTime sampleTime(const logging::DryerSample& s, const platform::LocalTime& now) {
    platform::LocalTime t;
    t.year = s.month() > now.month ? now.year - 1 : now.year;
    t.month = s.month();
    t.day = s.day();
    t.hour = s.hour();
    t.minute = s.minute();
    t.second = s.second();
    return platform::localTimeToFileTime(t);
}

// The graph samples of the half hour up to `now`.
std::vector<logging::DryerSample> recentSamples(const platform::LocalTime& now) {
    constexpr platform::FileTime kPerSecond = 10'000'000;
    const platform::FileTime end = platform::localTimeToFileTime(now);
    const platform::FileTime start = end - kBlackBoxMinutes * 60 * kPerSecond;
    std::vector<logging::DryerSample> kept;
    for (const logging::DryerSample& s : logging::ReadLatestGraphSamples(kBlackBoxSamples)) {
        if (!logging::SampleTimeValid(s)) continue;
        const platform::FileTime t = sampleTime(s, now);
        if (t >= start && t <= end) kept.push_back(s);
    }
    return kept;
}

std::string withCode(const char* format, long code) {
    char text[64];
    std::snprintf(text, sizeof text, format, code);
    return text;
}

std::string handlerMessage(long error) {
    switch (error) {
        case platform::kStoreNotEnoughMemory:
            return "NOT ENOUGHT MEMORY!";
        case platform::kStoreInvalidParameter:
            return "INVALID PARAMETER!";
        case platform::kStoreFileNotFound:
            return "FILE NOT FOUND!";
        default:
            return withCode("ERROR: Handler (%ld)", error);
    }
}

struct ShownText {
    std::string_view english;  // "%ld" stands for an error code
    int number;
};

constexpr ShownText kExportMessages[] = {
    {kExportWriteFailedText, 645}, {"NOT ENOUGHT MEMORY!", 646},
    {"INVALID PARAMETER!", 647},   {"FILE NOT FOUND!", 648},
    {"ERROR: Handler (%ld)", 649}, {"ERROR: CeMountDBVol failed (%ld)", 650},
};

constexpr int kFirstNodeNameString = 627;  // node 1; node n has 626 + n
constexpr int kGlobalNodeString = 642;
constexpr int kOperatorEventString = 652;

// The code that `message` carries where `english` has "%ld", or nullopt when it is another text.
std::optional<std::string_view> codeOf(std::string_view message, std::string_view english) {
    const size_t at = english.find("%ld");
    if (at == std::string_view::npos) {
        return message == english ? std::optional<std::string_view>("") : std::nullopt;
    }
    const std::string_view before = english.substr(0, at);
    const std::string_view after = english.substr(at + 3);
    if (message.size() < before.size() + after.size() || !message.starts_with(before) ||
        !message.ends_with(after)) {
        return std::nullopt;
    }
    return message.substr(before.size(), message.size() - before.size() - after.size());
}

// Renames a damaged volume file after the time it was found, so that nothing is lost and a fresh
// volume can take its place.
bool setAsideDamagedVolume() {
    const std::string base = std::string(kHistoryVolume) + ".damaged-" +
                             platform::formatPicture(platform::localNow(), "yyyyMMdd'-'HHmmss");
    for (int n = 1; n < 100; ++n) {
        if (platform::moveVolume(kHistoryVolume, n == 1 ? base : base + "-" + std::to_string(n))) {
            return true;
        }
    }
    return false;
}

// Under gMutex.
long mountVolume(Volume& volume) {
    long e = volume.mount(kHistoryVolume);
    if (e != platform::kStoreFileCorrupt) return e;
    volume.dismount();
    if (!setAsideDamagedVolume()) return e;
    gDatabase = 0;
    return volume.mount(kHistoryVolume);
}

// Under gMutex: the remembered database, else the one of that name, else a new one.
long historyDatabase(Volume& volume, DatabaseId& id) {
    if (gDatabase == 0) {
        long e = volume.findDatabase(kHistoryDatabase, gDatabase);
        if (e == platform::kStoreFileNotFound)
            e = volume.createDatabase(historyLayout(), gDatabase);
        if (e != platform::kStoreOk) {
            gDatabase = 0;
            return e;
        }
    }
    id = gDatabase;
    return platform::kStoreOk;
}

// Under gMutex: mounts the volume and runs `work` on the history database. A volume found
// damaged, at mounting or by `work`, is set aside and `work` runs once more on a fresh one; so it
// does when the remembered database has gone (its volume file was removed behind our back).
// `mountError` tells a volume that cannot be mounted from a database that cannot be used.
long runOnHistory(const std::function<long(Volume&, DatabaseId)>& work, long& mountError) {
    long e = platform::kStoreOk;
    for (int attempt = 0; attempt < 2; ++attempt) {
        Volume volume;
        mountError = mountVolume(volume);
        if (mountError != platform::kStoreOk) return mountError;
        DatabaseId id = 0;
        e = historyDatabase(volume, id);
        if (e == platform::kStoreOk) e = work(volume, id);
        if (e == platform::kStoreFileNotFound) {
            gDatabase = 0;
        } else if (e == platform::kStoreFileCorrupt) {
            volume.dismount();
            if (!setAsideDamagedVolume()) return e;
            gDatabase = 0;
        } else {
            return e;
        }
    }
    return e;
}

long runOnHistory(const std::function<long(Volume&, DatabaseId)>& work) {
    long mountError = platform::kStoreOk;
    return runOnHistory(work, mountError);
}

// Under gMutex: the black box database, made when missing.
long blackBoxDatabase(Volume& volume, DatabaseId& id) {
    long e = volume.findDatabase(kBlackBoxDatabase, id);
    if (e == platform::kStoreFileNotFound) e = volume.createDatabase(blackBoxLayout(), id);
    return e;
}

// The black box goes in first, in its own transaction: a kill between the two writes leaves a
// black box that no record names, never a record that names a lost one.
long writeBlackBox(Volume& volume, platform::FileTime time, const std::string& hex) {
    DatabaseId id = 0;
    if (long e = blackBoxDatabase(volume, id)) return e;
    platform::Record record(2);
    record[0].id = kBlackBoxTimeProperty;
    record[0].type = platform::PropertyType::FileTime;
    record[0].time = time;
    record[1].id = kBlackBoxSamplesProperty;
    record[1].text = hex;
    return volume.writeRecord(id, record);
}

long readBlackBoxes(Volume& volume, std::vector<BlackBox>& boxes) {
    DatabaseId id = 0;
    long e = volume.findDatabase(kBlackBoxDatabase, id);
    if (e == platform::kStoreFileNotFound) return platform::kStoreOk;
    if (e != platform::kStoreOk) return e;
    boxes.clear();
    return volume.readRecords(id, 0, [&](const platform::Record& r) {
        BlackBox box;
        for (const platform::Property& p : r) {
            if (p.id == kBlackBoxTimeProperty) box.shutdown = p.time;
            if (p.id == kBlackBoxSamplesProperty) box.samples = fromHex(p.text);
        }
        boxes.push_back(std::move(box));
    });
}

bool writeRecord(std::string warning, std::string node, bool withBlackBox = false) {
    const platform::LocalTime now = platform::localNow();
    const std::string blackBox = withBlackBox ? toHex(recentSamples(now)) : std::string();
    platform::Record record(3);
    record[0].id = kWarningProperty;
    record[0].text = i18n::firstChars(warning, kStoredWarningChars);
    record[1].id = kNodeProperty;
    record[1].text = std::move(node);
    record[2].id = kTimeProperty;
    record[2].type = platform::PropertyType::FileTime;
    record[2].time = platform::localTimeToFileTime(now);
    std::lock_guard lock(gMutex);
    return runOnHistory([&](Volume& volume, DatabaseId id) {
               if (!blackBox.empty()) {
                   if (long e = writeBlackBox(volume, record[2].time, blackBox)) return e;
               }
               return volume.writeRecord(id, record);
           }) == platform::kStoreOk;
}

ShutdownRecord toShutdownRecord(const platform::Record& record) {
    ShutdownRecord out;
    for (const platform::Property& p : record) {
        if (p.id == kWarningProperty) out.warning = p.text;
        if (p.id == kNodeProperty) out.node = p.text;
        if (p.id == kTimeProperty) out.time = p.time;
    }
    return out;
}

long readRecords(int sortOrder, std::vector<ShutdownRecord>& records, long& mountError) {
    const size_t order =
        sortOrder == kSortByWarning || sortOrder == kSortByNodeId ? sortOrder : kSortByDateTime;
    std::lock_guard lock(gMutex);
    return runOnHistory(
        [&](Volume& volume, DatabaseId id) {
            records.clear();
            return volume.readRecords(id, order, [&](const platform::Record& r) {
                records.push_back(toShutdownRecord(r));
            });
        },
        mountError);
}

bool writeExport(platform::File& file, const std::vector<ShutdownRecord>& records) {
    if (file.seek(0, platform::SeekFrom::Begin) != 0) return false;
    std::string chunk;
    for (const ShutdownRecord& r : records) {
        chunk += exportLine(r);
        if (chunk.size() >= kExportChunkBytes) {
            if (!file.write(chunk.data(), chunk.size())) return false;
            chunk.clear();
        }
    }
    // Cut off what an earlier, longer export left behind.
    return file.write(chunk.data(), chunk.size()) && file.truncateHere() && file.sync();
}

std::string blackBoxCsv(const std::vector<BlackBox>& boxes) {
    std::string csv = "Shutdown Date Time," + logging::SampleCsvHeader() + "\r\n";
    for (const BlackBox& box : boxes) {
        const platform::LocalTime when = platform::fileTimeToLocalTime(box.shutdown);
        const std::string shutdown = platform::formatPicture(when, "yyyy'-'MM'-'dd HH':'mm':'ss");
        for (const logging::DryerSample& s : box.samples) {
            const int year = s.month() > when.month ? when.year - 1 : when.year;
            csv += shutdown + "," + logging::SampleCsvRow(s, year) + "\r\n";
        }
    }
    return csv;
}

bool writeBlackBoxExport(const std::vector<BlackBox>& boxes) {
    platform::File file = platform::openFile(kBlackBoxExportFile, platform::FileAccess::ReadWrite,
                                             platform::Disposition::OpenAlways);
    const std::string csv = blackBoxCsv(boxes);
    return file.isOpen() && file.seek(0, platform::SeekFrom::Begin) == 0 &&
           file.write(csv.data(), csv.size()) && file.truncateHere() && file.sync();
}

}  // namespace

std::string shownExportMessage(std::string_view message) {
    for (const ShownText& shown : kExportMessages) {
        const auto code = codeOf(message, shown.english);
        if (!code) continue;
        return i18n::fillPlaceholders(i18n::GetStringOr(shown.number, shown.english), "%ld",
                                      {*code});
    }
    return std::string(message);
}

std::string shownNodeName(std::string_view storedName) {
    if (storedName == kOperatorEventNode) return i18n::GetStringOr(kGlobalNodeString, storedName);
    for (int node = 1; node <= 15; ++node) {
        const char* name = dryer::nodeName(static_cast<dryer::NodeId>(node));
        if (name != nullptr && storedName == name) {
            return i18n::GetStringOr(kFirstNodeNameString + node - 1, storedName);
        }
    }
    return std::string(storedName);
}

std::string shownWarning(std::string_view storedWarning) {
    if (storedWarning == kOperatorEventText) {
        return i18n::GetStringOr(kOperatorEventString, storedWarning);
    }
    return std::string(storedWarning);
}

std::string exportLine(const ShutdownRecord& record) {
    const platform::LocalTime when = platform::fileTimeToLocalTime(record.time);
    return record.warning + ";" + record.node + ";" + platform::formatPicture(when, kDatePicture) +
           ";" + platform::formatPicture(when, kTimePicture) + ";\n";
}

bool openShutdownHistory() {
    std::lock_guard lock(gMutex);
    gDatabase = 0;
    const bool ok = runOnHistory([](Volume& volume, DatabaseId) { return volume.check(); }) ==
                    platform::kStoreOk;
    // A volume that opened cleanly needs no journal of a write killed after its commit.
    if (ok) platform::removeStaleJournal(kHistoryVolume);
    return ok;
}

bool recordShutdown(dryer::NodeId node, uint8_t warning) {
    std::string name;
    dryer::nodeNameInto(node, name);
    return writeRecord(i18n::GetWarningText(node, warning), std::move(name), true);
}

bool recordOperatorEvent() {
    return writeRecord(std::string(kOperatorEventText), std::string(kOperatorEventNode));
}

bool readShutdownHistory(int sortOrder, std::vector<ShutdownRecord>& records) {
    long mountError = platform::kStoreOk;
    return readRecords(sortOrder, records, mountError) == platform::kStoreOk;
}

std::vector<HistoryRow> listShutdownHistory(int sortOrder) {
    std::vector<ShutdownRecord> records;
    std::vector<HistoryRow> rows;
    if (!readShutdownHistory(sortOrder, records)) return rows;
    rows.reserve(records.size());
    // The dialog puts each record read at the top of its list.
    for (auto r = records.rbegin(); r != records.rend(); ++r) {
        const platform::LocalTime when = platform::fileTimeToLocalTime(r->time);
        rows.push_back({i18n::firstChars(r->warning, kListedWarningChars), r->node,
                        platform::formatPicture(when, kDatePicture),
                        platform::formatPicture(when, kTimePicture), r->time});
    }
    return rows;
}

std::vector<logging::DryerSample> readBlackBox(platform::FileTime stamp) {
    std::vector<BlackBox> boxes;
    std::lock_guard lock(gMutex);
    if (runOnHistory([&](Volume& volume, DatabaseId) { return readBlackBoxes(volume, boxes); }) !=
        platform::kStoreOk) {
        return {};
    }
    for (BlackBox& box : boxes) {
        if (box.shutdown == stamp) return std::move(box.samples);
    }
    return {};
}

uint32_t shutdownHistoryCount() {
    uint32_t count = 0;
    std::lock_guard lock(gMutex);
    if (runOnHistory([&](Volume& volume, DatabaseId id) {
            return volume.recordCount(id, count);
        }) != platform::kStoreOk) {
        return 0;
    }
    return count;
}

ExportResult exportShutdownHistory() {
    platform::File file = platform::openFile(kHistoryExportFile, platform::FileAccess::ReadWrite,
                                             platform::Disposition::OpenAlways);
    if (!file.isOpen()) return {};
    std::vector<ShutdownRecord> records;
    long mountError = platform::kStoreOk;
    const long e = readRecords(kSortByDateTime, records, mountError);
    if (mountError != platform::kStoreOk)
        return {false, withCode("ERROR: CeMountDBVol failed (%ld)", mountError)};
    if (e != platform::kStoreOk) return {false, handlerMessage(e)};
    if (!writeExport(file, records)) return {false, std::string(kExportWriteFailedText)};
    std::vector<BlackBox> boxes;
    {
        std::lock_guard lock(gMutex);
        const long b =
            runOnHistory([&](Volume& volume, DatabaseId) { return readBlackBoxes(volume, boxes); });
        if (b != platform::kStoreOk) return {false, handlerMessage(b)};
    }
    if (!writeBlackBoxExport(boxes)) return {false, std::string(kExportWriteFailedText)};
    return {true, {}};
}

bool clearShutdownHistory() {
    std::lock_guard lock(gMutex);
    gDatabase = 0;
    if (!platform::deleteVolume(kHistoryVolume)) return false;
    return runOnHistory([](Volume&, DatabaseId) { return platform::kStoreOk; }) ==
           platform::kStoreOk;
}

}  // namespace warnings
