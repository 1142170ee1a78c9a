// A warnings file into a warning table, then the two-line split the warning window applies.
#include <algorithm>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "i18n/language.h"
#include "i18n/line_file.h"
#include "i18n/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<i18n::TableEntry> table(i18n::kWarningCount);
    const size_t used = std::min(size, i18n::kWarningsFileBytes);
    const size_t stored = i18n::storeLines(std::span(data, used), table);
    for (size_t i = 0; i < stored; ++i) {
        std::string text = i18n::toUtf8(i18n::firstUnits(table[i].data(), i18n::kWarningChars));
        std::string first, second;
        i18n::SplitTextInTwo(text, first, second, 99);
        if (i18n::charCount(first) > 99 || i18n::charCount(second) >= 99) std::abort();
    }
    return 0;
}
