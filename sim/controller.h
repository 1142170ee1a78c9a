#pragma once
// The controller's side of the line: its parameter table, the handling of each frame from the
// display and the one status frame it answers with, plus the faults a test or an operator can
// script (silence, bad CRCs, short frames, stray bytes, late answers, refused or clamped
// addresses). No I/O and no clock of its own: the caller passes the time.

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "link/dryer_state.h"
#include "sim/frames.h"
#include "sim/model.h"

namespace sim {

class Arguments;

// Every line command with its arguments, their ranges and what it does, one a line.
std::string commandHelp();

struct Answer {
    std::vector<uint8_t> bytes;  // empty: no answer
    int delayMs = 0;
    std::string trace;  // both directions, decoded, one line per frame
};

class Controller {
  public:
    Controller();

    // Runs the model up to `nowMs` (milliseconds of any steady clock).
    void advanceTo(int64_t nowMs);
    // Takes one frame from the display and says what goes back on the line.
    Answer receive(const uint8_t* bytes, size_t length, int64_t nowMs);
    // A line command ("shutdown 5 3", "silence 15", "set 187 0x83", "help" ...); returns the reply,
    // or what is wrong with the line and the command's usage (then nothing changes).
    std::string command(std::string_view line, int64_t nowMs);

    uint8_t at(int address) const { return table_.at(address); }
    const dryer::ParameterImage& table() const { return table_; }

  private:
    void apply(const WriteRecord& record);
    void applyByte(int address, uint8_t value);
    std::vector<uint8_t> statusFrame();
    std::string describeStatus(const std::vector<uint8_t>& frame);
    std::string dryerCommand(Arguments& args, int64_t nowMs);
    std::string faultCommand(Arguments& args, int64_t nowMs);
    std::string pictureCommand(Arguments& args);
    std::string panelCommand(Arguments& args);

    std::recursive_mutex tableMutex_;
    dryer::ParameterImage table_{tableMutex_};
    DryerModel model_{table_};
    int64_t modelMs_ = -1;
    int64_t silentUntilMs_ = 0;
    int badCrcFrames_ = 0;
    int shortFrames_ = 0;
    int strayFrames_ = 0;
    int lateFrames_ = 0;
    int lateMs_ = 400;
    std::map<int, int> clampMax_;  // address -> largest value taken; -1 = refused
    std::vector<uint8_t> lastSent_;
};

}  // namespace sim
