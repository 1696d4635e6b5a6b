# Shared by the skytrace-cli tests: the binary, a scratch folder removed at
# exit, and checks that record a failure without stopping the script.
set -u
cli="${SKYTRACE_BIN_DIR:?}/skytrace-cli"
[ -x "$cli" ] || { echo "skip: $cli not built"; exit 77; }
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
fail=0
# check WHAT COMMAND...: the command must succeed.
check() { local what=$1; shift; "$@" || { echo "FAIL: $what"; fail=1; }; }
# expect_eq WHAT EXPECTED ACTUAL
expect_eq() { [ "$2" = "$3" ] || { echo "FAIL $1: expected [$2] got [$3]"; fail=1; }; }
