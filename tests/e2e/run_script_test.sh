#!/usr/bin/env bash
# End-to-end test of scripts/run.sh (`make run`): offline the walker demo catalogue within
# seconds from a demo home, online the downloaded groups, else the user's own file.
. "$(dirname "$0")/lib.sh"
start_test_xvfb 1024x768
run=$src_dir/scripts/run.sh
build=$(cd "$bin_dir/.." && pwd)
# launch NAME TEST WHAT: run.sh, its output in NAME.out, until TEST holds on its window.
launch() { "$run" "$build" >"$tmp/$1.out" 2>&1 & app_pid=$!; find_window Skytrace; expect "$3" settle "$1" "$win" "$2"; }
# Nobody listens on port 1 of the loopback: offline in a few milliseconds.
export SKYTRACE_ELEMENTS_URL='http://127.0.0.1:1/{group}' SKYTRACE_DEMO_HOME=$tmp/demo
user_home=$HOME
export HOME=$tmp/fresh XDG_DATA_HOME=
mkdir -p "$HOME"

# Hundreds of 3 x 3 squares, where the user's file below has six.
many() { [ "$(count "$1" FF0000 $map)" -gt 900 ]; }
t0=$(now_ms)
launch demo many "demo satellites on the map"
ms=$(( $(now_ms) - t0 ))
cat "$tmp/demo.out"
# Start-up time means nothing in a sanitizer build, whose code runs many
# times slower.
[ "${SKYTRACE_SANITIZE:-OFF}" = ON ] ||
  expect "within a few seconds ($ms ms from the start of the script)" [ "$ms" -lt 8000 ]
expect "says it runs on demo data" grep -q "starting on demo data" "$tmp/demo.out"
expect "says the demo catalogue is made up" grep -q "made-up satellites named DEMO-" "$tmp/demo.out"
expect "every demo name starts with DEMO-" [ -z "$(awk 'NR % 3 == 1 && !/^DEMO-/' "$tmp/demo/Documents/demo-walker.tle")" ]
close_wait "$win"
expect "exit code 0" [ "$exit_code" -eq 0 ]
expect "the demo home holds the settings" [ -f "$tmp/demo/.local/share/Bluefinch/Skytrace/Skytrace.ini" ]
expect "the user's home is untouched" [ -z "$(ls -A "$HOME")" ]

# Online (a loopback server): the demo lists the downloaded groups instead.
command -v python3 >/dev/null || skip "python3 is not installed"
mkdir -p "$tmp/www"
n=0
for g in stations weather gnss geo starlink; do
  n=$((n + 1))
  { head -1 "$tmp/sats.csv"; sed -n "$((n + 1))p" "$tmp/sats.csv" | sed "s/^TESTSAT/${g^^}/"; } >"$tmp/www/$g"
done
python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$tmp/www" >"$tmp/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; cleanup' EXIT
for _ in $(seq 50); do
  port=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$tmp/server.log" 2>/dev/null | head -1)
  [ -n "$port" ] && break
  sleep 0.1
done
[ -n "$port" ] || fail "the HTTP server did not start"
five() { [ "$(count "$1" FF0000 $map)" -ge 9 ] && [ "$(count "$1" FF0000 $map)" -le 45 ]; }
SKYTRACE_ELEMENTS_URL="http://127.0.0.1:$port/{group}" launch online five "the five downloaded satellites"
expect "says it shows current element sets" grep -q "demo data: current element sets" "$tmp/online.out"
expect "the demo lists the downloads only" [ "$(cat "$tmp/demo/Documents/datamgr.txt")" = \
  "$(printf "$tmp/demo/Documents/skytrace-elements/%s.txt\n" stations weather gnss geo starlink)" ]
close_wait "$win"

# The user's own data manager file (six satellites): no demo home is made.
rm -rf "$tmp/demo"
export HOME=$user_home XDG_DATA_HOME=$tmp/xdg
few() { [ "$(count "$1" FF0000 $map)" -ge 9 ] && [ "$(count "$1" FF0000 $map)" -le 54 ]; }
launch own few "the user's six satellites"
expect "says it runs on the user's file" grep -qx "Skytrace: your data manager file $HOME/Documents/datamgr.txt" "$tmp/own.out"
close_wait "$win"
expect "no demo home" [ ! -e "$tmp/demo" ]
expect "settings in the user's preference folder" [ -f "$ini" ]
echo "PASS"
