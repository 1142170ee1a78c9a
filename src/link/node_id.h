#pragma once
// NodeId: one byte naming a device on the dryer's control network (1 to 15; 0 = none).

#include <cstdint>
#include <string>

namespace dryer {

using NodeId = uint8_t;

// The device's fixed (untranslated) name, or nullptr for a value that names no device.
const char* nodeName(NodeId node);

// Looks the name up by the low byte of `node`; for a value that names no device `name` is left
// as it was.
void nodeNameInto(uint32_t node, std::string& name);

}  // namespace dryer
