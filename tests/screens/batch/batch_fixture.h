#pragma once
// The display in the panel harness with the batch drying screen wired in, over the panel image's
// languages, on the manual clock; no controller on the line, so the dryer record holds what a
// test puts there. What the screen sends is read back as the controller would read the next
// command frame.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "link/dryer_state.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "screens/batch/batch.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "shell/layout.h"
#include "shell/periodic.h"
#include "support/command_records.h"
#include "support/panel_fixture.h"

namespace batchtest {

namespace ui = platform::ui;
namespace fs = std::filesystem;
namespace gfx = platform::gfx;
using shell::Screen;

using testsupport::Wire;

// Status addresses of the batch values.
inline constexpr int kDryingMode = 8;
inline constexpr int kHeatTime = 9;
inline constexpr int kHeatSet = 11;
inline constexpr int kBatchStatus13 = 13;
inline constexpr int kCoolTime = 14;
inline constexpr int kCoolSet = 16;
inline constexpr int kUnloadTime = 19;
inline constexpr int kUnloadSet = 21;
inline constexpr int kStatusFlags171 = 171;
inline constexpr int kMoistureControlMode = 187;
inline constexpr int kLoHeatTime = 252;
inline constexpr int kLoHeatSet = 254;
inline constexpr int kPlenumTempOptions = 257;

class BatchScreen : public testsupport::PanelFixture {
  protected:
    BatchScreen() : PanelFixture({.wiring = {batch::wireBatchScreen}}) {}

    // Staged batch, so that the layout shows the screen, then start-up.
    void start(uint8_t dryingMode = 1) {
        controllerSets({{kDryingMode, dryingMode}});
        PanelFixture::start();
        useScreenshotLanguage();
    }

    void controllerSetsTime(int address, uint8_t major, uint8_t minor) {
        controllerSets({{address, major}, {address + 1, minor}});
    }

    ui::Window screen() { return shell::screenWindow(Screen::BatchDrying); }
    ui::Window button(int id) { return ui::childById(screen(), id); }
    bool shown(int id) {
        bool on = false;
        panel_->call([&] { on = ui::isShown(button(id)); });
        return on;
    }

    // What the screen drew at a fresh paint, without its caption.
    std::vector<gfx::DrawnText> drawn() {
        panel_->call([&] { ui::invalidate(screen(), true); });
        panel_->waitIdle();
        std::vector<gfx::DrawnText> out;
        for (gfx::DrawnText& t : panel_->texts(screen())) {
            if (t.rect.bottom > 0) out.push_back(std::move(t));
        }
        return out;
    }
    // The text drawn in exactly `rect`; nullopt when none was.
    std::optional<gfx::DrawnText> drawnIn(const gfx::Rect& rect) {
        for (gfx::DrawnText& t : drawn()) {
            if (t.rect == rect) return t;
        }
        return std::nullopt;
    }
    std::string textIn(const gfx::Rect& rect) {
        const auto t = drawnIn(rect);
        return t ? t->text : std::string("<none>");
    }
    bool shows(std::string_view text) {
        for (const gfx::DrawnText& t : drawn()) {
            if (t.text == text) return true;
        }
        return false;
    }

    // Holds a stage button down; the test lets go.
    ui::Point centreOf(int id) {
        gfx::Rect r;
        panel_->call([&] { r = ui::screenRect(button(id)); });
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void pressButton(int id) {
        ASSERT_TRUE(shown(id)) << "button " << id;
        panel_->tap(button(id));
    }

    bool dialogDrew(ui::Window dialog, std::string_view text) {
        for (const gfx::DrawnText& t : panel_->texts(dialog)) {
            if (t.text == text) return true;
        }
        return false;
    }
    void pressInDialog(int id) {
        const ui::Window dialog = topDialog();
        ASSERT_TRUE(dialog) << "no dialog open";
        const ui::Window control = ui::childById(dialog, id);
        ASSERT_TRUE(ui::isShown(control)) << "control " << id;
        panel_->tap(control);
    }

    Wire onWire() { return testsupport::nextCommandWire(); }
};

}  // namespace batchtest
