#pragma once
// The panel's record database. A volume is one file on a device path holding named databases;
// a database holds records, each a set of typed properties, and keeps them in a few sort orders
// fixed when it is created. Every write is one transaction that survives a crash or a power loss.
//
// On SQLite: the volume is one SQLite file, a database a table, a sort order an index. A Volume
// object is a mount: open it, work, dismount. Use one Volume from one thread at a time; several
// mounts of the same file (from several threads or processes) may exist together.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock/clock.h"

struct sqlite3;

namespace platform {

// Error codes as the panel's system reports them; 0 is success.
inline constexpr long kStoreOk = 0;
inline constexpr long kStoreFileNotFound = 2;
inline constexpr long kStorePathNotFound = 3;
inline constexpr long kStoreAccessDenied = 5;
inline constexpr long kStoreNotEnoughMemory = 8;
inline constexpr long kStoreSharingViolation = 32;
inline constexpr long kStoreInvalidParameter = 87;
inline constexpr long kStoreOpenFailed = 110;
inline constexpr long kStoreDiskFull = 112;
inline constexpr long kStoreIoError = 1117;
inline constexpr long kStoreFileCorrupt = 1392;
inline constexpr long kStoreFailed = 1627;

enum class PropertyType : uint8_t { String = 0, FileTime = 1 };

struct PropertyDef {
    uint16_t id = 0;  // 1 to 65535
    PropertyType type = PropertyType::String;
};

struct DatabaseDef {
    std::string name;
    uint32_t type = 0;
    std::vector<PropertyDef> properties;
    // Property ids of each sort order. Records sort ascending on each key in turn, strings by
    // their characters' code points (so case-sensitively), records with equal keys in the order
    // they were written. Keys need not be unique.
    std::vector<std::vector<uint16_t>> sortOrders;
};

using DatabaseId = int64_t;  // a database's object id, above 0

struct Property {
    uint16_t id = 0;
    PropertyType type = PropertyType::String;
    std::string text;   // UTF-8, for String
    FileTime time = 0;  // for FileTime
};

// The properties of one record; a property the record does not hold is simply absent.
using Record = std::vector<Property>;

class Volume {
  public:
    Volume() = default;
    ~Volume();
    Volume(const Volume&) = delete;
    Volume& operator=(const Volume&) = delete;

    // Opens the volume file, creating an empty volume when it does not exist. A file that is not
    // a volume or whose first page is damaged gives kStoreFileCorrupt.
    long mount(std::string_view devicePath);
    // Mounts a copy of a volume file's bytes held in memory (checks, fuzzing); nothing goes to a
    // file. Empty bytes make a new, empty volume.
    long mountImage(std::span<const uint8_t> bytes);
    void dismount();
    bool isMounted() const { return db_ != nullptr; }

    // Reads the whole file and checks its structure: kStoreFileCorrupt when anything is wrong.
    long check();

    // kStoreFileNotFound when no database has that name.
    long findDatabase(std::string_view name, DatabaseId& id);
    // kStoreInvalidParameter for a bad layout or a name already in use.
    long createDatabase(const DatabaseDef& def, DatabaseId& id);
    long recordCount(DatabaseId id, uint32_t& count);
    // Writes a new record. Every property must be one of the database's, with its type.
    long writeRecord(DatabaseId id, const Record& record);
    // Calls `visit` for every record in the order of sort order number `sortOrder`.
    long readRecords(DatabaseId id, size_t sortOrder,
                     const std::function<void(const Record&)>& visit);

  private:
    struct Layout {
        std::vector<PropertyDef> properties;
        std::vector<std::vector<uint16_t>> sortOrders;

        const PropertyDef* find(uint16_t id) const;
    };
    // A database's layout, read from the catalog at its first use in a mount: it is fixed when
    // the database is made, and reading it is most of the work of a small read.
    long layoutOf(DatabaseId id, const Layout*& layout);
    long loadLayout(DatabaseId id, Layout& layout);
    long prepareCatalog();
    long configure(long openResult);

    sqlite3* db_ = nullptr;
    std::map<DatabaseId, Layout> layouts_;
};

// Deletes a volume file together with the journal an interrupted write may have left beside it.
// True when nothing of the volume is left.
bool deleteVolume(std::string_view devicePath);
// Deletes the rollback journal beside a volume when its header is all zeros: left by a write
// that was killed after it had committed, and never needed again. Only while no write is under
// way. True when such a journal was deleted.
bool removeStaleJournal(std::string_view devicePath);
// Renames a volume file and its journal. Fails, leaving everything in place, when the target
// exists.
bool moveVolume(std::string_view from, std::string_view to);

}  // namespace platform
