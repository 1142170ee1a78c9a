// Golden screenshots of the batch drying timers in both drawings and with the averaging note. Only
// the screen's own area is compared, with a small tolerance for the rasterizer and the font
// renderer. ORVANE_UPDATE_GOLDEN=1 rewrites the references; a failing comparison writes the screen
// and an image of the differences (red) to $ORVANE_GOLDEN_DIFF_DIR.
#include <cstdlib>

#include "platform/gfx/png.h"
#include "screens/batch/batch_fixture.h"

namespace batchtest {
namespace {

constexpr int kChannelTolerance = 24;
constexpr double kDifferingShare = 0.004;

fs::path goldenFolder() {
    const char* source = std::getenv("ORVANE_SOURCE_DIR");
    return fs::path(source ? source : ".") / "tests" / "screens" / "batch" / "golden";
}

bool close(gfx::Color a, gfx::Color b) {
    return std::abs(a.r - b.r) <= kChannelTolerance && std::abs(a.g - b.g) <= kChannelTolerance &&
           std::abs(a.b - b.b) <= kChannelTolerance;
}

class Golden : public BatchScreen {
  protected:
    void SetUp() override {
        BatchScreen::SetUp();
        controllerSetsTime(kHeatTime, 1, 5);
        controllerSetsTime(kHeatSet, 2, 30);
        controllerSetsTime(kLoHeatTime, 0, 40);
        controllerSetsTime(kLoHeatSet, 1, 15);
        controllerSetsTime(kCoolTime, 0, 0);
        controllerSetsTime(kCoolSet, 20, 0);
        controllerSetsTime(kUnloadTime, 0, 0);
        controllerSetsTime(kUnloadSet, 10, 0);
    }

    void check(const std::string& name) {
        drawn();
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
        gfx::Rect area;
        panel_->call([&] { area = ui::screenRect(screen()); });
        gfx::Surface diff = shot;
        int compared = 0;
        int differing = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                ++compared;
                if (close(shot.colorAt(x, y), expected->colorAt(x, y))) continue;
                ++differing;
                diff.setPixel(x, y, gfx::rgb(255, 0, 0));
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

TEST_F(Golden, OneHeatStage) {
    start();
    check("batch_one_heat_stage");
}

TEST_F(Golden, AveragingNote) {
    controllerSets({{kPlenumTempOptions, 0x40}, {kMoistureControlMode, 6}});
    start();
    controllerSets({{kStatusFlags171, 0x20}});
    check("batch_averaging_note");
}

TEST_F(Golden, TwoHeatStages) {
    controllerSets({{kPlenumTempOptions, 0x02}});
    start();
    check("batch_two_heat_stages");
}

}  // namespace
}  // namespace batchtest
