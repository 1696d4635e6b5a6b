#!/usr/bin/env bash
# End-to-end test of the observer layers: O, F and N draw the observer's mark, the
# selected satellite's footprint and the night shade with the sub-solar point; the
# settings file keeps them, and the next start draws them again.
. "$(dirname "$0")/lib.sh"
start_test_xvfb 1024x768
# A grey map, so that the shade shows; the observer in Paris, away from the message box.
mkdir -p "$(dirname "$ini")"
printf '[Plot]\nBackground=64 64 64 255\n[Observer]\nLatitude=48.85\nLongitude=2.35\n' >"$ini"

# mc NAME HEX: pixels of one colour in the map of a shot, from one histogram per shot.
mc() {
  [ -f "$tmp/$1.hist" ] || convert "$tmp/$1.png" -crop $map +repage -format %c histogram:info:- >"$tmp/$1.hist"
  awk -v c="#$2" '{ for (i = 2; i <= NF; i++) if ($i == c) n = $1 + 0 } END { print n + 0 }' "$tmp/$1.hist"
}
fresh() { rm -f "$tmp/$1.hist"; }  # settle takes each shot again under the same name
drawn() { fresh "$1"; [ "$(mc "$1" 0000FF)" -gt 1000 ]; }
marked() { fresh "$1"; [ "$(mc "$1" FF00FF)" -ge 17 ]; }
footprint() { fresh "$1"; [ "$(mc "$1" 00FFFF)" -gt 100 ]; }
shaded() { fresh "$1"; [ $(( $(mc "$1" 1F1F1F) + $(mc "$1" 202020) )) -gt 20000 ] && [ "$(mc "$1" FFC800)" -ge 20 ]; }
all_layers() { marked "$1" && footprint "$1" && shaded "$1"; }
unshaded() { fresh "$1"; [ "$(mc "$1" 1F1F1F)" -eq 0 ] && [ "$(mc "$1" FFC800)" -eq 0 ]; }

start_app
find_window Skytrace
wid=$win
xdotool windowfocus --sync "$wid"
expect "the map is drawn" settle start "$wid" drawn
expect "no observer layer by default" [ $(( $(mc start FF00FF) + $(mc start 00FFFF) + $(mc start FFC800) )) -eq 0 ] \
  && [ "$(mc start 404040)" -gt 300000 ]

pos=$(convert "$tmp/start.png" -crop $map +repage txt:- | grep -m1 ' #FF0000 ' | cut -d: -f1)
[ -n "$pos" ] || fail "no satellite square to click"
xdotool mousemove --window "$wid" $(( ${pos%,*} + 1 )) $(( ${pos#*,} + 64 + 1 )) click 1
xdotool key --window "$wid" o
expect "O draws the observer's cross" settle obs "$wid" marked
xdotool key --window "$wid" f
expect "F draws the selected satellite's footprint" settle foot "$wid" footprint
xdotool key --window "$wid" n
expect "N shades the night side and marks the sub-solar point" settle night "$wid" shaded
# Azimuth and elevation below the catalogue number: values 11 glyphs right of the labels.
expect "azimuth and elevation in the panel" [ "$(count night FFFF55 100x32+110+32)" -gt 50 ]

close_wait "$wid"
expect "exit code 0" [ "$exit_code" -eq 0 ]
for s in Observer Footprint Night; do
  expect "$s shown in the settings file" [ "$(ini_value "$s" Show)" = 1 ]
done
expect "the observer's place kept" [ "$(ini_value Observer Latitude)" = 48.85 ] && [ "$(ini_value Observer Longitude)" = 2.35 ]

start_app
find_window Skytrace
wid=$win
expect "the next start draws every layer again" settle again "$wid" all_layers
xdotool windowfocus --sync "$wid"
xdotool key --window "$wid" n
expect "N again takes the shade away" settle day "$wid" unshaded
close_wait "$wid"
expect "the night's setting saved off" [ "$(ini_value Night Show)" = 0 ]
echo "PASS"
