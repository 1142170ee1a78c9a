#include "shell/script.h"

#include <gtest/gtest.h>

namespace {

using shell::ScriptAction;

struct Recorder : shell::ScriptDriver {
    std::vector<std::string> events;
    bool screenshotWorks = true;
    void pointerDown(int x, int y) override { add("down", x, y); }
    void pointerUp(int x, int y) override { add("up", x, y); }
    bool screenshot(const std::string& file) override {
        events.push_back("shot " + file);
        return screenshotWorks;
    }
    void quit() override { events.push_back("quit"); }
    void add(const char* what, int x, int y) {
        events.push_back(std::string(what) + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

TEST(Script, ParsesActionsCommentsAndBlankLines) {
    std::vector<ScriptAction> actions;
    std::string error;
    ASSERT_TRUE(
        shell::parseScript("# demo\r\n\nwait 250\n  touch 72 447  \nhold 0 479 600\n"
                           "screenshot out dir/shot one.png\nquit",
                           actions, error))
        << error;
    ASSERT_EQ(actions.size(), 5u);
    EXPECT_EQ(actions[0].kind, ScriptAction::Kind::Wait);
    EXPECT_EQ(actions[0].ms, 250);
    EXPECT_EQ(actions[0].line, 3);
    EXPECT_EQ(actions[1].kind, ScriptAction::Kind::Touch);
    EXPECT_EQ(actions[1].x, 72);
    EXPECT_EQ(actions[1].y, 447);
    EXPECT_EQ(actions[2].kind, ScriptAction::Kind::Hold);
    EXPECT_EQ(actions[2].ms, 600);
    EXPECT_EQ(actions[3].file, "out dir/shot one.png");
    EXPECT_EQ(actions[4].kind, ScriptAction::Kind::Quit);
}

TEST(Script, NamesTheFirstBadLine) {
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"wait 10\nwait\n", "line 2:"}, {"touch 640 0", "line 1:"}, {"\n\ntouch 1 480", "line 3:"},
        {"touch 1", "line 1:"},         {"hold 1 2", "line 1:"},    {"wait -5", "line 1:"},
        {"wait 5ms", "line 1:"},        {"screenshot", "line 1:"},  {"quit now", "line 1:"},
        {"# ok\njump 1 2", "line 2:"},
    };
    for (const auto& [text, prefix] : bad) {
        std::vector<ScriptAction> actions;
        std::string error;
        EXPECT_FALSE(shell::parseScript(text, actions, error)) << text;
        EXPECT_EQ(error.rfind(prefix, 0), 0u) << text << " -> " << error;
    }
}

TEST(Script, RunnerKeepsTheTimingOfWaitsAndHolds) {
    std::vector<ScriptAction> actions;
    std::string error;
    ASSERT_TRUE(
        shell::parseScript("touch 1 2\nwait 100\nhold 3 4 500\nscreenshot a.png\nquit\n"
                           "touch 9 9\n",
                           actions, error));
    shell::ScriptRunner runner(actions);
    Recorder driver;
    runner.start(1000);
    runner.poll(1000, driver);
    EXPECT_EQ(driver.events, (std::vector<std::string>{"down 1,2", "up 1,2"}));
    EXPECT_EQ(runner.nextDueMs(), 1000);  // yields so the display takes the touch in
    runner.poll(1000, driver);
    EXPECT_EQ(runner.nextDueMs(), 1100);
    runner.poll(1099, driver);
    EXPECT_EQ(driver.events.size(), 2u);
    runner.poll(1100, driver);
    EXPECT_EQ(driver.events.back(), "down 3,4");
    runner.poll(1599, driver);
    EXPECT_EQ(driver.events.back(), "down 3,4");
    runner.poll(1600, driver);
    EXPECT_EQ(driver.events.back(), "up 3,4");
    runner.poll(1600, driver);
    EXPECT_EQ(driver.events, (std::vector<std::string>{"down 1,2", "up 1,2", "down 3,4", "up 3,4",
                                                       "shot a.png", "quit"}));
    EXPECT_TRUE(runner.finished());
    runner.poll(5000, driver);
    EXPECT_EQ(driver.events.size(), 6u);
}

TEST(Script, RunnerCountsFailedScreenshotsAndGoesOn) {
    std::vector<ScriptAction> actions;
    std::string error;
    ASSERT_TRUE(shell::parseScript("screenshot /nowhere/a.png\ntouch 5 5\n", actions, error));
    shell::ScriptRunner runner(actions);
    Recorder driver;
    driver.screenshotWorks = false;
    runner.start(0);
    runner.poll(0, driver);
    EXPECT_EQ(runner.failedScreenshots(), 1);
    runner.poll(0, driver);
    EXPECT_EQ(driver.events.back(), "up 5,5");
}

}  // namespace
