// The script driver over the window system in the panel harness, on the manual clock.
#include "shell/script_driver.h"

#include <gtest/gtest.h>

#include "platform/backend/headless/panel_harness.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/display.h"

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

}  // namespace
