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
# Published element lines: the ISS, and a set that decayed long ago.
iss=('1 25544U 98067A   26150.51748228  .00011776  00000+0  21767-3 0  9998'
    '2 25544  51.6337  27.5746 0007245 114.7080 245.4664 15.49496548569014')
decayed=('1 00005U 58002B   00179.78495062  .00000023  00000-0  90000-0 0  9992'
    '2 00005  34.2682 348.7242 1859667 331.7664  19.3264 16.40000000999995')
