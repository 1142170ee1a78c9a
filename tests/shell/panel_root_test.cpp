#include "shell/panel_root.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_dir.h"

namespace {
namespace fs = std::filesystem;

TEST(PanelRoot, FillsANewRootAndKeepsWhatThePanelWrote) {
    testsupport::TempDir image;
    image.write("Hard Disk/Languages/EN/EnglishStrings.txt", "strings v1");
    image.write("Hard Disk/OrvaneLangConfig.txt", "English");
    testsupport::TempDir scratch;
    const std::string root = scratch.str() + "/new/panel";

    std::string error;
    ASSERT_TRUE(shell::preparePanelRoot(root, image.str(), error)) << error;
    EXPECT_EQ(scratch.read("new/panel/Hard Disk/Languages/EN/EnglishStrings.txt"), "strings v1");

    // The panel rewrites its language choice and logs; a second start leaves both alone.
    scratch.write("new/panel/Hard Disk/OrvaneLangConfig.txt", "German");
    scratch.write("new/panel/Hard Disk/DataLog/LongTermDataLog.csv", "log");
    ASSERT_TRUE(shell::preparePanelRoot(root, image.str(), error)) << error;
    EXPECT_EQ(scratch.read("new/panel/Hard Disk/OrvaneLangConfig.txt"), "German");
    EXPECT_EQ(scratch.read("new/panel/Hard Disk/DataLog/LongTermDataLog.csv"), "log");

    // A rebuilt image refreshes the files it holds.
    const fs::path source = image.path() / "Hard Disk/Languages/EN/EnglishStrings.txt";
    image.write("Hard Disk/Languages/EN/EnglishStrings.txt", "strings v2");
    fs::last_write_time(source, fs::file_time_type::clock::now() + std::chrono::hours(1));
    ASSERT_TRUE(shell::preparePanelRoot(root, image.str(), error)) << error;
    EXPECT_EQ(scratch.read("new/panel/Hard Disk/Languages/EN/EnglishStrings.txt"), "strings v2");
}

TEST(PanelRoot, WithoutAnImageTheFlashDiskStillExists) {
    testsupport::TempDir scratch;
    std::string error;
    ASSERT_TRUE(shell::preparePanelRoot(scratch.str() + "/bare", "", error)) << error;
    EXPECT_TRUE(fs::is_directory(scratch.path() / "bare/Hard Disk"));

    scratch.write("blocker", "a file where the root should go");
    EXPECT_FALSE(shell::preparePanelRoot(scratch.str() + "/blocker", "", error));
    EXPECT_NE(error.find("blocker"), std::string::npos);
}

TEST(PanelRoot, DefaultRootFollowsTheDataHome) {
    const char* oldHome = std::getenv("HOME");
    const std::string home = oldHome != nullptr ? oldHome : "";
    ::setenv("XDG_DATA_HOME", "/srv/data", 1);
    EXPECT_EQ(shell::defaultPanelRoot(), "/srv/data/orvane-display/panel");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/home/op", 1);
    EXPECT_EQ(shell::defaultPanelRoot(), "/home/op/.local/share/orvane-display/panel");
    ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
