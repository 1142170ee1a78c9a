#include "sim/controller.h"

#include <gtest/gtest.h>

#include <vector>

#include "link/command_frame.h"
#include "link/controller_link.h"
#include "link/crc.h"

namespace sim {
namespace {

// Frames exactly as the display's link puts them on the line.
std::vector<uint8_t> commandFrame(dryer::DryerState& display) {
    uint8_t frame[dryer::kMaxCommandFrame + 2] = {};
    EXPECT_TRUE(dryer::buildCommandFrame(display, frame));
    dryer::appendCrc(frame, frame[0] - 2);
    return std::vector<uint8_t>(frame, frame + frame[0]);
}

std::vector<uint8_t> idleFrame() {
    std::vector<uint8_t> f = {7, 0, 0, 0, 0, 0, 0};
    dryer::appendCrc(f.data(), 5);
    return f;
}

bool goodStatus(const Answer& a) {
    return a.bytes.size() == dryer::kStatusFrameSize &&
           dryer::checkCrc(a.bytes.data(), dryer::kStatusDataSize);
}

TEST(SimController, AnswersEachFrameAndReportsWhatItWasSent) {
    Controller c;
    dryer::DryerState display;
    int64_t now = 0;
    Answer a = c.receive(idleFrame().data(), 7, now);
    ASSERT_TRUE(goodStatus(a));
    EXPECT_EQ(a.bytes[3], 3);  // four fan/heaters
    EXPECT_EQ(a.bytes[4], 1);  // two modules
    EXPECT_EQ(a.bytes[8], 0);  // continuous flow
    EXPECT_EQ(a.bytes[187] & 0x07, 1);

    display.edit.plenumTempSetpoint(5).set(195);
    display.commitEdit(display.pending.plenumTempSetpoint(5));
    for (int i = 0; i < 5; ++i)
        display.edit.clock(i).set(10 + i);
    display.commitEdit(display.pending.clock());
    auto frame = commandFrame(display);
    a = c.receive(frame.data(), frame.size(), now);
    ASSERT_TRUE(goodStatus(a));
    EXPECT_EQ(a.bytes[69], 195);
    EXPECT_EQ(a.bytes[53], 10);
    EXPECT_NE(a.trace.find("69+2 plenumTempSetpoint[5] = C3 00"), std::string::npos) << a.trace;
    EXPECT_NE(a.trace.find("53+5 clock = 0A 0B 0C 0D 0E"), std::string::npos) << a.trace;

    // The display's decoder takes the answer and confirms its edit.
    dryer::receiveStatusFrame(display, a.bytes.data(), a.bytes.size());
    EXPECT_FALSE(display.pending.plenumTempSetpoint(5).raised());

    // A refused address is never reported back; a clamped one comes back clamped.
    EXPECT_NE(c.command("refuse 149", now).find("refused"), std::string::npos);
    EXPECT_NE(c.command("clamp 151 100", now).find("clamped"), std::string::npos);
    display.edit.grainTempSetpoint().set(140);
    display.commitEdit(display.pending.grainTempSetpoint());
    display.edit.grainHiTempSetpoint().set(130);
    display.commitEdit(display.pending.grainHiTempSetpoint());
    frame = commandFrame(display);
    a = c.receive(frame.data(), frame.size(), now);
    dryer::receiveStatusFrame(display, a.bytes.data(), a.bytes.size());
    EXPECT_EQ(display.status.grainTempSetpoint().get(), 110);
    EXPECT_EQ(display.status.grainHiTempSetpoint().get(), 100);
    EXPECT_TRUE(display.pending.grainTempSetpoint().raised());
    EXPECT_TRUE(display.pending.grainHiTempSetpoint().raised());
    c.command("accept 149", now);
    frame = commandFrame(display);
    a = c.receive(frame.data(), frame.size(), now);
    dryer::receiveStatusFrame(display, a.bytes.data(), a.bytes.size());
    EXPECT_FALSE(display.pending.grainTempSetpoint().raised());

    // Command bits of the user settings are taken, not kept; the counter zeroing request works.
    c.command("set 164 0x40", now);
    display.edit.userSettings().set(0x82);
    display.commitEdit(display.pending.userSettings());
    display.edit.meterRollVoltageSetup(2).set(0x08);
    display.commitEdit(display.pending.meterRollVoltageSetup(2));
    frame = commandFrame(display);
    a = c.receive(frame.data(), frame.size(), now);
    EXPECT_EQ(a.bytes[266], 0x80);
    EXPECT_EQ(a.bytes[164], 0);
}

TEST(SimController, UnreadableFramesGetNoAnswerAndScriptedFaultsSpoilAnswers) {
    Controller c;
    auto idle = idleFrame();
    idle[6] ^= 1;
    EXPECT_TRUE(c.receive(idle.data(), idle.size(), 0).bytes.empty());
    const uint8_t truncated[] = {12, 1, 0, 53, 5, 1, 2};
    EXPECT_TRUE(c.receive(truncated, sizeof truncated, 0).bytes.empty());
    std::vector<uint8_t> resync = {6, 0, 0, 0};
    dryer::appendCrc(resync.data(), 2);
    EXPECT_TRUE(goodStatus(c.receive(resync.data(), resync.size(), 0)));

    idle = idleFrame();
    c.command("badcrc 1", 0);
    c.command("short 1", 0);
    c.command("stray 1", 0);
    c.command("late 1 250", 0);
    Answer a = c.receive(idle.data(), 7, 0);
    EXPECT_EQ(a.bytes.size(), 331u);
    EXPECT_FALSE(dryer::checkCrc(a.bytes.data(), dryer::kStatusDataSize));
    EXPECT_EQ(a.delayMs, 250);
    EXPECT_EQ(c.receive(idle.data(), 7, 0).bytes.size(), 300u);
    EXPECT_EQ(c.receive(idle.data(), 7, 0).bytes.size(), 334u);
    a = c.receive(idle.data(), 7, 0);
    EXPECT_TRUE(goodStatus(a));
    EXPECT_EQ(a.delayMs, 0);

    c.command("silence 15", 1000);
    EXPECT_TRUE(c.receive(idle.data(), 7, 15999).bytes.empty());
    EXPECT_TRUE(goodStatus(c.receive(idle.data(), 7, 16000)));

    EXPECT_EQ(c.command("frobnicate", 0), "unknown command 'frobnicate' (try help)");
    EXPECT_EQ(c.command("set 400 1", 0),
              "set: ADDR is a number from 0 to 328, not 400 (usage: set ADDR VALUE)");
    EXPECT_EQ(c.command("set 187 0x83", 0), "moistureControlMode (187) = 131");
    EXPECT_EQ(c.at(187), 0x83);
}

TEST(SimController, RunningDryerCyclesBurnersAroundTheSetpoints) {
    Controller c;
    EXPECT_EQ(c.command("stop", 0), "stopped");
    EXPECT_EQ(c.command("run", 0), "running");
    int64_t now = 0;
    bool burnerSeenOn = false;
    bool burnerSeenOff = false;
    int lowest = 999;
    int highest = 0;
    for (int s = 1; s <= 900; ++s) {
        now += 1000;
        c.advanceTo(now);
        if (s < 300) continue;                           // warm-up
        const int temp = c.table().plenumTemp(5).get();  // fan/heater 1
        lowest = std::min(lowest, temp);
        highest = std::max(highest, temp);
        (c.at(130) & 0x04 ? burnerSeenOn : burnerSeenOff) = true;  // element 5: fan/heater 1
    }
    EXPECT_TRUE(burnerSeenOn);
    EXPECT_TRUE(burnerSeenOff);
    EXPECT_GE(lowest, 180 - 3 - 3);
    EXPECT_LE(highest, 180 + 3);
    EXPECT_EQ(c.at(126), 0);  // fan/heater 5 is not fitted
    EXPECT_GT(c.table().bushelCounter().get(), 0);
    EXPECT_GT(c.table().bushelRate().get(), 0);
    EXPECT_NEAR(c.table().moistureOut().get(), 155, 20);
    EXPECT_TRUE(c.at(172) & 0x01);

    c.command("shutdown 5 3", now);
    c.advanceTo(now += 1000);
    EXPECT_EQ(c.at(185), 3);
    EXPECT_EQ(c.at(186), 5);
    EXPECT_FALSE(c.at(172) & 0x01);
    c.command("clear", now);
    EXPECT_EQ(c.at(185), 0);
}

TEST(SimController, ShutdownsCarryTheirGrainAlarmAndCountdownVariants) {
    Controller c;
    int64_t now = 0;
    c.command("run", now);
    c.command("shutdown 14 6", now);  // grain column too hot
    EXPECT_EQ(c.at(188) & 0x12, 0x10);
    EXPECT_GT(c.table().grainTemp(0).get(), c.table().grainHiTempSetpoint().get());
    EXPECT_FALSE(c.at(172) & 0x01);
    // A plenum over its limit while the grain is still hot carries the alarm too...
    c.command("shutdown 3 5", now);
    EXPECT_EQ(c.at(188) & 0x12, 0x10);
    c.command("clear", now);
    EXPECT_EQ(c.at(188) & 0x12, 0);
    // ...but not with the grain cooled down.
    c.advanceTo(now += 600'000);
    c.command("shutdown 3 5", now);
    EXPECT_EQ(c.at(188) & 0x12, 0);

    // A moisture limit warning counts down with the dryer running, then stops it.
    c.command("clear", now);
    c.command("run", now);
    c.command("shutdown 15 4", now);
    EXPECT_EQ(c.at(188) & 0x12, 0x02);
    EXPECT_EQ(c.at(267), 5);
    EXPECT_EQ(c.at(268), 0);
    c.advanceTo(now += 61'000);
    EXPECT_EQ(c.at(267), 3);
    EXPECT_EQ(c.at(268), 59);
    EXPECT_TRUE(c.at(172) & 0x01);
    c.advanceTo(now += 239'000);
    EXPECT_EQ(c.at(188) & 0x02, 0);
    EXPECT_FALSE(c.at(172) & 0x01);
    EXPECT_EQ(c.at(185), 4);  // the warning stays until cleared
    c.command("shutdown 15 4", now);
    c.command("shutdown 2 1", now);  // another shutdown ends the countdown
    EXPECT_EQ(c.at(188) & 0x02, 0);
}

TEST(SimController, AutoStartRunsItsStagesAndOutOfGrainShutsDown) {
    Controller c;
    c.command("stop", 0);
    dryer::DryerState display;
    display.edit.hardwareOptions().set(0x01);  // the display's start request
    display.commitEdit(display.pending.hardwareOptions());
    auto frame = commandFrame(display);
    c.receive(frame.data(), frame.size(), 0);
    EXPECT_TRUE(c.at(279) & 0x01);
    const int total = c.table().autoStartTotalTime().get();
    EXPECT_EQ(total, 180);
    EXPECT_EQ(c.table().autoStartStageTimes(5).get(), 0);   // fan/heater 1 starts at once
    EXPECT_EQ(c.table().autoStartStageTimes(2).get(), 90);  // fan/heater 4 after 90 s
    c.advanceTo(1000 * 40);
    EXPECT_TRUE(c.at(136) & 0x01);   // fan/heater 1, the last element
    EXPECT_FALSE(c.at(133) & 0x01);  // fan/heater 4
    EXPECT_EQ(c.at(280), 0x42);      // bit 6: auto-start offered
    c.advanceTo(1000 * 100);
    EXPECT_EQ(c.at(280), 0x44);
    EXPECT_TRUE(c.at(133) & 0x01);
    c.advanceTo(1000 * 181);
    EXPECT_EQ(c.at(280), 0xC0);
    EXPECT_FALSE(c.at(279) & 0x01);
    EXPECT_TRUE(c.at(172) & 0x01);  // running

    // Loading without grain runs the out-of-grain timer up to its 8:00 setpoint.
    c.command("supply off", 0);
    int64_t now = 1000 * 181;
    int longest = 0;
    for (int s = 0; s < 3600 && c.at(185) == 0; ++s) {
        c.advanceTo(now += 1000);
        longest = std::max(longest, c.table().outOfGrainElapsed().get());
    }
    EXPECT_EQ(longest, 8 * 60);
    EXPECT_EQ(c.at(186), 14);
    EXPECT_EQ(c.at(185), 4);  // the warning table's OUT OF GRAIN
}

TEST(SimController, AutoStartSequenceLengthAndCancel) {
    Controller c;
    c.command("stop", 0);
    EXPECT_EQ(c.at(280), 0x40);
    c.command("sequence 24", 0);
    c.command("autostart", 0);
    EXPECT_EQ(c.table().autoStartTotalTime().get(), 24);
    EXPECT_EQ(c.table().autoStartStageTimes(2).get(), 12);  // fan/heater 4: three 4 s steps
    EXPECT_EQ(c.table().autoStartStageTimes(8).get(), 24);  // on to the end

    // The display's cancel request: bit 0 cleared, the rest of the byte kept.
    dryer::DryerState display;
    display.edit.hardwareOptions().set(0x80);
    display.commitEdit(display.pending.hardwareOptions());
    auto frame = commandFrame(display);
    c.receive(frame.data(), frame.size(), 1000);
    EXPECT_EQ(c.at(279), 0x80);
    EXPECT_EQ(c.at(280), 0x40);
    c.advanceTo(1000 * 30);
    EXPECT_EQ(c.at(280), 0x40);
}

TEST(SimController, PicturePresetsSetTheLayoutTheDisplayDraws) {
    Controller c;
    EXPECT_EQ(c.command("picture tower3 6", 0), "picture tower3, 6 fan/heaters");
    EXPECT_EQ(c.table().moduleCountCode().get(), 2);
    EXPECT_EQ(c.table().dryerModelFlags().get(), 0);
    EXPECT_EQ(c.table().fanHeaterCountCode().get(), 4);
    c.command("picture bin", 0);
    EXPECT_EQ(c.table().moduleCountCode().get(), 0);
    EXPECT_EQ(c.table().dryerModelFlags().get(), 0x20);
    EXPECT_EQ(c.table().fanHeaterCountCode().get(), 4);  // kept without a count
    c.command("picture single 2", 0);
    EXPECT_EQ(c.table().dryerModelFlags().get(), 0x80);
    EXPECT_EQ(c.table().fanHeaterCountCode().get(), 1);
    // A count the dryer cannot have, or an unknown picture, changes nothing.
    for (const char* bad : {"picture single 5", "picture silo", "picture", "picture bin 1 2"}) {
        EXPECT_EQ(c.command(bad, 0).rfind("picture: ", 0), 0u) << bad;
    }
    EXPECT_EQ(c.table().fanHeaterCountCode().get(), 1);
    EXPECT_EQ(c.table().dryerModelFlags().get(), 0x80);
}

TEST(SimController, PanelLampsFollowTheDryerAndShortsAreReported) {
    Controller c;  // four fan/heaters, running
    c.advanceTo(0);
    bool burnerLampSeen = false;
    bool burnerLampOffSeen = false;
    for (int s = 1; s <= 120; ++s) {
        c.advanceTo(1000 * s);
        // Fan/heater 1: fan lamp J2-05 (byte 240 bit 3), burner lamp J2-04 (bit 4).
        EXPECT_TRUE(c.at(240) & 0x08);
        const bool firing = c.at(130) & 0x04;  // fan/heater 1 outputs
        EXPECT_EQ((c.at(240) & 0x10) != 0, firing) << "second " << s;
        (firing ? burnerLampSeen : burnerLampOffSeen) = true;
    }
    EXPECT_TRUE(burnerLampSeen && burnerLampOffSeen) << "the burner cycles";
    EXPECT_TRUE(c.at(239) & 0x40) << "fan 4 lit (J1-07)";
    EXPECT_FALSE(c.at(239) & 0x04) << "fan 6 is not fitted (J1-03)";
    EXPECT_EQ(c.at(240) & 0x03, 0x03) << "unload and start lit while running";
    EXPECT_EQ(c.at(177), 0);
    EXPECT_EQ(c.at(178), 0);

    EXPECT_EQ(c.command("lamp J1-03 short", 0), "output J1-03 shorted");
    EXPECT_EQ(c.command("lamp J2-08 short", 0), "output J2-08 shorted");
    EXPECT_EQ(c.at(177), 0x04);
    EXPECT_EQ(c.at(178), 0x01);
    c.command("lamp J1-03 ok", 0);
    EXPECT_EQ(c.at(177), 0x00);
    for (const char* bad :
         {"lamp J3-01 short", "lamp J1-09 short", "lamp J1-1 short", "lamp J1-01 broken"}) {
        EXPECT_EQ(c.command(bad, 0).rfind("lamp: ", 0), 0u) << bad;
    }

    c.command("stop", 0);
    c.advanceTo(1000 * 125);
    EXPECT_EQ(c.at(240) & 0x03, 0x00);
}

TEST(SimController, PanelSwitchesStandInAutoPulseAndCanBeForced) {
    Controller c;  // four fan/heaters
    c.advanceTo(0);
    c.advanceTo(1000);
    // FAN 1..4 AUTO and BURNER 1..4 AUTO; LOAD AUTO on byte 179.
    EXPECT_EQ(c.at(179), 0x30);
    EXPECT_EQ(c.at(180), 0x55);
    EXPECT_EQ(c.at(181), 0x2A);
    EXPECT_EQ(c.at(182), 0x00);
    EXPECT_EQ(c.at(183), 0x00);

    c.command("stop", 1000);
    EXPECT_TRUE(c.at(179) & 0x01) << "STOP pressed";
    c.command("run", 1000);
    EXPECT_TRUE(c.at(183) & 0x01) << "START pressed";
    c.command("knob 30", 1000);  // from 50: turned left
    EXPECT_TRUE(c.at(183) & 0x20);
    c.advanceTo(3000);
    EXPECT_EQ(c.at(179) & 0x01, 0) << "buttons let go after two seconds";
    EXPECT_EQ(c.at(183), 0x00);

    EXPECT_EQ(c.command("switch 181 4 on", 3000), "input 181 bit 4 on");    // FAN 4 ON
    EXPECT_EQ(c.command("switch 180 0 off", 3000), "input 180 bit 0 off");  // BURNER 1 not AUTO
    c.advanceTo(5000);
    EXPECT_EQ(c.at(181), 0x3A);
    EXPECT_EQ(c.at(180), 0x54);
    c.command("switch 181 4 free", 5000);
    c.command("switch 180 0 free", 5000);
    EXPECT_EQ(c.at(181), 0x2A);
    EXPECT_EQ(c.at(180), 0x55);
    // A plain set of an input byte holds that byte against the model's rewrites.
    c.command("set 183 4", 5000);
    c.advanceTo(7000);
    EXPECT_EQ(c.at(183), 0x04);
    for (const char* bad : {"switch 184 0 on", "switch 178 0 on", "switch 180 8 on",
                            "switch 180 1 maybe", "switch 180 1"}) {
        EXPECT_EQ(c.command(bad, 5000).rfind("switch: ", 0), 0u) << bad;
    }
}

// The screens read fan/heater n at element 6 - n, as the plenum temperatures run.
TEST(SimController, FanHeaterOneIsTheLastElementOfItsStatusBytes) {
    Controller c;
    c.command("picture tower2 1", 0);
    c.advanceTo(0);
    c.advanceTo(5000);
    for (int e = 0; e < 5; ++e) {
        EXPECT_EQ(c.table().fanHeaterStatus(e).get(), 0) << e;
        EXPECT_EQ(c.table().fanHeaterOutputs(e).get(), 0) << e;
    }
    EXPECT_TRUE(c.table().fanHeaterStatus(5).bit(0));
    EXPECT_TRUE(c.table().fanHeaterOutputs(5).bit(0));
}

TEST(SimController, WrongCommandsSayWhatIsWrongAndChangeNothing) {
    Controller c;
    const auto before = c.table().snapshot();
    const std::vector<std::pair<const char*, const char*>> wrong = {
        {"shutdown 16 3", "shutdown: NODE is a number from 1 to 15, not 16"},
        {"shutdown 5 0", "shutdown: WARNING is a number from 1 to 255, not 0"},
        {"shutdown 5", "shutdown: takes 2 values, not 1"},
        {"run now", "run: takes 0 values, not 1"},
        {"knob 101", "knob: SPEED is a number from 0 to 100, not 101"},
        {"set 12 256", "set: VALUE is a number from 0 to 255, not 256"},
        {"clamp 149 300", "clamp: MAX is a number from 0 to 255, not 300"},
        {"refuse 2", "refuse: ADDR is a number from 3 to 328, not 2"},
        {"silence 3601", "silence: SECONDS is a number from 0 to 3600, not 3601"},
        {"badcrc x", "badcrc: N is a number from 0 to 1000, not x"},
        {"late 1 10001", "late: MS is a number from 0 to 10000, not 10001"},
        {"supply maybe", "supply: the value is on|off, not maybe"},
        {"quit", "quit: only orvane-sim's console ends with it"},
    };
    for (const auto& [line, reply] : wrong) {
        const std::string got = c.command(line, 0);
        EXPECT_EQ(got.rfind(reply, 0), 0u) << got;
        EXPECT_NE(got.find("(usage: "), std::string::npos) << got;
    }
    EXPECT_EQ(c.table().snapshot(), before);
    Answer a = c.receive(idleFrame().data(), 7, 0);
    EXPECT_EQ(a.bytes.size(), dryer::kStatusFrameSize);  // no fault was armed
    EXPECT_EQ(a.delayMs, 0);

    // Help names every command with its arguments.
    const std::string help = c.command("help", 0);
    for (const char* usage : {"shutdown NODE WARNING", "late N [MS]", "switch ADDR BIT on|off|free",
                              "picture tower2|tower3|single|bin [FANS]", "quit"}) {
        EXPECT_NE(help.find(usage), std::string::npos) << usage;
    }
    EXPECT_EQ(help, "commands:\n" + commandHelp());
}

}  // namespace
}  // namespace sim
