#!/bin/bash
# skytrace-cli walker: read back by the program's readers, positions at the
# requested altitude and inclination, Walker phasing, usage errors.
. "$(dirname "$0")/lib.sh"
at=2026-12-06T12:00:00Z
walker() { "$cli" walker --epoch $at "$@"; }

# 24:6/3/1 at 53 degrees, 550 km: numbers, names and epoch as asked.
walker --planes 6 --per-plane 4 --phasing 1 --inclination 53 --altitude 550 > "$tmp/shell.tle"
out=$("$cli" catalog "$tmp/shell.tle")
check "all 24 read back" grep -qx 'objects=24 result=0' <<< "$out"
expect_eq "first entry" "$(printf '1\t90001\tDEMO-0001\t2026-12-06T12:00:00.000000')" "$(head -1 <<< "$out")"
expect_eq "last entry" "$(printf '24\t90024\tDEMO-0024\t2026-12-06T12:00:00.000000')" "$(sed -n 24p <<< "$out")"
# Plane 2 (third) has its node at 120 degrees; its first satellite is ahead
# by F*360*2/24 = 30 degrees of mean anomaly.
expect_eq "node and phasing of plane 2" "120.0000 30.0000 120.0000 120.0000" \
    "$(awk 'FNR == 27 || FNR == 30 { printf "%s%s %s", sep, $4, $7; sep = " " }' "$tmp/shell.tle")"

# Altitude and inclination through the propagator: one plane of 36 has a satellite within 5
# degrees of the highest latitude; the mean height is about 7 km above nominal at 53 degrees.
stats() {  # mean altitude and largest |latitude| over the satellites
    "$cli" where "$1" --at 2026-12-06T13:00:00Z |
        awk -F'\t' 'NF == 5 { s += $5; n++; l = $3 < 0 ? -$3 : $3; if (l > m) m = l }
            END { printf "%.1f %.2f", s / n, m }'
}
within() { awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN { exit !(v >= lo && v <= hi) }'; }
walker --planes 1 --per-plane 36 --phasing 0 --inclination 53 --altitude 550 > "$tmp/leo.tle"
read -r alt lat <<< "$(stats "$tmp/leo.tle")"
check "LEO mean altitude $alt km" within "$alt" 550 565
check "LEO highest latitude $lat" within "$lat" 52.5 53.3
walker --planes 1 --per-plane 36 --phasing 0 --inclination 97.6 --altitude 700 > "$tmp/sso.tle"
read -r alt lat <<< "$(stats "$tmp/sso.tle")"
check "retrograde highest latitude $lat" within "$lat" 82.0 82.6
walker --planes 1 --per-plane 10 --phasing 0 --inclination 0 --altitude 35786 --first-number 339990 --name GEO > "$tmp/geo.tle"
read -r alt lat <<< "$(stats "$tmp/geo.tle")"
check "geostationary altitude $alt km" within "$alt" 35784 35788
check "geostationary on the equator" within "$lat" 0 0.1
out=$("$cli" catalog "$tmp/geo.tle")
expect_eq "Alpha-5 numbers up to Z9999" "$(printf '339990\tGEO-0001\n339999\tGEO-0010')" \
    "$(awk -F'\t' 'NR == 1 || NR == 10 { print $2 "\t" $3 }' <<< "$out")"

# Alpha-5 across the letter boundaries (I and O are skipped): the numbers as the element
# lines write them, and read back by catalog.
for case in "99999 99999 A0000" "179999 H9999 J0000" "229999 N9999 P0000" "329999 Y9999 Z0000"; do
    read -r first text1 text2 <<< "$case"
    walker --planes 1 --per-plane 2 --phasing 0 --inclination 53 --altitude 550 --first-number "$first" > "$tmp/a5.tle"
    expect_eq "numbers written from $first" "$text1 $text2" \
        "$(awk 'FNR == 2 || FNR == 5 { printf "%s%s", sep, substr($2, 1, 5); sep = " " }' "$tmp/a5.tle")"
    expect_eq "numbers read back from $first" "$first $((first + 1))" \
        "$("$cli" catalog "$tmp/a5.tle" | awk -F'\t' 'NF == 4 { printf "%s%s", sep, $2; sep = " " }')"
done

# Usage errors: missing or out-of-range values, numbers past Z9999, a name
# too long for the title line, perigee below 100 km, an epoch outside 1957-2056.
base="--planes 2 --per-plane 2 --phasing 0 --inclination 53 --altitude 550"
for args in "--planes 2 --per-plane 2 --phasing 0 --inclination 53" "$base --phasing 2" \
    "$base --inclination 181" "$base --altitude -1" "$base --first-number 339997" \
    "$base --name ABCDEFGHIJKLMNOPQRST" "$base --name" "$base --eccentricity 0.5" \
    "$base --epoch 2057-01-01T00:00:00Z" "$base --planes x" "$base --colour red"; do
    "$cli" walker $args > "$tmp/out" 2>&1
    check "exit 2 for: $args" [ $? -eq 2 ]
done
walker $base --name ABCDEFGHIJKLMNOPQRS > /dev/null
check "a 24-character name is accepted" [ $? -eq 0 ]
exit $fail
