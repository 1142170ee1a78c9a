#include "platform/gfx/bmp.h"

#include <algorithm>
#include <array>
#include <bit>
#include <fstream>
#include <iterator>

namespace platform::gfx {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kRgb = 0;
constexpr uint32_t kBitFields = 3;

// Bounds-checked little-endian reads: out of range reads fail the whole parse.
class Reader {
  public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    bool has(uint64_t offset, uint64_t count) const {
        return offset <= bytes_.size() && count <= bytes_.size() - offset;
    }
    uint32_t u16(size_t offset) const { return bytes_[offset] | (bytes_[offset + 1] << 8); }
    uint32_t u32(size_t offset) const {
        return u16(offset) | (static_cast<uint32_t>(u16(offset + 2)) << 16);
    }
    uint8_t at(size_t offset) const { return bytes_[offset]; }
    size_t size() const { return bytes_.size(); }

  private:
    std::span<const uint8_t> bytes_;
};

struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    uint8_t extract(uint32_t v) const {
        if (bits == 0) return 0;
        const uint64_t raw = (v & mask) >> shift;
        const uint64_t max = (uint64_t{1} << bits) - 1;
        // A mask with gaps can give more than its bit count holds.
        return static_cast<uint8_t>(std::min<uint64_t>(255, (raw * 255 + max / 2) / max));
    }
    static Channel of(uint32_t mask) {
        Channel c;
        c.mask = mask;
        if (mask == 0) return c;
        c.shift = std::countr_zero(mask);
        c.bits = std::popcount(mask);
        return c;
    }
};

struct Header {
    int64_t width = 0;
    int64_t height = 0;  // below zero: top-down
    int bpp = 0;
    uint32_t compression = kRgb;
    uint32_t colorsUsed = 0;
    size_t headerSize = 0;
    size_t paletteEntrySize = 4;
    std::array<Channel, 3> channels;  // red, green, blue
};

bool readHeader(const Reader& in, Header& h) {
    if (!in.has(0, kFileHeaderSize + 4) || in.at(0) != 'B' || in.at(1) != 'M') return false;
    h.headerSize = in.u32(kFileHeaderSize);
    const size_t info = kFileHeaderSize;
    if (h.headerSize == 12) {
        if (!in.has(info, 12)) return false;
        h.width = in.u16(info + 4);
        h.height = in.u16(info + 6);  // always bottom-up in this old header
        if (in.u16(info + 8) != 1) return false;
        h.bpp = static_cast<int>(in.u16(info + 10));
        h.paletteEntrySize = 3;
        return true;
    }
    if (h.headerSize < 40 || h.headerSize > 1024 || !in.has(info, h.headerSize)) return false;
    h.width = static_cast<int32_t>(in.u32(info + 4));
    h.height = static_cast<int32_t>(in.u32(info + 8));
    if (in.u16(info + 12) != 1) return false;
    h.bpp = static_cast<int>(in.u16(info + 14));
    h.compression = in.u32(info + 16);
    h.colorsUsed = in.u32(info + 32);
    return true;
}

bool readMasks(const Reader& in, Header& h) {
    if (h.bpp == 16 && h.compression == kRgb) {
        h.channels = {Channel::of(0x7C00), Channel::of(0x03E0), Channel::of(0x001F)};
        return true;
    }
    if (h.bpp == 32 && h.compression == kRgb) {
        h.channels = {Channel::of(0xFF0000), Channel::of(0xFF00), Channel::of(0xFF)};
        return true;
    }
    if (h.compression != kBitFields || (h.bpp != 16 && h.bpp != 32)) return false;
    // The masks follow a 40-byte header and are part of the larger ones.
    const size_t at = kFileHeaderSize + 40;
    if (!in.has(at, 12)) return false;
    h.channels = {Channel::of(in.u32(at)), Channel::of(in.u32(at + 4)),
                  Channel::of(in.u32(at + 8))};
    return true;
}

bool validFormat(const Header& h) {
    if (h.width <= 0 || h.height == 0) return false;
    const int64_t rows = h.height < 0 ? -h.height : h.height;
    if (h.width > kMaxBmpSide || rows > kMaxBmpSide || h.width * rows > kMaxBmpPixels) {
        return false;
    }
    switch (h.bpp) {
        case 1:
        case 4:
        case 8:
        case 24:
            return h.compression == kRgb;
        case 16:
        case 32:
            return true;
        default:
            return false;
    }
}

std::vector<uint32_t> readPalette(const Reader& in, const Header& h) {
    const size_t maxEntries = size_t{1} << h.bpp;
    size_t count = h.colorsUsed == 0 ? maxEntries : std::min<size_t>(h.colorsUsed, maxEntries);
    size_t at = kFileHeaderSize + h.headerSize;
    if (h.compression == kBitFields && h.headerSize == 40) at += 12;
    std::vector<uint32_t> palette;
    for (size_t i = 0; i < count && in.has(at + i * h.paletteEntrySize, 3); ++i) {
        const size_t e = at + i * h.paletteEntrySize;
        palette.push_back(Color{in.at(e + 2), in.at(e + 1), in.at(e)}.argb());
    }
    return palette;
}

uint32_t pixelAt(const Reader& in, const Header& h, const std::vector<uint32_t>& palette,
                 size_t rowStart, int64_t x) {
    switch (h.bpp) {
        case 1:
        case 4:
        case 8: {
            const int64_t bit = x * h.bpp;
            const uint8_t byte = in.at(rowStart + static_cast<size_t>(bit / 8));
            const int shift = 8 - h.bpp - static_cast<int>(bit % 8);
            const uint32_t index = (byte >> shift) & ((1u << h.bpp) - 1);
            return index < palette.size() ? palette[index] : colors::kBlack.argb();
        }
        case 24: {
            const size_t p = rowStart + static_cast<size_t>(x) * 3;
            return Color{in.at(p + 2), in.at(p + 1), in.at(p)}.argb();
        }
        default: {
            const size_t p = rowStart + static_cast<size_t>(x) * (h.bpp / 8);
            const uint32_t v = h.bpp == 16 ? in.u16(p) : in.u32(p);
            return Color{h.channels[0].extract(v), h.channels[1].extract(v),
                         h.channels[2].extract(v)}
                .argb();
        }
    }
}

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

std::optional<Surface> readBmp(std::span<const uint8_t> bytes) {
    const Reader in(bytes);
    Header h;
    if (!readHeader(in, h) || !validFormat(h)) return std::nullopt;
    if ((h.bpp == 16 || h.bpp == 32) && !readMasks(in, h)) return std::nullopt;
    const std::vector<uint32_t> palette = h.bpp <= 8 ? readPalette(in, h) : std::vector<uint32_t>{};
    const uint64_t dataOffset = in.u32(10);
    const int64_t rows = h.height < 0 ? -h.height : h.height;
    const uint64_t rowBytes = (static_cast<uint64_t>(h.width) * h.bpp + 7) / 8;
    const uint64_t stride = (static_cast<uint64_t>(h.width) * h.bpp + 31) / 32 * 4;
    // The last row may come without its padding.
    if (dataOffset < kFileHeaderSize + h.headerSize ||
        !in.has(dataOffset, stride * static_cast<uint64_t>(rows - 1) + rowBytes)) {
        return std::nullopt;
    }
    Surface out(static_cast<int>(h.width), static_cast<int>(rows));
    for (int64_t r = 0; r < rows; ++r) {
        const int64_t y = h.height < 0 ? r : rows - 1 - r;
        const size_t rowStart = static_cast<size_t>(dataOffset + stride * r);
        uint32_t* dst = out.row(static_cast<int>(y));
        for (int64_t x = 0; x < h.width; ++x)
            dst[x] = pixelAt(in, h, palette, rowStart, x);
    }
    return out;
}

std::optional<Surface> loadBmp(const std::string& hostPath) {
    std::ifstream in(hostPath, std::ios::binary);
    if (!in) return std::nullopt;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    return readBmp(bytes);
}

std::vector<uint8_t> encodeBmp(const Surface& surface) {
    const uint32_t stride = (static_cast<uint32_t>(surface.width()) * 3 + 3) / 4 * 4;
    const uint32_t imageSize = stride * static_cast<uint32_t>(surface.height());
    const uint32_t dataOffset = kFileHeaderSize + 40;
    std::vector<uint8_t> out;
    out.reserve(dataOffset + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, dataOffset + imageSize);
    put32(out, 0);
    put32(out, dataOffset);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(surface.width()));
    put32(out, static_cast<uint32_t>(surface.height()));
    put16(out, 1);
    put16(out, 24);
    put32(out, kRgb);
    put32(out, imageSize);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = surface.height() - 1; y >= 0; --y) {
        const uint32_t* row = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            out.push_back(static_cast<uint8_t>(row[x]));
            out.push_back(static_cast<uint8_t>(row[x] >> 8));
            out.push_back(static_cast<uint8_t>(row[x] >> 16));
        }
        out.resize(out.size() + (stride - surface.width() * 3));
    }
    return out;
}

bool writeBmp(const Surface& surface, const std::string& hostPath) {
    const std::vector<uint8_t> bytes = encodeBmp(surface);
    std::ofstream out(hostPath, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

}  // namespace platform::gfx
