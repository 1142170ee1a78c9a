// The status chart: its rows, the scroll bar and how it follows new samples, the sample-time
// dialog and the clearing of the table.
#include "screens/graphs/status_chart.h"
#include "graphs_fixture.h"
#include "logging/short_term_log.h"

namespace graphstest {
namespace {

constexpr const char* kChartFile = "ShortTermDataLog/DATA_LOG_24HR24_06_01_00_00_00.DAT";
constexpr const char* kSampleTime = "Select Data Log Sample Time - 35";

class StatusChart : public GraphScreens {
  protected:
    ui::Window chart() { return screen(Screen::AverageValues); }
    ui::Window bar() { return ui::childById(chart(), graphs::kChartScrollBar); }
    // The grain temperatures of the rows shown, top to bottom: sample tag + 100.
    std::vector<int> rowTags() {
        std::vector<int> tags;
        for (const auto& t : panel_->texts(chart())) {
            if (t.rect.left == 100 && t.rect.top >= 40) tags.push_back(std::stoi(t.text) - 100);
        }
        return tags;
    }
    void scroll(uint32_t code, int times = 1) {
        panel_->call([&] {
            for (int i = 0; i < times; ++i)
                ui::sendMessage(chart(), ui::kVScroll, code, 0);
        });
        panel_->waitIdle();
    }
    static std::vector<int> range(int first, int last) {
        std::vector<int> out;
        for (int i = first; i <= last; ++i)
            out.push_back(i);
        return out;
    }
};

TEST_F(StatusChart, EightSamplesFillThePageWithoutAScrollBar) {
    writeSamples(kChartFile, 8, 600);
    start();
    EXPECT_EQ(rowTags(), range(1, 8));
    EXPECT_FALSE(ui::isVisible(bar()));
    // The newest row: 03:08 on June 1st.
    EXPECT_TRUE(panel_->findText(" 3:08AM 6/1"));
    EXPECT_TRUE(panel_->findText("108\u00B0F"));
    EXPECT_TRUE(panel_->findText("20.8%"));
    EXPECT_TRUE(panel_->findText("8 %"));
    EXPECT_TRUE(panel_->findText("OFF")) << "the corner cell while the dryer stands";
}

TEST_F(StatusChart, TwentySamplesPageFromTheOldestToTheNewestAndFollowNewOnes) {
    writeSamples(kChartFile, 20, 600);
    start();
    EXPECT_TRUE(ui::isVisible(bar()));
    EXPECT_EQ(rowTags(), range(13, 20)) << "the chart opens on the newest page";
    EXPECT_EQ(ui::scrollPos(bar()), 13);

    scroll(ui::kThumbTrack | (0u << 16));
    EXPECT_EQ(rowTags(), range(1, 8));
    EXPECT_FALSE(graphs::ChartScrollAtEnd);
    scroll(ui::kLineUp);
    EXPECT_EQ(ui::scrollPos(bar()), 0);
    scroll(ui::kPageDown);
    EXPECT_EQ(rowTags(), range(8, 15));
    scroll(ui::kLineDown, 30);
    EXPECT_EQ(ui::scrollPos(bar()), 13) << "the last page ends at the newest sample";
    EXPECT_EQ(rowTags(), range(13, 20));
    EXPECT_TRUE(graphs::ChartScrollAtEnd);

    // At the end the chart follows a new sample; scrolled back it stays where it is.
    writeSamples(kChartFile, 21, 600);
    panel_->call([&] { ui::invalidate(chart()); });
    panel_->waitIdle();
    EXPECT_EQ(rowTags(), range(14, 21));
    scroll(ui::kPageUp);
    EXPECT_EQ(rowTags(), range(6, 13));
    writeSamples(kChartFile, 22, 600);
    panel_->call([&] { ui::invalidate(chart()); });
    panel_->waitIdle();
    EXPECT_EQ(ui::scrollPos(bar()), 6);
}

TEST_F(StatusChart, TheScrollBarLeavesEveryColumnInSight) {
    writeSamples(kChartFile, 20, 600);
    start();
    ASSERT_TRUE(ui::isVisible(bar()));
    const platform::gfx::Rect lane = ui::windowRect(bar());
    int cells = 0;
    for (const auto& t : panel_->texts(chart())) {
        for (const auto& line : t.lines) {
            ++cells;
            EXPECT_TRUE(line.box.intersect(lane).empty()) << "\"" << t.text << "\" under the bar";
        }
    }
    EXPECT_GE(cells, 6 * 8) << "every row's six cells drawn";
}

TEST(ChartRows, TwelveHourClockAndUnits) {
    logging::LogValues v;
    v.grainColumnTemp = 212;
    v.grainTempOut = 1045;
    v.moistureIn = 5;
    v.moistureOut = 155;
    v.meterRollSpeed = 100;
    const auto row = [&](int hour, bool celsius) {
        return graphs::chartRow(
            logging::makeDryerSample(v, testsupport::localTime(2024, 12, 31, hour, 5)), celsius);
    };
    EXPECT_EQ(row(0, false).cells[0], "12:05AM 12/31");
    EXPECT_EQ(row(12, false).cells[0], "12:05PM 12/31");
    EXPECT_EQ(row(23, false).cells[0], "11:05PM 12/31");
    const auto fahrenheit = row(9, false);
    EXPECT_EQ(fahrenheit.cells[0], " 9:05AM 12/31");
    EXPECT_EQ(fahrenheit.cells[1], "212\u00B0F");
    EXPECT_EQ(fahrenheit.cells[2], "0.5%");
    EXPECT_EQ(fahrenheit.cells[3], "15.5%");
    EXPECT_EQ(fahrenheit.cells[4], "104\u00B0F");
    EXPECT_EQ(fahrenheit.cells[5], "100 %");
    const auto celsius = row(9, true);
    EXPECT_EQ(celsius.cells[1], "100\u00B0C");
    EXPECT_EQ(celsius.cells[4], "40\u00B0C");
}

TEST_F(StatusChart, SampleTimeIsChosenAcceptedAndSaved) {
    start();
    EXPECT_EQ(ui::windowText(ui::childById(chart(), graphs::kChartSampleTimeButton)),
              "SAMPLE 10 MIN");
    logging::ShortTermCountdown = 300;
    panel_->tap(ui::childById(chart(), graphs::kChartSampleTimeButton));
    const ui::Window box = dialog(kSampleTime);
    ASSERT_TRUE(box);
    EXPECT_TRUE(ui::isItemChecked(box, 1226));
    EXPECT_EQ(ui::itemText(box, 1229), "15 MINUTES");
    press(kSampleTime, 1229);
    EXPECT_TRUE(ui::isItemChecked(box, 1228));
    EXPECT_FALSE(ui::isItemChecked(box, 1226));
    press(kSampleTime, 1189);
    EXPECT_FALSE(ui::isWindow(box));
    EXPECT_EQ(logging::ShortTermSampleMinutes, 15);
    EXPECT_EQ(logging::ShortTermCountdown, 0) << "the next running tick takes a sample";
    EXPECT_EQ(registryValue("TEMP_DATA_LOG_SAMPLE_TIME"), std::vector<uint8_t>{15});
    EXPECT_TRUE(panel_->findText("SAMPLE 15 MIN"));
}

TEST_F(StatusChart, TheCycledSamplerLocksOneMinuteOutAndHoldsFiveMinutes) {
    start();
    dryer::dryerState().status.samplerOptions().set(0x80);
    panel_->tap(ui::childById(chart(), graphs::kChartSampleTimeButton));
    const ui::Window box = dialog(kSampleTime);
    ASSERT_TRUE(box);
    EXPECT_FALSE(ui::isEnabled(ui::dialogItem(box, 1223)));
    EXPECT_EQ(ui::itemText(box, 1223), "DISABLE");
    EXPECT_TRUE(ui::isItemChecked(box, 1224));
    EXPECT_EQ(logging::ShortTermSampleMinutes, 5);
    press(kSampleTime, 1189);
    EXPECT_EQ(registryValue("TEMP_DATA_LOG_SAMPLE_TIME"), std::vector<uint8_t>{5});
}

TEST_F(StatusChart, ClearTableAsksAndOnlyYesDeletesTheSamples) {
    writeSamples(kChartFile, 12, 600);
    start();
    for (const int answer : {1415, 1416, 1414}) {
        panel_->tap(ui::childById(chart(), graphs::kChartSampleTimeButton));
        press(kSampleTime, 1190);
        EXPECT_FALSE(dialog(kSampleTime));
        const ui::Window confirm = dialog("CLEAR STATUS CHART");
        ASSERT_TRUE(confirm);
        EXPECT_EQ(ui::itemText(confirm, 1417), "Delete every sample of the status chart?");
        press("CLEAR STATUS CHART", answer);
        EXPECT_FALSE(ui::isWindow(confirm));
        EXPECT_EQ(logging::ShortTermRecordsAvailable(), answer == 1414 ? 0 : 12);
    }
    EXPECT_TRUE(rowTags().empty());
    EXPECT_FALSE(ui::isVisible(bar()));
}

}  // namespace
}  // namespace graphstest
