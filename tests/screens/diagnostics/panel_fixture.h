#pragma once
// The diagnostics pages in the panel harness over the panel image's language packs and program
// bitmaps, with the dryer record fresh for each test, frames fed to the decoder, and the
// display's side of the line read back as the controller would see it.

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "i18n/language.h"
#include "link/controller_link.h"
#include "link/crc.h"
#include "link/dryer_state.h"
#include "platform/backend/headless/panel_harness.h"
#include "platform/files/files.h"
#include "platform/serial/serial.h"
#include "platform/ui/dialog.h"
#include "platform/ui/display.h"
#include "shell/shell_fixture.h"
#include "sim/frames.h"
#include "support/temp_dir.h"

namespace diagnostics::testing {

namespace ui = platform::ui;

// The display's end of a pseudo-terminal: each exchange's frame as the controller parses it.
class WireTap {
  public:
    WireTap() { ok_ = platform::openPtyPair(pair_) && link_.openControllerLink(pair_.devicePath); }
    ~WireTap() { link_.stop(); }
    bool ok() const { return ok_; }

    // Runs one exchange and returns the records it put on the line (none for an idle frame).
    std::vector<sim::WriteRecord> exchange() {
        const uint64_t before = link_.completedCycles();
        link_.signalExchange();
        for (int i = 0; i < 400 && link_.completedCycles() == before; ++i)
            pair_.controller.waitReadable(5);
        std::vector<uint8_t> bytes;
        while (pair_.controller.waitReadable(bytes.empty() ? 1000 : 20)) {
            uint8_t buffer[256];
            const long got = pair_.controller.readAvailable(buffer, sizeof buffer);
            if (got <= 0) break;
            bytes.insert(bytes.end(), buffer, buffer + got);
        }
        return sim::parseDisplayFrame(bytes.data(), bytes.size()).records;
    }

  private:
    platform::PtyPair pair_;
    dryer::ControllerLink link_{dryer::dryerState()};
    bool ok_ = false;
};

// "address=byte byte ..." for each record, to compare with what a test expects.
inline std::vector<std::string> describe(const std::vector<sim::WriteRecord>& records) {
    std::vector<std::string> lines;
    for (const auto& record : records) {
        std::string line = std::to_string(record.address) + "=";
        for (size_t i = 0; i < record.bytes.size(); ++i)
            line += (i ? " " : "") + std::to_string(record.bytes[i]);
        lines.push_back(line);
    }
    return lines;
}

class PanelFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* image = std::getenv("ORVANE_IMAGE_DIR");
        const std::filesystem::path disk = std::filesystem::path(image ? image : "") / "Hard Disk";
        ASSERT_TRUE(std::filesystem::is_directory(disk / "Languages" / "DE"))
            << "build the panel image";
        std::filesystem::create_directories(root_.path() / "Hard Disk");
        for (const char* folder : {"Languages", "Program"}) {
            std::filesystem::create_directory_symlink(disk / folder,
                                                      root_.path() / "Hard Disk" / folder);
        }
        platform::configureDevicePaths(root_.str(), "");
        i18n::ResetLocalization();
        shelltest::resetDryerState();
        panel_ = std::make_unique<platform::backend::PanelHarness>();
    }
    void TearDown() override {
        panel_.reset();
        dryer::dryerState().hooks.unregisterWindow(dryer::Window::DiagnosticsDialog);
        i18n::ResetLocalization();
    }

    // Decodes a good frame made of the record's status with these bytes changed, as the
    // exchange thread would, then lets the UI take in the repaints.
    void receive(const std::vector<std::pair<int, uint8_t>>& bytes) {
        auto frame = dryer::dryerState().status.snapshot();
        for (const auto& [offset, value] : bytes)
            frame[offset] = value;
        dryer::appendCrc(frame.data(), dryer::kStatusDataSize);
        ASSERT_TRUE(dryer::receiveStatusFrame(dryer::dryerState(), frame.data(), frame.size()));
        ui::wakeLoop();
        panel_->waitIdle();
    }

    // The open dialog of that title (the innermost first).
    static ui::Window dialogTitled(std::string_view title) {
        return ui::findWindow("#DIALOG", title);
    }

    void tapItem(ui::Window dialog, int id) { panel_->tap(ui::dialogItem(dialog, id)); }

    // With ORVANE_SCREENSHOT_DIR set, the screen as it stands goes there as NAME.png.
    void screenshot(const std::string& name) {
        if (const char* dir = std::getenv("ORVANE_SCREENSHOT_DIR")) {
            panel_->screenshot(std::string(dir) + "/" + name + ".png");
        }
    }

    testsupport::TempDir root_;
    std::unique_ptr<platform::backend::PanelHarness> panel_;
};

}  // namespace diagnostics::testing
