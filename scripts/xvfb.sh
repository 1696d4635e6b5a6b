# Sourced by the end-to-end tests and scripts/screenshot.sh.
# start_xvfb WxH: starts Xvfb on a display it picks itself (written to
# $tmp/display once ready), sets xvfb_pid and DISPLAY; fails when Xvfb cannot run.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$tmp/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -s "$tmp/display" ] || return 1
  export DISPLAY=":$(head -1 "$tmp/display")"
}
