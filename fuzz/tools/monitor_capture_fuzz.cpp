// Arbitrary bytes as a capture file of the controller line: the capture reader, the framing of
// both directions and both outputs. Every byte of a good chunk reaches exactly one event.
#include <cstdint>
#include <cstdlib>

#include "monitor/capture.h"
#include "monitor/line_decoder.h"
#include "monitor/report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const monitor::CaptureRead capture = monitor::parseCapture({data, size});
    size_t fed = 0;
    for (const monitor::Chunk& c : capture.chunks)
        fed += c.bytes.size();
    size_t reported = 0;
    monitor::decodeChunks(capture.chunks, [&](const monitor::LineEvent& e) {
        reported += e.bytes.size();
        if (monitor::eventText(e).empty() || monitor::eventCsv(e).empty()) std::abort();
    });
    if (reported != fed) std::abort();
    return 0;
}
