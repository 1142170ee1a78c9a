#pragma once
// What the setup screens and dialogs share: localized control texts, the yes/no/cancel answer,
// single-bit edits of whole-byte records and the help message boxes.

#include <span>
#include <string>
#include <string_view>

#include "i18n/resources.h"
#include "link/dryer_state.h"
#include "platform/gfx/font.h"
#include "platform/ui/dialog.h"

namespace setup {

namespace ui = platform::ui;
namespace gfx = platform::gfx;

inline dryer::DryerState& state() {
    return dryer::dryerState();
}

// A control and the number of its text.
struct ItemString {
    int id;
    int string;
};
void setItemStrings(ui::Window dialog, std::span<const ItemString> items);
// The dialog's caption from string `number`, set only when it changed.
void setCaptionString(ui::Window dialog, int number);
std::string text(int stringNumber);
// The smallest font the setup screens' texts shrink to.
inline constexpr int kSmallestFont = 10;
// Gives a control `font`, smaller (down to kSmallestFont) while its text would not fit its width
// less `padding` (the mark of a radio or check box, the edges of a button).
inline constexpr int kMarkPadding = 20;
inline constexpr int kButtonPadding = 8;
void fitItemText(ui::Window dialog, int id, int padding = kMarkPadding,
                 const gfx::FontSpec& font = gfx::systemFont());

// Starts the edit of a whole-byte record from the controller's byte, then sets or clears one
// bit. Every other bit goes back as the controller has it.
void editBit(dryer::Field status, dryer::Field edit, int bit, bool on);
// The same for userSettings, whose bits 0 and 1 are one-shot commands that must not be sent
// again: they are cleared in the copy.
void editUserSettingsBit(int bit, bool on);

// Signed tenths as "%d.%d" with the sign in front: -25 gives "-2.5", 7 gives "0.7".
std::string signedTenths(int tenths);

// The help file of the current language, at most `byteLimit` bytes, in a message box with OK
// and Cancel.
void showHelp(ui::Window owner, std::string_view fileName, int captionString,
              size_t byteLimit = i18n::kHelpFileBytes);

// Raises the record's flag when the edit bytes differ from the controller's. True when it did.
bool raiseIfChanged(dryer::Field status, dryer::Field edit, dryer::Flag flag);

}  // namespace setup
