#!/usr/bin/env bash
# Sourced: a Wine prefix and an X display for running Ombrel and its Windows tests.
#   ombrel_wine_prefix DIR [DPI]   makes DIR a fresh prefix set up for Chinese captions (a copy
#                                  of one made once: a new prefix costs a copy, not a boot)
#   ombrel_start_display           starts Xvfb unless a display is given; sets DISPLAY

OMBREL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export LANG=zh_CN.UTF-8

ombrel_wine_prefix() {
  local prefix="$1" dpi="${2:-96}"
  local template="$OMBREL_ROOT/build/wine/prefix-template"
  export WINEPREFIX="$prefix"
  if [ ! -f "$prefix/.ombrel-ready-$dpi" ]; then
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    if [ ! -f "$template/.ombrel-template" ]; then
      # Booted once and never run in: every prefix starts as a copy of it.
      rm -rf "$template"
      mkdir -p "$template"
      WINEPREFIX="$template" wineboot -i >/dev/null 2>&1
      WINEPREFIX="$template" wine regedit /S "$OMBREL_ROOT/scripts/wine-prefix.reg" >/dev/null 2>&1
      WINEPREFIX="$template" wineserver -w
      touch "$template/.ombrel-template"
    fi
    mkdir -p "$(dirname "$prefix")"
    cp -a "$template" "$prefix"
    rm -f "$prefix/.ombrel-template"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.ombrel-ready-$dpi"
  fi
}

ombrel_start_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    return 0
  fi
  local number
  for number in $(seq 90 120); do
    # A lock left by a server that was killed is nobody's: its number is free again.
    if [ -e "/tmp/.X$number-lock" ] && ! kill -0 "$(tr -d ' ' <"/tmp/.X$number-lock")" 2>/dev/null; then
      rm -f "/tmp/.X$number-lock" "/tmp/.X11-unix/X$number"
    fi
    if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
      Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
      OMBREL_XVFB_PID=$!
      export DISPLAY=":$number"
      local tries
      for tries in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
      done
      echo "Xvfb did not start" >&2
      return 1
    fi
  done
  echo "no free X display number" >&2
  return 1
}

ombrel_stop_display() {
  if [ -n "${OMBREL_XVFB_PID:-}" ]; then
    kill "$OMBREL_XVFB_PID" 2>/dev/null || true
  fi
}

# One Wine session per prefix for a whole test run instead of one per program. Its background
# services start here, outside CTest, which would otherwise wait on their output forever.
ombrel_wine_session() {
  local prefix="$1"
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
  WINEPREFIX="$prefix" wineserver -p
  WINEPREFIX="$prefix" wine cmd /c exit >/dev/null 2>&1 </dev/null
}

ombrel_end_wine_sessions() {
  local prefix
  for prefix in "$@"; do
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  done
}
