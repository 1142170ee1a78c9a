// BMP files come from the flash disk and the language folders: any bytes must be refused or
// read without touching memory outside them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/gfx/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto image = platform::gfx::readBmp(std::span<const uint8_t>(data, size));
    if (image && !image->empty()) {
        volatile uint32_t sink = image->pixel(image->width() - 1, image->height() - 1);
        (void)sink;
    }
    return 0;
}
