// " SYSTEM INFORMATION / SOFTWARE VERSION - 32": version, clock, date and memory of the panel,
// and the access token of its web view.
#include <cstdio>
#include <string>

#include "i18n/language.h"
#include "platform/clock/clock.h"
#include "platform/files/files.h"
#include "platform/sys/sys.h"
#include "platform/ui/dialog.h"
#include "remote/access_token.h"
#include "screens/graphs/view_selection.h"

namespace graphs {
namespace ui = platform::ui;

namespace {

constexpr int kExit = 1244;
constexpr int kFirstLine = 1245;  // eight lines, 1245 to 1252
constexpr int kLineCount = 8;
constexpr int kWebTokenString = 960;
constexpr int kVersionMajor = 2;
constexpr int kVersionMinor = 9;
constexpr uint32_t kClockTimer = 1;

constexpr ui::DialogItem kItems[] = {
    {1245, ui::ControlKind::Static, "", 10, 8, 220, 12},
    {1246, ui::ControlKind::Static, "", 10, 24, 220, 12},
    {1247, ui::ControlKind::Static, "", 10, 40, 220, 12},
    {1248, ui::ControlKind::Static, "", 10, 56, 220, 12},
    {1249, ui::ControlKind::Static, "", 10, 72, 220, 12},
    {1250, ui::ControlKind::Static, "", 10, 88, 220, 12},
    {1251, ui::ControlKind::Static, "", 10, 104, 220, 12},
    {1252, ui::ControlKind::Static, "", 10, 120, 220, 12},
    {kExit, ui::ControlKind::PushButton, "EXIT", 85, 138, 70, 20},
};

std::string labelled(int string, const char* pattern, auto... values) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, i18n::GetString(string).c_str(), values...);
    return text;
}

// The web view's token as the display made it at its first start; "-" before that.
std::string webToken() {
    const auto bytes = platform::readWholeFile("\\" + std::string(remote::kTokenFileName), 64);
    if (!bytes) return "-";
    std::string token(bytes->begin(), bytes->end());
    while (!token.empty() && (token.back() == '\n' || token.back() == '\r'))
        token.pop_back();
    return token.empty() ? "-" : token;
}

void paint(ui::Window dialog) {
    ui::setWindowText(dialog, i18n::GetString(422));
    ui::setItemText(dialog, kExit, i18n::GetString(145));
    const platform::LocalTime now = platform::localNow();
    platform::MemoryStatus memory;
    platform::readMemoryStatus(memory);
    const std::string lines[] = {
        labelled(423, "%s: %d.%02d", kVersionMajor, kVersionMinor),
        platform::formatPicture(now, "h':'mm':'ss tt"),
        i18n::shownDate(now, true),
        i18n::GetString(424) + ": " + memoryFigure(memory.totalBytes),
        i18n::GetString(425) + ": " + memoryFigure(memory.availableBytes),
        i18n::GetString(426),
        i18n::GetString(kWebTokenString) + ":",
        webToken(),
    };
    for (int i = 0; i < kLineCount; ++i) {
        ui::setItemText(dialog, kFirstLine + i, lines[i]);
    }
}

ui::LResult systemInfoProc(ui::Window dialog, uint32_t message, ui::WParam wp, ui::LParam) {
    switch (message) {
        case ui::kInitDialog:
            ui::centreOnOwner(dialog, 20);
            paint(dialog);
            // The clock line keeps time while the dialog is open.
            ui::setTimer(dialog, kClockTimer, 1000);
            return 1;
        case ui::kPaint:
            paint(dialog);
            return 0;
        case ui::kTimer:
            ui::invalidate(dialog, false);
            return 1;
        case ui::kCommand:
            if (ui::commandId(wp) != kExit) return 0;
            ui::killTimer(dialog, kClockTimer);
            ui::endDialog(dialog, kExit);
            return 1;
        default:
            return 0;
    }
}

}  // namespace

std::string memoryFigure(uint64_t bytes) {
    constexpr uint64_t kMiB = uint64_t{1} << 20;
    constexpr uint64_t kGiB = uint64_t{1} << 30;
    char text[32];
    const uint64_t mib = (bytes + kMiB / 2) / kMiB;
    if (mib < 1024) {
        std::snprintf(text, sizeof text, "%llu MiB", static_cast<unsigned long long>(mib));
    } else {
        // Tenths of a GiB, rounded to the nearest.
        const uint64_t tenths = (bytes * 10 + kGiB / 2) / kGiB;
        std::snprintf(text, sizeof text, "%llu.%llu GiB",
                      static_cast<unsigned long long>(tenths / 10),
                      static_cast<unsigned long long>(tenths % 10));
    }
    return text;
}

void runSystemInfoDialog(ui::Window owner) {
    static constexpr ui::DialogTemplate kDialog{" SYSTEM INFORMATION / SOFTWARE VERSION - 32", 240,
                                                164, kItems};
    ui::runDialog(kDialog, owner, systemInfoProc);
}

}  // namespace graphs
