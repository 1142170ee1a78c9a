#include <gtest/gtest.h>

#include "platform/backend/headless/panel_harness.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/display.h"

namespace platform::ui {
namespace {

using backend::PanelHarness;

struct Record {
    std::vector<std::string> events;  // "<title>:<what>"
    std::vector<Rect> updates;
    int timerProcCalls = 0;
};
Record* gRec = nullptr;

LResult tracedProc(Window w, uint32_t message, WParam wp, LParam lp) {
    const std::string name = windowText(w);
    switch (message) {
        case kCreate:
            gRec->events.push_back(name + ":create");
            return 0;
        case kDestroy:
            gRec->events.push_back(name + ":destroy");
            return 0;
        case kEraseBackground:
            gRec->events.push_back(name + ":erase");
            break;
        case kPaint: {
            gRec->events.push_back(name + ":paint");
            PaintContext& pc = paintContext(lp);
            gRec->updates.push_back(pc.update);
            pc.painter.fillRect(pc.client, gfx::rgb(0, 0, 200));
            pc.painter.drawText(name, pc.client, gfx::font(14), {gfx::colors::kWhite});
            return 0;
        }
        default:
            break;
    }
    return defaultProc(w, message, wp, lp);
}

class PaintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gRec = &rec;
        panel.call([] { registerClass({"TRACED", tracedProc, gfx::rgb(50, 50, 50)}); });
    }
    Window make(const char* title, uint32_t style, Rect rect, Window parent = {}) {
        Window w;
        panel.call([&] { w = createWindow("TRACED", title, style, rect, parent); });
        return w;
    }
    size_t count(const std::string& event) const {
        return static_cast<size_t>(std::count(rec.events.begin(), rec.events.end(), event));
    }
    Record rec;
    PanelHarness panel;
};

TEST_F(PaintingTest, EraseOnlyWhenAskedAndPaintOnlyTheUpdateArea) {
    const Window w = make("A", kVisible, {0, 0, 200, 100});
    EXPECT_EQ(count("A:erase"), 1u);
    EXPECT_EQ(count("A:paint"), 1u);
    EXPECT_EQ(rec.updates.back(), (Rect{0, 0, 200, 100}));

    panel.call([&] { invalidateRect(w, {10, 20, 30, 40}, false); });
    EXPECT_EQ(count("A:erase"), 1u);
    EXPECT_EQ(count("A:paint"), 2u);
    EXPECT_EQ(rec.updates.back(), (Rect{10, 20, 30, 40}));

    // Several invalidations before the loop comes round make one paint of their union.
    panel.call([&] {
        invalidateRect(w, {0, 0, 10, 10}, true);
        invalidateRect(w, {50, 50, 60, 60}, false);
        invalidateRect(w, {150, 90, 400, 400}, false);
    });
    EXPECT_EQ(count("A:erase"), 2u);
    EXPECT_EQ(count("A:paint"), 3u);
    EXPECT_EQ(rec.updates.back(), (Rect{0, 0, 200, 100}));
}

TEST_F(PaintingTest, HiddenWindowsPaintWhenShownAndUncoverWithoutRepaints) {
    const Window below = make("BELOW", kVisible, {0, 0, 300, 300});
    const Window cover = make("COVER", 0, {50, 50, 150, 150});
    panel.call([&] { invalidate(cover); });
    EXPECT_EQ(count("COVER:paint"), 0u);
    panel.call([&] { showWindow(cover, true); });
    EXPECT_EQ(count("COVER:paint"), 1u);
    const size_t belowPaints = count("BELOW:paint");
    panel.call([&] { showWindow(cover, false); });
    EXPECT_EQ(count("BELOW:paint"), belowPaints);  // its own image is still there
    EXPECT_EQ(panel.screen().colorAt(100, 100), gfx::rgb(0, 0, 200));
    EXPECT_EQ(windowAt({100, 100}), below);
}

TEST_F(PaintingTest, DestroyingAWindowTakesItsChildrenOwnedWindowsAndTimers) {
    const Window main = make("MAIN", kVisible, {0, 0, 640, 480});
    const Window child = make("CHILD", kChild | kVisible, {0, 0, 50, 50}, main);
    make("GRANDCHILD", kChild | kVisible, {0, 0, 10, 10}, child);
    const Window owned = make("OWNED", kVisible, {100, 100, 200, 200}, main);
    panel.call([&] {
        setTimer(child, 1, 100, [](Window, uint32_t, int64_t) { ++gRec->timerProcCalls; });
    });
    panel.advance(250);
    EXPECT_EQ(rec.timerProcCalls, 2);
    panel.call([&] { destroyWindow(main); });
    EXPECT_EQ(std::vector<std::string>(rec.events.end() - 4, rec.events.end()),
              (std::vector<std::string>{"MAIN:destroy", "CHILD:destroy", "GRANDCHILD:destroy",
                                        "OWNED:destroy"}));
    EXPECT_FALSE(isWindow(owned));
    EXPECT_EQ(nextTimerDue(), INT64_MAX);
    panel.advance(500);
    EXPECT_EQ(rec.timerProcCalls, 2);
    EXPECT_EQ(panel.screen().colorAt(150, 150), gfx::colors::kBlack);
}

TEST_F(PaintingTest, TimersRestartKillAndKeepTheirOwnPeriods) {
    const Window w = make("T", 0, {0, 0, 10, 10});
    panel.call([&] {
        setTimer(w, 9, 300, [](Window, uint32_t id, int64_t) {
            gRec->timerProcCalls += static_cast<int>(id);
        });
    });
    panel.advance(200);
    panel.call([&] {
        setTimer(w, 9, 300, [](Window, uint32_t id, int64_t) {
            gRec->timerProcCalls += static_cast<int>(id);
        });
    });
    panel.advance(299);
    EXPECT_EQ(rec.timerProcCalls, 0);  // restarting moved the first tick
    panel.advance(1);
    EXPECT_EQ(rec.timerProcCalls, 9);
    panel.call([&] { killTimer(w, 9); });
    panel.advance(1000);
    EXPECT_EQ(rec.timerProcCalls, 9);
    EXPECT_FALSE(setTimer(w, 1, 0));
    EXPECT_FALSE(setTimer(Window{}, 1, 10));
}

TEST_F(PaintingTest, CaptionsFollowTheTitleAndMovesRepaint) {
    const Window w = make(" SYSTEM STATUS", kVisible | kCaption | kWindowEdge, {0, 0, 240, 100});
    const gfx::Surface before = panel.capture(w);
    panel.call([&] { setWindowText(w, " CONNECTION TO DRYER LOST!"); });
    EXPECT_NE(panel.capture(w), before);
    EXPECT_EQ(windowText(w), " CONNECTION TO DRYER LOST!");

    panel.call([&] { moveWindow(w, {300, 200, 540, 300}); });
    EXPECT_EQ(panel.screen().colorAt(100, 50), gfx::colors::kBlack);
    EXPECT_EQ(panel.screen().colorAt(400, 270), gfx::rgb(0, 0, 200));
    panel.call([&] { moveWindow(w, {300, 200, 400, 250}); });
    EXPECT_EQ(panel.capture(w).size(), (Size{100, 50}));
    EXPECT_EQ(rec.updates.back(), (Rect{0, 0, 96, 26}));
    EXPECT_EQ(findWindow("TRACED", " CONNECTION TO DRYER LOST!"), w);
    EXPECT_FALSE(findWindow("TRACED", "other"));
}

TEST_F(PaintingTest, GroupBoxesLetTheirNeighboursShowAndTakeNoTouches) {
    const Window page = make("PAGE", kVisible, {0, 0, 400, 300});
    Window inside;
    panel.call([&] {
        inside = createWindow(kButtonClass, "ON", kChild | kVisible, {20, 30, 120, 60}, page, 2);
        createWindow(kButtonClass, "OPTIONS", kChild | kVisible | kGroupBox, {10, 10, 300, 200},
                     page, 1412);
    });
    EXPECT_EQ(windowAt({50, 40}), inside);
    EXPECT_EQ(windowAt({200, 150}), page);
    EXPECT_EQ(panel.screen().colorAt(200, 150), gfx::rgb(0, 0, 200));
    EXPECT_TRUE(panel.findText("OPTIONS"));
}

TEST_F(PaintingTest, OnlyTheInnermostModalWindowTakesInput) {
    static int outerPresses = 0;
    static int boxAnswer = 0;
    outerPresses = boxAnswer = 0;
    static constexpr DialogItem items[] = {{1, ControlKind::PushButton, "OUTER", 4, 4, 60, 20},
                                           {2, ControlKind::PushButton, "ASK", 70, 4, 60, 20}};
    static constexpr DialogTemplate dialog{"OUTER DIALOG", 140, 40, items};
    const Window main = make("MAIN", kVisible, {0, 0, 640, 480});
    panel.post([main] {
        runDialog(dialog, main, [](Window d, uint32_t m, WParam wp, LParam) -> LResult {
            if (m != kCommand) return 0;
            if (commandId(wp) == 1) ++outerPresses;
            if (commandId(wp) == 2) {
                boxAnswer = messageBox(d, "Sure?", "ASK", kMbYesNo);
                endDialog(d, 2);
            }
            return 1;
        });
    });
    panel.tap(panel.findText("OUTER")->window);
    EXPECT_EQ(outerPresses, 1);
    panel.tap(panel.findText("ASK")->window);
    ASSERT_TRUE(panel.findText("Sure?"));
    const Window outer = panel.findText("OUTER")->window;
    panel.tap(outer);  // under the message box's rule: ignored
    EXPECT_EQ(outerPresses, 1);
    EXPECT_FALSE(isEnabled(outer));  // the dialog is the message box's owner
    panel.tap(panel.findText("Yes")->window);
    EXPECT_EQ(boxAnswer, kIdYes);
    EXPECT_FALSE(findWindow("#DIALOG"));
    EXPECT_TRUE(isEnabled(main));
}

}  // namespace
}  // namespace platform::ui
