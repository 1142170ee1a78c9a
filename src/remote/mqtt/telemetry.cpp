#include "remote/mqtt/telemetry.h"

#include <mosquitto.h>

#include <chrono>
#include <iostream>

#include "i18n/language.h"
#include "link/node_id.h"
#include "platform/store/outbox.h"
#include "remote/json.h"

namespace remote {
namespace {

constexpr int kKeepAliveSeconds = 30;
constexpr int kLoopTimeoutMs = 200;

std::once_flag gLibraryReady;

}  // namespace

std::string shutdownMessage(uint8_t node, uint8_t warning, const std::string& dryerName) {
    char code[8];
    std::snprintf(code, sizeof code, "%02X%02X", node, warning);
    const char* device = dryer::nodeName(node);
    JsonWriter w;
    w.beginObject();
    w.key("dryer").value(dryerName);
    w.key("time").value(isoLocalNow());
    w.key("nodeId").value(int{node}).key("warningId").value(int{warning});
    w.key("code").value(code);
    w.key("node").value(device ? device : "");
    w.key("warning").value(i18n::GetWarningText(node, warning));
    w.endObject();
    return w.text();
}

struct Telemetry::Client {
    MqttSettings settings;
    PanelSources sources;
    LinkWatch* watch = nullptr;
    std::string dryerName;
    platform::Outbox outbox;
    mosquitto* mosq = nullptr;
    std::thread thread;

    std::mutex mutex;  // guards `handed` and `stopping`
    std::condition_variable wake;
    std::deque<std::string> handed;
    bool stopping = false;

    // Client thread only.
    bool connected = false;
    int inflightMid = 0;
    int64_t inflightId = 0;
    std::string lastStatus;
    std::chrono::steady_clock::time_point lastStatusAt{};
    int pauseSeconds = 1;

    std::string topic(const char* leaf) const { return settings.topicPrefix + leaf; }

    void publish(const char* leaf, const std::string& payload, int qos, bool retain,
                 int* mid = nullptr) {
        mosquitto_publish(mosq, mid, topic(leaf).c_str(), static_cast<int>(payload.size()),
                          payload.data(), qos, retain);
    }

    static void onConnect(mosquitto*, void* self, int rc) {
        auto& c = *static_cast<Client*>(self);
        if (rc != 0) return;
        c.connected = true;
        c.pauseSeconds = 1;
        c.publish("online", "1", 1, true);
        c.lastStatus.clear();  // say the status again at once
        std::cerr << "orvane-display: telemetry connected to " << c.settings.host << ":"
                  << c.settings.port << "\n";
    }
    static void onDisconnect(mosquitto*, void* self, int) {
        static_cast<Client*>(self)->connected = false;
    }
    // A shutdown message is taken off the outbox only once the broker has acknowledged it.
    static void onPublish(mosquitto*, void* self, int mid) {
        auto& c = *static_cast<Client*>(self);
        if (c.inflightMid == 0 || mid != c.inflightMid) return;
        c.outbox.remove(c.inflightId);
        c.inflightMid = 0;
        c.inflightId = 0;
    }

    bool make(std::string& error) {
        std::call_once(gLibraryReady, [] { mosquitto_lib_init(); });
        mosq = mosquitto_new(settings.clientId.c_str(), true, this);
        if (!mosq) {
            error = "cannot make the MQTT client";
            return false;
        }
        mosquitto_connect_callback_set(mosq, onConnect);
        mosquitto_disconnect_callback_set(mosq, onDisconnect);
        mosquitto_publish_callback_set(mosq, onPublish);
        mosquitto_will_set(mosq, topic("online").c_str(), 1, "0", 1, true);
        if (!settings.user.empty()) {
            mosquitto_username_pw_set(
                mosq, settings.user.c_str(),
                settings.password.empty() ? nullptr : settings.password.c_str());
        }
        if (settings.tls) {
            const char* file = settings.caFile.empty() ? nullptr : settings.caFile.c_str();
            const char* path = settings.caFile.empty() ? "/etc/ssl/certs" : nullptr;
            if (mosquitto_tls_set(mosq, file, path, nullptr, nullptr, nullptr) !=
                MOSQ_ERR_SUCCESS) {
                error = "cannot use the certificate authorities " + settings.caFile;
                return false;
            }
        }
        return true;
    }

    // Waits while the broker is away, keeping every shutdown handed in meanwhile in the outbox at
    // once; true when woken to stop.
    bool pause(int seconds) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        for (;;) {
            {
                std::unique_lock lock(mutex);
                const bool woken =
                    wake.wait_until(lock, until, [this] { return stopping || !handed.empty(); });
                if (stopping) return true;
                if (!woken) return false;
            }
            keepHanded();
        }
    }

    void keepHanded() {
        std::deque<std::string> messages;
        {
            std::lock_guard lock(mutex);
            messages.swap(handed);
        }
        for (const std::string& m : messages) {
            if (outbox.add(m) == 0) std::cerr << "orvane-display: telemetry outbox not written\n";
        }
    }

    void sayStatus() {
        const PanelSnapshot snap =
            takePanelSnapshot(dryer::dryerState(), sources, dryerName, watch->lastGoodFrame());
        const std::string json = panelSnapshotJson(snap);
        const auto now = std::chrono::steady_clock::now();
        if (json == lastStatus && now - lastStatusAt < std::chrono::seconds(kStatusEverySeconds))
            return;
        publish("status", json, 1, true);
        lastStatus = json;
        lastStatusAt = now;
    }

    // One shutdown message at a time, so that they arrive in their order.
    void sendNextShutdown() {
        if (inflightMid != 0) return;
        const auto next = outbox.front();
        if (!next) return;
        const std::string payload = "{\"id\":" + std::to_string(next->id) + "," +
                                    next->payload.substr(next->payload.empty() ? 0 : 1);
        int mid = 0;
        publish("shutdown", payload, 1, false, &mid);
        inflightMid = mid;
        inflightId = next->id;
    }

    void reconnect(bool first) {
        const int rc = first ? mosquitto_connect_async(mosq, settings.host.c_str(), settings.port,
                                                       kKeepAliveSeconds)
                             : mosquitto_reconnect_async(mosq);
        if (rc != MOSQ_ERR_SUCCESS) connected = false;
    }

    void run() {
        reconnect(true);
        auto lastSecond = std::chrono::steady_clock::now();
        bool announcedLoss = false;
        for (;;) {
            {
                std::lock_guard lock(mutex);
                if (stopping) break;
            }
            const int rc = mosquitto_loop(mosq, kLoopTimeoutMs, 1);
            keepHanded();
            if (rc != MOSQ_ERR_SUCCESS) {
                if (!announcedLoss) {
                    std::cerr << "orvane-display: telemetry broker " << settings.host << ":"
                              << settings.port << " not reached; trying again\n";
                    announcedLoss = true;
                }
                if (pause(pauseSeconds)) break;
                pauseSeconds = std::min(pauseSeconds * 2, kLongestReconnectPauseSeconds);
                reconnect(false);
                continue;
            }
            if (connected) announcedLoss = false;
            const auto now = std::chrono::steady_clock::now();
            if (connected && now - lastSecond >= std::chrono::seconds(1)) {
                lastSecond = now;
                sayStatus();
            }
            if (connected) sendNextShutdown();
        }
        keepHanded();
        if (connected) {
            int mid = 0;
            publish("online", "0", 1, true, &mid);
            for (int i = 0; i < 10 && mosquitto_want_write(mosq); ++i)
                mosquitto_loop(mosq, 50, 1);
            mosquitto_disconnect(mosq);
            mosquitto_loop(mosq, 50, 1);
        }
    }
};

Telemetry::Telemetry() : client_(std::make_unique<Client>()) {}

Telemetry::~Telemetry() {
    stop();
    if (client_->mosq) mosquitto_destroy(client_->mosq);
}

bool Telemetry::start(const MqttSettings& settings, PanelSources sources, LinkWatch& watch,
                      const std::string& dryerName, const std::string& outboxPath,
                      std::string& error) {
    Client& c = *client_;
    c.settings = settings;
    c.sources = std::move(sources);
    c.watch = &watch;
    c.dryerName = dryerName;
    if (!c.outbox.open(outboxPath)) {
        error = "cannot open the telemetry outbox " + outboxPath;
        return false;
    }
    if (!c.make(error)) return false;
    c.thread = std::thread([&c] { c.run(); });
    return true;
}

void Telemetry::shutdownRecorded(std::string message) {
    {
        std::lock_guard lock(client_->mutex);
        client_->handed.push_back(std::move(message));
    }
    client_->wake.notify_all();
}

void Telemetry::stop() {
    if (!client_->thread.joinable()) return;
    {
        std::lock_guard lock(client_->mutex);
        client_->stopping = true;
    }
    client_->wake.notify_all();
    client_->thread.join();
}

}  // namespace remote
