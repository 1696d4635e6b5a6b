#!/usr/bin/env bash
# skytrace-cli project: points and extents of every projection, usage errors.
. "$(dirname "$0")/lib.sh"

# The origin and the extent (half width, half height) of each projection.
while read -r id x y; do
  expect_eq "extent $id" "0.000000 0.000000|extent $x $y" \
    "$("$cli" project "$id" 0 0 | sed 's/-0\.000000/0.000000/g' | paste -sd'|')"
done < <(printf '%s %s %s\n' \
  100 3.141593 1.570796  102 3.141593 2.303413  101 1.110721 0.853553  103 3.141593 3.131301 \
  104 2.339921 1.707110  300 2.894405 1.447203  500 2.570796 1.570796  501 2.720698 1.570796 \
  502 3.141593 1.570796  503 2.735385 1.422390  704 3.141593 1.570796  700 3.141593 1.570796 \
  701 2.828427 1.414214  702 3.141593 3.141593  703 2.643559 1.570796)

expect_eq "points" "3.141593 1.570796|-1.570796 -0.785398|extent 3.141593 1.570796" \
  "$("$cli" project 100 180 90 -90 -45 | paste -sd'|')"
expect_eq "mercator clamp" "$("$cli" project 103 10 85 | head -1)" "$("$cli" project 103 10 89.9 | head -1)"
for args in "705 0 0" "100" "100 1" "100 1 2 3" "abc 1 2" "100 x 2" "100 1 nan"; do
  # shellcheck disable=SC2086
  "$cli" project $args >/dev/null 2>&1
  expect_eq "usage: $args" 2 $?
done
[ $fail -eq 0 ] && echo "cli_project: all checks passed"
exit $fail
