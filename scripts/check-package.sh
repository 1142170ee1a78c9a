#!/usr/bin/env bash
# Builds the Debian package in a build tree, checks it with lintian, installs it, runs the
# installed display headless from the installed panel image, then removes and purges it.
# Needs root (dpkg). Usage: scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
cmake --build "$build" --target package
deb=$(ls "$build"/orvane-display_*_"$(dpkg --print-architecture)".deb)
version=$(dpkg-deb -f "$deb" Version)
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"

# Errors and warnings fail the check; the remaining information tags are listed in the log.
lintian --display-info --pedantic --fail-on error,warning --suppress-tags-from-file packaging/lintian-known "$deb"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg -i "$deb"
for f in /usr/bin/orvane-display /usr/bin/orvane-sim /usr/bin/orvane-logdata \
  /lib/systemd/system/orvane-display.service /lib/udev/rules.d/60-orvane-display.rules \
  /etc/default/orvane-display /usr/share/man/man1/orvane-display.1.gz \
  "/usr/share/orvane-display/panel-image/Hard Disk/Languages"; do
  [[ -e $f ]] || { echo "not installed: $f"; exit 1; }
done
getent passwd orvane >/dev/null || { echo "the service user orvane was not made"; exit 1; }
if command -v systemd-analyze >/dev/null; then
  systemd-analyze verify /lib/systemd/system/orvane-display.service
fi

out=$(/usr/bin/orvane-display --version)
[[ $out == "orvane-display "* ]] || { echo "unexpected --version: $out"; exit 1; }
echo "installed: $out"

# The service's way of finding its panel image; the build tree's image must not stand in for it.
cat >"$work/check.script" <<SCRIPT
expect "DRYER STATUS CHART" 5000
screenshot $work/shot.png
quit
SCRIPT
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$work" XDG_DATA_HOME="$work/data" \
  ORVANE_IMAGE_DIR=/usr/share/orvane-display/panel-image \
  /usr/bin/orvane-display --headless --simulate --script "$work/check.script"
[[ -d "$work/data/orvane-display/panel/Hard Disk/Languages/EN" ]] || {
  echo "the panel root was not filled from the installed image"; exit 1; }
size=$(od -An -tu1 -j16 -N8 "$work/shot.png" | tr -s ' ')
[[ $size == " 0 0 2 128 0 0 1 224" ]] || { echo "the screenshot is not 640 x 480 PNG: $size"; exit 1; }

dpkg -r orvane-display
for f in /usr/bin/orvane-display /usr/share/orvane-display /lib/systemd/system/orvane-display.service; do
  [[ ! -e $f ]] || { echo "left after removal: $f"; exit 1; }
done
dpkg -P orvane-display
for f in /etc/default/orvane-display /etc/systemd/system/orvane-display.service \
  /etc/systemd/system/multi-user.target.wants/orvane-display.service /var/lib/orvane-display; do
  [[ ! -e $f && ! -L $f ]] || { echo "left after purge: $f"; exit 1; }
done
! dpkg -s orvane-display >/dev/null 2>&1 || { echo "still known to dpkg after purge"; exit 1; }
echo "package $version: built, installed, run and removed"
