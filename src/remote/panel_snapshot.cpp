#include "remote/panel_snapshot.h"

#include <cstdio>

#include "i18n/language.h"
#include "remote/json.h"

namespace remote {
namespace {

int toDisplayUnits(int fahrenheit, bool celsius) {
    return celsius ? (fahrenheit - 32) * 5 / 9 : fahrenheit;
}

std::optional<ShutdownValue> activeShutdown(const dryer::ParameterImage& s,
                                            const PanelSources& sources) {
    const int node = s.shutdownNodeId().get();
    const int warning = s.shutdownWarningId().get();
    if (node == 0 || warning == 0) return std::nullopt;
    ShutdownValue value;
    value.node = node;
    value.warning = warning;
    char code[8];
    std::snprintf(code, sizeof code, "%02X%02X", node & 0xFF, warning & 0xFF);
    value.code = code;
    if (sources.deviceName) value.device = sources.deviceName(static_cast<uint32_t>(node));
    value.text = i18n::GetWarningText(node, warning);
    if (sources.helpLines) {
        value.help = sources.helpLines(static_cast<uint32_t>(node), static_cast<uint32_t>(warning));
    }
    return value;
}

}  // namespace

int fanHeaterCount(const dryer::ParameterImage& status) {
    if (status.dryerModelFlags().bit(5)) return 1;  // a bin dryer has one
    switch (status.fanHeaterCountCode().get()) {
        case 1:
            return 2;
        case 2:
            return 3;
        case 3:
            return 4;
        case 4:
            return 6;
        default:
            return 1;
    }
}

PanelSnapshot takePanelSnapshot(const dryer::DryerState& state, const PanelSources& sources,
                                const std::string& dryerName, const std::string& lastGoodFrame) {
    PanelSnapshot snap;
    snap.dryer = dryerName;
    snap.language = std::string(i18n::languageInfo(i18n::GetLanguage()).folderCode);
    snap.celsius = state.unitsSetting.load() != 0;
    if (sources.stateWord) snap.state = sources.stateWord();
    {
        // One frame's values: the decoder holds the same lock for a whole frame.
        const auto hold = state.hold();
        const auto& s = state.status;
        snap.moistureInTenths = s.moistureIn().get();
        snap.moistureOutTenths = s.moistureOut().get();
        snap.moistureSetpointTenths = s.moistureSetpoint().get();
        snap.grainIn = toDisplayUnits(s.grainTempIn().get() / 10, snap.celsius);
        snap.grainOut = toDisplayUnits(s.grainTempOut().get() / 10, snap.celsius);
        snap.grainSetpoint = toDisplayUnits(s.grainTempSetpoint().get(), snap.celsius);
        for (int fanHeater = 1; fanHeater <= fanHeaterCount(s); ++fanHeater) {
            // The arrays run fan/heater 6 first.
            const int element = 6 - fanHeater;
            snap.plenums.push_back(
                {fanHeater, toDisplayUnits(s.plenumTemp(element).get(), snap.celsius),
                 toDisplayUnits(s.plenumTempSetpoint(element).get(), snap.celsius)});
        }
        snap.bushelsPerHour = s.bushelRate().get();
        snap.shutdown = activeShutdown(s, sources);
    }
    snap.linkUp = state.linkAliveSeconds.load() > 0;
    snap.lastGoodFrame = lastGoodFrame;
    return snap;
}

std::string panelSnapshotJson(const PanelSnapshot& snap,
                              const std::function<void(JsonWriter&)>& more) {
    const char* degrees = snap.celsius ? "C" : "F";
    JsonWriter w;
    w.beginObject();
    w.key("dryer").value(snap.dryer);
    w.key("language").value(snap.language);
    w.key("units").beginObject().key("temperature").value(degrees);
    w.key("moisture").value("%").key("rate").value("bu/h").endObject();
    w.key("state").value(snap.state);
    w.key("moisture").beginObject();
    w.key("incoming").tenths(snap.moistureInTenths);
    w.key("discharge").tenths(snap.moistureOutTenths);
    w.key("setpoint").tenths(snap.moistureSetpointTenths).endObject();
    w.key("grainTemperature").beginObject();
    w.key("incoming").value(snap.grainIn);
    w.key("discharge").value(snap.grainOut);
    w.key("setpoint").value(snap.grainSetpoint).endObject();
    w.key("plenums").beginArray();
    for (const PlenumValue& p : snap.plenums) {
        w.beginObject().key("fanHeater").value(p.fanHeater);
        w.key("temperature").value(p.temperature).key("setpoint").value(p.setpoint).endObject();
    }
    w.endArray();
    w.key("bushelsPerHour").value(snap.bushelsPerHour);
    w.key("shutdown");
    if (!snap.shutdown) {
        w.null();
    } else {
        const ShutdownValue& sd = *snap.shutdown;
        w.beginObject().key("node").value(sd.node).key("warning").value(sd.warning);
        w.key("code").value(sd.code).key("device").value(sd.device).key("text").value(sd.text);
        w.key("help").beginArray();
        for (const std::string& line : sd.help)
            w.value(line);
        w.endArray().endObject();
    }
    w.key("link").beginObject().key("state").value(snap.linkUp ? "connected" : "lost");
    w.key("lastGoodFrame");
    if (snap.lastGoodFrame.empty())
        w.null();
    else
        w.value(snap.lastGoodFrame);
    w.endObject();
    if (more) more(w);
    w.endObject();
    return w.text();
}

}  // namespace remote
