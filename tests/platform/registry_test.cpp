#include "platform/registry/registry.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace platform {
namespace {

std::vector<uint8_t> bytes(std::initializer_list<uint8_t> b) {
    return b;
}

TEST(Registry, ValuesSurviveAReopenAndKeysIgnoreCase) {
    testsupport::TempDir dir;
    const std::string store = (dir.path() / "Registry.dat").string();
    registryOpen(store);
    ASSERT_TRUE(
        registryWrite("Software\\Tavren\\OrvaneDryer", "GRAPH_HORIZONTAL_SCALE", bytes({2})));
    ASSERT_TRUE(
        registryWrite("Software\\Tavren\\OrvaneDryer", "GRAPH_TRACES_ON_OFF", bytes({0x21})));
    ASSERT_TRUE(
        registryWrite("Software\\Tavren\\OrvaneDryer", "GRAPH_HORIZONTAL_SCALE", bytes({3})));

    registryOpen("");
    registryOpen(store);  // as after a restart
    std::vector<uint8_t> out;
    ASSERT_TRUE(registryRead("software\\tavren\\orvanedryer\\", "graph_horizontal_scale", out));
    EXPECT_EQ(out, bytes({3}));
    ASSERT_TRUE(registryRead("Software\\Tavren\\OrvaneDryer", "GRAPH_TRACES_ON_OFF", out));
    EXPECT_EQ(out, bytes({0x21}));
    EXPECT_FALSE(registryRead("Software\\Tavren\\OrvaneDryer", "SCREEN_VIEW_SELECTION", out));
    EXPECT_TRUE(registryDelete("Software\\Tavren\\OrvaneDryer", "GRAPH_TRACES_ON_OFF"));
    EXPECT_FALSE(registryRead("Software\\Tavren\\OrvaneDryer", "GRAPH_TRACES_ON_OFF", out));
    EXPECT_FALSE(std::filesystem::exists(store + ".tmp"));
}

TEST(Registry, MissingOrDamagedStoreReadsAsAbsentAndCanBeWrittenAgain) {
    testsupport::TempDir dir;
    const std::string store = (dir.path() / "Registry.dat").string();
    std::vector<uint8_t> out;
    registryOpen(store);
    EXPECT_FALSE(registryRead("K", "V", out));

    ASSERT_TRUE(registryWrite("K", "V", bytes({1, 2, 3})));
    std::string good = dir.read("Registry.dat");
    for (size_t cut : {size_t{0}, size_t{5}, good.size() - 1}) {
        dir.write("Registry.dat", good.substr(0, cut));
        EXPECT_FALSE(registryRead("K", "V", out)) << "cut at " << cut;
    }
    std::string flipped = good;
    flipped[flipped.size() / 2] ^= 0x40;
    dir.write("Registry.dat", flipped);
    EXPECT_FALSE(registryRead("K", "V", out));
    // A length field pointing far past the end must not be trusted either.
    std::string huge = good;
    huge[8] = '\xff';
    huge[9] = '\xff';
    dir.write("Registry.dat", huge);
    EXPECT_FALSE(registryRead("K", "V", out));

    ASSERT_TRUE(registryWrite("K", "W", bytes({9})));
    ASSERT_TRUE(registryRead("K", "W", out));
    EXPECT_EQ(out, bytes({9}));
}

TEST(Registry, UnwritableStoreFailsWithoutHarm) {
    std::vector<uint8_t> out;
    registryOpen("/nonexistent-folder/Registry.dat");
    EXPECT_FALSE(registryWrite("K", "V", bytes({1})));
    EXPECT_FALSE(registryRead("K", "V", out));
    registryOpen("");
    EXPECT_FALSE(registryWrite("K", "V", bytes({1})));
}

}  // namespace
}  // namespace platform
