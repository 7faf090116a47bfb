#!/usr/bin/env bash
# Runs the panel and main window tests once more on a screen 640 pixels
# wide, in a Wine prefix of its own (the hot keys and windows of one screen
# never meet the other's).
set -uo pipefail
test_exe="$1"
source "$(dirname "$0")/../../tools/lib.sh"
kq_wine_env
kq_wine_template || exit 1

work="$(mktemp -d "$KQ_BUILD/small-screen.XXXXXX")"
xvfb_pid=""
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

display="$(kq_free_display 150)"
xvfb_pid="$(kq_start_xvfb "$display" 640x480x24)" || exit 1
kq_wine_copy "$work/prefix"
DISPLAY=":$display" WINEPREFIX="$work/prefix" wineserver -p </dev/null >/dev/null 2>&1
DISPLAY=":$display" WINEPREFIX="$work/prefix" wine wineboot </dev/null >/dev/null 2>&1
cd "$(dirname "$test_exe")"
DISPLAY=":$display" WINEPREFIX="$work/prefix" wine "$test_exe"
