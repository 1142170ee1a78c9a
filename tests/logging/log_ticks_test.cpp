#include "logging/log_ticks.h"

#include "log_fixture.h"
#include "logging/graph_log.h"
#include "logging/long_term_log.h"
#include "logging/short_term_log.h"

namespace logging {
namespace {

class LogTicks : public LogTest {
  protected:
    void put(int offset, std::initializer_list<uint8_t> bytes) {
        for (uint8_t b : bytes)
            state.status.setAt(offset++, b);
    }
    dryer::DryerState state;
};

TEST_F(LogTicks, InputsComeFromTheStatusFieldsInTheirByteOrders) {
    put(89, {0x22, 0x01});  // grainTemp[2], little-endian
    put(184, {2});          // grainTempSelect
    put(173, {0x05, 0xDC});
    put(189, {0x00, 0x9B, 0x01, 0x2C});  // moistureOut, moistureIn, high byte first
    put(193, {0xFF, 0xE7, 0x02, 0x8F});  // grainTempOut -2.5, grainTempIn 65.5
    put(245, {43});
    put(289, {1});
    put(292, {0x02});
    put(293, {0x80});
    LogInputs in = LogInputsFromState(state);
    EXPECT_EQ(in.values.grainColumnTemp, 0x122);
    EXPECT_EQ(in.values.bushelRate, 1500);
    EXPECT_EQ(in.values.moistureOut, 155);
    EXPECT_EQ(in.values.moistureIn, 300);
    EXPECT_EQ(in.values.grainTempOut, -25);
    EXPECT_EQ(in.values.grainTempIn, 655);
    EXPECT_EQ(in.values.meterRollSpeed, 43);
    EXPECT_TRUE(in.dayLoggerOn);
    EXPECT_TRUE(in.cycledSampler);
    EXPECT_EQ(in.samplerStatus, 0x02);
    EXPECT_FALSE(in.dryerRunning);  // the start value 0xA0 of statusFlags171 is not running

    put(171, {0x40});
    EXPECT_TRUE(LogInputsFromState(state).dryerRunning);
    put(171, {0x00});
    put(172, {0x01});
    EXPECT_TRUE(LogInputsFromState(state).dryerRunning);
    put(184, {7});  // a selector out of range reads the first grain temperature
    put(93, {0x44, 0});
    EXPECT_EQ(LogInputsFromState(state).values.grainColumnTemp, 0x44);
    put(289, {2});
    EXPECT_FALSE(LogInputsFromState(state).dayLoggerOn);
}

TEST_F(LogTicks, ARunningDryerFillsAllThreeLogsFromItsState) {
    put(93, {150, 0});
    put(189, {0x00, 0x96, 0x00, 0xC8});
    put(193, {0xFF, 0xF6, 0x00, 0x64});
    put(245, {60});
    put(173, {0x01, 0xF4});
    put(289, {1});
    put(172, {0x01});
    int charts = 0, graphs = 0;
    LogHooks hooks;
    hooks.shortTermSampleWritten = [&] { ++charts; };
    hooks.graphSampleWritten = [&] { ++graphs; };
    for (int second = 1; second <= 25; ++second) {
        platform::advanceManualClock(1000);
        RunLogTickSteps(state, platform::localNow(), hooks);
    }
    // The first long-term step saw no running flag yet; the next ones write.
    const std::string csv = root.read("Hard Disk/DataLog/LongTermDataLog.csv");
    const std::string line = "2024-03-04,05:06:20AM,150,20.0,10.0,15.0,-1.0,60,500\r\n";
    EXPECT_EQ(csv.substr(csv.size() - 2 * line.size(), line.size()), line);
    EXPECT_EQ(csv.find("\r\nDate,"), 0u);
    EXPECT_EQ(charts, 1);
    EXPECT_EQ(graphs, 2);
    EXPECT_EQ(ShortTermRecordsAvailable(), 1);
    ASSERT_TRUE(ReadGraphWindow(0));
    EXPECT_EQ(GraphWindowSample(359).grainTempOut(), -10);
    EXPECT_EQ(GraphWindowSample(359).moistureIn(), 200);
}

}  // namespace
}  // namespace logging
