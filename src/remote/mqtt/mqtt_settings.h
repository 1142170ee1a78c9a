#pragma once
// Where the telemetry goes: the broker's URL, its credentials file and the topics made from the
// dryer's name.

#include <string>

namespace remote {

struct MqttSettings {
    std::string host;
    int port = 1883;
    bool tls = false;
    std::string caFile;  // certificate authorities, for mqtts
    std::string user;
    std::string password;
    std::string clientId;     // "orvane-<dryer>"
    std::string topicPrefix;  // "orvane/<dryer>/"
};

// "mqtt://host[:port]" (1883) or "mqtts://host[:port]" (8883). False with the reason otherwise.
bool parseMqttUrl(const std::string& url, MqttSettings& settings, std::string& error);

// The user name on the first line and the password on the second. The file must be readable by
// its owner only, so that the password never shows on the command line or to other users.
bool readMqttCredentials(const std::string& file, MqttSettings& settings, std::string& error);

// A dryer name as one topic level: '/', '+', '#', blanks and control characters become '_'.
std::string topicLevel(const std::string& dryerName);

}  // namespace remote
