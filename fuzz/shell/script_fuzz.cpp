// The --script parser takes any bytes without crashing and keeps its actions in range.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/script.h"

namespace {

bool inRange(const shell::ScriptAction& action) {
    using Kind = shell::ScriptAction::Kind;
    if (action.x < 0 || action.x > 639 || action.y < 0 || action.y > 479 || action.ms < 0) {
        return false;
    }
    if (action.kind == Kind::Press) return action.id >= 1 && action.id <= 0xFFFF;
    if (action.kind == Kind::Expect || action.kind == Kind::ExpectNot) return !action.text.empty();
    return true;
}

void check(std::string_view text, bool withSimulator) {
    std::vector<shell::ScriptAction> actions;
    std::string error;
    if (!shell::parseScript(text, actions, error, withSimulator)) {
        if (error.rfind("line ", 0) != 0) std::abort();
        return;
    }
    for (const auto& action : actions) {
        if (!inRange(action)) std::abort();
        if (action.kind == shell::ScriptAction::Kind::Sim && !withSimulator) std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check(text, false);
    check(text, true);
    return 0;
}
