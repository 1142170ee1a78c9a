#include "platform/gfx/png.h"

#include <png.h>

#include <cstring>
#include <fstream>

#include "platform/gfx/bmp.h"

namespace platform::gfx {
namespace {

std::vector<uint8_t> rgbRows(const Surface& surface) {
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(surface.width()) * surface.height() * 3);
    for (uint32_t p : surface.pixels()) {
        rgb.push_back(static_cast<uint8_t>(p >> 16));
        rgb.push_back(static_cast<uint8_t>(p >> 8));
        rgb.push_back(static_cast<uint8_t>(p));
    }
    return rgb;
}

png_image imageOf(const Surface& surface) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(surface.width());
    image.height = static_cast<png_uint_32>(surface.height());
    image.format = PNG_FORMAT_RGB;
    return image;
}

}  // namespace

// One pass into a buffer of the largest size the image can take; fast compression, since a
// screenshot is written once and read back rarely (it decodes to the same pixels).
std::vector<uint8_t> encodePng(const Surface& surface) {
    if (surface.empty()) return {};
    const std::vector<uint8_t> rgb = rgbRows(surface);
    png_image image = imageOf(surface);
    image.flags |= PNG_IMAGE_FLAG_FAST;
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
    std::vector<uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgb.data(), 0, nullptr)) {
        return {};
    }
    out.resize(size);
    return out;
}

bool writePng(const Surface& surface, const std::string& hostPath) {
    const std::vector<uint8_t> bytes = encodePng(surface);
    if (bytes.empty()) return false;
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

std::optional<Surface> loadPng(const std::string& hostPath) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, hostPath.c_str())) return std::nullopt;
    const int64_t pixels = int64_t{image.width} * image.height;
    if (image.width == 0 || image.height == 0 || image.width > kMaxBmpSide ||
        image.height > kMaxBmpSide || pixels > kMaxBmpPixels) {
        png_image_free(&image);
        return std::nullopt;
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<uint8_t> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) {
        png_image_free(&image);
        return std::nullopt;
    }
    Surface surface(static_cast<int>(image.width), static_cast<int>(image.height));
    const uint8_t* p = bytes.data();
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x, p += 3)
            surface.setPixel(x, y, rgb(p[0], p[1], p[2]));
    }
    return surface;
}

}  // namespace platform::gfx
