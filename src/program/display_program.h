#pragma once
// The orvane-display program: the command line, the panel root, one copy per root, the display
// backend, the controller line (or the simulator on a pseudo-terminal), the shell, and the
// screenshot and script runs.

namespace program {

int runDisplayProgram(int argc, char** argv);

}  // namespace program
