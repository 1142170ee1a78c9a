// Log files to CSV: real date-times from the name's stamp, units, and what a bad file keeps.
#include <gtest/gtest.h>

#include <vector>

#include "logconv/sample_csv.h"

namespace logconv {
namespace {

std::vector<uint8_t> sample(int tempIn, int month, int day, int hour, int minute, int second) {
    const auto t = static_cast<uint16_t>(tempIn);
    return {0,
            95,
            uint8_t(t >> 8),
            uint8_t(t),
            0,
            222,
            0xFF,
            0xEC,
            0,
            155,
            0,
            50,
            0,
            uint8_t(hour),
            uint8_t(minute),
            uint8_t(second),
            uint8_t(month),
            uint8_t(day)};
}

void append(std::vector<uint8_t>& file, const std::vector<uint8_t>& bytes) {
    file.insert(file.end(), bytes.begin(), bytes.end());
}

TEST(LogConversion, NamesGiveTheYearAndSamplesTheirRealDateTimes) {
    const auto stamp = stampFromLogName("graph_data_log_24hr21_12_31_23_59_50.dat");
    ASSERT_TRUE(stamp);
    EXPECT_EQ(stamp->year, 2021);
    EXPECT_TRUE(stampFromLogName("DATA_LOG_24HR24_03_04_10_00_00.DAT"));
    EXPECT_FALSE(stampFromLogName("GRAPH_DATA_LOG_24HR21_13_31_23_59_50.DAT"));
    EXPECT_FALSE(stampFromLogName("GRAPH_DATA_LOG_24HR21_12_31_23_59.DAT"));

    std::vector<uint8_t> file;
    append(file, sample(605, 12, 31, 23, 59, 59));
    append(file, sample(-25, 1, 1, 0, 0, 9));  // a new year
    const Conversion c = convertSamples(file, *stamp);
    EXPECT_EQ(c.csv, csvHeaderRow() +
                         "2021-12-31 23:59:59,95,60.5,22.2,-2.0,15.5,50\r\n"
                         "2022-01-01 00:00:09,95,-2.5,22.2,-2.0,15.5,50\r\n");
    EXPECT_TRUE(c.bad.empty());
}

TEST(LogConversion, BadAndTruncatedFilesKeepTheirGoodSamples) {
    std::vector<uint8_t> file;
    append(file, sample(600, 3, 4, 10, 0, 0));
    append(file, sample(600, 13, 4, 10, 0, 10));  // no month 13
    append(file, sample(600, 3, 4, 24, 0, 20));   // no hour 24
    append(file, sample(601, 3, 4, 10, 0, 30));
    file.resize(file.size() + 7);  // cut inside the next sample
    const Conversion c = convertSamples(file, FileStamp{2024, 3, 4, 10, 0, 0});
    EXPECT_EQ(c.samples, 2u);
    ASSERT_EQ(c.bad.size(), 3u);
    EXPECT_EQ(c.bad[0].offset, 18u);
    EXPECT_EQ(c.bad[1].offset, 36u);
    EXPECT_EQ(c.bad[2].offset, 72u);
    EXPECT_EQ(c.bad[2].why, "file cut inside a sample (7 bytes)");
    EXPECT_NE(c.csv.find("2024-03-04 10:00:30,95,60.1"), std::string::npos);
}

}  // namespace
}  // namespace logconv
