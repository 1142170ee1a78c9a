#include "platform/sys/sys.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace platform {
namespace {

std::string lockPath(const std::string& root) {
    return root + "/.orvane-display.lock";
}
std::string fifoPath(const std::string& root) {
    return root + "/.orvane-display.front";
}

}  // namespace

void AutoResetEvent::set() {
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    cv_.notify_one();
}

bool AutoResetEvent::wait() {
    std::unique_lock lock(mutex_);
    cv_.wait(lock, [this] { return signalled_ || closed_; });
    if (closed_) return false;
    signalled_ = false;
    return true;
}

bool AutoResetEvent::waitFor(int timeoutMs) {
    std::unique_lock lock(mutex_);
    cv_.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                 [this] { return signalled_ || closed_; });
    if (closed_ || !signalled_) return false;
    signalled_ = false;
    return true;
}

void AutoResetEvent::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    cv_.notify_all();
}

InstanceLock::~InstanceLock() {
    release();
}

bool InstanceLock::acquire(const std::string& rootDir) {
    release();
    error_.clear();
    const std::string path = lockPath(rootDir);
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        error_ = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) error_ = "cannot lock " + path + ": " + std::strerror(errno);
        ::close(fd);
        return false;
    }
    lockFd_ = fd;
    rootDir_ = rootDir;
    const std::string fifo = fifoPath(rootDir);
    ::unlink(fifo.c_str());
    if (::mkfifo(fifo.c_str(), 0600) == 0) {
        // Opened for reading and writing so that it never reports end-of-file between requests.
        fifoFd_ = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    }
    return true;
}

bool InstanceLock::takeFrontRequest() {
    if (fifoFd_ < 0) return false;
    char buffer[64];
    bool asked = false;
    while (::read(fifoFd_, buffer, sizeof buffer) > 0)
        asked = true;
    return asked;
}

void InstanceLock::release() {
    if (fifoFd_ >= 0) {
        ::close(fifoFd_);
        ::unlink(fifoPath(rootDir_).c_str());
    }
    if (lockFd_ >= 0) ::close(lockFd_);
    fifoFd_ = -1;
    lockFd_ = -1;
}

bool requestFrontOfFirstInstance(const std::string& rootDir) {
    const int fd = ::open(fifoPath(rootDir).c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::write(fd, "F", 1) == 1;
    ::close(fd);
    return ok;
}

bool readMemoryStatus(MemoryStatus& status) {
    std::ifstream in("/proc/meminfo");
    if (!in) return false;
    std::string line;
    uint64_t total = 0, available = 0;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string key;
        uint64_t kib = 0;
        fields >> key >> kib;
        if (key == "MemTotal:") total = kib * 1024;
        if (key == "MemAvailable:") available = kib * 1024;
    }
    if (total == 0) return false;
    status.totalBytes = total;
    status.availableBytes = available;
    status.loadPercent = static_cast<int>(100 - (available * 100) / total);
    return true;
}

}  // namespace platform
