#pragma once
// Fleet telemetry to an MQTT broker: the dryer's status (retained, on change and at least every
// 10 s), one message per recorded shutdown (QoS 1, from a durable outbox, in order) and its
// online state (retained "1", last will "0"). The panel connects out to the broker, on a thread
// of its own, and reconnects with a growing pause; nothing here waits on the exchange or the UI.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "remote/link_watch.h"
#include "remote/mqtt/mqtt_settings.h"
#include "remote/panel_snapshot.h"

namespace remote {

inline constexpr int kStatusEverySeconds = 10;
inline constexpr int kLongestReconnectPauseSeconds = 30;

// The shutdown message's fields (without its id, which the outbox gives it).
std::string shutdownMessage(uint8_t node, uint8_t warning, const std::string& dryerName);

class Telemetry {
  public:
    Telemetry();
    ~Telemetry();
    Telemetry(const Telemetry&) = delete;
    Telemetry& operator=(const Telemetry&) = delete;

    // Opens the outbox at the device path and starts the client. False, with the reason, when
    // the outbox cannot be opened or the client cannot be made.
    bool start(const MqttSettings& settings, PanelSources sources, LinkWatch& watch,
               const std::string& dryerName, const std::string& outboxPath, std::string& error);
    // Any thread, at once: hands a recorded shutdown's message to the client thread, which keeps
    // it in the outbox until the broker has taken it.
    void shutdownRecorded(std::string message);
    // Says "0" on the online topic and disconnects.
    void stop();

  private:
    struct Client;
    std::unique_ptr<Client> client_;
};

}  // namespace remote
