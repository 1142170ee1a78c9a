#pragma once
// Small services of the panel's system: an auto-reset event, the single-instance lock with its
// "come to the front" request, the memory status and the host's folder viewer.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

namespace platform {

// One set() releases one wait(); a set() with nobody waiting stays until the next wait().
class AutoResetEvent {
  public:
    void set();
    // Waits until set or closed; false once closed.
    bool wait();
    // Waits at most timeoutMs (real time); true when it was set.
    bool waitFor(int timeoutMs);
    // Wakes every waiter for good (orderly stop in tests and tools).
    void close();

  private:
    std::mutex mutex_;
    std::condition_variable cv_;
    bool signalled_ = false;
    bool closed_ = false;
};

// The one running copy of the display per panel root.
class InstanceLock {
  public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process is now the panel's one instance. False when another copy holds the
    // root, or when the lock cannot be made (a root that cannot be written): error() then says
    // why, and is empty when another copy holds it.
    bool acquire(const std::string& rootDir);
    const std::string& error() const { return error_; }
    // True (once per request) when a second copy asked this one to come to the front.
    bool takeFrontRequest();
    void release();

  private:
    int lockFd_ = -1;
    int fifoFd_ = -1;
    std::string rootDir_;
    std::string error_;
};

// Asks the copy that holds rootDir to come to the front; true when the request was delivered.
bool requestFrontOfFirstInstance(const std::string& rootDir);

struct MemoryStatus {
    uint64_t totalBytes = 0;
    uint64_t availableBytes = 0;
    int loadPercent = 0;
};

bool readMemoryStatus(MemoryStatus& status);

}  // namespace platform
