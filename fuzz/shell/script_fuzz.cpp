// The --script parser takes any bytes without crashing and keeps its actions in range.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<shell::ScriptAction> actions;
    std::string error;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!shell::parseScript(text, actions, error)) {
        if (error.rfind("line ", 0) != 0) std::abort();
        return 0;
    }
    for (const auto& action : actions) {
        if (action.x < 0 || action.x > 639 || action.y < 0 || action.y > 479 || action.ms < 0) {
            std::abort();
        }
    }
    return 0;
}
