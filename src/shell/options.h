#pragma once
// The command line of orvane-display.

#include <string>
#include <string_view>
#include <vector>

namespace shell {

struct DisplayOptions {
    std::string root;  // empty: the default panel root
    std::string usb;   // empty: "<root>/Hard Disk2"
    std::string port = "/dev/ttyS0";
    bool portGiven = false;
    bool simulate = false;
    bool headless = false;
    std::string screenshotFile;
    int screenshotAfterMs = -1;  // -1: no screenshot
    int scale = 1;
    bool fullscreen = false;
    std::string scriptFile;
    bool setSystemClock = false;
    std::string web;              // "HOST:PORT" of the read-only web view; empty: none
    std::string mqtt;             // telemetry broker, "mqtt://host:port" or "mqtts://..."
    std::string mqttCaFile;       // certificate authorities for mqtts
    std::string mqttCredentials;  // file with the broker's user name and password
    std::string dryerName;        // names the dryer in the web view and the topics
};

enum class CommandLineResult {
    Run,
    Help,     // print the usage to standard output, exit 0
    Version,  // print the version, exit 0
    Error,    // print the message and the usage to standard error, exit 2
};

// Parses the arguments after the program name. Options take their value as the next argument or
// after '=' ("--scale 2", "--scale=2").
CommandLineResult parseCommandLine(const std::vector<std::string_view>& args,
                                   DisplayOptions& options, std::string& error);

std::string usageText();
std::string versionText();

}  // namespace shell
