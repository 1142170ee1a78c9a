#include "logging/view_settings.h"

#include <optional>
#include <string_view>
#include <vector>

#include "platform/registry/registry.h"

namespace logging {

std::array<uint8_t, kGraphTraceCount> GraphTraceOn{};
int GraphScale = 0;
int GraphPageOffset = 0;
int ScreenViewSelection = 0;
int LeftColumnSelection = 0;
int ShortTermSampleMinutes = 10;

namespace {

constexpr std::string_view kTracesValue = "GRAPH_TRACES_ON_OFF";
constexpr std::string_view kScaleValue = "GRAPH_HORIZONTAL_SCALE";
constexpr std::string_view kSampleTimeValue = "TEMP_DATA_LOG_SAMPLE_TIME";
constexpr std::string_view kViewValue = "SCREEN_VIEW_SELECTION";
constexpr std::string_view kLeftColumnValue = "LEFT_COLUMN_SELECTION";

// A value that is missing or not one byte long cannot be read.
std::optional<uint8_t> readByte(std::string_view name) {
    std::vector<uint8_t> bytes;
    if (!platform::registryRead(kViewSettingsKey, name, bytes) || bytes.size() != 1) {
        return std::nullopt;
    }
    return bytes[0];
}

bool writeByte(std::string_view name, int value) {
    const uint8_t byte = static_cast<uint8_t>(value);
    return platform::registryWrite(kViewSettingsKey, name, std::span<const uint8_t>(&byte, 1));
}

}  // namespace

int GraphScaleFactor() {
    return GraphScale >= 0 && GraphScale <= 3 ? 1 << GraphScale : 1;
}

void ResetViewSettings() {
    GraphTraceOn.fill(0);
    GraphScale = 0;
    GraphPageOffset = 0;
    ScreenViewSelection = 0;
    LeftColumnSelection = 0;
    ShortTermSampleMinutes = 10;
}

void LoadViewSettings() {
    if (const auto traces = readByte(kTracesValue)) {
        for (int trace = 0; trace < kGraphTraceCount; ++trace) {
            if (*traces & (1 << trace)) GraphTraceOn[trace] = 1;
        }
    } else {
        // A panel that has never stored its traces shows the discharge moisture, so that its
        // graph is not empty the first time it opens; an operator's own choice is kept.
        GraphTraceOn[kTraceMoistureOut] = 1;
    }
    if (const auto scale = readByte(kScaleValue)) GraphScale = *scale > 3 ? 0 : *scale;
    if (const auto minutes = readByte(kSampleTimeValue)) {
        // Zero minutes would sample on every tick and roll the chart's day away in minutes.
        ShortTermSampleMinutes = *minutes > 15 || *minutes == 0 ? 5 : *minutes;
    }
    if (const auto view = readByte(kViewValue)) ScreenViewSelection = *view == 1 ? 1 : 0;
    if (const auto column = readByte(kLeftColumnValue)) LeftColumnSelection = *column == 1 ? 1 : 0;
}

bool SaveGraphTraces() {
    int bits = 0;
    for (int trace = 0; trace < kGraphTraceCount; ++trace) {
        if (GraphTraceOn[trace] == 1) bits |= 1 << trace;
    }
    return writeByte(kTracesValue, bits);
}

bool SaveGraphScale() {
    return writeByte(kScaleValue, GraphScale);
}
bool SaveSampleTime() {
    return writeByte(kSampleTimeValue, ShortTermSampleMinutes);
}
bool SaveViewSelection() {
    return writeByte(kViewValue, ScreenViewSelection);
}

bool SaveLeftColumnSelection() {
    return writeByte(kLeftColumnValue, LeftColumnSelection);
}

}  // namespace logging
