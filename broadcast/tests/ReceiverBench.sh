#!/usr/bin/env bash
# The receiving side's benchmark between two PCs: the teacher PC's engine
# sends a changing desktop-like screen (1024 x 768 x 24) in a teaching
# demonstration, zlib and JPEG at qualities 30, 60 and 90, at the teacher's
# speed steps 1, 5, 10, 15 and 20; the student PC runs ReceiverBench.exe
# (the engine's receive path and drawing on one thread) for each setting.
# Prints a markdown table; the socket's drop count comes from the student
# namespace's /proc/net/udp. "quick" runs two rows only.
#
#   ReceiverBench.sh BIN_DIR [SECONDS_PER_ROW] [quick]
set -uo pipefail
bin="$(realpath "$1")"
seconds="${2:-6}"
quick="${3:-}"
here="$(cd "$(dirname "$0")" && pwd)"
if ! ip link show kqv0 >/dev/null 2>&1 && [ -z "${KQ_IN_NETNS:-}" ]; then
  exec env KQ_IN_NETNS=1 "$here/../../tools/netns" run bash "$here/ReceiverBench.sh" "$@"
fi
source "$here/pcs_lib.sh"

# Speed step -> DelaySon (pause) and DelayMon (burst), as the teacher maps it.
pacing() {
  case "$1" in
    1) echo "27 1" ;; 5) echo "15 1" ;; 10) echo "1 1" ;; 15) echo "1 10" ;; 20) echo "1 20" ;;
  esac
}
settings=("zlib:lossless=1" "jpeg30:lossless=0 quality=30" "jpeg60:lossless=0 quality=60" "jpeg90:lossless=0 quality=90")
steps=(1 5 10 15 20)
if [ "$quick" = quick ]; then settings=("zlib:lossless=1" "jpeg60:lossless=0 quality=60"); steps=(10); fi
[ -n "${KQ_BENCH_SETTINGS:-}" ] && read -r -a settings <<<"$KQ_BENCH_SETTINGS"

new_pcs 1024x768x24 1024x768x24 || exit 1
cp "$bin/ReceiverBench.exe" "$work/A1/drive_c/Viewer/" || exit 1
udp_port="$(printf '%04X' "$port")"
echo "| setting | speed step | frames | reassembly ms | decode ms | compose ms | draw 1:1 ms | draw stretched ms | frames/s | fragments lost | blocks dropped | socket drops |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|"
status=0
rows=0
for setting in "${settings[@]}"; do
  name="${setting%%:*}"; opts="${setting#*:}"
  for step in "${steps[@]}"; do
    read -r pause burst <<<"$(pacing "$step")"
    log="$work/bench-$name-$step.log"
    "$KQ_ROOT/tools/netns" exec "$tag" A1 env WINEPREFIX="$work/A1" DISPLAY=":${display_of[A1]}" \
      wine 'C:\Viewer\ReceiverBench.exe' "$group" "$port" "$seconds" "$name | $step" > "$log" 2>/dev/null &
    bench=$!
    run_on T1 "open 0
animate
DoTeacherTeacherDemo group=$group port=$port pause=$pause burst=$burst $opts
sleep $((seconds * 1000 + 2000))
stop
close
quit" "$work/teacher-$name-$step.log"
    teacher=$!
    wait_line "$log" measured
    drops="$("$KQ_ROOT/tools/netns" exec "$tag" A1 cat /proc/net/udp 2>/dev/null |
      awk -v p=":$udp_port" '$2 ~ p"$" { print $NF; exit }')"
    wait "$bench" || status=1
    wait "$teacher"
    # A fresh start for the next row: a lingering Wine server keeps the
    # group's socket state of the last one.
    for pc in T1 A1; do WINEPREFIX="$work/$pc" wineserver -k 2>/dev/null; WINEPREFIX="$work/$pc" wineserver -w 2>/dev/null; done
    row="$(tr -d '\r' <"$log" | grep '^| ')"
    [ -n "$row" ] && rows=$((rows + 1))
    echo "${row:-| $name | $step | no result |} ${drops:-?} |"
    if ! grep -q '^| [^|]* | [^|]* | [1-9]' <<<"$row"; then
      status=1
      echo "no frames for $name at step $step; the teacher's host said:" >&2
      tr -d '\r' <"$work/teacher-$name-$step.log" >&2
      tr -d '\r' <"$log" >&2
    fi
  done
done
[ "$rows" = $(( ${#settings[@]} * ${#steps[@]} )) ] || status=1
exit "$status"
