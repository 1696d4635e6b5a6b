#!/usr/bin/env bash
# skytrace-cli project: points, the extent line and usage errors (projections: tests/map).
. "$(dirname "$0")/lib.sh"

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
