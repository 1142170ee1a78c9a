#pragma once
// The dryer record as the display holds it before the controller's first status frame.

#include "link/dryer_state.h"

namespace testsupport {

inline void resetDryerState() {
    auto& state = dryer::dryerState();
    for (int offset = 0; offset < dryer::kStatusFrameSize; ++offset) {
        state.status.setAt(offset, 0);
        state.edit.setAt(offset, 0);
    }
    for (int record = 1; record <= dryer::kCommandRecordCount; ++record) {
        state.pending.record(record).clear();
    }
    state.pending.defaultsNoticeShowing().clear();
    state.status.statusFlags171().set(0xA0);
    state.linkAliveSeconds = 10;
    state.resyncRequest = 0;
    state.resyncHoldoff = 0;
    state.recordSuppressSeconds = 0;
    state.knobSpeedChangeRequest = 0;
    state.statusEvent188 = 0;
    state.knobCaptureHold = 0;
    state.miscLockout = 0;
    state.statusScreensActive = 1;
    state.unitsSetting = 0;
}

}  // namespace testsupport
