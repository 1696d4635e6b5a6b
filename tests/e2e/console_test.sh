#!/usr/bin/env bash
# End-to-end test of the console: the backquote opens it, set commands change the map at
# once, closing both windows saves the settings, and a second run starts with them.
. "$(dirname "$0")/lib.sh"
start_test_xvfb 1700x1000
drawn() { [ "$(count "$1" 00C040 $map)" -gt 1000 ]; }
recoloured() { [ "$(count "$1" 0A141E $map)" -gt 100000 ]; }
# Four lines of grey text (three echoes and a value) and the cursor block.
typed() { [ "$(count "$1" C0C0C0 800x80+0+0)" -gt 400 ] && [ "$(count "$1" C0C0C0 10x16+10+64)" -eq 160 ]; }
console_hidden() { [ -z "$(xdotool search --onlyvisible --name '^Skytrace Console$')" ]; }

start_app
find_window Skytrace
wid=$win
xdotool windowfocus --sync "$wid"
expect "the map is drawn" settle before "$wid" drawn
red_before=$(count before FF0000 $map)
expect "black map background at start" [ "$(count before 000000 $map)" -gt 100000 ]
expect "small satellite squares at start ($red_before pixels)" [ "$red_before" -ge 9 -a "$red_before" -le 54 ]
expect "the console is hidden at start" console_hidden

xdotool key --window "$wid" grave
find_window "Skytrace Console"
cid=$win
# Both windows open centred at 800 x 600; side by side, each shot shows one.
xdotool windowmove --sync "$cid" 0 0
xdotool windowmove --sync "$wid" 850 0
xdotool windowfocus --sync "$cid"
for line in "set obj.size 7" "set plot.bg.color 10 20 30" "set obj.size"; do
  xdotool type --window "$cid" --delay 20 "$line"
  xdotool key --window "$cid" Return
done
expect "the console shows the typed lines and the cursor" settle console "$cid" typed
expect "the map background changed at once" settle after "$wid" recoloured
red_after=$(count after FF0000 $map)
expect "no black map background left" [ "$(count after 000000 $map)" -lt 1000 ]
expect "the satellite squares grew to 7 x 7 ($red_after pixels)" [ "$red_after" -gt $((red_before * 3)) -a "$red_after" -le 294 ]

"$tmp/wm_close" "$cid" || fail "cannot close the console"
sleep 0.5
expect "closing the console hides it" console_hidden
kill -0 "$app_pid" 2>/dev/null || fail "skytrace ended with the map window open"
close_wait "$wid"
expect "exit code 0" [ "$exit_code" -eq 0 ]
expect "obj.size saved" [ "$(ini_value Object Size)" = 7 ]
expect "plot.bg.color saved" [ "$(ini_value Plot Background)" = "10 20 30 255 " ]
expect "coastline file saved under its key" [ "$(ini_value Lines Data)" = world.dat ]
expect "no temporary file left" [ "$(ls "$(dirname "$ini")" | wc -l)" -eq 1 ]
cp "$ini" "$tmp/first.ini"

start_app
find_window Skytrace
expect "the background is kept on a second run" settle again "$win" recoloured
red_again=$(count again FF0000 $map)
expect "the square size is kept ($red_again pixels)" [ "$red_again" -gt $((red_before * 3)) ]
close_wait "$win"
expect "exit code 0 again" [ "$exit_code" -eq 0 ]
expect "an unchanged run saves the same file" cmp -s "$ini" "$tmp/first.ini"
echo "PASS"
