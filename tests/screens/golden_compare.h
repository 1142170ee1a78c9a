#pragma once
// Golden screenshots: a screen compared with a reference picture over the given areas only, with
// a small tolerance for the rasterizer and the font renderer. ORVANE_UPDATE_GOLDEN=1 rewrites the
// reference; a failing comparison writes the screen and an image of the differences (red) to
// $ORVANE_GOLDEN_DIFF_DIR.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/gfx/png.h"

namespace goldentest {

namespace fs = std::filesystem;
namespace gfx = platform::gfx;

inline constexpr int kChannelTolerance = 24;
inline constexpr double kDifferingShare = 0.004;

// The references of a test folder, e.g. "screens/batch": tests/<folder>/golden.
inline fs::path goldenFolder(const std::string& testFolder) {
    const char* source = std::getenv("ORVANE_SOURCE_DIR");
    return fs::path(source ? source : ".") / "tests" / testFolder / "golden";
}

inline bool closeColors(gfx::Color a, gfx::Color b) {
    return std::abs(a.r - b.r) <= kChannelTolerance && std::abs(a.g - b.g) <= kChannelTolerance &&
           std::abs(a.b - b.b) <= kChannelTolerance;
}

inline void checkGolden(const gfx::Surface& shot, const std::string& testFolder,
                        const std::string& name, const std::vector<gfx::Rect>& areas) {
    const fs::path folder = goldenFolder(testFolder);
    const fs::path golden = folder / (name + ".png");
    if (std::getenv("ORVANE_UPDATE_GOLDEN") != nullptr) {
        fs::create_directories(folder);
        ASSERT_TRUE(gfx::writePng(shot, golden.string()));
        return;
    }
    const auto expected = gfx::loadPng(golden.string());
    ASSERT_TRUE(expected) << golden << " missing: run with ORVANE_UPDATE_GOLDEN=1";
    ASSERT_EQ(expected->size(), shot.size());
    gfx::Surface diff = shot;
    int compared = 0;
    int differing = 0;
    for (const gfx::Rect& area : areas) {
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                ++compared;
                if (closeColors(shot.colorAt(x, y), expected->colorAt(x, y))) continue;
                ++differing;
                diff.setPixel(x, y, gfx::rgb(255, 0, 0));
            }
        }
    }
    if (differing > compared * kDifferingShare) {
        const char* dir = std::getenv("ORVANE_GOLDEN_DIFF_DIR");
        const fs::path out = dir ? dir : fs::temp_directory_path();
        fs::create_directories(out);
        gfx::writePng(shot, (out / (name + "-actual.png")).string());
        gfx::writePng(diff, (out / (name + "-diff.png")).string());
        ADD_FAILURE() << name << ": " << differing << " of " << compared << " pixels differ; see "
                      << out;
    }
}

}  // namespace goldentest
