// Golden screenshots of the main screen, one per dryer picture. Only the status screens'
// own areas are compared, with a small tolerance for the rasterizer and the font renderer.
// ORVANE_UPDATE_GOLDEN=1 rewrites the references; a failing comparison writes the screen and
// an image of the differences (red) to $ORVANE_GOLDEN_DIFF_DIR.
#include <cstdlib>

#include "platform/gfx/png.h"
#include "screens/status/main_screen_states.h"
#include "screens/status/status_fixture.h"

namespace statustest {
namespace {

constexpr int kChannelTolerance = 24;
constexpr double kDifferingShare = 0.004;

fs::path goldenFolder() {
    const char* source = std::getenv("ORVANE_SOURCE_DIR");
    return fs::path(source ? source : ".") / "tests" / "screens" / "status" / "golden";
}

bool close(gfx::Color a, gfx::Color b) {
    return std::abs(a.r - b.r) <= kChannelTolerance && std::abs(a.g - b.g) <= kChannelTolerance &&
           std::abs(a.b - b.b) <= kChannelTolerance;
}

class Golden : public StatusScreens {
  protected:
    std::vector<gfx::Rect> comparedAreas() {
        std::vector<gfx::Rect> areas;
        panel_->call([&] {
            for (Screen screen : {Screen::DryerPic, Screen::RightStatusBar, Screen::CustomView})
                areas.push_back(ui::screenRect(window(screen)));
        });
        return areas;
    }

    void check(const std::string& name) {
        const gfx::Surface shot = panel_->screen();
        const fs::path golden = goldenFolder() / (name + ".png");
        if (std::getenv("ORVANE_UPDATE_GOLDEN") != nullptr) {
            fs::create_directories(goldenFolder());
            ASSERT_TRUE(gfx::writePng(shot, golden.string()));
            return;
        }
        const auto expected = gfx::loadPng(golden.string());
        ASSERT_TRUE(expected) << golden << " missing: run with ORVANE_UPDATE_GOLDEN=1";
        ASSERT_EQ(expected->size(), shot.size());
        gfx::Surface diff = shot;
        int compared = 0;
        int differing = 0;
        for (const gfx::Rect& area : comparedAreas()) {
            for (int y = area.top; y < area.bottom; ++y) {
                for (int x = area.left; x < area.right; ++x) {
                    ++compared;
                    if (close(shot.colorAt(x, y), expected->colorAt(x, y))) continue;
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
            ADD_FAILURE() << name << ": " << differing << " of " << compared
                          << " pixels differ; see " << out;
        }
    }
};

TEST_F(Golden, MainScreenOfEachPicture) {
    for (const PictureState& picture : mainScreenPictures()) {
        setRunningDryer(status(), picture);
        ticks(setAnimationFrames);
        for (Screen screen : {Screen::DryerPic, Screen::RightStatusBar, Screen::CustomView})
            repaint(screen);
        check(picture.name);
    }
}

}  // namespace
}  // namespace statustest
