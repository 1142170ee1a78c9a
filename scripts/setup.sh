#!/usr/bin/env bash
# Installs what building, running and testing the display needs on Debian 12.
# Quiet and quick when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  clang libclang-rt-14-dev
  libsdl2-dev libfreetype-dev libsqlite3-dev libpng-dev
  fonts-dejavu-core librsvg2-bin
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb sqlite3 ccache
  libcpp-httplib-dev libmosquitto-dev mosquitto mosquitto-clients curl chromium
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
