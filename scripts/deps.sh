#!/usr/bin/env bash
# Installs the Debian packages that building, testing and benchmarking need,
# only those that are missing; uses sudo when not run as root.
set -euo pipefail
pkgs=(gcc g++ make cmake pkg-config libsdl2-dev libhwy-dev libgtest-dev libbenchmark-dev
      clang libclang-rt-dev
      xvfb xauth xdotool imagemagick libx11-dev openbox wmctrl curl python3 time
      desktop-file-utils man-db groff-base gzip file dpkg-dev lintian)
missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
