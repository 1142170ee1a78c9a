#include "shell/script_driver.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "platform/gfx/png.h"
#include "platform/ui/controls.h"
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

// Where a text's window shows at a screen point: itself, or the parent a transparent window
// (a group box) lets through; a point that another window covers shows something else.
bool showsAt(ui::Window window, ui::Point screen) {
    const ui::Window hit = ui::windowAt(screen);
    return hit && within(window, hit);
}

// The colour a text line was drawn on: the most frequent colour of the screen inside its glyph
// box, leaving out its own glyphs, its own colour and what other windows cover there. A box
// that other windows hide wholly is read from its window's own picture; one that its glyphs fill
// is read from a ring around it.
class Backdrop {
  public:
    Backdrop() : screen_(ui::captureScreen()) {}

    platform::gfx::Color of(ui::Window window, const platform::gfx::TextLine& line,
                            const platform::gfx::FontSpec& font, platform::gfx::Color own) {
        const ui::Point at = ui::clientToScreen(window, {0, 0});
        std::vector<platform::gfx::Rect> glyphs = platform::gfx::glyphRects(line, font);
        for (platform::gfx::Rect& g : glyphs)
            g = g.offset(at.x, at.y);
        const platform::gfx::Rect box = platform::gfx::glyphBox(line, font).offset(at.x, at.y);
        for (int ring = 0; ring <= 2; ++ring) {
            const platform::gfx::Rect area = box.inflate(ring, ring);
            if (auto c = mostFrequent(area, glyphs, own, [&](ui::Point p) {
                    return showsAt(window, p) ? screen_.pixel(p.x, p.y) : 0u;
                }))
                return *c;
            // Hidden: the window's own picture, then its parents' (a transparent window has
            // nothing of its own under the text).
            for (ui::Window w = window; w; w = ui::parentOf(w)) {
                const ui::Rect r = ui::screenRect(w);
                const platform::gfx::Surface& picture = pictureOf(w);
                if (auto c = mostFrequent(area, glyphs, own, [&](ui::Point p) {
                        return picture.pixel(p.x - r.left, p.y - r.top);
                    }))
                    return *c;
                if (!(ui::windowStyle(w) & ui::kChild)) break;
            }
        }
        return own;
    }

  private:
    template <typename PixelAt>
    static std::optional<platform::gfx::Color> mostFrequent(
        const platform::gfx::Rect& area, const std::vector<platform::gfx::Rect>& glyphs,
        platform::gfx::Color own, PixelAt pixelAt) {
        std::map<uint32_t, int> counts;
        const platform::gfx::Rect inside =
            area.intersect({0, 0, ui::screenSize().width, ui::screenSize().height});
        for (int y = inside.top; y < inside.bottom; ++y) {
            for (int x = inside.left; x < inside.right; ++x) {
                const ui::Point p{x, y};
                if (std::any_of(glyphs.begin(), glyphs.end(),
                                [p](const platform::gfx::Rect& g) { return g.contains(p); }))
                    continue;
                const uint32_t argb = pixelAt(p);
                if ((argb >> 24) == 0 || (argb | 0xFF000000u) == own.argb()) continue;
                ++counts[argb | 0xFF000000u];
            }
        }
        if (counts.empty()) return std::nullopt;
        const auto best = std::max_element(counts.begin(), counts.end(),
                                           [](auto& a, auto& b) { return a.second < b.second; });
        return platform::gfx::Color::fromArgb(best->first);
    }
    const platform::gfx::Surface& pictureOf(ui::Window w) {
        auto it = pictures_.find(w.id);
        if (it == pictures_.end()) it = pictures_.emplace(w.id, ui::captureWindow(w)).first;
        return it->second;
    }

    platform::gfx::Surface screen_;
    std::map<uint32_t, platform::gfx::Surface> pictures_;
};

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

std::string listExtents() {
    paintPending();
    Backdrop backdrop;
    std::ostringstream out;
    for (ui::Window w : shownTopDown()) {
        const std::string className = escapeField(ui::windowClassName(w));
        const ui::Point at = ui::clientToScreen(w, {0, 0});
        for (const platform::gfx::DrawnText& t : ui::drawnTexts(w)) {
            const ui::Rect rect = t.rect.offset(at.x, at.y);
            const int height = platform::gfx::fontMetrics(t.font).height;
            for (const platform::gfx::TextLine& line : t.lines) {
                const ui::Rect box = platform::gfx::glyphBox(line, t.font).offset(at.x, at.y);
                out << className << '\t' << rect.left << '\t' << rect.top << '\t' << rect.width()
                    << '\t' << rect.height() << '\t' << box.left << '\t' << box.top << '\t'
                    << box.width() << '\t' << box.height() << '\t' << colorText(t.shown) << '\t'
                    << colorText(backdrop.of(w, line, t.font, t.shown)) << '\t' << height << '\t'
                    << escapeField(line.text) << '\n';
            }
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

std::optional<bool> WindowScriptDriver::checked(int id, std::string& why) {
    paintPending();
    const auto window = controlToPress(id, why);
    if (!window) return std::nullopt;
    return ui::isChecked(*window);
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

bool WindowScriptDriver::extents(const std::string& file) {
    return writeFile(file, listExtents());
}

void WindowScriptDriver::sim(const std::string& line) {
    const std::string reply = simulator_ ? simulator_(line) : std::string();
    if (reply.empty()) return;
    std::cout << reply << (reply.back() == '\n' ? "" : "\n") << std::flush;
}

}  // namespace shell
