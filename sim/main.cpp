// orvane-sim: the dryer's controller on a pseudo-terminal, for running the display without a
// dryer. Prints the display's side of the line and takes line commands on standard input.
#include <cstdio>
#include <cstring>
#include <future>
#include <iostream>
#include <mutex>
#include <string>

#include "platform/serial/serial.h"
#include "sim/simulator.h"

namespace {

const char* const kUsage =
    "usage: orvane-sim --pty [--trace]\n"
    "  --pty    open a pseudo-terminal, print the display's side and play the controller\n"
    "  --trace  print every frame both ways, decoded\n"
    "Commands on standard input: help, run, stop, shutdown NODE WARNING, clear, silence SECONDS,\n"
    "badcrc N, short N, stray N, late N [MS], set ADDR VALUE, refuse ADDR, clamp ADDR MAX,\n"
    "accept ADDR, autostart, sequence SECONDS, supply on|off, defaults on|off, knob SPEED, show,\n"
    "quit.\n";

std::mutex outputMutex;

void say(const std::string& text) {
    std::lock_guard lock(outputMutex);
    std::cout << text << std::flush;
}

}  // namespace

int main(int argc, char** argv) {
    bool pty = false;
    bool trace = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--pty") == 0) {
            pty = true;
        } else if (std::strcmp(argv[i], "--trace") == 0) {
            trace = true;
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    if (!pty) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    platform::PtyPair line;
    if (!platform::openPtyPair(line)) {
        std::fputs("orvane-sim: cannot open a pseudo-terminal\n", stderr);
        return 1;
    }
    sim::Simulator simulator;
    if (trace) simulator.setTrace(say);
    simulator.start(std::move(line.controller));
    say("display side: " + line.devicePath + "\n");

    for (std::string command; std::getline(std::cin, command);) {
        if (command == "quit") return 0;
        const std::string reply = simulator.command(command);
        if (!reply.empty()) say(reply + "\n");
    }
    // Without a console (standard input closed) it plays the controller until it is killed.
    std::promise<void>().get_future().wait();
}
