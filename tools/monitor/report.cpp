#include "monitor/report.h"

#include <algorithm>
#include <array>
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

// Hex bytes go into a buffer of their own: at most this many, three characters each, and " ...".
constexpr size_t kMostHexBytes = 24;
using HexBuffer = std::array<char, kMostHexBytes * 3 + 4>;

// "55 AA 01": two upper-case digits a byte, the first kMostHexBytes bytes.
std::string_view hexBytes(const std::vector<uint8_t>& bytes, HexBuffer& buffer) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const size_t shown = std::min(bytes.size(), kMostHexBytes);
    char* at = buffer.data();
    for (size_t i = 0; i < shown; ++i, at += 3) {
        at[0] = kDigits[bytes[i] >> 4];
        at[1] = kDigits[bytes[i] & 0x0F];
        at[2] = ' ';
    }
    size_t length = shown == 0 ? 0 : shown * 3 - 1;  // no space after the last
    if (bytes.size() > kMostHexBytes) {
        std::memcpy(buffer.data() + length, " ...", 4);
        length += 4;
    }
    return {buffer.data(), length};
}

// The characters that make a CSV field need quotes.
constexpr char kQuoted[] = {',', '"', '\n'};

bool isBad(LineEvent::Kind kind) {
    return kind == LineEvent::Kind::Stray || kind == LineEvent::Kind::CrcError ||
           kind == LineEvent::Kind::LengthError;
}

void appendSize(std::string& out, const LineEvent& e) {
    out.append(std::to_string(e.bytes.size())).append(" bytes");
}

void appendSummary(std::string& out, const LineEvent& e) {
    switch (e.kind) {
        case LineEvent::Kind::Command:
            out.append(std::to_string(e.records.size()))
                .append(e.records.size() == 1 ? " record, " : " records, ");
            appendSize(out, e);
            return;
        case LineEvent::Kind::Status:
            if (e.firstStatus) {
                out += "first, ";
                appendSize(out, e);
            } else if (e.changes.empty()) {
                out += "unchanged";
            } else {
                out.append(std::to_string(e.changes.size())).append(" changed");
            }
            return;
        case LineEvent::Kind::Gap:
            out.append(seconds(e.gapUs)).append(" s since the previous frame");
            return;
        case LineEvent::Kind::LengthError:
            appendSize(out, e);
            if (e.direction == Direction::FromController) {
                out += ", a status frame is 331";
            } else {
                out.append(", its length byte says ").append(std::to_string(e.bytes.front()));
            }
            return;
        default:
            appendSize(out, e);
            return;
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
    if (isBad(e.kind)) {
        HexBuffer hex;
        visit(hexBytes(e.bytes, hex), "", "");
    }
}

// A search for each character over the whole text: find_first_of looks each character of the
// text up in the set with a call of its own.
bool needsQuotes(std::string_view text) {
    return std::any_of(std::begin(kQuoted), std::end(kQuoted),
                       [&](char c) { return std::memchr(text.data(), c, text.size()) != nullptr; });
}

// Puts the field that makes up the end of `out`, from `start` on, in quotes when it needs them.
void quoteCsvField(std::string& out, size_t start) {
    if (!needsQuotes(std::string_view(out).substr(start))) return;
    std::string quoted = "\"";
    for (size_t i = start; i < out.size(); ++i) {
        if (out[i] == '"') quoted += '"';
        quoted += out[i];
    }
    quoted += '"';
    out.replace(start, std::string::npos, quoted);
}

}  // namespace

std::string eventText(const LineEvent& event) {
    std::string text;
    text.reserve(roughSize(event));
    appendPadded(text, seconds(event.timeUs), 10, true);
    text += "  ";
    appendPadded(text, directionName(event.direction), 10, false);
    text.append("  ").append(kindName(event.kind));
    text += " (";
    appendSummary(text, event);
    text += ")\n";
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
    std::string row = seconds(event.timeUs);
    row.reserve(roughSize(event));
    row.append(",").append(directionName(event.direction)).append(",");
    row.append(kindName(event.kind)).append(",").append(std::to_string(event.bytes.size()));
    row += ',';
    const size_t detail = row.size();
    if (event.kind == LineEvent::Kind::Gap) row += seconds(event.gapUs);
    forEachDetail(event, [&](std::string_view a, std::string_view b, std::string_view c) {
        if (row.size() > detail) row += "; ";
        row.append(a).append(b).append(c);
    });
    quoteCsvField(row, detail);
    row += '\n';
    return row;
}

}  // namespace monitor
