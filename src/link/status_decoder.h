#pragma once
// Decoding of a good status frame into DryerState: field-by-field change test and copy, the
// special rules, confirmation of pending edits, derived display flags, and the repaint requests
// and calls registered in `state.hooks`.

#include <cstdint>

#include "link/dryer_state.h"

namespace dryer {

// `frame` holds a whole status frame whose length and CRC have been checked.
void decodeStatusFrame(DryerState& state, const uint8_t* frame);

}  // namespace dryer
