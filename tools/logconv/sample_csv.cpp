#include "logconv/sample_csv.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace logconv {
namespace {

constexpr size_t kSampleSize = 18;

int word(const uint8_t* p) {
    return p[0] << 8 | p[1];
}

std::string tenths(int value) {
    char text[16];
    const int magnitude = std::abs(value);
    std::snprintf(text, sizeof text, "%s%d.%d", value < 0 ? "-" : "", magnitude / 10,
                  magnitude % 10);
    return text;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

// "yy_MM_dd_HH_mm_ss.DAT"
std::optional<FileStamp> parseStamp(std::string_view s) {
    if (s.size() != 21 || !startsWithNoCase(s.substr(17), ".DAT")) return std::nullopt;
    int parts[6];
    for (int i = 0; i < 6; ++i) {
        const char a = s[i * 3];
        const char b = s[i * 3 + 1];
        if (!std::isdigit(static_cast<unsigned char>(a)) ||
            !std::isdigit(static_cast<unsigned char>(b)) || (i < 5 && s[i * 3 + 2] != '_'))
            return std::nullopt;
        parts[i] = (a - '0') * 10 + (b - '0');
    }
    FileStamp stamp{2000 + parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]};
    if (stamp.month < 1 || stamp.month > 12 || stamp.day < 1 || stamp.day > 31) return std::nullopt;
    return stamp;
}

// Why a sample cannot be a real one, or null.
const char* badTime(const uint8_t* s) {
    if (s[13] > 23 || s[14] > 59 || s[15] > 59) return "time of day out of range";
    if (s[16] < 1 || s[16] > 12 || s[17] < 1 || s[17] > 31) return "date out of range";
    return nullptr;
}

std::string row(const uint8_t* s, int year) {
    char text[160];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d,%d,%s,%s,%s,%s,%d\r\n", year,
                  s[16], s[17], s[13], s[14], s[15], word(s),
                  tenths(static_cast<int16_t>(word(s + 2))).c_str(), tenths(word(s + 4)).c_str(),
                  tenths(static_cast<int16_t>(word(s + 6))).c_str(), tenths(word(s + 8)).c_str(),
                  word(s + 10));
    return text;
}

}  // namespace

std::optional<FileStamp> stampFromLogName(std::string_view name) {
    for (std::string_view prefix : {"GRAPH_DATA_LOG_24HR", "DATA_LOG_24HR"}) {
        if (startsWithNoCase(name, prefix)) return parseStamp(name.substr(prefix.size()));
    }
    return std::nullopt;
}

std::string csvHeaderRow() {
    return "Date Time,Grain Column Temp (F),Grain Temp In (F),Moist In (%),Grain Temp Out (F),"
           "Moist Out (%),MR Speed (%)\r\n";
}

Conversion convertSamples(std::span<const uint8_t> bytes, const FileStamp& created) {
    Conversion out;
    out.csv = csvHeaderRow();
    int year = created.year;
    int lastMonth = created.month;
    size_t at = 0;
    for (; at + kSampleSize <= bytes.size(); at += kSampleSize) {
        const uint8_t* s = bytes.data() + at;
        if (const char* why = badTime(s)) {
            out.bad.push_back({at, why});
            continue;
        }
        if (s[16] < lastMonth) ++year;  // the file runs over New Year
        lastMonth = s[16];
        out.csv += row(s, year);
        ++out.samples;
    }
    if (at < bytes.size()) {
        out.bad.push_back(
            {at, "file cut inside a sample (" + std::to_string(bytes.size() - at) + " bytes)"});
    }
    return out;
}

}  // namespace logconv
