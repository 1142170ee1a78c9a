#include "screens/warnings/warning_window.h"

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "i18n/text.h"
#include "link/dryer_state.h"
#include "platform/ui/controls.h"
#include "resources/program_bitmaps.h"
#include "screens/warnings/history_dialog.h"
#include "screens/warnings/shutdown_help.h"
#include "shell/hooks.h"
#include "shell/periodic.h"

namespace warnings {
namespace {

namespace ui = platform::ui;
namespace gfx = platform::gfx;

constexpr std::string_view kConnectionLostCaption = " CONNECTION TO DRYER LOST!";
constexpr int kSmallestFont = 10;
constexpr int kSignRight = 125;  // the warning sign covers x 20 to 120
constexpr int kWarningTextHeight = 20;
// Where the connection-lost message has room: left of the dryer and above the display.
constexpr gfx::Rect kConnectionLostText{5, 2, 245, 40};
// The cable runs at kCableY from under the display's picture to the controller's, cut between.
constexpr int kCableY = 70;
constexpr int kCutLeft = 176;
constexpr int kCutRight = 206;
constexpr gfx::Color kCutRed = gfx::rgb(255, 40, 40);
// The marker: kMarkerLength pixels, from kMarkerStart (the display's edge) a step at a time.
constexpr int kMarkerStart = 130;
constexpr int kMarkerStep = 8;
constexpr int kMarkerLength = 10;
constexpr gfx::Color kMarkerColor = gfx::rgb(90, 170, 255);
// What to check, below the pictures: a heading and a numbered line pair for each check.
constexpr gfx::Rect kChecksHeading{25, 148, 585, 172};
constexpr int kCheckHeight = 40;

constexpr gfx::Color kBackground = gfx::rgb(100, 100, 100);
constexpr gfx::Color kRed = gfx::rgb(255, 0, 0);
constexpr gfx::Color kBlue = gfx::rgb(0, 0, 255);
constexpr gfx::Color kCountdown = gfx::rgb(255, 230, 0);  // 4.7:1 on the grey
constexpr gfx::Color kNoteBlue = gfx::rgb(0, 0, 200);
constexpr gfx::Color kNoteRed = gfx::rgb(175, 0, 0);

constexpr unsigned kCentred = gfx::kAlignCenter | gfx::kSingleLine;

// Owned by the window from creation to destruction; UI thread only.
struct WarningWindowState {
    i18n::HeldButtonBitmap helpFace{72};
    CableMarker marker;
};
std::unique_ptr<WarningWindowState> gWindow;

dryer::DryerState& state() {
    return dryer::dryerState();
}

// The largest font up to `height` in which the text fits the width of its rectangle (and, when
// it wraps, its height): translations run longer than the texts the layout was drawn for.
gfx::FontSpec fittingFont(std::string_view s, const gfx::Rect& r, int height, int weight,
                          unsigned flags) {
    const bool wraps = (flags & gfx::kWordBreak) != 0;
    return gfx::shrinkFont(gfx::font(height, weight), kSmallestFont, [&](const gfx::FontSpec& f) {
        const gfx::Rect used = gfx::textBounds(s, {r.left, r.top, r.right, r.top + 1000}, f, flags);
        return used.width() <= r.width() && (!wraps || used.height() <= r.height());
    });
}

void text(gfx::Painter& p, std::string_view s, const gfx::Rect& r, int height, int weight,
          gfx::Color color, unsigned flags = kCentred) {
    p.drawText(s, r, fittingFont(s, r, height, weight, flags), {color, flags});
}

// The caption line is centred over the warning text; it keeps clear of the warning sign on its
// left, so it fits the span as wide on both sides of its centre as the sign leaves free.
void captionText(gfx::Painter& p, std::string_view s, const gfx::Rect& r, int height,
                 gfx::Color color) {
    const int centre = (r.left + r.right) / 2;
    const int half = centre - kSignRight;
    const gfx::Rect room{centre - half, r.top, centre + half, r.bottom};
    p.drawText(s, r, fittingFont(s, room, height, 900, kCentred), {color, kCentred});
}

void drawWarningText(gfx::Painter& p, int node, int warning) {
    const std::string warningText = i18n::GetWarningText(node, warning);
    const WarningTextLayout layout = layoutWarningText(warningText);
    p.drawText(warningText, kWarningTextRoom, layout.font, {gfx::colors::kWhite, layout.flags});
}

// The line above the warning text: the grain temperature alarm, the countdown to the shutdown,
// or the shutdown itself. The alarm and the shutdown blink with the caption bit; the countdown is
// off for a quarter of the time only, so that it can be read.
void drawCaptionLine(gfx::Painter& p, int alarmFlags) {
    const uint32_t blink = shell::periodic().alertBlinkFlags;
    const bool grainAlarm = (alarmFlags & 0x10) != 0;
    const bool countdown = !grainAlarm && (alarmFlags & 0x02) != 0;
    if ((blink & (countdown ? shell::kBlinkCountdown : shell::kBlinkCaption)) == 0) return;
    if (grainAlarm) {
        captionText(p, i18n::GetString(339), {50, 0, 575, 25}, 30, kBlue);
    } else if (countdown) {
        char line[160];
        std::snprintf(line, sizeof line, "%s: %d:%02d", i18n::GetString(462).c_str(),
                      state().status.alarmCountdownMinutes().get(),
                      state().status.alarmCountdownSeconds().get());
        captionText(p, line, {50, 5, 575, 45}, 40, kCountdown);
    } else {
        captionText(p, i18n::GetString(330), {50, 0, 575, 50}, 40, kRed);
    }
}

void drawGrainTemperature(gfx::Painter& p) {
    const int select = state().status.grainTempSelect().get();
    const int value = state().status.grainTemp(select > 2 ? 0 : select).get();
    const std::string line = i18n::GetStringFilled(741, "GRAIN TEMPERATURE: %d \u00B0 F", value);
    text(p, line, {50, 28, 575, 50}, 20, 500, gfx::rgb(0, 0, 100));
}

void drawNotes(gfx::Painter& p, int node, int warning, int alarmFlags) {
    const bool grainAlarm = (alarmFlags & 0x10) != 0;
    if (warning == 5 && node >= 2 && node <= 7) {
        if (!grainAlarm) {
            text(p, i18n::GetString(332), {25, 220, 575, 250}, 16, 900, kNoteBlue);
            text(p, i18n::GetString(333), {25, 250, 575, 270}, 16, 900, kNoteRed);
            text(p, i18n::GetString(334), {25, 270, 575, 290}, 16, 900, kNoteRed);
        } else {
            text(p, i18n::GetString(335), {25, 220, 575, 250}, 16, 900, kNoteRed);
            text(p, i18n::GetString(336), {25, 270, 575, 290}, 16, 900, kNoteRed);
        }
    }
    if (alarmFlags & 0x02) {
        text(p, i18n::GetString(337), {25, 220, 575, 250}, 16, 900, kNoteBlue);
    }
}

void drawShutdownDetails(gfx::Painter& p) {
    const int node = state().status.shutdownNodeId().get();
    const int warning = state().status.shutdownWarningId().get();
    const int alarmFlags = state().status.alarmFlags().get();
    // The rules frame the warning text; the upper one starts where the warning sign ends.
    p.drawLine({kWarningTextRoom.left, 50}, {kWarningTextRoom.right, 50}, kRed, 2);
    p.drawLine({25, kWarningTextRoom.bottom + 2},
               {kWarningTextRoom.right, kWarningTextRoom.bottom + 2}, kRed, 2);
    drawWarningText(p, node, warning);
    drawCaptionLine(p, alarmFlags);
    if (alarmFlags & 0x10) drawGrainTemperature(p);
    text(p, i18n::GetString(331), {25, 200, 575, 225}, 16, 900, gfx::rgb(0, 255, 0));
    drawNotes(p, node, warning, alarmFlags);
}

// The cable from the display to the controller, cut between them, with the display's calls
// running up to the cut and back.
void drawBrokenCable(gfx::Painter& p, CableMarker& marker) {
    const gfx::Color cable = gfx::rgb(45, 45, 45);
    p.drawLine({105, kCableY}, {kCutLeft, kCableY}, cable, 10);
    p.drawLine({kCutRight, kCableY}, {255, kCableY}, cable, 10);
    const int centre = (kCutLeft + kCutRight) / 2;
    for (const auto& [color, width] : {std::pair{gfx::rgb(70, 0, 0), 8}, {kCutRed, 4}}) {
        p.drawLine({centre - 9, kCableY - 11}, {centre + 9, kCableY + 11}, color, width);
        p.drawLine({centre - 9, kCableY + 11}, {centre + 9, kCableY - 11}, color, width);
    }
    uint32_t& flags = shell::periodic().alertBlinkFlags;
    if (flags & shell::kBlinkAnimationStep) {
        flags &= ~shell::kBlinkAnimationStep;
        marker.step();
    }
    const int left = kMarkerStart + kMarkerStep * marker.position;
    p.drawLine({left, kCableY}, {left + kMarkerLength, kCableY}, kMarkerColor, 6);
}

struct ConnectionCheck {
    int number;
    std::string_view english;
};
// In the order they are worth making: the cheapest and likeliest cause first.
constexpr std::array<ConnectionCheck, 3> kConnectionChecks{{
    {791, "The controller's power: main switch on, fuse intact?"},
    {792,
     "The cable between display and controller: firmly plugged in at both ends, not "
     "damaged?"},
    {793, "The serial (USB) adapter: firmly plugged into the display's USB port?"},
}};

// The room below the pictures says what to check.
void drawConnectionChecks(gfx::Painter& p) {
    constexpr unsigned kLine = gfx::kAlignLeft | gfx::kSingleLine;
    text(p, i18n::GetStringOr(790, "PLEASE CHECK, IN THIS ORDER:"), kChecksHeading, 20, 700,
         gfx::colors::kWhite, kLine);
    for (size_t i = 0; i < kConnectionChecks.size(); ++i) {
        const int top = kChecksHeading.bottom + 2 + static_cast<int>(i) * kCheckHeight;
        text(p, std::to_string(i + 1) + ".", {25, top, 50, top + kCheckHeight}, 18, 700,
             gfx::colors::kWhite, kLine);
        text(p, i18n::GetStringOr(kConnectionChecks[i].number, kConnectionChecks[i].english),
             {50, top, 585, top + kCheckHeight}, 18, 400, gfx::colors::kWhite,
             gfx::kAlignLeft | gfx::kWordBreak);
    }
}

void drawConnectionLost(gfx::Painter& p, CableMarker& marker) {
    text(p, i18n::GetString(338), kConnectionLostText, 24, 700, gfx::rgb(0, 0, 150),
         gfx::kAlignLeft | gfx::kWordBreak);
    drawBrokenCable(p, marker);
    drawConnectionChecks(p);
}

// A picture that does not load leaves its place empty.
void copyPicture(gfx::Painter& p, int number, const gfx::Rect& to) {
    if (const resources::ProgramBitmap picture = resources::LoadProgramBitmap(number))
        p.stretchBitmap(*picture, picture->bounds(), to);
}

// The help button belongs to a shutdown: while the link is lost there is none to explain.
void showHelpButton(ui::Window window, bool shown) {
    const ui::Window button = ui::childById(window, kWarningHelpButton);
    if (ui::isVisible(button) != shown) ui::showWindow(button, shown);
}

void paintWarningWindow(ui::Window window, ui::PaintContext& pc) {
    gfx::Surface off(pc.client.width(), pc.client.height(), kBackground);
    gfx::Painter p(off);
    const bool linkLost = state().linkAliveSeconds == 0;
    // Set once per paint: the caption bar is redrawn whenever its text changes.
    ui::setWindowText(window,
                      linkLost ? std::string(kConnectionLostCaption) : i18n::GetString(329));
    const bool shutdown =
        state().status.shutdownNodeId().get() != 0 || state().status.shutdownWarningId().get() != 0;
    if (linkLost) {
        state().resyncRequest = 1;
        drawConnectionLost(p, gWindow->marker);
        copyPicture(p, 259, {30, 40, 130, 115});
        copyPicture(p, 260, {250, 20, 350, 144});
        showHelpButton(window, false);
    } else if (shutdown) {
        copyPicture(p, 517, {20, 1, 120, 93});
        drawShutdownDetails(p);
        showHelpButton(window, true);
    }
    pc.painter.copyBitmap(off, {0, 0});
}

void drawHelpButton(ui::DrawItem& item) {
    if (const gfx::Surface* face = gWindow->helpFace.get()) {
        item.painter.stretchBitmap(*face, face->bounds(), item.rect);
        return;
    }
    // No face in this language: a plain button that still says what it does.
    item.painter.fillRect(item.rect, gfx::colors::kButtonFace);
    item.painter.drawFrame(item.rect, gfx::colors::kButtonDarkShadow, item.pressed ? 2 : 1);
    item.painter.drawText(i18n::GetString(3), item.rect, gfx::font(22, 700),
                          {gfx::colors::kBlack, kCentred | gfx::kAlignVCenter});
}

void openHelp(ui::Window window) {
    helpRequest() = {static_cast<uint32_t>(state().status.shutdownNodeId().get()),
                     static_cast<uint32_t>(state().status.shutdownWarningId().get())};
    runShutdownHelp(window);
}

}  // namespace

WarningTextLayout layoutWarningText(std::string_view text) {
    const auto fits = [&text](unsigned flags) {
        return [&text, flags](const gfx::FontSpec& f) {
            const gfx::Rect& room = kWarningTextRoom;
            for (const gfx::TextLine& line : gfx::layoutText(text, room, f, flags)) {
                const gfx::Rect ink = gfx::glyphBox(line, f);
                if (ink.left < room.left || ink.right > room.right || ink.top < room.top ||
                    ink.bottom > room.bottom)
                    return false;
            }
            return true;
        };
    };
    const gfx::FontSpec start = gfx::font(kWarningTextHeight, 500);
    constexpr unsigned kOneLine = kCentred | gfx::kAlignVCenter;
    const gfx::FontSpec single = gfx::shrinkFont(start, kSmallestWarningText, fits(kOneLine));
    if (fits(kOneLine)(single)) return {single, kOneLine};
    // Wrapped; a text too long even for that is drawn at the smallest size and cut at the rule.
    constexpr unsigned kWrapped = gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kWordBreak;
    return {gfx::shrinkFont(start, kSmallestWarningText, fits(kWrapped)), kWrapped};
}

void CableMarker::step() {
    if (movingRight) {
        if (position < kCableMarkerEnd) {
            ++position;
        } else {
            movingRight = false;
        }
    } else if (position > 0) {
        --position;
    } else {
        movingRight = true;
    }
}

ui::LResult warningWindowProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            gWindow = std::make_unique<WarningWindowState>();
            ui::createWindow(ui::kButtonClass, "WARNING_HELP",
                             ui::kChild | ui::kVisible | ui::kOwnerDraw, {195, 125, 395, 175},
                             window, kWarningHelpButton);
            return 0;
        case ui::kDestroy:
            gWindow.reset();
            return 0;
        case ui::kEraseBackground:
            return 1;
        case ui::kPaint:
            if (gWindow) paintWarningWindow(window, ui::paintContext(lp));
            return 0;
        case ui::kDrawItem:
            if (gWindow) drawHelpButton(ui::drawItem(lp));
            return 1;
        case ui::kCommand:
            if (ui::commandId(wp) == kWarningHelpButton) openHelp(window);
            return 0;
        default:
            break;
    }
    return ui::defaultProc(window, message, wp, lp);
}

void registerWarningScreens() {
    shell::setScreenProcedure(shell::Screen::Warning, warningWindowProc);
    shell::setDialogOpener(kHistoryDialog, [](ui::Window owner) { runShutdownHistory(owner); });
}

}  // namespace warnings
