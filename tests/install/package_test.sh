#!/usr/bin/env bash
# The Debian package made by CPack: its name, control fields (Depends computed
# from the binaries, so naming SDL), its files and programs, and lintian.
. "$(dirname "$0")/lib.sh"
[ "${SKYTRACE_SANITIZE:-OFF}" = ON ] && skip "sanitizer builds are not packaged"
command -v dpkg-deb >/dev/null || skip "no dpkg-deb"
command -v dpkg-shlibdeps >/dev/null || skip "no dpkg-shlibdeps (Debian package dpkg-dev) to compute Depends"

keeping_manifest "${CPACK_COMMAND:-cpack}" --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 \
  || { cat "$tmp/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb=$tmp/pkg/skytrace_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls "$tmp/pkg"; echo "FAIL: no $deb"; exit 1; }
field() { dpkg-deb -f "$deb" "$1"; }
check "package name, version, section" [ "$(field Package) $(field Version) $(field Section)" = "skytrace $version science" ]
check "a maintainer with an address" grep -Eq '^[^<>]+ <[^<>@ ]+@[^<>@ ]+>$' <<< "$(field Maintainer)"
check "Depends names the SDL library ($(field Depends))" grep -Eq '(^|, )libsdl2-2\.0-0( |,|$)' <<< "$(field Depends)"
check "a description with a summary and a body" [ "$(field Description | wc -l)" -gt 3 ]
bad_modes() { dpkg-deb -c "$deb" | awk '$2 != "root/root" || ($6 ~ /\/bin\/./ && $1 != "-rwxr-xr-x")'; }
check "files owned by root, programs 0755" [ -z "$(bad_modes)" ]

dpkg-deb -x "$deb" "$tmp/root"
check "everything under /usr" [ "$(ls -A "$tmp/root")" = usr ]
check_installed "$tmp/root/usr"

if command -v lintian >/dev/null; then
  rc=0
  lintian --fail-on error "$deb" >"$tmp/lintian.log" 2>&1 || rc=$?
  grep -v 'running with root privileges' "$tmp/lintian.log"
  check "lintian reports no error" [ $rc -eq 0 ]
else
  echo "skip: no lintian"
fi
exit $fail
