#pragma once
// A durable first-in, first-out queue of messages in one SQLite file on the flash disk: what the
// telemetry has still to deliver. A message added survives a power cut and a restart until it
// is taken off after delivery; the order is the order of adding.

#include <cstdint>
#include <optional>
#include <string>

struct sqlite3;

namespace platform {

struct OutboxMessage {
    int64_t id = 0;  // grows with every message added, never reused
    std::string payload;
};

class Outbox {
  public:
    Outbox() = default;
    ~Outbox();
    Outbox(const Outbox&) = delete;
    Outbox& operator=(const Outbox&) = delete;

    // Opens the queue in the file at the device path, making it when missing. A file that is not
    // such a queue, or is damaged, is renamed "<name>.damaged" and a fresh one made.
    bool open(const std::string& devicePath);
    // Adds a message; its id, or 0 when it could not be written.
    int64_t add(const std::string& payload);
    // The oldest message still queued.
    std::optional<OutboxMessage> front();
    bool remove(int64_t id);
    int64_t size();
    void close();

  private:
    bool prepare();
    sqlite3* db_ = nullptr;
};

}  // namespace platform
