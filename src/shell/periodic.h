#pragma once
// State of the three periodic ticks and the small state machines they step. Everything here is
// owned by the user-interface thread; screens read the shared flags and animation frames.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace shell {

// The one-hour moving average of the outgoing moisture, one sample a second.
class HourlyMoistureAverage {
  public:
    static constexpr int kSamples = 3600;
    static constexpr int kWarmupSamples = 300;

    void add(uint16_t sample);
    // Tenths of a percent; 0 before the first sample.
    float average() const { return average_; }
    int held() const { return held_; }
    // Samples still to come before the average is shown; "*" is shown meanwhile.
    int warmup() const { return warmup_; }

  private:
    std::array<float, kSamples> ring_{};
    int held_ = 0;
    int next_ = 0;
    double sum_ = 0;
    float average_ = 0;
    int warmup_ = kWarmupSamples;
};

// Auto-repeat of a held button: nothing for the first five ticks of 100 ms, then the button's
// command on every tick while it stays held.
class RepeatTimer {
  public:
    static constexpr int kDelayTicks = 5;
    // `held` is the id of the first listed button held down, if any; returns the command to send.
    std::optional<int> step(std::optional<int> held);

  private:
    int delay_ = kDelayTicks;
};

// The stage-time question of a batch stage button group: the first second a button is found
// held only arms the group; the next second that finds it still held asks and disarms it.
class StagePrompt {
  public:
    bool step(bool held);

  private:
    int delay_ = 1;
};

// The blink and slow-count phases of the 175 ms tick.
struct BlinkStep {
    bool phaseStart = false;     // blinkPhase became 0: caption and countdown off
    bool countdownShow = false;  // blinkPhase became 2: countdown on
    bool phaseShow = false;      // blinkPhase became 3: caption on
};

// Bits of alertBlinkFlags.
inline constexpr uint32_t kBlinkCaption = 1u << 0;
inline constexpr uint32_t kBlinkAnimationStep = 1u << 1;
inline constexpr uint32_t kBlinkStartupDone = 1u << 2;
// The shutdown countdown blinks off for two of the eight phases only: it must stay readable.
inline constexpr uint32_t kBlinkCountdown = 1u << 3;

// Counters and shared flags of the ticks, with their start values.
struct PeriodicState {
    // 175 ms tick
    bool hardwareOptionsKnown = false;
    uint8_t rememberedHardwareOptions = 0;
    uint32_t exchangeTickCount = 0;
    uint32_t blinkPhase = 0;
    uint32_t blinkSlowCount = 0;
    uint8_t setupRefreshPending = 0;
    uint32_t setupRefreshDelay = 25;

    // one-second tick (the logs keep their own counters)
    std::array<StagePrompt, 4> stagePromptDelay{};
    uint32_t historyExitHoldSeconds = 5;  // the history dialog's hold-EXIT-to-clear gesture
    bool autoStartNoticeShown = false;    // "Auto-Start Finished..." at most once per run
    HourlyMoistureAverage hourlyMoisture;

    // 100 ms tick
    uint32_t animationTick = 0;
    uint32_t motorTick = 0;
    std::array<RepeatTimer, 4> repeatDelay{};

    // Shared with the screens
    uint32_t alertBlinkFlags = 0;
    bool helpFromHistory = false;        // the shutdown help dialog was opened from the history
    std::array<uint32_t, 6> fanFrame{};  // animation frames 0 to 2
    uint32_t loadFrame = 0;
    uint32_t unloadFrame = 0;
    std::array<uint32_t, 2> meterRollFrame{};
    uint32_t binMotorFrame = 0;
    uint32_t grainFlowStep = 0;      // one pixel down the grain columns a tick while rolls turn
    uint8_t rearDischargeFrame = 0;  // 0 to 6
};

// The process's tick state.
PeriodicState& periodic();

// Steps blinkPhase (0 to 7) and the slow count; sets or clears the caption, countdown and start-up
// bits.
BlinkStep advanceBlink(PeriodicState& state);

// Formats a text of the language files with whole numbers: "%d", "%2d", "%02d" and "%%" are
// understood, one number per conversion in order; anything else stays as written, so a
// translator's mistake cannot make the program read beyond its arguments.
std::string formatNumbers(std::string_view format, std::span<const int> values);

}  // namespace shell
