#pragma once
// Timed actions against the running display (--script FILE), for demos and acceptance runs:
//   wait MS | touch X Y | hold X Y MS | press ID [MS] | expect "TEXT" [MS] |
//   expect-not "TEXT" [MS] | expect-checked ID [MS] | expect-unchecked ID [MS] |
//   screenshot FILE | windows FILE | texts FILE | extents FILE | sim LINE | quit
// One action a line; blank lines and lines starting with '#' are skipped.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/types.h"

namespace shell {

struct ScriptAction {
    enum class Kind {
        Wait,
        Touch,
        Hold,
        Press,
        Expect,
        ExpectNot,
        ExpectChecked,
        ExpectUnchecked,
        Screenshot,
        Windows,
        Texts,
        Extents,
        Sim,
        Quit
    };
    Kind kind = Kind::Wait;
    int x = 0;
    int y = 0;
    int id = 0;  // press, expect-checked, expect-unchecked: the control id
    int ms = 0;  // press: 0 for a tap
    // expect: the text looked for; sim: the command; screenshot, windows, texts, extents: the file.
    std::string text;
    int line = 0;
};

inline constexpr int kDefaultExpectMs = 2000;

// False with "line N: ..." in error at the first bad line. `sim` lines are bad lines unless the
// simulator runs in the process.
bool parseScript(std::string_view text, std::vector<ScriptAction>& actions, std::string& error,
                 bool withSimulator = false);

// What the runner does to the display.
class ScriptDriver {
  public:
    virtual ~ScriptDriver() = default;
    virtual void pointerDown(int x, int y) = 0;
    virtual void pointerUp(int x, int y) = 0;
    // The screen point at the centre of the control to press; nullopt with the reason.
    virtual std::optional<platform::gfx::Point> control(int id, std::string& why) = 0;
    // Whether a shown window drew a text containing `text` at its last paint.
    virtual bool textShown(std::string_view text) = 0;
    // Whether the check box (or radio button) with the control id that a press would reach is
    // checked; nullopt with the reason when there is none.
    virtual std::optional<bool> checked(int id, std::string& why) = 0;
    // File writers: false when the file could not be written (reported by the driver).
    virtual bool screenshot(const std::string& file) = 0;
    virtual bool windows(const std::string& file) = 0;
    virtual bool texts(const std::string& file) = 0;
    virtual bool extents(const std::string& file) = 0;
    virtual void sim(const std::string& line) = 0;
    virtual void quit() = 0;
    // A press or expectation failed: "script line N: ..."; the run ends.
    virtual void fail(const std::string& message) = 0;
};

// Plays the actions against the time base it is polled with. After each press or release the
// runner yields, so that the display takes the input in before the next action (a screenshot
// right after a touch shows its effect); it goes on at the next poll. A touch presses and
// releases together; a hold keeps the pointer down for its time. An expectation not yet met is
// looked at again every kExpectPollMs until its time is up.
class ScriptRunner {
  public:
    static constexpr int kExpectPollMs = 20;

    explicit ScriptRunner(std::vector<ScriptAction> actions) : actions_(std::move(actions)) {}

    // Starts the clock of the first action.
    void start(int64_t nowMs) { dueMs_ = nowMs; }
    // Runs the actions that are due at nowMs, up to the next press or release.
    void poll(int64_t nowMs, ScriptDriver& driver);
    bool finished() const { return next_ >= actions_.size() && !holding_; }
    // The time at which poll has something to do next; -1 when finished.
    int64_t nextDueMs() const { return finished() ? -1 : dueMs_; }
    // Screenshots and dumps that could not be written.
    int failedFiles() const { return failedFiles_; }
    bool failed() const { return failed_; }

  private:
    // True when the runner yields after the action.
    bool run(const ScriptAction& action, int64_t nowMs, ScriptDriver& driver);
    bool press(const ScriptAction& action, ScriptDriver& driver);
    bool expect(const ScriptAction& action, int64_t nowMs, ScriptDriver& driver);
    void pointerDownFor(int x, int y, int ms, ScriptDriver& driver);
    void stop(const ScriptAction& action, const std::string& why, ScriptDriver& driver);

    std::vector<ScriptAction> actions_;
    size_t next_ = 0;
    int64_t dueMs_ = 0;
    bool holding_ = false;
    int holdX_ = 0;
    int holdY_ = 0;
    int failedFiles_ = 0;
    bool failed_ = false;
    std::optional<int64_t> expectDeadline_;
};

}  // namespace shell
