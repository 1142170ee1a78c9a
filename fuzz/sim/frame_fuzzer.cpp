// Arbitrary bytes as one frame from the display into the simulated controller: the frame parser,
// the record handling and the answer. Without scripted faults every answer is empty or one whole
// status frame with a good CRC.
#include <cstdint>
#include <cstdlib>

#include "link/crc.h"
#include "sim/controller.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static sim::Controller controller;
    const sim::DisplayFrame frame = sim::parseDisplayFrame(data, size);
    if (frame.kind == sim::DisplayFrame::Kind::Command) {
        size_t bytes = 4;
        for (const sim::WriteRecord& r : frame.records)
            bytes += 3 + r.bytes.size();
        if (bytes != size || frame.records.empty()) std::abort();
    }
    const sim::Answer answer = controller.receive(data, size, 0);
    if (!answer.bytes.empty() && (answer.bytes.size() != dryer::kStatusFrameSize ||
                                  !dryer::checkCrc(answer.bytes.data(), dryer::kStatusDataSize))) {
        std::abort();
    }
    return 0;
}
