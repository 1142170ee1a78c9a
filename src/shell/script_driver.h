#pragma once
// The script runner's driver over the window system (UI thread): touches by control id, looks
// for drawn texts and writes the window and text lists. Needs the drawn-text records on
// (platform::ui::recordDrawnText).

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/ui/ui.h"
#include "shell/script.h"

namespace shell {

// A text for one tab-separated field: tab, CR, LF and backslash as \t, \r, \n, \\.
std::string escapeField(std::string_view text);

// Every shown window, from the top of the z-order down, one a line: class, control id, x, y,
// width, height (screen pixels), enabled or disabled, window text.
std::string listWindows();
// Every text the shown windows drew at their last paint, one a line: class of the window, x, y,
// width, height of its rectangle (screen pixels), #RRGGBB, text.
std::string listTexts();
// The same texts with what they cover, one a line per drawn line: class, x, y, width, height of
// the rectangle, x, y, width, height of the box the line's glyphs ink (before clipping), #RRGGBB
// of the text, #RRGGBB of what it was drawn on, font height in pixels, the line's text.
std::string listExtents();

// The shown, enabled window with the control id that a touch reaches, highest on the screen
// first: inside the innermost modal dialog while one runs, else in z-order from the top.
std::optional<platform::ui::Window> controlToPress(int id, std::string& why);

class WindowScriptDriver : public ScriptDriver {
  public:
    // `finish` ends the run with its exit code (0 at quit, 3 after a failure with its message);
    // `simulator` takes sim lines and returns the reply (may be empty when there are none).
    using Finish = std::function<void(int code, const std::string& message)>;
    using Simulator = std::function<std::string(std::string_view line)>;
    WindowScriptDriver(Finish finish, Simulator simulator)
        : finish_(std::move(finish)), simulator_(std::move(simulator)) {}

    void pointerDown(int x, int y) override;
    void pointerUp(int x, int y) override;
    std::optional<platform::gfx::Point> control(int id, std::string& why) override;
    bool textShown(std::string_view text) override;
    std::optional<bool> checked(int id, std::string& why) override;
    bool screenshot(const std::string& file) override;
    bool windows(const std::string& file) override;
    bool texts(const std::string& file) override;
    bool extents(const std::string& file) override;
    void sim(const std::string& line) override;
    void quit() override { finish_(0, {}); }
    void fail(const std::string& message) override { finish_(3, message); }

  private:
    Finish finish_;
    Simulator simulator_;
};

}  // namespace shell
