#!/usr/bin/env bash
# The sending side's benchmark: SenderBench.exe on a 1024 x 768 screen at 24
# and at 16 bits, then the frame rate the running engine reaches on the wire
# as the listener sees it. Prints markdown tables. Enters a private network
# of its own when not already in one.
#
#   SenderBench.sh BIN_DIR [FRAMES_PER_SETTING] [WIRE_SECONDS]
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if ! ip link show kqv0 >/dev/null 2>&1; then
  exec "$here/../../tools/netns" run bash "$here/SenderBench.sh" "$@"
fi
bin="$(realpath "$1")"
frames="${2:-20}"
wire_seconds="${3:-6}"
source "$here/../../tools/lib.sh"
kq_wine_env
kq_wine_template || exit 1

group=239.255.77.21
port=47321
work="$(mktemp -d "$KQ_BUILD/sender-bench.XXXXXX")"
xvfb_pid=""
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

wire_rows=()
status=0
for depth in 24 16; do
  screen="$(kq_start_screen 180 "1024x768x$depth")" || exit 1
  read -r display xvfb_pid <<<"$screen"
  export DISPLAY=":$display" WINEPREFIX="$work/prefix"
  kq_wine_copy "$WINEPREFIX"
  kq_wine_warmup
  dir="$WINEPREFIX/drive_c/Bench"
  mkdir -p "$dir"
  for f in SenderBench.exe MirageHost.exe Mirage.dll KqGetBmp.dll ijl11.dll Snarewell.dll Mirage.ini; do
    cp "$bin/$f" "$dir/" || status=1
  done
  echo "### sender functions, 1024x768 at $depth bits, $frames frames per row"
  wine 'C:\Bench\SenderBench.exe' "$frames" "$group" "$port" 2>/dev/null | tr -d '\r' | grep -v '^$' |
    tee "$work/table.md"
  rows="$(grep -c '^| 1024x768x' "$work/table.md")"
  [ "$rows" = 16 ] || { echo "error: $rows of 16 rows"; status=1; }

  # The running engine, paced at the teacher's step 10, as the wire shows it.
  for opts in "lossless=1" "lossless=0 quality=60"; do
    out="$work/wire"; rm -rf "$out"; mkdir -p "$out"
    printf 'open 0\r\nDoTeacherTeacherDemo group=%s port=%s pause=1 burst=1 %s\r\nsleep %d\r\nstop\r\nclose\r\nquit\r\n' \
      "$group" "$port" "$opts" "$((wire_seconds * 1000 + 1000))" > "$dir/wire.txt"
    # The listener hears the whole run, however slowly the host starts: it
    # ends when the host has.
    "$bin/mirage-listen" "$group" "$port" "$out" 600 >/dev/null 2>&1 &
    listen_pid=$!
    wine 'C:\Bench\MirageHost.exe' 'C:\Bench\wire.txt' >/dev/null 2>&1
    kill "$listen_pid" 2>/dev/null; wait "$listen_pid" 2>/dev/null
    rate="$(awk '/ frame n=/ { t[n++] = $1 } END { if (n > 1) printf "%.1f", (n - 1) * 1000 / (t[n-1] - t[0]); else print "none" }' "$out/wire.log")"
    [ "$rate" != none ] || status=1
    wire_rows+=("| 1024x768x$depth | $opts | step10 1/1 | $rate |")
  done
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$work/prefix" wineserver -w 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=""
  rm -rf "$WINEPREFIX"
done
echo "### running engine on the wire (listener)"
echo "| screen | options | pacing | frames/s |"
echo "|---|---|---|---|"
printf '%s\n' "${wire_rows[@]}"
exit "$status"
