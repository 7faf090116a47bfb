#!/usr/bin/env bash
# The sending side's benchmark: SenderBench.exe on a 1024 x 768 screen at 24
# and at 16 bits, then the frame rate the running engine reaches on the wire
# as the listener sees it, lossless and JPEG 30/60/90 with pacing off and at
# the teacher's step 10, and what one datagram costs. Prints markdown tables.
# Enters a private network of its own when not already in one. "quick" runs
# two wire rows per depth only.
#
#   SenderBench.sh BIN_DIR [FRAMES_PER_SETTING] [WIRE_SECONDS] [quick]
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if ! ip link show kqv0 >/dev/null 2>&1; then
  exec "$here/../../tools/netns" run bash "$here/SenderBench.sh" "$@"
fi
bin="$(realpath "$1")"
frames="${2:-20}"
wire_seconds="${3:-6}"
quick="${4:-}"
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
  grep -q '^| mutex + sendto | [0-9]' "$work/table.md" || { echo "error: no datagram cost"; status=1; }

  # The running engine, as the wire shows it: pacing off (a burst longer
  # than any frame) and the teacher's step 10.
  settings=("lossless=1" "lossless=0 quality=30" "lossless=0 quality=60" "lossless=0 quality=90")
  pacings=("off:pause=1 burst=65535" "step10 1/1:pause=1 burst=1")
  if [ "$quick" = quick ]; then settings=("lossless=1" "lossless=0 quality=60"); pacings=("${pacings[1]}"); fi
  for opts in "${settings[@]}"; do
    for pacing in "${pacings[@]}"; do
      out="$work/wire"; rm -rf "$out"; mkdir -p "$out"
      printf 'open 0\r\nDoTeacherTeacherDemo group=%s port=%s %s %s\r\nsleep %d\r\nstop\r\nclose\r\nquit\r\n' \
        "$group" "$port" "${pacing#*:}" "$opts" "$((wire_seconds * 1000 + 1000))" > "$dir/wire.txt"
      # The listener hears the whole run, however slowly the host starts: it
      # ends when the host has.
      "$bin/mirage-listen" "$group" "$port" "$out" 600 >/dev/null 2>&1 &
      listen_pid=$!
      wine 'C:\Bench\MirageHost.exe' 'C:\Bench\wire.txt' >/dev/null 2>&1
      kill "$listen_pid" 2>/dev/null; wait "$listen_pid" 2>/dev/null
      # Blocks announced per second, and how many of them the listener decoded.
      rate="$(awk '/ frame n=/ { t[n++] = $1; ok += / ok=1/ }
        END { if (n > 1) printf "%.1f | %d of %d", (n - 1) * 1000 / (t[n-1] - t[0]), ok, n; else print "none" }' "$out/wire.log")"
      [ "$rate" != none ] || status=1
      wire_rows+=("| 1024x768x$depth | $opts | ${pacing%%:*} | $rate |")
    done
  done
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$work/prefix" wineserver -w 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=""
  rm -rf "$WINEPREFIX"
done
echo "### running engine on the wire (listener)"
echo "| screen | options | pacing | frames/s | decoded |"
echo "|---|---|---|---|---|"
printf '%s\n' "${wire_rows[@]}"
exit "$status"
