#include "logconv/sample_csv.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "logging/sample_csv.h"

namespace logconv {
namespace {

constexpr size_t kSampleSize = 18;

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

}  // namespace

std::optional<FileStamp> stampFromLogName(std::string_view name) {
    for (std::string_view prefix : {"GRAPH_DATA_LOG_24HR", "DATA_LOG_24HR"}) {
        if (startsWithNoCase(name, prefix)) return parseStamp(name.substr(prefix.size()));
    }
    return std::nullopt;
}

std::string csvHeaderRow() {
    return logging::SampleCsvHeader() + "\r\n";
}

Conversion convertSamples(std::span<const uint8_t> bytes, const FileStamp& created) {
    Conversion out;
    out.csv = csvHeaderRow();
    int year = created.year;
    int lastMonth = created.month;
    size_t at = 0;
    for (; at + kSampleSize <= bytes.size(); at += kSampleSize) {
        logging::DryerSample sample;
        std::copy_n(bytes.data() + at, kSampleSize, sample.bytes.begin());
        if (!logging::SampleTimeValid(sample)) {
            out.bad.push_back({at, "impossible date or time"});
            continue;
        }
        if (sample.month() < lastMonth) ++year;  // the file runs over New Year
        lastMonth = sample.month();
        out.csv += logging::SampleCsvRow(sample, year) + "\r\n";
        ++out.samples;
    }
    if (at < bytes.size()) {
        out.bad.push_back(
            {at, "file cut inside a sample (" + std::to_string(bytes.size() - at) + " bytes)"});
    }
    return out;
}

}  // namespace logconv
