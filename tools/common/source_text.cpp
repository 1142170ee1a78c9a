#include "tools/common/source_text.h"

#include <fstream>
#include <iterator>

namespace tools {
namespace {

std::string gFailure;

}  // namespace

bool fail(const std::string& message) {
    if (gFailure.empty()) gFailure = message;
    return false;
}

const std::string& firstFailure() {
    return gFailure;
}

std::optional<std::string> readSourceText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        fail(path.string() + ": cannot be read");
        return std::nullopt;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.starts_with("\xEF\xBB\xBF")) text.erase(0, 3);
    return text;
}

}  // namespace tools
