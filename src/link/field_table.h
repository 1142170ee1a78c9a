#pragma once
// The field list of link/status_fields.h as data: for the decoder's walk over a frame and for
// anything that names an address (the simulator's trace).

#include <cstdint>
#include <span>
#include <string>

#include "link/dryer_state.h"

namespace dryer {

using WindowMask = uint64_t;

constexpr WindowMask windowBit(Window window) {
    return WindowMask{1} << static_cast<int>(window);
}

struct FieldInfo {
    const char* name;
    uint16_t first;  // element 0
    uint8_t count;   // 1 for a plain field
    int8_t stride;
    Kind kind;
    bool copied;         // false: the decoder never copies these bytes into `status`
    WindowMask repaint;  // windows to repaint when the field changes
};

// Every field, in ascending offset order.
std::span<const FieldInfo> statusFields();

// The field holding `address` (0 .. 330) and the element it falls in.
const FieldInfo* fieldAt(int address, int* element = nullptr);

// "plenumTempSetpoint[2]", "grainTempSetpoint", "?" outside the frame.
std::string fieldName(int address);

}  // namespace dryer
