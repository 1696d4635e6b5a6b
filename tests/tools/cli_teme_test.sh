#!/bin/bash
# skytrace-cli teme on element files of both formats: layout, error lines, exit codes.
. "$(dirname "$0")/lib.sh"

# A normal orbit, one the propagator refuses, one that fails during
# propagation; CR LF line ends as published. Then the first as CSV.
printf '%s\r\n' "0 TEST SAT A" \
    "1 25544U 98067A   24001.50000000  .00016717  00000-0  30270-3 0  9999" \
    "2 25544  51.6416 247.4627 0006703 130.5360 325.0288 15.72125391563537" \
    "TEST SAT BAD INCL" \
    "1 90001U 24001A   24001.50000000  .00000000  00000-0  00000-0 0  9999" \
    "2 90001 190.0000 247.4627 0006703 130.5360 325.0288 15.72125391    13" \
    "TEST SAT REENTRY" \
    "1 90002U 24001B   24001.50000000  .25000000  00000-0  50000-0 0  9992" \
    "2 90002  96.4736 157.9986 0303955 244.0492 110.6523 16.46015938    15" > "$tmp/sats.tle"
printf '%s\n' "OBJECT_NAME,OBJECT_ID,EPOCH,MEAN_MOTION,ECCENTRICITY,INCLINATION,RA_OF_ASC_NODE,ARG_OF_PERICENTER,MEAN_ANOMALY,EPHEMERIS_TYPE,CLASSIFICATION_TYPE,NORAD_CAT_ID,ELEMENT_SET_NO,REV_AT_EPOCH,BSTAR,MEAN_MOTION_DOT,MEAN_MOTION_DDOT" \
    "TEST SAT A,1998-067A,2024-01-01T12:00:00.000000,15.72125391,.0006703,51.6416,247.4627,130.5360,325.0288,0,U,25544,999,56353,.30270e-3,.00016717,0" > "$tmp/sats.csv"

"$cli" teme "$tmp/sats.tle" 0 120 30 > "$tmp/out" 2> "$tmp/err"
check "exit 0 and nothing on stderr" [ $? -eq 0 -a ! -s "$tmp/err" ]
check "header of every set, 11 lines" [ "$(grep ' xx$' "$tmp/out" | tr '\n' ' ')" = "25544 xx 90001 xx 90002 xx " -a "$(wc -l < "$tmp/out")" -eq 11 ]
check "times 0 to 120" [ "$(sed -n '2,6p' "$tmp/out" | awk '{printf "%s ", $1}')" = "0.00000000 30.00000000 60.00000000 90.00000000 120.00000000 " ]
check "rows: %17.8f four times, %14.9f three times" [ -z "$(grep -v -e ' xx$' -e '^#' "$tmp/out" | grep -Ev '^ *-?[0-9]+\.[0-9]{8}( +-?[0-9]+\.[0-9]{8}){3}( +-?[0-9]+\.[0-9]{9}){3}$')" ]
check "first row values" [ "$(sed -n 2p "$tmp/out")" = "       0.00000000     4083.90246352     -993.63199961     5243.60366537    2.512837295    7.259888525   -0.583778537" ]
check "initialisation error" [ "$(sed -n 8p "$tmp/out")" = "# init Inclination out of range" ]
check "propagation error ends the set" [ "$(tail -n 1 "$tmp/out")" = "# 30.00000000 Error: (e <= -0.001)" ]
"$cli" teme "$tmp/sats.csv" 0 120 30 > "$tmp/csvout"
check "CSV exit 0" [ $? -eq 0 ]
check "CSV and TLE forms print the same" cmp -s "$tmp/csvout" <(head -n 6 "$tmp/out")
check "empty range prints the header only" [ "$("$cli" teme "$tmp/sats.csv" 10 5 1)" = "25544 xx" ]

# Unreadable files or no element format: exit 1 with a message, no output.
echo "no elements here" > "$tmp/text.txt"
for bad in "$tmp/missing.tle" "$tmp" "$tmp/text.txt"; do
    "$cli" teme "$bad" 0 10 5 > "$tmp/out" 2> "$tmp/err"
    check "exit 1 and a message for $bad" [ $? -eq 1 -a -s "$tmp/err" -a ! -s "$tmp/out" ]
done
# Usage errors: exit 2 with the usage on stderr.
for args in "" "$tmp/sats.tle 0 10" "$tmp/sats.tle 0 10 5 6" "$tmp/sats.tle 0 10 0" \
    "$tmp/sats.tle 0 10 -5" "$tmp/sats.tle 0 10x 5" "$tmp/sats.tle 0 inf 5" "$tmp/sats.tle nan 10 5"; do
    "$cli" teme $args > "$tmp/out" 2> "$tmp/err"
    check "exit 2 and the usage for '$args'" [ $? -eq 2 -a ! -s "$tmp/out" -a -n "$(grep 'teme FILE START STOP STEP' "$tmp/err")" ]
done
# The whole help first: grep -q would stop reading and leave --help to a
# broken pipe once the text outgrows the pipe's buffer.
help=$("$cli" --help)
check "--help exits 0 and describes teme" [ $? -eq 0 -a -n "$(grep 'teme FILE START STOP STEP' <<< "$help")" ]
exit $fail
