// The main window: an empty full-screen background that owns the button bar's buttons and runs
// their commands.
#include <array>

#include "i18n/button_bitmaps.h"
#include "link/dryer_state.h"
#include "platform/ui/controls.h"
#include "resources/program_bitmaps.h"
#include "shell/app.h"
#include "shell/app_internal.h"
#include "shell/commands.h"
#include "shell/layout.h"
#include "shell/screen_table.h"

namespace shell::detail {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

// The localized pictures of the five main buttons; a button without a picture gets a plain
// labelled face.
std::array<i18n::HeldButtonBitmap, kMainButtonCount> gPictures;

// The program's own pictures: EXIT_TO_DRYER released and pressed, QS, and MISC while the drying
// mode locks it out.
struct ProgramPictures {
    resources::ProgramBitmap exitReleased;
    resources::ProgramBitmap exitPressed;
    resources::ProgramBitmap quickStatus;
    resources::ProgramBitmap miscLocked;
};
ProgramPictures gProgramPictures;

void loadPictures(bool load) {
    for (const MainButtonSpec& entry : mainButtonTable()) {
        gPictures[static_cast<int>(entry.button)].load(load ? entry.bitmap : 0);
    }
    gProgramPictures = {};
    if (!load) return;
    gProgramPictures.exitReleased = resources::LoadProgramBitmap(210);
    gProgramPictures.exitPressed = resources::LoadProgramBitmap(211);
    gProgramPictures.quickStatus = resources::LoadProgramBitmap(595);
    gProgramPictures.miscLocked = resources::LoadProgramBitmap(resources::kMiscLockedBitmap);
}

const gfx::Surface* pictureOf(MainButton button, bool pressed, bool locked) {
    if (locked) return gProgramPictures.miscLocked.get();
    switch (button) {
        case MainButton::ExitToDryer:
            return (pressed ? gProgramPictures.exitPressed : gProgramPictures.exitReleased).get();
        case MainButton::Qs:
            return gProgramPictures.quickStatus.get();
        default:
            return gPictures[static_cast<int>(button)].get();
    }
}

void createButtons(ui::Window main) {
    for (const MainButtonSpec& entry : mainButtonTable()) {
        const uint32_t style =
            ui::kChild | ui::kOwnerDraw | (entry.shownAtStart ? ui::kVisible : 0);
        app().buttons[static_cast<int>(entry.button)] =
            ui::createWindow(ui::kButtonClass, entry.name, style,
                             gfx::Rect::fromSize(entry.x, entry.y, entry.width, entry.height), main,
                             entry.commandId);
    }
}

const MainButtonSpec* buttonById(int id) {
    for (const MainButtonSpec& entry : mainButtonTable()) {
        if (entry.commandId == id) return &entry;
    }
    return nullptr;
}

void drawEdge(gfx::Painter& p, const gfx::Rect& r, bool sunken) {
    const gfx::Color light = sunken ? gfx::colors::kButtonDarkShadow : gfx::colors::kButtonLight;
    const gfx::Color dark = sunken ? gfx::colors::kButtonLight : gfx::colors::kButtonDarkShadow;
    p.fillRect({r.left, r.top, r.right, r.top + 2}, light);
    p.fillRect({r.left, r.top, r.left + 2, r.bottom}, light);
    p.fillRect({r.left, r.bottom - 2, r.right, r.bottom}, dark);
    p.fillRect({r.right - 2, r.top, r.right, r.bottom}, dark);
}

// A plain face with the button's name, for buttons whose picture is missing.
void drawPlainFace(gfx::Painter& p, const gfx::Rect& r, std::string_view label, bool pressed,
                   bool dimmed) {
    p.fillRect(r, gfx::rgb(70, 80, 96));
    drawEdge(p, r, pressed);
    const int shift = pressed ? 1 : 0;
    const gfx::Color text = dimmed ? gfx::rgb(150, 150, 150) : gfx::colors::kWhite;
    p.drawText(label, r.inflate(-3, -3).offset(shift, shift), gfx::font(16, 700),
               {text, gfx::kAlignCenter | gfx::kAlignVCenter | gfx::kWordBreak});
}

std::string buttonLabel(const MainButtonSpec& entry) {
    return entry.button == MainButton::ExitToDryer ? "EXIT TO DRYER" : std::string(entry.name);
}

void drawButton(const ui::DrawItem& item) {
    const MainButtonSpec* entry = buttonById(item.controlId);
    if (entry == nullptr) return;
    const bool locked = entry->button == MainButton::Misc && dryer::dryerState().miscLockout;
    const gfx::Surface* picture = pictureOf(entry->button, item.pressed, locked);
    if (picture != nullptr) {
        item.painter.stretchBitmap(*picture, picture->bounds(), item.rect);
        // EXIT_TO_DRYER has a pressed picture of its own; the others show a frame.
        const bool ownPressedPicture = entry->button == MainButton::ExitToDryer && !locked;
        if (item.pressed && !ownPressedPicture) {
            item.painter.drawFrame(item.rect, gfx::colors::kWhite, 2);
        }
        return;
    }
    drawPlainFace(item.painter, item.rect, buttonLabel(*entry), item.pressed, locked);
}

ui::LResult mainWindowProc(ui::Window window, uint32_t message, ui::WParam wp, ui::LParam lp) {
    switch (message) {
        case ui::kCreate:
            loadPictures(true);
            createButtons(window);
            return 0;
        case ui::kDestroy:
            loadPictures(false);
            ui::postQuit(0);
            return 0;
        case ui::kPaint:
            return 0;
        case ui::kDrawItem:
            drawButton(ui::drawItem(lp));
            return 1;
        case ui::kCommand:
            if (mainWindowCommand(environment(), ui::commandId(wp))) return 0;
            break;
        case kLayoutRequest:
            updateScreenLayout(environment());
            return 0;
        case kBatchButtonsRequest:
            updateBatchStageButtons(environment());
            return 0;
        default:
            break;
    }
    return ui::defaultProc(window, message, wp, lp);
}

}  // namespace

bool registerMainWindowClass() {
    return ui::registerClass(
        {std::string(kWindowClassName), mainWindowProc, gfx::colors::kStockBlackBrush});
}

void raiseMainButtons() {
    for (ui::Window button : app().buttons) {
        if (ui::isVisible(button)) ui::bringToTop(button);
    }
}

}  // namespace shell::detail
