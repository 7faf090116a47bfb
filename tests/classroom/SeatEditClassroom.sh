#!/usr/bin/env bash
# Teacher.exe with the real transport and two student PCs, A1 and A2, on line
# at seats 1 and 7 of the shipped arrangement. The seat editor fills the room
# anew with 2 seats in 1 column: after OK the class is told to log on again,
# both PCs do so at their new seats (A1 1, A2 2), and the roll call that
# follows addresses both.
set -euo pipefail
bin="$1"       # the Windows tree's bin folder
defaults="$2"  # the teacher's default files
driver="$3"
student_dll="$4"
student_host="$5"
source "$(dirname "$0")/lib.sh"
lesson_seconds=90

classroom_begin kqs T A1 A2
classroom_create T teacher A1 student A2 student
teacher="$(classroom_drive_c T)/Tutorium/Teacher"
classroom_install_teacher T "$bin" "$defaults" "$driver"
classroom_teacher_meets_test_hosts T
classroom_install_test_hosts "$student_dll" "$student_host" A1 A2

status=0
classroom_teacher_lesson "$(basename "$driver")" "$lesson_seconds" A1 A2 || status=$?

report() { classroom_text "$1" "$2"; }
echo "--- driver"; report T driver.txt
echo "--- teacher trace"; report T trace.txt | grep -E '^Lectern (logon|LecternSendCommand)' || true
echo "--- seats"; tr -d '\r' <"$teacher/Teacher.ini" | grep -aE '^(SeatCount|ColumnCount|RowCount|[0-9]+)=' | head -5 || true

check() { classroom_expect "$@"; }
ini_has() { # pattern, what
  tr -d '\r' <"$teacher/Teacher.ini" | grep -aEq -- "$1" || { echo "FAILED: $2"; classroom_failed=1; }
}
[ "$status" -eq 0 ] || { echo "FAILED: the driver ended with $status"; classroom_failed=1; }
check yes T trace.txt '^Lectern logon A2 from 198\.18\.1\.12: 7' "A2 first logged on at seat 7"
check yes T trace.txt '^Lectern LecternSendCommand code=19 targets=0 ' "the class was told to log on again"
check yes T trace.txt '^Lectern logon A1 from 198\.18\.1\.11: 1' "A1 logged on at seat 1"
check yes T trace.txt '^Lectern logon A2 from 198\.18\.1\.12: 2' "A2 logged on again at its new seat 2"
check yes T trace.txt '^Lectern LecternSendCommand code=13 targets=2 ' "the roll call went to both seats on line"
ini_has '^SeatCount=2$' "Teacher.ini holds 2 seats"
ini_has '^ColumnCount=1$' "Teacher.ini holds 1 column"
ini_has '^2=A2,0,1,1,[0-9a-f]*$' "A2 stands below A1 in group 1"
check yes T driver.txt '^done$' "the driver ran to its end"
exit "$classroom_failed"
