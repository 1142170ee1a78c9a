// A strings file, cut to its byte limit, into a string table; every entry must stay terminated
// and every stored text must convert.
#include <algorithm>
#include <cstdlib>
#include <span>
#include <vector>

#include "i18n/language.h"
#include "i18n/line_file.h"
#include "i18n/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static std::vector<i18n::TableEntry> table(i18n::kStringCount);
    const size_t used = std::min(size, i18n::kStringsFileBytes);
    const size_t stored = i18n::storeLines(std::span(data, used), table);
    if (stored > table.size()) std::abort();
    for (size_t i = 0; i < stored; ++i) {
        if (table[i][i18n::kEntryChars] != 0) std::abort();
        const std::u16string_view text(table[i].data());
        if (i18n::toUtf16(i18n::toUtf8(i18n::firstUnits(text, i18n::kStringChars))).size() >
            i18n::kStringChars) {
            std::abort();
        }
    }
    return 0;
}
