#pragma once
// What the monitor prints for each event on the line: readable text, or CSV rows with a header.

#include <string>

#include "monitor/line_decoder.h"

namespace monitor {

// "  12.350  display    command (2 records, 22 bytes)" and its indented detail lines.
std::string eventText(const LineEvent& event);

// time_s,direction,kind,bytes,detail
std::string csvHeader();
std::string eventCsv(const LineEvent& event);

}  // namespace monitor
