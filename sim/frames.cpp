#include "sim/frames.h"

#include <cstdio>

#include "link/crc.h"
#include "link/field_table.h"

namespace sim {
namespace {

// True when `count` records fill bytes[2 .. end-1] exactly; they go to `out` unless it is null.
bool walkRecords(const uint8_t* bytes, size_t end, int count, std::vector<WriteRecord>* out) {
    size_t i = 2;
    for (int r = 0; r < count; ++r) {
        if (i + 3 > end) return false;
        const int address = bytes[i] * 256 + bytes[i + 1];
        const size_t n = bytes[i + 2];
        if (n == 0 || i + 3 + n > end) return false;
        if (out) {
            out->push_back(
                WriteRecord{address, std::vector<uint8_t>(bytes + i + 3, bytes + i + 3 + n)});
        }
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
    if (length < 4 || bytes[0] != length) return frame;
    const int count = bytes[1];
    // The layout costs less to check than the CRC and turns away most bytes that are no frame
    // (a search for frames along the line asks at every place).
    if (count == 0 ? length != 7 : !walkRecords(bytes, length - 2, count, nullptr)) return frame;
    if (!dryer::checkCrc(bytes, length - 2)) return frame;
    if (count == 0) {
        frame.kind = DisplayFrame::Kind::Idle;
    } else {
        walkRecords(bytes, length - 2, count, &frame.records);
        frame.kind = DisplayFrame::Kind::Command;
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
