// orvane-monitor: what travels on the controller line, frame by frame, both ways.
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "monitor/capture.h"
#include "monitor/line_decoder.h"
#include "monitor/live.h"
#include "monitor/report.h"

namespace {

constexpr const char* kUsage =
    "usage: orvane-monitor --read CAPTURE [--csv] [--gap MS]\n"
    "       orvane-monitor --tap DISPLAY_TX CONTROLLER_TX [--save CAPTURE] [--csv] [--gap MS]\n"
    "                      [--seconds N]\n"
    "       orvane-monitor --through DISPLAY_SIDE CONTROLLER_SIDE [--save CAPTURE] [--csv]\n"
    "                      [--gap MS] [--seconds N]\n"
    "  --tap      listen on two devices: one hears the display, the other the controller\n"
    "  --through  sit between the display and the controller and hand every byte on; either\n"
    "             side may be \"pty\": a pseudo-terminal whose device is printed to stderr\n"
    "  --read     decode a capture written with --save\n"
    "  --csv      one CSV row per frame instead of text\n"
    "  --gap MS   report frames further apart than MS (default 500)\n"
    "  --seconds  stop after N seconds (default: at ^C)\n";

std::atomic<bool> gStop{false};

void onSignal(int) {
    gStop = true;
}

struct Options {
    std::string read, save;
    std::string displayDevice, controllerDevice;
    bool passThrough = false;
    bool csv = false;
    bool help = false;
    long gapMs = 500;
    double seconds = 0;
};

bool number(const char* text, double& out) {
    char* end = nullptr;
    out = std::strtod(text, &end);
    return end != text && *end == '\0' && out >= 0 && out <= 1e7;
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool more = i + 1 < argc;
        double value = 0;
        if (a == "--help" || a == "-h") {
            o.help = true;
            return true;
        }
        if (a == "--read" && more) {
            o.read = argv[++i];
        } else if (a == "--save" && more) {
            o.save = argv[++i];
        } else if ((a == "--tap" || a == "--through") && i + 2 < argc) {
            o.passThrough = a == "--through";
            o.displayDevice = argv[++i];
            o.controllerDevice = argv[++i];
        } else if (a == "--csv") {
            o.csv = true;
        } else if (a == "--gap" && more && number(argv[i + 1], value)) {
            o.gapMs = static_cast<long>(value);
            ++i;
        } else if (a == "--seconds" && more && number(argv[i + 1], value)) {
            o.seconds = value;
            ++i;
        } else {
            std::cerr << "orvane-monitor: bad option " << a << "\n";
            return false;
        }
    }
    const bool live = !o.displayDevice.empty();
    if (live == !o.read.empty()) {
        std::cerr << "orvane-monitor: give --read, or --tap or --through\n";
        return false;
    }
    if (!live && !o.save.empty()) {
        std::cerr << "orvane-monitor: --save goes with a live line\n";
        return false;
    }
    return true;
}

class Printer {
  public:
    explicit Printer(bool csv) : csv_(csv) {
        if (csv_) std::fputs(monitor::csvHeader().c_str(), stdout);
    }
    void operator()(const monitor::LineEvent& e) const {
        std::fputs((csv_ ? monitor::eventCsv(e) : monitor::eventText(e)).c_str(), stdout);
        std::fflush(stdout);
    }

  private:
    bool csv_;
};

int readCapture(const Options& o, const monitor::LineTiming& timing) {
    std::ifstream in(o.read, std::ios::binary);
    if (!in) {
        std::cerr << "orvane-monitor: cannot open " << o.read << "\n";
        return 1;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    const monitor::CaptureRead capture = monitor::parseCapture(bytes);
    const Printer print(o.csv);
    monitor::decodeChunks(capture.chunks, print, timing);
    if (capture.ok) return 0;
    std::cerr << "orvane-monitor: " << o.read << ": " << capture.fault << " at offset "
              << capture.faultOffset << "; the chunks before it are shown\n";
    return 1;
}

int runLive(const Options& o, const monitor::LineTiming& timing) {
    monitor::LiveLine line;
    line.passThrough = o.passThrough;
    std::string displayPty, controllerPty;
    for (const std::string& error :
         {monitor::openLineDevice(o.displayDevice, line.fromDisplay, displayPty),
          monitor::openLineDevice(o.controllerDevice, line.fromController, controllerPty)}) {
        if (!error.empty()) {
            std::cerr << "orvane-monitor: " << error << "\n";
            return 1;
        }
    }
    if (!displayPty.empty()) std::cerr << "display side: " << displayPty << "\n";
    if (!controllerPty.empty()) std::cerr << "controller side: " << controllerPty << "\n";
    monitor::CaptureWriter writer;
    if (!o.save.empty() && !writer.open(o.save)) {
        std::cerr << "orvane-monitor: cannot write " << o.save << "\n";
        return 1;
    }
    const Printer print(o.csv);
    monitor::LineDecoder display(monitor::Direction::FromDisplay, print, timing);
    monitor::LineDecoder controller(monitor::Direction::FromController, print, timing);
    bool saving = !o.save.empty();
    monitor::LiveCallbacks callbacks;
    callbacks.chunk = [&](const monitor::Chunk& chunk) {
        if (saving && !writer.write(chunk)) {
            std::cerr << "orvane-monitor: writing " << o.save << " failed; decoding goes on\n";
            saving = false;
        }
        auto& side = chunk.direction == monitor::Direction::FromDisplay ? display : controller;
        side.feed(chunk.timeUs, chunk.bytes.data(), chunk.bytes.size());
    };
    callbacks.idle = [&](uint64_t now) {
        display.quietUntil(now);
        controller.quietUntil(now);
    };
    std::string error;
    const bool ok = monitor::runLiveLine(line, callbacks, gStop, o.seconds, error);
    display.finish();
    controller.finish();
    if (!ok) std::cerr << "orvane-monitor: " << error << "\n";
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::cerr << kUsage;
        return 2;
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    monitor::LineTiming timing;
    timing.gapUs = static_cast<uint64_t>(options.gapMs) * 1000;
    return options.read.empty() ? runLive(options, timing) : readCapture(options, timing);
}
