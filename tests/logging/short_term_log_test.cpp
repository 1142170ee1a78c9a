#include "logging/short_term_log.h"

#include "log_fixture.h"

namespace logging {
namespace {

constexpr const char* kFolder = "ShortTermDataLog";

class ShortTermLog : public LogTest {
  protected:
    // A file written by an earlier run, named from its creation time.
    void seed(const std::string& stamp, int first, int count, const std::string& tail = "") const {
        root.write("Hard Disk/ShortTermDataLog/DATA_LOG_24HR" + stamp + ".DAT",
                   taggedRun(first, count) + tail);
    }
    std::vector<int> readTags(int count, int skip) const {
        std::vector<DryerSample> out(static_cast<size_t>(count) + 1);
        const int got = ReadShortTermRecords(count, out.data(), skip);
        std::vector<int> tags;
        for (int i = 0; i < got; ++i)
            tags.push_back(tagOf(out[static_cast<size_t>(i)]));
        return tags;
    }
    static std::vector<int> range(int first, int last) {
        std::vector<int> v;
        for (int i = first; i <= last; ++i)
            v.push_back(i);
        return v;
    }
    void tick(LogInputs& in, int tag) { ShortTermLogTick(in, taggedSample(tag), {}); }
};

TEST_F(ShortTermLog, TimedSamplesFollowEverySampleTimePlusOneRunningTick) {
    LogInputs in;
    std::vector<int> writtenAt;
    LogHooks hooks;
    int tickNo = 0;
    hooks.shortTermSampleWritten = [&] { writtenAt.push_back(tickNo); };
    for (tickNo = 1; tickNo <= 1300; ++tickNo)
        ShortTermLogTick(in, taggedSample(tickNo), hooks);
    EXPECT_EQ(writtenAt, (std::vector<int>{1, 602, 1203}));
    EXPECT_EQ(readTags(8, 0), (std::vector<int>{1, 602, 1203}));

    ShortTermSampleMinutes = 1;
    RestartShortTermCountdown();  // a new sample time is accepted
    ShortTermLogTick(in, taggedSample(5000), hooks);
    EXPECT_EQ(writtenAt.back(), 1301);
    EXPECT_EQ(ShortTermCountdown, 60);
}

TEST_F(ShortTermLog, CycledSamplerWritesOneSamplePerCycle) {
    LogInputs in;
    in.cycledSampler = true;
    in.values.moistureOut = 152;
    in.samplerStatus = 0x02;  // sample ready
    for (int i = 0; i < 50; ++i)
        tick(in, 1);
    in.samplerStatus = 0x00;
    tick(in, 2);
    in.samplerStatus = 0x02;
    tick(in, 3);              // the same cycle: still latched
    in.samplerStatus = 0x01;  // a new cycle
    tick(in, 4);
    in.values.moistureOut = 256;  // a reading whose low byte is 0 is not taken
    in.samplerStatus = 0x02;
    tick(in, 5);
    in.values.moistureOut = 150;
    tick(in, 6);
    tick(in, 7);
    EXPECT_EQ(readTags(8, 0), (std::vector<int>{1, 6}));
}

TEST_F(ShortTermLog, FullFilesRollOverAndAtMostTwoRemain) {
    seed("24_03_01_00_00_00", 0, 143);
    ASSERT_TRUE(AppendShortTermSample(taggedSample(143)));
    EXPECT_EQ(filesIn(kFolder).size(), 1u);
    EXPECT_EQ(sizeOf("ShortTermDataLog/DATA_LOG_24HR24_03_01_00_00_00.DAT"), 2592u);

    ASSERT_TRUE(AppendShortTermSample(taggedSample(144)));  // the first file is full
    EXPECT_EQ(filesIn(kFolder), (std::vector<std::string>{"DATA_LOG_24HR24_03_01_00_00_00.DAT",
                                                          "DATA_LOG_24HR24_03_04_05_06_07.DAT"}));
    std::filesystem::resize_file(disk("ShortTermDataLog/DATA_LOG_24HR24_03_04_05_06_07.DAT"), 2592);
    EXPECT_EQ(ShortTermRecordsAvailable(), 144);  // 288 held, at most 144 told

    platform::advanceManualClock(60'000);
    ASSERT_TRUE(AppendShortTermSample(taggedSample(999)));  // two full files: the older goes
    EXPECT_EQ(filesIn(kFolder), (std::vector<std::string>{"DATA_LOG_24HR24_03_04_05_06_07.DAT",
                                                          "DATA_LOG_24HR24_03_04_05_07_07.DAT"}));
    EXPECT_EQ(sizeOf("ShortTermDataLog/DATA_LOG_24HR24_03_04_05_07_07.DAT"), 18u);
}

TEST_F(ShortTermLog, ThreeFilesKeepTheTwoNewestInsteadOfLosingAll) {
    seed("24_03_01_00_00_00", 0, 144);
    seed("24_03_02_00_00_00", 144, 144);
    seed("24_03_03_00_00_00", 288, 10);
    EXPECT_EQ(readTags(4, 0), range(294, 297));
    EXPECT_EQ(filesIn(kFolder), (std::vector<std::string>{"DATA_LOG_24HR24_03_02_00_00_00.DAT",
                                                          "DATA_LOG_24HR24_03_03_00_00_00.DAT"}));
    seed("24_03_03_12_00_00", 298, 1);
    ASSERT_TRUE(AppendShortTermSample(taggedSample(299)));  // the writer prunes as well
    EXPECT_EQ(filesIn(kFolder), (std::vector<std::string>{"DATA_LOG_24HR24_03_03_00_00_00.DAT",
                                                          "DATA_LOG_24HR24_03_03_12_00_00.DAT"}));
    EXPECT_EQ(ShortTermRecordsAvailable(), 12);
}

TEST_F(ShortTermLog, ReadsTheCountAskedAcrossOneOrTwoFiles) {
    seed("24_03_01_00_00_00", 0, 20);
    EXPECT_EQ(readTags(5, 0), range(15, 19));  // not always eight
    EXPECT_EQ(readTags(8, 3), range(9, 16));
    EXPECT_EQ(readTags(8, 100), range(0, 7));  // moved back inside the file
    EXPECT_EQ(readTags(30, 0), range(0, 19));
    EXPECT_TRUE(readTags(0, 0).empty());

    std::filesystem::resize_file(disk("ShortTermDataLog/DATA_LOG_24HR24_03_01_00_00_00.DAT"), 0);
    seed("24_03_01_00_00_00", 0, 144);
    seed("24_03_02_00_00_00", 144, 3);
    EXPECT_EQ(ShortTermRecordsAvailable(), 144);
    EXPECT_EQ(readTags(8, 0), range(139, 146));  // the older file's tail, then the newer file
    EXPECT_EQ(readTags(2, 0), range(145, 146));  // wholly in the newer file
    EXPECT_EQ(readTags(8, 3), range(136, 143));  // wholly in the older file
    EXPECT_EQ(readTags(8, 200), range(0, 7));
}

TEST_F(ShortTermLog, ATornTailIsNotReadAndTheNextSampleReplacesIt) {
    seed("24_03_01_00_00_00", 0, 3, "torn!!!");
    EXPECT_EQ(ShortTermRecordsAvailable(), 3);
    EXPECT_EQ(readTags(8, 0), range(0, 2));
    ASSERT_TRUE(AppendShortTermSample(taggedSample(3)));
    EXPECT_EQ(sizeOf("ShortTermDataLog/DATA_LOG_24HR24_03_01_00_00_00.DAT"), 4u * 18);
    EXPECT_EQ(readTags(8, 0), range(0, 3));
}

TEST_F(ShortTermLog, ClearDeletesEveryFileAndTheFolderFollowsTheDataRoot) {
    seed("24_03_01_00_00_00", 0, 144);
    seed("24_03_02_00_00_00", 144, 3);
    ClearShortTermLog();
    EXPECT_TRUE(filesIn(kFolder).empty());
    EXPECT_EQ(ShortTermRecordsAvailable(), 0);

    std::filesystem::remove_all(root.path() / "Hard Disk");
    ASSERT_TRUE(AppendShortTermSample(taggedSample(1)));  // no flash disk: the panel root
    EXPECT_TRUE(std::filesystem::exists(root.path() / "ShortTermDataLog" /
                                        "DATA_LOG_24HR24_03_04_05_06_07.DAT"));
    EXPECT_EQ(readTags(8, 0), (std::vector<int>{1}));
}

}  // namespace
}  // namespace logging
