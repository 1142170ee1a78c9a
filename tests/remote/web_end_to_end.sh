#!/usr/bin/env bash
# The web view of the real display against its simulator: the page, the API and a download with
# and without the token, a path outside the routes, and a real browser (headless Chromium) that
# shows the live values and a shutdown's text. Its screenshot is kept in the work folder.
# Usage: web_end_to_end.sh DISPLAY IMAGE WORK
set -euo pipefail
display=$1 image=$2 work=$3
rm -rf "$work"
mkdir -p "$work/root"
cp -r "$image/." "$work/root/"

cat > "$work/remote.script" <<'EOF'
expect "DRYER STATUS CHART" 5000
sim shutdown 14 5
expect "0E05 REAR DISCHARGE PLUGGED" 5000
wait 120000
quit
EOF

fail() { echo "FAIL: $*" >&2; exit 1; }

source "$(dirname "$0")/until_ok.sh"

"$display" --headless --simulate --root "$work/root" --web 127.0.0.1:0 --dryer-name "North bin" \
    --script "$work/remote.script" 2> "$work/stderr.txt" &
pid=$!
trap 'kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true' EXIT

port_line() { grep -o 'web view on http://127.0.0.1:[0-9]*' "$work/stderr.txt"; }
until_ok 20 port_line > /dev/null || fail "no web view line on stderr: $(cat "$work/stderr.txt")"
port=$(port_line | sed 's/.*://')
base="http://127.0.0.1:$port"
token=$(cat "$work/root/web-token")
[ "$(stat -c %a "$work/root/web-token")" = 600 ] || fail "the token file is readable by others"

code() { curl -s -o /dev/null -w '%{http_code}' "$@"; }
for path in / /api/status /api/history /frame.png /download/DryerShutdownHistory.txt; do
    [ "$(code "$base$path")" = 401 ] || fail "$path without the token is not 401"
done
auth=(-H "Authorization: Bearer $token")
[ "$(code "${auth[@]}" "$base/api/status")" = 200 ] || fail "/api/status with the token"
[ "$(code "${auth[@]}" "$base/no/such/route")" = 404 ] || fail "a path outside the routes is not 404"
[ "$(code "${auth[@]}" "$base/download/../web-token")" = 404 ] || fail "a path leaves the routes"

shutdown_shown() { curl -s "${auth[@]}" "$base/api/status" | grep -q '"code":"0E05"'; }
until_ok 20 shutdown_shown || fail "the API never showed the shutdown"
curl -s "${auth[@]}" "$base/api/status" > "$work/status.json"
grep -q '"state":"DRYER' "$work/status.json" || fail "no state word: $(cat "$work/status.json")"
grep -q '"link":{"state":"connected","lastGoodFrame":"20' "$work/status.json" ||
    fail "no live link: $(cat "$work/status.json")"

history_listed() { curl -s "${auth[@]}" "$base/api/history" | grep -q 'REAR DISCHARGE PLUGGED'; }
until_ok 10 history_listed || fail "the history does not list the shutdown"
curl -s "${auth[@]}" -o "$work/history.txt" "$base/download/DryerShutdownHistory.txt"
grep -q '^0E05 REAR DISCHARGE PLUGGED[^;]*;MAIN I/O;' "$work/history.txt" || fail "history download"
curl -s "${auth[@]}" -o "$work/frame.png" "$base/frame.png"
[ "$(head -c 4 "$work/frame.png" | od -An -c | tr -d ' ')" = '211PNG' ] || fail "frame is no PNG"

# Twenty clients at once, each served.
for i in $(seq 20); do code "${auth[@]}" "$base/api/status" > "$work/parallel-$i" & done
wait $(jobs -p | grep -v "^$pid$") 2>/dev/null || true
for i in $(seq 20); do [ "$(cat "$work/parallel-$i")" = 200 ] || fail "parallel client $i"; done

browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
    echo "SKIP: Chromium is not installed; the browser part did not run"
    exit 77
fi
flags=(--headless --no-sandbox --disable-gpu --disable-quic --no-first-run
       --disable-background-networking --disable-component-update --disable-sync
       --user-data-dir="$work/chromium" --window-size=1100,800 --virtual-time-budget=3000)
timeout 60 "$browser" "${flags[@]}" --dump-dom "$base/?token=$token" > "$work/dom.html" 2> "$work/chromium.log" ||
    fail "Chromium failed: $(tail -5 "$work/chromium.log")"
grep -q 'REAR DISCHARGE PLUGGED' "$work/dom.html" || fail "the page shows no shutdown text"
grep -q '<td id="moistureIn">[0-9]*\.[0-9] %</td>' "$work/dom.html" || fail "no moisture value"
grep -q '<td id="link">connected</td>' "$work/dom.html" || fail "no link state"
timeout 60 "$browser" "${flags[@]}" --screenshot="$work/web-view.png" "$base/?token=$token" \
    2>> "$work/chromium.log" || fail "Chromium screenshot failed"
[ -s "$work/web-view.png" ] || fail "no screenshot"
echo "web view checked on port $port; screenshot in $work/web-view.png"
