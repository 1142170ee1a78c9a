#pragma once
// A panel root with a flash disk, the manual clock and a registry, and the logs' state of a
// fresh program start.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "logging/dryer_sample.h"
#include "logging/log_ticks.h"
#include "logging/view_settings.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"
#include "platform/registry/registry.h"
#include "support/local_time.h"
#include "support/temp_dir.h"

namespace logging {

inline platform::LocalTime at(int year, int month, int day, int hour, int minute, int second) {
    return testsupport::localTime(year, month, day, hour, minute, second);
}

// A sample whose fields carry `tag`, so a test can tell samples apart after reading them back.
inline DryerSample taggedSample(int tag) {
    LogValues v;
    v.grainColumnTemp = static_cast<uint16_t>(tag);
    v.moistureIn = static_cast<uint16_t>(tag >> 16);
    v.meterRollSpeed = 7;
    return makeDryerSample(v, at(2024, 3, 4, 5, 6, 7));
}

inline int tagOf(const DryerSample& s) {
    return s.grainColumnTemp() | s.moistureIn() << 16;
}

// `count` tagged samples first..first+count-1 as file contents.
inline std::string taggedRun(int first, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        const DryerSample s = taggedSample(first + i);
        bytes.append(reinterpret_cast<const char*>(s.bytes.data()), s.bytes.size());
    }
    return bytes;
}

class LogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::configureDevicePaths(root.str(), "");
        std::filesystem::create_directories(root.path() / "Hard Disk");
        platform::registryOpen((root.path() / "Registry.dat").string());
        platform::useManualClock(at(2024, 3, 4, 5, 6, 7));
        ResetLogStateForRun();
        ResetViewSettings();
    }
    void TearDown() override {
        platform::useRealClock();
        platform::registryOpen("");
    }

    std::filesystem::path disk(const std::string& relative) const {
        return root.path() / "Hard Disk" / relative;
    }
    std::vector<std::string> filesIn(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& e : platform::listFolder("\\Hard Disk\\" + folder + "\\*")) {
            names.push_back(e.name);
        }
        return names;
    }
    uint64_t sizeOf(const std::string& relative) const {
        return std::filesystem::file_size(disk(relative));
    }

    testsupport::TempDir root;
};

}  // namespace logging
