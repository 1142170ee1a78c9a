#!/usr/bin/env bash
# Starts the display against the simulated controller. Without a display server it runs headless.
set -euo pipefail
build=${1:-build}
if [ -x "$build/orvane-display" ]; then
  exec "$build/orvane-display" --simulate
fi
echo "The display program is not built yet; the platform services and their tests are."
echo "Run 'make test' to exercise what exists."
