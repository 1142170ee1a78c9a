#include "monitor/report.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>

namespace monitor {
namespace {

const char* directionName(Direction d) {
    return d == Direction::FromDisplay ? "display" : "controller";
}

const char* kindName(LineEvent::Kind kind) {
    switch (kind) {
        case LineEvent::Kind::Status:
            return "status";
        case LineEvent::Kind::Idle:
            return "idle";
        case LineEvent::Kind::Resync:
            return "resync";
        case LineEvent::Kind::Command:
            return "command";
        case LineEvent::Kind::Stray:
            return "stray bytes";
        case LineEvent::Kind::CrcError:
            return "CRC error";
        case LineEvent::Kind::LengthError:
            return "length error";
        case LineEvent::Kind::Gap:
            return "gap";
    }
    return "?";
}

std::string seconds(uint64_t us) {
    char text[32];
    std::snprintf(text, sizeof text, "%" PRIu64 ".%03" PRIu64, us / 1'000'000, us / 1000 % 1000);
    return text;
}

// "55 AA 01": two upper-case digits a byte.
std::string hexBytes(const std::vector<uint8_t>& bytes, size_t most) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const size_t shown = std::min(bytes.size(), most);
    std::string text;
    text.reserve(shown * 3 + 4);
    for (size_t i = 0; i < shown; ++i) {
        if (i > 0) text += ' ';
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    if (bytes.size() > most) text += " ...";
    return text;
}

bool isBad(LineEvent::Kind kind) {
    return kind == LineEvent::Kind::Stray || kind == LineEvent::Kind::CrcError ||
           kind == LineEvent::Kind::LengthError;
}

std::string summary(const LineEvent& e) {
    const std::string size = std::to_string(e.bytes.size()) + " bytes";
    switch (e.kind) {
        case LineEvent::Kind::Command:
            return std::to_string(e.records.size()) +
                   (e.records.size() == 1 ? " record, " : " records, ") + size;
        case LineEvent::Kind::Status:
            if (e.firstStatus) return "first, " + size;
            return e.changes.empty() ? "unchanged" : std::to_string(e.changes.size()) + " changed";
        case LineEvent::Kind::Gap:
            return seconds(e.gapUs) + " s since the previous frame";
        case LineEvent::Kind::LengthError:
            if (e.direction == Direction::FromController) return size + ", a status frame is 331";
            return size + ", its length byte says " + std::to_string(e.bytes.front());
        default:
            return size;
    }
}

// Records, changed fields, or the bytes of what went wrong, each handed to `visit` in turn.
template <typename Visit>
void forEachDetail(const LineEvent& e, Visit visit) {
    for (const std::string& record : e.records)
        visit(record);
    std::string change;
    for (const FieldChange& c : e.changes) {
        change.assign(c.name).append("=").append(c.value);
        visit(change);
    }
    if (isBad(e.kind)) visit(hexBytes(e.bytes, 24));
}

void appendCsvField(std::string& out, const std::string& text) {
    if (text.find_first_of(",\"\n") == std::string::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

std::string eventText(const LineEvent& event) {
    char head[96];
    std::snprintf(head, sizeof head, "%10s  %-10s  %s", seconds(event.timeUs).c_str(),
                  directionName(event.direction), kindName(event.kind));
    std::string text = head;
    text.append(" (").append(summary(event)).append(")\n");
    // Changed fields four to a line, to stay within a laptop's terminal.
    const size_t perLine = event.kind == LineEvent::Kind::Status ? 4 : 1;
    size_t lines = 0;
    forEachDetail(event, [&](const std::string& line) {
        if (lines % perLine == 0) {
            if (lines > 0) text += '\n';
            text.append(14, ' ');
        } else {
            text += "  ";
        }
        text += line;
        ++lines;
    });
    if (lines > 0) text += '\n';
    return text;
}

std::string csvHeader() {
    return "time_s,direction,kind,bytes,detail\n";
}

std::string eventCsv(const LineEvent& event) {
    std::string detail;
    if (event.kind == LineEvent::Kind::Gap) detail = seconds(event.gapUs);
    forEachDetail(event, [&](const std::string& line) {
        if (!detail.empty()) detail += "; ";
        detail += line;
    });
    std::string row = seconds(event.timeUs);
    row.append(",").append(directionName(event.direction)).append(",");
    row.append(kindName(event.kind)).append(",").append(std::to_string(event.bytes.size()));
    row += ',';
    appendCsvField(row, detail);
    row += '\n';
    return row;
}

}  // namespace monitor
