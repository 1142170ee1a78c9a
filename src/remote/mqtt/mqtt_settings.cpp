#include "remote/mqtt/mqtt_settings.h"

#include <charconv>
#include <filesystem>
#include <fstream>

namespace remote {

bool parseMqttUrl(const std::string& url, MqttSettings& settings, std::string& error) {
    std::string rest;
    if (url.starts_with("mqtt://")) {
        settings.tls = false;
        settings.port = 1883;
        rest = url.substr(7);
    } else if (url.starts_with("mqtts://")) {
        settings.tls = true;
        settings.port = 8883;
        rest = url.substr(8);
    } else {
        error = "--mqtt needs mqtt://HOST[:PORT] or mqtts://HOST[:PORT]";
        return false;
    }
    if (!rest.empty() && rest.back() == '/') rest.pop_back();
    const size_t colon = rest.rfind(':');
    if (colon != std::string::npos && rest.find(']') == std::string::npos) {
        const std::string digits = rest.substr(colon + 1);
        int port = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
        if (ec != std::errc() || end != digits.data() + digits.size() || port < 1 || port > 65535) {
            error = "--mqtt: the port must be from 1 to 65535";
            return false;
        }
        settings.port = port;
        rest = rest.substr(0, colon);
    }
    if (rest.empty() || rest.find_first_of("/@ ") != std::string::npos) {
        error = "--mqtt: no broker host in " + url;
        return false;
    }
    settings.host = rest;
    return true;
}

bool readMqttCredentials(const std::string& file, MqttSettings& settings, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::perms perms = fs::status(file, ec).permissions();
    if (ec || !fs::is_regular_file(file, ec)) {
        error = "cannot read the MQTT credentials file " + file;
        return false;
    }
    constexpr fs::perms kOthers = fs::perms::group_all | fs::perms::others_all;
    if ((perms & kOthers) != fs::perms::none) {
        error = "the MQTT credentials file " + file + " is readable by other users (chmod 600 it)";
        return false;
    }
    std::ifstream in(file);
    std::getline(in, settings.user);
    std::getline(in, settings.password);
    for (std::string* text : {&settings.user, &settings.password}) {
        if (!text->empty() && text->back() == '\r') text->pop_back();
    }
    if (settings.user.empty()) {
        error = "the MQTT credentials file " + file + " holds no user name";
        return false;
    }
    return true;
}

std::string topicLevel(const std::string& dryerName) {
    std::string level;
    for (char c : dryerName) {
        const auto u = static_cast<unsigned char>(c);
        level += (c == '/' || c == '+' || c == '#' || c == ' ' || u < 0x20 || u == 0x7F) ? '_' : c;
    }
    return level.empty() ? "dryer" : level;
}

}  // namespace remote
