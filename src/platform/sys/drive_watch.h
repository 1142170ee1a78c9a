#pragma once
// The USB drive found by itself: the first writable file system mounted below a folder (/media
// by default; whatever is mounted there is a removable drive by convention). The kernel's mount
// table is read only at the first question and again after the kernel reports that it changed,
// so asking costs one poll and nothing is scanned at start.

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The mount points of a mount table in the format of /proc/self/mountinfo that lie below
// `folder` (not the folder itself), in the order they were mounted.
std::vector<std::string> mountPointsBelow(std::string_view mountInfo, std::string_view folder);

class DriveWatch {
  public:
    explicit DriveWatch(std::string folder);
    ~DriveWatch();
    DriveWatch(const DriveWatch&) = delete;
    DriveWatch& operator=(const DriveWatch&) = delete;

    // The host folder of the first drive below the folder that this process may write to; empty
    // when there is none. Any thread.
    std::string currentDrive();

  private:
    bool tableChanged();
    void readTable();

    std::mutex mutex_;
    std::string folder_;
    int tableFd_ = -1;
    bool read_ = false;
    std::vector<std::string> mountPoints_;
};

}  // namespace platform
