#pragma once
// What the two keypad dialogs share: the value box, the key faces and the labels.

#include <array>
#include <string>
#include <string_view>

#include "platform/ui/dialog.h"

namespace keypads {

// The box that shows the value being edited, in the dialog's client pixels.
inline constexpr platform::gfx::Rect kValueBox{150, 40, 398, 110};

// Ten digit keys laid out as on a telephone (1 2 3 / 4 5 6 / 7 8 9 / 0) with DELETE beside
// the 0, at x, y in dialog units; ids indexed by digit.
struct PadIds {
    std::array<int, 10> digits;
    int deleteKey;
};

inline constexpr int kKeyWidth = 40;
inline constexpr int kKeyHeight = 27;
inline constexpr int kKeyStepX = 44;
inline constexpr int kKeyStepY = 31;
inline constexpr int kPadTop = 70;
inline constexpr int kPadWidth = 2 * kKeyStepX + kKeyWidth;

constexpr platform::ui::DialogItem padKey(const PadIds& pad, int digit, int x) {
    const int column = digit == 0 ? 0 : (digit - 1) % 3;
    const int row = digit == 0 ? 3 : (digit - 1) / 3;
    constexpr std::string_view kLabels[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    return {pad.digits[digit],
            platform::ui::ControlKind::PushButton,
            kLabels[digit],
            x + column * kKeyStepX,
            kPadTop + row * kKeyStepY,
            kKeyWidth,
            kKeyHeight};
}

constexpr platform::ui::DialogItem padDelete(const PadIds& pad, int x) {
    return {pad.deleteKey,
            platform::ui::ControlKind::PushButton,
            "DELETE",
            x + kKeyStepX,
            kPadTop + 3 * kKeyStepY,
            kKeyStepX + kKeyWidth,
            kKeyHeight};
}

// The digit of a key id on the pad; -1 when it is none of its digits.
int digitOf(const PadIds& pad, int id);

// Large digits on the pad's keys, bold labels on the other buttons.
void setKeyFonts(platform::ui::Window dialog, const PadIds& pad);
void setButtonFont(platform::ui::Window dialog, int id);

// A numbered string of the language, or `fallback` while the language has none.
std::string labelText(int stringNumber, std::string_view fallback);

// Cuts a UTF-8 text after `count` characters, never inside one.
void clipToCharacters(std::string& text, size_t count);

// The value in the box: right-aligned, as large as fits up to 60 pixels.
void paintValue(platform::gfx::Painter& painter, const std::string& text);
// The font the value box draws `text` in.
platform::gfx::FontSpec valueFont(const std::string& text);

// "RANGE 50 - 250 °F": the limits as shown and their unit.
std::string rangeText(std::string_view low, std::string_view high, std::string_view unit);

// What the keypad edits, centred under the value box and no wider than the client allows.
void paintName(platform::gfx::Painter& painter, const std::string& name, int clientWidth);
// One line centred in `rect`, smaller where it would not fit.
void paintNote(platform::gfx::Painter& painter, const std::string& text,
               const platform::gfx::Rect& rect, int height);

// Shows the refusal with the range the value must lie in and waits for OK.
void refuseOutOfRange(platform::ui::Window dialog, const std::string& range);

}  // namespace keypads
