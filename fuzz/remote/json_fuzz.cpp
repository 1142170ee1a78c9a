// Warning texts, help lines and history records come from files and the controller: whatever
// bytes they hold, the JSON string made of them is valid UTF-8 with no raw control character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "remote/json.h"

namespace {

bool validUtf8WithoutControls(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) return false;
        size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        if (c >= 0x80 && (c < 0xC2 || c > 0xF4)) return false;
        if (i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string json = remote::jsonString(input);
    if (json.size() < 2 || json.front() != '"' || json.back() != '"') std::abort();
    if (!validUtf8WithoutControls(json)) std::abort();
    // No unescaped quote inside.
    for (size_t i = 1; i + 1 < json.size(); ++i) {
        if (json[i] == '\\') {
            ++i;
        } else if (json[i] == '"') {
            std::abort();
        }
    }
    return 0;
}
