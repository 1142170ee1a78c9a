#include "shell/options.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace shell {
namespace {

constexpr int kMaxScale = 8;
constexpr double kMaxScreenshotSeconds = 86400.0;

std::optional<int> parseInt(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < low || value > high) return std::nullopt;
    return value;
}

// Seconds with an optional fraction, returned as whole milliseconds.
std::optional<int> parseSeconds(std::string_view text) {
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (!std::isfinite(value) || value < 0 || value > kMaxScreenshotSeconds) return std::nullopt;
    return static_cast<int>(std::lround(value * 1000.0));
}

class ArgumentReader {
  public:
    explicit ArgumentReader(const std::vector<std::string_view>& args) : args_(args) {}

    bool done() const { return index_ >= args_.size(); }

    // Splits "--name=value" and remembers the inline value for takeValue.
    std::string_view nextName() {
        std::string_view arg = args_[index_++];
        inlineValue_.reset();
        const size_t eq = arg.find('=');
        if (arg.starts_with("--") && eq != std::string_view::npos) {
            inlineValue_ = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        return arg;
    }

    std::optional<std::string_view> takeValue() {
        if (inlineValue_) {
            auto value = inlineValue_;
            inlineValue_.reset();
            return value;
        }
        if (done()) return std::nullopt;
        return args_[index_++];
    }

    bool hasInlineValue() const { return inlineValue_.has_value(); }

  private:
    const std::vector<std::string_view>& args_;
    size_t index_ = 0;
    std::optional<std::string_view> inlineValue_;
};

bool takeText(ArgumentReader& reader, std::string_view name, std::string& out, std::string& error) {
    const auto value = reader.takeValue();
    if (!value || value->empty()) {
        error = std::string(name) + " needs a value";
        return false;
    }
    out = std::string(*value);
    return true;
}

enum class Step { Next, Help, Version, Error };

Step takeOption(std::string_view name, ArgumentReader& reader, DisplayOptions& options,
                std::string& error) {
    auto flag = [&](bool& target) {
        if (reader.hasInlineValue()) {
            error = std::string(name) + " takes no value";
            return Step::Error;
        }
        target = true;
        return Step::Next;
    };
    auto text = [&](std::string& target) {
        return takeText(reader, name, target, error) ? Step::Next : Step::Error;
    };
    if (name == "--help" || name == "-h") return Step::Help;
    if (name == "--version") return Step::Version;
    if (name == "--root") return text(options.root);
    if (name == "--usb") return text(options.usb);
    if (name == "--script") return text(options.scriptFile);
    if (name == "--screenshot") return text(options.screenshotFile);
    if (name == "--web") return text(options.web);
    if (name == "--mqtt") return text(options.mqtt);
    if (name == "--mqtt-ca") return text(options.mqttCaFile);
    if (name == "--mqtt-credentials") return text(options.mqttCredentials);
    if (name == "--dryer-name") return text(options.dryerName);
    if (name == "--simulate") return flag(options.simulate);
    if (name == "--headless") return flag(options.headless);
    if (name == "--fullscreen") return flag(options.fullscreen);
    if (name == "--set-system-clock") return flag(options.setSystemClock);
    if (name == "--port") {
        options.portGiven = true;
        return text(options.port);
    }
    if (name == "--after") {
        const auto value = reader.takeValue();
        const auto ms = value ? parseSeconds(*value) : std::nullopt;
        if (!ms) {
            error = "--after needs a number of seconds from 0 to 86400";
            return Step::Error;
        }
        options.screenshotAfterMs = *ms;
        return Step::Next;
    }
    if (name == "--scale") {
        const auto value = reader.takeValue();
        const auto scale = value ? parseInt(*value, 1, kMaxScale) : std::nullopt;
        if (!scale) {
            error = "--scale needs a whole number from 1 to 8";
            return Step::Error;
        }
        options.scale = *scale;
        return Step::Next;
    }
    error = "unknown option '" + std::string(name) + "'";
    return Step::Error;
}

bool checkCombination(const DisplayOptions& options, std::string& error) {
    if (options.simulate && options.portGiven) {
        error = "--port and --simulate exclude each other";
        return false;
    }
    if (options.screenshotFile.empty() != (options.screenshotAfterMs < 0)) {
        error = "--screenshot and --after go together";
        return false;
    }
    return true;
}

}  // namespace

CommandLineResult parseCommandLine(const std::vector<std::string_view>& args,
                                   DisplayOptions& options, std::string& error) {
    ArgumentReader reader(args);
    while (!reader.done()) {
        switch (takeOption(reader.nextName(), reader, options, error)) {
            case Step::Next:
                break;
            case Step::Help:
                return CommandLineResult::Help;
            case Step::Version:
                return CommandLineResult::Version;
            case Step::Error:
                return CommandLineResult::Error;
        }
    }
    return checkCombination(options, error) ? CommandLineResult::Run : CommandLineResult::Error;
}

std::string usageText() {
    return "Usage: orvane-display [options]\n"
           "  --root DIR             panel root (default: the per-user panel folder)\n"
           "  --usb DIR              folder that stands for the USB drive\n"
           "  --port DEVICE          serial device of the controller line (default /dev/ttyS0)\n"
           "  --simulate             run the controller simulator in this process\n"
           "  --headless             no window; screenshots on demand\n"
           "  --screenshot FILE      write a PNG of the screen ...\n"
           "  --after SECONDS        ... this long after start, then exit 0\n"
           "  --scale N              window scale 1 to 8\n"
           "  --fullscreen           full-screen window\n"
           "  --script FILE          run timed actions: wait MS, touch X Y, hold X Y MS,\n"
           "                         screenshot FILE, quit\n"
           "  --set-system-clock     the time/date dialog sets the host's clock\n"
           "  --web HOST:PORT        serve the read-only web view there (port 0: any free one)\n"
           "  --mqtt URL             send telemetry to the broker mqtt://HOST[:PORT] or mqtts://\n"
           "  --mqtt-ca FILE         certificate authorities of an mqtts broker\n"
           "  --mqtt-credentials FILE  broker user name (first line) and password (second)\n"
           "  --dryer-name NAME      the dryer's name in the web view and the topics\n"
           "  --version              print the version\n"
           "  --help                 print this text\n";
}

std::string versionText() {
    char text[64];
    std::snprintf(text, sizeof text, "orvane-display %d.%02d\n", ORVANE_VERSION_MAJOR,
                  ORVANE_VERSION_MINOR);
    return text;
}

}  // namespace shell
