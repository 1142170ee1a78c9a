#include "screens/keypads/keypad_face.h"

#include <algorithm>

#include "i18n/language.h"
#include "platform/gfx/text.h"
#include "screens/keypads/keypads.h"

namespace keypads {
namespace ui = platform::ui;
namespace gfx = platform::gfx;

namespace {

constexpr gfx::Color kValueColor = gfx::rgb(50, 0, 250);
constexpr int kValueHeight = 60;
constexpr int kValueWeight = 900;
constexpr int kNameHeight = 16;
constexpr int kNameGap = 3;
constexpr int kSmallestNote = 12;

}  // namespace

std::string shownName(const KeypadName& name) {
    std::string text = i18n::GetStringFilled(name.string, name.english, name.number);
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

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

gfx::FontSpec valueFont(const std::string& text) {
    // The panel's own face was narrower; keep every digit inside the box.
    return gfx::fitFont(text, gfx::font(kValueHeight, kValueWeight), kValueBox.width(), 20, 2);
}

void paintValue(gfx::Painter& painter, const std::string& text) {
    painter.fillRect(kValueBox, gfx::colors::kBlack);
    painter.drawText(text, kValueBox, valueFont(text),
                     {kValueColor, gfx::kAlignRight | gfx::kAlignVCenter | gfx::kSingleLine,
                      gfx::colors::kBlack});
}

std::string rangeText(std::string_view low, std::string_view high, std::string_view unit) {
    return i18n::fillPlaceholders(i18n::GetStringOr(815, "RANGE %s - %s %s"), "%s",
                                  {low, high, unit});
}

void paintNote(gfx::Painter& painter, const std::string& text, const gfx::Rect& rect, int height) {
    const gfx::FontSpec font =
        gfx::fitFont(text, gfx::font(height, 700), rect.width(), kSmallestNote);
    painter.drawText(
        text, rect, font,
        {gfx::colors::kBlack, gfx::kAlignCenter | gfx::kSingleLine, gfx::colors::kDialog});
}

void paintName(gfx::Painter& painter, const std::string& name, int clientWidth) {
    const int centre = (kValueBox.left + kValueBox.right) / 2;
    const int half = std::min(centre, clientWidth - centre) - kNameGap;
    const int top = kValueBox.bottom + 2;
    paintNote(painter, name, {centre - half, top, centre + half, top + kNameHeight + 2},
              kNameHeight);
}

void refuseOutOfRange(ui::Window dialog, const std::string& range) {
    ui::messageBox(dialog,
                   i18n::GetStringOr(691, "The value entered is out of range.") + "\n" + range,
                   i18n::GetStringOr(692, "WARNING!"), ui::kMbOk);
}

}  // namespace keypads
