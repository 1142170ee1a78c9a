// The JSON the remote view and the telemetry send: escaping of whatever a warning text or a file
// name may hold, and the shape of a panel snapshot.
#include "remote/json.h"

#include <gtest/gtest.h>

#include "remote/panel_snapshot.h"

namespace remote {
namespace {

TEST(RemoteJson, StringsAreEscapedAndInvalidBytesReplaced) {
    EXPECT_EQ(jsonString("A \"B\" \\ C"), "\"A \\\"B\\\" \\\\ C\"");
    EXPECT_EQ(jsonString("tab\tline\nend\r"), "\"tab\\tline\\nend\\r\"");
    EXPECT_EQ(jsonString(std::string("nul\0x", 5)), "\"nul\\u0000x\"");
    EXPECT_EQ(jsonString("\x7f"), "\"\\u007f\"");
    // Well-formed UTF-8 passes; a lone continuation byte, a cut sequence and a surrogate do not.
    EXPECT_EQ(jsonString("°F Ő Ж"), "\"°F Ő Ж\"");
    EXPECT_EQ(jsonString("a\x80z"), "\"a\xEF\xBF\xBDz\"");
    EXPECT_EQ(jsonString("\xC3"), "\"\xEF\xBF\xBD\"");
    EXPECT_EQ(jsonString("\xED\xA0\x80"), "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

TEST(RemoteJson, WriterSeparatesMembersAndTenths) {
    JsonWriter w;
    w.beginObject().key("a").value(1).key("b").beginArray().value("x").value(true).null();
    w.endArray().key("t").tenths(155).key("n").tenths(-5).key("z").tenths(0).endObject();
    EXPECT_EQ(w.text(), R"({"a":1,"b":["x",true,null],"t":15.5,"n":-0.5,"z":0.0})");
}

TEST(RemoteJson, SnapshotCarriesUnitsShutdownAndLink) {
    PanelSnapshot s;
    s.dryer = "North \"bin\"";
    s.language = "DE";
    s.celsius = true;
    s.state = "DRYER RUNNING";
    s.moistureInTenths = 223;
    s.plenums = {{1, 82, 88}, {2, 80, 88}};
    s.shutdown = ShutdownValue{14, 5, "0E05", "MAIN I/O", "REAR DISCHARGE PLUGGED", {"a", "b"}};
    s.linkUp = false;
    const std::string json = panelSnapshotJson(s, [](JsonWriter& w) { w.key("frame").value(7); });
    EXPECT_NE(json.find(R"("dryer":"North \"bin\"")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("units":{"temperature":"C")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"("incoming":22.3)"), std::string::npos) << json;
    EXPECT_NE(json.find(R"({"fanHeater":2,"temperature":80,"setpoint":88})"), std::string::npos);
    EXPECT_NE(json.find(R"("shutdown":{"node":14,"warning":5,"code":"0E05","device":"MAIN I/O")"),
              std::string::npos);
    EXPECT_NE(json.find(R"("help":["a","b"])"), std::string::npos);
    EXPECT_NE(json.find(R"("link":{"state":"lost","lastGoodFrame":null})"), std::string::npos);
    EXPECT_TRUE(json.ends_with(R"(,"frame":7})")) << json;
}

}  // namespace
}  // namespace remote
