# Source this file to get a private Wine prefix and an Xvfb display for one test run.
#
#   source tests/harness/wine-env.sh
#   wine_env_start OUT_DIR     # prefix under OUT_DIR/wine, display started, wineserver kept up
#   wine_run program.exe args  # runs under wine64 in that prefix
#   wine_env_stop              # stops what wine_env_start started (also on exit)
#
# Every process started here is stopped by its PID; nothing else is touched.

WINE64=${WINE64:-/usr/lib/wine/wine64}
[ -x "$WINE64" ] || WINE64=$(command -v wine64 || true)
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver || true)

_wine_env_pids=()

_wine_free_display() {
  local n
  for n in $(seq 90 189); do
    if [ ! -e "/tmp/.X${n}-lock" ] && [ ! -e "/tmp/.X11-unix/X${n}" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

_wine_make_prefix() {
  local prefix=$1 fontconf=$2
  cat > "$fontconf" <<XML
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <dir>/usr/share/wine/fonts</dir>
</fontconfig>
XML
  FONTCONFIG_FILE="$fontconf" WINEPREFIX="$prefix" WINEDLLOVERRIDES="mscoree,mshtml=" \
    "$WINE64" wineboot -i >/dev/null 2>&1
  # Let Wine draw its own window decorations (there is no window manager on Xvfb),
  # and start at 96 DPI unless a test sets another.
  WINEPREFIX="$prefix" "$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
  WINEPREFIX="$prefix" "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
  # The test programs' windows are not handed to a window manager: Wine then
  # does not wait two seconds for one to hide each window. (The installer
  # keeps its managed windows: its keyboard scenarios need the focus rules.)
  local program reg="$prefix/unmanaged-tests.reg"
  printf 'REGEDIT4\n' >"$reg"
  for program in platform xml localisation context download install validation app controls \
    wizard; do
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\win_%s.exe\\X11 Driver]\n"Managed"="N"\n' \
      "$program" >>"$reg"
  done
  WINEPREFIX="$prefix" "$WINE64" regedit /S "$(WINEPREFIX="$prefix" "$WINE64" winepath -w "$reg" 2>/dev/null)" \
    >/dev/null 2>&1
  WINEPREFIX="$prefix" "$WINESERVER" -w
}

wine_env_start() {
  local out
  mkdir -p "$1/wine"
  out=$(cd "$1" && pwd)
  export VWI_WINE_OUT="$out/wine"
  export WINEPREFIX="$out/wine/prefix"
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export FONTCONFIG_FILE="$out/wine/fonts.conf"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-env: creating a private Wine prefix in $WINEPREFIX"
    _wine_make_prefix "$WINEPREFIX" "$FONTCONFIG_FILE"
  fi
  if [ -z "${VWI_KEEP_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then
    local n
    n=$(_wine_free_display) || { echo "wine-env: no free X display" >&2; return 1; }
    Xvfb ":$n" -screen 0 1920x1200x24 -nolisten tcp >"$out/wine/xvfb.log" 2>&1 &
    _wine_env_pids+=($!)
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
  fi
  # Keep one wineserver up for the whole run so each program starts fast, and
  # start Wine's background services now, detached from any caller's pipes:
  # a service started by a test would hold the test runner's output open.
  "$WINESERVER" -p >/dev/null 2>&1 </dev/null
  "$WINE64" wineboot >/dev/null 2>&1 </dev/null
  trap wine_env_stop EXIT
}

wine_run() {
  "$WINE64" "$@"
}

# Converts a Linux path to the Windows path Wine shows for it (drive Z:).
wine_path() {
  local p
  p=$(readlink -f "$1")
  echo "Z:${p//\//\\}"
}

wine_screenshot() {
  import -display "$DISPLAY" -window root "$1" >/dev/null 2>&1
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -n "$WINESERVER" ]; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
  fi
  local pid
  for pid in "${_wine_env_pids[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
  done
  _wine_env_pids=()
}
