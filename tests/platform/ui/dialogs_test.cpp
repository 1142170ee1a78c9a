#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/backend/headless/panel_harness.h"
#include "platform/gfx/legible.h"
#include "platform/ui/dialog.h"
#include "platform/ui/display.h"

namespace platform::ui {
namespace {

using backend::PanelHarness;

constexpr int kAccept = 1013;
constexpr int kCancel = 1001;
constexpr DialogItem kKeypadItems[] = {
    {kAccept, ControlKind::PushButton, "ACCEPT", 10, 100, 60, 26},
    {kCancel, ControlKind::PushButton, "CANCEL", 80, 100, 60, 26},
    {1050, ControlKind::RadioButton, "Sorted by warning.", 10, 10, 79, 10, kGroup},
    {1051, ControlKind::PushButton, "hidden", 10, 40, 60, 20, kHidden},
};
constexpr DialogTemplate kKeypad{"Modifying Temperature Setpoint - 22", 200, 140, kKeypadItems};

struct Outcome {
    int result = -1;
    int answer = -1;
    bool ownerEnabledDuring = true;
    int inits = 0;
};
Outcome* gOut = nullptr;
Window gMain;

LResult keypadProc(Window dialog, uint32_t message, WParam wp, LParam) {
    switch (message) {
        case kInitDialog:
            ++gOut->inits;
            centreOnOwner(dialog);
            return 1;
        case kCommand:
            gOut->ownerEnabledDuring = isEnabled(gMain);
            if (commandId(wp) == kAccept || commandId(wp) == kCancel)
                endDialog(dialog, commandId(wp));
            return 1;
        default:
            return 0;
    }
}

constexpr DialogItem kNoteItems[] = {{kAccept, ControlKind::PushButton, "OK", 10, 20, 40, 20}};
constexpr DialogTemplate kNote{"NOTE", 60, 50, kNoteItems};

LResult noteProc(Window dialog, uint32_t message, WParam wp, LParam) {
    if (message == kInitDialog) {
        centreOnOwner(dialog);
        return 1;
    }
    if (message == kCommand && commandId(wp) == kAccept) {
        endDialog(dialog, kAccept);
        return 1;
    }
    return 0;
}

Point centreOf(const Rect& r) {
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

LResult mainProc(Window w, uint32_t message, WParam wp, LParam lp) {
    if (message == kCommand && commandId(wp) == 0x8802) {
        gOut->result = runDialog(kKeypad, w, keypadProc);
        return 0;
    }
    if (message == kCommand && commandId(wp) == 0x8805) {
        gOut->answer =
            messageBox(w, "Delete data log file?", "DELETE?", kMbYesNo | kMbIconQuestion);
        return 0;
    }
    return defaultProc(w, message, wp, lp);
}

class DialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gOut = &out;
        panel.call([] {
            registerClass({"MAIN", mainProc, gfx::colors::kBlack});
            gMain = createWindow("MAIN", "", kVisible, kDefaultRect);
            createWindow(kButtonClass, "TEMPS", kChild | kVisible, {144, 427, 249, 467}, gMain,
                         0x8802);
            createWindow(kButtonClass, "MISC", kChild | kVisible, {516, 427, 621, 467}, gMain,
                         0x8805);
        });
    }
    Outcome out;
    PanelHarness panel;
};

TEST_F(DialogsTest, AModalDialogOpenedByACommandIsDrivenToAcceptAndReturnsItsId) {
    panel.tap(200, 440);  // TEMPS opens the keypad; the tap returns once the dialog waits
    const Window dialog = findWindow("#DIALOG");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(out.inits, 1);
    EXPECT_EQ(out.result, -1);
    EXPECT_FALSE(isEnabled(gMain));
    EXPECT_EQ(windowText(dialog), "Modifying Temperature Setpoint - 22");

    // The owner takes no input meanwhile.
    panel.tap(560, 440);
    EXPECT_EQ(out.answer, -1);
    EXPECT_FALSE(isShown(dialogItem(dialog, 1051)));

    const auto accept = panel.findText("ACCEPT");
    ASSERT_TRUE(accept);
    panel.tap(accept->window);
    EXPECT_EQ(out.result, kAccept);
    EXPECT_FALSE(out.ownerEnabledDuring);
    EXPECT_TRUE(isEnabled(gMain));
    EXPECT_FALSE(isWindow(dialog));
    EXPECT_FALSE(findWindow("#DIALOG"));
}

TEST_F(DialogsTest, DialogUnitsFitTheLargestTemplateOnTheScreenAndDialogsCentreOnTheirOwner) {
    const Rect history = dialogUnitsToPixels({0, 0, 354, 231});
    EXPECT_LE(history.width() + 4, 640);
    EXPECT_LE(history.height() + 24, 480);
    EXPECT_EQ(dialogUnitsToPixels({299, 130, 344, 156}), (Rect{523, 244, 602, 293}));

    panel.post([] { runDialog(kKeypad, gMain, keypadProc); });
    const Window dialog = findWindow("#DIALOG");
    const Rect r = windowRect(dialog);
    EXPECT_EQ(r.left, (640 - r.width()) / 2);
    EXPECT_EQ(r.top, (480 - r.height()) / 2);
    panel.call([&] { centreOnOwner(dialog, 400); });
    EXPECT_EQ(windowRect(dialog).top, 0);
    panel.tap(panel.findText("CANCEL")->window);
    EXPECT_FALSE(isWindow(dialog));
}

TEST_F(DialogsTest, ANestedDialogCentresOnItsOwnerWhereverItLiesAndStaysOnTheScreen) {
    panel.post([] { runDialog(kKeypad, gMain, keypadProc); });
    const Window outer = findWindow("#DIALOG");
    const Rect outerRect = windowRect(outer);
    panel.call([&] {
        moveWindow(outer, Rect::fromSize(330, 250, outerRect.width(), outerRect.height()));
    });
    panel.post([outer] { runDialog(kNote, outer, noteProc); });
    const Window inner = findWindow("#DIALOG", "NOTE");
    ASSERT_TRUE(inner);
    Rect ownerClient = clientRect(outer);
    const Point origin = clientToScreen(outer, {0, 0});
    ownerClient = ownerClient.offset(origin.x, origin.y);
    const Point want = centreOf(ownerClient);
    const Point got = centreOf(screenRect(inner));
    EXPECT_LE(std::abs(got.x - want.x), 1) << got.x << " for " << want.x;
    EXPECT_LE(std::abs(got.y - want.y), 1) << got.y << " for " << want.y;

    // An owner whose middle lies near the screen's corner: the dialog stays whole on the screen.
    panel.call([&] {
        moveWindow(outer, Rect::fromSize(600, 460, outerRect.width(), outerRect.height()));
        centreOnOwner(inner);
    });
    const Rect clamped = screenRect(inner);
    EXPECT_EQ(clamped.right, 640);
    EXPECT_EQ(clamped.bottom, 480);

    panel.tap(dialogItem(inner, kAccept));
    EXPECT_FALSE(isWindow(inner));
    panel.call([&] { moveWindow(outer, outerRect); });
    panel.tap(dialogItem(outer, kCancel));
    EXPECT_FALSE(isWindow(outer));
}

TEST_F(DialogsTest, AMessageBoxAnswerReachesItsCaller) {
    panel.tap(560, 440);
    ASSERT_TRUE(panel.findText("Delete data log file?"));
    EXPECT_TRUE(panel.findText("Yes"));
    const auto no = panel.findText("No");
    ASSERT_TRUE(no);
    panel.tap(no->window);
    EXPECT_EQ(out.answer, kIdNo);
    EXPECT_FALSE(panel.findText("Delete data log file?"));
}

TEST_F(DialogsTest, MessageBoxesOfferTheirButtonSets) {
    struct Case {
        unsigned flags;
        const char* press;
        int expected;
    } cases[] = {{kMbOk | kMbIconInformation, "OK", kIdOk},
                 {kMbOkCancel, "Cancel", kIdCancel},
                 {kMbYesNoCancel | kMbIconExclamation, "Cancel", kIdCancel},
                 {kMbRetryCancel | kMbIconStop, "Retry", kIdRetry}};
    for (const Case& c : cases) {
        int answer = -1;
        panel.post([&] { answer = messageBox(gMain, "Line one\n\tTabbed", "CAPTION", c.flags); });
        const auto button = panel.findText(c.press);
        ASSERT_TRUE(button) << c.press;
        panel.tap(button->window);
        EXPECT_EQ(answer, c.expected);
    }
}

TEST_F(DialogsTest, MessageBoxesWriteTheirTextLargeUnderABoldTitle) {
    int answer = -1;
    panel.post([&] {
        answer = messageBox(gMain, "Start the dryer now?", "START", kMbOkCancel | kMbIconQuestion);
    });
    const auto body = panel.findText("Start the dryer now?");
    ASSERT_TRUE(body);
    EXPECT_GE(body->text.font.height, 14);
    const auto title = panel.findText("START");
    ASSERT_TRUE(title);
    EXPECT_GE(title->text.font.weight, 700);
    EXPECT_GE(gfx::contrastRatio(title->text.shown, panel.capture(title->window).colorAt(3, 3)),
              4.5);
    const auto ok = panel.findText("OK");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->text.font.height, 16);  // the buttons are made wide enough for full size
    panel.tap(ok->window);
    EXPECT_EQ(answer, kIdOk);
}

TEST_F(DialogsTest, QuittingWhileADialogIsOpenUnwindsIt) {
    int result = -1;
    panel.post([&] { result = runDialog(kKeypad, gMain, keypadProc); });
    ASSERT_TRUE(findWindow("#DIALOG"));
    postQuit(3);
    panel.waitIdle();
    EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace platform::ui
