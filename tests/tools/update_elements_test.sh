#!/bin/bash
# scripts/update-elements against a local HTTP server: files and data manager file where the
# program looks, other entries kept; bad answers and no service leave everything as it was.
. "$(dirname "$0")/lib.sh"
command -v python3 >/dev/null && command -v curl >/dev/null || { echo "skip: needs python3 and curl"; exit 77; }
upd=${SKYTRACE_SOURCE_DIR:?}/scripts/update-elements

mkdir -p "$tmp/www"
{
    printf '%s\n' 'ISS (ZARYA)' "${iss[@]}"
    "$cli" walker --planes 1 --per-plane 1 --phasing 0 --inclination 41.5 --altitude 390
} > "$tmp/www/stations"
{
    echo "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT"
    echo "NOAA 19,2009-005A,2026-05-30T10:00:00.000000,14.1300,.0014,99.19,200.0,90.0,270.0,0,U,33591,999,1000,0.0001,0.0,0.0"
} > "$tmp/www/weather"
printf '<html>No GP data found</html>\n' > "$tmp/www/junk"

python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$tmp/www" > "$tmp/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; wait $server 2>/dev/null; rm -rf "$tmp"' EXIT
port=
for _ in $(seq 50); do
    port=$(sed -n 's/.* port \([0-9]*\).*/\1/p' "$tmp/server.log" 2>/dev/null | head -1)
    [ -n "$port" ] && break
    sleep 0.1
done
[ -n "$port" ] || { echo "FAIL: the HTTP server did not start"; exit 1; }
export SKYTRACE_ELEMENTS_URL="http://127.0.0.1:$port/{group}" HOME=$tmp/home XDG_DATA_HOME=$tmp/xdg
mkdir -p "$HOME/Documents"
docs=$HOME/Documents els=$HOME/Documents/skytrace-elements mgr=$HOME/Documents/datamgr.txt
objects() { "$cli" catalog "$1" | tail -1; }

# A fresh user: files and a new data manager file in Documents.
"$upd" stations weather > "$tmp/out"
check "exit 0 when every group came" [ $? -eq 0 ]
expect_eq "data manager file" "$(printf '%s\n' "$els/stations.txt" "$els/weather.txt")" "$(cat "$mgr")"
expect_eq "the program reads all three" "objects=3 result=0" "$(objects "$mgr")"

# Fetched less than two hours ago: kept, unless forced.
cp "$tmp/www/weather" "$tmp/www/stations"
"$upd" stations > "$tmp/out"
check "a fresh group is kept" grep -q "stations: kept" "$tmp/out"
expect_eq "and not fetched again" "objects=2 result=0" "$(objects "$els/stations.txt")"
"$upd" --force stations > "$tmp/out"
expect_eq "--force fetches it" "objects=1 result=0" "$(objects "$els/stations.txt")"

# The user's other entries stay; listed files are not added twice.
printf '%s {\n  25544\n}\n' "$els/stations.txt" > "$mgr"
"$upd" --force weather stations > "$tmp/out"
expect_eq "own entries kept, one line added" "$(printf '%s {\n  25544\n}\n%s' "$els/stations.txt" "$els/weather.txt")" "$(cat "$mgr")"
"$upd" --force weather > "$tmp/out"
check "nothing added twice" grep -q "lists them already" "$tmp/out"
# The older line syntax: a '<' clears the folder prefix before the new lines.
printf '>/nowhere/\nother.tle\n' > "$mgr"
"$upd" --force weather > /dev/null
expect_eq "line syntax" "$(printf '>/nowhere/\nother.tle\n<\n%s' "$els/weather.txt")" "$(cat "$mgr")"
expect_eq "read with the prefix cleared" "objects=1 result=0" "$(objects "$mgr")"
# Unbalanced braces: the file is left alone with the lines to add printed.
printf '/a {\n' > "$mgr"
"$upd" --force weather > "$tmp/out"
check "unbalanced braces: exit 1, file unchanged" [ $? -eq 1 -a "$(cat "$mgr")" = "/a {" ]
check "and the lines to add are printed" grep -q "    $els/weather.txt" "$tmp/out"

# Bad answers: no element file, or an HTTP error, keep the old file.
cp "$els/weather.txt" "$tmp/weather.before"
cp "$tmp/www/junk" "$tmp/www/weather"
rm -f "$mgr"
"$upd" --force weather missing > "$tmp/out"
check "exit 1 on a bad answer" [ $? -eq 1 ]
check "no element file: said" grep -q "weather: the answer is no element file" "$tmp/out"
check "HTTP error: said" grep -q "missing: download failed" "$tmp/out"
check "the old file is kept" cmp -s "$tmp/weather.before" "$els/weather.txt"
expect_eq "the kept file is listed, the missing one not" "$els/weather.txt" "$(cat "$mgr")"
check "no stray files" [ "$(ls -A "$els")" = "$(printf 'stations.txt\nweather.txt')" ]

# No server: exit 3, nothing changed, a clear message.
cp "$mgr" "$tmp/mgr.before"
SKYTRACE_ELEMENTS_URL='http://127.0.0.1:1/{group}' "$upd" --force stations weather > "$tmp/out"
check "exit 3 when offline" [ $? -eq 3 ]
check "offline: said once" [ "$(grep -c 'offline?' "$tmp/out")" -eq 1 ]
check "offline: data manager file unchanged" cmp -s "$tmp/mgr.before" "$mgr"

# The settings file's data folder and data manager file name are followed.
mkdir -p "$XDG_DATA_HOME/Bluefinch/Skytrace"
printf '[Object]\nData = mine.txt\n[User]\nDataPath= %s\n' "$tmp/data" > "$XDG_DATA_HOME/Bluefinch/Skytrace/Skytrace.ini"
"$upd" stations > /dev/null
expect_eq "settings followed" "$tmp/data/skytrace-elements/stations.txt" "$(cat "$tmp/data/mine.txt" 2>/dev/null)"

for args in "bad/group" "--dir" "--colour"; do
    "$upd" $args > /dev/null 2>&1
    check "exit 2 for: $args" [ $? -eq 2 ]
done
exit $fail
