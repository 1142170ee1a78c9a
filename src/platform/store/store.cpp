#include "platform/store/store.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <set>

#include "platform/files/files.h"

namespace platform {
namespace {

// Marks a volume file as ours ("ORVN") and names the layout of its catalog.
constexpr int64_t kApplicationId = 0x4F52564E;
constexpr int64_t kFormatVersion = 1;

// The files SQLite may keep beside a volume while a write is under way.
constexpr std::string_view kCompanionSuffixes[] = {"-journal", "-wal", "-shm"};

constexpr const char* kCreateCatalog =
    "CREATE TABLE store_databases(oid INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE,"
    " type INTEGER NOT NULL);"
    "CREATE TABLE store_properties(oid INTEGER NOT NULL, id INTEGER NOT NULL,"
    " type INTEGER NOT NULL, PRIMARY KEY (oid, id)) WITHOUT ROWID;"
    "CREATE TABLE store_sort_keys(oid INTEGER NOT NULL, sort INTEGER NOT NULL,"
    " position INTEGER NOT NULL, property INTEGER NOT NULL,"
    " PRIMARY KEY (oid, sort, position)) WITHOUT ROWID;";

long openError(sqlite3* db) {
    switch (db == nullptr ? 0 : sqlite3_system_errno(db)) {
        case ENOENT:
        case ENOTDIR:
            return kStorePathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return kStoreAccessDenied;
        default:
            return kStoreOpenFailed;
    }
}

long errorOf(sqlite3* db, int rc) {
    switch (rc & 0xff) {
        case SQLITE_OK:
        case SQLITE_ROW:
        case SQLITE_DONE:
            return kStoreOk;
        case SQLITE_NOMEM:
            return kStoreNotEnoughMemory;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return kStoreSharingViolation;
        case SQLITE_PERM:
        case SQLITE_READONLY:
        case SQLITE_AUTH:
            return kStoreAccessDenied;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            return kStoreFileCorrupt;
        case SQLITE_FULL:
            return kStoreDiskFull;
        case SQLITE_IOERR:
            return kStoreIoError;
        case SQLITE_CANTOPEN:
            return openError(db);
        case SQLITE_CONSTRAINT:
        case SQLITE_MISMATCH:
        case SQLITE_RANGE:
        case SQLITE_TOOBIG:
            return kStoreInvalidParameter;
        default:
            return kStoreFailed;
    }
}

class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        rc_ = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    long error() const { return errorOf(db_, rc_); }
    bool bind(int index, int64_t value) {
        return keep(sqlite3_bind_int64(stmt_, index, static_cast<sqlite3_int64>(value)));
    }
    bool bind(int index, std::string_view text) {
        return keep(sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                                      SQLITE_TRANSIENT));
    }
    // True while a row is there; error() tells a failure from the end.
    bool step() {
        if (rc_ != SQLITE_OK && rc_ != SQLITE_ROW) return false;
        rc_ = sqlite3_step(stmt_);
        return rc_ == SQLITE_ROW;
    }
    // Runs a statement that returns no rows.
    long run() {
        step();
        return rc_ == SQLITE_DONE ? kStoreOk : error() == kStoreOk ? kStoreFailed : error();
    }
    int64_t integer(int column) const { return sqlite3_column_int64(stmt_, column); }
    bool isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }
    std::string text(int column) const {
        const auto* chars = sqlite3_column_text(stmt_, column);
        const int size = sqlite3_column_bytes(stmt_, column);
        return chars == nullptr ? std::string()
                                : std::string(reinterpret_cast<const char*>(chars), size);
    }

  private:
    bool keep(int rc) {
        if (rc_ == SQLITE_OK) rc_ = rc;
        return rc == SQLITE_OK;
    }

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    int rc_ = SQLITE_OK;
};

long exec(sqlite3* db, const char* sql) {
    return errorOf(db, sqlite3_exec(db, sql, nullptr, nullptr, nullptr));
}

long queryInteger(sqlite3* db, const std::string& sql, int64_t& value) {
    Statement query(db, sql);
    if (!query.step()) return query.error() == kStoreOk ? kStoreFailed : query.error();
    value = query.integer(0);
    return kStoreOk;
}

// Runs `body` inside a write transaction, committed when it succeeds and rolled back otherwise.
long inTransaction(sqlite3* db, const std::function<long()>& body) {
    if (long e = exec(db, "BEGIN IMMEDIATE")) return e;
    long e = body();
    if (e == kStoreOk) e = exec(db, "COMMIT");
    if (e != kStoreOk) exec(db, "ROLLBACK");
    return e;
}

std::string tableName(DatabaseId id) {
    return "records_" + std::to_string(id);
}
std::string columnName(uint16_t property) {
    return "p" + std::to_string(property);
}
const char* columnType(PropertyType type) {
    return type == PropertyType::String ? "TEXT" : "INTEGER";
}

bool validLayout(const DatabaseDef& def) {
    std::set<uint16_t> ids;
    for (const PropertyDef& p : def.properties) {
        if (p.id == 0 || !ids.insert(p.id).second) return false;
    }
    for (const auto& order : def.sortOrders) {
        std::set<uint16_t> keys;
        if (order.empty()) return false;
        for (uint16_t key : order) {
            if (ids.count(key) == 0 || !keys.insert(key).second) return false;
        }
    }
    return !def.name.empty() && !def.properties.empty();
}

long createRecordTable(sqlite3* db, DatabaseId id, const DatabaseDef& def) {
    std::string sql = "CREATE TABLE " + tableName(id) + "(";
    for (size_t i = 0; i < def.properties.size(); ++i) {
        if (i > 0) sql += ", ";
        sql += columnName(def.properties[i].id) + " " + columnType(def.properties[i].type);
    }
    sql += ");";
    for (size_t k = 0; k < def.sortOrders.size(); ++k) {
        sql += "CREATE INDEX " + tableName(id) + "_sort" + std::to_string(k) + " ON " +
               tableName(id) + "(";
        for (size_t i = 0; i < def.sortOrders[k].size(); ++i) {
            sql += (i > 0 ? ", " : "") + columnName(def.sortOrders[k][i]);
        }
        sql += ");";
    }
    return exec(db, sql.c_str());
}

long insertLayout(sqlite3* db, DatabaseId id, const DatabaseDef& def) {
    for (const PropertyDef& p : def.properties) {
        Statement insert(db, "INSERT INTO store_properties(oid, id, type) VALUES (?, ?, ?)");
        insert.bind(1, id);
        insert.bind(2, p.id);
        insert.bind(3, static_cast<int64_t>(p.type));
        if (long e = insert.run()) return e;
    }
    for (size_t k = 0; k < def.sortOrders.size(); ++k) {
        for (size_t i = 0; i < def.sortOrders[k].size(); ++i) {
            Statement insert(
                db,
                "INSERT INTO store_sort_keys(oid, sort, position, property) VALUES (?, ?, ?, ?)");
            insert.bind(1, id);
            insert.bind(2, static_cast<int64_t>(k));
            insert.bind(3, static_cast<int64_t>(i));
            insert.bind(4, def.sortOrders[k][i]);
            if (long e = insert.run()) return e;
        }
    }
    return createRecordTable(db, id, def);
}

}  // namespace

const PropertyDef* Volume::Layout::find(uint16_t id) const {
    auto it = std::find_if(properties.begin(), properties.end(),
                           [id](const PropertyDef& p) { return p.id == id; });
    return it == properties.end() ? nullptr : &*it;
}

Volume::~Volume() {
    dismount();
}

long Volume::mount(std::string_view devicePath) {
    dismount();
    const std::string host = hostPath(devicePath);
    if (host.empty()) return kStorePathNotFound;
    const int rc =
        sqlite3_open_v2(host.c_str(), &db_,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    return configure(errorOf(db_, rc));
}

long Volume::mountImage(std::span<const uint8_t> bytes) {
    dismount();
    long e = errorOf(db_, sqlite3_open_v2(":memory:", &db_,
                                          SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr));
    if (e == kStoreOk && !bytes.empty()) {
        // SQLite takes the copy and frees it with the connection.
        auto* copy = static_cast<unsigned char*>(sqlite3_malloc64(bytes.size()));
        if (copy == nullptr) {
            e = kStoreNotEnoughMemory;
        } else {
            std::copy(bytes.begin(), bytes.end(), copy);
            e = errorOf(db_, sqlite3_deserialize(
                                 db_, "main", copy, static_cast<sqlite3_int64>(bytes.size()),
                                 static_cast<sqlite3_int64>(bytes.size()),
                                 SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE));
        }
    }
    return configure(e);
}

long Volume::configure(long e) {
    if (e == kStoreOk) {
        sqlite3_busy_timeout(db_, 5000);
        // A rollback journal keeps the volume one file at rest; EXTRA also syncs the folder after
        // the journal is deleted, so a write that returned is kept through a power loss.
        // The file is read as data, never as program: nothing it holds may run functions, and
        // damaged pages are caught as early as SQLite can.
        sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
        e = exec(db_,
                 "PRAGMA journal_mode = DELETE; PRAGMA synchronous = EXTRA;"
                 " PRAGMA trusted_schema = OFF; PRAGMA cell_size_check = ON;");
    }
    if (e == kStoreOk) e = prepareCatalog();
    if (e != kStoreOk) dismount();
    return e;
}

void Volume::dismount() {
    sqlite3_close_v2(db_);
    db_ = nullptr;
    layouts_.clear();
}

// A new (empty) file gets the catalog; a file that is another SQLite database, or a volume of an
// unknown layout, counts as damaged.
long Volume::prepareCatalog() {
    int64_t application = 0, version = 0, objects = 0;
    auto inspect = [&]() -> long {
        if (long e = queryInteger(db_, "PRAGMA application_id", application)) return e;
        if (long e = queryInteger(db_, "PRAGMA user_version", version)) return e;
        return queryInteger(db_, "SELECT count(*) FROM sqlite_schema", objects);
    };
    if (long e = inspect()) return e;
    if (application == kApplicationId && version == kFormatVersion) return kStoreOk;
    if (application != 0 || version != 0 || objects != 0) return kStoreFileCorrupt;
    return inTransaction(db_, [&]() -> long {
        if (long e = inspect()) return e;
        if (application == kApplicationId && version == kFormatVersion)
            return kStoreOk;  // a racing mount made it
        if (application != 0 || version != 0 || objects != 0) return kStoreFileCorrupt;
        const std::string stamp = "PRAGMA application_id = " + std::to_string(kApplicationId) +
                                  "; PRAGMA user_version = " + std::to_string(kFormatVersion);
        if (long e = exec(db_, kCreateCatalog)) return e;
        return exec(db_, stamp.c_str());
    });
}

long Volume::check() {
    if (!isMounted()) return kStoreInvalidParameter;
    Statement query(db_, "PRAGMA integrity_check(1)");
    if (!query.step()) return query.error() == kStoreOk ? kStoreFailed : query.error();
    return query.text(0) == "ok" ? kStoreOk : kStoreFileCorrupt;
}

long Volume::findDatabase(std::string_view name, DatabaseId& id) {
    if (!isMounted()) return kStoreInvalidParameter;
    Statement query(db_, "SELECT oid FROM store_databases WHERE name = ?");
    query.bind(1, name);
    if (!query.step()) return query.error() == kStoreOk ? kStoreFileNotFound : query.error();
    id = query.integer(0);
    return kStoreOk;
}

long Volume::createDatabase(const DatabaseDef& def, DatabaseId& id) {
    if (!isMounted() || !validLayout(def)) return kStoreInvalidParameter;
    return inTransaction(db_, [&]() -> long {
        Statement insert(db_, "INSERT INTO store_databases(name, type) VALUES (?, ?)");
        insert.bind(1, def.name);
        insert.bind(2, static_cast<int64_t>(def.type));
        if (long e = insert.run()) return e;
        const DatabaseId created = sqlite3_last_insert_rowid(db_);
        if (long e = insertLayout(db_, created, def)) return e;
        id = created;
        return kStoreOk;
    });
}

long Volume::layoutOf(DatabaseId id, const Layout*& layout) {
    auto it = layouts_.find(id);
    if (it == layouts_.end()) {
        Layout read;
        if (long e = loadLayout(id, read)) return e;
        it = layouts_.emplace(id, std::move(read)).first;
    }
    layout = &it->second;
    return kStoreOk;
}

// Reads a database's layout from the catalog. The catalog comes from a file and is checked
// before any name is built from it: a layout that does not hold together means damage.
long Volume::loadLayout(DatabaseId id, Layout& layout) {
    if (!isMounted()) return kStoreInvalidParameter;
    int64_t found = 0;
    if (long e = queryInteger(
            db_, "SELECT count(*) FROM store_databases WHERE oid = " + std::to_string(id), found)) {
        return e;
    }
    if (found == 0) return kStoreFileNotFound;

    Statement properties(db_, "SELECT id, type FROM store_properties WHERE oid = ? ORDER BY id");
    properties.bind(1, id);
    while (properties.step()) {
        const int64_t pid = properties.integer(0), type = properties.integer(1);
        if (pid < 1 || pid > 65535 || (type != 0 && type != 1)) return kStoreFileCorrupt;
        layout.properties.push_back({static_cast<uint16_t>(pid), static_cast<PropertyType>(type)});
    }
    if (long e = properties.error()) return e;

    Statement keys(db_,
                   "SELECT sort, position, property FROM store_sort_keys WHERE oid = ? ORDER BY "
                   "sort, position");
    keys.bind(1, id);
    while (keys.step()) {
        const int64_t sort = keys.integer(0), position = keys.integer(1),
                      property = keys.integer(2);
        const auto orders = static_cast<int64_t>(layout.sortOrders.size());
        if (sort == orders) layout.sortOrders.emplace_back();
        if (sort != static_cast<int64_t>(layout.sortOrders.size()) - 1 ||
            position != static_cast<int64_t>(layout.sortOrders.back().size()) || property < 1 ||
            property > 65535 || layout.find(static_cast<uint16_t>(property)) == nullptr) {
            return kStoreFileCorrupt;
        }
        layout.sortOrders.back().push_back(static_cast<uint16_t>(property));
    }
    if (long e = keys.error()) return e;

    // The pragma itself, not its table-valued form, which makes a virtual table for each query.
    // The name is quoted: an id from a damaged catalog may be negative.
    std::set<std::string> columns;
    Statement info(db_, "PRAGMA table_info(\"" + tableName(id) + "\")");
    while (info.step())
        columns.insert(info.text(1));  // cid, name, type, ...
    if (long e = info.error()) return e;
    for (const PropertyDef& p : layout.properties) {
        if (columns.count(columnName(p.id)) == 0) return kStoreFileCorrupt;
    }
    return layout.properties.empty() ? kStoreFileCorrupt : kStoreOk;
}

long Volume::recordCount(DatabaseId id, uint32_t& count) {
    const Layout* layout = nullptr;
    if (long e = layoutOf(id, layout)) return e;
    int64_t rows = 0;
    if (long e = queryInteger(db_, "SELECT count(*) FROM " + tableName(id), rows)) return e;
    count = static_cast<uint32_t>(std::min<int64_t>(rows, std::numeric_limits<uint32_t>::max()));
    return kStoreOk;
}

long Volume::writeRecord(DatabaseId id, const Record& record) {
    const Layout* layout = nullptr;
    if (long e = layoutOf(id, layout)) return e;
    std::set<uint16_t> seen;
    std::string columns, values;
    for (const Property& p : record) {
        const PropertyDef* def = layout->find(p.id);
        if (def == nullptr || def->type != p.type || !seen.insert(p.id).second)
            return kStoreInvalidParameter;
        columns += (columns.empty() ? "" : ", ") + columnName(p.id);
        values += values.empty() ? "?" : ", ?";
    }
    const std::string sql = record.empty() ? "INSERT INTO " + tableName(id) + " DEFAULT VALUES"
                                           : "INSERT INTO " + tableName(id) + "(" + columns +
                                                 ") VALUES (" + values + ")";
    Statement insert(db_, sql);
    for (size_t i = 0; i < record.size(); ++i) {
        const Property& p = record[i];
        const int index = static_cast<int>(i) + 1;
        if (p.type == PropertyType::String) {
            insert.bind(index, p.text);
        } else {
            insert.bind(index, static_cast<int64_t>(p.time));
        }
    }
    return insert.run();
}

long Volume::readRecords(DatabaseId id, size_t sortOrder,
                         const std::function<void(const Record&)>& visit) {
    const Layout* found = nullptr;
    if (long e = layoutOf(id, found)) return e;
    const Layout& layout = *found;
    if (sortOrder >= layout.sortOrders.size()) return kStoreInvalidParameter;
    std::string columns, order;
    for (const PropertyDef& p : layout.properties)
        columns += (columns.empty() ? "" : ", ") + columnName(p.id);
    for (uint16_t key : layout.sortOrders[sortOrder])
        order += columnName(key) + ", ";
    // The rowid, the last column of every index, keeps records with equal keys in writing order.
    Statement query(
        db_, "SELECT " + columns + " FROM " + tableName(id) + " ORDER BY " + order + "rowid");
    Record record;
    while (query.step()) {
        record.clear();
        for (size_t c = 0; c < layout.properties.size(); ++c) {
            const int column = static_cast<int>(c);
            if (query.isNull(column)) continue;
            Property p;
            p.id = layout.properties[c].id;
            p.type = layout.properties[c].type;
            if (p.type == PropertyType::String) {
                p.text = query.text(column);
            } else {
                p.time = static_cast<FileTime>(query.integer(column));
            }
            record.push_back(std::move(p));
        }
        visit(record);
    }
    return query.error();
}

bool removeStaleJournal(std::string_view devicePath) {
    const std::string journal = std::string(devicePath) + "-journal";
    const auto info = fileInfo(journal);
    if (!info.has_value()) return false;
    // A header of zeros marks a journal whose transaction was committed: SQLite never plays it
    // back. Anything else may still be needed to roll back a write and stays.
    constexpr size_t kHeaderBytes = 28;
    uint8_t header[kHeaderBytes] = {};
    size_t got = 0;
    {
        File file = openFile(journal, FileAccess::Read, Disposition::OpenExisting);
        const size_t want = static_cast<size_t>(std::min<uint64_t>(info->size, kHeaderBytes));
        if (!file.isOpen() || !file.read(header, want, got) || got != want) return false;
    }
    if (std::any_of(header, header + got, [](uint8_t b) { return b != 0; })) return false;
    return deleteFile(journal);
}

bool deleteVolume(std::string_view devicePath) {
    bool gone = true;
    auto remove = [&gone](const std::string& path) {
        if (fileInfo(path).has_value() && !deleteFile(path)) gone = false;
    };
    remove(std::string(devicePath));
    for (std::string_view suffix : kCompanionSuffixes)
        remove(std::string(devicePath) + std::string(suffix));
    return gone;
}

bool moveVolume(std::string_view from, std::string_view to) {
    const std::string source(from), target(to);
    if (fileInfo(target).has_value()) return false;
    for (std::string_view suffix : kCompanionSuffixes) {
        if (fileInfo(target + std::string(suffix)).has_value()) return false;
    }
    if (!moveFile(source, target)) return false;
    bool moved = true;
    for (std::string_view suffix : kCompanionSuffixes) {
        const std::string companion = source + std::string(suffix);
        if (fileInfo(companion).has_value() && !moveFile(companion, target + std::string(suffix)))
            moved = false;
    }
    return moved;
}

}  // namespace platform
