#include "platform/store/outbox.h"

#include <sqlite3.h>

#include <filesystem>

#include "platform/files/files.h"

namespace platform {
namespace {

constexpr int kOutboxApplicationId = 0x4F52564F;  // "ORVO"

bool exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

int64_t queryInteger(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    int64_t value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        value = sqlite3_column_int64(statement, 0);
    }
    sqlite3_finalize(statement);
    return value;
}

}  // namespace

Outbox::~Outbox() {
    close();
}

void Outbox::close() {
    if (db_) sqlite3_close(db_);
    db_ = nullptr;
}

bool Outbox::prepare() {
    // The same durability as the shutdown history: a rollback journal, synced before and after.
    if (!exec(db_,
              "PRAGMA journal_mode = DELETE; PRAGMA synchronous = EXTRA;"
              " PRAGMA trusted_schema = OFF; PRAGMA cell_size_check = ON;")) {
        return false;
    }
    sqlite3_db_config(db_, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    const int64_t application = queryInteger(db_, "PRAGMA application_id");
    const int64_t tables = queryInteger(db_, "SELECT count(*) FROM sqlite_master");
    if (application == 0 && tables == 0) {
        return exec(db_,
                    "PRAGMA application_id = 1330796111;"
                    " CREATE TABLE outbox (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                    " payload TEXT NOT NULL)");
    }
    return application == kOutboxApplicationId &&
           queryInteger(db_, "SELECT count(*) FROM outbox") >= 0;
}

bool Outbox::open(const std::string& devicePath) {
    close();
    const std::string host = hostPath(devicePath);
    if (host.empty()) return false;
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (sqlite3_open_v2(host.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) == SQLITE_OK &&
            prepare()) {
            return true;
        }
        close();
        // Keep a damaged file for inspection and start afresh.
        std::error_code error;
        std::filesystem::rename(host, host + ".damaged", error);
        std::filesystem::remove(host + "-journal", error);
    }
    return false;
}

int64_t Outbox::add(const std::string& payload) {
    if (!db_) return 0;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, "INSERT INTO outbox (payload) VALUES (?)", -1, &statement,
                           nullptr) != SQLITE_OK) {
        return 0;
    }
    sqlite3_bind_text(statement, 1, payload.data(), static_cast<int>(payload.size()),
                      SQLITE_TRANSIENT);
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_finalize(statement);
    return done ? sqlite3_last_insert_rowid(db_) : 0;
}

std::optional<OutboxMessage> Outbox::front() {
    if (!db_) return std::nullopt;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, "SELECT id, payload FROM outbox ORDER BY id LIMIT 1", -1,
                           &statement, nullptr) != SQLITE_OK) {
        return std::nullopt;
    }
    std::optional<OutboxMessage> message;
    if (sqlite3_step(statement) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 1));
        message = OutboxMessage{sqlite3_column_int64(statement, 0),
                                text ? std::string(text, sqlite3_column_bytes(statement, 1)) : ""};
    }
    sqlite3_finalize(statement);
    return message;
}

bool Outbox::remove(int64_t id) {
    if (!db_) return false;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, "DELETE FROM outbox WHERE id = ?", -1, &statement, nullptr) !=
        SQLITE_OK) {
        return false;
    }
    sqlite3_bind_int64(statement, 1, id);
    const bool done = sqlite3_step(statement) == SQLITE_DONE;
    sqlite3_finalize(statement);
    return done;
}

int64_t Outbox::size() {
    return db_ ? queryInteger(db_, "SELECT count(*) FROM outbox") : -1;
}

}  // namespace platform
