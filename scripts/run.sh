#!/usr/bin/env bash
# Starts the built program the way `make run` does: on the user's own data
# manager file when there is one, else in a demo home folder of its own
# (your settings and documents stay untouched) with element sets downloaded
# now, or, offline, a made-up demo catalogue from skytrace-cli walker.
# Usage: scripts/run.sh [BUILD_DIR]   (default: build)
# Environment: SKYTRACE_DEMO_HOME, the demo home folder (default
# BUILD_DIR/home); SKYTRACE_ELEMENTS_URL and SKYTRACE_CONNECT_TIMEOUT as for
# scripts/update-elements.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
prog=$build/bin/skytrace
cli=$build/bin/skytrace-cli
[ -x "$prog" ] && [ -x "$cli" ] || { echo "run: build first: no $prog or $cli" >&2; exit 1; }
say() { echo "Skytrace: $*"; }

. "$root/scripts/user-paths.sh"
mgr=$(skytrace_datamgr)
if [ -n "$mgr" ] && [ -f "$mgr" ]; then
  say "your data manager file $mgr"
  exec "$prog"
fi

demo=${SKYTRACE_DEMO_HOME:-$build/home}
say "no data manager file of yours (${mgr:-HOME is not set}): starting on demo data"
say "in $demo (your own settings and documents are not touched)"
mkdir -p "$demo/Documents"
demo=$(cd "$demo" && pwd)
export HOME=$demo XDG_DATA_HOME=$demo/.local/share
docs=$demo/Documents
list=$docs/datamgr.txt

# The demo list is made afresh each time; renamed into place in one step.
# Three seconds to connect, so an offline machine hardly waits.
export SKYTRACE_CONNECT_TIMEOUT=${SKYTRACE_CONNECT_TIMEOUT:-3}
rm -f "$list.new"
"$root/scripts/update-elements" --dir "$docs/skytrace-elements" --datamgr "$list.new" \
  stations weather gnss geo starlink || true
if [ -s "$list.new" ]; then
  say "demo data: current element sets of the groups above"
else
  "$root/scripts/demo-catalogue.sh" "$cli" >"$docs/demo-walker.tle.new"
  mv -f "$docs/demo-walker.tle.new" "$docs/demo-walker.tle"
  echo "$docs/demo-walker.tle" >"$list.new"
  say "no element sets could be fetched, so the demo data are"
  say "$(grep -c '^1 ' "$docs/demo-walker.tle") made-up satellites named DEMO-... (skytrace-cli walker, epoch now)"
fi
mv -f "$list.new" "$list"
used=$(skytrace_datamgr)
[ "$used" = "$list" ] || say "note: the demo settings name $used as the data manager file instead"
exec "$prog"
