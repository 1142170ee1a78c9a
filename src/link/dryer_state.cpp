#include "link/dryer_state.h"

#include <cassert>

#include "link/command_frame.h"

namespace dryer {
namespace {

using Lock = std::lock_guard<std::recursive_mutex>;

}  // namespace

int32_t decodeValue(const uint8_t* p, Kind kind) {
    switch (kind) {
        case Kind::U8:
            return p[0];
        case Kind::LE16:
            return p[0] | (p[1] << 8);
        case Kind::BE16:
            return (p[0] << 8) | p[1];
        case Kind::BE16S:
            return static_cast<int16_t>((p[0] << 8) | p[1]);
        case Kind::LE32:
            return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | (uint32_t{p[1]} << 8) |
                                        (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24));
        case Kind::Time:
            return p[0] * 60 + p[1];
    }
    return 0;
}

namespace {

void encode(uint8_t* p, Kind kind, int32_t value) {
    const auto v = static_cast<uint32_t>(value);
    switch (kind) {
        case Kind::U8:
            p[0] = static_cast<uint8_t>(v);
            break;
        case Kind::LE16:
            p[0] = static_cast<uint8_t>(v);
            p[1] = static_cast<uint8_t>(v >> 8);
            break;
        case Kind::BE16:
        case Kind::BE16S:
            p[0] = static_cast<uint8_t>(v >> 8);
            p[1] = static_cast<uint8_t>(v);
            break;
        case Kind::LE32:
            for (int i = 0; i < 4; ++i)
                p[i] = static_cast<uint8_t>(v >> (8 * i));
            break;
        case Kind::Time:
            p[0] = static_cast<uint8_t>(value / 60);
            p[1] = static_cast<uint8_t>(value % 60);
            break;
    }
}

}  // namespace

int32_t Field::get() const {
    Lock lock(image_->mutex());
    return decodeValue(image_->unlockedBytes() + offset_, kind_);
}

void Field::set(int32_t value) {
    Lock lock(image_->mutex());
    encode(image_->unlockedBytes() + offset_, kind_, value);
}

uint8_t Field::byte(int i) const {
    assert(i >= 0 && i < width());
    return image_->at(offset_ + i);
}

void Field::setByte(int i, uint8_t value) {
    assert(i >= 0 && i < width());
    image_->setAt(offset_ + i, value);
}

void Field::setBit(int n, bool on) {
    Lock lock(image_->mutex());
    const int32_t mask = int32_t{1} << n;
    const int32_t value = get();
    set(on ? (value | mask) : (value & ~mask));
}

Field FieldArray::operator[](int i) const {
    assert(i >= 0 && i < count_);
    return Field(image_, static_cast<uint16_t>(first_ + i * stride_), kind_);
}

uint16_t FieldArray::offset() const {
    return static_cast<uint16_t>(stride_ < 0 ? first_ + (count_ - 1) * stride_ : first_);
}

uint8_t FieldArray::byte(int i) const {
    assert(i >= 0 && i < width());
    return image_->at(offset() + i);
}

uint8_t ParameterImage::at(int offset) const {
    Lock lock(mutex_);
    return bytes_[offset];
}

void ParameterImage::setAt(int offset, uint8_t value) {
    Lock lock(mutex_);
    bytes_[offset] = value;
}

std::array<uint8_t, kStatusFrameSize> ParameterImage::snapshot() const {
    Lock lock(mutex_);
    return bytes_;
}

bool Flag::raised() const {
    Lock lock(flags_->mutex());
    return flags_->unlockedFlags()[slot_] != 0;
}

void Flag::raise() {
    Lock lock(flags_->mutex());
    flags_->unlockedFlags()[slot_] = 1;
}

void Flag::clear() {
    Lock lock(flags_->mutex());
    flags_->unlockedFlags()[slot_] = 0;
}

Flag PendingFlags::record(int number) const {
    assert(number >= 1 && number <= kCommandRecordCount);
    return Flag(self(), number - 1);
}

Flag PendingFlags::meterRollSpeedSetpoint(int i) const {
    assert(i == 0);
    (void)i;
    return record(43);
}

DryerState::DryerState() {
    // Screens drawn before the first frame see the controller's idle status bits.
    status.statusFlags171().set(0xA0);
}

namespace {

// True while a raised record will still send the edit byte at this address: that byte is an
// accepted change on its way, which a new edit must start from rather than overwrite.
bool editByteOnItsWay(PendingFlags& pending, int address) {
    const uint8_t* flags = pending.unlockedFlags();
    const auto records = commandRecords();
    for (size_t n = 0; n < records.size(); ++n) {
        const CommandRecord& r = records[n];
        if (flags[n] && r.statusSource < 0 && address >= r.address && address < r.address + r.count)
            return true;
    }
    return false;
}

}  // namespace

void DryerState::beginEdit(FieldSpan field) {
    Lock lock(mutex);
    for (int i = 0; i < field.width; ++i) {
        const int address = field.offset + i;
        if (!editByteOnItsWay(pending, address))
            edit.unlockedBytes()[address] = status.unlockedBytes()[address];
    }
}

DryerState& dryerState() {
    static DryerState state;
    return state;
}

void countDownSecond(std::atomic<uint32_t>& counter) {
    uint32_t value = counter.load();
    while (value > 0 && !counter.compare_exchange_weak(value, value - 1)) {
    }
}

bool shutdownRecordRule(DryerState& state, uint8_t node, uint8_t warning) {
    if (warning == 0) return false;
    Lock lock(state.mutex);
    const bool samePair =
        node == state.lastRecordedNodeId.load() && warning == state.lastRecordedWarningId.load();
    const bool record = !samePair || state.recordSuppressSeconds.load() == 0;
    if (record) state.recordSuppressSeconds.store(100);
    state.lastRecordedNodeId.store(node);
    state.lastRecordedWarningId.store(warning);
    return record;
}

}  // namespace dryer
