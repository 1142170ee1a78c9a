// Bytes from the line into the exchange's receive step and the decoder, then a command frame
// built from what the decoder left behind. Inputs of 331 bytes go in as they are (almost all are
// dropped by the CRC test); every 329-byte piece also goes in with a correct CRC so that the
// decoder sees arbitrary frames, with the pending flags and the knob hold taken from the input.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "link/command_frame.h"
#include "link/controller_link.h"
#include "link/crc.h"

using namespace dryer;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DryerState state;
    for (int w = 0; w < kWindowCount; ++w) {
        state.hooks.registerWindow(static_cast<Window>(w), [](bool, const RepaintArea*) {});
    }
    state.hooks.setShutdownRecorder([](uint8_t, uint8_t) {});
    state.hooks.setScreenLayoutUpdate([] {});
    receiveStatusFrame(state, data, size);

    uint8_t frame[kStatusFrameSize];
    uint8_t command[kMaxCommandFrame + 2];
    for (size_t at = 0; at + kStatusDataSize <= size; at += kStatusDataSize) {
        const uint8_t* piece = data + at;
        for (int n = 1; n <= kCommandRecordCount; ++n) {
            if (piece[n / 8] & (1 << (n % 8))) state.pending.record(n).raise();
        }
        state.knobCaptureHold.store(piece[11] & 1);
        state.edit.meterRollVoltageSetup(2).set(piece[12]);
        std::memcpy(frame, piece, kStatusDataSize);
        appendCrc(frame, kStatusDataSize);
        if (!receiveStatusFrame(state, frame, sizeof frame)) std::abort();
        const bool any = buildCommandFrame(state, command);
        if (command[0] > kMaxCommandFrame || any != (command[1] > 0)) std::abort();
        if (state.previousLoadTime.load() > 86400) std::abort();
    }
    return 0;
}
