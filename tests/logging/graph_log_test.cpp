#include "logging/graph_log.h"

#include "log_fixture.h"
#include "logging/short_term_log.h"

namespace logging {
namespace {

constexpr const char* kFolder = "GraphDataLog";

class GraphLog : public LogTest {
  protected:
    void seed(const std::string& stamp, int first, int count, const std::string& tail = "") const {
        root.write(std::string("Hard Disk/GraphDataLog/") + name(stamp),
                   taggedRun(first, count) + tail);
    }
    static std::string name(const std::string& stamp) {
        return "GRAPH_DATA_LOG_24HR" + stamp + ".DAT";
    }
    // Tags of the window's samples [first, first + count).
    static std::vector<int> windowTags(size_t first, size_t count) {
        std::vector<int> tags;
        for (size_t i = first; i < first + count; ++i)
            tags.push_back(tagOf(GraphWindowSample(i)));
        return tags;
    }
    static std::vector<int> range(int first, int count) {
        std::vector<int> v;
        for (int i = 0; i < count; ++i)
            v.push_back(first + i);
        return v;
    }
};

TEST_F(GraphLog, FirstSampleCreatesAFileNamedFromTheClock) {
    platform::useManualClock(at(2021, 9, 10, 19, 12, 57));
    ASSERT_TRUE(AppendGraphSample(taggedSample(42)));
    EXPECT_EQ(filesIn(kFolder), std::vector<std::string>{name("21_09_10_19_12_57")});
    EXPECT_EQ(root.read("Hard Disk/GraphDataLog/" + name("21_09_10_19_12_57")), taggedRun(42, 1));

    std::filesystem::remove_all(root.path() / "Hard Disk");
    EXPECT_FALSE(AppendGraphSample(taggedSample(43)));  // no flash disk: the sample is lost
}

TEST_F(GraphLog, FilesRollOverAtTwentyFourHoursAndAtMostTwoRemain) {
    seed("24_03_01_00_00_00", 0, 8639);  // 155502 bytes
    ASSERT_TRUE(AppendGraphSample(taggedSample(8639)));
    EXPECT_EQ(sizeOf("GraphDataLog/" + name("24_03_01_00_00_00")), 155520u);
    ASSERT_TRUE(AppendGraphSample(taggedSample(8640)));
    EXPECT_EQ(filesIn(kFolder),
              (std::vector<std::string>{name("24_03_01_00_00_00"), name("24_03_04_05_06_07")}));
    std::filesystem::resize_file(disk("GraphDataLog/" + name("24_03_04_05_06_07")), 155520);

    platform::advanceManualClock(1000);
    ASSERT_TRUE(AppendGraphSample(taggedSample(1)));  // two full files: the older goes
    EXPECT_EQ(filesIn(kFolder),
              (std::vector<std::string>{name("24_03_04_05_06_07"), name("24_03_04_05_06_08")}));

    // A full newest file rolls over even when the older one was cut short by a power loss;
    // appending to the full file would let it grow without end.
    std::filesystem::resize_file(disk("GraphDataLog/" + name("24_03_04_05_06_07")), 155510);
    std::filesystem::resize_file(disk("GraphDataLog/" + name("24_03_04_05_06_08")), 155520);
    platform::advanceManualClock(1000);
    ASSERT_TRUE(AppendGraphSample(taggedSample(2)));
    EXPECT_EQ(filesIn(kFolder),
              (std::vector<std::string>{name("24_03_04_05_06_08"), name("24_03_04_05_06_09")}));
}

TEST_F(GraphLog, ThreeOrMoreFilesAreCutToTheTwoNewest) {
    seed("24_03_01_00_00_00", 0, 8640);
    seed("24_03_02_00_00_00", 0, 8640);
    seed("24_03_03_00_00_00", 0, 10);
    seed("24_03_03_01_00_00", 0, 10);
    ASSERT_TRUE(AppendGraphSample(taggedSample(100)));
    EXPECT_EQ(filesIn(kFolder),
              (std::vector<std::string>{name("24_03_03_00_00_00"), name("24_03_03_01_00_00")}));
    for (int i = 1; i < 5; ++i)
        ASSERT_TRUE(AppendGraphSample(taggedSample(100 + i)));
    EXPECT_EQ(sizeOf("GraphDataLog/" + name("24_03_03_01_00_00")), 15u * 18);
}

TEST_F(GraphLog, ATornTailIsReadDownToTheLastWholeSampleAndRepairedByTheNextAppend) {
    seed("24_03_01_00_00_00", 0, 100, "torn");
    ASSERT_TRUE(ReadGraphWindow(0));
    EXPECT_EQ(windowTags(260, 100), range(0, 100));
    ASSERT_TRUE(AppendGraphSample(taggedSample(100)));
    EXPECT_EQ(sizeOf("GraphDataLog/" + name("24_03_01_00_00_00")), 101u * 18);
    ASSERT_TRUE(ReadGraphWindow(0));
    EXPECT_EQ(windowTags(259, 101), range(0, 101));
}

TEST_F(GraphLog, AShortWindowIsPaddedWithZeroSamplesAtItsOldEnd) {
    seed("24_03_01_00_00_00", 1, 100);
    ASSERT_TRUE(ReadGraphWindow(0));
    EXPECT_EQ(windowTags(0, 260), std::vector<int>(260, 0));
    EXPECT_EQ(GraphWindowSample(259), DryerSample{});
    EXPECT_EQ(windowTags(260, 100), range(1, 100));
    EXPECT_EQ(GraphSeriesSet[kTraceGrainColumnTemp].values[259], 0);
    EXPECT_EQ(GraphSeriesSet[kTraceGrainColumnTemp].values[359], 100);
    EXPECT_EQ(GraphSeriesSet[kTraceMeterRollSpeed].values[300], 7);

    std::filesystem::remove_all(root.path() / "Hard Disk" / "GraphDataLog");
    ASSERT_TRUE(ReadGraphWindow(0));  // no files: an empty window
    EXPECT_EQ(GraphSeriesSet[kTraceGrainColumnTemp].values[359], 0);
}

TEST_F(GraphLog, AWindowAcrossTwoFilesKeepsTimeOrder) {
    seed("24_03_01_00_00_00", 0, 8640);    // 155520 bytes
    seed("24_03_02_00_00_00", 8640, 200);  // 3600 bytes
    ASSERT_TRUE(ReadGraphWindow(0));
    EXPECT_EQ(windowTags(0, 360), range(8480, 360));  // older file's last 2880 bytes, then newer
    ASSERT_TRUE(ReadGraphWindow(1));
    EXPECT_EQ(windowTags(0, 360), range(8120, 360));  // older file's bytes 146160 to 152639

    GraphScale = 3;  // eight samples a point: the window reaches 2880 samples back
    ASSERT_TRUE(ReadGraphWindow(0));
    EXPECT_EQ(windowTags(0, 2880), range(8840 - 2880, 2880));
    EXPECT_EQ(GraphSeriesSet[kTraceGrainColumnTemp].values[0], (5960 + 5967) / 2);
    EXPECT_EQ(GraphSeriesSet[kTraceGrainColumnTemp].values[359], (8832 + 8839) / 2);
    ASSERT_TRUE(ReadGraphWindow(100));  // far back: the oldest window
    EXPECT_EQ(windowTags(0, 1), range(0, 1));
}

TEST_F(GraphLog, PagesCountWholeWindowsOfBothFiles) {
    EXPECT_EQ(GraphPagesAvailable(), 0);
    EXPECT_EQ(GraphMaxPageOffset(), 0);
    seed("24_03_01_00_00_00", 0, 359);
    EXPECT_EQ(GraphPagesAvailable(), 0);
    seed("24_03_01_00_00_00", 0, 360);
    EXPECT_EQ(GraphPagesAvailable(), 1);
    EXPECT_EQ(GraphMaxPageOffset(), 0);
    seed("24_03_01_00_00_00", 0, 8640);
    seed("24_03_02_00_00_00", 0, 2160);  // 30 hours in all
    EXPECT_EQ(GraphPagesAvailable(), 24);
    EXPECT_EQ(GraphMaxPageOffset(), 29);
    GraphScale = 3;
    EXPECT_EQ(GraphMaxPageOffset(), 22);
}

TEST_F(GraphLog, SeriesAverageEachFieldInItsOwnUnit) {
    std::string bytes;
    for (int i = 0; i < 2; ++i) {
        LogValues v;
        v.grainColumnTemp = static_cast<uint16_t>(100 + i);
        v.grainTempIn = static_cast<int16_t>(i == 0 ? 1005 : 1016);
        v.moistureIn = static_cast<uint16_t>(152 + i);
        v.grainTempOut = static_cast<int16_t>(i == 0 ? -25 : -36);  // below zero stays below
        v.moistureOut = static_cast<uint16_t>(140 + 3 * i);
        v.meterRollSpeed = static_cast<uint8_t>(50 + i);
        const DryerSample s = makeDryerSample(v, at(2024, 1, 2, 3, 4, 5));
        bytes.append(reinterpret_cast<const char*>(s.bytes.data()), s.bytes.size());
    }
    root.write("Hard Disk/GraphDataLog/" + name("24_03_01_00_00_00"), bytes);
    GraphScale = 1;
    ASSERT_TRUE(ReadGraphWindow(0));
    EXPECT_EQ(GraphSeriesSet[kTraceGrainColumnTemp].values[359], 100);
    EXPECT_EQ(GraphSeriesSet[kTraceGrainTempIn].values[359], 101);  // 2021 / 10 / 2
    EXPECT_EQ(GraphSeriesSet[kTraceMoistureIn].values[359], 152);
    EXPECT_EQ(GraphSeriesSet[kTraceGrainTempOut].values[359], -3);  // -61 / 10 / 2
    EXPECT_EQ(GraphSeriesSet[kTraceMoistureOut].values[359], 141);
    EXPECT_EQ(GraphSeriesSet[kTraceMeterRollSpeed].values[359], 50);
    // The two samples make the window's last point; the empty points before it are no readings
    // and take no part in the ticks.
    EXPECT_EQ(GraphFirstLoggedPoint, 359u);
    EXPECT_EQ(GraphSeriesSet[kTraceMoistureIn].ticks.base, 152);
    EXPECT_EQ(GraphSeriesSet[kTraceMoistureIn].heights[359], 0);

    // A third sample half fills the point before: a point with an empty part is not logged.
    const DryerSample third = makeDryerSample(LogValues{}, at(2024, 1, 2, 3, 4, 15));
    bytes.append(reinterpret_cast<const char*>(third.bytes.data()), third.bytes.size());
    root.write("Hard Disk/GraphDataLog/" + name("24_03_01_00_00_00"), bytes);
    ASSERT_TRUE(ReadGraphWindow(0));
    EXPECT_EQ(GraphFirstLoggedPoint, 359u);
    // Nothing logged: no point is.
    std::filesystem::remove(root.path() / "Hard Disk/GraphDataLog" / name("24_03_01_00_00_00"));
    ReadGraphWindow(0);
    EXPECT_EQ(GraphFirstLoggedPoint, kGraphPoints);
}

TEST_F(GraphLog, RunningTicksFeedTheShortTermLogAtOnceAndTheGraphEveryTenSeconds) {
    LogInputs in;
    in.dryerRunning = true;
    std::vector<int> graphAt, chartAt;
    int tick = 0;
    LogHooks hooks;
    hooks.graphSampleWritten = [&] { graphAt.push_back(tick); };
    hooks.shortTermSampleWritten = [&] { chartAt.push_back(tick); };
    for (tick = 1; tick <= 31; ++tick) {
        in.dryerRunning = tick < 5 || tick > 8;  // four stopped ticks do not count
        in.values.grainColumnTemp = static_cast<uint16_t>(tick);
        platform::advanceManualClock(1000);
        RunLogTickSteps(in, platform::localNow(), hooks);
    }
    EXPECT_EQ(graphAt, (std::vector<int>{15, 25}));
    EXPECT_EQ(chartAt, (std::vector<int>{1}));
    ASSERT_TRUE(ReadGraphWindow(0));
    EXPECT_EQ(windowTags(358, 2), (std::vector<int>{15, 25}));
    const DryerSample last = GraphWindowSample(359);
    EXPECT_EQ(last.hour(), 5);
    EXPECT_EQ(last.minute(), 6);
    EXPECT_EQ(last.second(), 32);
    EXPECT_EQ(last.month(), 3);
    EXPECT_EQ(last.day(), 4);
}

}  // namespace
}  // namespace logging
