// One exchange cycle's work on the exchange thread: a status frame decoded (every field changed,
// or none), and a command frame built with every flag raised.
#include <benchmark/benchmark.h>

#include <array>

#include "link/command_frame.h"
#include "link/controller_link.h"
#include "link/crc.h"

namespace {

std::array<uint8_t, dryer::kStatusFrameSize> frameFilledWith(uint8_t seed) {
    std::array<uint8_t, dryer::kStatusFrameSize> f{};
    for (int i = 0; i < dryer::kStatusDataSize; ++i)
        f[i] = static_cast<uint8_t>(seed + i * 13);
    dryer::appendCrc(f.data(), dryer::kStatusDataSize);
    return f;
}

void registerAllWindows(dryer::DryerState& state) {
    for (int w = 0; w < dryer::kWindowCount; ++w) {
        state.hooks.registerWindow(static_cast<dryer::Window>(w),
                                   [](bool, const dryer::RepaintArea*) {});
    }
}

void BM_ReceiveFrameEveryFieldChanged(benchmark::State& bench) {
    dryer::DryerState state;
    registerAllWindows(state);
    const auto a = frameFilledWith(1);
    const auto b = frameFilledWith(2);
    bool flip = false;
    for (auto _ : bench) {
        flip = !flip;
        benchmark::DoNotOptimize(
            dryer::receiveStatusFrame(state, (flip ? a : b).data(), dryer::kStatusFrameSize));
    }
}
BENCHMARK(BM_ReceiveFrameEveryFieldChanged);

void BM_ReceiveFrameUnchanged(benchmark::State& bench) {
    dryer::DryerState state;
    registerAllWindows(state);
    const auto a = frameFilledWith(1);
    for (auto _ : bench) {
        benchmark::DoNotOptimize(
            dryer::receiveStatusFrame(state, a.data(), dryer::kStatusFrameSize));
    }
}
BENCHMARK(BM_ReceiveFrameUnchanged);

void BM_BuildCommandFrameAllFlags(benchmark::State& bench) {
    dryer::DryerState state;
    uint8_t frame[dryer::kMaxCommandFrame + 2];
    for (auto _ : bench) {
        for (int n = 1; n <= dryer::kCommandRecordCount; ++n)
            state.pending.record(n).raise();
        benchmark::DoNotOptimize(dryer::buildCommandFrame(state, frame));
    }
}
BENCHMARK(BM_BuildCommandFrameAllFlags);

}  // namespace
