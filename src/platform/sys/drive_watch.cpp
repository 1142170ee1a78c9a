#include "platform/sys/drive_watch.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr const char* kMountTable = "/proc/self/mountinfo";

// Mount points are written with spaces, tabs, newlines and backslashes as octal escapes.
std::string unescape(std::string_view field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        const auto octal = [&](size_t at) { return field[at] >= '0' && field[at] <= '7'; };
        if (field[i] == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) &&
            octal(i + 3)) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

// The fifth field of a mountinfo line: "id parent major:minor root mount-point options ...".
std::string_view mountPointField(std::string_view line) {
    size_t start = 0;
    for (int field = 0; field < 4; ++field) {
        start = line.find(' ', start);
        if (start == std::string_view::npos) return {};
        ++start;
    }
    const size_t end = line.find(' ', start);
    return end == std::string_view::npos ? std::string_view{} : line.substr(start, end - start);
}

std::string withoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

}  // namespace

std::vector<std::string> mountPointsBelow(std::string_view mountInfo, std::string_view folder) {
    std::string prefix = withoutTrailingSlashes(std::string(folder));
    if (prefix != "/") prefix += '/';
    std::vector<std::string> found;
    while (!mountInfo.empty()) {
        const size_t newline = mountInfo.find('\n');
        const std::string_view line = mountInfo.substr(0, newline);
        mountInfo =
            newline == std::string_view::npos ? std::string_view{} : mountInfo.substr(newline + 1);
        std::string point = unescape(mountPointField(line));
        if (point.size() > prefix.size() && point.starts_with(prefix))
            found.push_back(std::move(point));
    }
    return found;
}

DriveWatch::DriveWatch(std::string folder) : folder_(withoutTrailingSlashes(std::move(folder))) {}

DriveWatch::~DriveWatch() {
    if (tableFd_ >= 0) ::close(tableFd_);
}

std::string DriveWatch::currentDrive() {
    std::lock_guard lock(mutex_);
    if (!read_ || tableChanged()) readTable();
    for (const std::string& point : mountPoints_) {
        if (::access(point.c_str(), W_OK) == 0) return point;
    }
    return {};
}

// The kernel marks the open table with POLLPRI once per change of the mounts.
bool DriveWatch::tableChanged() {
    if (tableFd_ < 0) return true;
    pollfd watch{tableFd_, POLLPRI, 0};
    return ::poll(&watch, 1, 0) > 0 && (watch.revents & (POLLPRI | POLLERR)) != 0;
}

void DriveWatch::readTable() {
    if (tableFd_ < 0) tableFd_ = ::open(kMountTable, O_RDONLY | O_CLOEXEC);
    mountPoints_.clear();
    read_ = true;
    if (tableFd_ < 0 || ::lseek(tableFd_, 0, SEEK_SET) != 0) return;
    std::string table;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(tableFd_, buffer, sizeof buffer);
        if (got <= 0) break;
        table.append(buffer, static_cast<size_t>(got));
    }
    mountPoints_ = mountPointsBelow(table, folder_);
}

}  // namespace platform
