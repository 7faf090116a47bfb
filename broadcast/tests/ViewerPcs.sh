#!/usr/bin/env bash
# The receiving half of the engine between two PCs of a private classroom
# network, each with a screen of its own: the teacher PC runs MirageHost.exe
# with the test pattern on its screen, the student PC runs MirageHost.exe
# with the viewer; screenshots of the student's screen are compared with the
# pattern until it shows (or the time is up). The two hosts stay up from one
# scenario to the next while the teacher's screen keeps its depth, each
# scenario a mode of its own in them.
#
#   ViewerPcs.sh BIN_DIR [SCENARIO...]   scenarios: zlib24 jpeg24 receiveonly malformed zlib16
# "malformed": a third sender on the teacher PC multicasts malformed
# datagrams while the student watches; it must go on showing the pattern.
set -uo pipefail
bin="$1"; shift
here="$(cd "$(dirname "$0")" && pwd)"
scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || scenarios=(zlib24 jpeg24 receiveonly malformed zlib16)
source "$here/pcs_lib.sh"

# How long the views may take to appear and to go.
view_seconds=30
gone_seconds=10

teacher_log=""; student_log=""; teacher=""; student=""; modes=0
# start_hosts GEOMETRY: fresh PCs, the teacher's screen at GEOMETRY with the
# pattern and the cursor at (300, 200), and both hosts waiting for commands.
start_hosts() {
  new_pcs "$1" 1024x768x24 || return 1
  teacher_log="$work/teacher-$1.log"; student_log="$work/student-$1.log"; modes=0
  run_fed T1 "$teacher_log"; teacher=$!
  run_fed A1 "$student_log"; student=$!
  feed T1 "open 0" pattern "cursor 300 200"
  wait_line "$teacher_log" '^cursor'
}
stop_hosts() {
  [ -n "$teacher" ] || return 0
  feed T1 close quit
  feed A1 quit
  wait "$teacher" "$student"
  teacher=""
}
# The teacher's cursor steps between (300, 200) and (301, 200), one step a
# screenshot, so that the student gets its position however late it joins.
cursor_x=300
poke_cursor() {
  cursor_x=$((601 - cursor_x))
  feed T1 "cursor $cursor_x 200"
}

status=0
geometry=""
for scenario in "${scenarios[@]}"; do
  echo "=== $scenario"
  opts="group=$group port=$port pause=1 burst=20"
  open=0; teacher_geometry=1024x768x24; tolerance=0
  case "$scenario" in
    zlib24) opts="$opts lossless=1" ;;
    jpeg24) opts="$opts lossless=0 quality=90"; tolerance=40 ;;
    zlib16) opts="$opts lossless=1"; teacher_geometry=1024x768x16; tolerance=8 ;;
    receiveonly) opts="$opts lossless=1"; open=1 ;;
    malformed) opts="$opts lossless=1" ;;
  esac
  if [ "$teacher_geometry" != "$geometry" ]; then
    stop_hosts
    start_hosts "$teacher_geometry" || { status=1; teacher=""; continue; }
    geometry="$teacher_geometry"
  fi
  out="$work/out-$scenario"; mkdir -p "$out"
  modes=$((modes + 1))

  feed T1 "DoTeacherTeacherDemo $opts"
  wait_lines "$teacher_log" '^DoTeacherTeacherDemo' "$modes" || { echo "the teacher's mode did not start"; status=1; }
  feed A1 "open $open" "DoStudentTeacherDemo id=1 $opts"
  wait_lines "$student_log" '^DoStudentTeacherDemo' "$modes" || { echo "the student's mode did not start"; status=1; }
  if [ "$scenario" = malformed ]; then
    "$KQ_ROOT/tools/netns" exec "$tag" T1 python3 "$here/inject_malformed.py" "$group" "$port" 3
  fi
  # The pattern and the teacher's cursor on the student's screen, then gone
  # once the student's mode stops.
  poke=poke_cursor until_shot A1 "$out/viewing.ppm" "$view_seconds" view "$tolerance" 300 200 ||
    { status=1; tr -d '\r' <"$student_log"; }
  feed A1 stop
  wait_lines "$student_log" '^DoStop' "$modes"
  until_shot A1 "$out/stopped.ppm" "$gone_seconds" gone || status=1
  feed A1 close
  feed T1 stop
  wait_lines "$teacher_log" '^DoStop' "$modes"
done
stop_hosts
exit "$status"
