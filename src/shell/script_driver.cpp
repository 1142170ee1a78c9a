#include "shell/script_driver.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/gfx/png.h"
#include "platform/ui/display.h"

namespace shell {
namespace ui = platform::ui;

namespace {

// Paints what waits for it, so that the drawn texts are those of the screen as it stands.
void paintPending() {
    for (ui::Window window : ui::allWindows())
        ui::updateWindow(window);
}

// Shown windows from the top of the z-order down: children above their parents, later
// siblings above earlier ones, the topmost band above the rest.
std::vector<ui::Window> shownTopDown() {
    std::vector<ui::Window> windows = ui::allWindows();
    std::reverse(windows.begin(), windows.end());
    std::erase_if(windows, [](ui::Window w) { return !ui::isShown(w); });
    return windows;
}

bool within(ui::Window window, ui::Window ancestor) {
    for (ui::Window w = window; w; w = ui::parentOf(w)) {
        if (w == ancestor) return true;
    }
    return false;
}

std::string hexId(int id) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", id);
    return std::to_string(id) + " (" + text + ")";
}

std::string colorText(platform::gfx::Color c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
    return text;
}

bool writeFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    out.close();
    if (out) return true;
    std::cerr << "orvane-display: cannot write " << path << "\n";
    return false;
}

}  // namespace

std::string escapeField(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string listWindows() {
    paintPending();
    std::ostringstream out;
    for (ui::Window w : shownTopDown()) {
        const ui::Rect r = ui::screenRect(w);
        out << escapeField(ui::windowClassName(w)) << '\t' << ui::windowId(w) << '\t' << r.left
            << '\t' << r.top << '\t' << r.width() << '\t' << r.height() << '\t'
            << (ui::isEnabled(w) ? "enabled" : "disabled") << '\t' << escapeField(ui::windowText(w))
            << '\n';
    }
    return out.str();
}

std::string listTexts() {
    paintPending();
    std::ostringstream out;
    for (ui::Window w : shownTopDown()) {
        const std::string className = escapeField(ui::windowClassName(w));
        for (const platform::gfx::DrawnText& t : ui::drawnTexts(w)) {
            const ui::Point at = ui::clientToScreen(w, {t.rect.left, t.rect.top});
            out << className << '\t' << at.x << '\t' << at.y << '\t' << t.rect.width() << '\t'
                << t.rect.height() << '\t' << colorText(t.color) << '\t' << escapeField(t.text)
                << '\n';
        }
    }
    return out.str();
}

std::optional<ui::Window> controlToPress(int id, std::string& why) {
    const ui::Window modal = ui::innermostModal();
    std::vector<ui::Window> matches = shownTopDown();
    std::erase_if(matches, [id](ui::Window w) { return ui::windowId(w) != id; });
    // The dialog's own controls first; outside it a touch would not reach them.
    std::stable_partition(matches.begin(), matches.end(),
                          [modal](ui::Window w) { return modal && within(w, modal); });
    why = "no shown window has the control id " + hexId(id);
    for (ui::Window w : matches) {
        if (modal && !within(w, modal)) {
            why = "control " + hexId(id) + " lies outside the open dialog";
            break;
        }
        if (!ui::isEnabled(w)) {
            why = "control " + hexId(id) + " is disabled";
            continue;
        }
        const ui::Rect r = ui::screenRect(w);
        if (!within(ui::windowAt({r.left + r.width() / 2, r.top + r.height() / 2}), w)) {
            why = "control " + hexId(id) + " is covered at its centre";
            continue;
        }
        return w;
    }
    return std::nullopt;
}

void WindowScriptDriver::pointerDown(int x, int y) {
    ui::injectInput({ui::InputEvent::Kind::PointerDown, {x, y}});
}

void WindowScriptDriver::pointerUp(int x, int y) {
    ui::injectInput({ui::InputEvent::Kind::PointerUp, {x, y}});
}

std::optional<platform::gfx::Point> WindowScriptDriver::control(int id, std::string& why) {
    const auto window = controlToPress(id, why);
    if (!window) return std::nullopt;
    const ui::Rect r = ui::screenRect(*window);
    return platform::gfx::Point{r.left + r.width() / 2, r.top + r.height() / 2};
}

bool WindowScriptDriver::textShown(std::string_view text) {
    paintPending();
    for (ui::Window w : shownTopDown()) {
        for (const platform::gfx::DrawnText& t : ui::drawnTexts(w)) {
            if (t.text.find(text) != std::string::npos) return true;
        }
    }
    return false;
}

bool WindowScriptDriver::screenshot(const std::string& file) {
    paintPending();
    if (platform::gfx::writePng(ui::captureScreen(), file)) return true;
    std::cerr << "orvane-display: cannot write the screenshot " << file << "\n";
    return false;
}

bool WindowScriptDriver::windows(const std::string& file) {
    return writeFile(file, listWindows());
}

bool WindowScriptDriver::texts(const std::string& file) {
    return writeFile(file, listTexts());
}

void WindowScriptDriver::sim(const std::string& line) {
    const std::string reply = simulator_ ? simulator_(line) : std::string();
    if (reply.empty()) return;
    std::cout << reply << (reply.back() == '\n' ? "" : "\n") << std::flush;
}

}  // namespace shell
