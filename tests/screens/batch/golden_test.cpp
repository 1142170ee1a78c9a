// Golden screenshots of the batch drying timers in both drawings and with the averaging note; only
// the screen's own area is compared.
#include "screens/batch/batch_fixture.h"
#include "screens/golden_compare.h"

namespace batchtest {
namespace {

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
        gfx::Rect area;
        panel_->call([&] { area = ui::screenRect(screen()); });
        goldentest::checkGolden(panel_->screen(), "screens/batch", name, {area});
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
