#include "support/panel_fixture.h"

#include <array>
#include <cstdlib>

#include "i18n/button_bitmaps.h"
#include "i18n/language.h"
#include "link/controller_link.h"
#include "link/crc.h"
#include "logging/log_ticks.h"
#include "logging/view_settings.h"
#include "platform/files/files.h"
#include "platform/ui/display.h"
#include "shell/hooks.h"
#include "support/dryer_record.h"

namespace testsupport {

namespace ui = platform::ui;

PanelFixture::PanelFixture(PanelSetup setup) : setup_(std::move(setup)) {}

void PanelFixture::SetUp() {
    const bool linked = linkImageFolders(root_, setup_.folders, setup_.links);
    platform::configureDevicePaths(root_.str(), usb_.string());
    resetDryerState();
    shell::resetShell();
    shell::clearShellHooks();
    i18n::ResetLocalization();
    logging::ResetViewSettings();
    logging::ResetLogStateForRun();
    for (const auto& wire : setup_.wiring)
        wire();
    if (!setup_.deferHarness) startHarness();
    // Fatal, so that the test is skipped; but only now, so that what a fixture does after
    // this has a harness to do it in.
    ASSERT_TRUE(linked) << "build the panel image";
}

void PanelFixture::TearDown() {
    panel_.reset();
    shell::resetShell();
    shell::clearShellHooks();
    i18n::ResetLocalization();
}

void PanelFixture::startHarness() {
    panel_ = setup_.clock ? std::make_unique<platform::backend::PanelHarness>(*setup_.clock)
                          : std::make_unique<platform::backend::PanelHarness>();
}

void PanelFixture::start(const shell::StartupSteps& steps) {
    bool started = false;
    panel_->call([&] { started = shell::initInstance(steps); });
    ASSERT_TRUE(started);
}

void PanelFixture::useScreenshotLanguage() {
    if (const char* language = std::getenv("ORVANE_SCREENSHOT_LANGUAGE")) {
        panel_->call([&] {
            i18n::SetLanguage(static_cast<i18n::LanguageId>(std::atoi(language)));
            i18n::ReloadButtonBitmaps();
        });
    }
}

void PanelFixture::receive(const std::vector<std::pair<int, uint8_t>>& bytes) {
    std::array<uint8_t, dryer::kStatusFrameSize> frame = state().status.snapshot();
    for (const auto& [offset, value] : bytes)
        frame[offset] = value;
    dryer::appendCrc(frame.data(), dryer::kStatusDataSize);
    ASSERT_TRUE(dryer::receiveStatusFrame(state(), frame.data(), frame.size()));
    ui::wakeLoop();
    panel_->waitIdle();
}

void PanelFixture::press(ui::Window parent, int id) {
    const ui::Window control = ui::childById(parent, id);
    ASSERT_TRUE(ui::isShown(control)) << "control " << id;
    panel_->tap(control);
}

bool PanelFixture::drew(ui::Window window, std::string_view text) {
    for (const auto& t : panel_->texts(window)) {
        if (t.text == text) return true;
    }
    return false;
}

void PanelFixture::screenshot(const std::string& name) {
    if (const char* dir = std::getenv("ORVANE_SCREENSHOT_DIR")) {
        panel_->screenshot(std::string(dir) + "/" + name + ".png");
    }
}

}  // namespace testsupport
