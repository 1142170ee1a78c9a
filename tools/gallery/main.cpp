// orvane-gallery: shows every control kind, the drawing primitives, a dialog and every kind of
// message box, in an SDL window or headless.
//
//   orvane-gallery [--scale N] [--fullscreen]       a window (headless when there is no display)
//   orvane-gallery --headless --screenshot DIR      one 640 x 480 PNG per page into DIR
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "gallery.h"
#include "platform/backend/headless/headless.h"
#include "platform/backend/headless/panel_harness.h"
#include "platform/backend/sdl/sdl.h"
#include "platform/ui/dialog.h"
#include "platform/ui/display.h"

namespace {

using namespace platform;

struct Options {
    bool headless = false;
    std::string screenshotDir;
    backend::SdlOptions sdl;
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--fullscreen") {
            options.sdl.fullscreen = true;
        } else if (arg == "--screenshot" && hasValue) {
            options.screenshotDir = argv[++i];
        } else if (arg == "--scale" && hasValue) {
            options.sdl.scale = std::atoi(argv[++i]);
            if (options.sdl.scale < 1 || options.sdl.scale > 8) return false;
        } else {
            return false;
        }
    }
    return true;
}

std::string shotName(const std::string& dir, int number, const std::string& name) {
    char file[128];
    std::snprintf(file, sizeof file, "page-%02d-%s.png", number, name.c_str());
    return (std::filesystem::path(dir) / file).string();
}

// Opens a modal window with `open`, photographs it, then presses the button labelled `close`.
bool shootModal(backend::PanelHarness& panel, const std::string& path, std::function<void()> open,
                const char* close) {
    panel.post(std::move(open));
    const bool ok = panel.screenshot(path);
    const auto button = panel.findText(close);
    if (button) panel.tap(button->window);
    return ok && button.has_value();
}

int screenshots(const std::string& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    backend::PanelHarness panel;
    panel.call(gallery::build);
    int number = 0;
    bool ok = true;
    for (size_t i = 0; i < gallery::pages().size(); ++i) {
        panel.call([i] { gallery::showPage(i); });
        ok = panel.screenshot(shotName(dir, ++number, gallery::pages()[i].name)) && ok;
    }
    const ui::Window dialogs = gallery::pages().back().window;
    ok = shootModal(
             panel, shotName(dir, ++number, "dialog"),
             [dialogs] { gallery::openKeypadDialog(dialogs); }, "CANCEL") &&
         ok;
    for (const auto& kind : gallery::messageBoxKinds()) {
        std::string name = std::string("message-box-") + kind.name;
        std::erase(name, ' ');
        for (char& c : name)
            c = c == '/' ? '-' : static_cast<char>(std::tolower(c));
        const unsigned buttons = kind.flags & ui::kMbButtonsMask;
        const char* close = buttons == ui::kMbOk ? "OK" : buttons == ui::kMbYesNo ? "No" : "Cancel";
        ok = shootModal(
                 panel, shotName(dir, ++number, name),
                 [dialogs, &kind] { gallery::openMessageBox(dialogs, kind); }, close) &&
             ok;
    }
    if (!ok)
        std::fprintf(stderr, "orvane-gallery: could not write every screenshot into %s\n",
                     dir.c_str());
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(
            stderr,
            "usage: orvane-gallery [--scale N] [--fullscreen] | --headless [--screenshot DIR]\n");
        return 2;
    }
    if (!options.screenshotDir.empty()) return screenshots(options.screenshotDir);
    std::unique_ptr<ui::Backend> display;
    if (!options.headless) {
        std::string error;
        options.sdl.title = "orvane-gallery";
        display = backend::makeSdlBackend(options.sdl, error);
        if (!display) std::fprintf(stderr, "orvane-gallery: %s; running headless\n", error.c_str());
    }
    const bool headless = !display;
    ui::startDisplay(display ? std::move(display) : backend::makeHeadlessBackend());
    gallery::build();
    // Headless without screenshots: compose the first page once and stop.
    if (headless) {
        ui::captureScreen();
        ui::stopDisplay();
        return 0;
    }
    const int code = ui::runMessageLoop();
    ui::stopDisplay();
    return code;
}
