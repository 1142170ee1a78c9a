#include "platform/files/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

namespace platform {
namespace {

class Files : public ::testing::Test {
  protected:
    void SetUp() override { configureDevicePaths(root.str(), ""); }
    testsupport::TempDir root;
};

std::vector<std::string> names(const std::vector<FileInfo>& entries) {
    std::vector<std::string> out;
    for (const auto& e : entries)
        out.push_back(e.name + (e.isFolder ? "/" : ""));
    return out;
}

TEST_F(Files, DevicePathsMapCaseInsensitivelyAndStayInsideTheirDevice) {
    root.write("Hard Disk/Manuals/Guide.pdf", "pdf");
    EXPECT_EQ(hostPath("\\hard disk\\manuals"), root.str() + "/Hard Disk/Manuals");
    EXPECT_EQ(hostPath("\\HARD DISK\\MANUALS\\guide.PDF"),
              root.str() + "/Hard Disk/Manuals/Guide.pdf");
    EXPECT_EQ(hostPath("Hard Disk\\Manuals\\new.txt"), root.str() + "/Hard Disk/Manuals/new.txt");
    EXPECT_EQ(hostPath("\\"), root.str());
    EXPECT_EQ(hostPath("\\Hard Disk2\\x.txt"), root.str() + "/Hard Disk2/x.txt");
    EXPECT_EQ(hostPath("\\Hard Disk\\..\\..\\etc\\passwd"), "");
    EXPECT_FALSE(fileInfo("\\Hard Disk\\..\\Hard Disk").has_value());

    testsupport::TempDir usb;
    usb.write("Export/a.txt", "a");
    configureDevicePaths(root.str(), usb.str());
    EXPECT_EQ(hostPath("\\hard disk2\\export\\A.TXT"), usb.str() + "/Export/a.txt");
    EXPECT_EQ(hostPath("\\Hard Disk\\Manuals"), root.str() + "/Hard Disk/Manuals");

    // Without a folder of its own the drive is where the finder says at each use; a given folder
    // wins over it.
    std::string drive;
    configureDevicePaths(root.str(), "", [&drive] { return drive; });
    EXPECT_EQ(hostPath("\\Hard Disk2\\x.txt"), root.str() + "/Hard Disk2/x.txt");
    drive = usb.str();
    EXPECT_EQ(hostPath("\\hard disk2\\export\\A.TXT"), usb.str() + "/Export/a.txt");
    configureDevicePaths(root.str(), root.str() + "/given", [&drive] { return drive; });
    EXPECT_EQ(hostPath("\\Hard Disk2\\x.txt"), root.str() + "/given/x.txt");
}

TEST_F(Files, DispositionsOpenCreateTruncateOrRefuse) {
    ASSERT_TRUE(createFolder("\\Hard Disk"));
    EXPECT_TRUE(createFolder("\\hard disk"));  // existing folder is no error
    EXPECT_FALSE(createFolder("\\Hard Disk\\no\\such"));

    EXPECT_FALSE(
        openFile("\\Hard Disk\\a.bin", FileAccess::Read, Disposition::OpenExisting).isOpen());
    {
        File f = openFile("\\Hard Disk\\a.bin", FileAccess::ReadWrite, Disposition::CreateNew);
        ASSERT_TRUE(f.isOpen());
        EXPECT_FALSE(f.existed());
        ASSERT_TRUE(f.write("0123456789", 10));
        EXPECT_EQ(f.size(), 10);
        EXPECT_EQ(f.seek(-4, SeekFrom::End), 6);
        char buf[8] = {};
        size_t got = 0;
        ASSERT_TRUE(f.read(buf, sizeof buf, got));
        EXPECT_EQ(std::string(buf, got), "6789");
        EXPECT_EQ(f.seek(3, SeekFrom::Begin), 3);
        ASSERT_TRUE(f.truncateHere());
        EXPECT_EQ(f.size(), 3);
    }
    EXPECT_FALSE(
        openFile("\\Hard Disk\\A.BIN", FileAccess::Write, Disposition::CreateNew).isOpen());
    {
        File f = openFile("\\hard disk\\A.BIN", FileAccess::ReadWrite, Disposition::OpenAlways);
        ASSERT_TRUE(f.isOpen());
        EXPECT_TRUE(f.existed());
        EXPECT_EQ(f.size(), 3);
    }
    {
        File f = openFile("\\Hard Disk\\a.bin", FileAccess::Write, Disposition::CreateAlways);
        ASSERT_TRUE(f.isOpen());
        EXPECT_TRUE(f.existed());
        EXPECT_EQ(f.size(), 0);
    }
    EXPECT_FALSE(openFile("\\Hard Disk", FileAccess::Read, Disposition::OpenExisting).isOpen());
    EXPECT_TRUE(deleteFile("\\HARD DISK\\A.bin"));
    EXPECT_FALSE(deleteFile("\\Hard Disk\\a.bin"));
    EXPECT_FALSE(deleteFile("\\Hard Disk"));
}

TEST_F(Files, CopyRefusesAnExistingTargetUnlessAskedToReplaceIt) {
    root.write("Hard Disk/log.csv", "new contents");
    root.write("Hard Disk2/log.csv", "old");
    EXPECT_FALSE(copyFile("\\Hard Disk\\log.csv", "\\Hard Disk2\\log.csv", true));
    EXPECT_EQ(root.read("Hard Disk2/log.csv"), "old");
    EXPECT_TRUE(copyFile("\\Hard Disk\\log.csv", "\\Hard Disk2\\LOG.CSV", false));
    EXPECT_EQ(root.read("Hard Disk2/log.csv"), "new contents");
    EXPECT_TRUE(copyFile("\\Hard Disk\\log.csv", "\\Hard Disk2\\copy.csv", true));
    EXPECT_EQ(root.read("Hard Disk2/copy.csv"), "new contents");
    EXPECT_FALSE(copyFile("\\Hard Disk\\missing.csv", "\\Hard Disk2\\m.csv", true));
    EXPECT_FALSE(std::filesystem::exists(root.path() / "Hard Disk2/m.csv"));
    EXPECT_TRUE(syncFolder("\\Hard Disk2"));
    // No drive: the copy and the folder's sync fail.
    configureDevicePaths(root.str(), (root.path() / "no-usb").string());
    EXPECT_FALSE(copyFile("\\Hard Disk\\log.csv", "\\Hard Disk2\\log2.csv", true));
    EXPECT_FALSE(syncFolder("\\Hard Disk2"));
}

TEST_F(Files, ListingMatchesPatternsReportsFoldersAndOrdersOldestFirst) {
    ASSERT_TRUE(createFolder("\\Hard Disk"));
    ASSERT_TRUE(createFolder("\\Hard Disk\\ShortTermDataLog"));
    const char* created[] = {"DATA_LOG_24HR26_03_07_13_30_00.DAT",
                             "data_log_24hr26_03_07_13_29_59.dat",
                             "DATA_LOG_24HR26_03_07_13_30.DAT", "OTHER.DAT"};
    for (const char* name : created) {
        std::string path = std::string("\\Hard Disk\\ShortTermDataLog\\") + name;
        ASSERT_TRUE(openFile(path, FileAccess::Write, Disposition::CreateNew).isOpen());
        // File systems stamp times from a coarse clock (a tick can be 10 ms): wait past it.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
    }
    ASSERT_TRUE(createFolder("\\Hard Disk\\ShortTermDataLog\\DATA_LOG_24HR99_99_99_99_99_99.DAT"));

    const auto listed =
        listFolder("\\hard disk\\shorttermdatalog\\DATA_LOG_24HR??_??_??_??_??_??.DAT");
    EXPECT_EQ(names(listed), (std::vector<std::string>{"DATA_LOG_24HR26_03_07_13_30_00.DAT",
                                                       "data_log_24hr26_03_07_13_29_59.dat",
                                                       "DATA_LOG_24HR99_99_99_99_99_99.DAT/"}));
    EXPECT_LT(listed[0].creationTime, listed[1].creationTime);
    EXPECT_EQ(listFolder("\\Hard Disk\\ShortTermDataLog\\*.*").size(), 5u);
    EXPECT_EQ(names(listFolder("\\Hard Disk\\*")), (std::vector<std::string>{"ShortTermDataLog/"}));
    EXPECT_TRUE(listFolder("\\Hard Disk\\Missing\\*").empty());
}

TEST_F(Files, CreationTimeIsStableWhenAFileGrows) {
    ASSERT_TRUE(createFolder("\\Hard Disk"));
    File f = openFile("\\Hard Disk\\g.dat", FileAccess::Write, Disposition::CreateNew);
    ASSERT_TRUE(f.isOpen());
    const FileTime born = fileInfo("\\Hard Disk\\g.dat")->creationTime;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(f.write("x", 1));
    f.close();
    const auto info = fileInfo("\\Hard Disk\\G.DAT");
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->creationTime, born);
    EXPECT_GT(info->lastWriteTime, born);
    EXPECT_EQ(info->size, 1u);
}

TEST(FilePatterns, WildcardsAreCaseInsensitive) {
    EXPECT_TRUE(matchesPattern("abc.txt", "*.TXT"));
    EXPECT_TRUE(matchesPattern("abc", "*.*"));
    EXPECT_TRUE(matchesPattern("a1c", "a?c"));
    EXPECT_FALSE(matchesPattern("ac", "a?c"));
    EXPECT_FALSE(matchesPattern("abcd", "a?c"));
    EXPECT_TRUE(matchesPattern("NID_05_WARNING_ID_03.bmp", "NID_??_*_ID_*.BMP"));
    EXPECT_FALSE(matchesPattern("x.txt", "*.bmp"));
}

}  // namespace
}  // namespace platform
