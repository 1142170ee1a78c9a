// Golden screenshots of the main screen, one per dryer picture; only the status screens' own areas
// are compared.
#include "screens/golden_compare.h"
#include "screens/status/main_screen_states.h"
#include "screens/status/status_fixture.h"

namespace statustest {
namespace {

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
        goldentest::checkGolden(panel_->screen(), "screens/status", name, comparedAreas());
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
