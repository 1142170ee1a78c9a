#include "link/field_table.h"

#include <array>

namespace dryer {
namespace {

#define W(window) windowBit(Window::window)
#define NONE WindowMask(0)
#define NOCOPY WindowMask(0), false
#define FIELD_INFO(name, offset, kind, repaint) \
    FieldInfo{#name, offset, 1, 1, Kind::kind, REPAINT(repaint)},
#define ARRAY_INFO(name, offset, count, stride, kind, repaint) \
    FieldInfo{#name, offset, count, stride, Kind::kind, REPAINT(repaint)},
// NOCOPY expands to two arguments: the mask and the copied flag.
#define REPAINT(...) REPAINT_(__VA_ARGS__, true)
#define REPAINT_(mask, copied, ...) copied, mask

constexpr FieldInfo kFields[] = {ORVANE_STATUS_FIELDS(FIELD_INFO, ARRAY_INFO)};

#undef W
#undef NONE
#undef NOCOPY
#undef FIELD_INFO
#undef ARRAY_INFO
#undef REPAINT
#undef REPAINT_

int lowest(const FieldInfo& f) {
    return f.stride < 0 ? f.first + (f.count - 1) * f.stride : f.first;
}

}  // namespace

std::span<const FieldInfo> statusFields() {
    return kFields;
}

const FieldInfo* fieldAt(int address, int* element) {
    for (const FieldInfo& f : kFields) {
        const int width = widthOf(f.kind);
        const int low = lowest(f);
        if (address < low || address >= low + f.count * width) continue;
        if (element) {
            const int index = (address - low) / width;
            *element = f.stride < 0 ? f.count - 1 - index : index;
        }
        return &f;
    }
    return nullptr;
}

std::string fieldName(int address) {
    int element = 0;
    const FieldInfo* f = fieldAt(address, &element);
    if (!f) return "?";
    std::string name = f->name;
    if (f->count > 1) name += "[" + std::to_string(element) + "]";
    return name;
}

}  // namespace dryer
