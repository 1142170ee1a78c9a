// What the telemetry is given: the broker's URL, a credentials file that only its owner may
// read, topic levels made from any dryer name, and the durable outbox it sends from.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/files/files.h"
#include "platform/store/outbox.h"
#include "remote/mqtt/mqtt_settings.h"
#include "support/temp_dir.h"

namespace remote {
namespace {

namespace fs = std::filesystem;

TEST(MqttSettings, UrlsPortsAndTls) {
    MqttSettings s;
    std::string error;
    ASSERT_TRUE(parseMqttUrl("mqtt://broker.farm", s, error));
    EXPECT_EQ(s.host, "broker.farm");
    EXPECT_EQ(s.port, 1883);
    EXPECT_FALSE(s.tls);
    ASSERT_TRUE(parseMqttUrl("mqtts://10.0.0.5:8884/", s, error));
    EXPECT_EQ(s.host, "10.0.0.5");
    EXPECT_EQ(s.port, 8884);
    EXPECT_TRUE(s.tls);
    ASSERT_TRUE(parseMqttUrl("mqtts://broker", s, error));
    EXPECT_EQ(s.port, 8883);
    for (const char* bad :
         {"", "broker:1883", "http://broker", "mqtt://", "mqtt://:1883", "mqtt://broker:0",
          "mqtt://broker:70000", "mqtt://user@broker", "mqtt://broker/topic"}) {
        EXPECT_FALSE(parseMqttUrl(bad, s, error)) << bad;
        EXPECT_FALSE(error.empty());
    }
}

TEST(MqttSettings, CredentialsOnlyFromAnOwnerOnlyFile) {
    testsupport::TempDir dir;
    const std::string file = (dir.path() / "mqtt.cred").string();
    std::ofstream(file) << "dryer-north\r\ns3cret pass\n";
    MqttSettings s;
    std::string error;
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(readMqttCredentials(file, s, error));
    EXPECT_NE(error.find("readable by other users"), std::string::npos);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(readMqttCredentials(file, s, error)) << error;
    EXPECT_EQ(s.user, "dryer-north");
    EXPECT_EQ(s.password, "s3cret pass");
    EXPECT_FALSE(readMqttCredentials(file + ".missing", s, error));
    std::ofstream(file, std::ios::trunc) << "\n";
    EXPECT_FALSE(readMqttCredentials(file, s, error));
}

TEST(MqttSettings, DryerNamesBecomeOneTopicLevel) {
    EXPECT_EQ(topicLevel("north"), "north");
    EXPECT_EQ(topicLevel("North bin/2 #+"), "North_bin_2___");
    EXPECT_EQ(topicLevel(""), "dryer");
    EXPECT_EQ(topicLevel("Trockner Süd"), "Trockner_Süd");
}

TEST(Outbox, KeepsOrderAcrossReopeningAndReplacesADamagedFile) {
    testsupport::TempDir dir;
    platform::configureDevicePaths(dir.str(), "");
    fs::create_directories(dir.path() / "Hard Disk");
    const std::string path = "\\Hard Disk\\TelemetryOutbox";
    {
        platform::Outbox box;
        ASSERT_TRUE(box.open(path));
        EXPECT_FALSE(box.front());
        const int64_t first = box.add("{\"a\":1}");
        const int64_t second = box.add("{\"b\":2}");
        EXPECT_GT(second, first);
        EXPECT_EQ(box.size(), 2);
    }
    platform::Outbox box;
    ASSERT_TRUE(box.open(path));
    auto front = box.front();
    ASSERT_TRUE(front);
    EXPECT_EQ(front->payload, "{\"a\":1}");
    EXPECT_TRUE(box.remove(front->id));
    const int64_t third = box.add("{\"c\":3}");
    EXPECT_EQ(box.front()->payload, "{\"b\":2}");
    box.remove(box.front()->id);
    EXPECT_EQ(box.front()->id, third);
    box.remove(third);
    // Ids are never reused, even after the queue ran empty.
    EXPECT_GT(box.add("{\"d\":4}"), third);
    box.close();

    std::ofstream(dir.path() / "Hard Disk" / "TelemetryOutbox", std::ios::trunc) << "not a queue";
    ASSERT_TRUE(box.open(path));
    EXPECT_EQ(box.size(), 0);
    EXPECT_TRUE(fs::exists(dir.path() / "Hard Disk" / "TelemetryOutbox.damaged"));
}

}  // namespace
}  // namespace remote
