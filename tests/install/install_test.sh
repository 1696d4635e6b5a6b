#!/usr/bin/env bash
# cmake --install into a scratch prefix below DESTDIR: the files and what they
# hold, the installed program drawing coastlines from share/skytrace/ under
# Xvfb, then the uninstall script removing exactly what was installed.
. "$(dirname "$0")/lib.sh"
root=$tmp/root prefix=/usr/local
dir=$root$prefix

keeping_manifest env DESTDIR="$root" "$cmake" --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 \
  || { cat "$tmp/install.log"; echo "FAIL: cmake --install"; exit 1; }
check_installed "$dir"

# The installed program with a fresh home: no user.app.path and no world.dat
# beside it, so green coastlines mean that share/skytrace/world.dat was found.
coastlines() { [ "$(convert "$tmp/screen.png" txt:- | grep -c ' #00C040 ')" -gt 1000 ]; }
missing=
for tool in Xvfb import convert; do command -v "$tool" >/dev/null || missing="$missing $tool"; done
. "$src/scripts/xvfb.sh"
if [ -n "$missing" ]; then
  echo "skip: no$missing: the installed program is not started"
elif ! start_xvfb 1024x768; then
  echo "skip: Xvfb cannot run here: the installed program is not started"
else
  mkdir -p "$tmp/home"
  env -u XDG_DATA_HOME HOME=$tmp/home SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$dir/bin/skytrace" &
  app_pid=$!
  drawn=1
  for _ in $(seq 40); do
    sleep 0.25
    kill -0 "$app_pid" 2>/dev/null || break
    import -window root "$tmp/screen.png" 2>/dev/null && coastlines && { drawn=0; break; }
  done
  check "the installed skytrace draws the coastlines of share/skytrace/world.dat" [ $drawn -eq 0 ]
  # SDL turns SIGTERM into a quit event: the program ends as when closed.
  kill -TERM "$app_pid" 2>/dev/null
  rc=0; wait "$app_pid" || rc=$?
  app_pid=
  check "it ends with 0 and keeps its settings in the fresh home" \
    [ $rc -eq 0 -a -f "$tmp/home/.local/share/Bluefinch/Skytrace/Skytrace.ini" ]
fi

# A file of another program in a folder shared with it stays after uninstalling.
echo other >"$dir/share/man/man1/other.1"
uninstall() { env DESTDIR="$root" "$cmake" -DMANIFEST="$tmp/manifest" -P "$src/scripts/uninstall.cmake" >"$tmp/uninstall.log" 2>&1; }
check "uninstall succeeds" uninstall
check "it removes every installed file and nothing else" [ "$(files_under "$root")" = usr/local/share/man/man1/other.1 ]
check "and the program's own folders" [ -z "$(find "$root" -name skytrace)" ]
check "uninstalling again finds nothing to do" uninstall
rm -f "$tmp/manifest"
rc=0; uninstall || rc=$?
check "without a manifest it fails and says why" [ $rc -ne 0 -a -n "$(grep 'no install manifest' "$tmp/uninstall.log")" ]
exit $fail
