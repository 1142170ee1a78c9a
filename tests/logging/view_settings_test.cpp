#include "logging/view_settings.h"

#include <array>

#include "log_fixture.h"
#include "logging/graph_scale.h"

namespace logging {
namespace {

class ViewSettings : public LogTest {
  protected:
    static void put(std::string_view name, std::vector<uint8_t> bytes) {
        ASSERT_TRUE(platform::registryWrite(kViewSettingsKey, name, bytes));
    }
    static std::vector<uint8_t> stored(std::string_view name) {
        std::vector<uint8_t> bytes;
        platform::registryRead(kViewSettingsKey, name, bytes);
        return bytes;
    }
};

TEST_F(ViewSettings, AMissingKeyGivesTheDefaults) {
    GraphTraceOn.fill(0);
    LoadViewSettings();
    EXPECT_EQ(GraphTraceOn, (std::array<uint8_t, 6>{0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(GraphScale, 0);
    EXPECT_EQ(GraphScaleFactor(), 1);
    EXPECT_EQ(ScreenViewSelection, 0);
    EXPECT_EQ(LeftColumnSelection, 0);
    EXPECT_EQ(ShortTermSampleMinutes, 10);
}

TEST_F(ViewSettings, StoredValuesLoadWithTheirRangeRules) {
    put("GRAPH_TRACES_ON_OFF", {0x21});
    put("GRAPH_HORIZONTAL_SCALE", {3});
    put("TEMP_DATA_LOG_SAMPLE_TIME", {15});
    put("SCREEN_VIEW_SELECTION", {1});
    put("LEFT_COLUMN_SELECTION", {1});
    LoadViewSettings();
    EXPECT_EQ(GraphTraceOn, (std::array<uint8_t, 6>{1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(GraphScaleFactor(), 8);
    EXPECT_EQ(ShortTermSampleMinutes, 15);
    EXPECT_EQ(ScreenViewSelection, 1);
    EXPECT_EQ(LeftColumnSelection, 1);

    ResetViewSettings();
    put("LEFT_COLUMN_SELECTION", {7});  // not a choice: the dryer picture
    put("GRAPH_HORIZONTAL_SCALE", {4});
    put("TEMP_DATA_LOG_SAMPLE_TIME", {16});
    put("SCREEN_VIEW_SELECTION", {2});
    LoadViewSettings();
    EXPECT_EQ(GraphScale, 0);
    EXPECT_EQ(ShortTermSampleMinutes, 5);
    EXPECT_EQ(ScreenViewSelection, 0);
    EXPECT_EQ(LeftColumnSelection, 0);

    put("TEMP_DATA_LOG_SAMPLE_TIME", {0});  // would sample on every tick
    LoadViewSettings();
    EXPECT_EQ(ShortTermSampleMinutes, 5);
    put("TEMP_DATA_LOG_SAMPLE_TIME", {7});
    LoadViewSettings();
    EXPECT_EQ(ShortTermSampleMinutes, 7);

    ResetViewSettings();
    put("GRAPH_TRACES_ON_OFF", {0});  // every trace turned off is the operator's choice
    LoadViewSettings();
    EXPECT_EQ(GraphTraceOn, (std::array<uint8_t, 6>{}));

    ResetViewSettings();
    put("GRAPH_HORIZONTAL_SCALE", {});  // unreadable values keep their defaults
    put("TEMP_DATA_LOG_SAMPLE_TIME", {1, 0});
    LoadViewSettings();
    EXPECT_EQ(GraphScale, 0);
    EXPECT_EQ(ShortTermSampleMinutes, 10);
}

TEST_F(ViewSettings, SavesWriteOneByteEachAndLoadBack) {
    GraphTraceOn = {0, 1, 0, 1, 1, 0};
    GraphScale = 2;
    ShortTermSampleMinutes = 1;
    ScreenViewSelection = 1;
    LeftColumnSelection = 1;
    EXPECT_TRUE(SaveLeftColumnSelection());
    EXPECT_TRUE(SaveGraphTraces());
    EXPECT_TRUE(SaveGraphScale());
    EXPECT_TRUE(SaveSampleTime());
    EXPECT_TRUE(SaveViewSelection());
    EXPECT_EQ(stored("GRAPH_TRACES_ON_OFF"), std::vector<uint8_t>{0x1A});
    EXPECT_EQ(stored("GRAPH_HORIZONTAL_SCALE"), std::vector<uint8_t>{2});
    ResetViewSettings();
    LoadViewSettings();
    EXPECT_EQ(GraphTraceOn, (std::array<uint8_t, 6>{0, 1, 0, 1, 1, 0}));
    EXPECT_EQ(GraphScale, 2);
    EXPECT_EQ(ShortTermSampleMinutes, 1);
    EXPECT_EQ(ScreenViewSelection, 1);
    EXPECT_EQ(LeftColumnSelection, 1);

    platform::registryOpen("");  // no store: the write fails and says so
    EXPECT_FALSE(SaveGraphScale());
}

TEST(GraphAxis, TicksCoverTheSeriesAndHeightsSpanOneHundredEightyPixels) {
    std::array<int, 360> flat;
    flat.fill(150);
    GraphTicks t = GraphAxisTicks(flat);
    EXPECT_EQ(t.base, 150);
    EXPECT_EQ(t.step, 1);
    EXPECT_EQ(t.tick(4), 154);
    std::array<int, 360> heights;
    GraphScaleHeights(flat, t, heights);
    EXPECT_EQ(heights[0], 0);  // on the base line
    EXPECT_EQ(heights[359], 0);

    std::array<int, 360> wide{};
    wide[10] = 1000;
    t = GraphAxisTicks(wide);
    EXPECT_EQ(t.base, 0);
    EXPECT_EQ(t.step, 250);
    EXPECT_EQ(t.tick(4), 1000);
    GraphScaleHeights(wide, t, heights);
    EXPECT_EQ(heights[10], 180);

    const std::array<int, 4> moisture{152, 161, 149, 158};  // r = 15: step 5, base 145
    t = GraphAxisTicks(moisture);
    EXPECT_EQ(t.base, 145);
    EXPECT_EQ(t.step, 5);
    std::array<int, 4> h{};
    GraphScaleHeights(moisture, t, h);
    EXPECT_EQ(h, (std::array<int, 4>{63, 144, 36, 117}));

    const std::array<int, 2> justOver{4, 21};  // r = 20: step 5 from 0 tops out at 20
    t = GraphAxisTicks(justOver);
    EXPECT_EQ(t.base, 0);
    EXPECT_EQ(t.step, 6);
    GraphScaleHeights(justOver, t, h);
    EXPECT_LE(h[1], 180);

    const std::array<int, 2> cold{-30, 10};  // r = 43: step 20, base below the lowest value
    t = GraphAxisTicks(cold);
    EXPECT_EQ(t.base, -40);
    EXPECT_EQ(t.step, 20);
    GraphScaleHeights(cold, t, h);
    EXPECT_EQ(h[0], 22);
    EXPECT_EQ(h[1], 112);

    const std::array<int, 2> bands[] = {{0, 1},  {0, 5},  {0, 9},   {0, 17},  {0, 37},
                                        {0, 77}, {0, 97}, {0, 117}, {0, 157}, {0, 197}};
    const int steps[] = {1, 2, 3, 5, 10, 20, 25, 30, 40, 50};
    for (size_t i = 0; i < std::size(steps); ++i) {
        EXPECT_EQ(GraphAxisTicks(bands[i]).step, steps[i]) << i;
    }
}

}  // namespace
}  // namespace logging
