// Push buttons (plain, multi-line, owner-drawn), check boxes, radio buttons and group boxes.
#include <algorithm>

#include "platform/ui/controls.h"
#include "platform/ui/draw.h"
#include "platform/ui/internal.h"

namespace platform::ui {
namespace detail {
namespace {

constexpr int kBoxSize = 13;

struct ButtonState : ControlState {
    bool tracking = false;  // the pointer went down on the button and is not yet up
    bool pressed = false;   // tracking and the pointer is over the button
    bool checked = false;
};

uint32_t kindOf(uint32_t style) {
    return style & kButtonKindMask;
}

unsigned textFlags(uint32_t style, unsigned horizontal) {
    if (style & kTextLeft) horizontal = gfx::kAlignLeft;
    if (style & kTextCenter) horizontal = gfx::kAlignCenter;
    if (style & kTextRight) horizontal = gfx::kAlignRight;
    if (style & kMultiLine) return horizontal | gfx::kAlignVCenter | gfx::kWordBreak;
    return horizontal | gfx::kAlignVCenter | gfx::kSingleLine;
}

ButtonLook lookOf(const ControlInfo& info, bool down) {
    if (!info.enabled) return ButtonLook::Disabled;
    return down ? ButtonLook::Pressed : ButtonLook::Normal;
}

// The label in white bold, as large as the face leaves room for; a disabled one engraved.
void drawPushFace(gfx::Painter& p, const Rect& r, const ControlInfo& info, bool down) {
    const ButtonLook look = lookOf(info, down);
    drawButtonFace(p, r, look);
    const int shift = down ? 1 : 0;
    const Rect textArea = r.inflate(-4, -3).offset(shift, shift);
    const unsigned flags = textFlags(info.style, gfx::kAlignCenter) | disabledLook(info);
    gfx::FontSpec bold = info.font;
    bold.weight = std::max(bold.weight, 700);
    const int preferred = r.height() >= kTallFace ? kTallLabelHeight : kDialogTextHeight;
    gfx::FontSpec font = fittedFont(info.text, textArea, bold, flags, preferred);
    // A label too long for bold keeps the weight it was given rather than being clipped.
    if (!textFits(info.text, textArea, font, flags))
        font = fittedFont(info.text, textArea, info.font, flags, preferred);
    if (look == ButtonLook::Disabled) {
        p.drawText(info.text, textArea.offset(1, 1), font, {gfx::rgb(60, 66, 72), flags});
    }
    p.drawText(info.text, textArea, font, {buttonLabelColor(look), flags});
}

void drawCheckMark(gfx::Painter& p, const Rect& box) {
    const Point a{box.left + 3, box.top + 6}, b{box.left + 5, box.top + 8},
        c{box.left + 9, box.top + 4};
    p.drawLine(a, b, gfx::colors::kBlack, 2);
    p.drawLine(b, c, gfx::colors::kBlack, 2);
}

void drawIndicator(gfx::Painter& p, const Rect& client, const ControlInfo& info,
                   const ButtonState& st) {
    p.fillRect(client, info.background);
    const bool radio = kindOf(info.style) == kRadioButton;
    const int top = client.top + (client.height() - kBoxSize) / 2;
    const Rect box{client.left, top, client.left + kBoxSize, top + kBoxSize};
    const gfx::Color well =
        st.pressed || !info.enabled ? gfx::colors::kButtonFace : gfx::colors::kWindow;
    if (radio) {
        p.fillEllipse(box, gfx::colors::kButtonShadow);
        p.fillEllipse(box.inflate(-1, -1), gfx::colors::kButtonDarkShadow);
        p.fillEllipse(box.inflate(-2, -2), well);
        if (st.checked) p.fillEllipse(box.inflate(-4, -4), gfx::colors::kBlack);
    } else {
        drawSunkenEdge(p, box);
        p.fillRect(box.inflate(-2, -2), well);
        if (st.checked) drawCheckMark(p, box);
    }
    const gfx::Color color = info.enabled ? gfx::colors::kWindowText : gfx::colors::kGrayText;
    const Rect label{box.right + 5, client.top, client.right, client.bottom};
    const unsigned flags = textFlags(info.style, gfx::kAlignLeft) | disabledLook(info);
    p.drawText(info.text, label, fittedFont(info.text, label, info.font, flags, kDialogTextHeight),
               {color, flags});
}

// The title in bold, as large as dialog texts where the box is wide enough for it.
void drawGroupBox(gfx::Painter& p, const Rect& client, const ControlInfo& info) {
    gfx::FontSpec bold = info.font;
    bold.weight = std::max(bold.weight, 700);
    const Rect room{client.left + 7, client.top + 1, client.right - 7, client.bottom};
    const gfx::FontSpec font =
        fittedFont(info.text, room, bold, gfx::kAlignLeft | gfx::kSingleLine, kDialogTextHeight);
    const int lineHeight = gfx::fontMetrics(font).height;
    const int y = client.top + lineHeight / 2;
    const Rect frame{client.left, y, client.right, client.bottom};
    p.drawFrame(frame, gfx::colors::kButtonShadow);
    p.drawFrame(frame.offset(1, 1), gfx::colors::kButtonLight);
    if (info.text.empty()) return;
    const int width = gfx::textExtent(info.text, font).width;
    // A pixel spare on each side for glyphs that ink past their advance, and above for accents.
    const Rect label{client.left + 5, client.top, client.left + 11 + width,
                     client.top + lineHeight + 2};
    p.fillRect(label, info.background);
    const gfx::Color color = info.enabled ? gfx::colors::kWindowText : gfx::colors::kGrayText;
    p.drawText(
        info.text, label.inflate(-2, 0), font,
        {color, gfx::kAlignLeft | gfx::kAlignVCenter | gfx::kSingleLine | disabledLook(info)});
}

void paintButton(Window w, PaintContext& pc) {
    ButtonState* st = controlOf<ButtonState>(w);
    if (!st) return;
    const ControlInfo info = controlInfo(w);
    gfx::Painter& p = pc.painter;
    const uint32_t kind = kindOf(info.style);
    if (kind == kOwnerDraw) {
        DrawItem item{p, w, info.id, pc.client, st->pressed, st->checked, !info.enabled};
        sendMessage(info.parent, kDrawItem, static_cast<WParam>(info.id),
                    reinterpret_cast<LParam>(&item));
    } else if (kind == kGroupBox) {
        drawGroupBox(p, pc.client, info);
    } else if (kind == kPushButton || (info.style & kPushLike)) {
        drawPushFace(p, pc.client, info, st->pressed || st->checked);
    } else {
        drawIndicator(p, pc.client, info, *st);
    }
}

// Clears the radios of the button's group: the siblings between the group starts around it.
void clearRadioGroup(Window button) {
    const Window parent = parentOf(button);
    std::vector<Window> group;
    bool mine = false;
    for (Window w : allWindows()) {
        if (parentOf(w) != parent || windowClassName(w) != kButtonClass) continue;
        const uint32_t style = windowStyle(w);
        if (style & kGroup) {
            if (mine) break;
            group.clear();
        }
        if (w == button) mine = true;
        if (kindOf(style) == kRadioButton) group.push_back(w);
    }
    for (Window w : group) {
        if (w != button) setCheck(w, false);
    }
}

void release(Window w, ButtonState& st, Point at) {
    const bool inside = clientRect(w).contains(at);
    const bool wasPressed = st.pressed;
    st.tracking = false;
    st.pressed = false;
    invalidate(w, false);
    if (!inside || !wasPressed) return;
    const ControlInfo info = controlInfo(w);
    if (kindOf(info.style) == kCheckBox) setCheck(w, !st.checked);
    if (kindOf(info.style) == kRadioButton) {
        clearRadioGroup(w);
        setCheck(w, true);
    }
    sendMessage(info.parent, kCommand, commandParam(info.id, kClicked), static_cast<LParam>(w.id));
}

LResult buttonProc(Window w, uint32_t message, WParam wp, LParam lp) {
    switch (message) {
        case kCreate:
            setControlState(w, std::make_unique<ButtonState>());
            if (kindOf(windowStyle(w)) == kGroupBox) setTransparent(w);
            return 0;
        case kEraseBackground:
            if (kindOf(windowStyle(w)) == kGroupBox)
                paintContext(lp).painter.clearRect(paintContext(lp).update);
            return 1;
        case kPaint:
            paintButton(w, paintContext(lp));
            return 0;
        case kPointerDown:
            if (ButtonState* st = controlOf<ButtonState>(w)) {
                st->tracking = st->pressed = true;
                invalidate(w, false);
            }
            return 0;
        case kPointerMove:
            if (ButtonState* st = controlOf<ButtonState>(w); st && st->tracking) {
                const bool inside = clientRect(w).contains(unpackPoint(lp));
                if (inside != st->pressed) {
                    st->pressed = inside;
                    invalidate(w, false);
                }
            }
            return 0;
        case kPointerUp:
            if (ButtonState* st = controlOf<ButtonState>(w); st && st->tracking) {
                release(w, *st, unpackPoint(lp));
            }
            return 0;
        case kCaptureLost:
            if (ButtonState* st = controlOf<ButtonState>(w)) {
                st->tracking = st->pressed = false;
                invalidate(w, false);
            }
            return 0;
        default:
            return defaultProc(w, message, wp, lp);
    }
}

}  // namespace

void registerButtonClass() {
    registerClass({kButtonClass, buttonProc, gfx::colors::kDialog});
}

}  // namespace detail

using namespace detail;

bool isButtonHeld(Window button) {
    const ButtonState* st = controlOf<ButtonState>(button);
    return st && st->pressed && hasCapture(button);
}

void setCheck(Window button, bool checked) {
    ButtonState* st = controlOf<ButtonState>(button);
    if (!st || st->checked == checked) return;
    st->checked = checked;
    invalidate(button, false);
}

bool isChecked(Window button) {
    const ButtonState* st = controlOf<ButtonState>(button);
    return st && st->checked;
}

}  // namespace platform::ui
