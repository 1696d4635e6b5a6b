#!/usr/bin/env bash
# Takes docs/screenshot.png: the built program on the bundled sample data, in a
# virtual X display, with one satellite selected, its ground track and the
# info panel. Needs a build (build/bin/skytrace) and the packages of
# scripts/deps.sh (Xvfb, ImageMagick, libx11-dev).
# Usage: scripts/screenshot.sh [output.png]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
prog=${SKYTRACE_BIN_DIR:-$root/build/bin}/skytrace
out=${1:-$root/docs/screenshot.png}
[ -x "$prog" ] || { echo "build first: no $prog" >&2; exit 1; }

tmp=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  [ -n "$app_pid" ] && { kill "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null || true; }
  [ -n "$xvfb_pid" ] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true; }
  rm -rf "$tmp"
}
trap cleanup EXIT

cc -o "$tmp/wm_close" "$root/tests/e2e/wm_close.c" -lX11

. "$root/scripts/xvfb.sh"
start_xvfb 1024x768 || { echo "Xvfb cannot run" >&2; exit 1; }

export HOME=$tmp/home XDG_DATA_HOME=$tmp/xdg SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
mkdir -p "$HOME/Documents" "$XDG_DATA_HOME/Bluefinch/Skytrace"
echo "$root/data/sample/sample.tle" >"$HOME/Documents/datamgr.txt"
# The sample station selected, on the Winkel Tripel projection.
cat >"$XDG_DATA_HOME/Bluefinch/Skytrace/Skytrace.ini" <<'INI'
[Object Selected]
Data=99001
[Plot]
Projection=500
INI

"$prog" &
app_pid=$!
wid=
for _ in $(seq 100); do
  wid=$(xdotool search --name '^Skytrace$' 2>/dev/null | head -1) && [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "no Skytrace window" >&2; exit 1; }
sleep 2
mkdir -p "$(dirname "$out")"
import -window "$wid" "$out"
"$tmp/wm_close" "$wid"
wait "$app_pid"
app_pid=
echo "wrote $out"
