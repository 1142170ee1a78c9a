#include "program/remote_wiring.h"

#include <condition_variable>
#include <iostream>
#include <mutex>

#include "link/node_id.h"
#include "logging/long_term_log.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"
#include "platform/gfx/png.h"
#include "program/wiring.h"
#include "remote/access_token.h"
#include "remote/link_watch.h"
#include "remote/mqtt/telemetry.h"
#include "remote/web/frame_tap.h"
#include "remote/web/web_view.h"
#include "screens/status/status_bars.h"
#include "screens/warnings/shutdown_help.h"
#include "screens/warnings/shutdown_history.h"

namespace program {
namespace {

namespace ui = platform::ui;

constexpr size_t kMaxLongTermLogBytes = 8u << 20;
constexpr int kFrameWaitMs = 2000;
constexpr const char* kOutboxPath = "\\Hard Disk\\TelemetryOutbox";

std::string isoTime(platform::FileTime time) {
    const platform::LocalTime t = platform::fileTimeToLocalTime(time);
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", t.year, t.month, t.day,
                  t.hour, t.minute, t.second);
    return text;
}

remote::PanelSources panelSources() {
    remote::PanelSources sources;
    sources.stateWord = [] { return status::runningStateWord(); };
    sources.deviceName = [](uint32_t node) {
        const char* name = dryer::nodeName(static_cast<dryer::NodeId>(node));
        return std::string(name ? name : "");
    };
    sources.helpLines = [](uint32_t node, uint32_t warning) {
        return warnings::helpTextLines(node, warning);
    };
    return sources;
}

std::vector<remote::HistoryEntry> historyNewestFirst() {
    std::vector<warnings::ShutdownRecord> records;
    if (!warnings::readShutdownHistory(warnings::kSortByDateTime, records)) return {};
    std::vector<remote::HistoryEntry> entries;
    entries.reserve(records.size());
    for (auto r = records.rbegin(); r != records.rend(); ++r)
        entries.push_back({r->warning, r->node, isoTime(r->time)});
    return entries;
}

std::optional<std::string> historyText() {
    std::vector<warnings::ShutdownRecord> records;
    if (!warnings::readShutdownHistory(warnings::kSortByDateTime, records)) return std::nullopt;
    std::string text;
    for (const warnings::ShutdownRecord& r : records)
        text += warnings::exportLine(r);
    return text;
}

std::optional<std::string> longTermLog() {
    const auto bytes = platform::readWholeFile(logging::kLongTermLogPath, kMaxLongTermLogBytes);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

// The screen taken on the UI thread, encoded on the asking one; the last picture is kept while
// the screen has not changed, so any number of viewers cost one capture per change.
class FrameSource {
  public:
    explicit FrameSource(const remote::FrameTap& tap) : tap_(tap) {}
    std::vector<uint8_t> png() {
        std::lock_guard lock(mutex_);
        const uint64_t frame = tap_.frames();
        if (frame == encodedFrame_ && !png_.empty()) return png_;
        if (auto screen = capture()) {
            png_ = platform::gfx::encodePng(*screen);
            encodedFrame_ = frame;
        }
        return png_;
    }

  private:
    struct Handoff {
        std::mutex mutex;
        std::condition_variable done;
        std::optional<platform::gfx::Surface> screen;
    };
    static std::optional<platform::gfx::Surface> capture() {
        auto handoff = std::make_shared<Handoff>();
        ui::postTask([handoff] {
            platform::gfx::Surface screen = ui::captureScreen();
            std::lock_guard lock(handoff->mutex);
            handoff->screen = std::move(screen);
            handoff->done.notify_all();
        });
        std::unique_lock lock(handoff->mutex);
        handoff->done.wait_for(lock, std::chrono::milliseconds(kFrameWaitMs),
                               [&] { return handoff->screen.has_value(); });
        return std::move(handoff->screen);
    }
    const remote::FrameTap& tap_;
    std::mutex mutex_;
    uint64_t encodedFrame_ = 0;
    std::vector<uint8_t> png_;
};

std::string dryerNameOf(const shell::DisplayOptions& options) {
    return options.dryerName.empty() ? "Dryer" : options.dryerName;
}

bool mqttSettings(const shell::DisplayOptions& options, remote::MqttSettings& settings,
                  std::string& error) {
    if (!remote::parseMqttUrl(options.mqtt, settings, error)) return false;
    settings.caFile = options.mqttCaFile;
    if (!options.mqttCredentials.empty() &&
        !remote::readMqttCredentials(options.mqttCredentials, settings, error)) {
        return false;
    }
    const std::string level = remote::topicLevel(dryerNameOf(options));
    settings.clientId = "orvane-" + level;
    settings.topicPrefix = "orvane/" + level + "/";
    return true;
}

}  // namespace

struct RemoteServices::Impl {
    const remote::FrameTap* tap = nullptr;
    std::unique_ptr<FrameSource> frames;
    std::unique_ptr<remote::LinkWatch> watch;
    remote::WebView web;
    remote::Telemetry telemetry;

    bool startWeb(const shell::DisplayOptions& options, const std::string& token);
    bool startTelemetry(const shell::DisplayOptions& options);
};

RemoteServices::RemoteServices() : impl_(std::make_unique<Impl>()) {}

RemoteServices::~RemoteServices() {
    stop();
}

bool RemoteServices::checkOptions(const shell::DisplayOptions& options, std::string& error) {
    std::string host;
    int port = 0;
    if (!options.web.empty() && !remote::parseWebAddress(options.web, host, port)) {
        error = "--web needs HOST:PORT with a port from 0 to 65535";
        return false;
    }
    remote::MqttSettings settings;
    if (!options.mqtt.empty() && !remote::parseMqttUrl(options.mqtt, settings, error)) return false;
    if (options.mqtt.empty() && (!options.mqttCaFile.empty() || !options.mqttCredentials.empty())) {
        error = "--mqtt-ca and --mqtt-credentials need --mqtt";
        return false;
    }
    return true;
}

std::unique_ptr<ui::Backend> RemoteServices::tap(const shell::DisplayOptions& options,
                                                 std::unique_ptr<ui::Backend> backend) {
    if (options.web.empty()) return backend;
    auto tap = std::make_unique<remote::FrameTap>(std::move(backend));
    impl_->tap = tap.get();
    return tap;
}

bool RemoteServices::start(const shell::DisplayOptions& options, const std::string& root,
                           const dryer::ControllerLink& link) {
    const std::string token =
        remote::loadOrCreateAccessToken(root + "/" + std::string(remote::kTokenFileName));
    if (options.web.empty() && options.mqtt.empty()) return true;
    impl_->watch = std::make_unique<remote::LinkWatch>([&link] { return link.goodFrames(); });
    bool started = true;
    if (!options.web.empty()) started = impl_->startWeb(options, token) && started;
    if (!options.mqtt.empty()) started = impl_->startTelemetry(options) && started;
    return started;
}

bool RemoteServices::Impl::startWeb(const shell::DisplayOptions& options,
                                    const std::string& token) {
    remote::WebOptions settings;
    remote::parseWebAddress(options.web, settings.host, settings.port);
    settings.token = token;
    settings.dryerName = dryerNameOf(options);
    frames = std::make_unique<FrameSource>(*tap);
    remote::WebContent content;
    content.panel = panelSources();
    content.history = historyNewestFirst;
    content.historyText = historyText;
    content.longTermLog = longTermLog;
    content.framePng = [source = frames.get()] { return source->png(); };
    content.frameNumber = [counter = tap] { return counter->frames(); };
    std::string error;
    if (!web.start(settings, std::move(content), *watch, error)) {
        std::cerr << "orvane-display: " << error << "\n";
        return false;
    }
    std::cerr << "orvane-display: web view on http://" << settings.host << ":" << web.port()
              << "/\n";
    return true;
}

bool RemoteServices::Impl::startTelemetry(const shell::DisplayOptions& options) {
    remote::MqttSettings settings;
    std::string error;
    if (!mqttSettings(options, settings, error) ||
        !telemetry.start(settings, panelSources(), *watch, dryerNameOf(options), kOutboxPath,
                         error)) {
        std::cerr << "orvane-display: " << error << "; no telemetry\n";
        return false;
    }
    const std::string name = dryerNameOf(options);
    setShutdownListener([this, name](uint8_t node, uint8_t warning) {
        telemetry.shutdownRecorded(remote::shutdownMessage(node, warning, name));
    });
    return true;
}

void RemoteServices::stop() {
    setShutdownListener({});
    impl_->telemetry.stop();
    impl_->web.stop();
    impl_->watch.reset();
}

}  // namespace program
