// orvane-logdata ROOT HOURS [CHART_SAMPLES]: writes graph and short-term log files of a dryer
// that ran for HOURS up to now into the panel root ROOT, for screenshots and trials without
// waiting for the simulator. The values drift slowly, as a running dryer's do.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logging/dryer_sample.h"
#include "logging/graph_log.h"
#include "logging/log_files.h"
#include "logging/short_term_log.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"

namespace {

constexpr platform::FileTime kTicksPerSecond = 10'000'000;
constexpr double kMaxHours = 24 * 365;
constexpr double kMaxChartSamples = 100000;

platform::LocalTime secondsBefore(const platform::LocalTime& now, int64_t seconds) {
    return platform::fileTimeToLocalTime(platform::localTimeToFileTime(now) -
                                         static_cast<platform::FileTime>(seconds) *
                                             kTicksPerSecond);
}

logging::LogValues valuesAt(int64_t second) {
    const double t = static_cast<double>(second) / 3600.0;
    logging::LogValues v;
    v.grainColumnTemp = static_cast<uint16_t>(118 + 9 * std::sin(t * 0.9));
    v.grainTempIn = static_cast<int16_t>(640 + 60 * std::sin(t * 0.3 + 1));
    v.moistureIn = static_cast<uint16_t>(235 + 18 * std::sin(t * 0.5 + 2));
    v.grainTempOut = static_cast<int16_t>(950 + 80 * std::sin(t * 0.7 + 0.5));
    v.moistureOut = static_cast<uint16_t>(155 + 7 * std::sin(t * 1.3));
    v.meterRollSpeed = static_cast<uint8_t>(45 + 15 * std::sin(t * 0.6 + 3));
    return v;
}

std::string failure(std::string_view devicePath) {
    return "cannot write " + platform::hostPath(devicePath) + ": " + std::strerror(errno);
}

// Samples `period` seconds apart ending now, oldest first, in files of `perFile` samples. Empty,
// or what could not be written and why.
std::string writeLog(const std::string& folder, const std::string& prefix, int64_t count,
                     int period, int64_t perFile) {
    if (!platform::createFolder(folder)) return failure(folder);
    const platform::LocalTime now = platform::localNow();
    for (int64_t first = 0; first < count; first += perFile) {
        const int64_t last = std::min(count, first + perFile);
        const platform::LocalTime created = secondsBefore(now, (count - 1 - first) * period);
        const std::string name = logging::datedLogName(folder + "\\" + prefix, created);
        platform::File file = platform::openFile(name, platform::FileAccess::Write,
                                                 platform::Disposition::CreateAlways);
        std::vector<uint8_t> bytes;
        for (int64_t i = first; i < last; ++i) {
            const int64_t back = (count - 1 - i) * period;
            const auto sample = logging::makeDryerSample(valuesAt(-back), secondsBefore(now, back));
            bytes.insert(bytes.end(), sample.bytes.begin(), sample.bytes.end());
        }
        if (!file.isOpen() || !file.write(bytes.data(), bytes.size())) return failure(name);
    }
    return "";
}

// A number from the command line in [0, max], whole if asked; else nullopt.
std::optional<double> number(const char* text, double max, bool whole) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (errno != 0 || end == text || *end != '\0' || !(value >= 0 && value <= max) ||
        (whole && std::floor(value) != value)) {
        return std::nullopt;
    }
    return value;
}

int fail(const std::string& message) {
    std::fprintf(stderr, "orvane-logdata: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: orvane-logdata ROOT HOURS [CHART_SAMPLES]\n");
        return 2;
    }
    const auto hours = number(argv[2], kMaxHours, false);
    const auto chart =
        argc > 3 ? number(argv[3], kMaxChartSamples, true) : std::optional<double>(0);
    if (!hours || !chart) {
        std::fprintf(stderr,
                     "orvane-logdata: HOURS is a number from 0 to %d and CHART_SAMPLES "
                     "a whole number from 0 to %d\n",
                     static_cast<int>(kMaxHours), static_cast<int>(kMaxChartSamples));
        return 2;
    }
    std::error_code ec;
    const auto root = std::filesystem::status(argv[1], ec);
    if (ec) return fail(std::string(argv[1]) + ": " + ec.message());
    if (!std::filesystem::is_directory(root))
        return fail(std::string(argv[1]) + " is not a folder");
    platform::configureDevicePaths(argv[1], "");
    if (!platform::createFolder("\\Hard Disk")) return fail(failure("\\Hard Disk"));
    const auto graphSamples = static_cast<int64_t>(*hours * 360);
    const auto chartSamples = static_cast<int64_t>(*chart);
    std::string error = writeLog(logging::kGraphLogFolder, "GRAPH_DATA_LOG_24HR", graphSamples, 10,
                                 logging::kGraphFileFullBytes / logging::kDryerSampleSize);
    if (error.empty()) {
        error = writeLog(logging::ShortTermFolder(), "DATA_LOG_24HR", chartSamples, 600,
                         logging::kShortTermMaxRecords);
    }
    return error.empty() ? 0 : fail(error);
}
