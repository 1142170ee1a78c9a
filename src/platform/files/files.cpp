#include "platform/files/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <mutex>

namespace platform {
namespace {

// Where the file system keeps no birth time, the program stamps the files it creates with this
// attribute (seconds and nanoseconds, host time); files without either fall back to their last
// write time.
constexpr const char* kBirthAttribute = "user.orvane.btime";

std::mutex gConfigMutex;
std::string gRoot = ".";
std::string gUsb;
std::shared_ptr<const UsbDriveFinder> gUsbFinder;

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool equalsFolded(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return lower(x) == lower(y); });
}

std::vector<std::string> splitComponents(std::string_view path) {
    std::vector<std::string> parts;
    std::string current;
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!current.empty()) parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) parts.push_back(std::move(current));
    return parts;
}

// The entry of `dir` whose name matches `component` case-insensitively, or the component as
// written when none does.
std::string resolveComponent(const std::string& dir, const std::string& component) {
    struct stat st {};
    if (::lstat((dir + "/" + component).c_str(), &st) == 0) return component;
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) return component;
    std::string found = component;
    while (const dirent* e = ::readdir(d)) {
        if (equalsFolded(e->d_name, component)) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found;
}

std::string joinResolved(std::string base, const std::vector<std::string>& parts, size_t first) {
    for (size_t i = first; i < parts.size(); ++i) {
        base += "/" + resolveComponent(base, parts[i]);
    }
    return base;
}

FileTime toFileTime(const struct timespec& ts) {
    return unixToFileTime(ts.tv_sec, ts.tv_nsec);
}

void stampBirth(int fd) {
    struct timespec now {};
    clock_gettime(CLOCK_REALTIME, &now);
    const int64_t stamp[2] = {static_cast<int64_t>(now.tv_sec), static_cast<int64_t>(now.tv_nsec)};
    ::fsetxattr(fd, kBirthAttribute, stamp, sizeof stamp, 0);
}

FileTime birthTime(const std::string& host, const struct stat& st) {
    struct statx sx {};
    if (::statx(AT_FDCWD, host.c_str(), 0, STATX_BTIME, &sx) == 0 && (sx.stx_mask & STATX_BTIME) &&
        sx.stx_btime.tv_sec != 0) {
        return unixToFileTime(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec);
    }
    int64_t stamp[2] = {0, 0};
    if (::getxattr(host.c_str(), kBirthAttribute, stamp, sizeof stamp) == sizeof stamp) {
        return unixToFileTime(stamp[0], stamp[1]);
    }
    return toFileTime(st.st_mtim);
}

std::optional<FileInfo> infoOfHost(const std::string& host, std::string name) {
    struct stat st {};
    if (::stat(host.c_str(), &st) != 0) return std::nullopt;
    FileInfo info;
    info.name = std::move(name);
    info.isFolder = S_ISDIR(st.st_mode);
    info.size = info.isFolder ? 0 : static_cast<uint64_t>(st.st_size);
    info.creationTime = birthTime(host, st);
    info.lastWriteTime = toFileTime(st.st_mtim);
    return info;
}

std::string lastComponent(const std::string& host) {
    const size_t slash = host.rfind('/');
    return slash == std::string::npos ? host : host.substr(slash + 1);
}

}  // namespace

void configureDevicePaths(const std::string& rootDir, const std::string& usbDir,
                          UsbDriveFinder finder) {
    std::lock_guard lock(gConfigMutex);
    gUsbFinder = finder ? std::make_shared<const UsbDriveFinder>(std::move(finder)) : nullptr;
    gRoot = rootDir.empty() ? "." : rootDir;
    while (gRoot.size() > 1 && gRoot.back() == '/')
        gRoot.pop_back();
    gUsb = usbDir;
}

std::string panelRootDir() {
    std::lock_guard lock(gConfigMutex);
    return gRoot;
}

std::string hostPath(std::string_view devicePath) {
    const std::vector<std::string> parts = splitComponents(devicePath);
    for (const std::string& part : parts) {
        if (part == "..") return {};
    }
    std::string root, usb;
    std::shared_ptr<const UsbDriveFinder> finder;
    {
        std::lock_guard lock(gConfigMutex);
        root = gRoot;
        usb = gUsb;
        finder = gUsbFinder;
    }
    if (!parts.empty() && equalsFolded(parts[0], "Hard Disk2")) {
        // Asked outside the lock: the finder may read the mount table.
        if (usb.empty() && finder) usb = (*finder)();
        if (!usb.empty()) return joinResolved(usb, parts, 1);
        return joinResolved(root + "/Hard Disk2", parts, 1);
    }
    return joinResolved(root, parts, 0);
}

std::optional<FileInfo> fileInfo(std::string_view devicePath) {
    const std::string host = hostPath(devicePath);
    if (host.empty()) return std::nullopt;
    return infoOfHost(host, lastComponent(host));
}

bool createFolder(std::string_view devicePath) {
    const std::string host = hostPath(devicePath);
    if (host.empty()) return false;
    if (::mkdir(host.c_str(), 0755) == 0) return true;
    struct stat st {};
    return errno == EEXIST && ::stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool deleteFile(std::string_view devicePath) {
    const std::string host = hostPath(devicePath);
    struct stat st {};
    if (host.empty() || ::lstat(host.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
    return ::unlink(host.c_str()) == 0;
}

bool copyFile(std::string_view from, std::string_view to, bool failIfExists) {
    File source = openFile(from, FileAccess::Read, Disposition::OpenExisting);
    if (!source.isOpen()) return false;
    File target = openFile(to, FileAccess::Write,
                           failIfExists ? Disposition::CreateNew : Disposition::CreateAlways);
    if (!target.isOpen()) return false;
    char buffer[64 * 1024];
    for (;;) {
        size_t got = 0;
        if (!source.read(buffer, sizeof buffer, got)) return false;
        if (got == 0) break;
        if (!target.write(buffer, got)) return false;
    }
    return target.sync();
}

bool syncFolder(std::string_view devicePath) {
    const std::string host = hostPath(devicePath);
    if (host.empty()) return false;
    const int fd = ::open(host.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

bool moveFile(std::string_view from, std::string_view to) {
    const std::string source = hostPath(from);
    const std::string target = hostPath(to);
    struct stat st {};
    if (source.empty() || target.empty() || ::lstat(target.c_str(), &st) == 0) return false;
    return std::rename(source.c_str(), target.c_str()) == 0;
}

std::string dataRootPath(std::string_view relativeName) {
    if (fileInfo("\\Hard Disk")) return "\\Hard Disk\\" + std::string(relativeName);
    return std::string(relativeName);
}

bool matchesPattern(std::string_view name, std::string_view pattern) {
    size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    // "*.*" matches names without a dot too, as on the panel.
    return p == pattern.size() || pattern.substr(p) == ".*";
}

std::vector<FileInfo> listFolder(std::string_view pattern) {
    std::vector<std::string> parts = splitComponents(pattern);
    std::vector<FileInfo> entries;
    if (parts.empty()) return entries;
    const std::string filter = parts.back();
    parts.pop_back();
    std::string folderDevice;
    for (const std::string& part : parts)
        folderDevice += "\\" + part;
    const std::string folder = hostPath(folderDevice.empty() ? "\\" : folderDevice);
    DIR* d = folder.empty() ? nullptr : ::opendir(folder.c_str());
    if (d == nullptr) return entries;
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name == "." || name == ".." || !matchesPattern(name, filter)) continue;
        if (auto info = infoOfHost(folder + "/" + name, name)) entries.push_back(std::move(*info));
    }
    ::closedir(d);
    std::sort(entries.begin(), entries.end(), [](const FileInfo& a, const FileInfo& b) {
        return a.creationTime != b.creationTime ? a.creationTime < b.creationTime : a.name < b.name;
    });
    return entries;
}

File::~File() {
    close();
}

File::File(File&& other) noexcept : fd_(other.fd_), existed_(other.existed_) {
    other.fd_ = -1;
}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        close();
        fd_ = other.fd_;
        existed_ = other.existed_;
        other.fd_ = -1;
    }
    return *this;
}

bool File::read(void* buffer, size_t size, size_t& got) {
    got = 0;
    if (fd_ < 0) return false;
    auto* out = static_cast<char*>(buffer);
    while (got < size) {
        const ssize_t n = ::read(fd_, out + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    return true;
}

bool File::write(const void* buffer, size_t size) {
    if (fd_ < 0) return false;
    const auto* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd_, in + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

int64_t File::seek(int64_t offset, SeekFrom from) {
    if (fd_ < 0) return -1;
    const int whence = from == SeekFrom::Begin     ? SEEK_SET
                       : from == SeekFrom::Current ? SEEK_CUR
                                                   : SEEK_END;
    return ::lseek(fd_, static_cast<off_t>(offset), whence);
}

int64_t File::size() const {
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0) return -1;
    return st.st_size;
}

bool File::truncateHere() {
    if (fd_ < 0) return false;
    const off_t here = ::lseek(fd_, 0, SEEK_CUR);
    return here >= 0 && ::ftruncate(fd_, here) == 0;
}

bool File::sync() {
    return fd_ >= 0 && ::fdatasync(fd_) == 0;
}

void File::close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

File openFile(std::string_view devicePath, FileAccess access, Disposition disposition) {
    File file;
    const std::string host = hostPath(devicePath);
    if (host.empty()) return file;
    int flags = O_CLOEXEC;
    switch (access) {
        case FileAccess::Read:
            flags |= O_RDONLY;
            break;
        case FileAccess::Write:
            flags |= O_WRONLY;
            break;
        case FileAccess::ReadWrite:
            flags |= O_RDWR;
            break;
    }
    struct stat st {};
    const bool existed = ::stat(host.c_str(), &st) == 0;
    if (existed && S_ISDIR(st.st_mode)) return file;
    switch (disposition) {
        case Disposition::OpenExisting:
            break;
        case Disposition::OpenAlways:
            flags |= O_CREAT;
            break;
        case Disposition::CreateAlways:
            flags |= O_CREAT | O_TRUNC;
            break;
        case Disposition::CreateNew:
            flags |= O_CREAT | O_EXCL;
            break;
    }
    const int fd = ::open(host.c_str(), flags, 0644);
    if (fd < 0) return file;
    file.fd_ = fd;
    file.existed_ = existed;
    if (!existed) stampBirth(fd);
    return file;
}

std::optional<std::vector<uint8_t>> readWholeFile(std::string_view devicePath, size_t maxBytes) {
    File file = openFile(devicePath, FileAccess::Read, Disposition::OpenExisting);
    const int64_t size = file.size();
    if (size < 0 || static_cast<uint64_t>(size) > maxBytes) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    size_t got = 0;
    if (!file.read(bytes.data(), bytes.size(), got)) return std::nullopt;
    bytes.resize(got);
    return bytes;
}

}  // namespace platform
