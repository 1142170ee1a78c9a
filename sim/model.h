#pragma once
// A small model of a running dryer, moved one second at a time over the controller's parameter
// table: fans and burners cycling around the plenum setpoints, grain temperatures and moistures,
// the metering roll, the bushel count, loading with its out-of-grain timer, batch stages and the
// auto-start sequence.

#include <array>
#include <cstdint>
#include <random>

#include "link/dryer_state.h"

namespace sim {

class DryerModel {
  public:
    explicit DryerModel(dryer::ParameterImage& table) : t_(table) {}

    void startConfiguration();
    void advanceSecond();

    void setRunning(bool running);
    bool running() const { return running_; }
    // A shutdown stops the dryer and stays on the line until cleared. Some come with more, as
    // the controller sends them: the grain column too hot (14/6) raises the grain temperature
    // alarm, and so does a plenum over its limit (fan/heater warning 5) while the grain is above
    // its high setpoint; the moisture controller's limit warnings (15/3 to 15/6) count five
    // minutes down with the dryer running and stop it at the end.
    void raiseShutdown(uint8_t node, uint8_t warning);
    void clearShutdown();
    void setGrainSupply(bool present) { grainSupply_ = present; }
    void startAutoStart();
    void cancelAutoStart();
    bool autoStartActive() const { return autoStart_; }
    // Length in seconds of the sequences started from now on; 0: 30 s per fan/heater plus 60.
    void setAutoStartLength(int seconds) { autoStartLength_ = seconds; }
    // Turning the control-panel knob: the medium speed moves and the change bit toggles.
    void turnKnob(int speed);

    // The control panel's switches and lamps as the display I/O board reports them. Inputs
    // (bytes 179 to 183) follow the dryer unless forced: state 1 on, 0 off, -1 free
    // again. A pulse is a push button held for two seconds. Outputs are numbered in connector
    // order, 0 = J1-01 to 15 = J2-08; a shorted one reports its short-circuit bit.
    void forceInput(int address, int bit, int state);
    void pulseInput(int address, int bit);
    void setOutputShorted(int output, bool shorted);
    // Writes the inputs and lamps into the table now (also done every second).
    void writePanelIo();

  private:
    int fanHeaterCount() const;
    void stepFanHeater(int n, bool active);
    void stepGrain();
    void stepMeteringRoll();
    void stepLoading();
    void stepBatch();
    void stepAutoStart();
    void stepCountdown();
    void writeCountdown();
    void setAutoStartProgress(uint8_t bits);
    void writeStatusBits();
    uint8_t operatingModeBase() const;
    void writeOutputs();
    float noise(float amplitude);

    dryer::ParameterImage& t_;
    std::mt19937 rng_{20240611};
    bool running_ = false;
    std::array<float, 6> plenum_{};  // fan/heater 1 .. 6
    std::array<bool, 6> burner_{};
    std::array<float, 3> grain_{};
    float grainIn_ = 0;
    float grainOut_ = 0;
    float moistureIn_ = 0;
    float moistureOut_ = 0;
    float speed_ = 0;
    float garnerLevel_ = 80;
    bool loading_ = false;
    bool grainSupply_ = true;
    int outOfGrainSeconds_ = 0;
    int secondsRun_ = 0;
    int batchStage_ = 0;
    bool autoStart_ = false;
    int autoStartElapsed_ = 0;
    int countdownSeconds_ = 0;  // to the end of a warning's countdown; 0 = none
    int autoStartLength_ = 0;
    // Panel I/O: index 0 to 4 = bytes 179 to 183.
    std::array<uint8_t, 5> forcedOn_{};
    std::array<uint8_t, 5> forcedOff_{};
    std::array<std::array<int, 8>, 5> pulseSeconds_{};
    uint16_t shortedOutputs_ = 0;  // bit k = output k
};

}  // namespace sim
