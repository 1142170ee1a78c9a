#include "shell/options.h"

#include <gtest/gtest.h>

namespace {

using shell::CommandLineResult;
using shell::DisplayOptions;

CommandLineResult parse(std::vector<std::string_view> args, DisplayOptions& options,
                        std::string& error) {
    return shell::parseCommandLine(args, options, error);
}

TEST(CommandLine, ReadsEveryOptionInBothForms) {
    DisplayOptions options;
    std::string error;
    ASSERT_EQ(parse({"--root", "/tmp/p", "--usb=/tmp/u", "--port", "/dev/pts/7", "--headless",
                     "--screenshot", "s.png", "--after=2.5", "--scale", "3", "--fullscreen",
                     "--script", "demo.txt", "--set-system-clock"},
                    options, error),
              CommandLineResult::Run)
        << error;
    EXPECT_EQ(options.root, "/tmp/p");
    EXPECT_EQ(options.usb, "/tmp/u");
    EXPECT_EQ(options.port, "/dev/pts/7");
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.screenshotFile, "s.png");
    EXPECT_EQ(options.screenshotAfterMs, 2500);
    EXPECT_EQ(options.scale, 3);
    EXPECT_TRUE(options.fullscreen);
    EXPECT_EQ(options.scriptFile, "demo.txt");
    EXPECT_TRUE(options.setSystemClock);
    EXPECT_FALSE(options.simulate);

    DisplayOptions defaults;
    EXPECT_EQ(parse({}, defaults, error), CommandLineResult::Run);
    EXPECT_EQ(defaults.port, "/dev/ttyS0");
    EXPECT_EQ(defaults.scale, 1);
    EXPECT_EQ(defaults.screenshotAfterMs, -1);
    EXPECT_TRUE(defaults.root.empty());
}

TEST(CommandLine, HelpAndVersionWinOverTheRest) {
    DisplayOptions options;
    std::string error;
    EXPECT_EQ(parse({"--simulate", "--help"}, options, error), CommandLineResult::Help);
    EXPECT_EQ(parse({"--version"}, options, error), CommandLineResult::Version);
    EXPECT_EQ(shell::versionText(), "orvane-display 2.09\n");
}

TEST(CommandLine, RefusesWrongOptionsAndValues) {
    const std::vector<std::vector<std::string_view>> wrong = {
        {"--bogus"},
        {"stray"},
        {"--root"},
        {"--root="},
        {"--scale", "0"},
        {"--scale", "9"},
        {"--scale", "2x"},
        {"--after", "-1", "--screenshot", "a.png"},
        {"--after", "nan", "--screenshot", "a.png"},
        {"--after", "1e9", "--screenshot", "a.png"},
        {"--screenshot", "a.png"},
        {"--after", "3"},
        {"--simulate", "--port", "/dev/ttyS1"},
        {"--headless=yes"},
        {"--root", "--headless"},
        {"--script", "-h"},
        {"--port", "--simulate"},
    };
    for (const auto& args : wrong) {
        DisplayOptions options;
        std::string error;
        EXPECT_EQ(parse(args, options, error), CommandLineResult::Error) << args[0];
        EXPECT_FALSE(error.empty()) << args[0];
    }
    DisplayOptions options;
    std::string error;
    parse({"--root", "--headless"}, options, error);
    EXPECT_EQ(error, "--root needs a value, not the option '--headless'");
    EXPECT_EQ(parse({"--root=-odd"}, options, error), CommandLineResult::Run);  // said outright
    EXPECT_EQ(options.root, "-odd");
}

}  // namespace
