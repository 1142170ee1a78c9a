#include "screens/keypads/keypad_face.h"

#include "i18n/language.h"
#include "platform/gfx/text.h"

namespace keypads {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr gfx::Color kValueColor = gfx::rgb(50, 0, 250);
constexpr int kValueHeight = 60;
constexpr int kValueWeight = 900;

}  // namespace

int digitOf(const PadIds& pad, int id) {
    for (int digit = 0; digit < 10; ++digit) {
        if (pad.digits[digit] == id) return digit;
    }
    return -1;
}

void setKeyFonts(ui::Window dialog, const PadIds& pad) {
    for (const int id : pad.digits) {
        ui::setWindowFont(ui::dialogItem(dialog, id), gfx::font(26, 700));
    }
    setButtonFont(dialog, pad.deleteKey);
}

void setButtonFont(ui::Window dialog, int id) {
    ui::setWindowFont(ui::dialogItem(dialog, id), gfx::font(16, 700));
}

std::string labelText(int stringNumber, std::string_view fallback) {
    std::string text = i18n::GetString(stringNumber);
    return text.empty() ? std::string(fallback) : text;
}

void clipToCharacters(std::string& text, size_t count) {
    size_t at = 0;
    for (size_t characters = 0; at < text.size(); ++at) {
        const bool continuation = (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
        if (!continuation && characters++ == count) break;
    }
    text.resize(at);
}

void paintValue(gfx::Painter& painter, const std::string& text) {
    painter.fillRect(kValueBox, gfx::colors::kBlack);
    // The panel's own face was narrower; keep every digit inside the box.
    const gfx::FontSpec font =
        gfx::fitFont(text, gfx::font(kValueHeight, kValueWeight), kValueBox.width(), 20, 2);
    painter.drawText(text, kValueBox, font,
                     {kValueColor, gfx::kAlignRight | gfx::kAlignVCenter | gfx::kSingleLine,
                      gfx::colors::kBlack});
}

void refuseOutOfRange(ui::Window dialog) {
    ui::messageBox(dialog, i18n::GetStringOr(691, "The value entered is out of range."),
                   i18n::GetStringOr(692, "WARNING!"), ui::kMbOk);
}

}  // namespace keypads
