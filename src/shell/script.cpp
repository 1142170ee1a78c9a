#include "shell/script.h"

#include <charconv>
#include <optional>

namespace shell {
namespace {

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr int kMaxMs = 86'400'000;
constexpr int kMaxControlId = 0xFFFF;

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

// A control id: decimal, or hexadecimal after "0x".
bool controlId(std::string_view word, ScriptAction& action, std::string& why) {
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        word.remove_prefix(2);
        base = 16;
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value, base);
    if (word.empty() || ec != std::errc() || end != word.data() + word.size() || value < 1 ||
        value > kMaxControlId) {
        why = "ID must be a control id from 1 to 65535 (decimal or 0x hex)";
        return false;
    }
    action.id = value;
    return true;
}

// `"TEXT" [MS]` with \" and \\ inside the quotes.
bool quotedText(std::string_view rest, ScriptAction& action, std::string& why) {
    why = "expected '\"TEXT\" [MS]' with \\\" and \\\\ as the only escapes";
    if (rest.empty() || rest.front() != '"') return false;
    size_t pos = 1;
    action.text.clear();
    for (;; ++pos) {
        if (pos >= rest.size()) return false;
        const char c = rest[pos];
        if (c == '"') break;
        if (c == '\\') {
            if (++pos >= rest.size() || (rest[pos] != '"' && rest[pos] != '\\')) return false;
        }
        action.text += rest[pos];
    }
    if (action.text.empty()) {
        why = "TEXT must not be empty";
        return false;
    }
    const std::string_view tail = trim(rest.substr(pos + 1));
    action.ms = kDefaultExpectMs;
    if (tail.empty()) return true;
    if (tail.size() == rest.size() - pos - 1) return false;  // MS must stand apart
    return duration(tail, action, why);
}

// The rest of the line after the verb, which may hold spaces.
bool restOfLine(std::string_view line, std::string_view verb, const char* form,
                ScriptAction& action, std::string& why) {
    action.text = std::string(trim(line.substr(verb.size())));
    if (action.text.empty()) why = std::string("expected '") + form + "'";
    return !action.text.empty();
}

struct LineParser {
    std::string_view line;
    std::vector<std::string_view> words;
    ScriptAction& action;
    std::string& why;

    bool count(size_t low, size_t high, const char* form) {
        if (words.size() >= low && words.size() <= high) return true;
        why = std::string("expected '") + form + "'";
        return false;
    }
    bool timing() {
        const std::string_view verb = words[0];
        if (verb == "wait") {
            action.kind = ScriptAction::Kind::Wait;
            return count(2, 2, "wait MS") && duration(words[1], action, why);
        }
        if (verb == "touch") {
            action.kind = ScriptAction::Kind::Touch;
            return count(3, 3, "touch X Y") && point(words, action, why);
        }
        action.kind = ScriptAction::Kind::Hold;
        return count(4, 4, "hold X Y MS") && point(words, action, why) &&
               duration(words[3], action, why);
    }
    bool press() {
        action.kind = ScriptAction::Kind::Press;
        return count(2, 3, "press ID [MS]") && controlId(words[1], action, why) &&
               (words.size() == 2 || duration(words[2], action, why));
    }
    bool expectation(ScriptAction::Kind kind) {
        action.kind = kind;
        return quotedText(trim(line.substr(words[0].size())), action, why);
    }
    bool checkState(ScriptAction::Kind kind, const char* form) {
        action.kind = kind;
        action.ms = kDefaultExpectMs;
        return count(2, 3, form) && controlId(words[1], action, why) &&
               (words.size() == 2 || duration(words[2], action, why));
    }
    bool file(ScriptAction::Kind kind, const char* form) {
        action.kind = kind;
        return restOfLine(line, words[0], form, action, why);
    }
};

bool parseLine(std::string_view line, bool withSimulator, ScriptAction& action, std::string& why) {
    LineParser parser{line, splitWords(line), action, why};
    const std::string_view verb = parser.words[0];
    using Kind = ScriptAction::Kind;
    if (verb == "wait" || verb == "touch" || verb == "hold") return parser.timing();
    if (verb == "press") return parser.press();
    if (verb == "expect") return parser.expectation(Kind::Expect);
    if (verb == "expect-not") return parser.expectation(Kind::ExpectNot);
    if (verb == "expect-checked") {
        return parser.checkState(Kind::ExpectChecked, "expect-checked ID [MS]");
    }
    if (verb == "expect-unchecked") {
        return parser.checkState(Kind::ExpectUnchecked, "expect-unchecked ID [MS]");
    }
    if (verb == "screenshot") return parser.file(Kind::Screenshot, "screenshot FILE");
    if (verb == "windows") return parser.file(Kind::Windows, "windows FILE");
    if (verb == "texts") return parser.file(Kind::Texts, "texts FILE");
    if (verb == "extents") return parser.file(Kind::Extents, "extents FILE");
    if (verb == "sim") {
        if (!withSimulator) {
            why = "sim needs the simulator (--simulate)";
            return false;
        }
        return parser.file(Kind::Sim, "sim LINE");
    }
    if (verb == "quit") {
        action.kind = Kind::Quit;
        return parser.count(1, 1, "quit");
    }
    why = "unknown action '" + std::string(verb) + "'";
    return false;
}

}  // namespace

bool parseScript(std::string_view text, std::vector<ScriptAction>& actions, std::string& error,
                 bool withSimulator) {
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
        if (!parseLine(line, withSimulator, action, why)) {
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
        if (run(actions_[next_++], nowMs, driver)) return;
    }
}

void ScriptRunner::pointerDownFor(int x, int y, int ms, ScriptDriver& driver) {
    driver.pointerDown(x, y);
    holding_ = true;
    holdX_ = x;
    holdY_ = y;
    dueMs_ += ms;
}

void ScriptRunner::stop(const ScriptAction& action, const std::string& why, ScriptDriver& driver) {
    next_ = actions_.size();
    failed_ = true;
    driver.fail("script line " + std::to_string(action.line) + ": " + why);
}

bool ScriptRunner::press(const ScriptAction& action, ScriptDriver& driver) {
    std::string why;
    const auto at = driver.control(action.id, why);
    if (!at) {
        stop(action, why, driver);
        return true;
    }
    if (action.ms > 0) {
        pointerDownFor(at->x, at->y, action.ms, driver);
    } else {
        driver.pointerDown(at->x, at->y);
        driver.pointerUp(at->x, at->y);
    }
    return true;
}

namespace {

// Whether the expectation holds now; otherwise what is wrong, for the failure message.
bool expectationMet(const ScriptAction& action, ScriptDriver& driver, std::string& wrong) {
    using Kind = ScriptAction::Kind;
    const std::string ms = std::to_string(action.ms) + " ms";
    if (action.kind == Kind::Expect || action.kind == Kind::ExpectNot) {
        const bool wanted = action.kind == Kind::Expect;
        wrong =
            "\"" + action.text + (wanted ? "\" not shown within " : "\" still shown after ") + ms;
        return driver.textShown(action.text) == wanted;
    }
    const bool wanted = action.kind == Kind::ExpectChecked;
    std::string why;
    const std::optional<bool> checked = driver.checked(action.id, why);
    if (!checked) {
        wrong = why;
        return false;
    }
    wrong = "control " + std::to_string(action.id) +
            (wanted ? " not checked within " : " still checked after ") + ms;
    return *checked == wanted;
}

}  // namespace

// Looks again at every poll until the expectation holds or the time is up.
bool ScriptRunner::expect(const ScriptAction& action, int64_t nowMs, ScriptDriver& driver) {
    std::string wrong;
    if (expectationMet(action, driver, wrong)) {
        expectDeadline_.reset();
        return false;
    }
    if (!expectDeadline_) expectDeadline_ = nowMs + action.ms;
    if (nowMs >= *expectDeadline_) {
        expectDeadline_.reset();
        stop(action, wrong, driver);
        return true;
    }
    --next_;
    dueMs_ = std::min(nowMs + kExpectPollMs, *expectDeadline_);
    return true;
}

bool ScriptRunner::run(const ScriptAction& action, int64_t nowMs, ScriptDriver& driver) {
    using Kind = ScriptAction::Kind;
    switch (action.kind) {
        case Kind::Wait:
            dueMs_ += action.ms;
            return false;
        case Kind::Touch:
            driver.pointerDown(action.x, action.y);
            driver.pointerUp(action.x, action.y);
            return true;
        case Kind::Hold:
            pointerDownFor(action.x, action.y, action.ms, driver);
            return true;
        case Kind::Press:
            return press(action, driver);
        case Kind::Expect:
        case Kind::ExpectNot:
        case Kind::ExpectChecked:
        case Kind::ExpectUnchecked:
            return expect(action, nowMs, driver);
        case Kind::Screenshot:
            if (!driver.screenshot(action.text)) ++failedFiles_;
            return false;
        case Kind::Windows:
            if (!driver.windows(action.text)) ++failedFiles_;
            return false;
        case Kind::Texts:
            if (!driver.texts(action.text)) ++failedFiles_;
            return false;
        case Kind::Extents:
            if (!driver.extents(action.text)) ++failedFiles_;
            return false;
        case Kind::Sim:
            driver.sim(action.text);
            return false;
        case Kind::Quit:
            next_ = actions_.size();
            driver.quit();
            return true;
    }
    return false;
}

}  // namespace shell
