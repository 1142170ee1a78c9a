#include "link/node_id.h"

#include <array>

namespace dryer {
namespace {

constexpr std::array<const char*, 16> kNames = {
    nullptr,
    "DISPLAY I/O",
    "FAN/HEATER #1",
    "FAN/HEATER #2",
    "FAN/HEATER #3",
    "FAN/HEATER #4",
    "FAN/HEATER #5",
    "FAN/HEATER #6",
    "FAN/HEATER INT #1",
    "FAN/HEATER INT #2",
    "FAN/HEATER INT #3",
    "FAN/HEATER INT #4",
    "FAN/HEATER INT #5",
    "FAN/HEATER INT #6",
    "MAIN I/O",
    "MOISTURE CONT",
};

}  // namespace

const char* nodeName(NodeId node) {
    return node < kNames.size() ? kNames[node] : nullptr;
}

void nodeNameInto(uint32_t node, std::string& name) {
    if (const char* found = nodeName(static_cast<NodeId>(node & 0xFF))) name = found;
}

}  // namespace dryer
