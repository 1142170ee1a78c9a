#pragma once
// Breaking the explanatory texts of the setpoint screens into short lines.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace setpoints {

// The first `maxLines` lines of `text` (UTF-8), each at most `width` characters, broken at the
// last space that fits; the spaces at a break are dropped. A word longer than a line is broken
// inside it at the line's length.
std::vector<std::string> wrapWords(std::string_view text, size_t width, size_t maxLines);

}  // namespace setpoints
