#pragma once
// What the panel-image generators share: the first problem met, which stops the build, and
// reading a source file's text.

#include <filesystem>
#include <optional>
#include <string>

namespace tools {

// Keeps the first message and returns false, so a step can `return fail(...)`.
bool fail(const std::string& message);
const std::string& firstFailure();

// A source file's text without a UTF-8 byte-order mark; a failure is kept when it cannot be read.
std::optional<std::string> readSourceText(const std::filesystem::path& path);

}  // namespace tools
