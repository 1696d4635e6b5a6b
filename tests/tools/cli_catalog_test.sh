#!/bin/bash
# skytrace-cli catalog and where on element and data manager files: format, selection, exit codes.
. "$(dirname "$0")/lib.sh"

# ISS, a set whose inclination the propagator refuses, and a geostationary
# satellite with an Alpha-5 number; CR LF ends as published.
printf '%s\r\n' 'ISS (ZARYA)' "${iss[@]}" \
    'BAD INCLINATION' \
    '1 25545U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9999' \
    '2 25545 200.0000  27.5746 0007245 114.7080 245.4664 15.49496548569023' \
    'GEO SAT' \
    '1 A0001U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9999' \
    '2 A0001   0.0500  27.5746 0001000 114.7080 245.4664  1.00270000569013' > "$tmp/sats.tle"
epoch=2026-05-30T12:25:10.468992
out=$("$cli" catalog "$tmp/sats.tle")
check "catalog exits 0 and lists the usable sets in file order" [ $? -eq 0 -a "$out" = "$(printf "1\t25544\tISS (ZARYA)\t$epoch\n2\t100001\tGEO SAT\t$epoch\nobjects=2 result=0")" ]
# A data manager file selecting by Alpha-5 number, then a stray brace.
printf '%s {\n A0001\n}\n}\n' "$tmp/sats.tle" > "$tmp/datamgr.txt"
out=$("$cli" catalog "$tmp/datamgr.txt")
check "catalog of a data manager file" [ $? -eq 0 -a "$out" = "$(printf "1\t100001\tGEO SAT\t$epoch\nobjects=1 result=-1")" ]

out=$("$cli" where "$tmp/sats.tle" --at "${epoch}Z")
check "where exit 0, one line per satellite and the totals" [ $? -eq 0 -a "$(echo "$out" | wc -l)" -eq 3 ]
check "where line format" [ -z "$(head -2 <<< "$out" | grep -Ev $'^[0-9]+\t[^\t]+(\t-?[0-9]+\\.[0-9]{6}){2}\t-?[0-9]+\\.[0-9]{3}$')" ]
check "where totals" grep -Eqx 'objects=2 propagations=2 errors=0 load_ms=[0-9.]+ propagate_ms=[0-9.]+' <<< "$(tail -1 <<< "$out")"
check "ISS and geostationary altitudes plausible" awk -F'\t' '$1 == 25544 && ($5 < 350 || $5 > 450) { bad = 1 }
    $1 == 100001 && ($5 < 35000 || $5 > 36500) { bad = 1 } END { exit bad }' <<< "$out"
# --repeat propagates N times and prints the last instant: 3 steps of an hour from 10:25.
out2=$("$cli" where "$tmp/sats.tle" --at 2026-05-30T10:25:10.468992Z --repeat 3 --step 3600)
check "where --repeat prints the last instant, counts every propagation" \
    [ "$(head -2 <<< "$out2")" = "$(head -2 <<< "$out")" -a -n "$(grep 'propagations=6 errors=0' <<< "$out2")" ]
# --teme: x, y, z in km instead of the geodetic columns, the same totals, and
# the positions the teme command gives at the same minute (2 h from epoch).
out=$("$cli" where "$tmp/sats.tle" --at 2026-05-30T14:25:10.468992Z --teme)
check "where --teme line format and totals" [ -z "$(head -2 <<< "$out" | grep -Ev $'^[0-9]+\t[^\t]+(\t-?[0-9]+\.[0-9]{6}){3}$')" \
    -a -n "$(tail -1 <<< "$out" | grep -E '^objects=2 propagations=2 errors=0 load_ms=')" ]
check "where --teme agrees with teme" awk -v ref="$("$cli" teme "$tmp/sats.tle" 120 120 1 | awk '$2 != "xx" && !/^#/ { printf "%s %s %s ", $2, $3, $4 }')" \
    -F'\t' 'NR <= 2 { split(ref, r, " "); for (k = 0; k < 3; ++k) { d = $(3 + k) - r[3 * (NR - 1) + k + 1]; if (d > 2e-6 || d < -2e-6) bad = 1 } }
    END { exit bad }' <<< "$out"
# A satellite that cannot be propagated prints dashes and counts as an error.
printf '%s\r\n' 'DECAYED' "${decayed[@]}" > "$tmp/decayed.tle"
out=$("$cli" where "$tmp/decayed.tle" --at 2026-05-30T00:00:00Z)
check "failed propagation prints dashes" [ "$(head -1 <<< "$out")" = "$(printf '5\tDECAYED\t-\t-\t-')" ]
check "failed propagation is counted" grep -q 'propagations=1 errors=1' <<< "$out"
check "failed propagation prints dashes with --teme" [ "$("$cli" where "$tmp/decayed.tle" --at 2026-05-30T00:00:00Z --teme | head -1)" = "$(printf '5\tDECAYED\t-\t-\t-')" ]

# Exit codes: unreadable input 1, wrong arguments 2.
for c in "1 catalog $tmp/missing.tle" "1 where $tmp" "2 catalog" "2 where $tmp/sats.tle --at 2026-13-01T00:00:00Z" \
    "2 where $tmp/sats.tle --at 2026-05-30T00:00:00" "2 where $tmp/sats.tle --repeat 0 --step 1" "2 where $tmp/sats.tle --repeat 2" \
    "2 where $tmp/sats.tle --repeat 1000000 --step 1e9"; do
    "$cli" ${c#* } > /dev/null 2>&1; check "exit ${c%% *} for ${c#* }" [ $? -eq "${c%% *}" ]
done
exit $fail
