#pragma once
// Fixed dryer states for the four pictures of the main screen, for the golden screenshots and
// the text-fit check: a running dryer with its fans turning and one burner firing.

#include <string>
#include <vector>

#include "link/dryer_state.h"
#include "shell/periodic.h"

namespace statustest {

struct PictureState {
    std::string name;
    int moduleCount;
    int modelFlags;
    int fanHeaterCode;
};

inline const std::vector<PictureState>& mainScreenPictures() {
    static const std::vector<PictureState> pictures = {{"two_module_tower", 1, 0x00, 3},
                                                       {"three_module_tower", 2, 0x00, 4},
                                                       {"single_module", 0, 0x80, 2},
                                                       {"bin", 0, 0x20, 0}};
    return pictures;
}

// A running continuous-flow dryer under basic automatic moisture control.
inline void setRunningDryer(dryer::ParameterImage& s, const PictureState& picture) {
    s.moduleCountCode().set(picture.moduleCount);
    s.dryerModelFlags().set(picture.modelFlags);
    s.fanHeaterCountCode().set(picture.fanHeaterCode);
    for (int i = 0; i < 6; ++i) {
        s.plenumTempSetpoint(i).set(180);
        s.plenumTemp(i).set(176 + i);
        s.fanHeaterStatus(i).set(0x03);
        s.fanHeaterOutputs(i).set(i % 2 == 0 ? 0x07 : 0x03);
    }
    s.statusFlags171().set(0x48);
    s.statusFlags172().set(0x01);
    s.alarmFlags().set(0x40);
    s.moistureControlMode().set(0x81);
    s.operatingModeFlags().set(0x10);
    s.moistureIn().set(221);
    s.moistureOut().set(156);
    s.moistureSetpoint().set(155);
    s.grainTemp(0).set(104);
    s.grainTempIn().set(655);
    s.grainTempOut().set(982);
    s.grainTempSetpoint().set(110);
    s.grainHiTempSetpoint().set(120);
    s.grainLoTempSetpoint().set(90);
    s.meterRollSpeed().set(52);
    s.meterRollKnobSpeed(0).set(1);
    s.statusByte223().set(4);
    s.bushelRate().set(1480);
    s.bushelCounter().set(3600 * 12840);
    s.statusWord197().set(523);
    s.outOfGrainTimerSetpoint().set(8 * 60);
    s.outOfGrainElapsed().set(7 * 60 + 12);
    s.statusWord168().set(0x0008);
}

inline void setAnimationFrames(shell::PeriodicState& p) {
    for (int i = 0; i < 6; ++i)
        p.fanFrame[i] = static_cast<uint32_t>(i % 3);
    p.loadFrame = 1;
    p.unloadFrame = 2;
    p.meterRollFrame = {1, 0};
    p.binMotorFrame = 1;
    p.alertBlinkFlags = shell::kBlinkCaption;
}

}  // namespace statustest
