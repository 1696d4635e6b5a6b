#!/usr/bin/env bash
# End-to-end test of the console: the real skytrace on a virtual X display.
# The backquote opens the console, two set commands change the map at once,
# both windows are closed like a window manager closes them, the settings
# file holds the changes, and a second run starts with them.
set -u

bin_dir=${SKYTRACE_BIN_DIR:-$(cd "$(dirname "$0")/../../build/bin" && pwd)}
src_dir=${SKYTRACE_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
prog=$bin_dir/skytrace

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

for tool in Xvfb xdotool import convert cc; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x "$prog" ] || fail "no program at $prog"
[ -f "$src_dir/tests/e2e/wm_close.c" ] || fail "no X11 close helper"

tmp=$(mktemp -d)
xvfb_pid=
app_pid=
cleanup() {
  if [ -n "$app_pid" ]; then
    kill "$app_pid" 2>/dev/null
    wait "$app_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

cc -o "$tmp/wm_close" "$src_dir/tests/e2e/wm_close.c" -lX11 || skip "cannot build the X11 helper"

# Xvfb picks a free display itself and writes its number once it is ready.
Xvfb -displayfd 3 -screen 0 1700x1000x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$tmp/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
[ -s "$tmp/display" ] || skip "Xvfb cannot run here"
export DISPLAY=":$(head -1 "$tmp/display")"

# Six low satellites with their epoch now, listed in the data manager file
# of the default data folder.
export HOME=$tmp/home XDG_DATA_HOME=$tmp/xdg SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
mkdir -p "$HOME/Documents" "$XDG_DATA_HOME"
epoch=$(date -u +%Y-%m-%dT%H:%M:%S.000000)
{
  echo "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT"
  i=0
  for raan in 0 60 120 180 240 300; do
    i=$((i + 1))
    echo "TESTSAT $i,2020-00${i}A,$epoch,15.2,.0005,53.0,$raan,90.0,$((i * 40)),0,U,9000$i,999,100,0.0,0.0,0.0"
  done
} >"$tmp/sats.csv"
echo "$tmp/sats.csv" >"$HOME/Documents/datamgr.txt"
ini=$XDG_DATA_HOME/Bluefinch/Skytrace/Skytrace.ini

# find_window TITLE: the id of the mapped window with exactly that title.
find_window() {
  local id=
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && break
    kill -0 "$app_pid" 2>/dev/null || fail "skytrace ended"
    sleep 0.1
  done
  [ -n "$id" ] || fail "no window \"$1\""
  echo "$id"
}
# shot NAME WINDOW: the window's pixels, taken from the whole screen.
shot() {
  eval "$(xdotool getwindowgeometry --shell "$2")"
  import -window root "$tmp/root.png" || fail "no screenshot"
  convert "$tmp/root.png" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$tmp/$1.png"
}
# settle NAME WINDOW TEST: shots until TEST NAME holds, for up to 5 seconds,
# so a busy machine only makes the test slower.
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
expect() {  # expect DESCRIPTION TEST...
  local what=$1; shift
  "$@" || fail "$what"
  echo "ok: $what"
}
# wait_exit: waits until the program has ended by itself and sets
# exit_code (it runs in this shell: only the parent may wait for it).
wait_exit() {
  exit_code=
  for _ in $(seq 100); do
    if ! kill -0 "$app_pid" 2>/dev/null; then
      wait "$app_pid"
      exit_code=$?
      break
    fi
    sleep 0.1
  done
  [ -n "$exit_code" ] || fail "skytrace did not end after its windows were closed"
  app_pid=
}
ini_value() {  # ini_value SECTION KEY
  awk -v s="[$1]" -v k="$2" '/^\[/ { in_s = ($0 == s) } in_s && index($0, k "=") == 1 { print substr($0, length(k) + 2) }' "$ini"
}
# The map below the info panel (64 pixels high with the built-in font).
map=800x536+0+64
drawn() { [ "$(count "$1" 00C040 $map)" -gt 1000 ]; }
recoloured() { [ "$(count "$1" 0A141E $map)" -gt 100000 ]; }
# Four lines of grey text (three echoes and a value) and the cursor block.
typed() { [ "$(count "$1" C0C0C0 800x80+0+0)" -gt 400 ] && [ "$(count "$1" C0C0C0 10x16+10+64)" -eq 160 ]; }

cd "$tmp" || fail "no temporary folder"
"$prog" &
app_pid=$!
wid=$(find_window Skytrace)
xdotool windowfocus --sync "$wid"
expect "the map is drawn" settle before "$wid" drawn
red_before=$(count before FF0000 $map)
echo "satellite pixels before: $red_before"
expect "black map background at start" [ "$(count before 000000 $map)" -gt 100000 ]
expect "small satellite squares at start" [ "$red_before" -ge 9 -a "$red_before" -le 54 ]
expect "the console is hidden at start" [ -z "$(xdotool search --onlyvisible --name '^Skytrace Console$')" ]

xdotool key --window "$wid" grave
cid=$(find_window "Skytrace Console")
# Both windows open centred at 800 x 600; side by side, each shot shows one.
xdotool windowmove --sync "$cid" 0 0
xdotool windowmove --sync "$wid" 850 0
xdotool windowfocus --sync "$cid"
xdotool type --window "$cid" --delay 20 "set obj.size 7"
xdotool key --window "$cid" Return
xdotool type --window "$cid" --delay 20 "set plot.bg.color 10 20 30"
xdotool key --window "$cid" Return
xdotool type --window "$cid" --delay 20 "set obj.size"
xdotool key --window "$cid" Return

expect "the console shows the typed lines and the cursor" settle console "$cid" typed
expect "the map background changed at once" settle after "$wid" recoloured
red_after=$(count after FF0000 $map)
echo "satellite pixels after: $red_after"
expect "no black map background left" [ "$(count after 000000 $map)" -lt 1000 ]
expect "the satellite squares grew to 7 x 7" [ "$red_after" -gt $((red_before * 3)) -a "$red_after" -le 294 ]

"$tmp/wm_close" "$cid" || fail "cannot close the console"
sleep 0.5
expect "closing the console hides it" [ -z "$(xdotool search --onlyvisible --name '^Skytrace Console$')" ]
kill -0 "$app_pid" 2>/dev/null || fail "skytrace ended with the map window open"
"$tmp/wm_close" "$wid" || fail "cannot close the map window"
wait_exit
expect "exit code 0" [ "$exit_code" -eq 0 ]

expect "settings saved" [ -f "$ini" ]
expect "obj.size saved" [ "$(ini_value Object Size)" = 7 ]
expect "plot.bg.color saved" [ "$(ini_value Plot Background)" = "10 20 30 255 " ]
expect "coastline file saved under its key" [ "$(ini_value Lines Data)" = world.dat ]
expect "no temporary file left" [ "$(ls "$(dirname "$ini")" | wc -l)" -eq 1 ]
cp "$ini" "$tmp/first.ini"

# A second run starts with the saved settings.
"$prog" &
app_pid=$!
wid=$(find_window Skytrace)
expect "the background is kept" settle again "$wid" recoloured
red_again=$(count again FF0000 $map)
echo "satellite pixels on the second run: $red_again"
expect "the square size is kept" [ "$red_again" -gt $((red_before * 3)) ]
"$tmp/wm_close" "$wid" || fail "cannot close the map window"
wait_exit
expect "exit code 0 again" [ "$exit_code" -eq 0 ]
expect "an unchanged run saves the same file" cmp -s "$ini" "$tmp/first.ini"
echo "PASS"
