#!/bin/bash
# skytrace-cli catalog and where on hand-made element and data manager files:
# output format, selection through the data manager file, exit codes.
set -u
CLI="$SKYTRACE_BIN_DIR/skytrace-cli"
[ -x "$CLI" ] || { echo "skytrace-cli not built"; exit 77; }
T=$(mktemp -d)
trap 'rm -rf "$T"' EXIT
fail=0
check() {  # description, then the test command
    local what=$1
    shift
    if ! "$@"; then
        echo "FAIL: $what"
        fail=1
    fi
}

# Two real element sets (ISS and a geostationary satellite) and a third
# whose inclination the propagator refuses; CR LF ends as published.
printf '%s\r\n' \
    'ISS (ZARYA)' \
    '1 25544U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9998' \
    '2 25544  51.6337  27.5746 0007245 114.7080 245.4664 15.49496548569014' \
    'BAD INCLINATION' \
    '1 25545U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9999' \
    '2 25545 200.0000  27.5746 0007245 114.7080 245.4664 15.49496548569022' \
    'GEO SAT' \
    '1 A0001U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9999' \
    '2 A0001   0.0500  27.5746 0001000 114.7080 245.4664  1.00270000569012' \
    > "$T/sats.tle"
# Fix the checksums of every element line (column 69).
awk '{ sub(/\r$/, "") } /^[12] / { s = 0; for (i = 1; i <= 68; i++) { c = substr($0, i, 1);
     if (c ~ /[0-9]/) s += c; else if (c == "-") s += 1 } $0 = substr($0, 1, 68) (s % 10) }
     { printf "%s\r\n", $0 }' "$T/sats.tle" > "$T/fixed.tle"
mv "$T/fixed.tle" "$T/sats.tle"

out=$("$CLI" catalog "$T/sats.tle"); rc=$?
check "catalog exit 0" [ $rc -eq 0 ]
expected=$(printf '1\t25544\tISS (ZARYA)\t2026-05-30T12:25:10.468992\n2\t100001\tGEO SAT\t2026-05-30T12:25:10.468992\nobjects=2 result=0')
check "catalog lists the usable element sets in file order" [ "$out" = "$expected" ]

# A data manager file selecting by Alpha-5 number, then a stray brace.
printf '%s {\n A0001\n}\n}\n' "$T/sats.tle" > "$T/datamgr.txt"
out=$("$CLI" catalog "$T/datamgr.txt"); rc=$?
check "catalog of a data manager file exit 0" [ $rc -eq 0 ]
check "catalog of a data manager file" \
    [ "$out" = "$(printf '1\t100001\tGEO SAT\t2026-05-30T12:25:10.468992\nobjects=1 result=-1')" ]

out=$("$CLI" where "$T/sats.tle" --at 2026-05-30T12:25:10.468992Z); rc=$?
check "where exit 0" [ $rc -eq 0 ]
check "where prints one line per satellite and the totals" [ "$(echo "$out" | wc -l)" -eq 3 ]
fmt_ok() {  # five tab-separated columns, numbers with 6, 6 and 3 decimals
    echo "$1" | awk -F'\t' -v d6='^-?[0-9]+[.][0-9][0-9][0-9][0-9][0-9][0-9]$' \
        -v d3='^-?[0-9]+[.][0-9][0-9][0-9]$' \
        'NF != 5 || $1 !~ /^[0-9]+$/ || $3 !~ d6 || $4 !~ d6 || $5 !~ d3 { bad = 1 } END { exit bad }'
}
check "where line format" fmt_ok "$(echo "$out" | head -2)"
iss_alt=$(echo "$out" | awk -F'\t' '$1 == 25544 { print $5 }')
check "ISS altitude plausible ($iss_alt)" awk -v a="$iss_alt" 'BEGIN { exit !(a > 350 && a < 450) }'
geo_alt=$(echo "$out" | awk -F'\t' '$1 == 100001 { print $5 }')
check "geostationary altitude plausible ($geo_alt)" awk -v a="$geo_alt" 'BEGIN { exit !(a > 35000 && a < 36500) }'
check "where totals" bash -c "echo '$out' | tail -1 | grep -Eqx 'objects=2 propagations=2 errors=0 load_ms=[0-9.]+ propagate_ms=[0-9.]+'"

# Repeating propagates N times and prints the last instant: 3 steps of an
# hour from 10:25 end at 12:25, the instant above.
out2=$("$CLI" where "$T/sats.tle" --at 2026-05-30T10:25:10.468992Z --repeat 3 --step 3600)
check "where --repeat prints the last instant" [ "$(echo "$out2" | head -2)" = "$(echo "$out" | head -2)" ]
check "where --repeat counts every propagation" bash -c "echo '$out2' | tail -1 | grep -q 'propagations=6 errors=0'"

# Without --at the instant is now; the output still has one line each.
check "where now" bash -c "'$CLI' where '$T/sats.tle' | tail -1 | grep -q '^objects=2 '"

# A satellite that cannot be propagated prints dashes and counts as an error.
printf '%s\r\n' 'DECAYED' \
    '1 00005U 58002B   00179.78495062  .00000023  00000-0  90000-0 0  9999' \
    '2 00005  34.2682 348.7242 1859667 331.7664  19.3264 16.40000000999999' \
    | awk '{ sub(/\r$/, "") } /^[12] / { s = 0; for (i = 1; i <= 68; i++) { c = substr($0, i, 1);
      if (c ~ /[0-9]/) s += c; else if (c == "-") s += 1 } $0 = substr($0, 1, 68) (s % 10) }
      { printf "%s\r\n", $0 }' > "$T/decayed.tle"
out=$("$CLI" where "$T/decayed.tle" --at 2026-05-30T00:00:00Z)
check "failed propagation prints dashes" [ "$(echo "$out" | head -1)" = "$(printf '5\tDECAYED\t-\t-\t-')" ]
check "failed propagation is counted" bash -c "echo '$out' | tail -1 | grep -q 'propagations=1 errors=1'"

# Exit codes: unreadable input 1, wrong arguments 2.
"$CLI" catalog "$T/missing.tle" >/dev/null 2>&1; check "missing file exits 1" [ $? -eq 1 ]
"$CLI" where "$T" >/dev/null 2>&1; check "directory exits 1" [ $? -eq 1 ]
"$CLI" catalog >/dev/null 2>&1; check "catalog without FILE exits 2" [ $? -eq 2 ]
"$CLI" where "$T/sats.tle" --at 2026-13-01T00:00:00Z >/dev/null 2>&1
check "impossible --at exits 2" [ $? -eq 2 ]
"$CLI" where "$T/sats.tle" --at 2026-05-30T00:00:00 >/dev/null 2>&1
check "--at without Z exits 2" [ $? -eq 2 ]
"$CLI" where "$T/sats.tle" --repeat 0 --step 1 >/dev/null 2>&1; check "--repeat 0 exits 2" [ $? -eq 2 ]
"$CLI" where "$T/sats.tle" --repeat 2 >/dev/null 2>&1; check "--repeat without --step exits 2" [ $? -eq 2 ]

# Any readable text that no reader accepts is a data manager file.
printf 'not a list of files\n' > "$T/junk.txt"
out=$("$CLI" catalog "$T/junk.txt"); rc=$?
check "junk is an empty data manager file" [ $rc -eq 0 -a "$out" = "objects=0 result=0" ]

exit $fail
