// The orvane-display program run in this process: command line, second copy, screenshot and
// script runs, headless on the real clock for a fraction of a second.
#include <gtest/gtest.h>

#include <sys/mount.h>

#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "platform/sys/sys.h"
#include "program/display_program.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "support/notify_socket.h"
#include "support/panel_root.h"
#include "support/temp_dir.h"

namespace {

int run(std::vector<std::string> args) {
    args.insert(args.begin(), "orvane-display");
    std::vector<char*> argv;
    for (auto& arg : args)
        argv.push_back(arg.data());
    const int code = program::runDisplayProgram(static_cast<int>(argv.size()), argv.data());
    shell::resetShell();
    shell::clearShellHooks();
    return code;
}

// Width and height from a PNG's header; {0, 0} when it is not one.
std::pair<int, int> pngSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[24] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    if (in.gcount() != 24 || header[1] != 'P' || header[2] != 'N' || header[3] != 'G')
        return {0, 0};
    auto be32 = [&](int at) {
        return header[at] << 24 | header[at + 1] << 16 | header[at + 2] << 8 | header[at + 3];
    };
    return {be32(16), be32(20)};
}

TEST(Program, WrongOptionsAndBadScriptsExitTwoBeforeStarting) {
    testsupport::TempDir dir;
    EXPECT_EQ(run({"--bogus"}), 2);
    EXPECT_EQ(run({"--scale", "0"}), 2);
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_EQ(run({"--version"}), 0);
    dir.write("bad.txt", "wait 100\ntouch 1\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(
        run({"--headless", "--root", dir.str() + "/root", "--script", dir.str() + "/bad.txt"}), 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("line 2"), std::string::npos);
    EXPECT_EQ(run({"--script", dir.str() + "/missing.txt"}), 2);
}

// Runs the program and returns what it wrote on standard error.
std::string stderrOf(std::vector<std::string> args, int& code) {
    testing::internal::CaptureStderr();
    code = run(std::move(args));
    return testing::internal::GetCapturedStderr();
}

TEST(Program, ScriptsWithoutActionsAndOptionsWithoutValuesExitTwo) {
    testsupport::TempDir dir;
    dir.write("scripts/empty.script", "");
    dir.write("scripts/comments.script", "# nothing to do\n\n   \n# still nothing\n");
    const std::string root = dir.str() + "/root";
    int code = 0;
    EXPECT_NE(stderrOf({"--headless", "--root", root, "--script", dir.str() + "/scripts"}, code)
                  .find("the script " + dir.str() + "/scripts is a folder"),
              std::string::npos);
    EXPECT_EQ(code, 2);
    for (const char* name : {"empty", "comments"}) {
        const std::string script = dir.str() + "/scripts/" + name + ".script";
        EXPECT_NE(stderrOf({"--headless", "--root", root, "--script", script}, code)
                      .find("the script " + script + " holds no actions"),
                  std::string::npos);
        EXPECT_EQ(code, 2) << name;
    }
    EXPECT_NE(stderrOf({"--root", "--headless"}, code).find("--root needs a value"),
              std::string::npos);
    EXPECT_EQ(code, 2);
    EXPECT_FALSE(std::filesystem::exists("--headless"));
}

TEST(Program, APortThatCannotBeOpenedIsReportedAtOnceAndTheDisplayStillRuns) {
    testsupport::TempDir dir;
    dir.write("plain-file", "");
    const std::vector<std::pair<std::string, std::string>> ports = {
        {"/dev/nonexistent", "No such file or directory"},
        {"/dev/null", "not a serial device"},
        {dir.str() + "/plain-file", "not a serial device"},
    };
    for (const auto& [port, reason] : ports) {
        int code = 0;
        const std::string err =
            stderrOf({"--headless", "--root", dir.str() + "/root", "--port", port, "--screenshot",
                      dir.str() + "/shot.png", "--after", "0"},
                     code);
        EXPECT_NE(err.find("cannot open the controller line " + port + ": " + reason +
                           "; trying again every 2 s"),
                  std::string::npos)
            << err;
        EXPECT_EQ(code, 0) << port;
    }
}

TEST(Program, SecondCopyOnTheSameRootBringsTheFirstToTheFront) {
    testsupport::TempDir dir;
    platform::InstanceLock first;
    ASSERT_TRUE(first.acquire(dir.str()));
    EXPECT_EQ(run({"--headless", "--root", dir.str()}), 0);
    EXPECT_TRUE(first.takeFrontRequest());

    // A screenshot or script run cannot be delivered by the copy that holds the root.
    dir.write("quit.script", "quit\n");
    int code = 0;
    const std::string held = "another display holds the panel root " + dir.str();
    EXPECT_NE(stderrOf({"--headless", "--root", dir.str(), "--screenshot", dir.str() + "/s.png",
                        "--after", "0"},
                       code)
                  .find(held),
              std::string::npos);
    EXPECT_EQ(code, 1);
    EXPECT_NE(
        stderrOf({"--headless", "--root", dir.str(), "--script", dir.str() + "/quit.script"}, code)
            .find(held),
        std::string::npos);
    EXPECT_EQ(code, 1);
    EXPECT_FALSE(first.takeFrontRequest());
}

TEST(Program, ARootThatCannotBeWrittenIsAnErrorWithItsReason) {
    testsupport::TempDir dir;
    std::filesystem::create_directories(dir.path() / "root/.orvane-display.lock");
    int code = 0;
    const std::string err = stderrOf({"--headless", "--root", dir.str() + "/root", "--screenshot",
                                      dir.str() + "/s.png", "--after", "0"},
                                     code);
    EXPECT_NE(err.find("the panel root " + dir.str() + "/root cannot be written: cannot write " +
                       dir.str() + "/root/.orvane-display.lock: Is a directory"),
              std::string::npos)
        << err;
    EXPECT_EQ(code, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "s.png"));
}

TEST(Program, ScreenshotAndScriptRunsWriteTheScreen) {
    testsupport::TempDir dir;
    const std::string shot = dir.str() + "/shot.png";
    EXPECT_EQ(run({"--headless", "--root", dir.str() + "/root", "--port", "/dev/null",
                   "--screenshot", shot, "--after", "0.3"}),
              0);
    EXPECT_EQ(pngSize(shot), (std::pair<int, int>{640, 480}));

    dir.write("timers.txt",
              "wait 100\ntouch 72 447\nscreenshot " + dir.str() + "/timers.png\nquit\n");
    EXPECT_EQ(run({"--headless", "--root", dir.str() + "/root", "--port", "/dev/null", "--script",
                   dir.str() + "/timers.txt"}),
              0);
    EXPECT_EQ(pngSize(dir.str() + "/timers.png"), (std::pair<int, int>{640, 480}));

    // A screenshot that cannot be written makes the run fail.
    EXPECT_EQ(run({"--headless", "--root", dir.str() + "/root", "--port", "/dev/null",
                   "--screenshot", dir.str() + "/no/such/dir/shot.png", "--after", "0"}),
              1);
}

// Under a service manager: READY once the first screen is drawn, then the watchdog's pings.
TEST(Program, TellsTheServiceManagerItIsReadyThenPingsTheWatchdog) {
    testsupport::TempDir dir;
    testsupport::NotifySocket manager;
    EXPECT_EQ(run({"--headless", "--root", dir.str() + "/root", "--port", "/dev/null",
                   "--screenshot", dir.str() + "/shot.png", "--after", "1.2"}),
              0);
    const std::vector<std::string> messages = manager.take();
    ASSERT_GE(messages.size(), 2u);
    EXPECT_EQ(messages[0], "READY=1");
    for (size_t i = 1; i < messages.size(); ++i)
        EXPECT_EQ(messages[i], "WATCHDOG=1");
}

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Program, ScriptsPressByIdAndDumpTheWindowsAndTextsTheyReach) {
    testsupport::TempDir dir;
    const std::string w = dir.str() + "/windows.txt";
    const std::string t = dir.str() + "/texts.txt";
    dir.write("timers.script", "press 0x8801\nexpect \"SELECT TIMER TO MODIFY\"\nwindows " + w +
                                   "\ntexts " + t + "\nquit\n");
    EXPECT_EQ(run({"--headless", "--root", dir.str() + "/root", "--port", "/dev/null", "--script",
                   dir.str() + "/timers.script"}),
              0);
    EXPECT_NE(readAll(w).find("TIMER_SELECT_WINDOW\t0\t0\t0\t640\t475\tenabled\t SELECT TIMER"),
              std::string::npos);
    EXPECT_NE(readAll(t).find("TIMER_SELECT_WINDOW\t"), std::string::npos);
}

TEST(Program, AFailedPressEndsTheRunWithThreeAfterTheFilesAskedForBefore) {
    testsupport::TempDir dir;
    const std::string w = dir.str() + "/windows.txt";
    dir.write("missing.script", "windows " + w + "\npress 0x7777\nquit\n");
    testing::internal::CaptureStderr();
    EXPECT_EQ(run({"--headless", "--root", dir.str() + "/root", "--port", "/dev/null", "--script",
                   dir.str() + "/missing.script"}),
              3);
    EXPECT_NE(testing::internal::GetCapturedStderr().find(
                  "script line 2: no shown window has the control id 30583 (0x7777)"),
              std::string::npos);
    EXPECT_NE(readAll(w).find("ORVANE_DRYER_DISPLAY"), std::string::npos);

    // sim lines belong to runs with the simulator only.
    dir.write("sim.script", "sim run\n");
    EXPECT_EQ(run({"--headless", "--root", dir.str() + "/root", "--port", "/dev/null", "--script",
                   dir.str() + "/sim.script"}),
              2);
}

// Without --usb the drive is the first writable file system mounted below --media; a folder
// there without one is no drive.
TEST(Program, CopiesToTheDriveMountedBelowTheMediaFolder) {
    namespace fs = std::filesystem;
    testsupport::TempDir dir;
    const char* image = std::getenv("ORVANE_IMAGE_DIR");
    ASSERT_TRUE(image != nullptr);
    // The panel image's files, linked rather than copied.
    testsupport::linkFiles(image, dir.path() / "root");
    const fs::path stick = dir.path() / "media/stick";
    fs::create_directories(stick);
    const std::string toCopy =
        "expect \"DRYER STATUS CHART\"\npress 0x8804\npress 36901\n"
        "expect \"Shutdown History - 29\"\npress 1110\n";
    dir.write("none.script", toCopy + "expect \"No USB flash drive found.\"\nquit\n");
    dir.write("copy.script", toCopy +
                                 "press 1473\n"
                                 "expect \"THE SHUTDOWN HISTORY IS ON THE USB FLASH DRIVE.\"\n"
                                 "quit\n");
    auto runScript = [&](const std::string& script) {
        i18n::ResetLocalization();  // the strings of the panel root above, not of an earlier run
        return run({"--headless", "--root", dir.str() + "/root", "--port", "/dev/null", "--media",
                    dir.str() + "/media", "--script", dir.str() + "/" + script});
    };
    EXPECT_EQ(runScript("none.script"), 0);

    if (::mount("tmpfs", stick.c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no file system can be mounted here";
    const std::unique_ptr<const fs::path, void (*)(const fs::path*)> unmount(
        &stick, [](const fs::path* at) { ::umount2(at->c_str(), MNT_DETACH); });
    EXPECT_EQ(runScript("copy.script"), 0);
    EXPECT_TRUE(fs::exists(stick / "DryerShutdownHistory.txt"));
}

}  // namespace
