// Warning help texts and help files as the help dialogs read them.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "i18n/resources.h"
#include "i18n/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + std::min(size, i18n::kWarningHelpBytes));
    for (const auto& line : i18n::parseWarningHelpText(bytes)) {
        if (line.find('\n') != std::string::npos) std::abort();
    }
    const std::vector<uint8_t> help(data, data + std::min(size, i18n::kLongHelpFileBytes));
    if (i18n::charCount(i18n::helpFileText(help)) > i18n::kLongHelpFileBytes / 2) std::abort();
    return 0;
}
