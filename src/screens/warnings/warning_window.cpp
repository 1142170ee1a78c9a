#include "screens/warnings/warning_window.h"

#include <cstdio>
#include <memory>
#include <string>

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

// A cable from the display to the dryer with a marker running back and forth along it.
void drawConnectionLost(gfx::Painter& p, CableMarker& marker) {
    text(p, i18n::GetString(338), kConnectionLostText, 24, 700, gfx::rgb(0, 0, 150),
         gfx::kAlignLeft | gfx::kWordBreak);
    const gfx::Color edge = gfx::rgb(20, 50, 20);
    p.drawLine({105, 70}, {255, 70}, gfx::rgb(0, 125, 0), 10);
    p.drawLine({105, 65}, {255, 65}, edge, 1);
    p.drawLine({105, 75}, {255, 75}, edge, 1);
    uint32_t& flags = shell::periodic().alertBlinkFlags;
    if (flags & shell::kBlinkAnimationStep) {
        flags &= ~shell::kBlinkAnimationStep;
        marker.step();
    }
    p.drawLine({105 + 10 * marker.position, 70}, {120 + 10 * marker.position, 70},
               gfx::rgb(0, 0, 150), 6);
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
    const gfx::Rect& room = kWarningTextRoom;
    const auto fits = [&](unsigned flags) {
        return [&text, &room, flags](const gfx::FontSpec& f) {
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
        if (position < 13) {
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
