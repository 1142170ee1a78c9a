#include "sim/frames.h"

#include <cstdio>

#include "link/crc.h"
#include "link/field_table.h"

namespace sim {
namespace {

bool parseRecords(const uint8_t* bytes, size_t end, int count, std::vector<WriteRecord>& out) {
    size_t i = 2;
    for (int r = 0; r < count; ++r) {
        if (i + 3 > end) return false;
        const int address = bytes[i] * 256 + bytes[i + 1];
        const size_t n = bytes[i + 2];
        if (n == 0 || i + 3 + n > end) return false;
        out.push_back(WriteRecord{address, std::vector<uint8_t>(bytes + i + 3, bytes + i + 3 + n)});
        i += 3 + n;
    }
    return i == end;
}

// A record that writes a whole array is named after the array, one that writes part of it after
// the element it starts in.
std::string recordName(const WriteRecord& record) {
    const dryer::FieldInfo* field = dryer::fieldAt(record.address);
    if (!field) return "?";
    const int width = field->count * dryer::widthOf(field->kind);
    const int low =
        field->stride < 0 ? field->first + (field->count - 1) * field->stride : field->first;
    const bool whole = record.address == low && static_cast<int>(record.bytes.size()) == width;
    return whole ? field->name : dryer::fieldName(record.address);
}

}  // namespace

DisplayFrame parseDisplayFrame(const uint8_t* bytes, size_t length) {
    DisplayFrame frame;
    if (length == 4 && bytes[0] == 0x06 && bytes[1] == 0x00 && dryer::checkCrc(bytes, 2)) {
        frame.kind = DisplayFrame::Kind::Resync;
        return frame;
    }
    if (length < 4 || bytes[0] != length || !dryer::checkCrc(bytes, length - 2)) return frame;
    if (bytes[1] == 0) {
        if (length == 7) frame.kind = DisplayFrame::Kind::Idle;
        return frame;
    }
    if (parseRecords(bytes, length - 2, bytes[1], frame.records)) {
        frame.kind = DisplayFrame::Kind::Command;
    } else {
        frame.records.clear();
    }
    return frame;
}

std::string describeRecord(const WriteRecord& record) {
    std::string text = std::to_string(record.address) + "+" + std::to_string(record.bytes.size()) +
                       " " + recordName(record) + " =";
    for (uint8_t b : record.bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", b);
        text += hex;
    }
    return text;
}

}  // namespace sim
