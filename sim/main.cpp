// orvane-sim: the dryer's controller on a pseudo-terminal (to run the display without a dryer)
// or on a serial device (to drive a real panel from a laptop). Takes line commands on standard
// input.
#include <cstdio>
#include <future>
#include <iostream>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/serial/serial.h"
#include "sim/controller.h"
#include "sim/simulator.h"

namespace {

const char* const kUsage =
    "usage: orvane-sim --pty [--trace]\n"
    "       orvane-sim --port DEVICE [--trace]\n"
    "       orvane-sim --help\n"
    "Plays the dryer's controller on the display's serial line.\n"
    "  --pty           open a pseudo-terminal and print the display's side of it\n"
    "                  (then: orvane-display --port /dev/pts/N)\n"
    "  --port DEVICE   answer on a serial device (38400 8E1), for instance a USB adapter wired\n"
    "                  to a panel's controller port; opened again every 2 s if it goes away\n"
    "  --trace         print every frame both ways, decoded\n"
    "  --help          print this text\n";

const char* const kInput =
    "Commands, one a line on standard input (numbers decimal or 0x-hexadecimal):\n";

const char* const kEnd =
    "At the end of standard input (closed, or </dev/null) it goes on answering until it is\n"
    "stopped (Ctrl-C or kill); type quit to end it from the console.\n";

std::mutex outputMutex;

void say(const std::string& text) {
    std::lock_guard lock(outputMutex);
    std::cout << text << std::flush;
}

int usageError(const std::string& message) {
    std::cerr << "orvane-sim: " << message << "\n" << kUsage;
    return 2;
}

struct Options {
    bool pty = false;
    std::string port;
    bool trace = false;
    bool help = false;
};

// "" when the arguments are sound, else what is wrong with them.
std::string parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--pty") {
            options.pty = true;
        } else if (arg == "--trace") {
            options.trace = true;
        } else if (arg == "--port") {
            if (i + 1 >= argc || argv[i + 1][0] == '-' || argv[i + 1][0] == '\0') {
                return "--port needs a device (--port /dev/ttyUSB0)";
            }
            options.port = argv[++i];
        } else {
            return "unknown argument '" + std::string(arg) + "'";
        }
    }
    if (options.help) return "";
    if (options.pty == !options.port.empty()) return "give either --pty or --port DEVICE";
    return "";
}

// Opens the line: a pseudo-terminal whose other side is printed, or the device.
bool startLine(const Options& options, sim::Simulator& simulator) {
    if (!options.port.empty()) {
        std::string error;
        if (!simulator.start(options.port, error)) {
            std::cerr << "orvane-sim: cannot open " << options.port << ": " << error << "\n";
            return false;
        }
        say("controller on " + options.port + "\n");
        return true;
    }
    platform::PtyPair line;
    if (!platform::openPtyPair(line)) {
        std::cerr << "orvane-sim: cannot open a pseudo-terminal\n";
        return false;
    }
    simulator.start(std::move(line.controller));
    say("display side: " + line.devicePath + "\n");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const std::string error = parse(argc, argv, options); !error.empty()) {
        return usageError(error);
    }
    if (options.help) {
        std::cout << kUsage << kInput << sim::commandHelp() << kEnd;
        return 0;
    }
    sim::Simulator simulator;
    if (options.trace) simulator.setTrace(say);
    simulator.setReporter(
        [](const std::string& line) { std::cerr << "orvane-sim: " << line << "\n"; });
    if (!startLine(options, simulator)) return 1;

    for (std::string command; std::getline(std::cin, command);) {
        if (command == "quit") return 0;
        const std::string reply = simulator.command(command);
        if (!reply.empty()) say(reply + "\n");
    }
    // Without a console (standard input closed) it plays the controller until it is killed.
    std::promise<void>().get_future().wait();
}
