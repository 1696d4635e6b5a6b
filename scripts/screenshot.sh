#!/usr/bin/env bash
# Takes docs/screenshot.png: the built program on the bundled sample data, in a
# virtual X display, with one satellite selected, its ground track and the
# info panel. Needs a build (build/bin/skytrace) and the packages of
# scripts/deps.sh (Xvfb, ImageMagick, libx11-dev). With --demo it takes
# docs/screenshot-demo.png instead: the demo catalogue that `make run` makes
# offline, on the Natural Earth projection, with a low satellite selected.
# With --observer it takes docs/screenshot-observer.png: the sample data
# with an observer in Paris, the sample station's footprint and the night
# side shaded over a dark blue map.
# Usage: scripts/screenshot.sh [--demo | --observer] [output.png]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
prog=${SKYTRACE_BIN_DIR:-$root/build/bin}/skytrace
kind=
case ${1:-} in
  --demo | --observer) kind=${1#--}; shift ;;
esac
out=${1:-$root/docs/screenshot${kind:+-$kind}.png}
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
ini=$XDG_DATA_HOME/Bluefinch/Skytrace/Skytrace.ini
if [ "$kind" = demo ]; then
  "$root/scripts/demo-catalogue.sh" "$(dirname "$prog")/skytrace-cli" >"$tmp/demo.tle"
  echo "$tmp/demo.tle" >"$HOME/Documents/datamgr.txt"
  printf '[Object Selected]\nData=90001\n[Plot]\nProjection=503\n' >"$ini"
elif [ "$kind" = observer ]; then
  echo "$root/data/sample/sample.tle" >"$HOME/Documents/datamgr.txt"
  printf '%s\n' '[Object Selected]' 'Data=99001' '[Plot]' 'Projection=500' 'Background=16 40 80 255' \
    '[Observer]' 'Latitude=48.85' 'Longitude=2.35' 'Show=1' '[Footprint]' 'Show=1' '[Night]' 'Show=1' >"$ini"
else
  echo "$root/data/sample/sample.tle" >"$HOME/Documents/datamgr.txt"
  # The sample station selected, on the Winkel Tripel projection.
  printf '[Object Selected]\nData=99001\n[Plot]\nProjection=500\n' >"$ini"
fi

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
