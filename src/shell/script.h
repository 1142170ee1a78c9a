#pragma once
// Timed actions against the running display (--script FILE), for demos and acceptance runs:
//   wait MS | touch X Y | hold X Y MS | screenshot FILE | quit
// One action a line; blank lines and lines starting with '#' are skipped.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace shell {

struct ScriptAction {
    enum class Kind { Wait, Touch, Hold, Screenshot, Quit };
    Kind kind = Kind::Wait;
    int x = 0;
    int y = 0;
    int ms = 0;
    std::string file;
    int line = 0;
};

// False with "line N: ..." in error at the first bad line.
bool parseScript(std::string_view text, std::vector<ScriptAction>& actions, std::string& error);

// What the runner does to the display.
class ScriptDriver {
  public:
    virtual ~ScriptDriver() = default;
    virtual void pointerDown(int x, int y) = 0;
    virtual void pointerUp(int x, int y) = 0;
    virtual bool screenshot(const std::string& file) = 0;
    virtual void quit() = 0;
};

// Plays the actions against the time base it is polled with. After each press or release the
// runner yields, so that the display takes the input in before the next action (a screenshot
// right after a touch shows its effect); it goes on at the next poll. A touch presses and
// releases together; a hold keeps the pointer down for its time.
class ScriptRunner {
  public:
    explicit ScriptRunner(std::vector<ScriptAction> actions) : actions_(std::move(actions)) {}

    // Starts the clock of the first action.
    void start(int64_t nowMs) { dueMs_ = nowMs; }
    // Runs the actions that are due at nowMs, up to the next press or release.
    void poll(int64_t nowMs, ScriptDriver& driver);
    bool finished() const { return next_ >= actions_.size() && !holding_; }
    // The time at which poll has something to do next; -1 when finished.
    int64_t nextDueMs() const { return finished() ? -1 : dueMs_; }
    int failedScreenshots() const { return failedScreenshots_; }

  private:
    // True when the runner yields after the action.
    bool run(const ScriptAction& action, ScriptDriver& driver);

    std::vector<ScriptAction> actions_;
    size_t next_ = 0;
    int64_t dueMs_ = 0;
    bool holding_ = false;
    int holdX_ = 0;
    int holdY_ = 0;
    int failedScreenshots_ = 0;
};

}  // namespace shell
