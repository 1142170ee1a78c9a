#include "logging/long_term_log.h"

#include <algorithm>

#include "log_fixture.h"

namespace logging {
namespace {

constexpr const char* kLog = "DataLog/LongTermDataLog.csv";
const std::string kHeader =
    "\r\nDate,Time,Grain Column Temp,Moist In,Grain Temp In,Moist Out,Grain Temp Out,MR Speed,"
    "BPH\r\n";

LongTermSample sampleAt(int hour, int minute, int second) {
    LogValues v;
    v.grainColumnTemp = 112;
    v.moistureIn = 152;
    v.grainTempIn = 655;
    v.moistureOut = 5;
    v.grainTempOut = 1001;
    v.meterRollSpeed = 43;
    v.bushelRate = 1250;
    return {v, at(2021, 9, 10, hour, minute, second)};
}

class LongTermLog : public LogTest {
  protected:
    void SetUp() override {
        LogTest::SetUp();
        UpdateDryerRunningForLog(true);
    }
    std::string log() const { return root.read("Hard Disk/" + std::string(kLog)); }
    void makeLogOfSize(uint64_t size) const {
        root.write("Hard Disk/" + std::string(kLog), "");
        std::filesystem::resize_file(disk(kLog), size);
    }
    LongTermResult write(const LongTermSample& s) {
        return WriteLongTermRecord(s, LongTermLogFillPercent);
    }
};

TEST_F(LongTermLog, EveryRunStartsWithAnEmptyLineAndAHeader) {
    ASSERT_EQ(write(sampleAt(0, 5, 9)), LongTermResult::Written);
    ASSERT_EQ(write(sampleAt(12, 0, 0)), LongTermResult::Written);
    const std::string firstRun = kHeader +
                                 "2021-09-10,12:05:09AM,112,15.2,65.5,0.5,100.1,43,1250\r\n"
                                 "2021-09-10,12:00:00PM,112,15.2,65.5,0.5,100.1,43,1250\r\n";
    EXPECT_EQ(log(), firstRun);

    ResetLogStateForRun();  // the program restarts
    UpdateDryerRunningForLog(true);
    ASSERT_EQ(write(sampleAt(13, 30, 0)), LongTermResult::Written);
    EXPECT_EQ(log(),
              firstRun + kHeader + "2021-09-10,01:30:00PM,112,15.2,65.5,0.5,100.1,43,1250\r\n");
}

TEST_F(LongTermLog, ColumnsKeepTheirFormsAndTemperaturesBelowZeroKeepTheirSign) {
    LongTermSample s = sampleAt(23, 59, 59);
    s.time.year = 2026;
    s.time.month = 1;
    s.time.day = 2;
    s.values = {65535, -25, 0, -5, 65535, 255, 65535};
    EXPECT_EQ(FormatLongTermRecord(s),
              "2026-01-02,11:59:59PM,65535,0.0,-2.5,6553.5,-0.5,255,65535\r\n");
    s.values.grainTempIn = -32768;
    s.values.grainTempOut = 7;
    s.time.hour = 11;
    EXPECT_EQ(FormatLongTermRecord(s),
              "2026-01-02,11:59:59AM,65535,0.0,-3276.8,6553.5,0.7,255,65535\r\n");
}

TEST_F(LongTermLog, FillLevelIsCutTowardZeroAndTheFileStopsAtFiveMebibytes) {
    EXPECT_EQ(LongTermLogFillLevel(0), 0);
    EXPECT_EQ(LongTermLogFillLevel(52428), 0);
    EXPECT_EQ(LongTermLogFillLevel(52429), 1);
    EXPECT_EQ(LongTermLogFillLevel(3722444), 70);
    EXPECT_EQ(LongTermLogFillLevel(3722445), 71);
    EXPECT_EQ(LongTermLogFillLevel(5242879), 99);
    EXPECT_EQ(LongTermLogFillLevel(5242880), 100);
    EXPECT_EQ(LongTermLogFillLevel(9999999), 100);

    makeLogOfSize(5242880);
    EXPECT_EQ(write(sampleAt(1, 2, 3)), LongTermResult::Full);
    EXPECT_EQ(LongTermLogFillPercent, 100);
    EXPECT_EQ(sizeOf(kLog), 5242880u);

    makeLogOfSize(5242879);
    EXPECT_EQ(write(sampleAt(1, 2, 3)), LongTermResult::Written);
    EXPECT_EQ(LongTermLogFillPercent, 99);
    EXPECT_GT(sizeOf(kLog), 5242880u);
}

TEST_F(LongTermLog, StoppedDryerOrMissingDiskWritesNothing) {
    UpdateDryerRunningForLog(false);
    makeLogOfSize(52429);
    EXPECT_EQ(write(sampleAt(1, 2, 3)), LongTermResult::NotRunning);
    EXPECT_EQ(LongTermLogFillPercent, 1);
    EXPECT_EQ(sizeOf(kLog), 52429u);

    std::filesystem::remove_all(root.path() / "Hard Disk");
    UpdateDryerRunningForLog(true);
    EXPECT_EQ(write(sampleAt(1, 2, 3)), LongTermResult::CannotOpen);
    EXPECT_EQ(LongTermLogFillPercent, 1);  // keeps its former value
    EXPECT_FALSE(std::filesystem::exists(root.path() / "Hard Disk"));
}

TEST_F(LongTermLog, TickWritesEveryTwelveSecondsAndWarnsOnceAboveSeventyPercent) {
    LogInputs in;
    in.dayLoggerOn = true;
    in.values = sampleAt(0, 0, 0).values;
    int steps = 0, warnings = 0;
    LogHooks hooks;
    hooks.longTermRecordStep = [&] { ++steps; };
    hooks.logFullWarning = [&] { ++warnings; };
    makeLogOfSize(3722444 - static_cast<uint64_t>(kHeader.size()));

    auto lines = [&] {
        const std::string text = log();
        return std::count(text.begin(), text.end(), '\n');
    };
    const auto before = lines();
    LongTermLogTick(in, at(2021, 9, 10, 0, 0, 1), hooks);  // the first tick runs the step
    EXPECT_EQ(lines(), before + 3);
    EXPECT_EQ(LongTermLogFillPercent, 70);
    EXPECT_EQ(warnings, 0);
    for (int tick = 2; tick <= 12; ++tick)
        LongTermLogTick(in, at(2021, 9, 10, 0, 0, tick), hooks);
    EXPECT_EQ(steps, 1);
    LongTermLogTick(in, at(2021, 9, 10, 0, 0, 13), hooks);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(LongTermLogFillPercent, 71);
    EXPECT_EQ(warnings, 1);
    for (int tick = 14; tick <= 25; ++tick)
        LongTermLogTick(in, at(2021, 9, 10, 0, 0, tick), hooks);
    EXPECT_EQ(steps, 3);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(lines(), before + 5);
}

TEST_F(LongTermLog, WithTheLoggerOffTheTickOnlyRefreshesTheFillLevel) {
    LogInputs in;
    in.dayLoggerOn = false;
    LogHooks hooks;
    hooks.longTermRecordStep = [] { FAIL(); };
    LongTermLogTick(in, at(2021, 9, 10, 0, 0, 1), hooks);
    EXPECT_EQ(sizeOf(kLog), 0u);  // created empty
    makeLogOfSize(3722445);
    for (int tick = 2; tick <= 12; ++tick)
        LongTermLogTick(in, at(2021, 9, 10, 0, 0, tick), hooks);
    EXPECT_EQ(LongTermLogFillPercent, 0);
    LongTermLogTick(in, at(2021, 9, 10, 0, 0, 13), hooks);
    EXPECT_EQ(LongTermLogFillPercent, 71);
    EXPECT_EQ(sizeOf(kLog), 3722445u);
}

}  // namespace
}  // namespace logging
