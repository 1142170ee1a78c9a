#!/usr/bin/env bash
# The display's own load on the panel: orvane-display --headless against orvane-sim --pty with
# the dryer running (fans and motors animated), measured over SECONDS after a 5-second start.
# Prints the display's CPU as a share of one core and its resident memory.
#
#   bench/screens/display_load.sh [BUILD_DIR] [SECONDS]
set -euo pipefail
build=${1:-build}
seconds=${2:-60}
work=$(mktemp -d)
sim_pid=""
display_pid=""
cleanup() {
  [ -n "$display_pid" ] && kill "$display_pid" 2>/dev/null || true
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The simulator keeps answering while its input stays open.
sleep $((seconds + 30)) | "$build/sim/orvane-sim" --pty >"$work/sim.out" 2>&1 &
sim_pid=$!
for _ in $(seq 50); do
  grep -q 'display side' "$work/sim.out" 2>/dev/null && break
  sleep 0.1
done
device=$(grep -o '/dev/pts/[0-9]*' "$work/sim.out" | head -1)
[ -n "$device" ] || { echo "the simulator did not start" >&2; exit 1; }

XDG_DATA_HOME="$work/data" "$build/orvane-display" --headless --port "$device" >/dev/null 2>&1 &
display_pid=$!
sleep 5

ticks() { awk '{print $14 + $15}' "/proc/$display_pid/stat"; }
hz=$(getconf CLK_TCK)
start_ticks=$(ticks)
start_ns=$(date +%s%N)
sleep "$seconds"
end_ticks=$(ticks)
end_ns=$(date +%s%N)
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$display_pid/status")
peak=$(awk '/^VmHWM/ {print $2}' "/proc/$display_pid/status")
awk -v t=$((end_ticks - start_ticks)) -v hz="$hz" -v ns=$((end_ns - start_ns)) \
    -v rss="$rss" -v peak="$peak" 'BEGIN {
  printf "display CPU: %.2f %% of one core over %.1f s\n", 100 * t / hz / (ns / 1e9), ns / 1e9
  printf "display resident memory: %.1f MiB (peak %.1f MiB)\n", rss / 1024, peak / 1024
}'
