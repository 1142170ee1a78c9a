#!/usr/bin/env bash
# The suite of a build tree. The language tours spend their two minutes each waiting on the
# program's timers, so they all run at once beside the other tests, which share the cores.
#   scripts/test.sh BUILD JOBS
set -uo pipefail
build=$1 jobs=$2
cd "$build" || exit 1

ctest -L tour -j 64 --output-on-failure >tours.log 2>&1 &
tours=$!
ctest -LE tour -j "$jobs" --output-on-failure
others=$?
wait "$tours"
toured=$?

echo "---- language tours ----"
cat tours.log
if [ "$others" -ne 0 ] || [ "$toured" -ne 0 ]; then exit 1; fi
