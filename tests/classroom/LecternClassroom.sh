#!/usr/bin/env bash
# A teacher PC and two student PCs talk through the command transport:
# log-ons reach the teacher with the right seat names and addresses and the
# replies reach the students; three texts to seat 2 reach only seat 2; seat 2's
# hand and answer come back; seat 1 vanishes and goes off line in time;
# malformed datagrams are dropped on the way.
set -euo pipefail
teacher_dll="$1"
student_dll="$2"
teacher_host="$3"
student_host="$4"
source "$(dirname "$0")/lib.sh"
lesson_seconds=60

# The first PC gets 198.18.1.10, the next ones .11 and .12.
classroom_begin kql T A1 A2
classroom_create T teacher A1 student A2 student
cp "$teacher_dll" "$teacher_host" "$(classroom_drive_c T)/Tutorium/Teacher/"
for pc in A1 A2; do
  cp "$student_dll" "$student_host" "$(classroom_drive_c "$pc")/Tutorium/Student/"
done

export KQ_TRACE='C:\trace.txt'
classroom_run A1 Student/LecternStudentHost.exe 'C:\report.txt' "$lesson_seconds" vanish &
a1=$!
classroom_run A2 Student/LecternStudentHost.exe 'C:\report.txt' "$lesson_seconds" stay &
a2=$!
status=0
classroom_run T Teacher/LecternTeacherHost.exe 'C:\report.txt' "$lesson_seconds" || status=$?
wait "$a1" "$a2" || true

report() { classroom_text "$1" report.txt; }
trace() { classroom_text "$1" trace.txt; }
for pc in T A1 A2; do
  echo "--- $pc"
  report "$pc"
done

failed=0
expect() { # PC, pattern, what
  if ! report "$1" | grep -Eq -- "$2"; then
    echo "FAILED: $3"
    failed=1
  fi
}
refuse() {
  if report "$1" | grep -Eq -- "$2"; then
    echo "FAILED: $3"
    failed=1
  fi
}

[ "$status" -eq 0 ] || { echo "FAILED: the teacher's lesson ended with $status"; failed=1; }
expect T '^logon A1 198\.18\.1\.11 [0-9a-f]{12} -> 1$' "A1's log-on with its name and address"
expect T '^logon A2 198\.18\.1\.12 [0-9a-f]{12} -> 2$' "A2's log-on with its name and address"
expect A1 '^cmd 2 0 1$' "A1 told it is seat 1"
expect A2 '^cmd 2 0 2$' "A2 told it is seat 2"
expect A2 '^cmd 21 1 port 4321 address 198\.18\.1\.10$' "the reply's homework server reaches A2"
expect A2 '^cmd 5 通知\|明天考试\|王老师$' "the three texts reach seat 2"
refuse A1 '^cmd 5 ' "the three texts must not reach seat 1"
expect T '^event 3 value 2$' "seat 2's hand"
expect T '^event 5 seat 2 text 到$' "seat 2's answer"
expect A1 '^vanish$' "A1 took the whole-class command"
expect T '^seat 1 off line after [0-9]+ ms \(in time\)$' "seat 1 off line within the heartbeat bound"
expect A2 '^closed$' "A2 took the end of the roll call and closed"
expect T '^done$' "the lesson ran to its end"
for pc in A1 A2; do
  if ! trace "$pc" | grep -q 'dropped a datagram'; then
    echo "FAILED: $pc did not drop the malformed datagrams"
    failed=1
  fi
done
exit "$failed"
