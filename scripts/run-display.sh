#!/usr/bin/env bash
# Starts the display against the simulated controller: a window where a display exists,
# headless otherwise (the program says so itself).
set -euo pipefail
build=${1:-build}
shift || true
exec "$build/orvane-display" --simulate "$@"
