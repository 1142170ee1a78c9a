// The status dialog's status line and the progress chart of the sequence.
#include "screens/autostart/progress_chart.h"
#include "screens/autostart/autostart_fixture.h"

namespace autostarttest {
namespace {

const gfx::Color kBlue = gfx::rgb(0, 0, 255);
const gfx::Color kRed = gfx::rgb(255, 0, 0);
const gfx::Color kOrange = gfx::rgb(255, 165, 0);
const gfx::Color kElapsed = gfx::rgb(96, 96, 96);
const gfx::Color kGround = gfx::rgb(40, 40, 40);

TEST(ProgressChart, SegmentWidthsAndLabels) {
    using autostart::BarSegments;
    auto same = [](BarSegments s, int before, int active, int after) {
        return s.before == before && s.active == active && s.after == after;
    };
    EXPECT_TRUE(same(autostart::fanHeaterSegments(60, 180, 600), 50, 100, 350));
    // An end not after the start: active to the end of the sequence.
    EXPECT_TRUE(same(autostart::fanHeaterSegments(300, 100, 600), 250, 250, 0));
    EXPECT_TRUE(same(autostart::fanHeaterSegments(300, 300, 600), 250, 250, 0));
    // Fractions dropped; times past the total held at the axis' end.
    EXPECT_TRUE(same(autostart::fanHeaterSegments(1, 2, 3), 166, 166, 166));
    EXPECT_TRUE(same(autostart::fanHeaterSegments(900, 1000, 600), 500, 0, 0));
    EXPECT_TRUE(same(autostart::fanHeaterSegments(60, 9000, 600), 50, 450, 0));
    EXPECT_TRUE(same(autostart::fanHeaterSegments(60, 180, 0), 0, 0, 0));
    EXPECT_EQ(autostart::elapsedWidth(150, 600), 125);
    EXPECT_EQ(autostart::elapsedWidth(700, 600), 500);
    EXPECT_EQ(autostart::elapsedWidth(10, 0), 0);
    EXPECT_EQ(autostart::minutesSeconds(0), "0:00");
    EXPECT_EQ(autostart::minutesSeconds(450), "7:30");
    EXPECT_EQ(autostart::minutesSeconds(65535), "1092:15");
}

class StatusDialog : public AutoStartPanel {
  protected:
    void open() {
        start();
        panel_->post([] { (*shell::dialogOpener(612))(shell::mainWindow()); });
        dialog_ = topDialog();
        ASSERT_TRUE(dialog_);
    }
    std::vector<gfx::DrawnText> texts() { return panel_->texts(dialog_); }
    const gfx::DrawnText* text(std::string_view s) {
        drawn_ = texts();
        for (const auto& t : drawn_) {
            if (t.text == s) return &t;
        }
        return nullptr;
    }
    ui::Window dialog_;
    std::vector<gfx::DrawnText> drawn_;
};

TEST_F(StatusDialog, BarsAndAxisFollowTheStageTimes) {
    auto& status = dryer::dryerState().status;
    status.fanHeaterCountCode().set(3);  // four fan/heaters
    status.autoStartTotalTime().set(600);
    status.autoStartElapsedTime().set(150);
    status.autoStartStageTimes(5).set(60);    // fan/heater 1 from 60 s
    status.autoStartStageTimes(11).set(180);  // to 180 s
    status.autoStartStageTimes(4).set(300);   // fan/heater 2 from 300 s
    status.autoStartStageTimes(10).set(100);  // "ending" before it starts
    status.fanHeaterStatus(5).set(0x02);      // fan/heater 1: the array runs from 6 down to 1
    open();

    const gfx::Surface shot = panel_->screen();
    // Fan/heater 1: rows from y 245 to 270. Outlines take the first and last column of a part.
    const int y1 = 257;
    EXPECT_EQ(colorAt(shot, dialog_, 71, y1), kBlue);
    EXPECT_EQ(colorAt(shot, dialog_, 118, y1), kBlue);
    EXPECT_EQ(colorAt(shot, dialog_, 121, y1), kRed);
    EXPECT_EQ(colorAt(shot, dialog_, 218, y1), kRed);
    EXPECT_EQ(colorAt(shot, dialog_, 221, y1), kBlue);
    EXPECT_EQ(colorAt(shot, dialog_, 568, y1), kBlue);
    EXPECT_EQ(colorAt(shot, dialog_, 571, y1), kGround);
    // Fan/heater 2 (rows 215 to 240): red from its start to the end of the axis.
    EXPECT_EQ(colorAt(shot, dialog_, 318, 227), kBlue);
    EXPECT_EQ(colorAt(shot, dialog_, 322, 227), kRed);
    EXPECT_EQ(colorAt(shot, dialog_, 568, 227), kRed);
    // The dryer: a quarter elapsed in grey, the rest orange.
    EXPECT_EQ(colorAt(shot, dialog_, 100, 287), kElapsed);
    EXPECT_EQ(colorAt(shot, dialog_, 197, 287), kOrange);
    EXPECT_EQ(colorAt(shot, dialog_, 568, 287), kOrange);
    // Four rows only: nothing where fan/heater 5 would be.
    EXPECT_EQ(colorAt(shot, dialog_, 300, 137), kGround);

    for (const char* label : {"0:00", "2:30", "5:00", "7:30", "10:00"})
        EXPECT_TRUE(text(label)) << label;
    EXPECT_EQ(text("2:30")->rect, (gfx::Rect{180, 315, 220, 335}));
    EXPECT_EQ(text("10:00")->rect, (gfx::Rect{575, 300, 640, 320}));
    const gfx::DrawnText* fh1 = text("FH #1");
    ASSERT_TRUE(fh1);
    EXPECT_EQ(fh1->rect, (gfx::Rect{0, 245, 65, 270}));
    EXPECT_TRUE(text("FH #4"));
    EXPECT_FALSE(text("FH #5"));
    int ons = 0;
    for (const auto& t : texts()) {
        if (t.text == "ON") ++ons;
    }
    EXPECT_EQ(ons, 1);  // only fan/heater 1's heater is on
}

TEST_F(StatusDialog, NoTotalTimeDrawsNoBars) {
    auto& status = dryer::dryerState().status;
    status.autoStartStageTimes(5).set(60);
    status.autoStartStageTimes(11).set(180);
    status.autoStartElapsedTime().set(30);
    open();
    const gfx::Surface shot = panel_->screen();
    for (int x : {72, 150, 300, 560}) {
        EXPECT_EQ(colorAt(shot, dialog_, x, 257), kGround) << x;
        EXPECT_EQ(colorAt(shot, dialog_, x, 287), kGround) << x;
    }
    EXPECT_TRUE(text("FH #1"));
    EXPECT_TRUE(text("UNLOAD"));
}

TEST_F(StatusDialog, StatusLineByProgressBitsAndRepaintedAsTheyChange) {
    auto& status = dryer::dryerState().status;
    status.statusFlags280().set(0x82);
    open();
    const gfx::DrawnText* finished = text("AUTO-START FINISHED");
    ASSERT_TRUE(finished);
    EXPECT_EQ(finished->rect, (gfx::Rect{0, 0, 635, 50}));
    const gfx::Color blue = finished->color;
    EXPECT_GT(blue.b, 200);
    EXPECT_LT(blue.r, blue.b);
    EXPECT_LT(blue.g, blue.b);

    struct Case {
        uint8_t bits;
        const char* text;
        gfx::Color color;
    };
    for (const Case c : {Case{0x46, "AUTO-START WAITING", gfx::rgb(255, 255, 0)},
                         Case{0x42, "AUTO-START RUNNING", gfx::rgb(0, 255, 0)},
                         Case{0x40, "Auto-Start Status Unkown", gfx::rgb(255, 255, 255)}}) {
        status.statusFlags280().set(c.bits);
        panel_->call([&] { ui::invalidate(dialog_, true); });
        const gfx::DrawnText* line = text(c.text);
        ASSERT_TRUE(line) << c.text;
        EXPECT_EQ(line->color, c.color) << c.text;
    }
    pressInDialog(1507);
    EXPECT_FALSE(topDialog());
}

}  // namespace
}  // namespace autostarttest
