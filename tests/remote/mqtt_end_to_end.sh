#!/usr/bin/env bash
# Telemetry of the real display to a real broker (mosquitto on a loopback port of its own): the
# online state with its last will, the retained status, one shutdown message; then a broker
# outage with three shutdowns and a killed display, and all three delivered after the restart,
# in order, once each.
# Usage: mqtt_end_to_end.sh DISPLAY IMAGE WORK
set -euo pipefail
display=$1 image=$2 work=$3
for tool in mosquitto mosquitto_sub sqlite3; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
rm -rf "$work"
mkdir -p "$work/root" "$work/broker"
# Started as root, the broker runs as its own user; its sessions must survive its restart.
chmod a+rwx "$work/broker"
cp -r "$image/." "$work/root/"
fail() {
    echo "FAIL: $*" >&2
    for f in messages.txt first.log outage.log restart.log broker-*.log; do
        [ -f "$work/$f" ] && { echo "--- $f:" >&2; cat "$work/$f" >&2; }
    done
    exit 1
}

source "$(dirname "$0")/until_ok.sh"

pids=()
cleanup() { for p in "${pids[@]}"; do kill -9 "$p" 2> /dev/null || true; done; }
trap cleanup EXIT

port=$((20000 + $$ % 20000))
broker_pid=
broker_starts=0
start_broker() {
    broker_starts=$((broker_starts + 1))
    local log="$work/broker-$broker_starts.log"
    printf 'listener %d 127.0.0.1\nallow_anonymous true\npersistence true\npersistence_location %s/\n' \
        "$port" "$work/broker" > "$work/broker.conf"
    mosquitto -c "$work/broker.conf" > "$log" 2>&1 &
    broker_pid=$!
    pids+=("$broker_pid")
    until_ok 20 grep -q "Opening ipv4 listen socket on port $port" "$log" ||
        fail "the broker did not start on port $port"
}
start_broker

# A subscriber with a session the broker keeps, so that nothing sent while it reconnects is lost.
mosquitto_sub -h 127.0.0.1 -p "$port" -q 1 -c -i orvane-e2e-subscriber -v -t 'orvane/north/#' \
    > "$work/messages.txt" 2> "$work/subscriber.log" &
pids+=($!)

run_display() {  # SCRIPT-TEXT LOG
    printf '%b' "$1" > "$work/$2.script"
    "$display" --headless --simulate --root "$work/root" --mqtt "mqtt://127.0.0.1:$port" \
        --dryer-name north --script "$work/$2.script" 2> "$work/$2.log" &
    display_pid=$!
    pids+=("$display_pid")
}
# A display killed with -9 holds its panel root until it is reaped; the next one must find it free.
kill_display() {
    kill -9 "$display_pid"
    wait "$display_pid" 2> /dev/null || true
}
running() { kill -0 "$display_pid" 2> /dev/null || fail "the display stopped"; }
count() { grep -c "$1" "$work/messages.txt" || true; }
has() { [ "$(count "$1")" -ge "${2:-1}" ]; }

# 1. Online, status, one shutdown; kill -9 gives the last will.
run_display 'expect "DRYER STATUS CHART" 5000\nsim shutdown 14 5\nwait 120000\nquit\n' first
until_ok 20 has '^orvane/north/online 1$' || fail "no online 1"
until_ok 20 has '^orvane/north/status {.*"dryer":"north"' || fail "no status"
until_ok 20 has '^orvane/north/shutdown {"id":1,.*"code":"0E05"' || fail "no shutdown message"
kill_display
until_ok 20 has '^orvane/north/online 0$' || fail "no last will after kill -9"
[ "$(count '^orvane/north/shutdown')" = 1 ] || fail "the shutdown came more than once"

# 2. The broker goes away; three shutdowns are kept in the outbox; the display is killed.
kill "$broker_pid"
wait "$broker_pid" 2> /dev/null || true
grep -q "Error saving" "$work/broker-1.log" && fail "the broker could not keep its sessions"
run_display 'expect "DRYER STATUS CHART" 5000\nsim shutdown 1 3\nexpect "0103" 5000\nsim clear\nexpect-not "0103" 5000\nsim shutdown 14 7\nexpect "0E07" 5000\nsim clear\nexpect-not "0E07" 5000\nsim shutdown 15 8\nexpect "0F08" 5000\nwait 120000\nquit\n' outage
queued() { [ "$(sqlite3 "$work/root/Hard Disk/TelemetryOutbox" 'SELECT count(*) FROM outbox' 2> /dev/null)" = 3 ]; }
until_ok 30 queued || fail "the outbox did not keep three shutdowns"
kill_display

# 3. The display starts again, then the broker: all three arrive, in order, once each.
run_display 'wait 120000\nquit\n' restart
start_broker
running
until_ok 60 has '^orvane/north/shutdown' 4 || fail "the kept shutdowns did not arrive"
until_ok 10 has '^orvane/north/online 1$' 2 || fail "no online 1 after the restart"
grep '^orvane/north/shutdown' "$work/messages.txt" | grep -o '"code":"[0-9A-F]*"' > "$work/codes.txt"
printf '"code":"0E05"\n"code":"0103"\n"code":"0E07"\n"code":"0F08"\n' | diff - "$work/codes.txt" ||
    fail "shutdowns out of order or repeated"
[ "$(sqlite3 "$work/root/Hard Disk/TelemetryOutbox" 'SELECT count(*) FROM outbox')" = 0 ] ||
    fail "delivered messages stayed in the outbox"
echo "telemetry checked on port $port"
