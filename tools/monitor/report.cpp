#include "monitor/report.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>

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

// "12.350": whole seconds and three digits of milliseconds.
std::string seconds(uint64_t us) {
    std::string text = std::to_string(us / 1'000'000);
    const auto ms = static_cast<unsigned>(us / 1000 % 1000);
    text += '.';
    text += static_cast<char>('0' + ms / 100);
    text += static_cast<char>('0' + ms / 10 % 10);
    text += static_cast<char>('0' + ms % 10);
    return text;
}

// `text` and spaces after it (or before it) up to `width` characters.
void appendPadded(std::string& out, std::string_view text, size_t width, bool alignRight) {
    const size_t pad = text.size() < width ? width - text.size() : 0;
    if (alignRight) out.append(pad, ' ');
    out += text;
    if (!alignRight) out.append(pad, ' ');
}

// "55 AA 01": two upper-case digits a byte, the first `most` bytes.
std::string hexBytes(const std::vector<uint8_t>& bytes, size_t most) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const size_t shown = std::min(bytes.size(), most);
    std::string text;
    text.reserve(shown * 3 + 4);
    text.resize(shown * 3, ' ');
    char* at = text.data();
    for (size_t i = 0; i < shown; ++i, at += 3) {
        at[0] = kDigits[bytes[i] >> 4];
        at[1] = kDigits[bytes[i] & 0x0F];
    }
    if (shown > 0) text.pop_back();  // the space after the last
    if (bytes.size() > most) text += " ...";
    return text;
}

// The characters that make a CSV field need quotes.
constexpr char kQuoted[] = {',', '"', '\n'};

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

// About what an event's lines take, so that its text grows once at most.
size_t roughSize(const LineEvent& e) {
    return 96 + 40 * (e.records.size() + e.changes.size());
}

// Records, changed fields, or the bytes of what went wrong, each handed to `visit` in turn as
// pieces to put together: a changed field is its name, "=" and its value.
template <typename Visit>
void forEachDetail(const LineEvent& e, Visit visit) {
    for (const std::string& record : e.records)
        visit(record, "", "");
    for (const FieldChange& c : e.changes)
        visit(c.name, "=", c.value);
    if (isBad(e.kind)) visit(hexBytes(e.bytes, 24), "", "");
}

// A search for each character over the whole text: find_first_of looks each character of the
// text up in the set with a call of its own.
bool needsQuotes(const std::string& text) {
    return std::any_of(std::begin(kQuoted), std::end(kQuoted),
                       [&](char c) { return std::memchr(text.data(), c, text.size()) != nullptr; });
}

void appendCsvField(std::string& out, const std::string& text) {
    if (!needsQuotes(text)) {
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
    std::string text;
    text.reserve(roughSize(event));
    appendPadded(text, seconds(event.timeUs), 10, true);
    text += "  ";
    appendPadded(text, directionName(event.direction), 10, false);
    text.append("  ").append(kindName(event.kind));
    text.append(" (").append(summary(event)).append(")\n");
    // Changed fields four to a line, to stay within a laptop's terminal.
    const size_t perLine = event.kind == LineEvent::Kind::Status ? 4 : 1;
    size_t lines = 0;
    forEachDetail(event, [&](std::string_view a, std::string_view b, std::string_view c) {
        if (lines % perLine == 0) {
            if (lines > 0) text += '\n';
            text.append(14, ' ');
        } else {
            text += "  ";
        }
        text.append(a).append(b).append(c);
        ++lines;
    });
    if (lines > 0) text += '\n';
    return text;
}

std::string csvHeader() {
    return "time_s,direction,kind,bytes,detail\n";
}

std::string eventCsv(const LineEvent& event) {
    std::string detail = event.kind == LineEvent::Kind::Gap ? seconds(event.gapUs) : "";
    detail.reserve(roughSize(event));
    forEachDetail(event, [&](std::string_view a, std::string_view b, std::string_view c) {
        if (!detail.empty()) detail += "; ";
        detail.append(a).append(b).append(c);
    });
    std::string row = seconds(event.timeUs);
    row.reserve(row.size() + detail.size() + 48);
    row.append(",").append(directionName(event.direction)).append(",");
    row.append(kindName(event.kind)).append(",").append(std::to_string(event.bytes.size()));
    row += ',';
    appendCsvField(row, detail);
    row += '\n';
    return row;
}

}  // namespace monitor
