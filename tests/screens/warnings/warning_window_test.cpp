// The warning window in the running display: when it shows and hides, what it draws for each
// kind of shutdown, and the connection-lost picture with the link's resync frames.
#include "screens/warnings/warning_window.h"

#include <algorithm>
#include <utility>

#include "platform/serial/serial.h"
#include "screens/warnings/warnings_harness.h"

namespace warningstest {
namespace {

using warnings::kWarningHelpButton;

class WarningWindowTest : public WarningsHarness {
  protected:
    const platform::gfx::DrawnText* find(const std::string& text) {
        texts_ = panel_->texts(warningWindow());
        for (const auto& t : texts_)
            if (t.text == text) return &t;
        return nullptr;
    }
    bool helpButtonShown() {
        return ui::isVisible(ui::childById(warningWindow(), kWarningHelpButton));
    }

    std::vector<platform::gfx::DrawnText> texts_;
};

TEST_F(WarningWindowTest, ShutdownFromTheSimulatorShowsWithinATenthOfASecondAndHidesAgain) {
    start();
    fromSimulator("shutdown 15 1");
    EXPECT_FALSE(warningShown());
    panel_->advance(100);
    ASSERT_TRUE(warningShown());
    EXPECT_EQ(ui::windowText(warningWindow()), i18n::GetString(329));
    const std::string warning = i18n::GetWarningText(15, 1);
    EXPECT_EQ(warning.substr(0, 5), "0F01 ");
    EXPECT_TRUE(find(warning));
    EXPECT_TRUE(find(i18n::GetString(331)));
    EXPECT_FALSE(find("MOISTURE CONT"));  // the device's name is the history's business
    EXPECT_TRUE(helpButtonShown());

    fromSimulator("clear");
    EXPECT_TRUE(warningShown());
    panel_->advance(100);
    EXPECT_FALSE(warningShown());
}

TEST_F(WarningWindowTest, CaptionLineBlinksWithTheSlowTick) {
    start();
    shutdown(14, 1);
    const std::string caption = i18n::GetString(330);
    panel_->advance(500);
    EXPECT_FALSE(find(caption));
    panel_->advance(100);  // the third 175 ms tick turns it on
    ASSERT_TRUE(find(caption));
    EXPECT_EQ(find(caption)->color, platform::gfx::rgb(255, 0, 0));
    panel_->advance(850);  // the eighth turns it off
    EXPECT_FALSE(find(caption));
    panel_->advance(500);
    EXPECT_TRUE(find(caption));
}

TEST_F(WarningWindowTest, GrainAlarmCountdownAndFanHeaterVariants) {
    start();
    const auto blue = platform::gfx::rgb(0, 0, 255);
    // Grain temperature alarm: the selected grain temperature, a source above 2 meaning 0.
    receive({{184, 1}, {91, 131}, {92, 0}, {93, 97}, {94, 0}});
    shutdown(14, 6, 0x10);
    panel_->advance(600);
    EXPECT_TRUE(find("GRAIN TEMPERATURE: 131 \u00B0 F"));
    ASSERT_TRUE(find(i18n::GetString(339)));
    EXPECT_EQ(find(i18n::GetString(339))->color, blue);
    EXPECT_FALSE(find(i18n::GetString(330)));
    receive({{184, 7}});
    panel_->advance(1400);
    EXPECT_TRUE(find("GRAIN TEMPERATURE: 97 \u00B0 F"));

    // Countdown to the shutdown.
    receive({{267, 4}, {268, 7}});
    shutdown(15, 4, 0x02);
    panel_->advance(1400);
    ASSERT_TRUE(find(i18n::GetString(462) + ": 4:07"));
    EXPECT_EQ(find(i18n::GetString(462) + ": 4:07")->color, blue);
    EXPECT_TRUE(find(i18n::GetString(337)));
    EXPECT_FALSE(find(i18n::GetString(339)));

    // A fan/heater's plenum over its limit, without and with the grain alarm.
    shutdown(4, 5);
    panel_->advance(1400);
    for (int note : {332, 333, 334})
        EXPECT_TRUE(find(i18n::GetString(note))) << note;
    EXPECT_FALSE(find(i18n::GetString(337)));
    shutdown(7, 5, 0x10);
    panel_->advance(1400);
    EXPECT_TRUE(find(i18n::GetString(335)));
    EXPECT_TRUE(find(i18n::GetString(336)));
    EXPECT_FALSE(find(i18n::GetString(332)));
    // The same warning of another device has no note.
    shutdown(14, 5);
    panel_->advance(1400);
    EXPECT_FALSE(find(i18n::GetString(332)));
    EXPECT_FALSE(find(i18n::GetString(335)));
}

TEST_F(WarningWindowTest, WarningTextsOverSixtyCharactersTakeTwoLines) {
    const std::string sixty = "MAIN AUGER STOPPED - CHECK THE BELT AND THE MOTOR OVERLOAD!!";
    const std::string sixtyOne = "MAIN AUGER STOPPED - CHECK THE BELT AND THE MOTOR OVERLOAD!!!";
    ASSERT_EQ(sixty.size(), 60u);
    writeFile("Hard Disk/Languages/EN/WarningsMIO.txt",
              i18ntest::lineFile({"MAIN I/O", sixty, sixtyOne}));
    start();
    shutdown(14, 1);
    panel_->advance(100);
    ASSERT_TRUE(find(sixty));
    EXPECT_EQ(find(sixty)->rect, (platform::gfx::Rect{0, 65, 600, 80}));

    shutdown(14, 2);
    panel_->advance(1400);
    EXPECT_FALSE(find(sixtyOne));
    // Split at the last space before the middle.
    ASSERT_TRUE(find("MAIN AUGER STOPPED - CHECK"));
    EXPECT_EQ(find("MAIN AUGER STOPPED - CHECK")->rect, (platform::gfx::Rect{0, 60, 600, 80}));
    ASSERT_TRUE(find("THE BELT AND THE MOTOR OVERLOAD!!!"));
    EXPECT_EQ(find("THE BELT AND THE MOTOR OVERLOAD!!!")->rect,
              (platform::gfx::Rect{0, 80, 600, 105}));
}

TEST_F(WarningWindowTest, GermanTextsFitTheirSpace) {
    start();
    useGerman();
    shutdown(3, 5);
    panel_->advance(600);
    texts_ = panel_->texts(warningWindow());
    ASSERT_FALSE(texts_.empty());
    for (const auto& t : texts_) {
        for (const auto& line : t.lines) {
            EXPECT_GE(line.box.left, t.rect.left) << t.text;
            EXPECT_LE(line.box.right, t.rect.right) << t.text;
        }
    }
    EXPECT_EQ(ui::windowText(warningWindow()), " WARNUNG - TROCKNER SCHALTET AB! - 05");
}

TEST(CableMarker, TurnsOneStepAfterEachEnd) {
    warnings::CableMarker marker;
    std::vector<int> positions;
    for (int i = 0; i < 30; ++i) {
        marker.step();
        positions.push_back(marker.position);
    }
    EXPECT_EQ(positions[12], 13);
    EXPECT_EQ(positions[13], 13);  // turning
    EXPECT_EQ(positions[14], 12);
    EXPECT_EQ(positions[26], 0);
    EXPECT_EQ(positions[27], 0);  // turning
    EXPECT_EQ(positions[28], 1);
}

// The controller's end of the display's line.
class PtyLine {
  public:
    PtyLine() { ok_ = platform::openPtyPair(pair_); }
    bool ok() const { return ok_; }
    const std::string& device() const { return pair_.devicePath; }
    // Takes in what the display sends while its exchange thread finishes the cycles, and what
    // the last one sent: the next cycle purges the line before it writes.
    void waitCycles(const dryer::ControllerLink& link, uint64_t cycles) {
        for (int i = 0; i < 400 && link.completedCycles() < cycles; ++i) {
            if (pair_.controller.waitReadable(5)) take();
        }
        ASSERT_GE(link.completedCycles(), cycles);
        while (pair_.controller.waitReadable(20) && take()) {
        }
    }
    // Everything the display has sent since the last call.
    std::vector<uint8_t> drain() {
        while (pair_.controller.waitReadable(20) && take()) {
        }
        return std::exchange(received_, {});
    }
    void send(const std::vector<uint8_t>& bytes) {
        ASSERT_TRUE(pair_.controller.write(bytes.data(), bytes.size()));
    }

  private:
    bool take() {
        uint8_t buffer[256];
        const long got = pair_.controller.readAvailable(buffer, sizeof buffer);
        if (got > 0) received_.insert(received_.end(), buffer, buffer + got);
        return got > 0;
    }

    platform::PtyPair pair_;
    bool ok_ = false;
    std::vector<uint8_t> received_;
};

bool contains(const std::vector<uint8_t>& bytes, const std::vector<uint8_t>& part) {
    return std::search(bytes.begin(), bytes.end(), part.begin(), part.end()) != bytes.end();
}

TEST_F(WarningWindowTest, SilenceShowsTheLostConnectionAsksForResyncAndTheLinkComesBack) {
    PtyLine line;
    ASSERT_TRUE(line.ok());
    dryer::ControllerLink link(dryer::dryerState());
    shell::attachControllerLink(&link);
    start([&] { link.openControllerLink(line.device()); });

    uint64_t cycles = 0;
    auto run = [&](int ms) {
        for (int t = 0; t < ms; t += 350) {
            panel_->advance(350);
            line.waitCycles(link, ++cycles);
        }
    };
    run(9800);
    EXPECT_FALSE(warningShown());
    line.drain();
    run(700);  // ten seconds without a frame
    ASSERT_TRUE(warningShown());
    EXPECT_EQ(ui::windowText(warningWindow()), " CONNECTION TO DRYER LOST!");
    EXPECT_TRUE(find(i18n::GetString(338)));
    EXPECT_FALSE(helpButtonShown());
    std::vector<uint8_t> resync = {0x06, 0x00, 0x00, 0x00};
    dryer::appendCrc(resync.data(), 2);
    EXPECT_TRUE(contains(line.drain(), resync));

    // The marker runs along the cable, a step every third tenth of a second.
    auto markerAt = [&] {
        const platform::gfx::Surface screen = panel_->screen();
        for (int x = 105; x <= 260; ++x) {
            const auto at = ui::clientToScreen(warningWindow(), {x, 70});
            if (screen.colorAt(at.x, at.y) == platform::gfx::rgb(0, 0, 150)) return (x - 105) / 10;
        }
        return -1;
    };
    const int before = markerAt();
    ASSERT_GE(before, 0);
    panel_->advance(600);
    EXPECT_EQ(markerAt(), before + 2);

    // A good frame again, with nothing wrong: hidden at the next tenth of a second.
    const uint8_t idle[dryer::kIdleFrameSize] = {0x07, 0x00, 0x00, 0x00, 0x00, 0x91, 0xC0};
    line.send(controller_.receive(idle, sizeof idle, 0).bytes);
    const uint64_t good = link.goodFrames();
    for (int i = 0; i < 5 && link.goodFrames() == good; ++i)
        run(350);
    EXPECT_GT(link.goodFrames(), good);
    panel_->advance(100);
    EXPECT_FALSE(warningShown());
    link.stop();
    shell::attachControllerLink(nullptr);
}

}  // namespace
}  // namespace warningstest
