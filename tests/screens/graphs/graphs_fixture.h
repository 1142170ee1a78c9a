#pragma once
// The whole display in the panel harness with the graph screens wired in, on a fresh panel root
// holding the image's language packs, an empty registry and no logs.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "logging/dryer_sample.h"
#include "logging/view_settings.h"
#include "platform/registry/registry.h"
#include "platform/ui/controls.h"
#include "platform/ui/dialog.h"
#include "platform/ui/display.h"
#include "screens/graphs/graphs.h"
#include "shell/app.h"
#include "shell/hooks.h"
#include "support/local_time.h"
#include "support/panel_fixture.h"
#include "support/temp_dir.h"

namespace graphstest {

namespace fs = std::filesystem;
namespace ui = platform::ui;
using shell::Screen;

// 2024-06-01, a Saturday, 03:08:00.
inline const platform::LocalTime kStart = testsupport::localTime(2024, 6, 1, 3, 8, 0);

// A sample whose values are all derived from `tag`, taken at `time`.
inline logging::DryerSample sampleAt(int tag, const platform::LocalTime& time) {
    logging::LogValues v;
    v.grainColumnTemp = static_cast<uint16_t>(100 + tag);
    v.grainTempIn = static_cast<int16_t>(10 * (50 + tag));
    v.moistureIn = static_cast<uint16_t>(200 + tag);
    v.grainTempOut = static_cast<int16_t>(10 * (80 + tag));
    v.moistureOut = static_cast<uint16_t>(150 + tag);
    v.meterRollSpeed = static_cast<uint8_t>(tag);
    return logging::makeDryerSample(v, time);
}

class GraphScreens : public testsupport::PanelFixture {
  protected:
    GraphScreens()
        : PanelFixture(
              {.wiring = {graphs::wireGraphScreens}, .clock = kStart, .deferHarness = true}) {
        usb_ = usb.path();
    }
    void SetUp() override {
        PanelFixture::SetUp();
        platform::registryOpen((root_.path() / "Registry.dat").string());
    }
    void TearDown() override {
        PanelFixture::TearDown();
        platform::registryOpen("");
    }

    // The display started as the program starts it, without a controller on the line.
    void start() {
        startHarness();
        PanelFixture::start();
    }

    static ui::Window screen(Screen s) { return shell::screenWindow(s); }
    static bool visible(Screen s) { return ui::isVisible(screen(s)); }

    // Runs `fn` on the UI thread; it may open a modal dialog, which is then up.
    void open(std::function<void()> fn) { panel_->post(std::move(fn)); }
    static ui::Window dialog(std::string_view title) { return ui::findWindow("#DIALOG", title); }
    // Presses a button of the topmost dialog or message box with that title.
    void press(std::string_view title, int id) {
        const ui::Window box = dialog(title);
        ASSERT_TRUE(box) << "no window titled \"" << title << "\"";
        panel_->tap(ui::childById(box, id));
    }
    void pressChild(Screen s, int id) { panel_->tap(ui::childById(screen(s), id)); }

    // The texts a window drew at its last paint.
    std::vector<std::string> textsOf(ui::Window window) {
        std::vector<std::string> out;
        for (const auto& t : panel_->texts(window))
            out.push_back(t.text);
        return out;
    }

    static std::vector<uint8_t> registryValue(std::string_view name) {
        std::vector<uint8_t> bytes;
        platform::registryRead(logging::kViewSettingsKey, name, bytes);
        return bytes;
    }

    // A log file of `count` samples one `period` apart ending at kStart, tags 1..count.
    void writeSamples(const std::string& relative, int count, int periodSeconds) const {
        std::string bytes;
        const platform::FileTime start = platform::localTimeToFileTime(kStart);
        for (int i = 1; i <= count; ++i) {
            const platform::FileTime back =
                static_cast<platform::FileTime>(count - i) * periodSeconds * 10'000'000ULL;
            const auto s = sampleAt(i, platform::fileTimeToLocalTime(start - back));
            bytes.append(reinterpret_cast<const char*>(s.bytes.data()), s.bytes.size());
        }
        root_.write("Hard Disk/" + relative, bytes);
    }

    // The USB drive.
    testsupport::TempDir usb;
};

}  // namespace graphstest
