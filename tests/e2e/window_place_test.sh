#!/usr/bin/env bash
# End-to-end test of window placement under a window manager that frames the windows:
# both windows open run after run where they were closed, also after a move and a resize,
# and a maximised map window opens maximised with its normal rectangle kept.
. "$(dirname "$0")/lib.sh"
for tool in openbox wmctrl; do command -v "$tool" >/dev/null || skip "no $tool"; done
start_test_xvfb 1600x1000
openbox >"$tmp/wm.log" 2>&1 &
wm_pid=$!
trap 'kill "$wm_pid" 2>/dev/null; cleanup' EXIT
for _ in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
wmctrl -m >/dev/null 2>&1 || skip "openbox did not start"
mkdir -p "$(dirname "$ini")"
printf '[Window]\nRect=100 80 800 600 \n[Console]\nRect=700 300 640 480 \n' >"$ini"

geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; echo "$X $Y $WIDTH $HEIGHT"; }
# open_both: starts the program and shows the console; wid, cid and both client geometries.
open_both() {
  start_app
  find_window Skytrace
  wid=$win
  xdotool key --window "$wid" grave
  find_window "Skytrace Console"
  cid=$win
  sleep 1
  map_geo=$(geometry "$wid") con_geo=$(geometry "$cid")
}
rects() { echo "$(ini_value Window Rect)/$(ini_value Console Rect)/$(ini_value Window Max)"; }

open_both
first_map=$map_geo first_con=$con_geo
close_wait "$wid"
expect "rectangles kept as created" [ "$(rects)" = "100 80 800 600 /700 300 640 480 /0" ]
open_both
expect "the console opens where it was ($con_geo)" [ "$con_geo" = "$first_con" ]
expect "the map window opens where it was ($map_geo)" [ "$map_geo" = "$first_map" ]
xdotool windowmove --sync "$cid" 200 150
xdotool windowsize --sync "$cid" 500 400
sleep 0.5
moved_con=$(geometry "$cid")
close_wait "$wid"
expect "the moved console's frame position and size kept" [ "$(rects)" = "100 80 800 600 /200 150 500 400 /0" ]
open_both
expect "the console opens where it was moved ($con_geo)" [ "$con_geo" = "$moved_con" ]
wmctrl -i -r "$wid" -b add,maximized_vert,maximized_horz
maximised() { [ "$(geometry "$wid" | cut -d' ' -f3)" = 1600 ]; }
for _ in $(seq 50); do maximised && break; sleep 0.1; done
expect "the map window is maximised" maximised
sleep 0.5
close_wait "$wid"
expect "maximised: flag set, normal rectangle kept" [ "$(rects)" = "100 80 800 600 /200 150 500 400 /1" ]
open_both
expect "the map window opens maximised ($map_geo)" maximised
close_wait "$wid"
echo "PASS"
