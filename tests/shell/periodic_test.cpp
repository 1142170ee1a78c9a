#include "shell/periodic.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(HourlyMoisture, AverageCoversTheLastHourAndWarmsUp) {
    shell::HourlyMoistureAverage average;
    EXPECT_EQ(average.warmup(), 300);
    average.add(100);
    average.add(200);
    EXPECT_FLOAT_EQ(average.average(), 150.0f);
    EXPECT_EQ(average.warmup(), 298);

    shell::HourlyMoistureAverage hour;
    // 3601 samples: the first (a wild 60000) drops out, the mean of the last 3600 remains.
    hour.add(60000);
    double sum = 0;
    for (int i = 1; i <= 3600; ++i) {
        const uint16_t sample = static_cast<uint16_t>(150 + i % 7);
        hour.add(sample);
        sum += sample;
    }
    EXPECT_EQ(hour.held(), 3600);
    EXPECT_NEAR(hour.average(), sum / 3600, 1e-3);
    EXPECT_EQ(hour.warmup(), 0);
}

TEST(RepeatTimer, HalfASecondOfSilenceThenEveryTick) {
    shell::RepeatTimer timer;
    std::vector<int> sent;
    for (int tick = 1; tick <= 10; ++tick) {
        if (auto command = timer.step(1047)) sent.push_back(tick);
    }
    // Five ticks (0.5 s) send nothing; ticks 6 to 10 send one command each.
    EXPECT_EQ(sent, (std::vector<int>{6, 7, 8, 9, 10}));
    // Releasing starts the half second again.
    EXPECT_FALSE(timer.step(std::nullopt));
    for (int tick = 0; tick < 5; ++tick)
        EXPECT_FALSE(timer.step(1046));
    EXPECT_EQ(timer.step(1046), 1046);
}

TEST(StagePrompt, AsksOnEverySecondHeldSecond) {
    shell::StagePrompt prompt;
    EXPECT_FALSE(prompt.step(true));   // first second: armed only
    EXPECT_FALSE(prompt.step(false));  // released: disarmed
    EXPECT_FALSE(prompt.step(true));
    EXPECT_TRUE(prompt.step(true));  // two consecutive held seconds ask once
    EXPECT_FALSE(prompt.step(true));
    EXPECT_TRUE(prompt.step(true));  // kept held: asks every second tick
}

TEST(Blink, CaptionPhasesAndTheStartupBit) {
    shell::PeriodicState state;
    std::vector<int> shows, starts, countdowns;
    int startupTick = 0;
    for (int tick = 1; tick <= 40; ++tick) {
        const auto step = shell::advanceBlink(state);
        if (step.phaseShow) shows.push_back(tick);
        if (step.countdownShow) countdowns.push_back(tick);
        if (step.phaseStart) starts.push_back(tick);
        if (startupTick == 0 && (state.alertBlinkFlags & shell::kBlinkStartupDone)) {
            startupTick = tick;
        }
        EXPECT_LE(state.blinkPhase, 7u);
    }
    EXPECT_EQ(shows, (std::vector<int>{3, 11, 19, 27, 35}));
    EXPECT_EQ(starts, (std::vector<int>{8, 16, 24, 32, 40}));
    // The countdown comes back a step before the caption and goes with it.
    EXPECT_EQ(countdowns, (std::vector<int>{2, 10, 18, 26, 34}));
    // The third show step, about four seconds after start.
    EXPECT_EQ(startupTick, 19);
    // Tick 40 starts a phase.
    EXPECT_FALSE(state.alertBlinkFlags & (shell::kBlinkCaption | shell::kBlinkCountdown));
}

TEST(FormatNumbers, UnderstandsTheTimeFormatsAndNothingMore) {
    const int values[] = {7, 5};
    EXPECT_EQ(shell::formatNumbers("Set HEAT time to %d:%02d?", values), "Set HEAT time to 7:05?");
    EXPECT_EQ(shell::formatNumbers("%2d%% %s %x %d %d", values), " 7% %s %x 5 %d");
    EXPECT_EQ(shell::formatNumbers("100%", values), "100%");
    EXPECT_EQ(shell::formatNumbers("%123456789012d", values), "%123456789012d");
}

}  // namespace
