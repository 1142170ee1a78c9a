#include "remote/access_token.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace remote {
namespace {

namespace fs = std::filesystem;
constexpr size_t kTokenChars = 32;

bool isToken(const std::string& text) {
    if (text.size() != kTokenChars) return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

std::string readToken(const std::string& file) {
    std::ifstream in(file);
    std::string text;
    std::getline(in, text);
    return isToken(text) ? text : std::string();
}

std::string newToken() {
    // std::random_device reads the kernel's random source.
    std::random_device source;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string token;
    while (token.size() < kTokenChars) {
        const unsigned bits = source();
        for (int shift = 0; shift < 32 && token.size() < kTokenChars; shift += 4)
            token += kHex[(bits >> shift) & 0xF];
    }
    return token;
}

}  // namespace

std::string loadOrCreateAccessToken(const std::string& file) {
    if (std::string token = readToken(file); !token.empty()) return token;
    const std::string token = newToken();
    const std::string temporary = file + ".new";
    std::error_code error;
    fs::remove(temporary, error);
    {
        std::ofstream out(temporary, std::ios::trunc);
        if (!out) return {};
        // Owner only, before the token goes in.
        fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::replace, error);
        if (error) return {};
        out << token << "\n";
        out.flush();
        if (!out) return {};
    }
    fs::rename(temporary, file, error);
    if (error) return {};
    return token;
}

bool sameToken(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    unsigned char difference = 0;
    for (size_t i = 0; i < a.size(); ++i)
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    return difference == 0;
}

}  // namespace remote
