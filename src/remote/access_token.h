#pragma once
// The remote view's access token: made once, at the first start, into a file of the panel root
// that only the display's user may read, and read back at every later start.

#include <string>
#include <string_view>

namespace remote {

inline constexpr std::string_view kTokenFileName = "web-token";

// The token kept in `file`, made there first when the file is missing or holds no token. Empty
// when the file can neither be read nor written.
std::string loadOrCreateAccessToken(const std::string& file);

// Compares in time that does not depend on where the texts differ.
bool sameToken(std::string_view a, std::string_view b);

}  // namespace remote
