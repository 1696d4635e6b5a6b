#!/usr/bin/env bash
# End-to-end test of the map window: M, a click, Tab, P and I checked on screenshots;
# closing ends it with code 0 and the settings file holds the state.
. "$(dirname "$0")/lib.sh"
start_test_xvfb 1024x768
start_app
find_window Skytrace
wid=$win
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ "$WIDTH" = 800 ] && [ "$HEIGHT" = 600 ] || fail "window is ${WIDTH}x$HEIGHT, not 800x600"
xdotool windowfocus --sync "$wid"

panel=800x64+0+0
# The message box for "Miller" (6 glyphs of 10 x 16, 20 pixels around), centred.
centre=100x56+350+272
drawn() { [ "$(count "$1" 0000FF $map)" -gt 1000 ]; }
msg_shown() { [ "$(count "$1" FFFFFF $centre)" -gt 40 ]; }
msg_gone() { [ "$(count "$1" FFFFFF $centre)" -eq 0 ]; }
selected() { [ "$(count "$1" FFFF55 $panel)" -gt 100 ] && [ "$(count "$1" FFFF00 $map)" -gt 100 ]; }
other_number() {
  local d
  d=$(compare -metric AE -crop 120x16+110+16 "$tmp/sel.png" "$tmp/$1.png" null: 2>&1 | cut -d' ' -f1)
  [ "${d%.*}" -gt 0 ]
}
no_track() { [ "$(count "$1" FFFF00 $map)" -eq 0 ]; }
no_panel() { [ "$(count "$1" 181818)" -eq 0 ]; }

expect "the map is drawn" settle start "$wid" drawn
expect "panel background at the top" [ "$(count start 181818 $panel)" -gt 30000 ]
expect "no selection: name colour text in the panel" [ "$(count start FFFFFF 220x16+0+0)" -gt 50 ]
expect "no values without a selection" [ "$(count start FFFF55 $panel)" -eq 0 ]
expect "coastlines in their colour" [ "$(count start 00C040 $map)" -gt 1000 ]
reds=$(count start FF0000 $map)
expect "satellite squares, 3 x 3 each ($reds pixels)" [ "$reds" -ge 9 -a "$reds" -le 54 ]
expect "no labels without a selection" [ "$(count start FFFFFF $map)" -eq 0 ]

xdotool key --window "$wid" m
shown_at=$(now_ms)
expect "projection name in the centre" settle proj "$wid" msg_shown
expect "the grid under the box is darkened" [ "$(count proj 0000FF $centre)" -eq 0 ]
expect "and shows through it" [ "$(count proj 00003F $centre)" -gt 10 ]
expect "the name goes" settle noproj "$wid" msg_gone
shown_ms=$(( $(now_ms) - shown_at ))
expect "after two seconds ($shown_ms ms)" [ "$shown_ms" -ge 1900 ]

# Click on a satellite square found in the shot.
pos=$(convert "$tmp/noproj.png" -crop $map +repage txt:- | grep -m1 ' #FF0000 ' | cut -d: -f1)
[ -n "$pos" ] || fail "no satellite square to click"
xdotool mousemove --window "$wid" $(( ${pos%,*} + 1 )) $(( ${pos#*,} + 64 + 1 )) click 1
expect "values and ground track of the selected satellite" settle sel "$wid" selected
expect "label of the selected satellite" [ "$(count sel FFFFFF $map)" -gt 20 ]
xdotool key --window "$wid" Tab
expect "Tab selects another catalogue number" settle tab "$wid" other_number
xdotool key --window "$wid" p
expect "P from lines turns the track off" settle nopath "$wid" no_track
xdotool key --window "$wid" i
expect "I hides the panel" settle nopanel "$wid" no_panel
expect "the map fills the window" [ "$(count nopanel 0000FF $panel)" -gt 50 ]

close_wait "$wid"
expect "exit code 0" [ "$exit_code" -eq 0 ]
expect "settings saved" [ -f "$ini" ]
expect "panel state saved" [ "$(ini_value Info Show)" = 0 ]
expect "projection saved" [ "$(ini_value Plot Projection)" = 102 ]
sel=$(ini_value "Object Selected" Data)
expect "selection saved ($sel)" [ "${sel#9000}" != "$sel" ]
echo "PASS"
