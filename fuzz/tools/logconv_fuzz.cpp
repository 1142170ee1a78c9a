// Arbitrary bytes as a log file for the converter: the first byte picks the creation month.
// Every 18-byte step is either a row or a reported bad spot.
#include <cstdint>
#include <cstdlib>

#include "logconv/sample_csv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const logconv::FileStamp stamp{2024, size > 0 ? 1 + data[0] % 12 : 1, 1, 0, 0, 0};
    const logconv::Conversion c = logconv::convertSamples({data, size}, stamp);
    size_t rows = 0;
    for (char ch : c.csv)
        rows += ch == '\n';
    const size_t steps = size / 18 + (size % 18 != 0);
    if (rows != c.samples + 1 || c.samples + c.bad.size() != steps) std::abort();
    return 0;
}
