# Sourced by the end-to-end scripts: skytrace on a virtual X display, a temporary HOME
# with six low satellites, screenshots checked by colour, windows closed as a WM does.
set -u
bin_dir=${SKYTRACE_BIN_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../../build/bin" && pwd)}
src_dir=${SKYTRACE_SOURCE_DIR:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}
prog=$bin_dir/skytrace

skip() { echo "SKIP: $*"; exit 77; }
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
fail() { echo "FAIL: $*"; exit 1; }
expect() { local what=$1; shift; "$@" || fail "$what"; echo "ok: $what"; }  # expect DESCRIPTION TEST...

for tool in Xvfb xdotool import convert compare cc; do command -v "$tool" >/dev/null || skip "no $tool"; done
[ -x "$prog" ] || fail "no program at $prog"

tmp=$(mktemp -d)
xvfb_pid= app_pid=
cleanup() { local pid; for pid in $app_pid $xvfb_pid; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done; rm -rf "$tmp"; }
trap cleanup EXIT
cc -o "$tmp/wm_close" "$src_dir/tests/e2e/wm_close.c" -lX11 || skip "cannot build the X11 helper"

. "$src_dir/scripts/xvfb.sh"
start_test_xvfb() { start_xvfb "$1" || skip "Xvfb cannot run here"; }

# Satellites of epoch now, listed in the data manager file of the default data folder.
export HOME=$tmp/home XDG_DATA_HOME=$tmp/xdg SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
mkdir -p "$HOME/Documents" "$XDG_DATA_HOME"
epoch=$(date -u +%Y-%m-%dT%H:%M:%S.000000)
{
  echo "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT"
  for i in 1 2 3 4 5 6; do
    echo "TESTSAT $i,2020-00${i}A,$epoch,15.2,.0005,53.0,$(((i - 1) * 60)),90.0,$((i * 40)),0,U,9000$i,999,100,0.0,0.0,0.0"
  done
} >"$tmp/sats.csv"
echo "$tmp/sats.csv" >"$HOME/Documents/datamgr.txt"
ini=$XDG_DATA_HOME/Bluefinch/Skytrace/Skytrace.ini
cd "$tmp" || fail "no temporary folder"

start_app() { "$prog" & app_pid=$!; }
# find_window TITLE: sets win to the id of the mapped window with that title.
find_window() {
  win=
  for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$win" ] && return 0
    kill -0 "$app_pid" 2>/dev/null || fail "skytrace ended"
    sleep 0.1
  done
  fail "no window \"$1\""
}
# shot NAME WINDOW: the window's pixels, taken from the whole screen.
shot() {
  eval "$(xdotool getwindowgeometry --shell "$2")"
  import -window root "$tmp/root.png" || fail "no screenshot"
  convert "$tmp/root.png" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$tmp/$1.png"
}
# settle NAME WINDOW TEST: shots until TEST NAME holds, for up to 5 seconds.
settle() {
  for _ in $(seq 25); do
    sleep 0.2
    shot "$1" "$2"
    "$3" "$1" && return 0
  done
  return 1
}
# count NAME HEX [GEOMETRY]: pixels of one colour in a shot or a part of it.
count() {
  convert "$tmp/$1.png" ${3:+-crop "$3" +repage} txt:- | grep -c " #$2 " || true
}
# close_wait WINDOW: closes the last window and sets exit_code once the program has ended.
close_wait() {
  "$tmp/wm_close" "$1" || fail "cannot close window $1"
  for _ in $(seq 100); do
    kill -0 "$app_pid" 2>/dev/null || { wait "$app_pid"; exit_code=$?; app_pid=; return 0; }
    sleep 0.1
  done
  fail "skytrace did not end after its windows were closed"
}
ini_value() {  # ini_value SECTION KEY
  awk -v s="[$1]" -v k="$2" '/^\[/ { in_s = ($0 == s) } in_s && index($0, k "=") == 1 { print substr($0, length(k) + 2) }' "$ini"
}
map=800x536+0+64  # the map below the info panel, 64 pixels high with the built-in font
