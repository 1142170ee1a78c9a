#include "link/status_decoder.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cstring>

#include "link/command_frame.h"
#include "link/field_table.h"

namespace dryer {
namespace {

// Records with rules of their own. The metering-roll records (47, 48, 51, 52) are confirmed in
// the metering-roll block rather than by comparing status with edit; one-shots never are.
constexpr int kSpeedSelectionRecord = 43;
constexpr int kKnobCopyAllRecord = 47;
constexpr int kKnobCopy161Record = 48;
constexpr int kKnobCopyUpperRecord = 51;
constexpr int kSpeedSetpointsRecord = 52;
constexpr int kBushelZeroRecord = 66;
constexpr int kHardwareOptionsRecord = 77;

bool confirmedByComparison(int record) {
    const CommandRecord& r = commandRecords()[record - 1];
    return r.statusSource < 0 && record != kClockRecord && record != kUserSettingsRecord &&
           record != kSpeedSetpointsRecord;
}

// The records confirmed by comparison, by the address they start at (at most one per address).
const std::array<uint8_t, kStatusFrameSize>& comparedRecordAt() {
    static const std::array<uint8_t, kStatusFrameSize> table = [] {
        std::array<uint8_t, kStatusFrameSize> at{};
        for (int n = 1; n <= kCommandRecordCount; ++n) {
            if (!confirmedByComparison(n)) continue;
            const int address = commandRecords()[n - 1].address;
            assert(at[address] == 0);
            at[address] = static_cast<uint8_t>(n);
        }
        return at;
    }();
    return table;
}

constexpr RepaintArea kLineGraphBand{5, 145, 235, 170};

struct Effects {
    WindowMask erase = 0;
    WindowMask noErase = 0;
    bool lineGraphBand = false;
    bool layoutUpdate = false;
    bool batchStageUpdate = false;
    bool recordShutdown = false;
    uint8_t node = 0;
    uint8_t warning = 0;
};

class Decoder {
  public:
    Decoder(DryerState& state, const uint8_t* frame, bool rollDialogOpen)
        : st_(state),
          f_(frame),
          s_(state.status.unlockedBytes()),
          e_(state.edit.unlockedBytes()),
          p_(state.pending.unlockedFlags()),
          rollDialogOpen_(rollDialogOpen) {}

    Effects run() {
        for (const FieldInfo& field : statusFields()) {
            decodeField(field);
            if (field.first == 168) zeroBushelCounterRequest();
        }
        return fx_;
    }

  private:
    void raise(int record) { p_[record - 1] = 1; }
    void clear(int record) { p_[record - 1] = 0; }
    void repaint(Window w) { fx_.erase |= windowBit(w); }

    void decodeField(const FieldInfo& field) {
        const int width = widthOf(field.kind);
        const int low =
            field.stride < 0 ? field.first + (field.count - 1) * field.stride : field.first;
        if (low == 159) {
            meteringRollSetpoints();
        } else if (low == 185) {
            shutdownPair();
        } else if (low == 58) {
            statusByte58();
        } else if (field.copied && low != 186) {
            for (int at = low; at < low + field.count * width; at += width) {
                if (std::memcmp(f_ + at, s_ + at, width) != 0) changed(field, at, width);
            }
        }
        confirm(low, low + field.count * width);
    }

    void changed(const FieldInfo& field, int at, int width) {
        const uint8_t old = s_[at];
        std::memcpy(s_ + at, f_ + at, width);
        WindowMask windows = field.repaint;
        const WindowMask noErase =
            windowBit(Window::BatchDrying) | (at == 168 ? windowBit(Window::DryerPicture) : 0);
        fx_.noErase |= windows & noErase;
        windows &= ~noErase;
        fx_.erase |= windows;
        special(at, old);
    }

    void special(int at, uint8_t old) {
        switch (at) {
            case 8:
                if (st_.statusScreensActive.load()) fx_.layoutUpdate = true;
                fx_.batchStageUpdate = true;
                if (s_[8] != 1) {
                    st_.miscLockout.store(0);
                } else if (plenumOptionsSelectLockout()) {
                    st_.miscLockout.store(1);
                }
                break;
            case 24:
                st_.outOfGrainMaxElapsed.store(
                    std::max<uint32_t>(st_.outOfGrainMaxElapsed.load(), s_[24] * 60u + s_[25]));
                break;
            case 179:
                st_.meterRollStateRefresh.store(1);
                st_.miscLockout.store(s_[8] == 1 &&
                                      ((s_[179] & 0x02) || plenumOptionsSelectLockout()));
                break;
            case 187:
                if ((old & 0x07) == 3 && (old & 0x80) && !(s_[187] & 0x80)) {
                    raise(kKnobCopyUpperRecord);
                }
                fx_.lineGraphBand = true;
                break;
            case 188:
                st_.statusEvent188.store((s_[188] & 0x20) &&
                                         !p_[PendingFlags::kDefaultsNoticeSlot]);
                break;
            case 257:
                st_.miscLockout.store(s_[8] == 1 && plenumOptionsSelectLockout());
                // The dual plenum option decides the heat buttons outside modes 0 and 3.
                if ((old ^ s_[257]) & 0x02) fx_.batchStageUpdate = true;
                break;
            case 266:
                userSettings();
                break;
            case 280:
                if (s_[280] & 0x80) endAutoStartRequest();
                break;
            default:
                break;
        }
    }

    // A finished sequence ends the start request. The record sends the whole byte (bit 7 is the
    // grain inverter), so unless an edit of it is waiting to go out, it starts again from the
    // controller's byte rather than from whatever edit last held.
    void endAutoStartRequest() {
        const uint8_t base = p_[kHardwareOptionsRecord - 1] ? e_[279] : s_[279];
        e_[279] = static_cast<uint8_t>(base & ~0x01);
        raise(kHardwareOptionsRecord);
    }

    bool plenumOptionsSelectLockout() const { return ((s_[257] >> 4) & 0x07) == 1; }

    void userSettings() {
        st_.unitsSetting.store((s_[266] >> 7) & 1);
        const uint8_t view = (s_[266] >> 6) & 1;
        if (view != st_.lastViewSelectionBit.load()) {
            st_.lastViewSelectionBit.store(view);
            if (st_.statusScreensActive.load()) fx_.layoutUpdate = true;
        }
    }

    void statusByte58() {
        const uint8_t old = s_[58];
        if (((f_[58] ^ old) & 0x80) && (s_[179] & 0x10)) {
            const uint32_t setpoint = s_[26] * 60u + s_[27];
            if (!(old & 0x80)) {
                st_.outOfGrainMaxElapsed.store(setpoint + 1);
            } else {
                // A load longer than the set time has no time left over: 0, not a wrapped value.
                const uint32_t longest = st_.outOfGrainMaxElapsed.load();
                st_.previousLoadTime.store(
                    longest >= setpoint ? 0 : std::min(setpoint - longest, 86400u));
            }
            repaint(Window::OutOfGrain);
        }
        s_[58] = f_[58];
    }

    void shutdownPair() {
        if (f_[185] == s_[185] && f_[186] == s_[186]) return;
        s_[185] = f_[185];
        s_[186] = f_[186];
        if (shutdownRecordRule(st_, s_[186], s_[185])) {
            fx_.recordShutdown = true;
            fx_.node = s_[186];
            fx_.warning = s_[185];
        }
    }

    void meteringRollSetpoints() {
        const uint8_t* fr = f_ + 159;
        const bool held = st_.knobCaptureHold.load() != 0;
        // The knob bit is followed even while the knob is held, so a turn made then is not
        // taken for a new one once the hold ends (it would open the speed dialog again).
        if ((fr[0] ^ s_[159]) & 0x80) {
            if (!held && !rollDialogOpen_) st_.knobSpeedChangeRequest.store(1);
            s_[159] = static_cast<uint8_t>(held ? (s_[159] & 0x7F) | (fr[0] & 0x80) : fr[0]);
            repaint(Window::MeterRollSpeedDialog);
        }
        if (!held) {
            // The operator's selection stays while a record carrying it is on its way.
            const bool sendingSelection =
                p_[kSpeedSelectionRecord - 1] || p_[kSpeedSetpointsRecord - 1];
            if (!sendingSelection && (fr[0] & 0x3F) != (e_[159] & 0x3F)) {
                e_[159] = fr[0] & 0x3F;
                repaint(Window::MeterRollSpeedDialog);
            }
            const bool writing = p_[kSpeedSetpointsRecord - 1] || p_[kKnobCopyAllRecord - 1];
            for (int i = 1; i < 4 && !writing; ++i) {
                if (fr[i] != e_[159 + i]) {
                    e_[159 + i] = fr[i];
                    repaint(Window::MeterRollSpeedDialog);
                }
            }
            if (std::memcmp(fr, e_ + 159, 4) == 0) {
                clear(kSpeedSetpointsRecord);
                clear(kKnobCopyAllRecord);
            }
        } else if (std::memcmp(fr, e_ + 159, 4) == 0) {
            clear(kKnobCopyAllRecord);
        }
        if (fr[0] == e_[159]) clear(kSpeedSelectionRecord);
        if (fr[2] == e_[161]) clear(kKnobCopy161Record);
        // The copy of the knob speeds is done once the controller reports them at 160-162.
        if (std::memcmp(fr + 1, s_ + 156, 3) == 0) clear(kKnobCopyUpperRecord);
    }

    // The request to zero the counter is repeated until the counter reads 0; the last record
    // sent carries the cleared request bit.
    void zeroBushelCounterRequest() {
        if (!(e_[238] & 0x08)) return;
        if (s_[164] == 0 && s_[165] == 0 && s_[166] == 0 && s_[167] == 0) {
            e_[238] &= static_cast<uint8_t>(~0x08);
        }
        raise(kBushelZeroRecord);
    }

    void confirm(int low, int high) {
        for (int at = low; at < high; ++at) {
            const int n = comparedRecordAt()[at];
            if (n == 0 || !p_[n - 1]) continue;
            const int count = commandRecords()[n - 1].count;
            if (std::memcmp(s_ + at, e_ + at, count) == 0) clear(n);
        }
    }

    DryerState& st_;
    const uint8_t* f_;
    uint8_t* s_;
    uint8_t* e_;
    uint8_t* p_;
    bool rollDialogOpen_;
    Effects fx_;
};

void dispatch(LinkHooks& hooks, const Effects& fx) {
    if (fx.layoutUpdate) hooks.updateScreenLayout();
    if (fx.batchStageUpdate) hooks.updateBatchStageButtons();
    for (int w = 0; w < kWindowCount; ++w) {
        const Window window = static_cast<Window>(w);
        const WindowMask bit = windowBit(window);
        if (fx.erase & bit) {
            hooks.invalidate(window, true, nullptr);
        } else if (fx.noErase & bit) {
            hooks.invalidate(window, false, nullptr);
        } else if (window == Window::LineGraph && fx.lineGraphBand) {
            hooks.invalidate(window, false, &kLineGraphBand);
        }
    }
    if (fx.recordShutdown) hooks.recordShutdown(fx.node, fx.warning);
}

}  // namespace

void decodeStatusFrame(DryerState& state, const uint8_t* frame) {
    const bool rollDialogOpen = state.hooks.isRegistered(Window::MeterRollSpeedDialog);
    Effects fx;
    {
        auto lock = state.hold();
        fx = Decoder(state, frame, rollDialogOpen).run();
    }
    dispatch(state.hooks, fx);
}

}  // namespace dryer
