// The operator's guide as the manual viewer reads it from the panel's disk.
#include <cstdlib>
#include <span>

#include "i18n/manual.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto manual = i18n::parseManual(std::span(data, size));
    if (!manual) return 0;
    if (manual->pages.empty() || manual->pages.size() > i18n::kManualPages) std::abort();
    for (const auto& page : manual->pages) {
        if (page.heading.empty() || page.heading.find('\n') != std::string::npos) std::abort();
        for (const auto& paragraph : page.paragraphs) {
            if (paragraph.size() > i18n::kManualLineBytes) std::abort();
            if (paragraph.find_first_of("\r\n") != std::string::npos) std::abort();
        }
        if (!page.paragraphs.empty() && page.paragraphs.back().empty()) std::abort();
    }
    return 0;
}
