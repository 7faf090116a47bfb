#!/usr/bin/env bash
# Lectern as the screen engine's host on a teacher PC and two student PCs:
# the teacher's screen commands (codes 1-6 and 0) start the engine exports of
# each PC with the right ids, watched seat, views, quality and period; the
# broadcast options reach every engine; the viewer's "to tutoring" item
# starts tutoring of its seat and its exit item brings event 11 to the
# teacher window. Checked on the PCs' traces and the teacher's report.
set -euo pipefail
bin="$1"
source "$(dirname "$0")/lib.sh"
lesson_seconds=120
# The students stay through the lesson, then close (and close their engines).
student_seconds=90

classroom_begin kqs T A1 A2
classroom_create T teacher A1 student A2 student
engine_files=(Mirage.dll Mirage.ini ijl11.dll KqGetBmp.dll Snarewell.dll)
teacher_dir="$(classroom_drive_c T)/Tutorium/Teacher"
cp "$bin/teacher-lectern/Lectern.dll" "$bin/LecternTeacherScreenHost.exe" "$teacher_dir/"
for f in "${engine_files[@]}"; do cp "$bin/$f" "$teacher_dir/"; done
for pc in A1 A2; do
  student_dir="$(classroom_drive_c "$pc")/Tutorium/Student"
  cp "$bin/student-lectern/Lectern.dll" "$bin/LecternStudentHost.exe" "$student_dir/"
  for f in "${engine_files[@]}"; do cp "$bin/$f" "$student_dir/"; done
done

export KQ_TRACE='C:\trace.txt'
classroom_run A1 Student/LecternStudentHost.exe 'C:\report.txt' "$student_seconds" stay &
a1=$!
classroom_run A2 Student/LecternStudentHost.exe 'C:\report.txt' "$student_seconds" stay &
a2=$!
status=0
classroom_run T Teacher/LecternTeacherScreenHost.exe 'C:\report.txt' "$lesson_seconds" || status=$?
wait "$a1" "$a2" || true

report() { classroom_text "$1" report.txt; }
trace() { classroom_text "$1" trace.txt | grep 'engine' || true; }
for pc in T A1 A2; do
  echo "--- $pc"
  report "$pc" | grep -v '^cmd' || true
  trace "$pc"
done

failed=0
expect() { # PC, pattern in the trace, what
  if ! trace "$1" | grep -Eq -- "$2"; then
    echo "FAILED: $3"
    failed=1
  fi
}
refuse() {
  if trace "$1" | grep -Eq -- "$2"; then
    echo "FAILED: $3"
    failed=1
  fi
}
group='group=227\.[0-9.]+ port=2022'
[ "$status" -eq 0 ] || { echo "FAILED: the teacher's lesson ended with $status"; failed=1; }
for pc in T A1 A2; do
  expect "$pc" 'engine DoOpenMirage\(0\) = 0' "$pc opens the engine with the transport"
  expect "$pc" 'engine DoReSetOption 1 3 7 0 1' "the options reach $pc's engine"
  expect "$pc" 'engine DoCloseMirage' "$pc closes the engine with the transport"
done
settings='quality=70 lossless=1 pause=2 burst=8 windowed=0'
expect T "engine DoTeacherTeacherDemo own=0 $group watched=0 ids= views=1 flag=0 period=0 $settings" "code 1 on the teacher"
expect T "engine DoTeacherMonitor own=0 $group watched=0 ids=1,2 views=0 flag=0 period=6000 " "code 2 on the teacher"
expect T "engine DoTeacherMultiMonitor own=0 $group watched=0 ids=1,2 views=9 flag=1 period=0 " "code 3 on the teacher"
expect T "engine DoTeacherTeacherHandle own=0 $group watched=2 ids= views=0 flag=0 period=1 " "code 4 on the teacher"
expect T "engine DoTeacherTeacherHandle own=0 $group watched=1 ids= views=0 flag=1 period=1 " "code 6 on the teacher"
expect T "engine DoTeacherStudentDemo own=0 $group watched=1 " "code 5 on the teacher"
for seat in 1 2; do
  pc="A$seat"
  expect "$pc" "engine DoStudentTeacherDemo own=$seat $group .*views=1 " "code 1 on $pc"
  expect "$pc" "engine DoStudentMonitor own=$seat .*flag=0 period=6000 " "code 2 on $pc"
  expect "$pc" "engine DoStudentMultiMonitor own=$seat .*views=9 flag=1 " "code 3 on $pc"
  expect "$pc" 'engine DoStop' "code 0 on $pc"
done
expect A2 'engine DoStudentTeacherHandle own=2 .*watched=2 .*flag=0 period=1 ' "code 4 on the seat controlled"
expect A1 'engine DoStudentTeacherHandle own=1 .*watched=1 .*flag=1 ' "code 6 on the seat reviewed"
expect A2 'engine DoStudentTeacherHandleOther own=2 .*watched=1 .*flag=1 ' "code 6 on the other seat"
expect A1 'engine DoStudentStudentDemo own=1 .*watched=1 ' "code 5 on the demonstrating seat"
expect A2 'engine DoStudentStudentDemoOther own=2 .*watched=1 ' "code 5 on the other seat"
refuse A1 'engine DoStudentTeacherHandle own=1 .*watched=2' "code 4 must not reach the seat not controlled"
expect T 'engine notice 5 high 0 value 1' "the viewer's 2244 asks for tutoring of seat 1"
expect A1 'engine DoStudentTeacherHandle own=1 .*watched=1 .*flag=0 ' "2244 starts tutoring on seat 1"
if ! report T | grep -q '^event 11 value 0$'; then
  echo "FAILED: the viewer's exit did not bring event 11 to the teacher window"
  failed=1
fi
exit "$failed"
