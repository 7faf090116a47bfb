#!/usr/bin/env bash
# The sending half of the engine as the wire shows it: MirageHost.exe runs a
# mode on a screen covered by the test pattern while the native listener
# records every datagram; check_wire.py then reads the record. Each screen
# gets its own Xvfb and Wine prefix. Runs inside the private network.
#
#   SenderWire.sh BIN_DIR [SCENARIO...]     scenarios: demo24 wide16 monitor
set -uo pipefail
bin="$1"; shift
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../tools/lib.sh"
kq_wine_env
kq_wine_template || exit 1
scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || scenarios=(demo24 wide24 demo16 monitor)

group=239.255.77.9
port=47311
work="$(mktemp -d "$KQ_BUILD/sender-wire.XXXXXX")"
xvfb_pid=""
cleanup() {
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ "${KQ_KEEP_WIRE:-0}" = 1 ] || rm -rf "$work"
}
trap cleanup EXIT

# The host's commands for each scenario. Lines the checker needs to place in
# time are echoed by the host with a time stamp (see run_host).
script_for() {
  local mode_opts="group=$group port=$port pause=1 burst=20"
  case "$1" in
    demo24|demo16) cat <<EOS
open 0
pattern
cursor 300 200
sleep 1000
DoTeacherTeacherDemo $mode_opts lossless=0 quality=0
sleep 4000
reset 1 1 20 0 0
sleep 4000
cursor 310 200
sleep 700
cursor 330 220
sleep 700
cursor 340 230
sleep 1200
shapewindow 600 500 200 200
move 700 600
sleep 1500
post DoSendMouseWnd 0x8B7 0
sleep 800
stop
sleep 2000
close
quit
EOS
    ;;
    wide24) cat <<EOS
open 0
pattern
blockshape
sleep 1000
DoTeacherTeacherDemo $mode_opts lossless=1 quality=60 pause=5 burst=3
sleep 4000
post DoSendMouseWnd 0x8B7 1
sleep 1000
stop
sleep 500
close
quit
EOS
    ;;
    monitor) cat <<EOS
open 0
pattern
sleep 1000
DoStudentMonitor $mode_opts id=5 lossless=1
sleep 3000
post DoSendScreenWnd 0x8B1 0
sleep 3000
post DoSendScreenWnd 0x8B1 0
sleep 3000
stop
sleep 500
close
quit
EOS
    ;;
  esac
}

geometry_for() {
  case "$1" in
    demo24) echo 1280x1024x24 ;;
    wide24) echo 1280x600x24 ;;
    demo16) echo 1024x768x16 ;;
    monitor) echo 1024x768x24 ;;
  esac
}

status=0
for scenario in "${scenarios[@]}"; do
  echo "=== $scenario on $(geometry_for "$scenario")"
  out="$work/$scenario"
  mkdir -p "$out"
  screen="$(kq_start_screen 160 "$(geometry_for "$scenario")")" || exit 1
  read -r display xvfb_pid <<<"$screen"
  export DISPLAY=":$display" WINEPREFIX="$work/prefix"
  kq_wine_copy "$WINEPREFIX"
  kq_wine_warmup
  host_dir="$WINEPREFIX/drive_c/MirageWire"
  mkdir -p "$host_dir"
  for f in MirageHost.exe Mirage.dll KqGetBmp.dll ijl11.dll Snarewell.dll Mirage.ini; do
    cp "$bin/$f" "$host_dir/" || { echo "missing $f"; status=1; }
  done
  script_for "$scenario" | sed 's/$/\r/' > "$host_dir/script.txt"

  "$bin/mirage-listen" "$group" "$port" "$out" 40 > "$out/listen.out" 2>&1 &
  listen_pid=$!
  # Every host line with the wall-clock time in ms, the listener's clock.
  (wine 'C:\MirageWire\MirageHost.exe' 'C:\MirageWire\script.txt' 2>/dev/null |
     while IFS= read -r line; do echo "$(date +%s%3N) ${line%$'\r'}"; done > "$out/host.log") &
  host_pid=$!
  # The screen as it is once the pattern is up (before any change to it).
  for _ in $(seq 50); do grep -q ' pattern' "$out/host.log" 2>/dev/null && break; sleep 0.2; done
  sleep 0.5
  import -display ":$display" -window root -depth 8 "$out/screen.ppm" 2>/dev/null
  wait "$host_pid"
  kill "$listen_pid" 2>/dev/null; wait "$listen_pid" 2>/dev/null
  python3 "$here/check_wire.py" "$scenario" "$out" || { status=1; tail -20 "$out/host.log"; }
  WINEPREFIX="$work/prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$work/prefix" wineserver -w 2>/dev/null || true
  kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; xvfb_pid=""
  rm -rf "$WINEPREFIX"
done
exit "$status"
