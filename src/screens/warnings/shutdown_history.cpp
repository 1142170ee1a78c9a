#include "screens/warnings/shutdown_history.h"

#include <cstdio>
#include <functional>
#include <mutex>

#include "i18n/language.h"
#include "i18n/text.h"
#include "platform/files/files.h"
#include "platform/store/store.h"

namespace warnings {
namespace {

using platform::DatabaseId;
using platform::Volume;

constexpr uint16_t kWarningProperty = 1;
constexpr uint16_t kNodeProperty = 2;
constexpr uint16_t kTimeProperty = 3;

constexpr std::string_view kDatePicture = "MMM dd',' yyy";
constexpr std::string_view kTimePicture = "h':'mm tt";
constexpr size_t kExportChunkBytes = 64 * 1024;

// One volume operation at a time: the exchange thread records while the user-interface thread
// lists, exports or clears. Also guards gDatabase.
std::mutex gMutex;
DatabaseId gDatabase = 0;  // remembered once found or created; 0 = look it up again

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

bool writeRecord(std::string warning, std::string node) {
    platform::Record record(3);
    record[0].id = kWarningProperty;
    record[0].text = i18n::firstChars(warning, kStoredWarningChars);
    record[1].id = kNodeProperty;
    record[1].text = std::move(node);
    record[2].id = kTimeProperty;
    record[2].type = platform::PropertyType::FileTime;
    record[2].time = platform::localTimeToFileTime(platform::localNow());
    std::lock_guard lock(gMutex);
    return runOnHistory([&](Volume& volume, DatabaseId id) {
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

}  // namespace

std::string exportLine(const ShutdownRecord& record) {
    const platform::LocalTime when = platform::fileTimeToLocalTime(record.time);
    return record.warning + ";" + record.node + ";" + platform::formatPicture(when, kDatePicture) +
           ";" + platform::formatPicture(when, kTimePicture) + ";\n";
}

bool openShutdownHistory() {
    std::lock_guard lock(gMutex);
    gDatabase = 0;
    return runOnHistory([](Volume& volume, DatabaseId) { return volume.check(); }) ==
           platform::kStoreOk;
}

bool recordShutdown(dryer::NodeId node, uint8_t warning) {
    std::string name;
    dryer::nodeNameInto(node, name);
    return writeRecord(i18n::GetWarningText(node, warning), std::move(name));
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
                        platform::formatPicture(when, kTimePicture)});
    }
    return rows;
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
