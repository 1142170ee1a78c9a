#pragma once
// Files and folders by the panel's device paths. "\Hard Disk\..." is the flash disk under the
// panel root, "\Hard Disk2\..." the USB drive (absent folder = no drive); other paths, with or
// without a leading backslash, lie under the panel root. Path components match
// case-insensitively, as on the panel. Every failure is a return value.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock/clock.h"

namespace platform {

// Finds the USB drive's host folder at the moment it is used; empty when no drive is there.
using UsbDriveFinder = std::function<std::string()>;

// Sets the host folders behind the device paths. The USB drive is usbDir when given, else the
// folder the finder gives, else "<root>/Hard Disk2".
void configureDevicePaths(const std::string& rootDir, const std::string& usbDir,
                          UsbDriveFinder finder = {});
std::string panelRootDir();

// The host path behind a device path: existing components are found case-insensitively, the
// rest are kept as written. Empty for a path that tries to leave its device ("..").
std::string hostPath(std::string_view devicePath);

struct FileInfo {
    std::string name;  // the name as stored on the disk
    bool isFolder = false;
    uint64_t size = 0;
    FileTime creationTime = 0;   // UTC
    FileTime lastWriteTime = 0;  // UTC
};

// Attributes of a file or folder; nullopt when it does not exist.
std::optional<FileInfo> fileInfo(std::string_view devicePath);

// Creates one folder. An existing folder is no error; a missing parent is.
bool createFolder(std::string_view devicePath);
bool deleteFile(std::string_view devicePath);
// Copies a file; with failIfExists an existing target makes it fail and stay untouched.
bool copyFile(std::string_view from, std::string_view to, bool failIfExists);
// Flushes a folder's entries (files made, renamed or deleted in it) to the disk.
bool syncFolder(std::string_view devicePath);
// Renames a file or folder on the same device.
bool moveFile(std::string_view from, std::string_view to);

// Lists the folder entries matching the last component of `pattern` ('?' one character, '*' any
// run, case-insensitive); "." and ".." are never listed. The entries come oldest first by
// creation time, then by name, so that "the first listed" is the same on every run.
std::vector<FileInfo> listFolder(std::string_view pattern);

enum class FileAccess : unsigned { Read = 1, Write = 2, ReadWrite = 3 };
enum class Disposition {
    OpenExisting,  // fail when missing
    OpenAlways,    // open, or create when missing
    CreateAlways,  // create, or truncate an existing file
    CreateNew,     // create; fail when it exists
};
enum class SeekFrom { Begin, Current, End };

class File {
  public:
    File() = default;
    ~File();
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;

    bool isOpen() const { return fd_ >= 0; }
    // True when OpenAlways or CreateAlways found the file already there.
    bool existed() const { return existed_; }

    // Reads up to `size` bytes; `got` says how many came (fewer at the end of the file).
    bool read(void* buffer, size_t size, size_t& got);
    // Writes all bytes or fails.
    bool write(const void* buffer, size_t size);
    // Moves the file pointer; returns the new position or -1.
    int64_t seek(int64_t offset, SeekFrom from);
    int64_t size() const;
    // Cuts the file at the current position.
    bool truncateHere();
    // Flushes the file's data to the disk.
    bool sync();
    void close();

  private:
    friend File openFile(std::string_view, FileAccess, Disposition);
    int fd_ = -1;
    bool existed_ = false;
};

File openFile(std::string_view devicePath, FileAccess access, Disposition disposition);

// Reads a whole file of at most maxBytes; nullopt when it cannot be opened or is larger.
std::optional<std::vector<uint8_t>> readWholeFile(std::string_view devicePath, size_t maxBytes);

// Places a relative name of the program on the flash disk: "\Hard Disk\" + name when that
// folder exists (its attributes can be read), the name unchanged otherwise. Tested afresh on
// every call, so a disk that appears or goes is followed at once.
std::string dataRootPath(std::string_view relativeName);

// Matches a name against a '?' / '*' pattern, case-insensitively.
bool matchesPattern(std::string_view name, std::string_view pattern);

}  // namespace platform
