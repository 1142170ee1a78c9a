#include "screens/modes/modes_common.h"

#include <algorithm>
#include <cstdio>

#include "screens/keypads/keypads.h"

namespace modes {

namespace {

constexpr uint8_t kUserSettingsCommandBits = 0x03;

uint8_t controllerByte(ByteRecord record) {
    return static_cast<uint8_t>(record.status.get() & ~record.commandBits);
}

}  // namespace

ByteRecord userSettingsRecord() {
    auto& s = state();
    return {s.status.userSettings(), s.edit.userSettings(), s.pending.userSettings(),
            kUserSettingsCommandBits};
}

ByteRecord plenumOptionsRecord() {
    auto& s = state();
    return {s.status.plenumTempOptions(), s.edit.plenumTempOptions(),
            s.pending.plenumTempOptions()};
}

ByteRecord dryingOptionsRecord() {
    auto& s = state();
    return {s.status.dryingOptions(), s.edit.dryingOptions(), s.pending.dryingOptions()};
}

ByteRecord controlModeRecord() {
    auto& s = state();
    return {s.status.moistureControlMode(), s.edit.moistureControlMode(),
            s.pending.moistureControlMode()};
}

ByteRecord dryingModeRecord() {
    auto& s = state();
    return {s.status.dryingMode(), s.edit.dryingMode(), s.pending.dryingMode()};
}

void startFromController(ByteRecord record) {
    const auto hold = state().hold();
    if (!record.flag.raised()) record.edit.set(controllerByte(record));
}

void ByteEdits::change(ByteRecord record, uint8_t set, uint8_t clear) {
    const auto hold = state().hold();
    const uint16_t address = record.edit.offset();
    if (std::find(started_.begin(), started_.end(), address) == started_.end()) {
        started_.push_back(address);
        startFromController(record);
    }
    record.edit.set((record.edit.get() | set) & ~clear & 0xFF);
}

void ByteEdits::setBit(ByteRecord record, int bit, bool on) {
    change(record, on ? bitMask(bit) : 0, on ? 0 : bitMask(bit));
}

bool raiseIfChanged(ByteRecord record) {
    const auto hold = state().hold();
    if (((record.edit.get() ^ record.status.get()) & ~record.commandBits & 0xFF) == 0) {
        return false;
    }
    state().commitEdit(record.flag);
    return true;
}

std::string temperatureText(int fahrenheit) {
    char out[16];
    if (state().unitsSetting != 0) {
        std::snprintf(out, sizeof out, "%d C", keypads::displayCelsius(fahrenheit));
    } else {
        std::snprintf(out, sizeof out, "%d F", fahrenheit);
    }
    return out;
}

void setTexts(ui::Window dialog, int titleString, std::span<const ItemString> items) {
    const std::string title = text(titleString);
    if (ui::windowText(dialog) != title) ui::setWindowText(dialog, title);
    setup::setItemStrings(dialog, items);
    for (const ItemString& item : items)
        setup::fitItemText(dialog, item.id);
}

}  // namespace modes
