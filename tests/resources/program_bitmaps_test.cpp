// The program's numbered bitmaps: the build draws every one of them at its size, and the loader
// finds, shares and refuses them as the screens expect.

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "platform/files/files.h"
#include "platform/gfx/bmp.h"
#include "resources/program_bitmaps.h"
#include "support/panel_root.h"
#include "support/temp_dir.h"

namespace resources {
namespace {

namespace fs = std::filesystem;
namespace gfx = platform::gfx;

// A panel root whose flash disk holds the built image's program bitmaps.
class ProgramBitmaps : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::linkImageFolders(root, {"Program"}))
            << "build the panel image first (target orvane_artwork_files)";
        platform::configureDevicePaths(root.str(), "");
    }
    testsupport::TempDir root;
};

TEST_F(ProgramBitmaps, EveryBitmapIsInTheImageAtItsSize) {
    for (const ProgramBitmapSpec& entry : programBitmapTable()) {
        const ProgramBitmap bitmap = LoadProgramBitmap(entry.number);
        ASSERT_TRUE(bitmap) << entry.number;
        EXPECT_EQ(bitmap->size(), (gfx::Size{entry.width, entry.height})) << entry.number;
    }
}

TEST_F(ProgramBitmaps, AnimationFramesDifferSoTheyReadAsMotion) {
    // Fan/heater sets (off, fan on, heater on, firing), motors, rolls and the bin's pieces.
    const int sets[][3] = {{325, 326, 327}, {328, 329, 330}, {331, 332, 333}, {334, 335, 336},
                           {344, 345, 346}, {347, 348, 349}, {295, 296, 297}, {301, 302, 303},
                           {354, 355, 356}, {357, 358, 359}, {360, 361, 362}, {363, 364, 365},
                           {310, 311, 316}, {317, 318, 319}, {408, 409, 410}, {418, 419, 420},
                           {422, 423, 424}, {425, 426, 427}, {430, 431, 432}};
    for (const auto& set : sets) {
        const auto a = LoadProgramBitmap(set[0]);
        const auto b = LoadProgramBitmap(set[1]);
        const auto c = LoadProgramBitmap(set[2]);
        ASSERT_TRUE(a && b && c) << set[0];
        EXPECT_NE(*a, *b) << set[0];
        EXPECT_NE(*b, *c) << set[0];
        EXPECT_NE(*a, *c) << set[0];
    }
    // The states of one fan/heater frame differ from each other, and lamps light up.
    for (const auto& states : {std::array{325, 328, 331, 334}, std::array{341, 344, 350, 347},
                               std::array{292, 295, 304, 301}}) {
        for (size_t i = 1; i < states.size(); ++i)
            EXPECT_NE(*LoadProgramBitmap(states[i - 1]), *LoadProgramBitmap(states[i]))
                << states[i];
    }
    EXPECT_NE(*LoadProgramBitmap(428), *LoadProgramBitmap(429));
    EXPECT_NE(*LoadProgramBitmap(433), *LoadProgramBitmap(434));
}

TEST_F(ProgramBitmaps, LoadedOnceAndShared) {
    const ProgramBitmap first = LoadProgramBitmap(324);
    const ProgramBitmap again = LoadProgramBitmap(324);
    ASSERT_TRUE(first);
    EXPECT_EQ(first.get(), again.get());
}

TEST(ProgramBitmapLoader, UnknownNumbersAndMissingFilesGiveNothing) {
    testsupport::TempDir root;
    platform::configureDevicePaths(root.str(), "");
    for (int number : {0, -1, 1, 100, 209, 322, 596, 100000}) {
        EXPECT_EQ(ProgramBitmapPath(number), "") << number;
        EXPECT_FALSE(LoadProgramBitmap(number)) << number;
        EXPECT_EQ(programBitmapSpec(number), nullptr) << number;
    }
    EXPECT_EQ(ProgramBitmapPath(462), "\\Hard Disk\\Program\\Bitmaps\\BITMAP_462.BMP");
    EXPECT_FALSE(LoadProgramBitmap(462));
    // A file that is not a bitmap does not load either.
    root.write("Hard Disk/Program/Bitmaps/BITMAP_462.BMP", "BM not really");
    EXPECT_FALSE(LoadProgramBitmap(462));
}

TEST(ProgramBitmapLoader, ANewPanelRootIsReadAfresh) {
    testsupport::TempDir first;
    testsupport::TempDir second;
    fs::create_directories(first.path() / "Hard Disk/Program/Bitmaps");
    fs::create_directories(second.path() / "Hard Disk/Program/Bitmaps");
    ASSERT_TRUE(
        gfx::writeBmp(gfx::Surface(25, 25, gfx::rgb(255, 0, 0)),
                      (first.path() / "Hard Disk/Program/Bitmaps/BITMAP_462.BMP").string()));
    ASSERT_TRUE(
        gfx::writeBmp(gfx::Surface(25, 25, gfx::rgb(0, 0, 255)),
                      (second.path() / "Hard Disk/Program/Bitmaps/BITMAP_462.BMP").string()));
    platform::configureDevicePaths(first.str(), "");
    const ProgramBitmap red = LoadProgramBitmap(462);
    platform::configureDevicePaths(second.str(), "");
    const ProgramBitmap blue = LoadProgramBitmap(462);
    ASSERT_TRUE(red && blue);
    EXPECT_EQ(red->colorAt(3, 3), gfx::rgb(255, 0, 0));
    EXPECT_EQ(blue->colorAt(3, 3), gfx::rgb(0, 0, 255));
}

}  // namespace
}  // namespace resources
