#pragma once
// The language check: every language of the panel image against English. For each language it
// counts the strings present and missing, lists the strings whose printf placeholders differ
// from English (count, order or kind) and those identical to English (apart from a short list
// of accepted words), and counts the warning texts per table, the help files, the button bitmaps
// and the warnings' pictures and help texts. A language ships when its source folder holds a
// strings.txt; a shipped language that lacks anything English has fails the check, unless
// assets/languages/in_translation.txt lists it (then it is reported, and fails the check once
// it is complete but still listed, so that the list cannot outlive the work).

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace langcheck {

// The printf placeholders of a text in order, as written ("%d", "%02d", "%ld", "%s", "%%"). A
// percent sign that starts no conversion ("80% and") is plain text.
std::vector<std::string> placeholders(std::string_view text);

// Writes the report for every language to `out`. Returns 0 when every shipped language has all
// that English has, 1 when one lacks something, 2 when English itself cannot be read.
//   assets: the source folder (assets/), for which languages ship and the accepted list;
//   image:  the panel image folder (holding "Hard Disk/Languages").
int check(const std::filesystem::path& assets, const std::filesystem::path& image,
          std::ostream& out);

}  // namespace langcheck
