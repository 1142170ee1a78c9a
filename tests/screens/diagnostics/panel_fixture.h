#pragma once
// The diagnostics pages in the panel harness over the panel image's language packs and program
// bitmaps, with the display's side of the line read back as the controller would see it.

#include <string>
#include <vector>

#include "i18n/language.h"
#include "link/controller_link.h"
#include "link/dryer_state.h"
#include "platform/serial/serial.h"
#include "platform/ui/dialog.h"
#include "sim/frames.h"
#include "support/panel_fixture.h"
#include "support/pty_line.h"

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
        const std::vector<uint8_t> bytes = testsupport::bytesAfterCycle(pair_, link_, before + 1);
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

class DiagnosticsPanel : public testsupport::PanelFixture {
  protected:
    DiagnosticsPanel() : PanelFixture({.folders = {"Languages", "Program"}}) {}

    // A stand-in for the setup menu, the window the diagnostics dialog opens over.
    void makeOwner() {
        panel_->call([this] {
            ui::registerClass({"SETUP_SELECTION_WINDOW", ui::defaultProc});
            owner_ =
                ui::createWindow("SETUP_SELECTION_WINDOW", "SETUP", ui::kVisible, {0, 0, 640, 475});
        });
    }

    void tapItem(ui::Window dialog, int id) { panel_->tap(ui::dialogItem(dialog, id)); }

    ui::Window owner_;
};

}  // namespace diagnostics::testing
