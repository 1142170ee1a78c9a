#include "shell/script.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using shell::ScriptAction;

struct Recorder : shell::ScriptDriver {
    std::vector<std::string> events;
    bool screenshotWorks = true;
    std::string shownText;  // what textShown sees on the screen
    int looks = 0;
    void pointerDown(int x, int y) override { add("down", x, y); }
    void pointerUp(int x, int y) override { add("up", x, y); }
    std::optional<platform::gfx::Point> control(int id, std::string& why) override {
        if (id == 7) return platform::gfx::Point{30, 40};
        why = "not there";
        return std::nullopt;
    }
    bool textShown(std::string_view text) override {
        ++looks;
        return shownText.find(text) != std::string::npos;
    }
    std::optional<bool> boxChecked;  // the state of check box 9
    std::optional<bool> checked(int id, std::string& why) override {
        ++looks;
        if (id == 9 && boxChecked) return boxChecked;
        why = "no check box " + std::to_string(id);
        return std::nullopt;
    }
    bool screenshot(const std::string& file) override {
        events.push_back("shot " + file);
        return screenshotWorks;
    }
    bool windows(const std::string& file) override {
        events.push_back("windows " + file);
        return true;
    }
    bool texts(const std::string& file) override {
        events.push_back("texts " + file);
        return false;
    }
    bool extents(const std::string& file) override {
        events.push_back("extents " + file);
        return true;
    }
    void sim(const std::string& line) override { events.push_back("sim " + line); }
    void quit() override { events.push_back("quit"); }
    void fail(const std::string& message) override { events.push_back("fail " + message); }
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
    EXPECT_EQ(actions[3].text, "out dir/shot one.png");
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

TEST(Script, RunnerCountsFilesNotWrittenAndGoesOn) {
    std::vector<ScriptAction> actions;
    std::string error;
    ASSERT_TRUE(
        shell::parseScript("screenshot /nowhere/a.png\ntexts t.txt\nwindows w.txt\n"
                           "touch 5 5\n",
                           actions, error));
    shell::ScriptRunner runner(actions);
    Recorder driver;
    driver.screenshotWorks = false;
    runner.start(0);
    runner.poll(0, driver);
    EXPECT_EQ(runner.failedFiles(), 2);
    runner.poll(0, driver);
    EXPECT_EQ(driver.events.back(), "up 5,5");
    EXPECT_FALSE(runner.failed());
}

}  // namespace

namespace {

std::vector<ScriptAction> parsed(std::string_view text, bool withSimulator = false) {
    std::vector<ScriptAction> actions;
    std::string error;
    EXPECT_TRUE(shell::parseScript(text, actions, error, withSimulator)) << error;
    return actions;
}

TEST(Script, ParsesPressExpectDumpsAndSimLines) {
    const auto actions = parsed(
        "press 0x8801\npress 1224 600\nexpect \"SELECT TIMER\"\n"
        "expect  \"say \\\"hi\\\" C:\\\\x\"   50\nexpect-not \"Ü ß\" 0\n"
        "windows out/w one.txt\ntexts t.txt\nsim shutdown 5 3\nextents e one.tsv\n",
        true);
    ASSERT_EQ(actions.size(), 9u);
    EXPECT_EQ(actions[0].kind, ScriptAction::Kind::Press);
    EXPECT_EQ(actions[0].id, 0x8801);
    EXPECT_EQ(actions[0].ms, 0);
    EXPECT_EQ(actions[1].id, 1224);
    EXPECT_EQ(actions[1].ms, 600);
    EXPECT_EQ(actions[2].kind, ScriptAction::Kind::Expect);
    EXPECT_EQ(actions[2].text, "SELECT TIMER");
    EXPECT_EQ(actions[2].ms, shell::kDefaultExpectMs);
    EXPECT_EQ(actions[3].text, "say \"hi\" C:\\x");
    EXPECT_EQ(actions[3].ms, 50);
    EXPECT_EQ(actions[4].kind, ScriptAction::Kind::ExpectNot);
    EXPECT_EQ(actions[4].text, "Ü ß");
    EXPECT_EQ(actions[4].ms, 0);
    EXPECT_EQ(actions[5].kind, ScriptAction::Kind::Windows);
    EXPECT_EQ(actions[5].text, "out/w one.txt");
    EXPECT_EQ(actions[6].kind, ScriptAction::Kind::Texts);
    EXPECT_EQ(actions[7].kind, ScriptAction::Kind::Sim);
    EXPECT_EQ(actions[7].text, "shutdown 5 3");
    EXPECT_EQ(actions[8].kind, ScriptAction::Kind::Extents);
    EXPECT_EQ(actions[8].text, "e one.tsv");
}

TEST(Script, RefusesBadPressExpectDumpAndSimLines) {
    const std::vector<std::string> bad = {"press",           "press 0",
                                          "press 0x10000",   "press 0x",
                                          "press -3",        "press 12 x",
                                          "press 1 2 3",     "press 0x8801 86400001",
                                          "expect",          "expect SELECT",
                                          "expect \"\"",     "expect \"open",
                                          "expect \"a\"5",   "expect \"a\" 5 6",
                                          "expect \"a\\n\"", "expect \"a\\\"",
                                          "expect-not",      "expect-not \"a\" x",
                                          "windows",         "texts",
                                          "extents",         "sim shutdown 5 3"};
    for (const auto& text : bad) {
        std::vector<ScriptAction> actions;
        std::string error;
        EXPECT_FALSE(shell::parseScript("wait 1\n" + text, actions, error, false)) << text;
        EXPECT_EQ(error.rfind("line 2:", 0), 0u) << text << " -> " << error;
    }
    std::vector<ScriptAction> actions;
    std::string error;
    EXPECT_FALSE(shell::parseScript("sim", actions, error, true));
    EXPECT_NE(error.find("sim LINE"), std::string::npos) << error;
    EXPECT_FALSE(shell::parseScript("sim run", actions, error, false));
    EXPECT_NE(error.find("--simulate"), std::string::npos) << error;
}

TEST(Script, PressTapsOrHoldsTheControlAndAMissingOneEndsTheRun) {
    shell::ScriptRunner runner(parsed("press 7\npress 7 300\nsim run\npress 8\ntouch 1 1\n", true));
    Recorder driver;
    runner.start(0);
    runner.poll(0, driver);
    EXPECT_EQ(driver.events, (std::vector<std::string>{"down 30,40", "up 30,40"}));
    runner.poll(0, driver);
    EXPECT_EQ(driver.events.back(), "down 30,40");
    runner.poll(299, driver);
    EXPECT_EQ(driver.events.size(), 3u);
    runner.poll(300, driver);
    EXPECT_EQ(driver.events.back(), "up 30,40");
    runner.poll(300, driver);
    EXPECT_EQ(driver.events.back(), "fail script line 4: not there");
    EXPECT_EQ(driver.events[4], "sim run");
    EXPECT_TRUE(runner.failed());
    EXPECT_TRUE(runner.finished());
    runner.poll(1000, driver);
    EXPECT_EQ(driver.events.size(), 6u);  // the touch after the failure never runs
}

TEST(Script, ExpectLooksAgainUntilTheTextComesOrTheTimeIsUp) {
    shell::ScriptRunner runner(parsed("expect \"READY\" 100\nexpect-not \"READY\" 50\nquit\n"));
    Recorder driver;
    runner.start(1000);
    runner.poll(1000, driver);
    EXPECT_EQ(runner.nextDueMs(), 1000 + shell::ScriptRunner::kExpectPollMs);
    driver.shownText = "ALL READY NOW";  // a part of a drawn text is enough
    runner.poll(1020, driver);
    EXPECT_EQ(driver.looks, 3);  // met at the second look, then expect-not looks once
    EXPECT_EQ(runner.nextDueMs(), 1040);
    runner.poll(1060, driver);
    EXPECT_TRUE(driver.events.empty());
    EXPECT_EQ(runner.nextDueMs(), 1070);  // the deadline, not a poll past it
    runner.poll(1070, driver);
    EXPECT_EQ(driver.events,
              (std::vector<std::string>{"fail script line 2: \"READY\" still shown after 50 ms"}));
    EXPECT_TRUE(runner.finished());

    shell::ScriptRunner once(parsed("expect \"GONE\" 0\n"));
    Recorder other;
    once.start(0);
    once.poll(0, other);
    EXPECT_EQ(other.looks, 1);
    EXPECT_EQ(other.events,
              (std::vector<std::string>{"fail script line 1: \"GONE\" not shown within 0 ms"}));
}

TEST(Script, CheckedExpectationsWaitForTheBoxAndNameWhatWasWrong) {
    const auto actions = parsed("expect-checked 9\nexpect-unchecked 0x10 40\n");
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_EQ(actions[0].kind, ScriptAction::Kind::ExpectChecked);
    EXPECT_EQ(actions[0].id, 9);
    EXPECT_EQ(actions[0].ms, shell::kDefaultExpectMs);
    EXPECT_EQ(actions[1].kind, ScriptAction::Kind::ExpectUnchecked);
    EXPECT_EQ(actions[1].id, 16);
    EXPECT_EQ(actions[1].ms, 40);
    for (const char* text :
         {"expect-checked", "expect-checked 0", "expect-unchecked \"a\"", "expect-checked 9 x"}) {
        std::vector<ScriptAction> refused;
        std::string error;
        EXPECT_FALSE(shell::parseScript(text, refused, error)) << text;
    }

    shell::ScriptRunner runner(parsed("expect-checked 9 100\nexpect-unchecked 9 60\n"));
    Recorder driver;
    driver.boxChecked = false;
    runner.start(0);
    runner.poll(0, driver);
    EXPECT_EQ(runner.nextDueMs(), shell::ScriptRunner::kExpectPollMs);
    driver.boxChecked = true;
    runner.poll(20, driver);
    EXPECT_TRUE(driver.events.empty());
    runner.poll(80, driver);
    EXPECT_EQ(
        driver.events,
        (std::vector<std::string>{"fail script line 2: control 9 still checked after 60 ms"}));

    shell::ScriptRunner missing(parsed("expect-unchecked 5 0\n"));
    Recorder other;
    missing.start(0);
    missing.poll(0, other);
    EXPECT_EQ(other.events, (std::vector<std::string>{"fail script line 1: no check box 5"}));
}

}  // namespace
