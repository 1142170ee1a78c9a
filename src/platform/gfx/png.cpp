#include "platform/gfx/png.h"

#include <png.h>

#include <cstring>
#include <fstream>

#include "platform/gfx/bmp.h"

namespace platform::gfx {

// Low-level writing, once: the simplified API would need a second full encode to learn the size.
// The fastest compression is chosen, since screens are flat colour and the remote view encodes
// one per change: a little larger, several times quicker.
std::vector<uint8_t> encodePng(const Surface& surface) {
    if (surface.empty()) return {};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return {};
    png_infop info = png_create_info_struct(png);
    std::vector<uint8_t> out;
    std::vector<uint8_t> row(static_cast<size_t>(surface.width()) * 3);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return {};
    }
    png_set_write_fn(
        png, &out,
        [](png_structp p, png_bytep data, png_size_t length) {
            auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(p));
            bytes->insert(bytes->end(), data, data + length);
        },
        nullptr);
    png_set_IHDR(png, info, static_cast<png_uint_32>(surface.width()),
                 static_cast<png_uint_32>(surface.height()), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 1);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_SUB);
    png_write_info(png, info);
    for (int y = 0; y < surface.height(); ++y) {
        const uint32_t* pixels = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            row[3 * x] = static_cast<uint8_t>(pixels[x] >> 16);
            row[3 * x + 1] = static_cast<uint8_t>(pixels[x] >> 8);
            row[3 * x + 2] = static_cast<uint8_t>(pixels[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
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
