# Sourced by scripts/run.sh and scripts/update-elements: where the program
# looks for its settings file and its data manager file, found the same way
# it does, from HOME, XDG_DATA_HOME and the settings file, without creating
# or changing anything.

# The preference folder, as SDL names it on Linux.
skytrace_pref_dir() {
  if [ -n "${XDG_DATA_HOME:-}" ]; then
    echo "$XDG_DATA_HOME/Bluefinch/Skytrace"
  elif [ -n "${HOME:-}" ]; then
    echo "$HOME/.local/share/Bluefinch/Skytrace"
  fi
}

# skytrace_ini_value SECTION KEY: the value in the settings file, read as the
# program reads it (first '=' splits, blanks trimmed, the reading stops at
# the first malformed line); nothing when absent.
skytrace_ini_value() {
  local ini
  ini=$(skytrace_pref_dir)/Skytrace.ini
  [ -f "$ini" ] || return 0
  awk -v want_s="$1" -v want_k="$2" '
    { sub(/\r$/, ""); sub(/^[ \t\v\f]+/, "") }
    $0 == "" || /^[#;]/ { next }
    /^\[/ { i = index($0, "]"); if (i <= 2) exit; sec = substr($0, 2, i - 2); have = 1; next }
    { i = index($0, "="); if (!have || i == 0) exit
      k = substr($0, 1, i - 1); sub(/[ \t\v\f]+$/, "", k); if (k == "") exit
      v = substr($0, i + 1); sub(/^[ \t\v\f]+/, "", v); sub(/[ \t\v\f]+$/, "", v)
      if (sec == want_s && k == want_k) { val = v; found = 1 } }
    END { if (found) print val }' "$ini"
}

# The user's data folder with a final '/': the settings file's data path, else
# the Documents folder of HOME, else HOME; nothing when HOME is not set.
skytrace_data_dir() {
  local dir
  dir=$(skytrace_ini_value User DataPath)
  if [ -z "$dir" ]; then
    [ -n "${HOME:-}" ] || return 0
    dir=$HOME
    [ -d "$HOME/Documents" ] && dir=${HOME%/}/Documents
  fi
  echo "${dir%/}/"
}

# The data manager file: the settings file's name (default datamgr.txt), taken
# as it is when it holds a '/', else in the data folder; nothing when it
# cannot be resolved.
skytrace_datamgr() {
  local name dir
  name=$(skytrace_ini_value Object Data)
  name=${name:-datamgr.txt}
  case $name in
    */*) echo "$name"; return 0 ;;
  esac
  dir=$(skytrace_data_dir)
  [ -n "$dir" ] && echo "$dir$name"
  return 0
}
