#include "shell/script.h"

#include <charconv>
#include <optional>

namespace shell {
namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kMaxMs = 86'400'000;

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> splitWords(std::string_view text) {
    std::vector<std::string_view> words;
    size_t pos = 0;
    while (true) {
        pos = text.find_first_not_of(" \t", pos);
        if (pos == std::string_view::npos) break;
        const size_t end = text.find_first_of(" \t", pos);
        words.push_back(text.substr(pos, end == std::string_view::npos ? end : end - pos));
        if (end == std::string_view::npos) break;
        pos = end;
    }
    return words;
}

std::optional<int> number(std::string_view word, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (ec != std::errc() || end != word.data() + word.size() || value < 0 || value > high) {
        return std::nullopt;
    }
    return value;
}

// Reads "X Y" from words[1] and words[2] into the action.
bool point(const std::vector<std::string_view>& words, ScriptAction& action, std::string& why) {
    const auto x = number(words[1], kScreenWidth - 1);
    const auto y = number(words[2], kScreenHeight - 1);
    if (!x || !y) {
        why = "X must be 0 to 639 and Y 0 to 479";
        return false;
    }
    action.x = *x;
    action.y = *y;
    return true;
}

bool duration(std::string_view word, ScriptAction& action, std::string& why) {
    const auto ms = number(word, kMaxMs);
    if (!ms) {
        why = "MS must be a whole number of milliseconds from 0 to 86400000";
        return false;
    }
    action.ms = *ms;
    return true;
}

bool parseLine(std::string_view line, ScriptAction& action, std::string& why) {
    const auto words = splitWords(line);
    const std::string_view verb = words[0];
    const size_t count = words.size();
    auto expect = [&](size_t wanted, const char* form) {
        if (count == wanted) return true;
        why = std::string("expected '") + form + "'";
        return false;
    };
    if (verb == "wait") {
        action.kind = ScriptAction::Kind::Wait;
        return expect(2, "wait MS") && duration(words[1], action, why);
    }
    if (verb == "touch") {
        action.kind = ScriptAction::Kind::Touch;
        return expect(3, "touch X Y") && point(words, action, why);
    }
    if (verb == "hold") {
        action.kind = ScriptAction::Kind::Hold;
        return expect(4, "hold X Y MS") && point(words, action, why) &&
               duration(words[3], action, why);
    }
    if (verb == "screenshot") {
        action.kind = ScriptAction::Kind::Screenshot;
        // The file name is the rest of the line, so it may hold spaces.
        action.file = std::string(trim(line.substr(verb.size())));
        if (action.file.empty()) why = "expected 'screenshot FILE'";
        return !action.file.empty();
    }
    if (verb == "quit") {
        action.kind = ScriptAction::Kind::Quit;
        return expect(1, "quit");
    }
    why = "unknown action '" + std::string(verb) + "'";
    return false;
}

}  // namespace

bool parseScript(std::string_view text, std::vector<ScriptAction>& actions, std::string& error) {
    actions.clear();
    int lineNumber = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        const size_t end = std::min(text.find('\n', pos), text.size());
        const std::string_view line = trim(text.substr(pos, end - pos));
        ++lineNumber;
        pos = end + 1;
        if (line.empty() || line.front() == '#') continue;
        ScriptAction action;
        action.line = lineNumber;
        std::string why;
        if (!parseLine(line, action, why)) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        }
        actions.push_back(std::move(action));
    }
    return true;
}

void ScriptRunner::poll(int64_t nowMs, ScriptDriver& driver) {
    while (nowMs >= dueMs_) {
        if (holding_) {
            holding_ = false;
            driver.pointerUp(holdX_, holdY_);
            return;
        }
        if (next_ >= actions_.size()) return;
        if (run(actions_[next_++], driver)) return;
    }
}

bool ScriptRunner::run(const ScriptAction& action, ScriptDriver& driver) {
    switch (action.kind) {
        case ScriptAction::Kind::Wait:
            dueMs_ += action.ms;
            return false;
        case ScriptAction::Kind::Touch:
            driver.pointerDown(action.x, action.y);
            driver.pointerUp(action.x, action.y);
            return true;
        case ScriptAction::Kind::Hold:
            driver.pointerDown(action.x, action.y);
            holding_ = true;
            holdX_ = action.x;
            holdY_ = action.y;
            dueMs_ += action.ms;
            return true;
        case ScriptAction::Kind::Screenshot:
            if (!driver.screenshot(action.file)) ++failedScreenshots_;
            return false;
        case ScriptAction::Kind::Quit:
            next_ = actions_.size();
            driver.quit();
            return true;
    }
    return false;
}

}  // namespace shell
