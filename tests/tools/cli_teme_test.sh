#!/bin/bash
# skytrace-cli teme on small element files of both formats: output layout,
# error lines and exit codes.
set -u
cli="${SKYTRACE_BIN_DIR:-build/bin}/skytrace-cli"
[ -x "$cli" ] || { echo "skip: $cli not built"; exit 77; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail=0
check() {  # check DESCRIPTION COMMAND...: the command must succeed
    local what=$1
    shift
    if ! "$@"; then
        echo "FAIL: $what"
        fail=1
    fi
}

# Three element sets: a normal orbit, one the propagator refuses, one that
# fails during propagation. CR LF line ends as published.
printf '%s\r\n' \
    "0 TEST SAT A" \
    "1 25544U 98067A   24001.50000000  .00016717  00000-0  30270-3 0  9999" \
    "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537" \
    "TEST SAT BAD INCL" \
    "1 90001U 24001A   24001.50000000  .00000000  00000-0  00000-0 0  9999" \
    "2 90001 190.0000 247.4627 0006703 130.5360 325.0288 15.72125391    13" \
    "TEST SAT REENTRY" \
    "1 90002U 24001B   24001.50000000  .25000000  00000-0  50000-0 0  9992" \
    "2 90002  96.4736 157.9986 0303955 244.0492 110.6523 16.46015938    15" \
    > "$tmp/sats.tle"
# The first of them again as a comma-separated file.
{
    echo "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT"
    echo "TEST SAT A,1998-067A,2024-01-01T12:00:00.000000,15.72125391,.0006703,51.6416,247.4627,130.5360,325.0288,0,U,25544,999,56353,.30270e-3,.00016717,0"
} > "$tmp/sats.csv"

"$cli" teme "$tmp/sats.tle" 0 120 30 > "$tmp/out" 2> "$tmp/err"
check "exit 0 for a TLE file" [ $? -eq 0 ]
check "nothing on stderr" [ ! -s "$tmp/err" ]
check "header of every element set" \
    [ "$(grep ' xx$' "$tmp/out" | tr '\n' ' ')" = "25544 xx 90001 xx 90002 xx " ]
check "five rows from 0 to 120 for the first set" \
    [ "$(sed -n '2,6p' "$tmp/out" | awk '{printf "%s ", $1}')" = "0.00000000 30.00000000 60.00000000 90.00000000 120.00000000 " ]
# Every data row: %17.8f four times, %14.9f three times, single blanks between.
rows=$(grep -v -e ' xx$' -e '^#' "$tmp/out")
check "row layout" [ -z "$(echo "$rows" | grep -Ev '^ *-?[0-9]+\.[0-9]{8}( +-?[0-9]+\.[0-9]{8}){3}( +-?[0-9]+\.[0-9]{9}){3}$')" ]
check "row width" [ -z "$(echo "$rows" | awk 'length($0) != 116')" ]
check "first row values" \
    [ "$(sed -n 2p "$tmp/out")" = "       0.00000000     4083.90246352     -993.63199961     5243.60366537    2.512837295    7.259888525   -0.583778537" ]
check "initialisation error" [ "$(sed -n 8p "$tmp/out")" = "# init Inclination out of range" ]
check "propagation error ends the set" [ "$(tail -n 1 "$tmp/out")" = "# 30.00000000 Error: (e <= -0.001)" ]
check "line count" [ "$(wc -l < "$tmp/out")" -eq 11 ]

"$cli" teme "$tmp/sats.csv" 0 120 30 > "$tmp/csvout"
check "exit 0 for a CSV file" [ $? -eq 0 ]
check "CSV and TLE forms print the same" cmp -s "$tmp/csvout" <(head -n 6 "$tmp/out")

# Negative times and a stop below the start.
"$cli" teme "$tmp/sats.csv" -10 -5 2.5 > "$tmp/neg"
check "negative times" [ "$(awk 'NR > 1 {printf "%s ", $1}' "$tmp/neg")" = "-10.00000000 -7.50000000 -5.00000000 " ]
"$cli" teme "$tmp/sats.csv" 10 5 1 > "$tmp/none"
check "empty range prints the header only" [ "$(cat "$tmp/none")" = "25544 xx" ]

# Files that cannot be read or are in no element format: exit 1 and a message.
for bad in "$tmp/missing.tle" "$tmp"; do
    "$cli" teme "$bad" 0 10 5 > "$tmp/out" 2> "$tmp/err"
    check "exit 1 for $bad" [ $? -eq 1 ]
    check "message for $bad" [ -s "$tmp/err" ]
    check "no output for $bad" [ ! -s "$tmp/out" ]
done
echo "no elements here" > "$tmp/text.txt"
"$cli" teme "$tmp/text.txt" 0 10 5 > /dev/null 2> "$tmp/err"
check "exit 1 for a text file" [ $? -eq 1 ]
check "message for a text file" [ -s "$tmp/err" ]

# Usage errors: exit 2 with the usage on stderr.
for args in "" "$tmp/sats.tle" "$tmp/sats.tle 0 10" "$tmp/sats.tle 0 10 5 6" \
    "$tmp/sats.tle 0 10 0" "$tmp/sats.tle 0 10 -5" "$tmp/sats.tle a 10 5" \
    "$tmp/sats.tle 0 10x 5" "$tmp/sats.tle 0 inf 5" "$tmp/sats.tle nan 10 5"; do
    # shellcheck disable=SC2086
    "$cli" teme $args > "$tmp/out" 2> "$tmp/err"
    check "exit 2 for '$args'" [ $? -eq 2 ]
    check "usage for '$args'" grep -q "teme FILE START STOP STEP" "$tmp/err"
    check "no output for '$args'" [ ! -s "$tmp/out" ]
done

"$cli" --help > "$tmp/out"
check "--help exits 0" [ $? -eq 0 ]
check "--help describes teme" grep -q "teme FILE START STOP STEP" "$tmp/out"

exit $fail
