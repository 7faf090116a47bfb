#!/usr/bin/env bash
# Runs the screen capture tests on screens of their own: 24 bits (which the
# platform shows as 32), 16 bits (5-6-5) and a width that is not a multiple
# of 4. Each screen gets a fresh Wine prefix, so that the display settings of
# one never leak into another.
set -uo pipefail
test_exe="$1"
source "$(dirname "$0")/../../tools/lib.sh"
kq_wine_env
kq_wine_template || exit 1

work="$(mktemp -d "$KQ_BUILD/capture-test.XXXXXX")"
xvfb_pid=""
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

status=0
# The display objects' lock is checked once, on the first screen.
only_once=""
# geometry, then the depth and width the platform reports for it
for screen in 1024x768x24:32:1024 1024x768x16:16:1024 1018x768x24:32:1018; do
  IFS=: read -r geometry bits width <<<"$screen"
  echo "=== screen $geometry"
  screen="$(kq_start_screen 140 "$geometry")" || exit 1
  read -r display xvfb_pid <<<"$screen"
  kq_wine_copy "$work/prefix"
  DISPLAY=":$display" WINEPREFIX="$work/prefix" KQ_SCREEN_BITS="$bits" KQ_SCREEN_WIDTH="$width" \
    wine "$test_exe" $only_once || status=1
  only_once="--gtest_filter=-CaptureService.CallsFromSeveralThreadsAtOnceAllSucceed"
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$work/prefix" wineserver -w 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=""
  rm -rf "$work/prefix"
done
exit "$status"
