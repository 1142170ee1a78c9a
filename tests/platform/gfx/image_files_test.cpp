#include <gtest/gtest.h>

#include <fstream>

#include "platform/gfx/bmp.h"
#include "platform/gfx/png.h"
#include "support/temp_dir.h"

namespace platform::gfx {
namespace {

void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}
void set32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i)
        v[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

// A BMP with a 40-byte header; `rows` are the stored rows in file order, already padded.
std::vector<uint8_t> makeBmp(int width, int height, int bpp, const std::vector<uint32_t>& palette,
                             const std::vector<uint8_t>& pixels, uint32_t compression = 0,
                             const std::vector<uint32_t>& masks = {}) {
    std::vector<uint8_t> v;
    const uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(palette.size() + masks.size());
    v.push_back('B');
    v.push_back('M');
    put32(v, offset + static_cast<uint32_t>(pixels.size()));
    put32(v, 0);
    put32(v, offset);
    put32(v, 40);
    put32(v, static_cast<uint32_t>(width));
    put32(v, static_cast<uint32_t>(height));
    put16(v, 1);
    put16(v, static_cast<uint32_t>(bpp));
    put32(v, compression);
    put32(v, static_cast<uint32_t>(pixels.size()));
    put32(v, 0);
    put32(v, 0);
    put32(v, static_cast<uint32_t>(palette.size()));
    put32(v, 0);
    for (uint32_t m : masks)
        put32(v, m);
    for (uint32_t c : palette)
        put32(v, c);  // 0x00RRGGBB stored as B, G, R, 0
    v.insert(v.end(), pixels.begin(), pixels.end());
    return v;
}

TEST(BmpTest, ReadsEveryDepthInBothRowOrders) {
    // 1 bit, 3 x 2, bottom-up: file row 0 is the bottom row.
    auto one =
        readBmp(makeBmp(3, 2, 1, {0x000000, 0xFF0000}, {0b10100000, 0, 0, 0, 0b01000000, 0, 0, 0}));
    ASSERT_TRUE(one);
    EXPECT_EQ(one->size(), (Size{3, 2}));
    EXPECT_EQ(one->colorAt(0, 1), rgb(255, 0, 0));
    EXPECT_EQ(one->colorAt(1, 1), rgb(0, 0, 0));
    EXPECT_EQ(one->colorAt(2, 1), rgb(255, 0, 0));
    EXPECT_EQ(one->colorAt(1, 0), rgb(255, 0, 0));

    // 4 bit, top-down, index beyond the palette reads as black.
    auto four = readBmp(makeBmp(3, -1, 4, {0x102030, 0x00FF00}, {0x01, 0xF0, 0, 0}));
    ASSERT_TRUE(four);
    EXPECT_EQ(four->colorAt(0, 0), rgb(0x10, 0x20, 0x30));
    EXPECT_EQ(four->colorAt(1, 0), rgb(0, 255, 0));
    EXPECT_EQ(four->colorAt(2, 0), rgb(0, 0, 0));

    auto eight = readBmp(makeBmp(2, 1, 8, {0, 0, 0x0000FF}, {2, 0, 0, 0}));
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight->colorAt(0, 0), rgb(0, 0, 255));

    // 24 bit, 1 x 2 bottom-up, rows padded to 4 bytes.
    auto rgb24 = readBmp(makeBmp(1, 2, 24, {}, {1, 2, 3, 0, 4, 5, 6, 0}));
    ASSERT_TRUE(rgb24);
    EXPECT_EQ(rgb24->colorAt(0, 1), rgb(3, 2, 1));
    EXPECT_EQ(rgb24->colorAt(0, 0), rgb(6, 5, 4));

    auto rgb32 = readBmp(makeBmp(1, -1, 32, {}, {10, 20, 30, 0}));
    ASSERT_TRUE(rgb32);
    EXPECT_EQ(rgb32->colorAt(0, 0), rgb(30, 20, 10));

    // 16 bit 5-6-5 through bit-field masks.
    auto rgb16 = readBmp(makeBmp(1, 1, 16, {}, {0x00, 0xF8, 0, 0}, 3, {0xF800, 0x07E0, 0x001F}));
    ASSERT_TRUE(rgb16);
    EXPECT_EQ(rgb16->colorAt(0, 0), rgb(255, 0, 0));
}

TEST(BmpTest, ReadsTheOldCoreHeaderWithThreeBytePaletteEntries) {
    std::vector<uint8_t> v = {'B', 'M'};
    put32(v, 14 + 12 + 6 + 4);
    put32(v, 0);
    put32(v, 14 + 12 + 6);
    put32(v, 12);
    put16(v, 2);  // width
    put16(v, 1);  // height
    put16(v, 1);
    put16(v, 1);                                // bits per pixel
    v.insert(v.end(), {0, 0, 255, 255, 0, 0});  // red, then blue (B, G, R)
    v.insert(v.end(), {0b01000000, 0, 0, 0});
    auto image = readBmp(v);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->colorAt(0, 0), rgb(255, 0, 0));
    EXPECT_EQ(image->colorAt(1, 0), rgb(0, 0, 255));
}

TEST(BmpTest, WrittenFilesReadBackUnchanged) {
    Surface s(5, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x)
            s.setPixel(x, y, rgb(x * 50, y * 100, 7));
    }
    const auto bytes = encodeBmp(s);
    EXPECT_EQ(bytes.size(), 54u + 16u * 3u);
    EXPECT_EQ(readBmp(bytes), s);

    testsupport::TempDir dir;
    ASSERT_TRUE(writeBmp(s, dir.str() + "/face.bmp"));
    EXPECT_EQ(loadBmp(dir.str() + "/face.bmp"), s);
    EXPECT_FALSE(loadBmp(dir.str() + "/missing.bmp"));
    EXPECT_FALSE(writeBmp(s, dir.str() + "/no/such/folder/face.bmp"));
}

TEST(BmpTest, MalformedFilesAreRefused) {
    const auto good = makeBmp(4, 4, 24, {}, std::vector<uint8_t>(48, 0x55));
    ASSERT_TRUE(readBmp(good));
    // Every truncation that cuts into a header or the pixel rows.
    for (size_t n = 0; n < good.size(); ++n) {
        EXPECT_FALSE(readBmp(std::span(good.data(), n))) << n;
    }

    auto bad = good;
    set32(bad, 10, 0xFFFFFFF0);  // pixel data beyond the file
    EXPECT_FALSE(readBmp(bad));
    bad = good;
    set32(bad, 10, 4);  // pixel data inside the headers
    EXPECT_FALSE(readBmp(bad));
    bad = good;
    set32(bad, 18, 0x7FFFFFFF);  // huge width
    EXPECT_FALSE(readBmp(bad));
    bad = good;
    set32(bad, 22, 0x80000000);  // the most negative height
    EXPECT_FALSE(readBmp(bad));
    bad = good;
    set32(bad, 18, 40000);
    set32(bad, 22, 40000);
    EXPECT_FALSE(readBmp(bad));
    bad = good;
    set32(bad, 18, 0);
    EXPECT_FALSE(readBmp(bad));
    bad = good;
    bad[28] = 7;  // bits per pixel
    EXPECT_FALSE(readBmp(bad));
    bad = good;
    bad[30] = 1;  // run-length compression
    EXPECT_FALSE(readBmp(bad));
    bad = good;
    set32(bad, 14, 0xFFFFFFFF);  // header size
    EXPECT_FALSE(readBmp(bad));
    bad = good;
    bad[0] = 'X';
    EXPECT_FALSE(readBmp(bad));

    // A palette cut short by the file leaves the missing entries black rather than read.
    auto pal = makeBmp(1, 1, 8, {0xFFFFFF}, {0, 0, 0, 0});
    set32(pal, 46, 256);
    auto image = readBmp(pal);
    ASSERT_TRUE(image);
}

TEST(PngTest, WritesAValidHeaderWithTheSurfaceSize) {
    Surface s(640, 480, rgb(10, 20, 30));
    const auto png = encodePng(s);
    ASSERT_GT(png.size(), 33u);
    const uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(std::begin(signature), std::end(signature), png.begin()));
    EXPECT_EQ((png[16] << 24) | (png[17] << 16) | (png[18] << 8) | png[19], 640);
    EXPECT_EQ((png[20] << 24) | (png[21] << 16) | (png[22] << 8) | png[23], 480);
    EXPECT_TRUE(encodePng(Surface()).empty());

    testsupport::TempDir dir;
    EXPECT_TRUE(writePng(s, dir.str() + "/shot.png"));
    EXPECT_FALSE(writePng(s, dir.str() + "/missing/shot.png"));
}

TEST(PngTest, ReadsBackWhatItWrote) {
    Surface s(3, 2, rgb(10, 20, 30));
    s.setPixel(2, 1, rgb(200, 100, 50));
    testsupport::TempDir dir;
    ASSERT_TRUE(writePng(s, dir.str() + "/a.png"));
    EXPECT_EQ(loadPng(dir.str() + "/a.png"), s);
    dir.write("bad.png", "not a png");
    EXPECT_FALSE(loadPng(dir.str() + "/bad.png"));
    EXPECT_FALSE(loadPng(dir.str() + "/missing.png"));
}

}  // namespace
}  // namespace platform::gfx
