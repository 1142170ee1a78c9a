#include "logging/long_term_log.h"

#include <cstdio>

#include "platform/files/files.h"

namespace logging {

int LongTermLogFillPercent = 0;
bool LongTermLogHeaderPending = true;
int LongTermLogCountdown = 12;
bool LongTermLogFullWarningArmed = true;
bool DryerRunningForLog = false;

namespace {

constexpr int kRecordPeriodTicks = 12;
constexpr int kWarningPercent = 70;

platform::File gLog;

std::string unsignedTenths(uint16_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%01d", value / 10, value % 10);
    return text;
}

// Temperatures are signed; below zero they are written "-2.5", not as a huge unsigned number.
std::string signedTenths(int16_t value) {
    const int magnitude = value < 0 ? -value : value;
    char text[16];
    std::snprintf(text, sizeof text, "%s%d.%01d", value < 0 ? "-" : "", magnitude / 10,
                  magnitude % 10);
    return text;
}

}  // namespace

std::string LongTermLogHeader() {
    char text[160];
    std::snprintf(text, sizeof text, "%c%c%s,%s,%s,%s,%s,%s,%s,%s,%s%c%c", '\r', '\n', "Date",
                  "Time", "Grain Column Temp", "Moist In", "Grain Temp In", "Moist Out",
                  "Grain Temp Out", "MR Speed", "BPH", '\r', '\n');
    return text;
}

std::string FormatLongTermRecord(const LongTermSample& sample) {
    const platform::LocalTime& t = sample.time;
    const LogValues& v = sample.values;
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    char date[32];
    char time[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", t.year, t.month, t.day);
    std::snprintf(time, sizeof time, "%02d:%02d:%02d%s", hour12, t.minute, t.second,
                  t.hour < 12 ? "AM" : "PM");
    char line[256];
    std::snprintf(line, sizeof line, "%s,%s,%d,%s,%s,%s,%s,%d,%d%c%c", date, time,
                  v.grainColumnTemp, unsignedTenths(v.moistureIn).c_str(),
                  signedTenths(v.grainTempIn).c_str(), unsignedTenths(v.moistureOut).c_str(),
                  signedTenths(v.grainTempOut).c_str(), v.meterRollSpeed, v.bushelRate, '\r', '\n');
    return line;
}

int LongTermLogFillLevel(uint64_t fileSize) {
    if (fileSize >= kLongTermLogCapacity) return 100;
    const double capacity = static_cast<double>(kLongTermLogCapacity);
    const double free = static_cast<double>(kLongTermLogCapacity - fileSize);
    return static_cast<int>(100.0 - 100.0 * free / capacity);
}

bool OpenLongTermLog() {
    platform::createFolder(kLongTermLogFolder);
    gLog = platform::openFile(kLongTermLogPath, platform::FileAccess::ReadWrite,
                              platform::Disposition::OpenAlways);
    return gLog.isOpen();
}

void CloseLongTermLog() {
    gLog.close();
}

bool AppendToLongTermLog(const char* bytes, size_t count) {
    const int64_t end = gLog.seek(0, platform::SeekFrom::End);
    if (end < 0) return false;
    if (gLog.write(bytes, count)) return gLog.sync();
    // Cut a short write away so that the next line does not continue a broken one.
    if (gLog.seek(end, platform::SeekFrom::Begin) == end) gLog.truncateHere();
    return false;
}

LongTermResult WriteLongTermRecord(const LongTermSample& sample, int& fillPercent) {
    if (!OpenLongTermLog()) return LongTermResult::CannotOpen;
    const int64_t size = gLog.size();
    if (size >= 0) fillPercent = LongTermLogFillLevel(static_cast<uint64_t>(size));
    LongTermResult result = LongTermResult::Written;
    if (size < 0) {
        result = LongTermResult::CannotOpen;
    } else if (fillPercent >= 100) {
        result = LongTermResult::Full;
    } else if (!DryerRunningForLog) {
        result = LongTermResult::NotRunning;
    } else {
        // Header and record go down in one write, so a cut leaves at most this line torn; the
        // next run's header starts on a fresh line.
        std::string text = LongTermLogHeaderPending ? LongTermLogHeader() : std::string();
        text += FormatLongTermRecord(sample);
        if (AppendToLongTermLog(text.data(), text.size())) {
            LongTermLogHeaderPending = false;
        } else {
            result = LongTermResult::WriteFailed;
        }
    }
    CloseLongTermLog();
    return result;
}

void RefreshLongTermFillLevel() {
    if (!OpenLongTermLog()) return;
    const int64_t size = gLog.size();
    if (size >= 0) LongTermLogFillPercent = LongTermLogFillLevel(static_cast<uint64_t>(size));
    CloseLongTermLog();
}

void LongTermLogTick(const LogInputs& inputs, const platform::LocalTime& now,
                     const LogHooks& hooks) {
    if (LongTermLogCountdown < kRecordPeriodTicks - 1) {
        ++LongTermLogCountdown;
        return;
    }
    LongTermLogCountdown = 0;
    if (!inputs.dayLoggerOn) {
        RefreshLongTermFillLevel();
        return;
    }
    WriteLongTermRecord(LongTermSample{inputs.values, now}, LongTermLogFillPercent);
    if (hooks.longTermRecordStep) hooks.longTermRecordStep();
    if (LongTermLogFillPercent > kWarningPercent && LongTermLogFullWarningArmed) {
        LongTermLogFullWarningArmed = false;
        if (hooks.logFullWarning) hooks.logFullWarning();
    }
}

}  // namespace logging
