// The dryer picture: which picture, which icon in which state and frame, the notice.
#include "resources/program_bitmaps.h"
#include "screens/status/status_fixture.h"

namespace statustest {
namespace {

class DryerPicture : public StatusScreens {
  protected:
    // Whether bitmap `number` (or the part `part` of it) stands at (x, y) of the picture's
    // client area.
    bool drawnAt(int number, int x, int y, std::optional<gfx::Rect> part = std::nullopt) {
        repaint(Screen::DryerPic);
        const resources::ProgramBitmap bitmap = resources::LoadProgramBitmap(number);
        if (!bitmap) return false;
        const gfx::Surface shot = panel_->capture(window(Screen::DryerPic));
        const gfx::Point client = clientOrigin();
        const gfx::Point origin{client.x + x, client.y + y};
        const gfx::Rect area = part.value_or(bitmap->bounds());
        for (int row = area.top; row < area.bottom; ++row) {
            for (int col = area.left; col < area.right; ++col) {
                if (shot.colorAt(origin.x + col, origin.y + row) != bitmap->colorAt(col, row)) {
                    return false;
                }
            }
        }
        return true;
    }
    // Where the picture's client area starts in a capture of its window.
    gfx::Point clientOrigin() {
        const ui::Window w = window(Screen::DryerPic);
        gfx::Point origin;
        panel_->call([&] {
            const gfx::Point client = ui::clientToScreen(w, {0, 0});
            const gfx::Rect frame = ui::screenRect(w);
            origin = {client.x - frame.left, client.y - frame.top};
        });
        return origin;
    }
    void fanFrame(int element, uint32_t frame) {
        ticks([=](shell::PeriodicState& p) { p.fanFrame[element] = frame; });
    }
};

TEST_F(DryerPicture, FanHeaterIconFollowsHeaterThenFanAndItsFrame) {
    auto& s = status();
    s.moduleCountCode().set(1);
    s.fanHeaterCountCode().set(3);
    // Fan/heater 1 of four on the two-module tower, medium icons at (48, 310).
    EXPECT_TRUE(drawnAt(324, 15, 0, gfx::Rect{12, 150, 17, 200}));  // a grain column's edge
    EXPECT_TRUE(drawnAt(341, 48, 310));
    s.fanHeaterStatus(5).set(0x01);
    EXPECT_TRUE(drawnAt(344, 48, 310));
    s.fanHeaterStatus(5).set(0x02);  // heater on, fan off: the heater wins
    EXPECT_TRUE(drawnAt(350, 48, 310));
    s.fanHeaterOutputs(5).set(0x04);
    EXPECT_TRUE(drawnAt(347, 48, 310));
    fanFrame(5, 2);
    EXPECT_TRUE(drawnAt(349, 48, 310));
    fanFrame(5, 5);
    EXPECT_TRUE(drawnAt(347, 48, 310));
    // Fan/heater 4 of four sits at the top.
    s.fanHeaterStatus(2).set(0x01);
    fanFrame(2, 1);
    EXPECT_TRUE(drawnAt(345, 48, 60));
}

TEST_F(DryerPicture, PictureChoiceAndItsMotors) {
    auto& s = status();
    const gfx::Rect grain{37, 100, 39, 150};
    EXPECT_TRUE(drawnAt(367, 0, 25, grain));  // no module count and no model flag
    s.dryerModelFlags().set(0xA0);
    EXPECT_TRUE(drawnAt(367, 0, 25, grain));  // the single-module flag wins over the bin flag
    s.fanHeaterCountCode().set(1);
    EXPECT_TRUE(drawnAt(292, 48, 100));
    EXPECT_TRUE(drawnAt(292, 48, 190));
    s.dryerModelFlags().set(0x20);
    EXPECT_TRUE(drawnAt(406, 0, 0, gfx::Rect{10, 120, 40, 160}));  // the wall
    EXPECT_TRUE(drawnAt(418, 51, 232));
    EXPECT_TRUE(drawnAt(428, 118, 80));
    s.statusWord168().set(0x0408);
    EXPECT_TRUE(drawnAt(429, 118, 80));
    EXPECT_TRUE(drawnAt(434, 93, 53));
    s.fanHeaterStatus(5).set(0x02);
    ticks([](shell::PeriodicState& p) { p.unloadFrame = 1; });
    EXPECT_TRUE(drawnAt(408, 52, 175));
    EXPECT_TRUE(drawnAt(431, 66, 326));
    s.moduleCountCode().set(2);
    s.fanHeaterCountCode().set(7);  // not 2 to 4: fan/heaters 2 and 1 only
    EXPECT_TRUE(drawnAt(323, 25, 0, gfx::Rect{4, 160, 7, 200}));
    EXPECT_TRUE(drawnAt(325, 46, 295));
    EXPECT_TRUE(drawnAt(331, 46, 343));  // fan/heater 1 has its heater on
    EXPECT_TRUE(drawnAt(354, 60, 5));
    s.alarmFlags().set(0x80);
    EXPECT_TRUE(drawnAt(462, 0, 0));
}

// The marks in the grain columns move down a pixel a tick while the metering rolls turn, and
// stand still while they do not; none is drawn across a module joint.
TEST_F(DryerPicture, GrainMarksMoveWhileTheRollsTurn) {
    auto& s = status();
    s.moduleCountCode().set(1);  // two-module tower: left column's marks at x 36, joint at 213
    const auto marks = [&] {
        repaint(Screen::DryerPic);
        const gfx::Surface shot = panel_->capture(window(Screen::DryerPic));
        const gfx::Point origin = clientOrigin();
        std::vector<int> rows;
        for (int y = 56; y < 366; ++y) {
            if (shot.colorAt(origin.x + 36, origin.y + y + 4) == gfx::rgb(240, 208, 128) &&
                shot.colorAt(origin.x + 33, origin.y + y) == gfx::rgb(240, 208, 128)) {
                rows.push_back(y);
            }
        }
        return rows;
    };
    const std::vector<int> standing = marks();
    ASSERT_GE(standing.size(), 8u);
    EXPECT_EQ(standing[0], 70);
    for (int y : standing)
        EXPECT_FALSE(y + 4 >= 209 && y <= 217) << y;
    panel_->advance(500);
    EXPECT_EQ(marks(), standing);

    s.statusByte58().set(0x08);
    ticks([](shell::PeriodicState& p) { p.grainFlowStep = 0; });
    const auto before = marks();
    panel_->advance(500);
    const auto after = marks();
    ASSERT_FALSE(after.empty());
    EXPECT_EQ(after[0] - before[0], 5);
}

// Beside the picture no left bar says that airflow testing is off: a band across the picture's
// top does, over the first line of values, red in the blink's shown phase.
TEST_F(DryerPicture, AirflowNoticeBandsThePicturesTop) {
    auto& s = status();
    s.moduleCountCode().set(1);
    s.moistureIn().set(221);
    const auto band = [&] {
        repaint(Screen::DryerPic);
        std::optional<gfx::DrawnText> found;
        for (const gfx::DrawnText& t : panel_->texts(window(Screen::DryerPic))) {
            if (t.text == "AIRFLOW TESTING DISABLED") found = t;
        }
        return found;
    };
    const auto drawn = [&](std::string_view text) {
        for (const gfx::DrawnText& t : panel_->texts(window(Screen::DryerPic))) {
            if (t.text == text) return true;
        }
        return false;
    };
    EXPECT_FALSE(band());
    EXPECT_TRUE(drawn("22.1%"));

    s.fanHeaterStatusD(3).set(0x04);
    blink(true);
    const auto shown = band();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->rect.top, 0);
    EXPECT_EQ(shown->color, gfx::colors::kBlack);
    EXPECT_FALSE(drawn("22.1%"));
    blink(false);
    const auto other = band();
    ASSERT_TRUE(other);
    EXPECT_NE(other->color, gfx::colors::kBlack);

    s.fanHeaterStatusD(3).set(0x00);
    EXPECT_FALSE(band());
    EXPECT_TRUE(drawn("22.1%"));
}

TEST_F(DryerPicture, SingleModuleNoticeOncePerArming) {
    auto& s = status();
    s.operatingModeFlags().set(0x02);
    s.dryingMode().set(1);
    s.alarmFlags().set(0x40);
    const std::string notice = "The batch is dry. Unload the dryer before the next batch starts.";
    repaint(Screen::DryerPic);
    const auto shown = panel_->findText(notice);
    ASSERT_TRUE(shown);
    panel_->tap(panel_->findText("OK")->window);
    repaint(Screen::DryerPic);
    repaint(Screen::DryerPic);
    EXPECT_FALSE(panel_->findText(notice));
    s.alarmFlags().set(0);
    repaint(Screen::DryerPic);
    s.alarmFlags().set(0x40);
    repaint(Screen::DryerPic);
    EXPECT_TRUE(panel_->findText(notice));
    panel_->tap(panel_->findText("OK")->window);
}

}  // namespace
}  // namespace statustest
