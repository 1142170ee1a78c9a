// Message boxes: an icon, the text and a row of buttons, run modally.
#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/ui/dialog.h"
#include "platform/ui/internal.h"
#include "platform/ui/modal.h"

namespace platform::ui {
namespace {

constexpr int kMargin = 14;
constexpr int kIconSize = 32;
constexpr int kMaxTextWidth = 440;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 30;
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

struct BoxData {
    std::string text;
    unsigned flags = 0;
    Rect textRect;
    Rect iconRect;
};

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
            p.drawText(data->text, data->textRect, gfx::systemFont(),
                       {gfx::colors::kBlack, gfx::kWordBreak});
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
    const bool icon = (flags & kMbIconMask) != 0;
    const int textLeft = kMargin + (icon ? kIconSize + kMargin : 0);
    const Rect measured = gfx::textBounds(data.text, {0, 0, kMaxTextWidth, 10000},
                                          gfx::systemFont(), gfx::kWordBreak);
    const int textHeight = std::max(measured.bottom, gfx::fontMetrics(gfx::systemFont()).height);
    const int topBlock = std::max(textHeight, icon ? kIconSize : 0);
    const int textTop = kMargin + (topBlock - textHeight) / 2;
    data.textRect = {textLeft, textTop, textLeft + std::max(measured.right, kMaxTextWidth / 4),
                     textTop + textHeight};
    data.iconRect = Rect::fromSize(kMargin, kMargin, kIconSize, kIconSize);

    const auto buttons = buttonsOf(flags);
    const int rowWidth =
        static_cast<int>(buttons.size()) * (kButtonWidth + kButtonGap) - kButtonGap;
    const int captionWidth = gfx::textExtent(caption, gfx::systemBoldFont()).width + 24;
    const int width =
        std::max({data.textRect.right + kMargin, rowWidth + 2 * kMargin, captionWidth, 200});
    const int buttonTop = kMargin + topBlock + kMargin + 4;
    const Size client{std::min(width, screenSize().width - 4), buttonTop + kButtonHeight + kMargin};

    const Window box = detail::createDialogWindow(caption, client, owner, boxProc);
    if (!box) return 0;
    setUserData(box, reinterpret_cast<intptr_t>(&data));
    int x = (client.width - rowWidth) / 2;
    for (const BoxButton& b : buttons) {
        createWindow(kButtonClass, labelOf(b), kChild | kVisible,
                     Rect::fromSize(x, buttonTop, kButtonWidth, kButtonHeight), box, b.id);
        x += kButtonWidth + kButtonGap;
    }
    return detail::runModal(box, owner);
}

void setMessageBoxLabelSource(ButtonLabelSource source) {
    gLabelSource.store(source);
}

}  // namespace platform::ui
