#pragma once
// The picture of the batch drying timers: with one heat stage (drawing A) the heat, cool and
// unload columns; with two heat stages (drawing B, shell::batchHasTwoHeatStages, the rule the
// stage buttons follow) the heat column holds a high and a low heat row, each above its button.
// Large digits for the larger unit of a running time, two smaller digits for the other, the set
// time above in "HH HR MM MIN" form.

#include <array>
#include <cstdint>
#include <string>

#include "link/dryer_state.h"
#include "platform/gfx/painter.h"

namespace batch {

// A time as the controller sends it: larger unit, smaller unit.
using StageTime = std::array<uint8_t, 2>;

struct Stage {
    StageTime running{};
    StageTime set{};
};

// What the picture shows, read from one status frame.
struct BatchTimers {
    Stage heat;
    Stage loHeat;
    Stage cool;
    Stage unload;
    bool twoHeatStages = false;
    // The heat column shows AVERAGING INCOMING MOISTURE instead of the heat time.
    bool averaging = false;
    std::string hours;    // after the set time's first number
    std::string minutes;  // after its second
};

// Reads the stage times and the conditions under the state's lock; the unit words from the
// current language.
BatchTimers readBatchTimers(const dryer::DryerState& state);

// Paints the whole picture over a black background into `p`, whose area is `client`.
void drawBatchTimers(platform::gfx::Painter& p, const platform::gfx::Rect& client,
                     const BatchTimers& timers);

}  // namespace batch
