// Message boxes: an icon, the text and a row of buttons, run modally.
#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/gfx/text.h"
#include "platform/ui/dialog.h"
#include "platform/ui/draw.h"
#include "platform/ui/internal.h"
#include "platform/ui/modal.h"

namespace platform::ui {
namespace {

constexpr int kMargin = 14;
constexpr int kIconSize = 32;
constexpr int kMaxTextWidth = 440;
constexpr int kButtonWidth = 96;
constexpr int kWidestButton = 150;
constexpr int kLabelRoom = 20;  // the face's edges and the label's inset, with a little spare
constexpr int kButtonHeight = 36;
constexpr int kBodyTextHeight = 16;
constexpr int kInkRoom = 2;
// Room the frame, the margins and the button row take from the screen's height.
constexpr int kRoomAroundText = 4 * kMargin + kButtonHeight + 40;
constexpr int kButtonGap = 10;

struct BoxButton {
    int id;
    const char* label;
};

std::vector<BoxButton> buttonsOf(unsigned flags) {
    switch (flags & kMbButtonsMask) {
        case kMbOkCancel:
            return {{kIdOk, "OK"}, {kIdCancel, "Cancel"}};
        case kMbYesNoCancel:
            return {{kIdYes, "Yes"}, {kIdNo, "No"}, {kIdCancel, "Cancel"}};
        case kMbYesNo:
            return {{kIdYes, "Yes"}, {kIdNo, "No"}};
        case kMbRetryCancel:
            return {{kIdRetry, "Retry"}, {kIdCancel, "Cancel"}};
        default:
            return {{kIdOk, "OK"}};
    }
}

std::atomic<ButtonLabelSource> gLabelSource{nullptr};

std::string labelOf(const BoxButton& b) {
    const ButtonLabelSource source = gLabelSource.load();
    return source ? source(b.id, b.label) : std::string(b.label);
}

// Wide enough for the longest label in the buttons' bold at full size, within bounds.
int buttonWidthFor(const std::vector<std::string>& labels) {
    gfx::FontSpec bold = gfx::systemBoldFont();
    bold.height = detail::kTallLabelHeight;
    int widest = 0;
    for (const std::string& label : labels)
        widest = std::max(widest, gfx::textExtent(label, bold).width + kLabelRoom);
    return std::clamp(widest, kButtonWidth, kWidestButton);
}

struct BoxData {
    std::string text;
    unsigned flags = 0;
    gfx::FontSpec font;
    Rect textRect;
    Rect iconRect;
};

// The body text as large as kBodyTextHeight where the screen has room for all of it.
gfx::FontSpec bodyFont(const std::string& text) {
    gfx::FontSpec font = gfx::systemFont();
    font.height = kBodyTextHeight;
    const int room = screenSize().height - kRoomAroundText;
    return gfx::shrinkFont(font, detail::kSmallestDialogText, [&](const gfx::FontSpec& f) {
        return gfx::textBounds(text, {0, 0, kMaxTextWidth, 10000}, f, gfx::kWordBreak).bottom <=
               room;
    });
}

void drawIcon(gfx::Painter& p, const Rect& r, unsigned icon) {
    using gfx::rgb;
    const gfx::FontSpec glyphFont{"Tahoma", 26, 700};
    const unsigned centred = gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine;
    switch (icon) {
        case kMbIconStop:
            p.fillEllipse(r, rgb(200, 0, 0));
            p.drawLine({r.left + 10, r.top + 10}, {r.right - 11, r.bottom - 11},
                       gfx::colors::kWhite, 4);
            p.drawLine({r.right - 11, r.top + 10}, {r.left + 10, r.bottom - 11},
                       gfx::colors::kWhite, 4);
            break;
        case kMbIconQuestion:
            p.fillEllipse(r, rgb(0, 64, 192));
            p.drawText("?", r, glyphFont, {gfx::colors::kWhite, centred});
            break;
        case kMbIconExclamation: {
            const Point tri[] = {{r.left + kIconSize / 2, r.top},
                                 {r.right - 1, r.bottom - 2},
                                 {r.left, r.bottom - 2}};
            p.fillPolygon(tri, rgb(250, 200, 0));
            p.drawText("!", r.offset(0, 3), glyphFont, {gfx::colors::kBlack, centred});
            break;
        }
        case kMbIconInformation:
            p.fillEllipse(r, rgb(0, 64, 192));
            p.drawText("i", r, glyphFont, {gfx::colors::kWhite, centred});
            break;
        default:
            break;
    }
}

LResult boxProc(Window w, uint32_t message, WParam wp, LParam lp) {
    const auto* data = reinterpret_cast<const BoxData*>(userData(w));
    if (!data) return 0;
    switch (message) {
        case kPaint: {
            gfx::Painter& p = paintContext(lp).painter;
            drawIcon(p, data->iconRect, data->flags & kMbIconMask);
            p.drawText(data->text, data->textRect, data->font,
                       {gfx::colors::kBlack, gfx::kWordBreak | gfx::kAlignVCenter});
            return 1;
        }
        case kCommand:
            endDialog(w, commandId(wp));
            return 1;
        default:
            return 0;
    }
}

}  // namespace

int messageBox(Window owner, std::string_view text, std::string_view caption, unsigned flags) {
    BoxData data;
    data.text = std::string(text);
    data.flags = flags;
    data.font = bodyFont(data.text);
    const bool icon = (flags & kMbIconMask) != 0;
    const int textLeft = kMargin + (icon ? kIconSize + kMargin : 0);
    const Rect measured =
        gfx::textBounds(data.text, {0, 0, kMaxTextWidth, 10000}, data.font, gfx::kWordBreak);
    const int textHeight = std::max(measured.bottom, gfx::fontMetrics(data.font).height);
    const int topBlock = std::max(textHeight, icon ? kIconSize : 0);
    const int textTop = kMargin + (topBlock - textHeight) / 2;
    // Narrower than the measure, a line may break otherwise; then the text takes the full width.
    int textWidth = std::max(measured.right, kMaxTextWidth / 4);
    if (gfx::textBounds(data.text, {0, 0, textWidth, 10000}, data.font, gfx::kWordBreak).bottom !=
        measured.bottom)
        textWidth = kMaxTextWidth;
    // Room around the lines for accents over capitals and glyphs that ink past their advance.
    data.textRect = {textLeft, textTop - kInkRoom, textLeft + textWidth + kInkRoom,
                     textTop + textHeight + kInkRoom};
    data.iconRect = Rect::fromSize(kMargin, kMargin, kIconSize, kIconSize);

    const auto buttons = buttonsOf(flags);
    std::vector<std::string> labels;
    for (const BoxButton& b : buttons)
        labels.push_back(labelOf(b));
    const int buttonWidth = buttonWidthFor(labels);
    const int rowWidth = static_cast<int>(buttons.size()) * (buttonWidth + kButtonGap) - kButtonGap;
    gfx::FontSpec captionFont = gfx::systemBoldFont();
    captionFont.height = detail::kDialogTextHeight + 1;
    const int captionWidth = gfx::textExtent(caption, captionFont).width + 24;
    const int width =
        std::max({data.textRect.right + kMargin, rowWidth + 2 * kMargin, captionWidth, 200});
    const int buttonTop = kMargin + topBlock + kMargin + 4;
    const Size client{std::min(width, screenSize().width - 4), buttonTop + kButtonHeight + kMargin};

    const Window box = detail::createDialogWindow(caption, client, owner, boxProc);
    if (!box) return 0;
    setUserData(box, reinterpret_cast<intptr_t>(&data));
    int x = (client.width - rowWidth) / 2;
    for (size_t i = 0; i < buttons.size(); ++i) {
        createWindow(kButtonClass, labels[i], kChild | kVisible,
                     Rect::fromSize(x, buttonTop, buttonWidth, kButtonHeight), box, buttons[i].id);
        x += buttonWidth + kButtonGap;
    }
    return detail::runModal(box, owner);
}

void setMessageBoxLabelSource(ButtonLabelSource source) {
    gLabelSource.store(source);
}

}  // namespace platform::ui
