#!/usr/bin/env bash
# End-to-end test of the map window: the real skytrace on a virtual X display,
# driven with xdotool, checked on screenshots, closed like a window manager
# closes a window, and its settings file checked afterwards.
set -u

bin_dir=${SKYTRACE_BIN_DIR:-$(cd "$(dirname "$0")/../../build/bin" && pwd)}
src_dir=${SKYTRACE_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
prog=$bin_dir/skytrace

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

for tool in Xvfb xdotool import convert compare cc; do
  command -v "$tool" >/dev/null || skip "$tool is not installed"
done
[ -x "$prog" ] || fail "no program at $prog"

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
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$tmp/display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
[ -s "$tmp/display" ] || skip "Xvfb cannot run here"
export DISPLAY=":$(head -1 "$tmp/display")"

# A catalogue of low satellites with their epoch now, so every position is
# computed; the data manager file lies in the default data folder.
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

cd "$tmp" || fail "no temporary folder"
"$prog" &
app_pid=$!

wid=
for _ in $(seq 100); do
  wid=$(xdotool search --name '^Skytrace$' 2>/dev/null | head -1)
  [ -n "$wid" ] && break
  kill -0 "$app_pid" 2>/dev/null || fail "skytrace ended at start"
  sleep 0.1
done
[ -n "$wid" ] || fail "no Skytrace window"
eval "$(xdotool getwindowgeometry --shell "$wid")"
win_x=$X win_y=$Y
[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] || fail "window is ${WIDTH}x$HEIGHT, not 800x600"
xdotool windowfocus --sync "$wid"

# shot NAME: the window's pixels, taken from the whole screen.
shot() {
  import -window root "$tmp/root.png" || fail "no screenshot"
  convert "$tmp/root.png" -crop "800x600+$win_x+$win_y" +repage "$tmp/$1.png"
}
# settle NAME TEST: shots until TEST NAME holds, for up to 5 seconds, so a
# busy machine only makes the test slower.
settle() {
  for _ in $(seq 25); do
    sleep 0.2
    shot "$1"
    "$2" "$1" && return 0
  done
  return 1
}
# count NAME GEOMETRY HEX: pixels of one colour in a part of a shot.
count() {
  convert "$tmp/$1.png" -crop "$2" +repage txt:- | grep -c " #$3 " || true
}
expect() {  # expect DESCRIPTION TEST...
  local what=$1; shift
  "$@" || fail "$what"
  echo "ok: $what"
}
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

panel=800x64+0+0
map=800x536+0+64
# The message box for "Miller" (6 glyphs of 10 x 16, 20 pixels around),
# centred in the window.
centre=100x56+350+272

drawn() { [ "$(count "$1" $map 0000FF)" -gt 1000 ]; }
msg_shown() { [ "$(count "$1" $centre FFFFFF)" -gt 40 ]; }
msg_gone() { [ "$(count "$1" $centre FFFFFF)" -eq 0 ]; }
selected() { [ "$(count "$1" $panel FFFF55)" -gt 100 ] && [ "$(count "$1" $map FFFF00)" -gt 100 ]; }
other_number() {
  local d
  d=$(compare -metric AE -crop 120x16+110+16 "$tmp/sel.png" "$tmp/$1.png" null: 2>&1 | cut -d' ' -f1)
  [ "${d%.*}" -gt 0 ]
}
no_track() { [ "$(count "$1" $map FFFF00)" -eq 0 ]; }
no_panel() { [ "$(count "$1" 800x600+0+0 181818)" -eq 0 ]; }

expect "the map is drawn" settle start drawn
expect "panel background at the top" [ "$(count start $panel 181818)" -gt 30000 ]
expect "no selection: name colour text in the panel" [ "$(count start 220x16+0+0 FFFFFF)" -gt 50 ]
expect "no values without a selection" [ "$(count start $panel FFFF55)" -eq 0 ]
expect "coastlines in their colour" [ "$(count start $map 00C040)" -gt 1000 ]
reds=$(count start $map FF0000)
echo "satellite pixels: $reds"
expect "satellite squares (3 x 3 each)" [ "$reds" -ge 9 -a "$reds" -le 54 ]
expect "no labels without a selection" [ "$(count start $map FFFFFF)" -eq 0 ]

xdotool key --window "$wid" m
shown_at=$(now_ms)
expect "projection name in the centre" settle proj msg_shown
expect "the grid under the box is darkened" [ "$(count proj $centre 0000FF)" -eq 0 ]
expect "and shows through it" [ "$(count proj $centre 00003F)" -gt 10 ]
expect "the name goes" settle noproj msg_gone
shown_ms=$(( $(now_ms) - shown_at ))
echo "message seen for about $shown_ms ms"
expect "after two seconds" [ "$shown_ms" -ge 1900 ]

# Click on a satellite square found in the shot.
pos=$(convert "$tmp/noproj.png" -crop $map +repage txt:- | grep -m1 ' #FF0000 ' | cut -d: -f1)
[ -n "$pos" ] || fail "no satellite square to click"
cx=$(( ${pos%,*} + 1 )) cy=$(( ${pos#*,} + 64 + 1 ))
xdotool mousemove --window "$wid" "$cx" "$cy" click 1
expect "values and ground track of the selected satellite" settle sel selected
expect "label of the selected satellite" [ "$(count sel $map FFFFFF)" -gt 20 ]

xdotool key --window "$wid" Tab
expect "Tab selects another catalogue number" settle tab other_number

xdotool key --window "$wid" p
expect "P from lines turns the track off" settle nopath no_track

xdotool key --window "$wid" i
expect "I hides the panel" settle nopanel no_panel
expect "the map fills the window" [ "$(count nopanel 800x64+0+0 0000FF)" -gt 50 ]

"$tmp/wm_close" "$wid" || fail "cannot send WM_DELETE_WINDOW"
code=
for _ in $(seq 100); do
  if ! kill -0 "$app_pid" 2>/dev/null; then
    wait "$app_pid"
    code=$?
    break
  fi
  sleep 0.1
done
[ -n "$code" ] || fail "skytrace did not end after the close request"
app_pid=
expect "exit code 0" [ "$code" -eq 0 ]

ini=$XDG_DATA_HOME/Bluefinch/Skytrace/Skytrace.ini
expect "settings saved" [ -f "$ini" ]
# ini_value SECTION KEY: the value of a key in the saved settings.
ini_value() {
  awk -v s="[$1]" -v k="$2" '/^\[/ { in_s = ($0 == s) } in_s && index($0, k "=") == 1 { print substr($0, length(k) + 2) }' "$ini"
}
expect "panel state saved" [ "$(ini_value Info Show)" = 0 ]
expect "projection saved" [ "$(ini_value Plot Projection)" = 102 ]
sel=$(ini_value "Object Selected" Data)
expect "selection saved ($sel)" [ "${sel#9000}" != "$sel" ]
echo "PASS"
