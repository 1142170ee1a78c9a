#pragma once
// The code rules of the hardware setup and the two small dialogs it opens.

#include "platform/ui/ui.h"

namespace setup {

inline constexpr int kLengthCodes = 15;

// The model family in the high four bits of dryerModelFlags: 0x2X single-column dryers (no
// modules, load system or roll size to choose; one or three fan/heaters), 0x8X towers measured
// in feet, anything else.
enum class ModelFamily { SingleColumn, Tower, Other };
ModelFamily modelFamily(int dryerModelFlags);

// The fan/heater code after SELECT.
int nextFanHeaterCode(ModelFamily family, int moduleCode, int code);
// The fan/heater code brought into the range of a module count.
int fanHeaterCodeForModules(int moduleCode, int code);

enum class Answer { Yes, No, Cancel };
// Asks whether to turn the cycled moisture sampler on (605).
Answer runSamplerQuestion(platform::ui::Window owner);
// The moisture sensor selection (613): analog or network for the wet and the dry sensor.
void runSensorSelection(platform::ui::Window owner);

}  // namespace setup
