#pragma once
// The display with its auto-start screens in the panel harness, on the built panel image's
// language files, optionally with the simulated controller on the other end of the line.

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "link/controller_link.h"
#include "link/dryer_state.h"
#include "platform/serial/serial.h"
#include "platform/ui/dialog.h"
#include "platform/ui/display.h"
#include "screens/autostart/autostart.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "sim/simulator.h"
#include "support/panel_fixture.h"

namespace autostarttest {

namespace ui = platform::ui;
namespace gfx = platform::gfx;
using shell::Screen;

class AutoStartPanel : public testsupport::PanelFixture {
  protected:
    AutoStartPanel() : PanelFixture({.wiring = {autostart::registerAutoStart}}) {}
    void TearDown() override {
        if (link_) link_->stop();
        if (simulator_) simulator_->stop();
        PanelFixture::TearDown();
    }

    // The simulated controller on a pseudo-terminal, stopped (auto-start needs a dryer at
    // rest), its frames traced.
    void startWithController() {
        ASSERT_TRUE(platform::openPtyPair(pty_));
        simulator_ = std::make_unique<sim::Simulator>();
        simulator_->setTrace([this](const std::string& text) {
            std::lock_guard lock(traceMutex_);
            trace_ += text;
        });
        ASSERT_TRUE(simulator_->start(std::move(pty_.controller)));
        link_ = std::make_unique<dryer::ControllerLink>(dryer::dryerState());
        shell::attachControllerLink(link_.get());
        shell::StartupSteps steps;
        steps.openControllerLink = [this] { link_->openControllerLink(pty_.devicePath); };
        start(steps);
        simulator_->command("stop");
    }

    // One exchange paced by the 175 ms tick; the controller's answer is in the port afterwards
    // and is decoded by the next cycle.
    void cycle() {
        const uint64_t done = link_->completedCycles();
        const uint64_t answered = simulator_->framesAnswered();
        panel_->advance(350);
        waitFor([&] { return link_->completedCycles() > done; });
        waitFor([&] { return simulator_->framesAnswered() > answered; });
        link_->inputWaiting(1000);
        panel_->waitIdle();
    }
    void cycles(int n) {
        for (int i = 0; i < n; ++i)
            cycle();
    }

    std::string takeTrace() {
        std::lock_guard lock(traceMutex_);
        return std::exchange(trace_, {});
    }

    ui::Window screen(Screen s) { return shell::screenWindow(s); }
    bool visible(Screen s) { return ui::isVisible(screen(s)); }
    ui::Window configButton(int id) { return ui::childById(screen(Screen::AutoStartConfig), id); }

    // The top dialog or message box; an empty handle when none is open.
    ui::Window topDialog() {
        ui::Window found;
        panel_->call([&] { found = ui::findWindow("#DIALOG"); });
        return found;
    }
    void pressInDialog(int id) {
        const ui::Window dialog = topDialog();
        ASSERT_TRUE(dialog);
        panel_->tap(ui::dialogItem(dialog, id));
    }
    bool dialogShows(std::string_view text) {
        const ui::Window dialog = topDialog();
        if (!dialog) return false;
        for (const ui::Window w : ui::allWindows()) {
            if (w != dialog && ui::parentOf(w) != dialog) continue;
            if (ui::windowText(w).find(text) != std::string::npos) return true;
            for (const gfx::DrawnText& t : panel_->texts(w)) {
                if (t.text.find(text) != std::string::npos) return true;
            }
        }
        return false;
    }

    // The entry from the setup menu; the switch requirements notice comes first.
    void enterFromSetup() {
        panel_->post([this] { autostart::enterAutoStart(screen(Screen::SetupSelection)); });
    }
    void openConfiguration() {
        enterFromSetup();
        ASSERT_TRUE(dialogShows("Auto-Start Control Panel Switch Requirements"));
        pressInDialog(ui::kIdOk);
        ASSERT_TRUE(visible(Screen::AutoStartConfig));
    }

    // The colour of a screenshot at a point of a window's client area.
    gfx::Color colorAt(const gfx::Surface& shot, ui::Window window, int x, int y) {
        gfx::Point at;
        panel_->call([&] { at = ui::clientToScreen(window, {x, y}); });
        return shot.colorAt(at.x, at.y);
    }

    platform::PtyPair pty_;
    std::unique_ptr<sim::Simulator> simulator_;
    std::unique_ptr<dryer::ControllerLink> link_;
    std::mutex traceMutex_;
    std::string trace_;

  private:
    static void waitFor(const std::function<bool()>& done) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!done() && std::chrono::steady_clock::now() < until)
            std::this_thread::yield();
    }
};

}  // namespace autostarttest
