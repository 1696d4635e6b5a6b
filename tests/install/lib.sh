# Shared by the installation tests: the build, a scratch folder, checks that
# record a failure and go on, and the checks of an installed tree.
set -u
build=${SKYTRACE_BUILD_DIR:?}
src=${SKYTRACE_SOURCE_DIR:?}
version=${SKYTRACE_VERSION:?}
cmake=${CMAKE_COMMAND:-cmake}
tmp=$(mktemp -d)
app_pid= xvfb_pid=
cleanup() { local pid; for pid in $app_pid $xvfb_pid; do kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; done; rm -rf "$tmp"; }
trap cleanup EXIT
fail=0
skip() { echo "SKIP: $*"; exit 77; }
# check WHAT COMMAND...: the command must succeed.
check() { local what=$1; shift; if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; fail=1; fi; }

# keeping_manifest COMMAND...: runs a command that installs from the build
# (cmake --install, cpack) and leaves its install manifest in $tmp/manifest;
# the build's manifest, maybe that of a user's install, is put back as it was.
keeping_manifest() {
  local m=$build/install_manifest.txt had=0 rc=0
  if [ -f "$m" ]; then cp -p "$m" "$tmp/manifest.before"; had=1; fi
  "$@" || rc=$?
  if [ -f "$m" ]; then mv -f "$m" "$tmp/manifest"; fi
  if [ $had = 1 ]; then mv -f "$tmp/manifest.before" "$m"; fi
  return $rc
}

# Every file an installation holds, relative to its prefix.
installed_files() {
  printf '%s\n' bin/skytrace bin/skytrace-cli share/skytrace/world.dat \
    share/applications/skytrace.desktop share/icons/hicolor/scalable/apps/skytrace.svg \
    share/icons/hicolor/48x48/apps/skytrace.png share/icons/hicolor/256x256/apps/skytrace.png \
    share/man/man1/skytrace.1.gz share/man/man1/skytrace-cli.1.gz \
    share/doc/skytrace/README.md share/doc/skytrace/OFL.txt share/doc/skytrace/copyright \
    share/doc/skytrace/changelog.gz | sort
}
files_under() { (cd "$1" && find . -type f -o -type l | sed 's|^\./||' | sort); }

# The commands skytrace-cli --help lists, and the subsections of COMMANDS in its manual page.
cli_commands() { "$1" --help | sed -n 's/^  \([a-z][a-z-]*\).*/\1/p' | sort; }
man_commands() { zcat "$1" | sed -n '/^\.SH COMMANDS/,/^\.SH /s/^\.SS \([a-z][a-z-]*\).*/\1/p' | sort; }
# groff_quiet PAGE.gz: renders without a single warning (all of them enabled).
groff_quiet() { [ -z "$(zcat "$1" | LC_ALL=C.UTF-8 groff -ww -man -Tutf8 2>&1 >/dev/null)" ]; }
man_quiet() { [ -z "$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null)" ]; }
png_size() { file -b "$1" | grep -q "^PNG image data, $2 x $2,"; }
icons_sized() { png_size "$1/48x48/apps/skytrace.png" 48 && png_size "$1/256x256/apps/skytrace.png" 256; }

# check_installed DIR: the installation under the prefix DIR, and its programs.
check_installed() {
  local dir=$1 page
  check "the installed files" [ "$(files_under "$dir")" = "$(installed_files)" ]
  check "skytrace --version" [ "$("$dir/bin/skytrace" --version)" = "skytrace $version" ]
  check "skytrace-cli --version" [ "$("$dir/bin/skytrace-cli" --version)" = "skytrace-cli $version" ]
  mkdir -p "$tmp/help-home"
  local help rc=0
  help=$(env -u XDG_DATA_HOME HOME=$tmp/help-home "$dir/bin/skytrace" unknown-argument --help) || rc=$?
  check "skytrace --help exits 0, names the manual page, writes no file" \
    [ $rc -eq 0 -a -n "$(grep 'man skytrace' <<< "$help")" -a -z "$(ls -A "$tmp/help-home")" ]
  check "icons of 48 and 256 pixels" icons_sized "$dir/share/icons/hicolor"
  local desktop=$dir/share/applications/skytrace.desktop
  check "the menu entry starts an installed program with an installed icon" \
    [ -x "$dir/bin/$(sed -n 's/^Exec=//p' "$desktop")" -a \
      -f "$dir/share/icons/hicolor/scalable/apps/$(sed -n 's/^Icon=//p' "$desktop").svg" ]
  if command -v desktop-file-validate >/dev/null; then
    local said
    rc=0
    said=$(desktop-file-validate "$desktop" 2>&1) || rc=$?
    check "desktop-file-validate: no error or warning" [ $rc -eq 0 -a -z "$(grep -Ei 'error|warning' <<< "$said")" ]
  else
    echo "skip: no desktop-file-validate"
  fi
  for page in skytrace skytrace-cli; do
    local gz=$dir/share/man/man1/$page.1.gz
    check "$page.1 carries the version" bash -c "zcat '$gz' | grep -q '^\.TH .*\"Skytrace $version\"'"
    if command -v groff >/dev/null; then check "groff -ww renders $page.1 without warning" groff_quiet "$gz"; fi
    if command -v man >/dev/null; then check "man -l renders $page.1 without warning" man_quiet "$gz"; fi
  done
  check "skytrace-cli.1 has a section for every command of --help" \
    [ "$(man_commands "$dir/share/man/man1/skytrace-cli.1.gz")" = "$(cli_commands "$dir/bin/skytrace-cli")" ]
}
