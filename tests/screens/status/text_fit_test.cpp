// Every text the status screens draw keeps to its rectangle and to its window, in English and
// in German, for every picture, every gauge layout and the longer lines of the status bar.
#include <sstream>

#include "screens/status/main_screen_states.h"
#include "screens/status/status_fixture.h"

namespace statustest {
namespace {

class TextFit : public StatusScreens {
  protected:
    void SetUp() override {
        StatusScreens::SetUp();
        panel_->call([this] {
            for (Screen screen : {Screen::LineGraph, Screen::LeftStatusBar})
                ui::showWindow(window(screen), true);
        });
    }

    static bool inside(const gfx::Rect& inner, const gfx::Rect& outer) {
        return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
               inner.bottom <= outer.bottom;
    }

    // Lines outside their rectangle (a state word's one-pixel rectangle excepted) or outside
    // the client area of the window that drew them.
    std::string overflows(Screen screen, const std::string& setting) {
        std::ostringstream out;
        for (ui::Window w : family(window(screen))) {
            repaint(screen);
            gfx::Rect client;
            panel_->call([&] { client = ui::clientRect(w); });
            for (const gfx::DrawnText& t : panel_->texts(w)) {
                if (isCaption(t)) continue;
                for (const gfx::TextLine& line : t.lines) {
                    const bool ownRect = (t.flags & gfx::kNoClip) != 0 || inside(line.box, t.rect);
                    if (ownRect && inside(line.box, client)) continue;
                    out << setting << ": \"" << line.text << "\" box " << line.box.left << ","
                        << line.box.top << "-" << line.box.right << "," << line.box.bottom
                        << " rect " << t.rect.left << "," << t.rect.top << "-" << t.rect.right
                        << "," << t.rect.bottom << "\n";
                }
            }
        }
        return out.str();
    }

    std::string checkEverything(const std::string& language) {
        std::string found;
        auto& s = status();
        for (const PictureState& picture : mainScreenPictures()) {
            setRunningDryer(s, picture);
            ticks(setAnimationFrames);
            // Staged batch with the sampler and the batch values, metric and not.
            for (int variant = 0; variant < 3; ++variant) {
                s.dryingMode().set(variant == 1 ? 1 : 0);
                s.statusByte292().set(variant == 2 ? 0x01 : 0x02);
                s.statusFlags171().set(variant == 0 ? 0x48 : 0x08);
                s.batchCounter().set(1234);
                s.moistureValue247().set(185);
                s.moistureValue249().set(172);
                dryer::dryerState().unitsSetting = variant == 2 ? 1 : 0;
                const std::string setting =
                    language + " " + picture.name + " variant " + std::to_string(variant);
                found += overflows(Screen::DryerPic, setting);
                found += overflows(Screen::LineGraph, setting);
            }
        }
        dryer::dryerState().unitsSetting = 0;
        for (int code = 0; code <= 4; ++code) {
            s.dryerModelFlags().set(0);
            s.fanHeaterCountCode().set(code);
            for (int word : {0x00, 0x40, 0x02}) {
                for (int i = 0; i < 6; ++i) {
                    s.fanHeaterStatusD(i).set(word);
                    s.fanHeaterOutputs(i).set(i % 2 == 0 ? 0x06 : 0x02);
                    s.fanHeaterStatus(i).set(i == 3 ? 0x20 : 0x03);
                }
                s.dryingMode().set(word == 0x02 ? 1 : 0);
                s.plenumTempOptions().set(word == 0x02 ? 0x02 : 0);
                found +=
                    overflows(Screen::CustomView, language + " gauges " + std::to_string(code));
            }
        }
        found += rightBarLines(language);
        found += overflows(Screen::LeftStatusBar, language + " left bar");
        s.fanHeaterStatusD(0).set(0x04);
        found += overflows(Screen::LeftStatusBar, language + " airflow notice");
        return found;
    }

    std::string rightBarLines(const std::string& language) {
        std::string found;
        auto& s = status();
        const auto check = [&](const std::string& what) {
            found += overflows(Screen::RightStatusBar, language + " right bar " + what);
        };
        s.statusFlags171().set(0x08);
        s.outOfGrainFlags().set(0x01);
        check("out of grain");
        s.hardwareOptions().set(0x01);
        ticks([](shell::PeriodicState& p) { p.alertBlinkFlags |= shell::kBlinkStartupDone; });
        check("auto-start out of grain");
        s.statusFlags171().set(0xA8);
        s.statusFlags280().set(0x04);
        check("auto-start waiting");
        s.hardwareOptions().set(0);
        s.moistureControlMode().set(3);
        s.mcLearningMinutes().set(120);
        s.operatingModeFlags().set(0x04);
        check("learning");
        s.mcLearningMinutes().set(0);
        s.dryingOptions().set(0x08);
        s.alarmFlags().set(0x40);
        s.grainTemp(0).set(20);
        s.grainTempSetpoint().set(160);
        check("grain distance");
        s.rightBarFlags(5).set(0x20);
        check("check dryer");
        return found;
    }
};

TEST_F(TextFit, EveryTextFitsInEnglishAndGerman) {
    EXPECT_EQ(checkEverything("English"), "");
    german();
    EXPECT_EQ(checkEverything("German"), "");
}

}  // namespace
}  // namespace statustest
