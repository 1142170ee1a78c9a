// The script driver over the window system in the panel harness, on the manual clock.
#include "shell/script_driver.h"

#include <gtest/gtest.h>

#include "platform/backend/headless/panel_harness.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/display.h"

#include <sstream>

namespace {

namespace ui = platform::ui;
using platform::backend::PanelHarness;

constexpr int kOpenDialog = 0x8802;
constexpr ui::DialogItem kItems[] = {
    {ui::kIdOk, ui::ControlKind::PushButton, "OK", 10, 100, 60, 26},
    {1051, ui::ControlKind::PushButton, "HIDDEN", 80, 100, 60, 26, ui::kHidden},
    {1052, ui::ControlKind::PushButton, "OFF", 150, 100, 60, 26, ui::kDisabled},
};
constexpr ui::DialogTemplate kDialog{"Pick - 7", 220, 140, kItems};

int gResult = -1;

ui::LResult dialogProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    if (message != ui::kCommand) return 0;
    ui::endDialog(dialog, ui::commandId(wp));
    return 1;
}

ui::LResult mainProc(ui::Window w, uint32_t message, ui::WParam wp, ui::LParam lp) {
    if (message == ui::kCommand && ui::commandId(wp) == kOpenDialog) {
        gResult = ui::runDialog(kDialog, w, dialogProc);
        return 0;
    }
    return ui::defaultProc(w, message, wp, lp);
}

struct Finished {
    int code = -1;
    std::string message;
};

class ScriptDriverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gResult = -1;
        panel.call([this] {
            ui::recordDrawnText(true);
            ui::registerClass({"SCRIPT_MAIN", mainProc, platform::gfx::colors::kBlack});
            main = ui::createWindow("SCRIPT_MAIN", "Main", ui::kVisible, ui::kDefaultRect);
            button(ui::kIdOk, "SCREEN OK", {20, 427, 125, 467});
            button(kOpenDialog, "OPEN", {144, 427, 249, 467});
            ui::showWindow(button(0x8803, "GONE", {268, 427, 373, 467}), false);
            ui::enableWindow(button(0x8804, "OFF", {392, 427, 497, 467}), false);
        });
    }
    ui::Window button(int id, const char* text, ui::Rect rect) {
        return ui::createWindow(ui::kButtonClass, text, ui::kChild | ui::kVisible, rect, main, id);
    }
    std::optional<ui::Window> pick(int id, std::string* why = nullptr) {
        std::optional<ui::Window> found;
        std::string reason;
        panel.call([&] { found = shell::controlToPress(id, reason); });
        if (why) *why = reason;
        return found;
    }
    // Polls the runner on the UI thread and moves the manual clock to each of its due times.
    void play(shell::ScriptRunner& runner, shell::ScriptDriver& driver) {
        panel.call([&] { runner.start(platform::monotonicMs()); });
        while (!runner.finished()) {
            panel.advance(std::max<int64_t>(0, runner.nextDueMs() - platform::monotonicMs()));
            panel.call([&] { runner.poll(platform::monotonicMs(), driver); });
        }
    }
    std::vector<shell::ScriptAction> parsed(std::string_view text) {
        std::vector<shell::ScriptAction> actions;
        std::string error;
        EXPECT_TRUE(shell::parseScript(text, actions, error)) << error;
        return actions;
    }

    PanelHarness panel;
    ui::Window main;
    Finished finished;
    shell::WindowScriptDriver driver{[this](int code, const std::string& message) {
                                         finished = {code, message};
                                     },
                                     nullptr};
};

TEST_F(ScriptDriverTest, PressPrefersTheOpenDialogAndRefusesHiddenDisabledOrUnreachableOnes) {
    EXPECT_EQ(pick(ui::kIdOk), ui::childById(main, ui::kIdOk));
    std::string why;
    EXPECT_FALSE(pick(0x8803, &why));
    EXPECT_NE(why.find("no shown window has the control id 34819 (0x8803)"), std::string::npos);
    EXPECT_FALSE(pick(0x8804, &why));
    EXPECT_NE(why.find("disabled"), std::string::npos) << why;

    shell::ScriptRunner open(parsed("press 0x8802\n"));
    play(open, driver);
    const ui::Window dialog = ui::innermostModal();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(pick(ui::kIdOk), ui::dialogItem(dialog, ui::kIdOk));
    EXPECT_FALSE(pick(kOpenDialog, &why));  // the owner takes no touch while the dialog runs
    EXPECT_NE(why.find("outside the open dialog"), std::string::npos) << why;
    EXPECT_FALSE(pick(1051));
    EXPECT_FALSE(pick(1052, &why));
    EXPECT_NE(why.find("disabled"), std::string::npos) << why;

    shell::ScriptRunner accept(parsed("press 1 150\n"));
    play(accept, driver);
    EXPECT_EQ(gResult, ui::kIdOk);
    EXPECT_FALSE(ui::innermostModal());
    EXPECT_EQ(finished.code, -1);
}

TEST_F(ScriptDriverTest, ExpectWaitsOnTheManualClockAndFailsWhenItsTimeIsUp) {
    panel.call([this] {
        ui::setTimer(main, 1, 500, [](ui::Window w, uint32_t id, int64_t) {
            ui::killTimer(w, id);
            ui::setWindowText(ui::childById(w, ui::kIdOk), "SYSTEM READY");
        });
    });
    const int64_t start = platform::monotonicMs();
    shell::ScriptRunner early(parsed("expect-not \"GONE\"\nexpect \"READY\" 300\nquit\n"));
    play(early, driver);
    EXPECT_EQ(finished.code, 3);
    EXPECT_EQ(finished.message, "script line 2: \"READY\" not shown within 300 ms");
    EXPECT_EQ(platform::monotonicMs() - start, 300);

    finished = {};
    shell::ScriptRunner later(parsed("expect \"READY\" 1000\nexpect-not \"SCREEN OK\" 0\nquit\n"));
    play(later, driver);
    EXPECT_EQ(finished.code, 0);
    const int64_t metAt = platform::monotonicMs() - start;
    EXPECT_GE(metAt, 500);
    EXPECT_LT(metAt, 500 + shell::ScriptRunner::kExpectPollMs);
}

TEST_F(ScriptDriverTest, DumpsListShownWindowsTopDownAndEscapeTheirTexts) {
    panel.call([this] {
        ui::createWindow(ui::kStaticClass, "A\tB\\C\r\nD", ui::kChild | ui::kVisible,
                         {300, 20, 400, 60}, main, 77);
    });
    std::string windows;
    std::string texts;
    panel.call([&] {
        windows = shell::listWindows();
        texts = shell::listTexts();
    });
    EXPECT_EQ(windows.rfind("STATIC\t77\t300\t20\t100\t40\tenabled\tA\\tB\\\\C\\r\\nD\n", 0), 0u)
        << windows;
    EXPECT_NE(windows.find("BUTTON\t34820\t392\t427\t105\t40\tdisabled\tOFF\n"), std::string::npos);
    EXPECT_EQ(windows.find("GONE"), std::string::npos);
    EXPECT_NE(windows.find("SCRIPT_MAIN\t0\t0\t0\t640\t480\tenabled\tMain\n"), std::string::npos);
    EXPECT_EQ(windows.back(), '\n');
    EXPECT_EQ(windows.substr(windows.rfind('\n', windows.size() - 2) + 1).rfind("SCRIPT_MAIN", 0),
              0u);  // the main window lies below everything
    EXPECT_NE(texts.find("STATIC\t300\t20\t100\t40\t#000000\tA\\tB\\\\C\\r\\nD\n"),
              std::string::npos)
        << texts;
    EXPECT_NE(texts.find("\tSCREEN OK\n"), std::string::npos);
    EXPECT_EQ(texts.find("GONE"), std::string::npos);
}

// Texts on a flat field, a banded gradient and a picture, for the extents dump.
namespace gfx = platform::gfx;
constexpr gfx::Color kField = gfx::rgb(0, 0, 0);
constexpr gfx::Color kInk = gfx::rgb(255, 255, 0);
constexpr gfx::Color kBands[] = {gfx::rgb(40, 60, 160), gfx::rgb(50, 80, 190),
                                 gfx::rgb(60, 100, 220)};
constexpr gfx::Color kPicture = gfx::rgb(0, 120, 0);
constexpr gfx::Rect kKnown{20, 20, 220, 60};      // "Ag" in 20 px
constexpr gfx::Rect kWrapped{20, 80, 90, 200};    // three words, one a line
constexpr gfx::Rect kGradient{300, 20, 500, 60};  // bands 10 rows high from y 20
constexpr gfx::Rect kOnPicture{300, 100, 500, 140};

ui::LResult extentsProc(ui::Window w, uint32_t message, ui::WParam wp, ui::LParam lp) {
    if (message != ui::kPaint) return ui::defaultProc(w, message, wp, lp);
    gfx::Painter& p = reinterpret_cast<ui::PaintContext*>(lp)->painter;
    p.fillRect({0, 0, 640, 480}, kField);
    p.drawText("Ag", kKnown, gfx::font(20), {kInk});
    p.drawText("ONE TWO THREE", kWrapped, gfx::font(16, 700), {kInk, gfx::kWordBreak});
    for (int band = 0; band < 3; ++band)
        p.fillRect(kGradient.offset(0, band * 10), kBands[band]);
    // Caps 13 px high ink rows 23 to 32: most of them in the second band (30 to 39).
    p.drawText("HH", kGradient.offset(0, 10), gfx::font(13), {kInk});
    gfx::Surface picture(200, 40, kPicture);
    for (int x = 0; x < 200; x += 3)
        picture.setPixel(x, x % 40, kBands[0]);
    p.copyBitmap(picture, {kOnPicture.left, kOnPicture.top});
    p.drawText("PICTURE", kOnPicture, gfx::font(16), {kInk, gfx::kAlignCenter});
    return 0;
}

struct ExtentLine {
    std::string cls;
    gfx::Rect rect;
    gfx::Rect box;
    std::string color;
    std::string on;
    int height = 0;
    std::string text;
};

std::vector<ExtentLine> parseExtents(const std::string& dump) {
    std::vector<ExtentLine> out;
    std::istringstream in(dump);
    std::string row;
    while (std::getline(in, row)) {
        std::vector<std::string> f;
        std::istringstream cells(row);
        for (std::string cell; std::getline(cells, cell, '\t');)
            f.push_back(cell);
        EXPECT_EQ(f.size(), 13u) << row;
        if (f.size() != 13u) continue;
        auto n = [&](int i) { return std::stoi(f[i]); };
        out.push_back({f[0], gfx::Rect::fromSize(n(1), n(2), n(3), n(4)),
                       gfx::Rect::fromSize(n(5), n(6), n(7), n(8)), f[9], f[10], n(11), f[12]});
    }
    return out;
}

// The pixels of `area` on the screen that differ from `field`.
gfx::Rect inkedBox(const gfx::Surface& screen, const gfx::Rect& area, gfx::Color field) {
    gfx::Rect box;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (screen.colorAt(x, y) != field) box = box.unite({x, y, x + 1, y + 1});
        }
    }
    return box;
}

TEST_F(ScriptDriverTest, ExtentsGiveTheInkedBoxAndWhatEachDrawnLineStandsOn) {
    ui::Window page;
    panel.call([&] {
        ui::registerClass({"EXTENTS_PAGE", extentsProc, kField});
        page =
            ui::createWindow("EXTENTS_PAGE", "", ui::kChild | ui::kVisible, {0, 0, 640, 400}, main);
    });
    std::vector<ExtentLine> lines;
    gfx::Surface screen;
    panel.call([&] {
        lines = parseExtents(shell::listExtents());
        screen = ui::captureScreen();
    });
    std::erase_if(lines, [](const ExtentLine& l) { return l.cls != "EXTENTS_PAGE"; });
    ASSERT_EQ(lines.size(), 6u);

    const ExtentLine& known = lines[0];
    EXPECT_EQ(known.rect, kKnown);
    EXPECT_EQ(known.box, inkedBox(screen, kKnown, kField));  // every inked pixel, no more
    EXPECT_EQ(known.box.left, kKnown.left + 0);              // "A" starts at the pen
    EXPECT_GT(known.box.bottom, kKnown.top + 15);            // the descender of "g" counts
    EXPECT_EQ(known.color, "#FFFF00");
    EXPECT_EQ(known.on, "#000000");
    EXPECT_EQ(known.height, 20);
    EXPECT_EQ(known.text, "Ag");

    const char* words[] = {"ONE", "TWO", "THREE"};
    for (int i = 0; i < 3; ++i) {
        const ExtentLine& line = lines[1 + i];
        EXPECT_EQ(line.text, words[i]);
        EXPECT_EQ(line.rect, kWrapped);
        const gfx::Rect cell{kWrapped.left, kWrapped.top + 16 * i, kWrapped.right,
                             kWrapped.top + 16 * (i + 1)};
        EXPECT_EQ(line.box, inkedBox(screen, cell, kField)) << words[i];
        EXPECT_EQ(line.height, 16);
    }
    EXPECT_EQ(lines[4].text, "HH");
    EXPECT_EQ(lines[4].on, "#3250BE");  // the band under most of the letters
    EXPECT_EQ(lines[5].text, "PICTURE");
    EXPECT_EQ(lines[5].on, "#007800");
    EXPECT_GT(lines[5].box.left, kOnPicture.left);  // centred
}

TEST_F(ScriptDriverTest, ExtentsOfATextAnotherWindowHidesComeFromItsOwnWindow) {
    panel.call([&] {
        ui::registerClass({"EXTENTS_PAGE", extentsProc, kField});
        ui::createWindow("EXTENTS_PAGE", "", ui::kChild | ui::kVisible, {0, 0, 640, 400}, main);
        ui::registerClass({"EXTENTS_COVER", ui::defaultProc, gfx::colors::kWhite});
        ui::createWindow("EXTENTS_COVER", "", ui::kVisible | ui::kTopmost, {280, 0, 640, 160},
                         main);
    });
    std::vector<ExtentLine> lines;
    panel.call([&] { lines = parseExtents(shell::listExtents()); });
    std::erase_if(lines, [](const ExtentLine& l) { return l.cls != "EXTENTS_PAGE"; });
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[4].on, "#3250BE");
    EXPECT_EQ(lines[5].on, "#007800");
}

}  // namespace
