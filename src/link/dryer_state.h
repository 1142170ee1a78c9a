#pragma once
// DryerState: the display's one record of the dryer, shared by the user-interface thread and the
// exchange thread.
//
//   status   the last good status frame, 331 bytes indexed by frame offset
//   edit     the operator's values at the same addresses
//   pending  one flag per command record: raised = the record goes out in every command frame
//            until the controller reports the value back (one-shot records: until sent once)
//
// Every field of the status frame has a named accessor on `status` and `edit` (the list is in
// link/status_fields.h). An accessor returns a small live handle, cheap to copy:
//
//   int sp = state.status.plenumTempSetpoint(5).get();      // fan/heater 1, degrees F
//   state.beginEdit(state.status.grainTempSetpoint());       // edit := status
//   state.edit.grainTempSetpoint().set(120);
//   state.commitEdit(state.pending.grainTempSetpoint());     // raise the flag
//   bool si = state.status.userSettings().bit(7);
//   int min = state.edit.fanDelay().byte(0);                 // time fields: byte 0 the larger unit
//
// Array fields take an element index (`plenumTempSetpoint(i)`); without one they name the whole
// array (for beginEdit and byte access). Time fields read as larger unit * 60 + smaller unit.
//
// Thread safety: status, edit and pending share one recursive lock. Every handle operation takes
// it, the decoder holds it for a whole frame and the builder for a whole command frame, so a
// decode or a build never sees half of a value. An editor that writes a value and then raises
// its flag therefore never has the flag go out with older bytes. To change several bytes that
// must travel together while their flag may already be raised, hold `state.hold()` around the
// writes. The display flags and link counters below are atomics.

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "link/hooks.h"
#include "link/status_fields.h"

namespace dryer {

inline constexpr int kStatusFrameSize = 331;
inline constexpr int kStatusDataSize = 329;  // the CRC follows

enum class Kind : uint8_t { U8, LE16, BE16, BE16S, LE32, Time };

constexpr int widthOf(Kind kind) {
    return kind == Kind::U8 ? 1 : (kind == Kind::LE32 ? 4 : 2);
}

// A value of the given kind from its bytes.
int32_t decodeValue(const uint8_t* bytes, Kind kind);

class ParameterImage;
class PendingFlags;

// A run of bytes at a parameter address, as beginEdit copies it.
struct FieldSpan {
    uint16_t offset = 0;
    uint16_t width = 0;
};

// One value (a field or one element of an array field) in `status` or `edit`.
class Field {
  public:
    Field(ParameterImage* image, uint16_t offset, Kind kind)
        : image_(image), offset_(offset), kind_(kind) {}

    int32_t get() const;
    void set(int32_t value);
    uint8_t byte(int i) const;
    void setByte(int i, uint8_t value);
    bool bit(int n) const { return ((get() >> n) & 1) != 0; }
    void setBit(int n, bool on);

    uint16_t offset() const { return offset_; }
    int width() const { return widthOf(kind_); }
    Kind kind() const { return kind_; }
    operator FieldSpan() const { return {offset_, static_cast<uint16_t>(width())}; }

  private:
    ParameterImage* image_;
    uint16_t offset_;
    Kind kind_;
};

// A whole array field.
class FieldArray {
  public:
    FieldArray(ParameterImage* image, uint16_t first, int count, int stride, Kind kind)
        : image_(image), first_(first), count_(count), stride_(stride), kind_(kind) {}

    Field operator[](int i) const;
    int size() const { return count_; }
    // The lowest address of the array and its size in bytes.
    uint16_t offset() const;
    int width() const { return count_ * widthOf(kind_); }
    uint8_t byte(int i) const;
    operator FieldSpan() const { return {offset(), static_cast<uint16_t>(width())}; }

  private:
    ParameterImage* image_;
    uint16_t first_;
    int count_;
    int stride_;
    Kind kind_;
};

// 331 bytes indexed by parameter address, with a named accessor per field.
class ParameterImage {
  public:
    explicit ParameterImage(std::recursive_mutex& mutex) : mutex_(mutex) {}
    ParameterImage(const ParameterImage&) = delete;
    ParameterImage& operator=(const ParameterImage&) = delete;

    uint8_t at(int offset) const;
    void setAt(int offset, uint8_t value);
    std::array<uint8_t, kStatusFrameSize> snapshot() const;

    // Only with the state's lock held (the decoder and the builder).
    uint8_t* unlockedBytes() { return bytes_.data(); }
    const uint8_t* unlockedBytes() const { return bytes_.data(); }
    std::recursive_mutex& mutex() const { return mutex_; }

#define ORVANE_SCALAR_ACCESSOR(name, offset, kind, repaint) \
    Field name() const {                                    \
        return Field(self(), offset, Kind::kind);           \
    }
#define ORVANE_ARRAY_ACCESSOR(name, offset, count, stride, kind, repaint) \
    FieldArray name() const {                                             \
        return FieldArray(self(), offset, count, stride, Kind::kind);     \
    }                                                                     \
    Field name(int i) const {                                             \
        return name()[i];                                                 \
    }
    ORVANE_STATUS_FIELDS(ORVANE_SCALAR_ACCESSOR, ORVANE_ARRAY_ACCESSOR)
#undef ORVANE_SCALAR_ACCESSOR
#undef ORVANE_ARRAY_ACCESSOR

  private:
    // Handles are views like std::span: reading through a const image still yields a handle.
    ParameterImage* self() const {
        return const_cast<ParameterImage*>(this);
    }

    std::recursive_mutex& mutex_;
    std::array<uint8_t, kStatusFrameSize> bytes_{};
};

// One pending flag.
class Flag {
  public:
    Flag(PendingFlags* flags, int slot) : flags_(flags), slot_(slot) {}
    bool raised() const;
    void raise();
    void clear();
    int slot() const { return slot_; }

  private:
    PendingFlags* flags_;
    int slot_;
};

inline constexpr int kCommandRecordCount = 82;

// One flag per command record, in the order of the record table. Accessors are named after the
// field the record writes; records numbered 1 to 82.
class PendingFlags {
  public:
    explicit PendingFlags(std::recursive_mutex& mutex) : mutex_(mutex) {}
    PendingFlags(const PendingFlags&) = delete;
    PendingFlags& operator=(const PendingFlags&) = delete;

    Flag record(int number) const;  // 1 .. 82

    Flag fanHeaterCountCode() const { return record(1); }
    Flag moduleCountCode() const { return record(2); }
    Flag fuelType() const { return record(3); }
    Flag loadSystem() const { return record(4); }
    Flag dryerLengthCode() const { return record(5); }
    Flag dryingMode() const { return record(6); }
    Flag heatStageTimeSetpoint() const { return record(7); }
    Flag heatStageTime() const { return record(8); }
    Flag loHeatStageTimeSetpoint() const { return record(9); }
    Flag loHeatStageTime() const { return record(10); }
    Flag coolStageTimeSetpoint() const { return record(11); }
    Flag coolStageTime() const { return record(12); }
    Flag unloadStageTimeSetpoint() const { return record(13); }
    Flag unloadStageTime() const { return record(14); }
    Flag outOfGrainTimerSetpoint() const { return record(15); }
    Flag loadStartupDelay() const { return record(16); }
    Flag unloadCleanoutDelay() const { return record(17); }
    Flag fanDelay() const { return record(18); }
    Flag meteringRollReverse() const { return record(19); }
    Flag plenumTempManager() const { return record(20); }
    Flag clock() const { return record(21); }                        // one-shot
    Flag plenumTempSetpoint(int i) const { return record(22 + i); }  // i 0..5
    Flag burnerDifferential(int i) const { return record(28 + i); }  // i 0..5
    Flag burnerMode(int i) const { return record(34 + i); }          // i 0..5
    Flag grainTempSetpoint() const { return record(40); }
    Flag grainHiTempSetpoint() const { return record(41); }
    Flag grainLoTempSetpoint() const { return record(42); }
    Flag meterRollSpeedSetpoint(int i) const;                        // i 0 only: 159+1
    Flag meterRollKnobSpeed(int i) const { return record(43 + i); }  // i 1..3
    Flag knobSpeedCopyAll() const { return record(47); }             // 159+4 from 155-158
    Flag knobSpeedCopy161() const { return record(48); }             // 161+1 from 230
    Flag bushelSetup() const { return record(49); }
    Flag moistureControlMode() const { return record(50); }
    Flag knobSpeedCopyUpper() const { return record(51); }      // 160+3 from 156-158
    Flag meterRollSpeedSetpoint() const { return record(52); }  // 159+4 from edit
    Flag moistureSetpoint() const { return record(53); }
    Flag unloadRateLimits(int i) const { return record(54 + i); }  // i 0..1
    Flag batchCounter() const { return record(56); }
    Flag dryingOptions() const { return record(57); }
    Flag bracketedMcSettings(int i) const { return record(58 + i); }    // i 0..3
    Flag moistureSensorCalA(int i) const { return record(62 + i); }     // i 0..1
    Flag meterRollVoltageSetup(int i) const { return record(64 + i); }  // i 0..2
    Flag moistureSensorCalB(int i) const { return record(67 + i); }     // i 0..1
    Flag watchdogSetup() const { return record(69); }
    Flag plenumTempOptions() const { return record(70); }
    Flag plenum2LoSetpoint() const { return record(71); }
    Flag plenumLoSetpoint() const { return record(72); }
    Flag userSettings() const { return record(73); }  // one-shot
    Flag coolDownTime() const { return record(74); }
    Flag stagedBatchWord274() const { return record(75); }
    Flag dryingWord277() const { return record(76); }
    Flag hardwareOptions() const { return record(77); }
    Flag averageIncomingMoisture() const { return record(78); }
    Flag grainType() const { return record(79); }
    Flag moistureSensorType() const { return record(80); }
    Flag dayDataLoggerSetup() const { return record(81); }
    Flag samplerOptions() const { return record(82); }

    // Set while the "turn off DEFAULTS dipswitch" notice is open and cleared when it closes, so
    // that the controller's defaults event is held back until then. No record goes on the line
    // for it.
    Flag defaultsNoticeShowing() const { return Flag(self(), kDefaultsNoticeSlot); }

    // Only with the state's lock held (the decoder and the builder).
    uint8_t* unlockedFlags() { return flags_.data(); }
    std::recursive_mutex& mutex() const { return mutex_; }

    static constexpr int kDefaultsNoticeSlot = kCommandRecordCount;

  private:
    PendingFlags* self() const { return const_cast<PendingFlags*>(this); }

    std::recursive_mutex& mutex_;
    std::array<uint8_t, kCommandRecordCount + 1> flags_{};
};

struct DryerState {
    DryerState();
    DryerState(const DryerState&) = delete;
    DryerState& operator=(const DryerState&) = delete;

    mutable std::recursive_mutex mutex;
    ParameterImage status{mutex};
    ParameterImage edit{mutex};
    PendingFlags pending{mutex};

    // Holds the record still: for several writes that must reach the builder together.
    std::unique_lock<std::recursive_mutex> hold() const {
        return std::unique_lock<std::recursive_mutex>(mutex);
    }
    // edit := status over the field's bytes, except bytes that a raised record still carries:
    // an accepted change is never taken back by opening an editor on it again, so the editor
    // shows the value on its way and CANCEL leaves it pending.
    void beginEdit(FieldSpan field);
    // Raises the field's flag; the record goes out until the controller reports the value.
    void commitEdit(Flag flag) { flag.raise(); }

    // Display flags derived by the decoder.
    std::atomic<uint8_t> unitsSetting{0};           // 1 while bit 7 of userSettings (SI units)
    std::atomic<uint32_t> outOfGrainMaxElapsed{0};  // seconds
    std::atomic<uint32_t> previousLoadTime{0};      // seconds, at most 86400
    std::atomic<uint8_t> miscLockout{0};
    std::atomic<uint8_t> knobSpeedChangeRequest{0};  // consumed by the message loop
    std::atomic<uint8_t> statusEvent188{0};          // consumed by the message loop
    std::atomic<uint8_t> knobCaptureHold{0};
    std::atomic<uint8_t> statusScreensActive{1};    // the layout update runs only while set
    std::atomic<uint8_t> meterRollStateRefresh{0};  // operatingModeFlags changed: refresh dialog
    std::atomic<uint8_t> lastRecordedNodeId{0};
    std::atomic<uint8_t> lastRecordedWarningId{0};
    std::atomic<uint32_t> recordSuppressSeconds{0};  // counted down by the one-second tick
    std::atomic<uint8_t> lastViewSelectionBit{0};    // bit 6 of userSettings at its last change

    // Link state.
    std::atomic<uint32_t> linkAliveSeconds{10};  // 0 = link lost; counted down once a second
    std::atomic<uint8_t> resyncRequest{0};       // set by the warning window while the link is lost
    std::atomic<uint32_t> resyncHoldoff{0};      // exchange thread only

    LinkHooks hooks;
};

// The process-wide record.
DryerState& dryerState();

// One second of a countdown (linkAliveSeconds, recordSuppressSeconds): decrements while above 0
// without ever undoing a reload that the exchange thread makes at the same moment.
void countDownSecond(std::atomic<uint32_t>& counter);

// The repeat guard of the shutdown history: given a reported pair, says whether it is to be
// recorded now. Warning 0 (no shutdown) is never recorded and leaves the last pair as it was. A
// pair is recorded when it differs from the last pair seen or when the 100-second guard has run
// out; recording sets the guard to 100 seconds. Either way a reported pair becomes the last one.
bool shutdownRecordRule(DryerState& state, uint8_t node, uint8_t warning);

}  // namespace dryer
