#!/usr/bin/env bash
# The receiving half of the engine between two PCs of a private classroom
# network, each with a screen of its own: the teacher PC runs MirageHost.exe
# with the test pattern on its screen, the student PC runs MirageHost.exe
# with the viewer; screenshots of the student's screen are compared with the
# pattern. Each scenario line below is one run.
#
#   ViewerPcs.sh BIN_DIR [SCENARIO...]   scenarios: zlib24 jpeg24 zlib16 receiveonly malformed
# "malformed": a third sender on the teacher PC multicasts malformed
# datagrams while the student watches; it must go on showing the pattern.
set -uo pipefail
bin="$1"; shift
here="$(cd "$(dirname "$0")" && pwd)"
scenarios=("$@")
[ ${#scenarios[@]} -gt 0 ] || scenarios=(zlib24 jpeg24 zlib16 receiveonly malformed)
source "$here/pcs_lib.sh"

status=0
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
  new_pcs "$teacher_geometry" 1024x768x24 || { status=1; continue; }
  out="$work/out-$scenario"; mkdir -p "$out"

  run_on T1 "open 0
pattern
cursor 300 200
sleep 500
DoTeacherTeacherDemo $opts
$(cursor_moves)
stop
close
quit" "$out/teacher.log"
  teacher=$!
  wait_line "$out/teacher.log" DoTeacherTeacherDemo || { echo "the teacher's host did not start"; status=1; continue; }
  run_on A1 "open $open
sleep 500
DoStudentTeacherDemo id=1 $opts
sleep 9000
stop
sleep 3000
close
quit" "$out/student.log"
  student=$!
  wait_line "$out/student.log" DoStudentTeacherDemo || { echo "the student's host did not start"; status=1; continue; }
  if [ "$scenario" = malformed ]; then
    "$KQ_ROOT/tools/netns" exec "$tag" T1 python3 "$here/inject_malformed.py" "$group" "$port" 3
    sleep 1
  else
    sleep 5
  fi
  shot A1 "$out/viewing.ppm"
  wait_line "$out/student.log" DoStop
  sleep 1
  shot A1 "$out/stopped.ppm"
  wait "$student"
  WINEPREFIX="$work/T1" wineserver -k 2>/dev/null; wait "$teacher"
  python3 "$here/check_viewer.py" "$out/viewing.ppm" "$out/stopped.ppm" "$tolerance" 300 200 ||
    { status=1; cat "$out/student.log"; }
done
exit "$status"
