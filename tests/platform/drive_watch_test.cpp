#include "platform/sys/drive_watch.h"

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "support/temp_dir.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

TEST(MountTable, MountPointsBelowTheFolderInMountOrder) {
    const std::string table =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "30 22 0:25 / /media rw,nosuid shared:9 - tmpfs tmpfs rw\n"
        "41 30 8:17 / /media/orvane-sdb1 rw,nosuid,nodev shared:20 - vfat /dev/sdb1 rw,uid=103\n"
        "42 22 8:33 / /mediaX/stick rw - vfat /dev/sdc1 rw\n"
        "43 30 8:49 / /media/MY\\040STICK rw master:4 - exfat /dev/sdd1 rw\n"
        "44 30 8:65 /sub /media/a/b\\134c ro - ext4 /dev/sde1 ro\n"
        "truncated line\n";
    EXPECT_EQ(mountPointsBelow(table, "/media/"),
              (std::vector<std::string>{"/media/orvane-sdb1", "/media/MY STICK", "/media/a/b\\c"}));
    EXPECT_TRUE(mountPointsBelow(table, "/mnt").empty());
    EXPECT_TRUE(mountPointsBelow("", "/media").empty());
}

// A small file system mounted for the length of a test, or nothing where the test may not mount.
class Mount {
  public:
    Mount(const fs::path& at, bool readOnly) : at_(at) {
        fs::create_directories(at);
        mounted_ = ::mount("tmpfs", at.c_str(), "tmpfs", readOnly ? MS_RDONLY : 0, "size=64k") == 0;
        if (!mounted_) error_ = std::strerror(errno);
    }
    ~Mount() { unmount(); }
    bool mounted() const { return mounted_; }
    const std::string& error() const { return error_; }
    void unmount() {
        if (mounted_) ::umount2(at_.c_str(), MNT_DETACH);
        mounted_ = false;
    }

  private:
    fs::path at_;
    bool mounted_ = false;
    std::string error_;
};

TEST(DriveWatch, FindsTheFirstWritableDriveWhenMountedAndLosesItWhenUnmounted) {
    testsupport::TempDir dir;
    const fs::path media = dir.path() / "media";
    fs::create_directories(media / "empty-folder");
    DriveWatch watch(media.string());
    EXPECT_EQ(watch.currentDrive(), "");  // a folder is no drive

    Mount readOnly(media / "locked", true);
    if (!readOnly.mounted())
        GTEST_SKIP() << "cannot mount a file system here: " << readOnly.error();
    EXPECT_EQ(watch.currentDrive(), "");  // nothing can be written there

    Mount first(media / "first", false);
    Mount second(media / "second", false);
    ASSERT_TRUE(first.mounted() && second.mounted());
    EXPECT_EQ(watch.currentDrive(), (media / "first").string());
    first.unmount();
    EXPECT_EQ(watch.currentDrive(), (media / "second").string());
    second.unmount();
    EXPECT_EQ(watch.currentDrive(), "");

    // Mounted again later: found again, by a watch that has already read the table.
    Mount again(media / "first", false);
    ASSERT_TRUE(again.mounted());
    EXPECT_EQ(watch.currentDrive(), (media / "first").string());
}

}  // namespace
}  // namespace platform
