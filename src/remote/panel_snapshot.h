#pragma once
// What the remote view and the telemetry report of the dryer: the key values of the main screen,
// the active shutdown and the state of the link, read from the dryer state in one go, and the
// same as JSON. Everything here runs on the remote threads; the sources only read.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "link/dryer_state.h"

namespace remote {

// Reads that only the screens know how to make; the composition root fills them in. Each may be
// called from a remote thread at any time.
struct PanelSources {
    std::function<std::string()> stateWord;  // the right status bar's running state
    std::function<std::string(uint32_t node)> deviceName;
    std::function<std::vector<std::string>(uint32_t node, uint32_t warning)> helpLines;
};

struct PlenumValue {
    int fanHeater = 1;    // 1..6
    int temperature = 0;  // in the display's units
    int setpoint = 0;
};

struct ShutdownValue {
    int node = 0;
    int warning = 0;
    std::string code;  // "0E05", as the warning window shows it
    std::string device;
    std::string text;
    std::vector<std::string> help;
};

struct PanelSnapshot {
    std::string dryer;
    std::string language;  // "EN", "DE", ...
    bool celsius = false;
    std::string state;
    int moistureInTenths = 0;  // percent
    int moistureOutTenths = 0;
    int moistureSetpointTenths = 0;
    int grainIn = 0;  // in the display's units
    int grainOut = 0;
    int grainSetpoint = 0;
    std::vector<PlenumValue> plenums;
    int bushelsPerHour = 0;
    std::optional<ShutdownValue> shutdown;
    bool linkUp = false;
    std::string lastGoodFrame;  // local time "yyyy-MM-ddTHH:mm:ss", empty before the first
};

// Number of fan/heaters the dryer reports.
int fanHeaterCount(const dryer::ParameterImage& status);

PanelSnapshot takePanelSnapshot(const dryer::DryerState& state, const PanelSources& sources,
                                const std::string& dryerName, const std::string& lastGoodFrame);

class JsonWriter;
// The snapshot as one JSON object; `more` may add fields of its own at the end.
std::string panelSnapshotJson(const PanelSnapshot& snapshot,
                              const std::function<void(JsonWriter&)>& more = {});

}  // namespace remote
