#pragma once
// What the drying-mode dialogs share: the whole-byte records they change bit by bit, the
// temperature and time figures, the help message boxes and the localized control texts.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "link/dryer_state.h"
#include "platform/ui/dialog.h"
#include "screens/setup/setup_common.h"

namespace modes {

namespace ui = platform::ui;
namespace gfx = platform::gfx;

using setup::ItemString;
using setup::showHelp;
using setup::state;
using setup::text;

// A one-byte record of the command frame: the controller's byte, the operator's and the flag.
struct ByteRecord {
    dryer::Field status;
    dryer::Field edit;
    dryer::Flag flag;
    uint8_t commandBits = 0;  // one-shot command bits, never carried over from the controller
};
ByteRecord userSettingsRecord();
ByteRecord plenumOptionsRecord();
ByteRecord dryingOptionsRecord();
ByteRecord controlModeRecord();
ByteRecord dryingModeRecord();

// The operator's copy of a record as a dialog starts with it: the controller's byte, less its
// command bits. A change still waiting for the controller's echo (flag raised) is kept instead.
void startFromController(ByteRecord record);

// The bytes a dialog has changed since it opened. The first change of a byte starts from the
// controller's byte (as startFromController does); later ones build on the dialog's own, so
// that no change the operator made before ACCEPT is lost. The whole byte goes out.
class ByteEdits {
  public:
    // Sets the bits of `set`, then clears those of `clear`.
    void change(ByteRecord record, uint8_t set, uint8_t clear);
    void setBit(ByteRecord record, int bit, bool on);

  private:
    std::vector<uint16_t> started_;
};

constexpr uint8_t bitMask(int bit) {
    return static_cast<uint8_t>(1u << bit);
}

// Raises the record's flag when the operator's byte differs from the controller's (command
// bits aside). True when it did.
bool raiseIfChanged(ByteRecord record);

// A temperature in whole degrees F as the display shows it: "%d F", or "%d C" in SI units.
std::string temperatureText(int fahrenheit);

// Sets the window's title and its controls' texts from the string table; the controls get a
// smaller font where a translation would not fit.
void setTexts(ui::Window dialog, int titleString, std::span<const ItemString> items);

}  // namespace modes
