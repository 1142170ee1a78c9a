#pragma once
// The line format shared by the strings and warnings files: UTF-16 little-endian, two bytes of
// byte-order mark skipped unread, lines ended by CR LF. A CR ends the text of its line, the LF
// stores it; a last line without its LF is not stored.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace i18n {

inline constexpr size_t kEntryChars = 150;
using TableEntry = std::array<char16_t, kEntryChars + 1>;

// Stores the file's lines into entries[0], entries[1], ... (each cut to kEntryChars, the rest of
// the entry zeroed) until the bytes or the entries run out. Entries after the last stored line
// keep what they held. Returns how many lines were stored.
size_t storeLines(std::span<const uint8_t> bytes, std::span<TableEntry> entries);

// The file that storeLines reads back as `lines` (UTF-8 in, FF FE and CR LF out).
std::vector<uint8_t> encodeLineFile(const std::vector<std::string>& lines);

}  // namespace i18n
