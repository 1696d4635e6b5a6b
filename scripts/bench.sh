#!/usr/bin/env bash
# make bench: runs skytrace-bench (medians of 5 repetitions, JSON into
# build/bench.json), compares skytrace-cli's propagation with the peer
# library under bench/peers on the same work, measures the peak resident
# memory with the snapshot catalogue loaded, and prints the figures against
# their targets. Propagation times per propagation come from the
# propagate_ms that `where` prints, which times the propagation alone (the
# file is loaded before the clock starts).
set -uo pipefail
cd "$(dirname "$0")/.."
BENCH_BUILD=${BENCH_BUILD:-build-bench}
OUT_JSON=${OUT_JSON:-build/bench.json}
OUT_TXT=${OUT_JSON%.json}.txt
REPS=${BENCH_REPETITIONS:-5}
SNAP="$(cd .. && pwd)/shared/data/elements-2026-05-30"
GROUPS_=(stations starlink oneweb geo weather resource science military)
AT=2026-12-06T00:00:00Z
cli="$BENCH_BUILD/bin/skytrace-cli"

mkdir -p "$(dirname "$OUT_JSON")"
"$BENCH_BUILD/bin/skytrace-bench" --benchmark_repetitions="$REPS" \
  --benchmark_report_aggregates_only=true \
  --benchmark_out="$OUT_JSON" --benchmark_out_format=json | tee "$OUT_TXT"
status=${PIPESTATUS[0]}

# Median CPU time of a benchmark in ms, from the console report.
median_ms() {
  awk -v n="$1_median" '$1 == n {
      v = $4; u = $5
      if (u == "us") v /= 1000; else if (u == "ns") v /= 1e6; else if (u == "s") v *= 1000
      printf "%.2f", v; exit }' "$OUT_TXT"
}
row() {  # name, figure, target text, pass (1/0/empty)
  local mark="-"
  [ "$4" = 1 ] && mark="met"
  [ "$4" = 0 ] && mark="NOT MET"
  printf '  %-38s %-26s %-16s %s\n' "$1" "$2" "$3" "$mark"
}
le() { awk -v a="$1" -v b="$2" 'BEGIN { print (a != "" && a + 0 <= b + 0) ? 1 : 0 }'; }
ge() { awk -v a="$1" -v b="$2" 'BEGIN { print (a != "" && a + 0 >= b + 0) ? 1 : 0 }'; }

echo
echo "Figures (median CPU time per iteration):"
row "batch propagation instruction set" "$(sed -n 's/.*"simd_target": "\([^"]*\)".*/\1/p' "$OUT_JSON" | head -1)" "" ""
for target in "BM_LoadCatalog 100" "BM_UpdateCatalog/12000 10" "BM_UpdateCatalog/100000 15" \
            "BM_RenderFrame/12000 5" "BM_RenderFrame/100000 25" "BM_RenderFrameLabels/12000 8" \
            "BM_RenderFrameNight/12000/manual_time -" "BM_NightShade/0 -" "BM_NightShade/1 -" \
            "BM_PathReset -" "BM_PathStep -" "BM_Propagate -" "BM_PropagateScalar -" "BM_Reproject -" \
            "BM_Passes 1000"; do
  set -- $target
  v=$(median_ms "$1")
  if [ -z "$v" ]; then row "$1" "skipped" "" ""; continue; fi
  if [ "$2" = - ]; then row "$1" "$v ms" "" ""; else row "$1" "$v ms" "<= $2 ms" "$(le "$v" "$2")"; fi
done
# What the observer layers (night shade, footprint, marks, look angles) add to a
# frame, against a frame without them drawn just before (the counter extra_ms).
extra=$(awk '$1 == "BM_RenderFrameNight/12000/manual_time_median" {
    for (i = 1; i <= NF; i++) if ($i ~ /^extra_ms=/) { split($i, a, "="); printf "%.2f", a[2] } }' "$OUT_TXT")
[ -n "$extra" ] && row "observer layers, per frame" "$extra ms" "<= 2 ms" "$(le "$extra" 2)"
allocs=$(awk '/^BM_(UpdateCatalog|PathStep)/ && /_median/ { for (i = 1; i <= NF; i++) if ($i ~ /^allocs\/iter=/) { split($i, a, "="); s += a[2] } } END { print s + 0 }' "$OUT_TXT")
row "allocations, update and path step" "$allocs per iteration" "0" "$([ "$allocs" = 0 ] && echo 1 || echo 0)"

if [ ! -d "$SNAP" ]; then
  echo "The shared element snapshot ($SNAP) is absent: propagation and memory figures skipped."
  exit "$status"
fi
mgr=$(mktemp /tmp/skytrace-bench-XXXXXX.txt)
trap 'rm -f "$mgr" "$mgr.empty"' EXIT
files=()
for g in "${GROUPS_[@]}"; do echo "$SNAP/$g.tle" >> "$mgr"; files+=("$SNAP/$g.tle"); done
: > "$mgr.empty"

# Peak resident memory: the catalogue loaded against the process at rest.
if [ -x /usr/bin/time ]; then
  rest=$(/usr/bin/time -f %M "$cli" where "$mgr.empty" --at "$AT" 2>&1 >/dev/null | tail -1)
  full=$(/usr/bin/time -f %M "$cli" where "$mgr" --at "$AT" 2>&1 >/dev/null | tail -1)
  n=$("$cli" where "$mgr" --at "$AT" | tail -1 | sed 's/.*objects=\([0-9]*\).*/\1/')
  per=$(awk -v a="$rest" -v b="$full" -v n="$n" 'BEGIN { printf "%.0f", (b - a) * 1024 / n }')
  row "peak memory, $n satellites" "$full KiB ($rest at rest)" "" ""
  row "memory per satellite" "$per bytes" "<= 2048 bytes" "$(le "$per" 2048)"
fi

# The map program with the snapshot under Xvfb at 800 x 600, in a temporary
# HOME whose data manager file lists the snapshot's groups. app_probe idle:
# per cent of a core over 10 s with nothing happening, 5 s after the start.
# app_probe cycle: resident memory growth in KiB from 20 s to 120 s of M
# pressed once a second. The program is closed with SIGTERM, which SDL turns
# into its quit event.
app_probe() {
  local tmp pid wid t0 t1 rss0=0 rss1 i
  tmp=$(mktemp -d /tmp/skytrace-probe-XXXXXX)
  (
    xvfb_pid=
    trap 'kill "$xvfb_pid" 2>/dev/null; rm -rf "$tmp"' EXIT
    . scripts/xvfb.sh
    start_xvfb 800x600 || exit 1
    export HOME=$tmp/home XDG_DATA_HOME=$tmp/xdg SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy
    mkdir -p "$HOME/Documents" "$XDG_DATA_HOME"
    cp "$mgr" "$HOME/Documents/datamgr.txt"
    "$BENCH_BUILD/bin/skytrace" >/dev/null 2>&1 &
    pid=$!
    cpu() { sed 's/.*) //' "/proc/$pid/stat" | awk '{ print $12 + $13 }'; }
    rss() { awk '$1 == "VmRSS:" { print $2 }' "/proc/$pid/status"; }
    sleep 5
    kill -0 "$pid" 2>/dev/null || exit 1
    if [ "$1" = idle ]; then
      t0=$(cpu); sleep 10; t1=$(cpu)
      awk -v a="$t0" -v b="$t1" -v hz="$(getconf CLK_TCK)" 'BEGIN { printf "%.1f", (b - a) / hz / 10 * 100 }'
    else
      wid=$(xdotool search --onlyvisible --name '^Skytrace$' | head -1)
      for i in $(seq 115); do
        xdotool key --window "$wid" m
        [ "$i" = 15 ] && rss0=$(rss)
        sleep 1
      done
      rss1=$(rss)
      echo "$((rss1 - rss0)) $rss0 $rss1"
    fi
    kill -TERM "$pid"
    wait "$pid"
  )
}
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
  echo "Xvfb or xdotool is absent: the idle CPU and memory rows are skipped."
elif [ ! -x "$BENCH_BUILD/bin/skytrace" ]; then
  echo "No $BENCH_BUILD/bin/skytrace: the idle CPU and memory rows are skipped."
else
  idle=$(app_probe idle)
  if [ -n "$idle" ]; then row "map program at rest, CPU" "$idle % of a core" "< 3 %" "$(awk -v v="$idle" 'BEGIN { print (v < 3) ? 1 : 0 }')"
  else row "map program at rest, CPU" "could not run" "< 3 %" 0; fi
  cycle=$(app_probe cycle)
  if [ -n "$cycle" ]; then
    set -- $cycle
    row "memory growth, M each second" "$1 KiB ($2 -> $3 KiB)" "< 1024 KiB" "$(awk -v v="$1" 'BEGIN { print (v < 1024) ? 1 : 0 }')"
  else row "memory growth, M each second" "could not run" "< 1024 KiB" 0; fi
fi

# Propagation against the peer on the same work: three rounds, each running
# where, where --teme and the peer once, so that both sides meet the same
# machine load; the best figure of each is kept.
# Nanoseconds per propagation of one `where ARGS...` run.
where_ns() {
  "$cli" where "$mgr" --at "$AT" --repeat 60 --step 60 "$@" | tail -1 |
    awk '{ for (i = 1; i <= NF; i++) { split($i, a, "="); v[a[1]] = a[2] } printf "%.1f", v["propagate_ms"] * 1e6 / v["propagations"] }'
}
best() { awk -v a="$1" -v b="$2" 'BEGIN { print (a == "" || (b != "" && b + 0 < a + 0)) ? b : a }'; }
peer_ns() { echo "$peer" | awk -v m="$1" '$2 == m { split($3, a, "="); print a[2] }'; }
havePeer=1
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  echo "Node.js and npm are absent: the peer comparison is skipped."
  havePeer=0
elif [ ! -d bench/peers/node_modules/satellite.js ]; then
  (cd bench/peers && npm ci --no-audit --no-fund --silent) || { echo "The peer library could not be installed: comparison skipped."; havePeer=0; }
fi
ours= teme= wasm= wasmTeme= js=
for _ in 1 2 3; do
  ours=$(best "$ours" "$(where_ns)")
  teme=$(best "$teme" "$(where_ns --teme)")
  if [ "$havePeer" = 1 ]; then
    peer=$(node bench/peers/propagate.mjs --at "$AT" --repeat 60 --step 60 "${files[@]}")
    wasm=$(best "$wasm" "$(peer_ns wasm_bulk)")
    wasmTeme=$(best "$wasmTeme" "$(peer_ns wasm_bulk_teme)")
    js=$(best "$js" "$(peer_ns js_propagate)")
  fi
done
row "where, per propagation" "$ours ns" "" ""
row "where --teme, per propagation" "$teme ns" "(goal < 60 ns)" ""
[ "$havePeer" = 1 ] || exit "$status"
ratio() { awk -v p="$1" -v o="$2" 'BEGIN { printf "%.2f", p / o }'; }
rw=$(ratio "$wasm" "$ours")
rt=$(ratio "$wasmTeme" "$teme")
rj=$(ratio "$js" "$ours")
row "peer WebAssembly bulk, geodetic" "$wasm ns" "" ""
row "peer WebAssembly bulk, TEME only" "$wasmTeme ns" "" ""
row "peer JavaScript propagate" "$js ns" "" ""
row "where against WebAssembly" "${rw}x" ">= 10x" "$(ge "$rw" 10)"
row "where --teme against WebAssembly" "${rt}x" ">= 5x" "$(ge "$rt" 5)"
row "where against JavaScript" "${rj}x" ">= 5x" "$(ge "$rj" 5)"

# Passes against the peer: every pass over Paris for a day at 10 degrees,
# skytrace-cli passes (best of three) against the peer's sampling at 30 s.
pass_args=(--observer 48.85,2.35,35 --from "$AT" --hours 24 --min-elevation 10)
ours=
for _ in 1 2 3; do
  line=$("$cli" passes "$mgr" "${pass_args[@]}" | tail -1)
  ms=$(echo "$line" | sed 's/.*ms=\([0-9.]*\).*/\1/')
  ours=$(best "$ours" "$ms")
done
row "skytrace-cli passes, search" "$ours ms ($(echo "$line" | cut -d' ' -f1))" "<= 1000 ms" "$(le "$ours" 1000)"
peer=$(node bench/peers/passes.mjs "${files[@]}" "${pass_args[@]}")
pms=$(echo "$peer" | sed 's/.*ms=\([0-9.]*\).*/\1/')
rp=$(awk -v p="$pms" -v o="$ours" 'BEGIN { printf "%.1f", p / o }')
row "peer sampling every 30 s" "$pms ms ($(echo "$peer" | cut -d' ' -f2))" "" ""
row "passes against the peer" "${rp}x" ">= 20x" "$(ge "$rp" 20)"
exit "$status"
