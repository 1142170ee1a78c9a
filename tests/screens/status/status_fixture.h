#pragma once
// The shell with the status screens, running in the panel harness on the manual clock, over the
// panel image's language files and program bitmaps. Tests set the dryer's values directly and
// read back what the screens drew.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "platform/ui/display.h"
#include "platform/ui/ui.h"
#include "screens/status/status_screens.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "shell/periodic.h"
#include "support/panel_fixture.h"

namespace statustest {

namespace gfx = platform::gfx;
namespace ui = platform::ui;
using shell::Screen;

// Colours the screens use, for read-back.
inline constexpr gfx::Color kRed = gfx::rgb(255, 0, 0);
inline constexpr gfx::Color kGreen = gfx::rgb(0, 255, 0);
inline constexpr gfx::Color kYellow = gfx::rgb(255, 255, 0);
inline constexpr gfx::Color kBlue = gfx::rgb(0, 0, 255);
inline constexpr gfx::Color kWhite = gfx::rgb(255, 255, 255);
inline constexpr gfx::Color kBlack = gfx::rgb(0, 0, 0);

class StatusScreens : public testsupport::PanelFixture {
  protected:
    StatusScreens()
        : PanelFixture({.folders = {"Languages", "Program"},
                        .wiring = {status::resetStatusScreens, status::wireStatusScreens},
                        .clock = platform::LocalTime{2024, 6, 6, 1, 3, 8, 0, 0}}) {}
    void SetUp() override {
        PanelFixture::SetUp();
        start();
    }

    dryer::ParameterImage& status() { return dryer::dryerState().status; }
    ui::Window window(Screen screen) { return shell::screenWindow(screen); }

    // UI-thread state of the ticks: blink phases and animation frames.
    void ticks(const std::function<void(shell::PeriodicState&)>& change) {
        panel_->call([&] { change(shell::periodic()); });
    }
    void blink(bool shown) {
        ticks([shown](shell::PeriodicState& p) {
            p.alertBlinkFlags = shown ? (p.alertBlinkFlags | shell::kBlinkCaption)
                                      : (p.alertBlinkFlags & ~shell::kBlinkCaption);
        });
    }
    void german() {
        panel_->call([] { i18n::SetLanguage(i18n::kGerman); });
    }

    // Repaints the screen (and its children) and waits until it has drawn.
    void repaint(Screen screen) {
        const ui::Window w = window(screen);
        const std::vector<ui::Window> windows = family(w);
        panel_->call([&] {
            for (ui::Window each : windows)
                ui::invalidate(each, true);
        });
        panel_->waitIdle();
    }

    // The window and its child controls.
    std::vector<ui::Window> family(ui::Window w) {
        std::vector<ui::Window> out{w};
        panel_->call([&] {
            for (ui::Window each : ui::allWindows()) {
                if (ui::parentOf(each) == w) out.push_back(each);
            }
        });
        return out;
    }
    // The caption bar's text is recorded too, above the client area.
    static bool isCaption(const gfx::DrawnText& t) { return t.rect.bottom <= 0; }
    // What the screen and its child controls drew at their last paints, after a repaint.
    std::vector<gfx::DrawnText> texts(Screen screen) {
        repaint(screen);
        std::vector<gfx::DrawnText> out;
        for (ui::Window each : family(window(screen))) {
            for (gfx::DrawnText& t : panel_->texts(each)) {
                if (!isCaption(t)) out.push_back(std::move(t));
            }
        }
        return out;
    }
    // The one text drawn by the screen, as the right status bar draws it.
    std::optional<gfx::DrawnText> only(Screen screen) {
        const auto drawn = texts(screen);
        if (drawn.size() != 1) return std::nullopt;
        return drawn.front();
    }
    std::optional<gfx::DrawnText> find(Screen screen, std::string_view text) {
        for (const gfx::DrawnText& t : texts(screen)) {
            if (t.text == text) return t;
        }
        return std::nullopt;
    }
    bool shows(Screen screen, std::string_view text) { return find(screen, text).has_value(); }
    std::vector<std::string> textList(Screen screen) {
        std::vector<std::string> out;
        for (const gfx::DrawnText& t : texts(screen))
            out.push_back(t.text);
        return out;
    }
};

}  // namespace statustest
