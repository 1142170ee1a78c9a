#pragma once
// The display with its warning screens in the panel harness, on the manual clock, over the panel
// image's English and German packs and program bitmaps. The folders are made afresh with links to
// the image's files, so that a test can put its own file in the place of one of them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "i18n/i18n_files.h"
#include "i18n/language.h"
#include "i18n/resources.h"
#include "link/controller_link.h"
#include "link/crc.h"
#include "link/dryer_state.h"
#include "platform/files/files.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/display.h"
#include "screens/warnings/shutdown_history.h"
#include "screens/warnings/warning_window.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "shell/periodic.h"
#include "sim/controller.h"
#include "support/panel_fixture.h"

namespace warningstest {

namespace fs = std::filesystem;
namespace ui = platform::ui;
using shell::Screen;

// A Monday morning.
inline const platform::LocalTime kStart{2024, 9, 1, 2, 10, 14, 0, 0};

class WarningsHarness : public testsupport::PanelFixture {
  protected:
    WarningsHarness()
        : PanelFixture({.folders = {"Languages/EN", "Languages/DE", "Program"},
                        .links = testsupport::ImageLinks::Files,
                        .wiring = {warnings::registerWarningScreens},
                        .clock = kStart}) {
        usb_ = root_.path() / "usb";
    }

    void start(std::function<void()> openControllerLink = {}) {
        PanelFixture::start({openControllerLink, [] { warnings::openShutdownHistory(); }, {}});
    }

    void useGerman() {
        panel_->call([] { i18n::SetLanguage(6); });
    }

    // Puts a file of the test's own in the panel root, in place of the image's.
    void writeFile(const std::string& relative, const std::string& bytes) {
        fs::remove(root_.path() / relative);
        root_.write(relative, bytes);
    }
    // A warning help text: UTF-16 little-endian after its mark, exactly the units given.
    void writeHelpText(int node, int warning, const std::string& utf8) {
        char name[64];
        std::snprintf(name, sizeof name, "NID_%02d_WARNING_ID_%02d.txt", node, warning);
        writeFile(std::string("Hard Disk/Languages/EN/WarningBitmaps/") + name,
                  "\xFF\xFE" + i18ntest::utf16le(utf8));
    }

    // The controller's answer to an idle frame after `command`, taken in as the exchange
    // thread would take it.
    void fromSimulator(const std::string& command) {
        controller_.command(command, platform::monotonicMs());
        receiveFromSimulator();
    }
    void receiveFromSimulator() {
        const uint8_t idle[dryer::kIdleFrameSize] = {0x07, 0x00, 0x00, 0x00, 0x00, 0x91, 0xC0};
        const sim::Answer answer = controller_.receive(idle, sizeof idle, platform::monotonicMs());
        ASSERT_TRUE(dryer::receiveStatusFrame(dryer::dryerState(), answer.bytes.data(),
                                              answer.bytes.size()));
        ui::wakeLoop();
        panel_->waitIdle();
    }

    void shutdown(int node, int warning, uint8_t alarmFlags = 0) {
        receive({{185, static_cast<uint8_t>(warning)},
                 {186, static_cast<uint8_t>(node)},
                 {188, alarmFlags}});
    }

    // The lines of a list box.
    std::vector<std::string> listLines(ui::Window list) {
        std::vector<std::string> lines;
        panel_->call([&] {
            for (int i = 0; i < ui::listBoxCount(list); ++i)
                lines.push_back(ui::listBoxText(list, i));
        });
        return lines;
    }
    // The rows of a list view, cells joined by " | ".
    std::vector<std::string> rows(ui::Window view) {
        std::vector<std::string> out;
        panel_->call([&] {
            for (int r = 0; r < ui::listViewRowCount(view); ++r) {
                std::string row;
                for (int c = 0; c < 4; ++c)
                    row += (c ? " | " : "") + ui::listViewCell(view, r, c);
                out.push_back(row);
            }
        });
        return out;
    }

    ui::Window warningWindow() { return shell::screenWindow(Screen::Warning); }
    bool warningShown() { return ui::isVisible(warningWindow()); }

    // Texts the window drew at its last paint, in drawing order.
    std::vector<std::string> drawn(ui::Window window) {
        std::vector<std::string> out;
        for (const auto& t : panel_->texts(window))
            out.push_back(t.text);
        return out;
    }

    sim::Controller controller_;
};

}  // namespace warningstest
