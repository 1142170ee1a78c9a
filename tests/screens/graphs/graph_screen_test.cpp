// The graph window: traces from the registry and their buttons, the drawing of series, the pages
// of a long log and the horizontal scale.
#include <algorithm>

#include "graphs_fixture.h"
#include "logging/graph_log.h"
#include "screens/graphs/graph_window.h"
#include "screens/graphs/view_selection.h"

namespace graphstest {
namespace {

namespace gfx = platform::gfx;

constexpr int kMoistureOutButton = 36874;

class GraphScreen : public GraphScreens {
  protected:
    ui::Window drawing() {
        for (ui::Window w : ui::allWindows()) {
            if (ui::parentOf(w) == screen(Screen::Graph) &&
                ui::windowClassName(w) == graphs::kDrawGraphClass) {
                return w;
            }
        }
        return {};
    }
    void showGraph() {
        panel_->call([] { graphs::selectGraphView(); });
        ASSERT_TRUE(ui::isShown(drawing()));
    }
    // The labels drawn in a colour, top to bottom as drawn (lowest tick first).
    std::vector<std::string> labelsIn(gfx::Color colour) {
        std::vector<std::string> out;
        for (const auto& t : panel_->texts(drawing())) {
            if (t.color == colour) out.push_back(t.text);
        }
        return out;
    }
    void scroll(uint32_t code, int times) {
        panel_->call([&] {
            for (int i = 0; i < times; ++i) {
                ui::sendMessage(screen(Screen::Graph), ui::kHScroll, code, 0);
            }
        });
        panel_->waitIdle();
    }
    ui::ScrollInfo bar() {
        ui::ScrollInfo info;
        panel_->call([&] {
            info = ui::scrollInfo(ui::childById(screen(Screen::Graph), graphs::kGraphScrollBar));
        });
        return info;
    }
    std::vector<std::string> timeLabels() {
        std::vector<std::string> out;
        for (const auto& t : panel_->texts(drawing())) {
            if (t.color == gfx::colors::kBlack) out.push_back(t.text);
        }
        return out;
    }
};

TEST_F(GraphScreen, WithoutStoredSettingsTheChartShowsAndNoTraceIsDrawn) {
    start();
    EXPECT_TRUE(visible(Screen::AverageValues));
    EXPECT_FALSE(visible(Screen::Graph));
    EXPECT_TRUE(panel_->findText("SAMPLE 10 MIN"));
    showGraph();
    // Nothing logged yet: the time row says so, instead of the times of empty samples.
    const auto texts = textsOf(drawing());
    ASSERT_EQ(texts.size(), 1u) << "the notice alone: no times, no page marker, no axis labels";
    EXPECT_EQ(texts.front(), "NO DATA LOGGED YET");
    EXPECT_TRUE(registryValue("GRAPH_TRACES_ON_OFF").empty());
}

TEST_F(GraphScreen, AShortLogIsDrawnFromItsFirstSampleWithTheLabelsOverTheTraces) {
    // Forty samples ten seconds apart up to 03:08:00, grain column temperature 101 F to 140 F:
    // the last forty points of the hour's window.
    writeSamples("GraphDataLog/GRAPH_DATA_LOG_24HR24_06_01_03_00_00.DAT", 40, 10);
    logging::GraphTraceOn[logging::kTraceGrainColumnTemp] = 1;
    ASSERT_TRUE(logging::SaveGraphTraces());
    start();
    showGraph();
    const gfx::Color label = gfx::rgb(200, 200, 0), pen = gfx::rgb(255, 255, 0);
    EXPECT_EQ(labelsIn(label), (std::vector<std::string>{"100F", "120F", "140F", "160F", "180F"}))
        << "the ticks of the logged samples, not of an empty start read as zero";
    EXPECT_EQ(timeLabels(), (std::vector<std::string>{"", "", "3:08AM"}))
        << "no times for the points before the first sample";

    const gfx::Surface picture = panel_->capture(drawing());
    const auto penIn = [&](int left, int top, int right, int bottom) {
        for (int x = left; x < right; ++x) {
            for (int y = top; y < bottom; ++y) {
                if (picture.colorAt(x, y) == pen) return true;
            }
        }
        return false;
    };
    EXPECT_FALSE(penIn(5, 3, 325, 190)) << "no trace before the first sample";
    EXPECT_TRUE(penIn(325, 3, 365, 190));
    // The trace climbs through the lowest label's place; the label stands on its own plate.
    for (const auto& t : panel_->texts(drawing())) {
        if (t.text != "100F") continue;
        ASSERT_FALSE(t.lines.empty());
        const gfx::Rect box = t.lines.front().box;
        EXPECT_FALSE(penIn(box.left, box.top, box.right, box.bottom)) << "a trace in the label";
    }
}

TEST_F(GraphScreen, StoredTracesShowTheirLabelsAndTheButtonsSwitchThemAndSave) {
    ASSERT_TRUE(platform::registryWrite(logging::kViewSettingsKey, "GRAPH_TRACES_ON_OFF",
                                        std::vector<uint8_t>{0x21}));
    writeSamples("GraphDataLog/GRAPH_DATA_LOG_24HR24_06_01_02_00_00.DAT", 400, 10);
    start();
    showGraph();
    const gfx::Color moistIn = gfx::rgb(0, 200, 0), moistOut = gfx::rgb(0, 200, 200);
    const gfx::Color speed = gfx::rgb(150, 0, 0);
    EXPECT_EQ(labelsIn(moistIn).size(), 5u);
    EXPECT_EQ(labelsIn(speed).size(), 5u);
    EXPECT_TRUE(labelsIn(moistOut).empty());
    EXPECT_EQ(textsOf(drawing()).size(), 14u);

    pressChild(Screen::Graph, kMoistureOutButton);
    EXPECT_EQ(labelsIn(moistOut).size(), 5u);
    EXPECT_EQ(registryValue("GRAPH_TRACES_ON_OFF"), std::vector<uint8_t>{0x25});
    pressChild(Screen::Graph, kMoistureOutButton);
    EXPECT_TRUE(labelsIn(moistOut).empty());
    EXPECT_EQ(registryValue("GRAPH_TRACES_ON_OFF"), std::vector<uint8_t>{0x21});
}

TEST_F(GraphScreen, FlatAndWideSeriesLieOnTheirTicks) {
    // Grain column temperature flat at 150; incoming moisture rising from 0 to 100.0 %.
    std::string bytes;
    for (int i = 0; i < 360; ++i) {
        logging::LogValues v;
        v.grainColumnTemp = 150;
        v.moistureIn = static_cast<uint16_t>(i * 1000 / 359);
        const auto s = logging::makeDryerSample(v, kStart);
        bytes.append(reinterpret_cast<const char*>(s.bytes.data()), s.bytes.size());
    }
    root_.write("Hard Disk/GraphDataLog/GRAPH_DATA_LOG_24HR24_06_01_02_00_00.DAT", bytes);
    logging::GraphTraceOn[logging::kTraceGrainColumnTemp] = 1;
    logging::GraphTraceOn[logging::kTraceMoistureIn] = 1;
    ASSERT_TRUE(logging::SaveGraphTraces());
    start();
    showGraph();

    EXPECT_EQ(labelsIn(gfx::rgb(200, 200, 0)),
              (std::vector<std::string>{"150F", "151F", "152F", "153F", "154F"}));
    EXPECT_EQ(labelsIn(gfx::rgb(0, 200, 0)),
              (std::vector<std::string>{"0.0%", "25.0%", "50.0%", "75.0%", "100.0%"}));
    const gfx::Surface picture = panel_->capture(drawing());
    const gfx::Color yellow = gfx::rgb(255, 255, 0), green = gfx::rgb(0, 255, 0);
    for (int x : {10, 100, 200, 300}) {
        EXPECT_EQ(picture.colorAt(x, 184), yellow) << "flat line on the base line at x " << x;
    }
    EXPECT_EQ(picture.colorAt(185, 94), green) << "50.1 % half way up";
    EXPECT_EQ(picture.colorAt(364, 4), green) << "100 % at the top tick";
}

TEST_F(GraphScreen, ThirtyHoursGiveTwentyFourPagesAndScrollToTheOldestWindow) {
    writeSamples("GraphDataLog/GRAPH_DATA_LOG_24HR24_05_30_21_00_00.DAT", 8640, 10);
    root_.write("Hard Disk/GraphDataLog/GRAPH_DATA_LOG_24HR24_05_31_21_00_00.DAT",
                std::string(2160 * logging::kDryerSampleSize, '\0'));
    start();
    showGraph();
    EXPECT_EQ(bar().max, 24);
    EXPECT_EQ(bar().pos, 24);
    EXPECT_TRUE(panel_->findText("[-0 PAGES]"));

    scroll(ui::kLineUp, 3);
    EXPECT_EQ(logging::GraphPageOffset, 3);
    EXPECT_EQ(bar().pos, 21);
    EXPECT_TRUE(panel_->findText("[-3 PAGES]"));

    scroll(ui::kPageUp, 40);
    EXPECT_EQ(logging::GraphPageOffset, 29) << "the oldest whole window";
    EXPECT_EQ(bar().max, 24);
    EXPECT_EQ(bar().pos, 0);
    // The oldest window starts with the first sample of the older file, 30 hours back.
    const auto times = timeLabels();
    ASSERT_EQ(times.size(), 3u);
    EXPECT_EQ(times[0], "3:08AM");

    scroll(ui::kLineDown, 40);
    EXPECT_EQ(logging::GraphPageOffset, 0);
    scroll(ui::kThumbTrack | (5u << 16), 1);
    EXPECT_EQ(logging::GraphPageOffset, 0) << "the thumb is not followed";
}

TEST_F(GraphScreen, GraphSetupChangesTheHoursAcrossTheWindow) {
    writeSamples("GraphDataLog/GRAPH_DATA_LOG_24HR24_05_31_19_00_00.DAT", 2880, 10);
    start();
    showGraph();
    EXPECT_EQ(timeLabels()[0], "2:08AM");
    panel_->tap(ui::childById(screen(Screen::Graph), graphs::kGraphSetupButton));
    const ui::Window setup = dialog("GRAPH SETUP - 25");
    ASSERT_TRUE(setup);
    EXPECT_TRUE(ui::isItemChecked(setup, 1049));
    EXPECT_EQ(ui::itemText(setup, 1046), "8 HOURS");
    press("GRAPH SETUP - 25", 1046);
    EXPECT_TRUE(ui::isItemChecked(setup, 1052));
    EXPECT_FALSE(ui::isItemChecked(setup, 1049));
    press("GRAPH SETUP - 25", 1008);
    EXPECT_FALSE(ui::isWindow(setup));
    EXPECT_EQ(logging::GraphScale, 3);
    EXPECT_EQ(registryValue("GRAPH_HORIZONTAL_SCALE"), std::vector<uint8_t>{3});
    const auto times = timeLabels();
    ASSERT_EQ(times.size(), 3u);
    EXPECT_EQ(times[0], "7:08PM") << "eight hours before the newest sample";
    EXPECT_EQ(times[1], "11:08PM 5/31");
    EXPECT_EQ(times[2], "3:08AM");
}

}  // namespace
}  // namespace graphstest
