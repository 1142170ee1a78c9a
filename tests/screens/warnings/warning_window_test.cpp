// The warning window in the running display: when it shows and hides, what it draws for each
// kind of shutdown, and the connection-lost picture with the link's resync frames.
#include "screens/warnings/warning_window.h"

#include <algorithm>
#include <fstream>
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
    EXPECT_EQ(find(i18n::GetString(462) + ": 4:07")->color, platform::gfx::rgb(255, 230, 0));
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

TEST_F(WarningWindowTest, WarningTextsStayBetweenTheRulesAndClearOfTheSign) {
    namespace gfx = platform::gfx;
    const std::string shortText = "MAIN AUGER STOPPED";
    const std::string longText =
        "MAIN AUGER STOPPED - CHECK THE BELT, THE MOTOR OVERLOAD AND THE SHEAR PIN OF THE AUGER "
        "BEFORE YOU START THE DRYER AGAIN";
    writeFile("Hard Disk/Languages/EN/WarningsMIO.txt",
              i18ntest::lineFile({"MAIN I/O", shortText, longText}));
    start();
    const gfx::Rect sign{20, 1, 120, 93};
    auto check = [&](const std::string& text, size_t lines) {
        const gfx::DrawnText* drawn = find(text);
        ASSERT_TRUE(drawn) << text;
        EXPECT_EQ(drawn->rect, warnings::kWarningTextRoom);
        EXPECT_GE(drawn->font.height, warnings::kSmallestWarningText);
        EXPECT_EQ(drawn->lines.size(), lines) << text;
        for (const auto& line : drawn->lines) {
            const gfx::Rect ink = gfx::glyphBox(line, drawn->font);
            EXPECT_GE(ink.left, sign.right) << line.text;
            EXPECT_LE(ink.right, warnings::kWarningTextRoom.right) << line.text;
            EXPECT_GE(ink.top, warnings::kWarningTextRoom.top) << line.text;
            EXPECT_LE(ink.bottom, warnings::kWarningTextRoom.bottom) << line.text;
        }
        // Neither rule runs through the sign.
        const gfx::Surface screen = panel_->screen();
        for (int y = sign.top; y < sign.bottom; ++y) {
            for (int x = sign.left; x < sign.right; ++x) {
                const auto at = ui::clientToScreen(warningWindow(), {x, y});
                ASSERT_NE(screen.colorAt(at.x, at.y), gfx::rgb(255, 0, 0)) << x << "," << y;
            }
        }
    };
    shutdown(14, 1);
    panel_->advance(100);
    check(shortText, 1);
    ASSERT_TRUE(find(shortText));
    EXPECT_EQ(find(shortText)->font.height, 20);
    shutdown(14, 2);
    panel_->advance(1400);
    check(longText, 3);
}

// Every warning of every pack, with the node and number in front as the window shows it, takes
// its room at 16 pixels or more: shrunk on one line where it can, else wrapped.
TEST_F(WarningWindowTest, TheWarningTablesOfEveryPackFitTheirRoom) {
    namespace gfx = platform::gfx;
    const char* source = std::getenv("ORVANE_SOURCE_DIR");
    ASSERT_TRUE(source);
    start();
    const gfx::Rect& room = warnings::kWarningTextRoom;
    int packs = 0, texts = 0;
    for (const auto& pack : fs::directory_iterator(fs::path(source) / "assets/languages")) {
        if (!fs::exists(pack.path() / "warnings")) continue;
        ++packs;
        for (const auto& table : fs::directory_iterator(pack.path() / "warnings")) {
            std::ifstream in(table.path());
            for (std::string row; std::getline(in, row);) {
                const size_t tab = row.find('\t');
                if (row.empty() || row[0] == '#' || tab == std::string::npos) continue;
                const std::string text = "0E05 " + row.substr(tab + 1);
                ++texts;
                panel_->call([&] {
                    const warnings::WarningTextLayout layout = warnings::layoutWarningText(text);
                    EXPECT_GE(layout.font.height, warnings::kSmallestWarningText) << text;
                    for (const auto& line :
                         gfx::layoutText(text, room, layout.font, layout.flags)) {
                        const gfx::Rect ink = gfx::glyphBox(line, layout.font);
                        EXPECT_TRUE(ink.left >= room.left && ink.right <= room.right &&
                                    ink.top >= room.top && ink.bottom <= room.bottom)
                            << table.path() << ": " << line.text;
                    }
                });
            }
        }
    }
    EXPECT_EQ(packs, 13);
    EXPECT_GT(texts, 13 * 40);
}

// The countdown blinks, but shows at least two thirds of the time: judged on the screen at every
// slow tick, as the operator sees it.
TEST_F(WarningWindowTest, CountdownIsShownTwoThirdsOfTheTimeAtLeast) {
    start();
    receive({{267, 4}, {268, 7}});
    shutdown(15, 4, 0x02);
    auto countdownOnScreen = [&] {
        const platform::gfx::Surface screen = panel_->screen();
        for (int y = 5; y < 45; ++y) {
            for (int x = 130; x < 575; ++x) {
                const auto at = ui::clientToScreen(warningWindow(), {x, y});
                if (screen.colorAt(at.x, at.y) == platform::gfx::rgb(255, 230, 0)) return true;
            }
        }
        return false;
    };
    int shown = 0;
    const int ticks = 8 * 5;  // seven seconds, short of the link's ten
    for (int i = 0; i < ticks; ++i) {
        panel_->advance(175);
        if (countdownOnScreen()) ++shown;
    }
    EXPECT_GE(3 * shown, 2 * ticks);
    EXPECT_LT(shown, ticks);  // it still catches the eye
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
    for (int i = 0; i < 12; ++i) {
        marker.step();
        positions.push_back(marker.position);
    }
    EXPECT_EQ(positions, (std::vector<int>{1, 2, 3, 4, 4, 3, 2, 1, 0, 0, 1, 2}));
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

    // The cable is cut: no healthy line, a red cross between the pictures. The display's marker
    // runs on its own end, a step every third tenth of a second, and turns short of the cut.
    auto pixel = [&](const platform::gfx::Surface& screen, int x, int y) {
        const auto at = ui::clientToScreen(warningWindow(), {x, y});
        return screen.colorAt(at.x, at.y);
    };
    auto markerAt = [&] {
        const platform::gfx::Surface screen = panel_->screen();
        for (int x = 105; x <= 260; ++x)
            if (pixel(screen, x, 70) == platform::gfx::rgb(90, 170, 255)) return x;
        return -1;
    };
    {
        const platform::gfx::Surface screen = panel_->screen();
        EXPECT_EQ(pixel(screen, 191, 70), platform::gfx::rgb(255, 40, 40));
        for (int x = 130; x < 250; ++x)
            ASSERT_NE(pixel(screen, x, 70), platform::gfx::rgb(0, 125, 0)) << x;
    }
    std::vector<int> seen;
    for (int i = 0; i < 12; ++i) {
        seen.push_back(markerAt());
        ASSERT_GE(seen.back(), 130);
        EXPECT_LT(seen.back() + 10, 176);
        panel_->advance(300);
    }
    EXPECT_EQ(*std::min_element(seen.begin(), seen.end()), 130);
    EXPECT_EQ(*std::max_element(seen.begin(), seen.end()), 130 + 4 * 8);

    // Below the picture: what to check, in order, each text in its row and at a readable size.
    texts_ = panel_->texts(warningWindow());
    const platform::gfx::DrawnText* heading = find(i18n::GetString(790));
    ASSERT_TRUE(heading);
    int below = heading->rect.bottom;
    for (int number : {791, 792, 793}) {
        const platform::gfx::DrawnText* check = find(i18n::GetString(number));
        ASSERT_TRUE(check) << number;
        EXPECT_GE(check->rect.top, below) << number;
        EXPECT_GE(check->font.height, 16) << number;
        EXPECT_LE(check->lines.back().box.bottom, check->rect.bottom) << number;
        below = check->rect.bottom;
    }
    EXPECT_TRUE(find("3."));

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
