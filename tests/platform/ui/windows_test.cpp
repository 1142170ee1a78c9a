#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/backend/headless/panel_harness.h"
#include "platform/ui/display.h"
#include "platform/ui/draw.h"

namespace platform::ui {
namespace {

using backend::PanelHarness;

constexpr Color kPanelBlue = gfx::rgb(0, 0, 150);

struct Log {
    std::vector<std::pair<uint32_t, int64_t>> ticks;  // timer id, time
    std::vector<Point> downs;
    std::atomic<int> paints{0};
};
Log* gLog = nullptr;

LResult plainProc(Window w, uint32_t message, WParam wp, LParam lp) {
    switch (message) {
        case kPaint: {
            ++gLog->paints;
            PaintContext& pc = paintContext(lp);
            pc.painter.fillRect(pc.client, kPanelBlue);
            pc.painter.drawText(
                "HIGH FIRE ON", {75, 10, 76, 100}, gfx::font(20, 600),
                {gfx::colors::kWhite, gfx::kAlignCenter | gfx::kWordBreak | gfx::kNoClip});
            return 0;
        }
        case kTimer:
            gLog->ticks.push_back({static_cast<uint32_t>(wp), monotonicMs()});
            return 0;
        case kPointerDown:
            gLog->downs.push_back(unpackPoint(lp));
            return 0;
        default:
            return defaultProc(w, message, wp, lp);
    }
}

class WindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gLog = &log;
        panel.call([] {
            registerClass({"PLAIN", plainProc, gfx::colors::kBlack});
            registerClass({"MAIN", defaultProc, gfx::colors::kBlack});
        });
    }
    Window make(uint32_t style, Rect rect, Window parent = {}) {
        Window w;
        panel.call([&] { w = createWindow("PLAIN", " TITLE", style, rect, parent); });
        return w;
    }
    Log log;
    PanelHarness panel;
};

TEST_F(WindowsTest, TimersKeepTheirPeriodsAndFireInOrder) {
    panel.call([] {
        const Window main = createWindow("PLAIN", "", 0, kDefaultRect);
        setTimer(main, 0x9001, 175);
        setTimer(main, 0x9002, 1000);
        setTimer(main, 0x901E, 100);
    });
    const int64_t start = monotonicMs();
    panel.advance(60'000);
    std::map<uint32_t, int> counts;
    int64_t last = 0;
    for (const auto& [id, at] : log.ticks) {
        ++counts[id];
        EXPECT_GE(at, last);
        last = at;
    }
    EXPECT_EQ(counts[0x9001], 342);
    EXPECT_EQ(counts[0x9002], 60);
    EXPECT_EQ(counts[0x901E], 600);
    // The 175 ms ticks fall exactly on their multiples: no drift.
    int n = 0;
    for (const auto& [id, at] : log.ticks) {
        if (id == 0x9001) {
            EXPECT_EQ(at - start, 175 * ++n);
        }
    }
    // At 1000 ms the 100 ms tick (set last) follows the 1000 ms one set before it.
    auto at1000 = std::find_if(log.ticks.begin(), log.ticks.end(),
                               [&](auto& t) { return t.second - start == 1000; });
    ASSERT_NE(at1000, log.ticks.end());
    EXPECT_EQ(at1000->first, 0x9002u);
    EXPECT_EQ((at1000 + 1)->first, 0x901Eu);
}

TEST_F(WindowsTest, ALateLoopDropsMissedTicksButKeepsThePhase) {
    panel.call([] { setTimer(createWindow("PLAIN", "", 0, kDefaultRect), 7, 100); });
    const int64_t start = monotonicMs();
    advanceManualClock(350);  // the loop misses three ticks at once
    panel.call([] {});
    panel.advance(100);
    ASSERT_EQ(log.ticks.size(), 2u);
    EXPECT_EQ(log.ticks[0].second - start, 350);
    EXPECT_EQ(log.ticks[1].second - start, 400);
}

TEST_F(WindowsTest, InvalidateFromAnotherThreadRepaints) {
    const Window w = make(kVisible, {0, 0, 100, 100});
    const int before = log.paints.load();
    std::thread exchange([w] { invalidate(w, false); });
    exchange.join();
    panel.waitIdle();
    EXPECT_EQ(log.paints.load(), before + 1);
    // Invalidating an area outside the client does nothing.
    std::thread([w] { invalidateRect(w, {200, 200, 300, 300}); }).join();
    panel.waitIdle();
    EXPECT_EQ(log.paints.load(), before + 1);
}

TEST_F(WindowsTest, WordBreakInAOnePixelRectangleDrawsOneWordPerLine) {
    const Window w = make(kVisible, {0, 0, 150, 150});
    const auto texts = panel.texts(w);
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(texts[0].lines.size(), 3u);
    EXPECT_EQ(texts[0].lines[0].text, "HIGH");
    EXPECT_EQ(texts[0].lines[1].text, "FIRE");
    EXPECT_EQ(texts[0].lines[2].text, "ON");
    EXPECT_EQ(texts[0].color, gfx::colors::kWhite);
    ASSERT_TRUE(panel.findText("HIGH FIRE ON"));
    EXPECT_EQ(panel.findText("HIGH FIRE ON")->window, w);
}

TEST_F(WindowsTest, HiddenWindowsAreNeitherDrawnNorHit) {
    const Window shown = make(kVisible, {0, 0, 100, 100});
    const Window hidden = make(0, {200, 0, 300, 100});
    EXPECT_EQ(panel.screen().colorAt(250, 50), gfx::colors::kBlack);
    EXPECT_EQ(panel.screen().colorAt(20, 50), kPanelBlue);
    EXPECT_FALSE(windowAt({250, 50}));
    EXPECT_TRUE(panel.findTexts("HIGH FIRE ON").size() == 1);
    panel.tap(250, 50);
    EXPECT_TRUE(log.downs.empty());

    panel.call([&] { showWindow(hidden, true); });
    EXPECT_EQ(panel.screen().colorAt(250, 50), kPanelBlue);
    EXPECT_EQ(windowAt({250, 50}), hidden);
    panel.tap(250, 50);
    ASSERT_EQ(log.downs.size(), 1u);
    EXPECT_EQ(log.downs[0], (Point{50, 50}));

    // Hiding the parent hides its children.
    const Window child = make(kChild | kVisible, {10, 10, 20, 20}, shown);
    EXPECT_EQ(windowAt({15, 15}), child);
    panel.call([&] { showWindow(shown, false); });
    EXPECT_FALSE(windowAt({15, 15}));
    EXPECT_FALSE(isShown(child));
    EXPECT_EQ(panel.screen().colorAt(15, 15), gfx::colors::kBlack);
}

TEST_F(WindowsTest, ZOrderPutsTopmostAboveAndTheLastShownOnTop) {
    const Window top = make(kVisible | kTopmost, {0, 0, 50, 50});
    const Window a = make(kVisible, {0, 0, 50, 50});
    EXPECT_EQ(windowAt({5, 5}), top);
    const Window b = make(0, {0, 0, 50, 50});
    panel.call([&] { showWindow(b, true); });
    panel.call([&] { showWindow(top, false); });
    EXPECT_EQ(windowAt({5, 5}), b);
    panel.call([&] {
        showWindow(a, false);
        showWindow(a, true);
    });
    EXPECT_EQ(windowAt({5, 5}), a);

    // Children live in their parent's client area, below the caption and edges, clipped to it.
    const Window framed =
        make(kVisible | kCaption | kWindowEdge | kClientEdge, {100, 100, 300, 300});
    EXPECT_EQ(clientRect(framed), (Rect{0, 0, 192, 172}));
    const Window child = make(kChild | kVisible, {-10, -10, 500, 20}, framed);
    EXPECT_EQ(screenRect(child), (Rect{94, 114, 604, 144}));
    EXPECT_EQ(windowAt({110, 130}), child);
    EXPECT_EQ(windowAt({110, 110}), framed);  // the caption
    EXPECT_EQ(panel.screen().colorAt(290, 110), detail::kTitleBar);
    EXPECT_EQ(panel.screen().colorAt(310, 130), gfx::colors::kBlack);
}

TEST_F(WindowsTest, PostedMessagesArriveInOrderAndSendFromAnotherThreadWaits) {
    static std::vector<WParam> seen;
    seen.clear();
    panel.call([] {
        registerClass({"ECHO", [](Window w, uint32_t m, WParam wp, LParam lp) -> LResult {
                           if (m == kUser) {
                               seen.push_back(wp);
                               return static_cast<LResult>(wp * 2);
                           }
                           return defaultProc(w, m, wp, lp);
                       }});
    });
    Window echo;
    panel.call([&] { echo = createWindow("ECHO", "", 0, kDefaultRect); });
    EXPECT_TRUE(postMessage(echo, kUser, 1));
    EXPECT_TRUE(postMessage(echo, kUser, 2));
    EXPECT_EQ(sendMessage(echo, kUser, 21), 42);  // from the test thread: runs on the UI thread
    panel.waitIdle();
    EXPECT_EQ(seen, (std::vector<WParam>{1, 2, 21}));
    panel.call([&] { destroyWindow(echo); });
    EXPECT_FALSE(postMessage(echo, kUser, 3));
    EXPECT_EQ(sendMessage(echo, kUser, 3), 0);
    EXPECT_FALSE(isWindow(echo));
}

}  // namespace
}  // namespace platform::ui
