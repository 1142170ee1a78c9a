#pragma once
// The operator's guide of the VIEW selection's manual button: one UTF-8 text file per language,
// "Languages\<code>\Manual.txt" in the panel image, built from assets/languages/<code>/manual.txt.
//
// Format: pages are separated by a line holding only "---". A page's first non-blank line is its
// heading; each later line is one paragraph (the viewer wraps it; one starting with "- " is an
// item of a list), a blank line a gap. Lines may
// end in LF or CR LF; a leading byte-order mark is skipped. Lines starting with "#" before the
// first page are notes for the writer and are not shown.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace i18n {

inline constexpr size_t kManualBytes = 65536;
inline constexpr size_t kManualPages = 64;
inline constexpr size_t kManualLineBytes = 600;
inline constexpr const char* kManualFileName = "Manual.txt";

struct ManualPage {
    std::string heading;
    std::vector<std::string> paragraphs;  // an empty one is a gap
};

struct Manual {
    std::vector<ManualPage> pages;
};

// The guide in `bytes`, or nullopt when it is not a guide: more than kManualBytes, not UTF-8,
// a control character other than TAB, a line longer than kManualLineBytes, more than
// kManualPages pages, or no page with a heading.
std::optional<Manual> parseManual(std::span<const uint8_t> bytes);

// The guide of the current language, else the English one; nullopt when neither reads as one.
std::optional<Manual> ReadManual();

}  // namespace i18n
