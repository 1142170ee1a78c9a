#pragma once
// The graph data log and the short-term log as CSV: one row per 18-byte sample with its real
// date and time. A sample holds no year: it comes from the creation stamp in the file's name,
// and moves on by one where the months run over a new year.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace logconv {

struct FileStamp {
    int year = 0;  // four digits
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "GRAPH_DATA_LOG_24HR21_09_10_19_12_57.DAT" or "DATA_LOG_24HR..." (any case): its stamp.
std::optional<FileStamp> stampFromLogName(std::string_view fileName);

struct BadSpot {
    size_t offset = 0;
    std::string why;
};

struct Conversion {
    std::string csv;  // the header row and one row per good sample
    size_t samples = 0;
    std::vector<BadSpot> bad;  // samples skipped, and a torn tail
};

std::string csvHeaderRow();

// Converts a whole log file held in memory.
Conversion convertSamples(std::span<const uint8_t> bytes, const FileStamp& created);

}  // namespace logconv
