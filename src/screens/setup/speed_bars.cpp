#include "screens/setup/speed_bars.h"

#include <cstdio>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "platform/gfx/text.h"

namespace setup {
namespace {

namespace gfx = platform::gfx;

constexpr gfx::Color kSelected = gfx::rgb(255, 0, 0);
constexpr gfx::Color kFilled = gfx::rgb(0, 0, 100);
constexpr gfx::Color kValueText = gfx::rgb(50, 0, 250);
constexpr gfx::Color kInactive = gfx::rgb(100, 100, 100);

constexpr int kLeft = 60;
constexpr int kCentre = 185;
constexpr int kRight = 310;

struct Bar {
    int cx;
    int value;
    bool selected;
    bool grey;
};

void drawScale(gfx::Painter& p, int cx) {
    static constexpr struct {
        const char* label;
        int y;
    } kMarks[] = {{"-100%", 42}, {"-75%", 115}, {"-50%", 190}, {"-25%", 265}, {"-0%", 340}};
    for (const auto& mark : kMarks) {
        p.drawText(mark.label, {cx + 27, mark.y, cx + 70, mark.y + 14}, gfx::font(14, 500),
                   {gfx::colors::kBlack, gfx::kSingleLine | gfx::kNoClip});
    }
}

void drawBar(gfx::Painter& p, const Bar& bar) {
    const int cx = bar.cx;
    const int top = 350 - 3 * bar.value;
    const gfx::Color fill = bar.grey ? kInactive : (bar.selected ? kSelected : kFilled);
    p.drawFrame({cx - 30, 30, cx + 70, 400}, gfx::colors::kBlack, 2);
    p.fillRect({cx - 17, top, cx + 18, 351}, fill);
    p.fillRect({cx - 17, 50, cx + 18, top}, gfx::colors::kMenu);
    p.drawFrame({cx - 19, 48, cx + 20, 352}, gfx::colors::kBlack, 2);
    char value[16];
    std::snprintf(value, sizeof value, "%3d", bar.value * 10);
    const gfx::Color text = bar.grey ? kInactive : (bar.selected ? kSelected : kValueText);
    p.drawText(
        value, {cx - 30, 360, cx + 70, 396}, gfx::font(40, 900),
        {text, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kSingleLine, gfx::colors::kMenu});
    drawScale(p, cx);
}

// Titles stay left of the dialog's buttons; a long translation gets a smaller size.
void drawTitle(gfx::Painter& p, const std::string& title, int x) {
    constexpr int kRightEdge = 392;
    const gfx::FontSpec font = gfx::fitFont(title, gfx::font(25, 900), kRightEdge - x, 14);
    p.drawText(title, {x, 2, kRightEdge, 29}, font,
               {gfx::colors::kBlack, gfx::kSingleLine | gfx::kAlignVCenter});
}

void drawAutomaticNote(gfx::Painter& p) {
    static constexpr struct {
        int number;
        const char* english;
        int y;
    } kNote[] = {{715, "NOTE:  The dryer has", 100},  {716, "entered automatic mode.", 115},
                 {717, "No manual adjustments", 130}, {718, "are allowed in this mode.", 145},
                 {719, "To make adjustments,", 170},  {720, "switch to manual mode", 185},
                 {721, "using the UNLOAD", 200},      {722, "selector switch.", 215}};
    struct Line {
        std::string line;
        int y;
    };
    std::vector<Line> lines;
    for (const auto& n : kNote)
        lines.push_back({i18n::GetStringOr(n.number, n.english), n.y});
    // The lines keep left of the bar: a smaller size while the widest would reach it.
    gfx::FontSpec font = gfx::font(14, 500);
    for (const auto& l : lines)
        font = gfx::fitFont(l.line, font, 142, 10);
    for (const auto& l : lines)
        p.drawText(l.line, {3, l.y, 145, l.y + 15}, font, {gfx::colors::kBlack, gfx::kSingleLine});
}

Bar barOf(const SpeedBarView& view, int index, int cx, bool grey = false) {
    return {cx, view.values[index], view.selected == index, grey};
}

}  // namespace

void drawSpeedBars(gfx::Painter& p, const SpeedBarView& view) {
    switch (view.drawing) {
        case BarDrawing::OneBar:
            drawBar(p, barOf(view, 1, kCentre));
            drawTitle(p, view.oneBarTitle, view.oneBarTitleX);
            break;
        case BarDrawing::TwoBars:
            drawBar(p, barOf(view, 0, kLeft));
            drawBar(p, barOf(view, 2, kRight));
            drawTitle(p, i18n::GetString(466), 40);
            drawTitle(p, i18n::GetString(465), 285);
            break;
        case BarDrawing::HighOnly:
            drawBar(p, barOf(view, 2, kRight));
            drawTitle(p, i18n::GetString(465), 285);
            break;
        case BarDrawing::ThreeBars:
            drawBar(p, barOf(view, 0, kLeft, view.inactive));
            drawBar(p, barOf(view, 1, kCentre));
            drawBar(p, barOf(view, 2, kRight, view.inactive));
            drawTitle(p, i18n::GetStringOr(723, "LOW SP"), 40);
            drawTitle(p, i18n::GetStringOr(724, "MAIN SP"), 165);
            drawTitle(p, i18n::GetStringOr(725, "HIGH SP"), 285);
            break;
        case BarDrawing::Automatic:
            drawBar(p, barOf(view, 1, kCentre, view.inactive));
            drawTitle(p, i18n::GetString(34), 115);
            if (view.automaticNote) drawAutomaticNote(p);
            break;
    }
}

BarDrawing chooseBarDrawing(int kind, bool manual, bool oneSpeed) {
    switch (kind) {
        case 3:
            return manual ? BarDrawing::OneBar : BarDrawing::Automatic;
        case 1:
            if (manual) return BarDrawing::OneBar;
            return oneSpeed ? BarDrawing::HighOnly : BarDrawing::TwoBars;
        case 2:
            return BarDrawing::ThreeBars;
        default:
            return BarDrawing::OneBar;
    }
}

}  // namespace setup
