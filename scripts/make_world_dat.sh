#!/usr/bin/env bash
# Rebuilds data/world.dat from the npm package world-atlas (land at 1:50m).
# The packages are installed into a temporary folder that is removed at exit.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
out="${1:-$here/../data/world.dat}"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
(cd "$tmp" && npm init -y >/dev/null &&
  npm install --no-audit --no-fund --silent world-atlas@2.0.2 topojson-client@3.1.0)
node "$here/make_world_dat.js" "$tmp/node_modules/topojson-client" \
  "$tmp/node_modules/world-atlas/land-50m.json" "$out"
