#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/backend/headless/panel_harness.h"
#include "platform/gfx/legible.h"
#include "platform/gfx/text.h"
#include "platform/ui/controls.h"
#include "platform/ui/display.h"

namespace platform::ui {
namespace {

using backend::PanelHarness;

struct Seen {
    std::vector<std::pair<int, uint32_t>> commands;  // id, notification
    std::vector<std::pair<uint32_t, int>> scrolls;   // code, position
    std::vector<bool> drawnPressed;
};
Seen* gSeen = nullptr;

LResult parentProc(Window w, uint32_t message, WParam wp, LParam lp) {
    switch (message) {
        case kCommand:
            gSeen->commands.push_back({commandId(wp), commandNotification(wp)});
            return 0;
        case kVScroll:
        case kHScroll:
            gSeen->scrolls.push_back({scrollCode(wp), scrollPosition(wp)});
            return 0;
        case kDrawItem: {
            DrawItem& item = drawItem(lp);
            gSeen->drawnPressed.push_back(item.pressed);
            item.painter.fillRect(item.rect,
                                  item.pressed ? gfx::rgb(255, 0, 0) : gfx::rgb(0, 255, 0));
            return 1;
        }
        default:
            return defaultProc(w, message, wp, lp);
    }
}

class ControlsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gSeen = &seen;
        panel.call([this] {
            registerClass({"PARENT", parentProc, gfx::colors::kDialog});
            parent = createWindow("PARENT", "", kVisible, {0, 0, 640, 480});
        });
    }
    Window make(const char* cls, std::string_view text, uint32_t style, Rect rect, int id) {
        Window w;
        panel.call(
            [&] { w = createWindow(cls, text, kChild | kVisible | style, rect, parent, id); });
        return w;
    }
    Seen seen;
    PanelHarness panel;
    Window parent;
};

TEST_F(ControlsTest, APressedButtonReachesItsParentAsACommandAndReportsBeingHeld) {
    const Window timers = make(kButtonClass, "TIMERS", 0, {20, 427, 125, 467}, 0x8801);
    panel.pointerDown(60, 440);
    EXPECT_TRUE(isButtonHeld(timers));
    EXPECT_TRUE(seen.commands.empty());
    panel.pointerUp(60, 440);
    EXPECT_FALSE(isButtonHeld(timers));
    ASSERT_EQ(seen.commands.size(), 1u);
    EXPECT_EQ(seen.commands[0], (std::pair<int, uint32_t>{0x8801, kClicked}));

    // Sliding off before release cancels the press.
    panel.pointerDown(60, 440);
    panel.pointerMove(300, 300);
    EXPECT_FALSE(isButtonHeld(timers));
    panel.pointerUp(300, 300);
    EXPECT_EQ(seen.commands.size(), 1u);

    // A button whose screen is hidden while it is held is held no longer.
    panel.pointerDown(60, 440);
    EXPECT_TRUE(isButtonHeld(timers));
    panel.call([&] { showWindow(parent, false); });
    EXPECT_FALSE(isButtonHeld(timers));
    panel.call([&] { showWindow(parent, true); });
    EXPECT_FALSE(isButtonHeld(timers));
    panel.pointerUp(60, 440);
    EXPECT_EQ(seen.commands.size(), 1u);

    // A disabled button takes no press.
    panel.call([&] { enableWindow(timers, false); });
    panel.tap(60, 440);
    EXPECT_EQ(seen.commands.size(), 1u);
}

bool bluish(gfx::Color c) {
    return c.b > c.r + 60 && c.b > c.g + 20;
}

int brightness(gfx::Color c) {
    return c.r + c.g + c.b;
}

bool within(const gfx::Rect& inner, const gfx::Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST_F(ControlsTest, PlainPushButtonsWearTheButtonBarFaceNormalPressedAndDisabled) {
    const Window exitButton = make(kButtonClass, "EXIT", 0, {20, 20, 140, 60}, 0x8802);
    const gfx::Surface normal = panel.capture(exitButton);
    const auto texts = panel.texts(exitButton);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].shown, gfx::colors::kWhite);
    EXPECT_GE(texts[0].font.weight, 700);
    EXPECT_GE(texts[0].font.height, 14);
    // A dark rim and a blue face whose every row leaves the white label readable.
    EXPECT_LT(brightness(normal.colorAt(0, 20)), 100);
    for (int y = 2; y < 38; ++y) {
        EXPECT_TRUE(bluish(normal.colorAt(8, y))) << y;
        EXPECT_GE(gfx::contrastRatio(gfx::colors::kWhite, normal.colorAt(8, y)), 4.5) << y;
    }

    // Held down: a darker face and the label a pixel down and right.
    panel.pointerDown(80, 40);
    const gfx::Surface pressed = panel.capture(exitButton);
    EXPECT_LT(brightness(pressed.colorAt(8, 10)), brightness(normal.colorAt(8, 10)) - 40);
    EXPECT_EQ(panel.texts(exitButton).back().rect, texts[0].rect.offset(1, 1));
    panel.pointerUp(80, 40);
    EXPECT_EQ(panel.capture(exitButton), normal);

    // Disabled: a grey face and an engraved label that is no longer white.
    panel.call([&] { enableWindow(exitButton, false); });
    const gfx::Color grey = panel.capture(exitButton).colorAt(8, 20);
    EXPECT_FALSE(bluish(grey));
    EXPECT_LT(std::abs(grey.r - grey.b), 30);
    const auto disabled = panel.texts(exitButton);
    ASSERT_EQ(disabled.size(), 2u);
    EXPECT_EQ(disabled[0].rect, disabled[1].rect.offset(1, 1));
    EXPECT_NE(disabled[1].shown, gfx::colors::kWhite);
}

TEST_F(ControlsTest, ALongButtonLabelShrinksToItsFaceInsteadOfBeingClipped) {
    const Window button =
        make(kButtonClass, "SEND DATA LOG FILES TO USB", 0, {10, 10, 190, 40}, 0x8803);
    const auto texts = panel.texts(button);
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_EQ(texts[0].lines.size(), 1u);
    EXPECT_GE(texts[0].font.height, 11);
    EXPECT_LT(texts[0].font.height, 14);
    EXPECT_TRUE(within(texts[0].lines[0].box, texts[0].rect));
}

TEST_F(ControlsTest, AccentsOverCapitalsAndInkPastTheAdvanceStayInsideTheRectangle) {
    const Window group = make(kButtonClass, "OPÇÕES Čidlo", kGroupBox, {10, 10, 300, 80}, 4);
    const Window button = make(kButtonClass, "CĂLDURĂ MICĂ", 0, {10, 100, 120, 125}, 5);
    for (const Window w : {group, button}) {
        const auto texts = panel.texts(w);
        ASSERT_FALSE(texts.empty());
        for (const gfx::TextLine& line : texts.back().lines)
            EXPECT_TRUE(within(gfx::glyphBox(line, texts.back().font), texts.back().rect))
                << texts.back().text;
    }
}

TEST_F(ControlsTest, StaticTextsReadAtFourteenPixelsWhereTheyFitAndShrinkWhereNot) {
    const Window roomy = make(kStaticClass, "Burner ignition", 0, {10, 10, 300, 40}, 1);
    const Window narrow =
        make(kStaticClass, "PLENUM TEMPERATURE SETPOINT", 0, {10, 50, 200, 66}, 2);
    const Window cramped =
        make(kStaticClass, "METERING ROLL SPEED IN PERCENT OF FULL SPEED", 0, {10, 80, 120, 94}, 3);
    EXPECT_EQ(panel.texts(roomy).at(0).font.height, 14);
    const auto fitted = panel.texts(narrow).at(0);
    EXPECT_LT(fitted.font.height, 14);
    EXPECT_GE(fitted.font.height, 11);
    ASSERT_EQ(fitted.lines.size(), 1u);
    EXPECT_TRUE(within(fitted.lines[0].box, fitted.rect));
    // What does not fit even at the smallest size stays at the smallest, never below.
    EXPECT_EQ(panel.texts(cramped).at(0).font.height, 11);
    // A font set larger by the screen is kept.
    panel.call([&] { setWindowFont(roomy, gfx::font(20, 700)); });
    EXPECT_EQ(panel.texts(roomy).at(0).font.height, 20);
}

TEST_F(ControlsTest, OwnerDrawnButtonsAreDrawnByTheParentWithTheirPressedState) {
    make(kButtonClass, "", kOwnerDraw, {195, 125, 395, 175}, 0x8844);
    ASSERT_FALSE(seen.drawnPressed.empty());
    EXPECT_FALSE(seen.drawnPressed.back());
    EXPECT_EQ(panel.screen().colorAt(200, 130), gfx::rgb(0, 255, 0));
    panel.pointerDown(200, 130);
    EXPECT_TRUE(seen.drawnPressed.back());
    EXPECT_EQ(panel.screen().colorAt(200, 130), gfx::rgb(255, 0, 0));
    panel.pointerUp(200, 130);
    EXPECT_FALSE(seen.drawnPressed.back());
    EXPECT_EQ(seen.commands.size(), 1u);
}

TEST_F(ControlsTest, RadioButtonsCheckWithinTheirGroupAndCheckBoxesToggle) {
    const Window a = make(kButtonClass, "1 HOUR", kRadioButton | kGroup, {10, 10, 110, 30}, 1);
    const Window b = make(kButtonClass, "2 HOURS", kRadioButton, {10, 40, 110, 60}, 2);
    const Window c = make(kButtonClass, "ON", kRadioButton | kGroup, {10, 70, 110, 90}, 3);
    const Window box = make(kButtonClass, "Logging", kCheckBox, {10, 100, 110, 120}, 4);
    panel.call([&] {
        setCheck(a, true);
        setCheck(c, true);
    });
    panel.tap(20, 50);
    EXPECT_FALSE(isChecked(a));
    EXPECT_TRUE(isChecked(b));
    EXPECT_TRUE(isChecked(c));  // another group
    panel.tap(20, 110);
    EXPECT_TRUE(isChecked(box));
    panel.tap(20, 110);
    EXPECT_FALSE(isChecked(box));
    EXPECT_EQ(seen.commands.size(), 3u);

    // A push-like radio looks pressed while checked.
    const Window lang = make(kButtonClass, "ENGLISH\n(English)",
                             kRadioButton | kPushLike | kMultiLine, {200, 10, 320, 60}, 1492);
    const gfx::Surface before = panel.capture(lang);
    panel.call([&] { setCheck(lang, true); });
    EXPECT_NE(panel.capture(lang), before);
    const auto texts = panel.texts(lang);
    ASSERT_FALSE(texts.empty());
    ASSERT_EQ(texts.back().lines.size(), 2u);
    EXPECT_EQ(texts.back().lines[1].text, "(English)");
}

TEST_F(ControlsTest, ReportListViewInsertsAtTheTopSelectsAndScrolls) {
    const Window list = make(kListViewClass, "", 0, {10, 10, 610, 200}, 1105);
    panel.call([&] {
        listViewAddColumn(list, "Shutdown ID", 280);
        listViewAddColumn(list, "Node ID", 140);
        listViewSetColumnWidth(list, 0, 325);
        for (int i = 0; i < 30; ++i) {
            listViewInsertRow(list, 0,
                              {"warning " + std::to_string(i), "MAIN I/O", "Jun 03, 2024"});
        }
    });
    EXPECT_EQ(listViewColumnWidth(list, 0), 325);
    EXPECT_EQ(listViewRowCount(list), 30);
    EXPECT_EQ(listViewCell(list, 0, 0), "warning 29");
    EXPECT_EQ(listViewCell(list, 29, 2), "Jun 03, 2024");
    EXPECT_EQ(listViewCell(list, 30, 0), "");
    ASSERT_TRUE(panel.findText("warning 29"));
    EXPECT_FALSE(panel.findText("warning 0"));  // below the visible rows

    // A tap on the second row selects it and tells the parent.
    const gfx::Rect second = panel.findText("warning 28")->text.rect;
    panel.tap(second.left + 5 + 10, second.top + 2 + 10);
    EXPECT_EQ(listViewSelection(list), 1);
    ASSERT_EQ(seen.commands.size(), 1u);
    EXPECT_EQ(seen.commands[0], (std::pair<int, uint32_t>{1105, kSelectionChanged}));

    // The list's own scroll bar: a tap on its lower arrow scrolls a line.
    panel.tap(600, 195);
    EXPECT_EQ(listViewTopRow(list), 1);
    EXPECT_TRUE(panel.findText("warning 28"));
    EXPECT_FALSE(panel.findText("warning 29"));

    panel.call([&] { listViewClear(list); });
    EXPECT_EQ(listViewRowCount(list), 0);
    EXPECT_EQ(listViewSelection(list), -1);
    EXPECT_EQ(listViewColumnWidth(list, 1), 140);
}

TEST_F(ControlsTest, ListBoxKeepsLinesInOrder) {
    const Window list = make(kListBoxClass, "", 0, {10, 10, 300, 100}, 1225);
    panel.call([&] {
        listBoxAdd(list, "NO TEXT FILE AVAILABLE.");
        listBoxAdd(list, "second");
    });
    EXPECT_EQ(listBoxCount(list), 2);
    EXPECT_EQ(listBoxText(list, 0), "NO TEXT FILE AVAILABLE.");
    EXPECT_TRUE(panel.findText("second"));
    EXPECT_EQ(listBoxSelection(list), -1);
}

TEST_F(ControlsTest, LabelsAndFieldsRedrawWhenOnlyTheirTextChanges) {
    const Window label =
        make(kStaticClass, "NO DRYING CRITERIA SELECTED", 0, {10, 10, 300, 30}, 1148);
    const Window field = make(kEditClass, "80 %", 0, {10, 40, 100, 60}, 1147);
    ASSERT_TRUE(panel.findText("NO DRYING CRITERIA SELECTED"));
    ASSERT_TRUE(panel.findText("80 %"));
    panel.call([&] {
        setWindowText(label, "");
        setWindowText(field, "81 %");
    });
    EXPECT_FALSE(panel.findText("NO DRYING CRITERIA SELECTED"));
    EXPECT_FALSE(panel.findText("80 %"));
    EXPECT_TRUE(panel.findText("81 %"));
}

TEST_F(ControlsTest, ScrollBarsReportLinePageAndThumbWithoutMovingThemselves) {
    const Window bar = make(kScrollBarClass, "", 0, {5, 225, 385, 250}, 36899);
    panel.call([&] { setScrollInfo(bar, {0, 24, 1, 24}); });
    EXPECT_EQ(scrollPos(bar), 24);
    panel.tap(10, 237);  // left arrow
    ASSERT_GE(seen.scrolls.size(), 2u);
    EXPECT_EQ(seen.scrolls[0].first, kLineUp);
    EXPECT_EQ(seen.scrolls[1].first, kEndScroll);
    EXPECT_EQ(scrollPos(bar), 24);
    seen.scrolls.clear();
    panel.tap(100, 237);  // the track left of the thumb
    EXPECT_EQ(seen.scrolls.at(0).first, kPageUp);

    // Dragging the thumb reports tracking positions, then the final one.
    panel.call([&] { setScrollInfo(bar, {0, 100, 10, 0}); });
    seen.scrolls.clear();
    panel.pointerDown(35, 237);
    panel.pointerMove(200, 237);
    panel.pointerUp(200, 237);
    ASSERT_GE(seen.scrolls.size(), 3u);
    EXPECT_EQ(seen.scrolls[0].first, kThumbTrack);
    const auto final = seen.scrolls[seen.scrolls.size() - 2];
    EXPECT_EQ(final.first, kThumbPosition);
    EXPECT_GT(final.second, 40);
    EXPECT_LE(final.second, 91);

    // Positions clamp to the range less the page.
    panel.call([&] { setScrollInfo(bar, {0, 100, 10, 500}); });
    EXPECT_EQ(scrollPos(bar), 91);
}

TEST_F(ControlsTest, ProgressBarClampsItsPosition) {
    const Window bar = make(kProgressClass, "", 0, {10, 10, 210, 30}, 1213);
    panel.call([&] {
        progressSetRange(bar, 0, 100);
        progressSetPos(bar, 150);
    });
    EXPECT_EQ(progressPos(bar), 100);
    auto filled = [&] {
        const gfx::Surface image = panel.capture(bar);
        int n = 0;
        for (int x = 0; x < image.width(); ++x)
            n += image.colorAt(x, 10) == gfx::colors::kHighlight;
        return n;
    };
    EXPECT_GT(filled(), 150);
    panel.call([&] { progressSetPos(bar, 50); });
    EXPECT_NEAR(filled(), 80, 15);
    panel.call([&] { progressSetPos(bar, -5); });
    EXPECT_EQ(filled(), 0);
}

}  // namespace
}  // namespace platform::ui
