#!/bin/bash
# skytrace-cli look and passes: line formats, order, flags, the window's
# edges, exit codes and hostile arguments.
. "$(dirname "$0")/lib.sh"

# ISS; a geostationary satellite over 5 E (always up from Paris); the same
# ISS elements under two numbers out of order; a set that has decayed.
printf '%s\r\n' 'ISS (ZARYA)' "${iss[@]}" \
    'GEO FIVE' \
    '1 90005U 26001A   26339.50000000  .00000000  00000+0  00000+0 0  9999' \
    '2 90005   0.0500   0.0000 0002000   0.0000 259.3025  1.00273000    02' \
    'TWIN B' \
    '1 90002U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9999' \
    '2 90002  51.6337  27.5746 0007245 114.7080 245.4664 15.49496548569015' \
    'TWIN A' \
    '1 90001U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9998' \
    '2 90001  51.6337  27.5746 0007245 114.7080 245.4664 15.49496548569014' \
    'DECAYED' "${decayed[@]}" > "$tmp/sats.tle"
paris=(--observer 48.85,2.35,35)
T=$'\t'
num='-?[0-9]+\.'
t='[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\.[0-9]{3}Z'

out=$("$cli" look "$tmp/sats.tle" "${paris[@]}" --at 2026-12-06T18:00:00Z)
check "look exits 0" [ $? -eq 0 ]
check "look lines" [ -z "$(head -4 <<< "$out" | grep -Ev "^[0-9]+$T[^$T]+$T${num}[0-9]{4}$T${num}[0-9]{4}$T${num}[0-9]{3}$T${num}[0-9]{5}$T[01]\$")" ]
check "look dashes where the propagation fails" [ "$(sed -n 5p <<< "$out")" = "$(printf '5\tDECAYED\t-\t-\t-\t-\t-')" ]
check "look totals" grep -Eqx 'objects=5 errors=1 sun_elevation=-?[0-9]+\.[0-9]{4}' <<< "$(tail -1 <<< "$out")"
# The geostationary satellite: south-south-east, about 34 degrees up, at
# about 38,000 km, hardly moving; sunlit by night away from the equinoxes.
check "geostationary look angles" awk -F'\t' '$1 == 90005 && !($3 > 170 && $3 < 178 && $4 > 33 && $4 < 36 && $5 > 37500 && $5 < 39000 && $6 > -0.01 && $6 < 0.01 && $7 == 1) { bad = 1 } END { exit bad }' <<< "$out"

out=$("$cli" passes "$tmp/sats.tle" "${paris[@]}" --from 2026-12-06T00:00:00Z)
check "passes exits 0" [ $? -eq 0 ]
body=$(sed '$d' <<< "$out")
a2='[0-9]+\.[0-9]{2}'
check "passes lines" [ -z "$(grep -Ev "^[0-9]+$T[^$T]+$T$t$T$a2$T$t$T-?$a2$T$a2$T$t$T$a2$T(<?>?V?|-)\$" <<< "$body")" ]
check "passes totals count the lines" grep -Eqx "passes=$(wc -l <<< "$body") satellites=5 errors=1 ms=[0-9.]+" <<< "$(tail -1 <<< "$out")"
check "sorted by AOS, then catalogue number" [ "$(cut -f3,1 <<< "$body" | awk -F'\t' '{ print $2 "\t" $1 }')" = "$(cut -f3,1 <<< "$body" | awk -F'\t' '{ print $2 "\t" $1 }' | sort -k1,1 -k2,2n)" ]
check "twins in catalogue-number order" [ "$(grep -E $'^9000[12]\t' <<< "$body" | cut -f1 | head -2 | tr '\n' ' ')" = "90001 90002 " ]
check "the geostationary satellite is one pass over the whole day" [ "$(grep -c $'^90005\t' <<< "$body")" = 1 ] \
    && [ "$(grep $'^90005\t' <<< "$body" | cut -f3,8,10)" = "$(printf '2026-12-06T00:00:00.000Z\t2026-12-07T00:00:00.000Z\t<>V')" ]
check "ISS passes over Paris" [ "$(grep -c $'^25544\t' <<< "$body")" -ge 3 ]
check "passes reach the minimum elevation" awk -F'\t' '$6 < 10 { bad = 1 } END { exit bad }' <<< "$body"

vis=$("$cli" passes "$tmp/sats.tle" "${paris[@]}" --from 2026-12-06T00:00:00Z --visible)
check "--visible lists the V passes" [ "$(sed '$d' <<< "$vis")" = "$(grep -E $'\t[<>]*V$' <<< "$body")" ]
check "--visible counts what it lists" grep -q "^passes=$(sed '$d' <<< "$vis" | grep -c .) " <<< "$(tail -1 <<< "$vis")"

# Half a millisecond before a minute rounds up to the minute, never to :60.000.
out=$("$cli" passes "$tmp/sats.tle" "${paris[@]}" --from 2026-12-06T00:00:59.9996Z --hours 1)
check "times round to the millisecond" [ "$(grep $'^90005\t' <<< "$out" | cut -f3,8)" = "$(printf '2026-12-06T00:01:00.000Z\t2026-12-06T01:01:00.000Z')" ]
# A minimum the geostationary satellite never reaches, and one below the horizon.
check "no pass above 40 degrees" [ -z "$("$cli" passes "$tmp/sats.tle" "${paris[@]}" --from 2026-12-06T00:00:00Z --min-elevation 40 | grep $'^90005\t')" ]
check "min elevation -5 accepted" "$cli" passes "$tmp/sats.tle" "${paris[@]}" --from 2026-12-06T00:00:00Z --hours 0.5 --min-elevation -5 > /dev/null

# Bad arguments: exit 2, one line on stderr, nothing on stdout.
f="$tmp/sats.tle"
while IFS='|' read -r args; do
    # shellcheck disable=SC2086
    "$cli" $args > "$tmp/out" 2> "$tmp/err"
    rc=$?
    check "exit 2 for: $args" [ $rc -eq 2 ]
    check "one line on stderr for: $args" [ "$(wc -l < "$tmp/err")" -eq 1 ]
    check "nothing on stdout for: $args" [ ! -s "$tmp/out" ]
done <<EOF
passes $f
passes $f --observer
passes $f --observer 91,0
passes $f --observer -90.0001,0
passes $f --observer 45,-180.5
passes $f --observer 45,10,-501
passes $f --observer 45,10,10000.5
passes $f --observer nan,1
passes $f --observer 1,NaN
passes $f --observer 1,2,inf
passes $f --observer 0x10,1
passes $f --observer 1
passes $f --observer 1,2,3,4
passes $f --observer 1,,3
passes $f --observer 45,10 --hours 0
passes $f --observer 45,10 --hours 744.001
passes $f --observer 45,10 --hours nan
passes $f --observer 45,10 --min-elevation -5.5
passes $f --observer 45,10 --min-elevation 90.1
passes $f --observer 45,10 --min-elevation ten
passes $f --observer 45,10 --from 2026-02-29T00:00:00Z
passes $f --observer 45,10 --from 2026-12-06T24:00:00Z
passes $f --observer 45,10 --from 2026-12-06
passes $f --observer 45,10 --from 9999-12-31T12:00:00Z
passes $f --observer 45,10 --visible --bogus
passes $f $f --observer 45,10
passes --observer 45,10
look $f
look $f --observer 45,10 --at 2026-12-06T00:00:60Z
look $f --observer 45,10 --hours 1
look $f --observer 45;10
EOF

# Unreadable input: exit 1, nothing on stdout.
for c in "passes $tmp/missing.tle" "passes $tmp" "look $tmp/missing.tle"; do
    "$cli" $c "${paris[@]}" > "$tmp/out" 2> /dev/null
    check "exit 1 for $c" [ $? -eq 1 ] && check "nothing on stdout for $c" [ ! -s "$tmp/out" ]
done
exit $fail
