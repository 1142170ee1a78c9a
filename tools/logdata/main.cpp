// orvane-logdata ROOT HOURS [CHART_SAMPLES]: writes graph and short-term log files of a dryer
// that ran for HOURS up to now into the panel root ROOT, for screenshots and trials without
// waiting for the simulator. The values drift slowly, as a running dryer's do.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "logging/dryer_sample.h"
#include "logging/graph_log.h"
#include "logging/log_files.h"
#include "logging/short_term_log.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"

namespace {

constexpr platform::FileTime kTicksPerSecond = 10'000'000;

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

// Samples `period` seconds apart ending now, oldest first, in files of `perFile` samples.
bool writeLog(const std::string& folder, const std::string& prefix, int64_t count, int period,
              int64_t perFile) {
    if (!platform::createFolder(folder)) return false;
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
        if (!file.isOpen() || !file.write(bytes.data(), bytes.size())) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: orvane-logdata ROOT HOURS [CHART_SAMPLES]\n");
        return 2;
    }
    platform::configureDevicePaths(argv[1], "");
    platform::createFolder("\\Hard Disk");
    const int64_t graphSamples = static_cast<int64_t>(std::atof(argv[2]) * 360);
    const int64_t chartSamples = argc > 3 ? std::atoll(argv[3]) : 0;
    const bool ok = writeLog(logging::kGraphLogFolder, "GRAPH_DATA_LOG_24HR", graphSamples, 10,
                             logging::kGraphFileFullBytes / logging::kDryerSampleSize) &&
                    writeLog(logging::ShortTermFolder(), "DATA_LOG_24HR", chartSamples, 600,
                             logging::kShortTermMaxRecords);
    if (!ok) std::fprintf(stderr, "orvane-logdata: could not write the logs\n");
    return ok ? 0 : 1;
}
