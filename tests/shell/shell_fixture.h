#pragma once
// A fresh dryer record, tick state and language for each test of the shell's logic.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i18n/i18n_files.h"
#include "i18n/language.h"
#include "link/dryer_state.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"
#include "shell/fake_env.h"
#include "shell/periodic.h"
#include "support/dryer_record.h"
#include "support/temp_dir.h"

namespace shelltest {

class ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        testsupport::resetDryerState();
        shell::periodic() = shell::PeriodicState{};
        platform::useManualClock(platform::LocalTime{2024, 9, 2, 10, 14, 35, 7, 0});
        platform::configureDevicePaths(root_.str(), "");
        i18n::ResetLocalization();
    }
    void TearDown() override {
        platform::useRealClock();
        i18n::ResetLocalization();
    }

    // Strings 1, 2, ... of the English table.
    void writeStrings(const std::vector<std::string>& lines) {
        root_.write("Hard Disk/Languages/EN/EnglishStrings.txt", i18ntest::lineFile(lines));
        i18n::ResetLocalization();
    }

    dryer::DryerState& state() { return dryer::dryerState(); }
    shell::PeriodicState& ticks() { return shell::periodic(); }

    testsupport::TempDir root_;
    FakeEnvironment env_;
};

}  // namespace shelltest
